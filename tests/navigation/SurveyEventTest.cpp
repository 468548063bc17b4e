#include "navigation/SurveyEvent.h"

#include "platform/IniFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

SurveyEventRecord record(int n, double e, double north, const char* high, const char* low, double heading)
{
    SurveyEventRecord r;
    r.number = n;
    r.dateTime = "2026-03-04 081502007";
    r.easting = e;
    r.northing = north;
    r.depthHigh = high;
    r.depthLow = low;
    r.heading = heading;
    return r;
}

TEST(SurveyEventEntry, FieldsInOrderWithTwoDecimals)
{
    const struct { SurveyEventRecord event; const char* expected; } cases[] = {
        {record(1, 512345.678, 4456789.004, "12.34", "12.80", 87.126),
         "Event No:1,Date & Time:2026-03-04 081502007,Easting:512345.68,Northing:4456789.00,"
         "True Depth:12.34,True Depth:12.80,Heading:87.13"},
        // No position projected yet, no depth yet, the heading's start value.
        {record(7, 0, 0, "---", "---", 1e-9),
         "Event No:7,Date & Time:2026-03-04 081502007,Easting:0.00,Northing:0.00,"
         "True Depth:---,True Depth:---,Heading:0.00"},
        {record(12, -1500.5, -3.004, "4.1", "---", 359.999),
         "Event No:12,Date & Time:2026-03-04 081502007,Easting:-1500.50,Northing:-3.00,"
         "True Depth:4.1,True Depth:---,Heading:360.00"},
        // Large coordinates keep every digit, with no thousands separator.
        {record(100000, 12345678.9, 0.001, "0.5", "0.6", 0),
         "Event No:100000,Date & Time:2026-03-04 081502007,Easting:12345678.90,Northing:0.00,"
         "True Depth:0.5,True Depth:0.6,Heading:0.00"},
    };
    for (const auto& c : cases) EXPECT_EQ(SurveyEventEntry(c.event), c.expected);
}

TEST(SurveyEventLog, EntryFollowsALineBreakAndEndsWithoutOne)
{
    QTemporaryDir dir;
    const std::string log = (dir.path() + "/events.log").toStdString();
    ASSERT_TRUE(AppendSurveyEvent(record(1, 1, 2, "3", "4", 5), log));
    ASSERT_TRUE(AppendSurveyEvent(record(2, 1, 2, "3", "4", 5), log));
    QFile f(QString::fromStdString(log));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray text = f.readAll();
    const QByteArray one = "\r\nEvent No:1,Date & Time:2026-03-04 081502007,Easting:1.00,Northing:2.00,"
                           "True Depth:3,True Depth:4,Heading:5.00";
    QByteArray two = one;
    two.replace("No:1", "No:2");
    EXPECT_EQ(text, one + two);
}

TEST(SurveyEventLog, UnwritableLogIsReported)
{
    QTemporaryDir dir;
    EXPECT_FALSE(AppendSurveyEvent(record(1, 0, 0, "---", "---", 0), (dir.path() + "/no/such/folder.log").toStdString()));
}

TEST(SurveyEventCounter, StartsAtZeroAndKeepsWhatIsStored)
{
    QTemporaryDir dir;
    skerra::IniFile ini(dir.path() + "/Skerra.INI");
    EXPECT_EQ(LastEventNumber(ini), 0);
    StoreEventNumber(ini, 41);
    EXPECT_EQ(LastEventNumber(skerra::IniFile(dir.path() + "/Skerra.INI")), 41);
    EXPECT_EQ(ini.ReadString("EVENTS", "Event Number", ""), "41");
    ini.WriteString("EVENTS", "Event Number", "x");
    EXPECT_EQ(LastEventNumber(ini), 0);  // not a number: counted from the start
}

// A number edited to the limits of an int: the next one never overflows.
TEST(SurveyEventCounter, TheNextNumberStopsAtTheLargestInt)
{
    QTemporaryDir dir;
    skerra::IniFile ini(dir.path() + "/Skerra.INI");
    const struct {
        const char* stored;
        std::optional<int> next;
    } cases[] = {
        {"41", 42},
        {"2147483646", 2147483647},
        {"2147483647", std::nullopt},
        {"-2147483648", -2147483647},
        {"2147483648", 1},  // beyond an int: not a number, counted from the start
    };
    for (const auto& c : cases) {
        ini.WriteString("EVENTS", "Event Number", c.stored);
        EXPECT_EQ(NextEventNumber(ini), c.next) << c.stored;
    }
}

}  // namespace
