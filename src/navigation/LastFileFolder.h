#pragma once
// The status bar's last-file panel: which folder it shows and opens, and where a
// click on it lands.

#include <QString>

// The folder shown for a file. A layout inside the data tree's QMT folder of a day
// (<data root>/<day>/QMT/) shows its day's folder; any other file shows its own folder.
// Native separators, no trailing separator.
QString LastFileFolderText(const QString& fileName, const QString& dataRoot);

// A click at x lies on a panel that starts at left and is width wide: both edges count.
bool PanelContains(int left, int width, int x);
