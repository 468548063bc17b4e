#include "SharedHeader.h"

#include "platform/AppPaths.h"
#include "platform/Clock.h"
#include "platform/MessageBox.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>

std::string StartDate;
std::string DayFolder;
std::string LayoutFolder;
std::string LogFolder;
std::string XyzFolder;
std::string SvpFolder;
std::string CoordinatesCsvPath;
std::string EllipsoidParams;
std::string TMParams;
QString LastStatusMessage;
std::string CoordinatesCsvHeader;

namespace {

std::string dateText(const QDate& d) { return d.toString(QStringLiteral("yyyy-MM-dd")).toStdString(); }

std::string rootPath() { return skerra::dataRoot().toStdString(); }

// Folders are made one at a time, each only when missing. Whether it is there now (a
// file of that name is no folder).
bool makeFolder(const QString& path) { return QFileInfo(path).isDir() || QDir().mkdir(path); }

// Built once at start-up, before any window exists.
const bool kGlobalsReady = (InitSharedHeaderGlobals(), true);

}  // namespace

std::string GetDateString() { return dateText(skerra::currentDateTime().date()); }

std::string GetTimeString()
{
    return skerra::currentDateTime().time().toString(QStringLiteral("HHmm")).toStdString();
}

void InitSharedHeaderGlobals()
{
    const std::string root = rootPath();
    const std::string date = GetDateString();
    LayoutFolder = root + date + "/QMT/";
    LogFolder = root + date + "/LOG/";
    XyzFolder = root + date + "/XYZ/";
    DayFolder = root + date + "/";
    SvpFolder = root + date + "/SVP/";
    StartDate = date;
    CoordinatesCsvPath = LogFolder + date + " Coordinates.csv";
}

QString DataFolderFailureText(const QString& folder)
{
    return QStringLiteral("Cannot create log folder ") + QDir::toNativeSeparators(folder) +
           QStringLiteral(". Check if you are authorized create folder at this address.");
}

void CreateDataFolders()
{
    QString failed;
    try {
        const QString root = skerra::dataRoot();
        const QString day = root + QString::fromStdString(GetDateString());
        for (const QString& folder : {root, day, day + "/QMT", day + "/LOG", day + "/SVP"})
            if (!makeFolder(folder) && failed.isEmpty()) failed = folder;
    } catch (...) {
        failed = skerra::dataRoot();
    }
    if (!failed.isEmpty()) skerra::showError(DataFolderFailureText(failed));
}

std::string DateTimeText(const QDateTime& t)
{
    std::string text = dateText(t.date());
    if (t.time() != QTime(0, 0)) text += " " + t.time().toString(QStringLiteral("HHmmsszzz")).toStdString();
    return text;
}

void AppendAutoEvent(const std::string& text, const std::string& logFile)
{
    AppendEventLogText("Auto Event:\t" + DateTimeText(skerra::currentDateTime()) + "\t" + text, logFile);
}

bool AppendEventLogText(const std::string& text, const std::string& logFile)
{
    const std::string entry = "\r\n" + text;
    QFile f(QString::fromStdString(logFile));
    if (f.open(QIODevice::Append) && f.write(entry.data(), qint64(entry.size())) == qint64(entry.size()) && f.flush())
        return true;
    std::fprintf(stderr, "Skerra: cannot write to the event log %s\n", logFile.c_str());
    return false;
}

std::string TodaysEventLogPath() { return LogFolder + GetDateString() + " Events.log"; }

wchar_t* AnsiToWideBuffer(const std::string& text)
{
    const QString wide = QString::fromStdString(text);
    auto* buffer = new wchar_t[size_t(wide.size()) + 1];
    const qsizetype n = wide.toWCharArray(buffer);
    buffer[n] = L'\0';
    return buffer;
}
