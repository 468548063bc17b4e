#pragma once
// Where the program's files live.
//
// The settings file lies beside the program: the program's path with ".INI"
// ("skerra.INI"). "Beside the program" files (Languages/, profiles.txt) share that
// folder; the sound-velocity lists lie beside the settings file, which is the same
// folder unless the run names another settings file. Survey data go below the data root,
// ~/QMT on Linux. Tests point both at temporary folders.
//
// The command line can point one run at another settings file and data root
// (a demo, a second survey set-up) without touching the usual ones:
//   skerra --settings FILE --data-root FOLDER

#include <QString>
#include <QStringList>

namespace skerra {

QString programFolder();        // ends with "/"
QString settingsFilePath();     // programFolder() + program name + ".INI"
QString besideProgram(const QString& name);  // programFolder() + name
QString settingsFolder();       // the settings file's folder, ends with "/"
QString besideSettings(const QString& name);  // settingsFolder() + name
QString dataRoot();             // ends with "/", e.g. "/home/ann/QMT/"

// Reads "--settings FILE" and "--data-root FOLDER" (also "--settings=FILE",
// "--data-root=FOLDER") among the program's arguments (the program name first) and
// uses them for this run; relative paths are taken from the current folder. Other
// arguments are left alone. Returns an error text for an option without its value,
// else an empty text.
QString applyPathArguments(const QStringList& arguments);

// For this run; an empty path goes back to the usual location.
void setSettingsFile(const QString& path);
void setDataRoot(const QString& root);

void setProgramFolderForTesting(const QString& folder, const QString& programName = "skerra");
void setDataRootForTesting(const QString& root);

}  // namespace skerra
