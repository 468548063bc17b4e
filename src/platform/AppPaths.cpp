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
    QString settingsFile;    // empty: beside the program
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
    if (!locations().settingsFile.isEmpty()) return locations().settingsFile;
    const QString name = !locations().programFolder.isEmpty()
                             ? locations().programName
                             : QFileInfo(runningProgramPath()).completeBaseName();
    return programFolder() + name + ".INI";
}

QString besideProgram(const QString& name) { return programFolder() + name; }

QString settingsFolder() { return withSlash(QFileInfo(settingsFilePath()).absolutePath()); }

QString besideSettings(const QString& name) { return settingsFolder() + name; }

QString dataRoot()
{
    if (!locations().dataRoot.isEmpty()) return withSlash(locations().dataRoot);
    return withSlash(QDir::homePath() + "/QMT");
}

QString applyPathArguments(const QStringList& arguments)
{
    const std::pair<QString, void (*)(const QString&)> options[] = {
        {QStringLiteral("--settings"), setSettingsFile},
        {QStringLiteral("--data-root"), setDataRoot},
    };
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        for (const auto& [name, apply] : options) {
            QString value;
            if (arguments[i].startsWith(name + '='))
                value = arguments[i].mid(name.size() + 1);
            else if (arguments[i] == name && i + 1 < arguments.size())
                value = arguments[++i];
            else if (arguments[i] != name)
                continue;
            if (value.isEmpty()) return name + QStringLiteral(" needs a path");
            apply(value);
            break;
        }
    }
    return {};
}

void setSettingsFile(const QString& path)
{
    locations().settingsFile = path.isEmpty() ? QString() : QFileInfo(path).absoluteFilePath();
}

void setDataRoot(const QString& root)
{
    locations().dataRoot = root.isEmpty() ? QString() : QFileInfo(root).absoluteFilePath();
}

void setProgramFolderForTesting(const QString& folder, const QString& programName)
{
    locations().programFolder = folder;
    locations().programName = programName;
}

void setDataRootForTesting(const QString& root) { locations().dataRoot = root; }

}  // namespace skerra
