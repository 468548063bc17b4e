#pragma once
// The program's own 8-bit text files are UTF-8. Readers accept LF or CR LF line ends
// and a UTF-8 byte-order mark; writers use CR LF where the file format says so.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace skerra {

// Splits file content into lines (LF, CR LF or lone CR), dropping a leading BOM.
// A final line break does not make an extra empty line.
QStringList splitTextLines(const QByteArray& content);

// Reads a whole text file as lines; an unreadable file gives no lines and ok=false.
QStringList readTextLines(const QString& path, bool* ok = nullptr);

// Writes lines joined by CR LF (or LF), with a final line break when asked.
// Replaces the file atomically. Returns false, the old file as it was and the
// reason in error, when the file cannot be written.
bool writeTextLines(const QString& path, const QStringList& lines, bool crlf = true,
                    bool finalBreak = true, QString* error = nullptr);

}  // namespace skerra
