#pragma once
// The program's named visual styles, built on Qt's Fusion style with palettes.
// "Skerra - Default" stands for the platform's own look and is not in the list.

#include <QColor>
#include <QString>
#include <QStringList>
#include <optional>

class QApplication;

namespace skerra {

inline const QString DefaultStyleName = QStringLiteral("Skerra - Default");

// Names of the styles compiled into the program, "Light" first.
QStringList styleNames();

// Makes the named style (matched without regard to case) the active one. When no
// style has that name and showError is set, shows "Style '<name>' not found" with a
// Close button; the look stays as it was. Returns whether a style was applied.
bool trySetStyle(const QString& name, bool showError = true);

// The name of the active style, or DefaultStyleName.
QString activeStyleName();

// As trySetStyle, and DefaultStyleName (exactly so spelt) brings back the platform's
// own look, as it was before the first style was applied.
bool applyStyle(const QString& name, bool showError = true);

// The colour of panels and window backgrounds in the active look.
QColor activePanelColour();

// Whether the active look is a dark one: its window darker than its text.
bool activeStyleIsDark();

// The colour of the band that shows a running survey: green by day, a dark green under
// a dark style and the style's own highlight under a style for night work, so that
// no band lights up in the dark.
QColor activeRunningColour();

// The chart background a style for night work keeps during a survey, whatever the
// navigation settings say; no value for the other styles.
std::optional<QColor> activeStyleChartColour();

}  // namespace skerra
