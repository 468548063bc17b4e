// What the NTRIP log says while the line to the receiver drops corrections: a line with
// a figure when it starts, one a minute while it goes on, and one when it stops.

#include "devices/ntrip/CorrectionDropReport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using skerra::CorrectionRelayCounts;
using skerra::ntrip::TCorrectionDropReport;

namespace {

// Totals of a relay: `units` queued, `dropped` of them dropped with `bytes`.
CorrectionRelayCounts counts(quint64 units, quint64 dropped, quint64 bytes) { return {units, units * 100, dropped, bytes}; }

TEST(CorrectionDropReport, SaysWhenDroppingStartsGivesAFigureEveryMinuteAndSaysWhenItStops)
{
    struct Step {
        qint64 atMs;
        CorrectionRelayCounts totals;
        std::string line;    // logged at this step
        std::string status;  // the short figure afterwards
    };
    const std::string first = "GPS port overrun: 2 frames (300 bytes) of corrections dropped to keep them under a second old";
    const std::string again = "GPS port overrun: 1 frame (100 bytes) of corrections dropped to keep them under a second old";
    const std::string minute = "GPS port overrun: 32 of 127 frames (25 %, 4300 bytes) dropped in the last minute";
    const Step steps[] = {
        {0, counts(10, 5, 700), "", ""},  // dropped before the report started: not this connection's
        {1000, counts(17, 5, 700), "", ""},
        {2000, counts(24, 7, 1000), first, "Dropped 2 of 7 frames so far"},
        {30000, counts(80, 20, 2500), "", "Dropped 15 of 63 frames so far"},
        // Not yet a minute since the dropping started.
        {61999, counts(140, 36, 4700), "", "Dropped 31 of 123 frames so far"},
        {62000, counts(144, 37, 5000), minute, "Dropped 32 of 127 frames in the last minute"},
        {100000, counts(220, 37, 5000), "", "Dropped 32 of 127 frames in the last minute"},
        {122000, counts(264, 37, 5000), "GPS port: corrections no longer dropped", ""},
        {150000, counts(300, 38, 5100), again, "Dropped 1 of 36 frames so far"},
    };
    TCorrectionDropReport report("GPS port");
    report.Start(steps[0].totals);
    for (const Step& step : steps) {
        SCOPED_TRACE(step.atMs);
        EXPECT_EQ(report.Update(step.totals, step.atMs), step.line);
        EXPECT_EQ(report.Status(), step.status);
    }
    EXPECT_TRUE(report.Dropping());
}

TEST(CorrectionDropReport, AnotherRelayOrAClockSetBackStartsNoFalseReport)
{
    TCorrectionDropReport report("Output port");
    report.Start(counts(100, 50, 5000));
    // The port was reopened: its totals start again lower.
    EXPECT_EQ(report.Update(counts(3, 0, 0), 0), "");
    EXPECT_EQ(report.Update(counts(9, 1, 40), 1000).rfind("Output port overrun: 1 frame (40 bytes)", 0), 0u);
    // The clock went back a day: the minute counts from then on.
    EXPECT_EQ(report.Update(counts(20, 2, 80), -86400000), "");
    EXPECT_EQ(report.Update(counts(30, 3, 120), -86400000 + 59000), "");
    EXPECT_EQ(report.Update(counts(31, 4, 160), -86400000 + 60000),
              "Output port overrun: 4 of 28 frames (14 %, 160 bytes) dropped in the last minute");
}

}  // namespace
