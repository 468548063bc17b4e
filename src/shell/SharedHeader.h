#pragma once
// The program's common file-system vocabulary: the day's data folders, the date and
// time as short texts, the daily event log.
//
// The folder globals are built from the start-up date and keep it for the whole run;
// every function and every day-file name takes the date of the moment of the call,
// so a run that passes midnight keeps writing into the start day's folders.

#include <QDateTime>
#include <QString>
#include <string>

// Local date "YYYY-MM-DD" and local time "hhnn" at the moment of the call.
std::string GetDateString();
std::string GetTimeString();

// Folder paths of the start day (each ends with "/").
extern std::string StartDate;
extern std::string DayFolder;
extern std::string LayoutFolder;
extern std::string LogFolder;
extern std::string XyzFolder;
extern std::string SvpFolder;
extern std::string CoordinatesCsvPath;
extern std::string EllipsoidParams;
extern std::string TMParams;
extern QString LastStatusMessage;
extern std::string CoordinatesCsvHeader;

// Builds the globals above from the clock and the data root. Runs once at start-up;
// tests call it again after moving the clock or the data root.
void InitSharedHeaderGlobals();

// Creates the data root, today's folder and its QMT, LOG and SVP subfolders, each
// when missing. A folder that cannot be made is reported in an error box (once, with
// the first such folder); the others are still tried.
void CreateDataFolders();

// The report of a data folder that cannot be made.
QString DataFolderFailureText(const QString& folder);

// Appends one entry to an event log: a line break, "Auto Event:", a tab, the date and
// time ("YYYY-MM-DD hhnnsszzz"), a tab and the text. Never fails: a log that cannot
// be written is reported on standard error and the call returns.
void AppendAutoEvent(const std::string& text, const std::string& logFile);

// The writer behind every event-log entry: appends a line break (CR LF) and the text,
// with no line break after it. False when the log could not be written (reported on
// standard error as well).
bool AppendEventLogText(const std::string& text, const std::string& logFile);

// The day's event log as every caller names it: LogFolder + today's date + " Events.log".
std::string TodaysEventLogPath();

// The framework's date-and-time text: "YYYY-MM-DD hhnnsszzz"; at exactly midnight
// the time part is left out.
std::string DateTimeText(const QDateTime& t);

// A newly allocated wide-character copy of an 8-bit (UTF-8) text, with its
// terminating zero. The caller owns the array (delete[]).
wchar_t* AnsiToWideBuffer(const std::string& text);
