#include "SvpListFiles.h"

#include "platform/TextLines.h"

#include <QFileInfo>

#include <optional>

namespace skerra::svp {

QString ListName(SvpList list)
{
    switch (list) {
    case SvpList::RawData: return QStringLiteral("mRawSVData");
    case SvpList::Extracted: return QStringLiteral("mRawSVExtracted");
    case SvpList::Averaged: return QStringLiteral("mSortedAveragedSV");
    case SvpList::Column: return QStringLiteral("mSVPColumn");
    }
    return {};
}

QString ListFileName(SvpList list) { return ListName(list) + QStringLiteral(".ini"); }

QString DatedListPath(const QString& folder, const QString& date, SvpList list)
{
    return folder + date + QLatin1Char(' ') + ListFileName(list);
}

QString ExistingListFile(const QString& path)
{
    const QString stem = path.endsWith(QStringLiteral(".ini"), Qt::CaseInsensitive) ? path.left(path.size() - 4) : path;
    QString newest;
    QDateTime newestTime;
    for (const QString& candidate : {stem + QStringLiteral(".ini"), stem + QStringLiteral(".INI")}) {
        const QFileInfo info(candidate);
        if (!info.isFile()) continue;
        if (newest.isEmpty() || info.lastModified() > newestTime) {
            newest = candidate;
            newestTime = info.lastModified();
        }
    }
    return newest;
}

std::optional<QStringList> LoadList(const QString& besidePath, const QString& datedPath)
{
    std::optional<QStringList> lines;
    for (const QString& path : {besidePath, datedPath}) {
        const QString file = ExistingListFile(path);
        if (file.isEmpty()) continue;
        bool ok = false;
        QStringList read = skerra::readTextLines(file, &ok);
        if (!ok) return std::nullopt;
        lines = std::move(read);
    }
    return lines;
}

QString WriteLists(const SvpListTexts& lists, const std::function<QString(SvpList)>& pathFor, QString* reason)
{
    for (size_t i = 0; i < kAllLists.size(); ++i) {
        const QString path = pathFor(kAllLists[i]);
        if (!skerra::writeTextLines(path, lists[i], true, true, reason)) return path;
    }
    return {};
}

}  // namespace skerra::svp
