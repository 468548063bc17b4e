#pragma once
// Names and paths of the periodic screenshots. A monitor is named by where it lies
// among the others: "Primary" when alone; else "Left", "Right" or "Middle" by the
// left edges, then "Top" or "Bottom" by the top edges, else "Monitor<i+1>". Names
// that two monitors share within one tick get " <i+1>", so no file overwrites another.

#include <QDateTime>
#include <QRect>
#include <QString>

#include <string>
#include <vector>

// One name per rectangle, in the order given.
std::vector<QString> ScreenshotNames(const std::vector<QRect>& screens);

// The same names for a list of names that may repeat: each repeated one gets " <i+1>".
std::vector<QString> DistinctScreenshotNames(std::vector<QString> names);

// The start day's PNG folder: dayFolder (ending with "/") + "PNG/".
QString ScreenshotFolder(const std::string& dayFolder);

// folder + "ZQB YYYY-MM-DD hhnnss <name>.png".
QString ScreenshotFileName(const QString& folder, const QDateTime& now, const QString& name);
