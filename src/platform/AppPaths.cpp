#include "AppPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace skerra {
namespace {

struct Locations {
    QString programFolder;   // empty: the running program's folder
    QString programName;
    QString dataRoot;        // empty: ~/QMT/
};

Locations& locations()
{
    static Locations l;
    return l;
}

QString withSlash(QString path)
{
    if (!path.endsWith('/')) path += '/';
    return path;
}

QString runningProgramPath()
{
    if (QCoreApplication::instance()) return QCoreApplication::applicationFilePath();
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
}

}  // namespace

QString programFolder()
{
    if (!locations().programFolder.isEmpty()) return withSlash(locations().programFolder);
    return withSlash(QFileInfo(runningProgramPath()).absolutePath());
}

QString settingsFilePath()
{
    const QString name = !locations().programFolder.isEmpty()
                             ? locations().programName
                             : QFileInfo(runningProgramPath()).completeBaseName();
    return programFolder() + name + ".INI";
}

QString besideProgram(const QString& name) { return programFolder() + name; }

QString dataRoot()
{
    if (!locations().dataRoot.isEmpty()) return withSlash(locations().dataRoot);
    return withSlash(QDir::homePath() + "/QMT");
}

void setProgramFolderForTesting(const QString& folder, const QString& programName)
{
    locations().programFolder = folder;
    locations().programName = programName;
}

void setDataRootForTesting(const QString& root) { locations().dataRoot = root; }

}  // namespace skerra
