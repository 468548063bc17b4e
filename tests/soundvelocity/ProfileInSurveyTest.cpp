// The sound-velocity window in the running program: the survey's depth correction
// and the offsets window read its switch and its column.
#include "MainWindowTestSupport.h"

#include "navigation/NavSurveySettings.h"
#include "navigation/survey/DepthCorrection.h"
#include "shell/TOffsets.h"
#include "soundvelocity/TfSVP.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

TEST(ProfileInSurvey, DepthCorrectionUsesTheColumnLineOfTheRoundedDepth)
{
    mainwindowtest::TemporaryProgram program;
    program.Open();
    ASSERT_NE(fSVP, nullptr);
    const NavSurveySettings settings(*FNav);
    EXPECT_EQ(settings.SoundVelocityProfile(), nullptr);

    // Metre k has the SV 1500 + 5 k: column line k is the mean 1500 + 2.5 k.
    fSVP->eMaxDepth->setText("20");
    QString averaged;
    for (int k = 0; k <= 20; ++k) averaged += QString("%1,%2,1\n").arg(k).arg(1500 + 5 * k);
    fSVP->mSortedAveragedSV->setPlainText(averaged.trimmed());
    fSVP->bAveragedSVtoSVP->click();
    ASSERT_TRUE(fSVP->bSaveClose->isEnabled());
    EXPECT_EQ(settings.SoundVelocityProfile(), nullptr);  // not switched on yet

    fSVP->cUseSVP->setChecked(true);
    EXPECT_FALSE(Offsets->SV->isEnabled());
    EXPECT_EQ(Offsets->bSVP->text(), "SVP Profile Used");
    const auto* column = settings.SoundVelocityProfile();
    ASSERT_NE(column, nullptr);
    ASSERT_EQ(column->size(), 21u);

    const struct { double raw; double velocity; } cases[] = {{12.5, 1532.5}, {12.49, 1530}, {0.2, 1500}, {20, 1550}};
    for (const auto& c : cases) {
        skerra::survey::SounderReading reading;
        reading.accepted = reading.parsed = true;
        reading.rawHigh = c.raw;
        const auto depths = skerra::survey::CorrectDepths(reading, 1500, 0, column);
        ASSERT_TRUE(depths.ok) << c.raw;
        EXPECT_DOUBLE_EQ(depths.velocityUsed, c.velocity) << c.raw;
        EXPECT_DOUBLE_EQ(depths.high, c.raw * c.velocity / 1500) << c.raw;
    }

    fSVP->cUseSVP->setChecked(false);
    EXPECT_EQ(settings.SoundVelocityProfile(), nullptr);
    EXPECT_TRUE(Offsets->SV->isEnabled());
    EXPECT_EQ(Offsets->bSVP->text(), "Single SV Used");
}

}  // namespace
