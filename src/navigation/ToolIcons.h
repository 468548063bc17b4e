#pragma once
// The tool bars' icons: line drawings in dark navy with a few coloured marks. Where the
// navy would not stand out from the bar (under a dark style) the lines take a lighter
// shade of it, so every icon reads on the bar it lies on.

#include <QColor>
#include <QIcon>
#include <QString>

// The navy the icons are drawn with.
inline const QColor ToolIconNavy(0x1d, 0x35, 0x57);

// The colour of an icon's lines on a bar of the given colour.
QColor toolIconLineColour(const QColor& barColour);

// The icon ":/navigation/icons/<name>.svg", its lines in the colour they take on the bar.
QIcon toolIcon(const QString& name, const QColor& barColour);
