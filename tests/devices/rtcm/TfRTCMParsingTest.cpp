// The "RTCM Message Parser" window: showing a report from a snapshot, the lines it
// hands back to the NTRIP window, "Clear" and "Save && Close".

#include "devices/windows/TfRTCMParsing.h"
#include "platform/AppPaths.h"
#include "platform/Clock.h"
#include "platform/MessageBox.h"

#include <QApplication>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimeZone>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using namespace skerra::rtcm;

namespace {

std::string readCapture(const std::string& name)
{
    std::ifstream in(std::filesystem::path(SKERRA_TESTDATA) / "rtcm3" / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// A summer afternoon in Berlin: daylight saving is in force (UTC+2).
QDateTime berlinSummer() { return QDateTime(QDate(2026, 7, 14), QTime(16, 20, 5), QTimeZone("Europe/Berlin")); }

class RTCMParsingWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root.isValid());
        skerra::setDataRootForTesting(root.path() + "/QMT/");
        skerra::setClockForTesting(berlinSummer);
        previous = skerra::setMessageHandler([this](const skerra::MessageRequest& r) {
            messages.push_back(r.text);
            return int(skerra::MbOk);
        });
        snapshot = readCapture("pygpsdata-NTRIP-USCL00CHL0.log");
        ASSERT_GT(snapshot.size(), 4000u);
    }
    void TearDown() override
    {
        delete fRTCMParsing;
        skerra::setMessageHandler(previous);
        skerra::setClockForTesting({});
        skerra::setDataRootForTesting({});
    }

    QString dayFile() const { return root.path() + "/QMT/2026-07-14/LOG/2026-07-14 Halvek RTCM Parsing.log"; }

    QTemporaryDir root;
    skerra::MessageHandler previous;
    QStringList messages;
    std::string snapshot;
    TRTCMReportVessel vessel{-33.44, -70.65, 600, false};
};

QStringList expectedLines(const std::string& snapshot, const TRTCMReportVessel& vessel)
{
    TRTCMReportInput input;
    input.Snapshot = snapshot;
    input.Vessel = vessel;
    input.LocalTime = berlinSummer();
    input.UtcOffsetMinutes = 120;
    QStringList lines;
    for (const auto& line : BuildRTCMReport(input).Lines)
        lines << QString::fromStdString(line);
    return lines;
}

}  // namespace

TEST_F(RTCMParsingWindow, TooLittleDataOnlyLogs)
{
    TRTCMBaseStation last;
    EXPECT_EQ(TfRTCMParsing::ShowReport("", vessel, last), std::vector<std::string>{"No RTCM data to parse"});
    EXPECT_EQ(TfRTCMParsing::ShowReport(snapshot.substr(0, 5), vessel, last),
              std::vector<std::string>{"No RTCM data to parse"});
    EXPECT_EQ(fRTCMParsing, nullptr);
}

TEST_F(RTCMParsingWindow, ShowsTheReportAndLogsANewStationOnce)
{
    TRTCMBaseStation last;
    const auto log = TfRTCMParsing::ShowReport(snapshot, vessel, last);
    ASSERT_NE(fRTCMParsing, nullptr);
    EXPECT_TRUE(fRTCMParsing->isVisible());
    EXPECT_EQ(fRTCMParsing->ReportLines(), expectedLines(snapshot, vessel));
    EXPECT_EQ(fRTCMParsing->ReportLines().value(1), "2026-07-14 16:20:05 GMT+02:00");
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].rfind("Base #0: -33.", 0), 0u) << log[0];
    EXPECT_NEAR(last.Latitude, -33.4, 0.5);

    // The same station again: the report is rebuilt, not appended, and nothing is logged.
    TfRTCMParsing* window = fRTCMParsing;
    EXPECT_TRUE(TfRTCMParsing::ShowReport(snapshot, vessel, last).empty());
    EXPECT_EQ(fRTCMParsing, window);
    EXPECT_EQ(fRTCMParsing->ReportLines(), expectedLines(snapshot, vessel));
}

TEST_F(RTCMParsingWindow, NamesTextsAndSize)
{
    TfRTCMParsing window;
    EXPECT_EQ(fRTCMParsing, &window);
    EXPECT_EQ(window.objectName(), "fRTCMParsing");
    EXPECT_EQ(window.windowTitle(), "RTCM Message Parser");
    EXPECT_EQ(window.MemoRTCM->objectName(), "MemoRTCM");
    EXPECT_TRUE(window.MemoRTCM->isReadOnly());
    EXPECT_EQ(window.btnClear->objectName(), "btnClear");
    EXPECT_EQ(window.btnClear->text(), "Clear");
    EXPECT_EQ(window.btnClose->objectName(), "btnClose");
    EXPECT_EQ(window.btnClose->text(), "Save && Close");
    EXPECT_EQ(window.size(), QSize(624, 441));
    window.show();
    QApplication::processEvents();
    EXPECT_LT(window.btnClear->geometry().right(), window.btnClose->geometry().left());
    EXPECT_GE(window.btnClose->width(), window.btnClose->sizeHint().width());
    EXPECT_LT(window.MemoRTCM->geometry().bottom(), window.btnClose->geometry().top());
    const QString folder = qEnvironmentVariable("SKERRA_SCREENSHOTS");
    if (!folder.isEmpty()) {
        TRTCMBaseStation last;
        TfRTCMParsing::ShowReport(snapshot, vessel, last);
        QApplication::processEvents();
        window.grab().save(folder + "/rtcm-parsing.png");
    }
}

TEST_F(RTCMParsingWindow, SaveAndCloseAppendsEachReport)
{
    TRTCMBaseStation last;
    TfRTCMParsing::ShowReport(snapshot, vessel, last);
    const QStringList first = fRTCMParsing->ReportLines();
    fRTCMParsing->btnClose->click();
    EXPECT_FALSE(fRTCMParsing->isVisible());

    TfRTCMParsing::ShowReport(snapshot.substr(0, 600), vessel, last);
    const QStringList second = fRTCMParsing->ReportLines();
    fRTCMParsing->btnClose->click();

    QFile file(dayFile());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << dayFile().toStdString();
    const QByteArray expected = (first.join("\r\n") + "\r\n\r\n" + second.join("\r\n") + "\r\n").toUtf8();
    EXPECT_EQ(file.readAll(), expected);
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(RTCMParsingWindow, ClearedReportClosesWithoutWriting)
{
    TRTCMBaseStation last;
    TfRTCMParsing::ShowReport(snapshot, vessel, last);
    fRTCMParsing->btnClear->click();
    EXPECT_TRUE(fRTCMParsing->ReportLines().isEmpty());
    fRTCMParsing->btnClose->click();
    EXPECT_FALSE(fRTCMParsing->isVisible());
    EXPECT_FALSE(QFile::exists(dayFile()));
}

TEST_F(RTCMParsingWindow, FailedSaveIsShownAndTheWindowStays)
{
    // The day's folder cannot be made: a file stands where the data root should be.
    QFile blocker(root.path() + "/QMT");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    TRTCMBaseStation last;
    TfRTCMParsing::ShowReport(snapshot, vessel, last);
    fRTCMParsing->btnClose->click();
    EXPECT_TRUE(fRTCMParsing->isVisible());
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains("Cannot create folder")) << messages[0].toStdString();
}
