#include "shell/TfLatency.h"

#include "platform/AppPaths.h"
#include "platform/Colour.h"
#include "platform/IniFile.h"
#include "platform/MessageBox.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class TfLatencyTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        skerra::setProgramFolderForTesting(dir_.path(), "skerra");
        old_ = skerra::setMessageHandler([this](const skerra::MessageRequest& r) {
            boxes_ << r.text;
            return r.defaultButton;
        });
    }
    void TearDown() override
    {
        skerra::setMessageHandler(old_);
        skerra::setProgramFolderForTesting({});
    }
    skerra::IniFile ini() const { return skerra::IniFile(skerra::settingsFilePath()); }
    QString storedTolerance() const { return ini().ReadString("LATENCY", "eLatencyTol", "<none>"); }
    static TColor boxColour(const TfLatency& w)
    {
        return skerra::fromQColor(w.gLatency->palette().color(QPalette::Window));
    }

    QTemporaryDir dir_;
    skerra::MessageHandler old_;
    QStringList boxes_;
};

TEST_F(TfLatencyTest, ColoursAtEveryChangeOfTheCurrentLatencyAndKeepsTheColourForNonNumbers)
{
    TfLatency w;
    EXPECT_EQ(fLatency, &w);
    EXPECT_EQ(w.windowTitle(), "Latency");
    EXPECT_EQ(w.gLatency->title(), "Latency (milisecond)");
    EXPECT_EQ(w.eLatencyTol->text(), "500");  // no settings file
    EXPECT_FALSE(w.eCurrentLatency->isEnabled());
    EXPECT_FALSE(w.eLatencyAveraged->isEnabled());

    const struct { const char* current; TColor colour; } steps[] = {
        {"499", skerra::colors::Lime}, {"500", skerra::colors::Red}, {"", skerra::colors::Red},
        {"498", skerra::colors::Lime}, {"abc", skerra::colors::Lime}, {"501", skerra::colors::Red},
    };
    for (const auto& s : steps) {
        w.SetLatencyTexts(s.current, "480.5");
        EXPECT_EQ(boxColour(w), s.colour) << s.current;
        EXPECT_EQ(w.eCurrentLatency->text(), s.current);
    }
    EXPECT_EQ(w.eLatencyAveraged->text(), "480.5");

    // An emptied tolerance gives no verdict (and no error box); editing the tolerance
    // alone does not recolour.
    w.eLatencyTol->setText("");
    w.SetLatencyTexts("10", "10.0");
    EXPECT_EQ(boxColour(w), skerra::colors::Red);
    w.eLatencyTol->setText("5");
    EXPECT_EQ(boxColour(w), skerra::colors::Red);
    w.SetLatencyTexts("4", "4.0");
    EXPECT_EQ(boxColour(w), skerra::colors::Lime);
    EXPECT_TRUE(boxes_.isEmpty()) << boxes_.join('\n').toStdString();
}

TEST_F(TfLatencyTest, StoresEveryToleranceKeystrokeAndReadsItBackAtCreation)
{
    {
        TfLatency w;
        EXPECT_EQ(storedTolerance(), "<none>");  // the default is not written
        const char* typed[] = {"", "3", "30", "300"};
        for (const char* text : typed) {
            w.eLatencyTol->setText(text);
            EXPECT_EQ(storedTolerance(), text);
        }
    }
    TfLatency restarted;
    EXPECT_EQ(restarted.eLatencyTol->text(), "300");
}

TEST_F(TfLatencyTest, StoredToleranceIsReadAsAnInteger)
{
    const struct { const char* stored; const char* shown; const char* afterCreation; } cases[] = {
        {"0x12C", "300", "300"},  // read as hexadecimal and written back in decimal
        {"abc", "500", "abc"},    // the default; the edit's text does not change, nothing is written
        {" 250 ", "250", "250"},
    };
    for (const auto& c : cases) {
        ini().WriteString("LATENCY", "eLatencyTol", c.stored);
        TfLatency w;
        EXPECT_EQ(w.eLatencyTol->text(), c.shown) << c.stored;
        EXPECT_EQ(storedTolerance(), c.afterCreation) << c.stored;
    }
}

}  // namespace
