#include "shell/OffsetsCheck.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using F = OffsetsField;

OffsetsEntries valid()
{
    return {"1.20", "3.50", "2.30", "1500", "0.35", "Harbour", "Ekin", "Ann"};
}

TEST(OffsetsCheck, FirstFailingCheckGivesMessagesAndFocus)
{
    struct Case {
        const char* what;
        std::function<void(OffsetsEntries&)> change;
        F focus;
        const char* english;
        const char* turkish;
    };
    const Case cases[] = {
        {"empty A before any name", [](auto& e) { e.offsetA = "", e.location = ""; }, F::OffsetA,
         "Failed! Recheck offset A", "Başarısız! A değerini yeniden kontrol ediniz."},
        {"comma in B", [](auto& e) { e.offsetB = "3,50"; }, F::OffsetB, "Failed! Recheck offset B",
         "Başarısız! B değerini yeniden kontrol ediniz."},
        {"word in C", [](auto& e) { e.offsetC = "abc"; }, F::OffsetC, "Failed! Recheck offset C",
         "Başarısız! C değerini yeniden kontrol ediniz."},
        {"trailing text in SV", [](auto& e) { e.soundVelocity = "1500 m/s"; }, F::SV, "Failed! Recheck SV value",
         "Başarısız! SV/SH değerini yeniden kontrol ediniz."},
        {"nan tide", [](auto& e) { e.tideHeight = "nan"; }, F::TideHt, "Failed! Recheck tide height",
         "Başarısız! Su kotunu kontrol ediniz."},
        {"inf tide", [](auto& e) { e.tideHeight = "inf"; }, F::TideHt, "Failed! Recheck tide height",
         "Başarısız! Su kotunu kontrol ediniz."},
        {"all names empty", [](auto& e) { e.location = e.surveyBoat = e.surveyor = ""; }, F::Location,
         "Failed! Location cannot be missing", "Başarısız! Yer adı boş olamaz"},
        {"boat empty", [](auto& e) { e.surveyBoat = e.surveyor = ""; }, F::SurveyBoat,
         "Failed! Name/type of survey boat cannot be missing", "Başarısız! Ölçme aracının adı boş olamaz"},
        {"surveyor empty", [](auto& e) { e.surveyor = ""; }, F::Surveyor,
         "Failed! Name of surveyor cannot be missing", "Başarısız! Öçen kişinin adı boş olamaz"},
        {"names before the pole", [](auto& e) { e.offsetC = "2.20", e.surveyor = ""; }, F::Surveyor,
         "Failed! Name of surveyor cannot be missing", "Başarısız! Öçen kişinin adı boş olamaz"},
        {"pole off by 0.10", [](auto& e) { e.offsetC = "2.20"; }, F::OffsetA,
         "Measurements contains error: A + C must be close enough to B.",
         "Ölçümlerde hata var: A + C toplamı B değerine yakın olması gerekir"},
        {"pole before SV range", [](auto& e) { e.offsetC = "2.20", e.soundVelocity = "1200"; }, F::OffsetA,
         "Measurements contains error: A + C must be close enough to B.",
         "Ölçümlerde hata var: A + C toplamı B değerine yakın olması gerekir"},
        {"SV a tenth below", [](auto& e) { e.soundVelocity = "1299.9"; }, F::SV,
         "Error in Sound Velocity (SV) value", "SV/SE değerinde hata var"},
        {"SV a tenth above", [](auto& e) { e.soundVelocity = "1700.1"; }, F::SV,
         "Error in Sound Velocity (SV) value", "SV/SE değerinde hata var"},
    };
    for (const Case& c : cases) {
        OffsetsEntries e = valid();
        c.change(e);
        const auto fault = CheckOffsets(e);
        ASSERT_TRUE(fault) << c.what;
        EXPECT_EQ(fault->focus, c.focus) << c.what;
        EXPECT_STREQ(fault->english, c.english) << c.what;
        EXPECT_STREQ(fault->turkish, c.turkish) << c.what;
    }
}

TEST(OffsetsCheck, AcceptedEntries)
{
    const std::function<void(OffsetsEntries&)> changes[] = {
        [](auto&) {},
        [](auto& e) { e.soundVelocity = "1300"; },
        [](auto& e) { e.soundVelocity = "1700"; },
        [](auto& e) { e.location = " "; },                     // blank, not empty
        [](auto& e) { e.offsetA = " 1.20 ", e.tideHeight = "-0.5"; },  // blanks around a number
        [](auto& e) { e.tideHeight = "1e-1"; },
    };
    for (size_t i = 0; i < std::size(changes); ++i) {
        OffsetsEntries e = valid();
        changes[i](e);
        EXPECT_FALSE(CheckOffsets(e)) << "case " << i;
    }
}

// A + C - B is compared in decimals: a difference of exactly 0.025 passes even when
// the binary sum lands a hair above it.
TEST(OffsetsCheck, PoleToleranceBoundary)
{
    const struct { const char* a; const char* b; const char* c; bool agree; } cases[] = {
        {"1.20", "3.50", "2.30", true},          {"1.20", "3.50", "2.28", true},
        {"1.20", "3.50", "2.325", true},  // 0.025000000000000355 in binary
        {"1.20", "3.50", "2.275", true},
        {"0.1", "0.125", "0", true},             {"1.20", "3.50", "2.326", false},
        {"1.20", "3.50", "2.274", false},        {"1.200000002", "3.50", "2.325", false},
        {"1.20", "3.50", "2.20", false},
    };
    for (const auto& c : cases) {
        OffsetsEntries e = valid();
        e.offsetA = c.a, e.offsetB = c.b, e.offsetC = c.c;
        const auto fault = CheckOffsets(e);
        EXPECT_EQ(!fault, c.agree) << c.a << " " << c.b << " " << c.c;
    }
}

TEST(OffsetsCheck, TimeWithSeparators)
{
    EXPECT_FALSE(TimeTextHasSeparators("2025-06-14 102030456"));
    EXPECT_TRUE(TimeTextHasSeparators("14.06.2025 10:20:30"));
}

}  // namespace
