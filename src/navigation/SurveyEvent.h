#pragma once
// Survey events: a counter kept in the settings file, so the numbering goes on across
// runs and days until it is reset, and the entry each event adds to the day's event log.

#include <optional>
#include <string>

namespace skerra {
class IniFile;
}

// One marked event as the log records it.
struct SurveyEventRecord {
    int number = 0;
    std::string dateTime;  // "YYYY-MM-DD hhnnsszzz"
    double easting = 0, northing = 0;
    std::string depthHigh, depthLow;  // the realtime window's depth captions, as shown
    double heading = 0;               // grid heading, degrees
};

// "Event No:<n>,Date & Time:<date time>,Easting:<e>,Northing:<n>,True Depth:<high>,
// True Depth:<low>,Heading:<h>": easting, northing and heading with two decimals.
std::string SurveyEventEntry(const SurveyEventRecord& event);

// The number of the last event marked; 0 when none is stored.
int LastEventNumber(const skerra::IniFile& ini);
// The number of the next event, one past the last; nothing when the last one stored
// is already the largest number an int holds (the counter must be reset).
std::optional<int> NextEventNumber(const skerra::IniFile& ini);
// Stores the number of the last event; a refused write raises skerra::IniWriteError.
void StoreEventNumber(skerra::IniFile& ini, int number);

// Appends the event's entry to an event log, after a line break like every entry.
// False when the log could not be written.
bool AppendSurveyEvent(const SurveyEventRecord& event, const std::string& logFile);
