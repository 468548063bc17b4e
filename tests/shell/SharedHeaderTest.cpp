#include "shell/SharedHeader.h"

#include "platform/AppPaths.h"
#include "platform/Clock.h"
#include "platform/MessageBox.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QDateTime at(int y, int mo, int d, int h, int mi, int s = 0, int ms = 0)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s, ms));
}

class SharedHeaderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        skerra::setDataRootForTesting(root_.path());
        setNow(at(2024, 12, 31, 23, 59, 58, 7));
        InitSharedHeaderGlobals();
    }
    void TearDown() override
    {
        skerra::setClockForTesting({});
        skerra::setDataRootForTesting({});
    }
    void setNow(QDateTime t) { now_ = t, skerra::setClockForTesting([this] { return now_; }); }
    QByteArray read(const std::string& path)
    {
        QFile f(QString::fromStdString(path));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    QTemporaryDir root_;
    QDateTime now_;
};

TEST_F(SharedHeaderTest, DateAndTimeTexts)
{
    const struct { QDateTime t; const char* date; const char* time; } cases[] = {
        {at(2024, 12, 31, 23, 59, 59), "2024-12-31", "2359"},
        {at(2025, 3, 1, 0, 0, 0), "2025-03-01", "0000"},
        {at(2025, 1, 5, 9, 5, 59), "2025-01-05", "0905"},
    };
    for (const auto& c : cases) {
        setNow(c.t);
        EXPECT_EQ(GetDateString(), c.date);
        EXPECT_EQ(GetTimeString(), c.time);
    }
    EXPECT_EQ(DateTimeText(at(2025, 1, 5, 9, 5, 59, 42)), "2025-01-05 090559042");
    EXPECT_EQ(DateTimeText(at(2025, 1, 5, 0, 0, 0, 0)), "2025-01-05");  // midnight: no time part
}

TEST_F(SharedHeaderTest, FoldersKeepTheStartDayAcrossMidnight)
{
    const std::string root = root_.path().toStdString() + "/";
    EXPECT_EQ(StartDate, "2024-12-31");
    EXPECT_EQ(DayFolder, root + "2024-12-31/");
    EXPECT_EQ(LayoutFolder, root + "2024-12-31/QMT/");
    EXPECT_EQ(LogFolder, root + "2024-12-31/LOG/");
    EXPECT_EQ(XyzFolder, root + "2024-12-31/XYZ/");
    EXPECT_EQ(SvpFolder, root + "2024-12-31/SVP/");
    EXPECT_EQ(CoordinatesCsvPath, root + "2024-12-31/LOG/2024-12-31 Coordinates.csv");

    setNow(at(2025, 1, 1, 0, 0, 1));
    EXPECT_EQ(TodaysEventLogPath(), root + "2024-12-31/LOG/2025-01-01 Events.log");
}

TEST_F(SharedHeaderTest, CreateDataFoldersMakesTheDayTreeButNotXyz)
{
    ASSERT_TRUE(QDir(root_.path()).removeRecursively());  // the root itself is made too
    CreateDataFolders();
    const QString day = root_.path() + "/2024-12-31/";
    for (const char* sub : {"", "QMT", "LOG", "SVP"}) EXPECT_TRUE(QDir(day + sub).exists()) << sub;
    EXPECT_FALSE(QDir(day + "XYZ").exists());
    CreateDataFolders();  // existing folders are no error
}

TEST_F(SharedHeaderTest, CreateDataFoldersReportsTheFirstFolderThatCannotBeMade)
{
    QStringList boxes;
    auto old = skerra::setMessageHandler([&](const skerra::MessageRequest& r) { boxes << r.text; return skerra::MbOk; });
    QFile blocker(root_.path() + "/2024-12-31");  // a file where the day folder should be
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    CreateDataFolders();
    skerra::setMessageHandler(old);
    const QString day = QDir::toNativeSeparators(root_.path() + "/2024-12-31");
    EXPECT_EQ(boxes.join("|").toStdString(),
              ("Cannot create log folder " + day + ". Check if you are authorized create folder at this address.")
                  .toStdString());
}

TEST_F(SharedHeaderTest, EventLogEntriesHaveTheirExactBytes)
{
    QDir().mkpath(QString::fromStdString(LogFolder));
    const std::string log = TodaysEventLogPath();
    setNow(at(2024, 12, 31, 23, 59, 58, 7));
    AppendAutoEvent("A", log);
    setNow(at(2024, 12, 31, 23, 59, 59, 999));
    AppendAutoEvent("B \xc3\xa7", log);
    EXPECT_EQ(read(log), QByteArray("\r\nAuto Event:\t2024-12-31 235958007\tA"
                                    "\r\nAuto Event:\t2024-12-31 235959999\tB \xc3\xa7"));
}

TEST_F(SharedHeaderTest, EventLogThatCannotBeOpenedIsNoError)
{
    EXPECT_NO_THROW(AppendAutoEvent("lost", root_.path().toStdString() + "/no/such/folder/x.log"));
}

}  // namespace

namespace {

TEST(AnsiToWideBuffer, ConvertsUtf8WithItsTerminatingZero)
{
    wchar_t* w = AnsiToWideBuffer("track_fix \xc3\xa7\xc4\xb1");
    EXPECT_EQ(std::wstring(w), L"track_fix \u00e7\u0131");
    delete[] w;
    w = AnsiToWideBuffer("");
    EXPECT_EQ(w[0], L'\0');
    delete[] w;
}

}  // namespace
