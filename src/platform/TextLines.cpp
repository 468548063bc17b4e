#include "TextLines.h"

#include "FileReplacement.h"

#include <QFile>

namespace skerra {

QStringList splitTextLines(const QByteArray& content)
{
    QByteArray bytes = content;
    if (bytes.startsWith("\xEF\xBB\xBF")) bytes.remove(0, 3);
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c != '\n' && c != '\r') continue;
        lines << QString::fromUtf8(bytes.constData() + start, i - start);
        if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < bytes.size()) lines << QString::fromUtf8(bytes.constData() + start, bytes.size() - start);
    return lines;
}

QStringList readTextLines(const QString& path, bool* ok)
{
    QFile f(path);
    const bool opened = f.open(QIODevice::ReadOnly);
    if (ok) *ok = opened;
    return opened ? splitTextLines(f.readAll()) : QStringList();
}

bool writeTextLines(const QString& path, const QStringList& lines, bool crlf, bool finalBreak, QString* error)
{
    const QByteArray sep = crlf ? "\r\n" : "\n";
    QByteArray out;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        out += lines[i].toUtf8();
        if (i + 1 < lines.size() || finalBreak) out += sep;
    }
    FileReplacement f(path);
    if (f.open() && f.write(out) && f.commit()) return true;
    if (error) *error = f.errorString();
    return false;
}

}  // namespace skerra
