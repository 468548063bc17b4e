#pragma once
// The realtime geodesy log: at every realtime start the grid parameters that the
// map tick uses for this run are appended to the day's "<date> Geodesy.txt" in the
// start day's LOG folder. A new file begins with a three-line header; each start
// adds one block of 26 lines. Lines end with CR LF, no byte-order mark. The file
// is only ever appended to, never read back and rewritten.

#include "shell/SurveySettingsValues.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

#include <string>
#include <vector>

namespace skerra::survey {

// logFolder (ending with "/") + "YYYY-MM-DD Geodesy.txt" for the date of the call.
std::string GeodesyLogPath(const std::string& logFolder, const QDate& date);

// "GEODETIC PARAMETERS LOG - YYYY-MM-DD", forty "=" and an empty line.
std::vector<std::string> GeodesyLogHeader(const QDate& date);

// The session block: the start time ("hhnnsszzz"), the ellipsoid, the datum
// transformation, Transverse Mercator and Lambert parameters, verbatim; the three
// switches as "Yes" or "No".
std::vector<std::string> GeodesyLogBlock(const GridSettingsTexts& grid, const QTime& time);

// Appends the block (with the header first when the file is new or empty), creating
// the folder when missing. Empty when written, else the reason in words.
std::string AppendGeodesyLog(const std::string& path, const QDate& date, const std::vector<std::string>& block);

}  // namespace skerra::survey

// One realtime start's entry: the block for `grid` at `now`, appended to the day's
// file in logFolder. Empty when written, else the reason.
std::string LogGeodesySession(const GridSettingsTexts& grid, const QDateTime& now, const std::string& logFolder);
