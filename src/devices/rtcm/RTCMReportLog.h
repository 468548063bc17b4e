#pragma once
// The day's file of saved correction-stream reports:
// data root + date + "/LOG/" + date + " Halvek RTCM Parsing.log" (date "yyyy-MM-dd",
// the day of saving). Each save appends one report; reports are separated by an
// empty line. Lines are UTF-8, ended by CR LF.

#include <QDate>
#include <QString>
#include <QStringList>

namespace skerra::rtcm {

QString RTCMReportLogPath(const QDate& day);

// Creates the folder with every missing level and appends the lines (nothing for no
// lines). Raises std::runtime_error when the folder or the file cannot be written.
void AppendRTCMReportLog(const QString& path, const QStringList& lines);

}  // namespace skerra::rtcm
