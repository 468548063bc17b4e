#include "shell/OffsetsEntries.h"
#include "shell/OffsetsReport.h"
#include "shell/SharedHeader.h"
#include "shell/THalvekTranslation.h"
#include "shell/TOffsets.h"

#include "platform/AppPaths.h"
#include "platform/Clock.h"
#include "platform/IniFile.h"
#include "platform/MessageBox.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace {

struct Shown {
    skerra::MessageKind kind;
    QString text;
};

class TOffsetsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        skerra::setDataRootForTesting(dir_.path() + "/data");
        skerra::setProgramFolderForTesting(dir_.path(), "skerra");
        setNow(QTime(10, 20, 30, 456));
        InitSharedHeaderGlobals();
        previous_ = skerra::setMessageHandler([this](const skerra::MessageRequest& r) {
            shown_.push_back({r.kind, r.text});
            if (duringMessage_) duringMessage_();
            return skerra::MbOk;
        });
        Translation = &translation_;
        window_ = std::make_unique<TOffsets>();
        window_->SetSurveyHooks([this] { return running_; }, [this] { ++starts_; }, [this] { ++layoutSaves_; });
        window_->show();
    }
    void TearDown() override
    {
        window_.reset();
        Translation = nullptr;
        skerra::setMessageHandler(previous_);
        skerra::setClockForTesting({});
        skerra::setDataRootForTesting({});
        skerra::setProgramFolderForTesting({});
    }
    void setNow(QTime t)
    {
        const QDateTime now(QDate(2025, 6, 14), t);
        skerra::setClockForTesting([now] { return now; });
    }
    void type(const OffsetsEntries& e)
    {
        const std::pair<QLineEdit*, std::string> pairs[] = {
            {window_->OffsetA, e.offsetA},   {window_->OffsetB, e.offsetB},   {window_->OffsetC, e.offsetC},
            {window_->SV, e.soundVelocity},  {window_->TideHt, e.tideHeight}, {window_->Location, e.location},
            {window_->SurveyBoat, e.surveyBoat}, {window_->Surveyor, e.surveyor},
        };
        for (const auto& [edit, text] : pairs) edit->setText(QString::fromStdString(text));
    }
    QByteArray report() const
    {
        QFile f(QString::fromStdString(OffsetsReportPath()));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    skerra::IniFile ini() const { return skerra::IniFile(skerra::settingsFilePath()); }
    static OffsetsEntries valid() { return {"1.20", "3.50", "2.30", "1500", "0.35", "Haliç", "Ekin", "Ann"}; }

    QTemporaryDir dir_;
    skerra::MessageHandler previous_;
    std::vector<Shown> shown_;
    std::function<void()> duringMessage_;
    THalvekTranslation translation_;
    bool running_ = false;
    int starts_ = 0;
    int layoutSaves_ = 0;
    std::unique_ptr<TOffsets> window_;
};

TEST_F(TOffsetsTest, ConfirmationsAppendBlocksStoreEntriesAndStartOnlyAStoppedSurvey)
{
    type(valid());
    window_->BitBtn1->click();
    EXPECT_TRUE(shown_.empty());
    EXPECT_FALSE(window_->isVisible());
    EXPECT_EQ(starts_, 1);

    // Second confirmation, a minute later, while the survey runs: it is left running.
    running_ = true;
    setNow(QTime(10, 21, 0, 5));
    window_->Timer1Timer();
    window_->show();
    OffsetsEntries second = valid();
    second.tideHeight = "0.40";
    type(second);
    window_->BitBtn1->click();
    EXPECT_EQ(starts_, 1);
    EXPECT_EQ(layoutSaves_, 2);

    OffsetsReportValues v{"2025-06-14 102030456", "Haliç", "Ekin", "1.20", "3.50", "2.30", "1500", "0.35", "Ann"};
    std::string expected = OffsetsReportBlock(v, true);
    v.time = "2025-06-14 102100005", v.tideHeight = "0.40";
    expected += OffsetsReportBlock(v, true);
    EXPECT_EQ(report().toStdString(), expected);

    const auto stored = ReadStoredOffsets(ini());
    EXPECT_EQ(stored.tideHeight, "0.40");
    EXPECT_EQ(stored.location, "Haliç");
    EXPECT_EQ(ini().ReadString("ECHOSOUNDER_OFFSETS", "Time", {}), "2025-06-14 102100005");
}

TEST_F(TOffsetsTest, ReportAndMessagesFollowTheLanguage)
{
    translation_.CurrentLanguage = "tr";
    OffsetsEntries e = valid();
    e.offsetB = "x";
    type(e);
    window_->BitBtn1->click();
    ASSERT_EQ(shown_.size(), 1u);
    EXPECT_EQ(shown_[0].text, QString::fromUtf8("Başarısız! B değerini yeniden kontrol ediniz."));

    window_->SetWindowHooks({}, {}, [] { return true; });
    type(valid());
    window_->BitBtn1->click();
    OffsetsReportValues v{"2025-06-14 102030456", "Haliç", "Ekin", "1.20", "3.50", "2.30", "1500", "0.35", "Ann", true};
    EXPECT_EQ(report().toStdString(), OffsetsReportBlock(v, false));
    EXPECT_EQ(ReadStoredOffsets(ini()).soundVelocity, "1500");  // the edit's text, profile or not
}

TEST_F(TOffsetsTest, FailedCheckShowsItsMessageFocusesTheEditAndWritesNothing)
{
    const struct { std::function<void(OffsetsEntries&)> change; const char* message; QLineEdit* TOffsets::*focus; }
        cases[] = {
            {[](auto& e) { e.offsetA = ""; }, "Failed! Recheck offset A", &TOffsets::OffsetA},
            {[](auto& e) { e.offsetB = "3,50"; }, "Failed! Recheck offset B", &TOffsets::OffsetB},
            {[](auto& e) { e.surveyBoat = ""; }, "Failed! Name/type of survey boat cannot be missing",
             &TOffsets::SurveyBoat},
            {[](auto& e) { e.offsetC = "2.20"; }, "Measurements contains error: A + C must be close enough to B.",
             &TOffsets::OffsetA},
            {[](auto& e) { e.soundVelocity = "1700.1"; }, "Error in Sound Velocity (SV) value", &TOffsets::SV},
        };
    int saves = 0;
    for (const auto& c : cases) {
        shown_.clear();
        OffsetsEntries e = valid();
        c.change(e);
        type(e);
        window_->BitBtn3->setFocus();
        window_->BitBtn1->click();
        EXPECT_EQ(layoutSaves_, ++saves) << c.message;  // the layout save runs first, always
        ASSERT_EQ(shown_.size(), 1u) << c.message;
        EXPECT_EQ(shown_[0].text, c.message);
        EXPECT_EQ(window_->focusWidget(), (*window_).*c.focus) << c.message;
        EXPECT_TRUE(window_->isVisible());
    }
    EXPECT_TRUE(QDir(QString::fromStdString(LogFolder)).exists());  // the folders were made
    EXPECT_FALSE(QFile::exists(QString::fromStdString(OffsetsReportPath())));
    EXPECT_FALSE(ini().SectionExists("ECHOSOUNDER_OFFSETS"));
    EXPECT_EQ(starts_, 0);
}

TEST_F(TOffsetsTest, UnopenableReportNamesTheFileAndStopsThere)
{
    const QString path = QString::fromStdString(OffsetsReportPath());
    QDir().mkpath(path);  // a folder where the report file should be
    type(valid());
    window_->BitBtn1->click();
    ASSERT_EQ(shown_.size(), 1u);
    EXPECT_EQ(shown_[0].kind, skerra::MessageKind::Error);
    EXPECT_TRUE(shown_[0].text.contains(path)) << shown_[0].text.toStdString();
    EXPECT_FALSE(ini().SectionExists("ECHOSOUNDER_OFFSETS"));
    EXPECT_EQ(starts_, 0);
    EXPECT_TRUE(window_->isVisible());
}

TEST_F(TOffsetsTest, TimeWithSeparatorsWarnsAndGoesOn)
{
    window_->time->setText("2025-06-14 10:20:30");
    type(valid());
    window_->BitBtn1->click();
    ASSERT_EQ(shown_.size(), 1u);
    EXPECT_TRUE(shown_[0].text.startsWith("Time format does not fit requirements."));
    EXPECT_EQ(starts_, 1);
}

TEST_F(TOffsetsTest, CancelAndEveryOtherCloseRestoreTheStoredValues)
{
    {
        auto i = ini();
        StoreOffsets(i, valid(), "2025-06-14 090000000");
    }
    window_->hide();
    for (const auto& leave : std::vector<std::function<void()>>{[this] { window_->BitBtn3->click(); },
                                                                [this] { window_->close(); }}) {
        window_->show();
        EXPECT_EQ(window_->OffsetA->text(), "1.20");  // shown: the stored values
        OffsetsEntries typed = valid();
        typed.offsetA = "9.99", typed.soundVelocity = "1400", typed.offsetC = "3", typed.tideHeight = "5";
        type(typed);
        leave();
        EXPECT_FALSE(window_->isVisible());
        const SurveyOffsetsTexts t = window_->ConfirmedOffsets();
        EXPECT_EQ(t.offsetA, "1.20");
        EXPECT_EQ(t.soundVelocity, "1500");
        EXPECT_EQ(t.offsetC, "2.30");
        EXPECT_EQ(t.tideHeight, "0.35");
    }
    EXPECT_EQ(starts_, 0);
    EXPECT_EQ(layoutSaves_, 0);
}

// The survey takes its offsets from the last confirmation only: not from an edit being
// typed, not from one left behind by Cancel, not from a hidden edit a keypad typed into.
TEST_F(TOffsetsTest, TheSurveyReadsOnlyConfirmedOffsets)
{
    SurveyOffsetsTexts atStart;
    window_->SetSurveyHooks([this] { return running_; }, [&] { atStart = window_->ConfirmedOffsets(); }, {});
    type(valid());
    window_->BitBtn1->click();
    EXPECT_EQ(atStart.offsetA, "1.20");  // confirmed before the survey starts
    EXPECT_EQ(atStart.soundVelocity, "1500");

    OffsetsEntries bad = valid();
    bad.soundVelocity = "15x";
    const struct {
        const char* step;
        std::function<void()> act;
    } steps[] = {
        {"typing", [&] { window_->show(); window_->OffsetA->setText("1"); }},
        {"cancel", [&] { window_->OffsetA->setText("1"); window_->BitBtn3->click(); }},
        {"hidden edit", [&] { window_->hide(); window_->SV->setText("15000"); window_->TideHt->setText("9"); }},
        {"refused confirmation", [&] { window_->show(); type(bad); window_->BitBtn1->click(); }},
    };
    for (const auto& s : steps) {
        s.act();
        const SurveyOffsetsTexts t = window_->ConfirmedOffsets();
        EXPECT_EQ(t.offsetA, "1.20") << s.step;
        EXPECT_EQ(t.soundVelocity, "1500") << s.step;
        EXPECT_EQ(t.offsetC, "2.30") << s.step;
        EXPECT_EQ(t.tideHeight, "0.35") << s.step;
    }

    OffsetsEntries next = valid();
    next.tideHeight = "0.80";
    type(next);
    window_->BitBtn1->click();
    EXPECT_EQ(window_->ConfirmedOffsets().tideHeight, "0.80");
}

TEST_F(TOffsetsTest, LeavingANumericEditChecksItOnce)
{
    const auto leave = [](QLineEdit* edit, Qt::FocusReason reason) {
        QFocusEvent out(QEvent::FocusOut, reason);
        QApplication::sendEvent(edit, &out);
        QApplication::processEvents();
    };
    window_->OffsetA->setText("abc");
    window_->OffsetB->setText("");
    leave(window_->OffsetA, Qt::ActiveWindowFocusReason);  // another window took the focus
    leave(window_->OffsetA, Qt::PopupFocusReason);
    EXPECT_TRUE(shown_.empty());

    // A message box of the check must not start another check.
    int messages = 0;
    duringMessage_ = [&] {
        if (messages++ == 0) leave(window_->OffsetB, Qt::TabFocusReason);
    };
    leave(window_->OffsetA, Qt::TabFocusReason);
    ASSERT_EQ(shown_.size(), 1u);
    EXPECT_EQ(shown_[0].text, "'abc' is not a valid floating point value");
    EXPECT_EQ(window_->focusWidget(), window_->OffsetA);

    duringMessage_ = {};
    shown_.clear();
    window_->OffsetA->setText("1.5");
    window_->OffsetA->clearFocus();
    leave(window_->OffsetA, Qt::MouseFocusReason);
    EXPECT_TRUE(shown_.empty());
}

TEST_F(TOffsetsTest, ControlsAndCaptions)
{
    EXPECT_EQ(window_->objectName(), "Offsets");
    EXPECT_EQ(window_->windowTitle(), "Offsets Essential for Post Processing / Recovery");
    for (const char* name : {"pSketch", "Image1", "OffsetA", "OffsetB", "OffsetC", "SV", "TideHt", "Location",
                             "SurveyBoat", "Surveyor", "Label7", "time", "bSVP", "BitBtn1", "BitBtn3",
                             "bNTRIPShow", "Timer1"})
        EXPECT_NE(window_->findChild<QObject*>(name), nullptr) << name;
    EXPECT_EQ(window_->Label7->text(), "Date and Time (local)");
    EXPECT_EQ(window_->time->text(), "2025-06-14 102030456");
    EXPECT_TRUE(window_->windowFlags() & Qt::WindowStaysOnTopHint);
}

}  // namespace
