#include "OffsetsCheck.h"

#include "platform/NumberText.h"

#include <cmath>

namespace {

using F = OffsetsField;

struct FieldCheck {
    std::string OffsetsEntries::*field;
    OffsetsFault fault;
};
const FieldCheck kNumbers[] = {
    {&OffsetsEntries::offsetA,
     {F::OffsetA, "Failed! Recheck offset A", "Başarısız! A değerini yeniden kontrol ediniz."}},
    {&OffsetsEntries::offsetB,
     {F::OffsetB, "Failed! Recheck offset B", "Başarısız! B değerini yeniden kontrol ediniz."}},
    {&OffsetsEntries::offsetC,
     {F::OffsetC, "Failed! Recheck offset C", "Başarısız! C değerini yeniden kontrol ediniz."}},
    {&OffsetsEntries::soundVelocity,
     {F::SV, "Failed! Recheck SV value", "Başarısız! SV/SH değerini yeniden kontrol ediniz."}},
    {&OffsetsEntries::tideHeight,
     {F::TideHt, "Failed! Recheck tide height", "Başarısız! Su kotunu kontrol ediniz."}},
};

const FieldCheck kNames[] = {
    {&OffsetsEntries::location,
     {F::Location, "Failed! Location cannot be missing", "Başarısız! Yer adı boş olamaz"}},
    {&OffsetsEntries::surveyBoat,
     {F::SurveyBoat, "Failed! Name/type of survey boat cannot be missing",
      "Başarısız! Ölçme aracının adı boş olamaz"}},
    {&OffsetsEntries::surveyor,
     {F::Surveyor, "Failed! Name of surveyor cannot be missing", "Başarısız! Öçen kişinin adı boş olamaz"}},
};

const OffsetsFault kPoleFault{F::OffsetA, "Measurements contains error: A + C must be close enough to B.",
                              "Ölçümlerde hata var: A + C toplamı B değerine yakın olması gerekir"};
const OffsetsFault kSoundVelocityFault{F::SV, "Error in Sound Velocity (SV) value", "SV/SE değerinde hata var"};

}  // namespace

bool PoleOffsetsAgree(double a, double b, double c)
{
    return std::fabs(a + c - b) <= kPoleTolerance + kPoleToleranceSlack;
}

std::optional<OffsetsFault> CheckOffsets(const OffsetsEntries& entries)
{
    for (const FieldCheck& check : kNumbers)
        if (!skerra::tryParseDouble(entries.*check.field)) return check.fault;
    for (const FieldCheck& check : kNames)
        if ((entries.*check.field).empty()) return check.fault;

    const double a = *skerra::tryParseDouble(entries.offsetA);
    const double b = *skerra::tryParseDouble(entries.offsetB);
    const double c = *skerra::tryParseDouble(entries.offsetC);
    if (!PoleOffsetsAgree(a, b, c)) return kPoleFault;

    const double sv = *skerra::tryParseDouble(entries.soundVelocity);
    if (sv > kHighestSoundVelocity || sv < kLowestSoundVelocity) return kSoundVelocityFault;
    return std::nullopt;
}

bool TimeTextHasSeparators(std::string_view time) { return time.find(':') != std::string_view::npos; }
