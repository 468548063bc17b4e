#pragma once
// Where the program's files live.
//
// The settings file lies beside the program: the program's path with ".INI"
// ("skerra.INI"). "Beside the program" files (Languages/, profiles.txt, the
// sound-velocity files) share that folder. Survey data go below the data root,
// ~/QMT on Linux. Tests point both at temporary folders.

#include <QString>

namespace skerra {

QString programFolder();        // ends with "/"
QString settingsFilePath();     // programFolder() + program name + ".INI"
QString besideProgram(const QString& name);  // programFolder() + name
QString dataRoot();             // ends with "/", e.g. "/home/ann/QMT/"

void setProgramFolderForTesting(const QString& folder, const QString& programName = "skerra");
void setDataRootForTesting(const QString& root);

}  // namespace skerra
