#include "devices/rtcm/RTCMReportLog.h"

#include "platform/AppPaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <stdexcept>

namespace skerra::rtcm {

namespace {

constexpr char kLineEnd[] = "\r\n";

[[noreturn]] void fail(const QString& what, const QString& path)
{
    throw std::runtime_error((what + QStringLiteral(" \"") + QDir::toNativeSeparators(path) + QStringLiteral("\""))
                                 .toStdString());
}

}  // namespace

QString RTCMReportLogPath(const QDate& day)
{
    const QString date = day.toString(QStringLiteral("yyyy-MM-dd"));
    return skerra::dataRoot() + date + QStringLiteral("/LOG/") + date + QStringLiteral(" Halvek RTCM Parsing.log");
}

void AppendRTCMReportLog(const QString& path, const QStringList& lines)
{
    if (lines.isEmpty())
        return;
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder))
        fail(QStringLiteral("Cannot create folder"), folder);
    QFile file(path);
    if (!file.open(QIODevice::Append))
        fail(QStringLiteral("Cannot open file"), path);
    QByteArray text;
    if (file.size() > 0)
        text += kLineEnd;   // an empty line between two reports
    for (const QString& line : lines)
        text += line.toUtf8() + kLineEnd;
    if (file.write(text) != text.size() || !file.flush())
        fail(QStringLiteral("Cannot write file"), path);
}

}  // namespace skerra::rtcm
