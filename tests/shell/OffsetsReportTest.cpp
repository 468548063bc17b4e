#include "shell/OffsetsEntries.h"
#include "shell/OffsetsReport.h"
#include "shell/SharedHeader.h"

#include "platform/AppPaths.h"
#include "platform/Clock.h"
#include "platform/IniFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

OffsetsReportValues values()
{
    return {"2025-06-14 102030456", "Haliç", "Ekin 2", "1.20", "3.50", "2.30", "1500", "0.35", "Ann", false};
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

TEST(OffsetsReport, BlockBytesInBothLanguages)
{
    const std::string english =
        "\r\n\r\nSkerra - offsets essential for post processing"
        "\r\nTime..............................\t=2025-06-14 102030456"
        "\r\nSurvey Location...................\t=Haliç"
        "\r\nSurvey Boat.......................\t=Ekin 2"
        "\r\nTransducer Draft (A)..............\t=1.20"
        "\r\nTransducer - Antenna Offset (B)...\t=3.50"
        "\r\nAntenna Height Above Water (C)....\t=2.30"
        "\r\nSound Velocity....................\t=1500"
        "\r\nTide Height.......................\t=0.35"
        "\r\nSurveyor..........................\t=Ann";
    const std::string turkish =
        "\r\n\r\nSkerra - veri işleme için gerekli değerler"
        "\r\nZaman.......................................\t=2025-06-14 102030456"
        "\r\nYer.........................................\t=Haliç"
        "\r\nÖlçme botu..................................\t=Ekin 2"
        "\r\nTransduser su kesimi (A)....................\t=1.20"
        "\r\nTransduser ile GPS anteni arası mesafe (B)..\t=3.50"
        "\r\nSudan antene olan mesafe (C)................\t=2.30"
        "\r\nSes hızı....................................\t=1500"
        "\r\nSu kotu.....................................\t=0.35"
        "\r\nÖlçen.......................................\t=Ann";
    EXPECT_EQ(OffsetsReportBlock(values(), true), english);
    EXPECT_EQ(OffsetsReportBlock(values(), false), turkish);
}

TEST(OffsetsReport, ProfileNoteReplacesTheSoundVelocity)
{
    OffsetsReportValues v = values();
    v.soundVelocityProfileUsed = true;
    EXPECT_NE(OffsetsReportBlock(v, true).find("\r\nSound Velocity....................\t=Sound velocity profile used\r\n"),
              std::string::npos);
    EXPECT_NE(OffsetsReportBlock(v, false).find("\r\nSes hızı....................................\t=Ses hızı profili "
                                                "kullanıldı\r\n"),
              std::string::npos);
}

class OffsetsFilesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        skerra::setDataRootForTesting(dir_.path() + "/data");
        skerra::setProgramFolderForTesting(dir_.path(), "skerra");
        skerra::setClockForTesting([] { return QDateTime(QDate(2025, 6, 14), QTime(10, 20, 30, 456)); });
        InitSharedHeaderGlobals();
    }
    void TearDown() override
    {
        skerra::setClockForTesting({});
        skerra::setDataRootForTesting({});
        skerra::setProgramFolderForTesting({});
    }
    QTemporaryDir dir_;
};

TEST_F(OffsetsFilesTest, ReportPathAndAppending)
{
    const std::string path = OffsetsReportPath();
    EXPECT_EQ(QString::fromStdString(path), dir_.path() + "/data/2025-06-14/LOG/2025-06-14 Offsets.log");
    QDir().mkpath(QString::fromStdString(LogFolder));
    ASSERT_TRUE(AppendOffsetsReport(path, "\r\n\r\nfirst"));
    ASSERT_TRUE(AppendOffsetsReport(path, "\r\n\r\nsecond"));
    EXPECT_EQ(readAll(QString::fromStdString(path)), QByteArray("\r\n\r\nfirst\r\n\r\nsecond"));

    QDir().mkpath(QString::fromStdString(path) + ".dir");
    EXPECT_FALSE(AppendOffsetsReport(path + ".dir", "x"));  // a folder is no file
}

TEST_F(OffsetsFilesTest, StoredEntriesInTheirOrder)
{
    skerra::IniFile ini(skerra::settingsFilePath());
    const OffsetsEntries entries{"1.20", "3.50", "2.30", "1500", "0.35", "Haliç", "Ekin 2", "Ann"};
    StoreOffsets(ini, entries, "2025-06-14 102030456");
    EXPECT_EQ(readAll(skerra::settingsFilePath()).replace("\r\n", "\n"),
              QByteArray("[ECHOSOUNDER_OFFSETS]\n"
                         "Offset A=1.20\n"
                         "Offset B=3.50\n"
                         "Offset C=2.30\n"
                         "SV=1500\n"
                         "Tide Height=0.35\n"
                         "Time=2025-06-14 102030456\n"
                         "Surveyor=Ann\n"
                         "SurveyBoat=Ekin 2\n"
                         "SurveyLocation=Haliç\n"));
    const OffsetsEntries read = ReadStoredOffsets(ini);
    EXPECT_EQ(read.offsetA, "1.20");
    EXPECT_EQ(read.location, "Haliç");
    EXPECT_EQ(read.surveyor, "Ann");

    const OffsetsEntries none = ReadStoredOffsets(skerra::IniFile(dir_.path() + "/missing.INI"));
    EXPECT_EQ(none.offsetA, "");
    EXPECT_EQ(none.surveyBoat, "");
}

}  // namespace
