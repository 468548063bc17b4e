#pragma once
// The navigation display settings in the settings file (section NAVIGATION_SETTINGS)
// and the rules of the navigation settings window's number edits. No widgets.

#include "shell/SurveySettingsValues.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace skerra {

class IniFile;

inline const QString NavigationSettingsSection = QStringLiteral("NAVIGATION_SETTINGS");

// The pen widths the window's width edits offer.
constexpr int MinPenWidth = 0;
constexpr int MaxPenWidth = 15;

// The nine keys. Absent keys give widths "3", distance "20", alert "1", lines drawn,
// and the window's design colours (navy vessel, white chart, green and yellow tracks).
// A stored width is settled as the width edits can hold it (settledPenWidth); each
// change is added to `problems` when given.
NavigationDisplayValues readNavigationSettings(const IniFile& ini, QStringList* problems = nullptr);

// A stored pen width: a whole number outside MinPenWidth..MaxPenWidth takes the nearest
// allowed width, any other text that is not a whole number the default; never cut.
// `problem` says what was changed (empty when nothing was).
std::string settledPenWidth(const std::string& stored, const std::string& fallback, const QString& key,
                            QString& problem);
// Texts as they stand, colours as signed decimal numbers, the flag as "1" or "0".
void writeNavigationSettings(IniFile& ini, const NavigationDisplayValues& values);

// The map timer's interval for the update-rate edit: an empty text gives 500 ms, an
// integer gives itself but at least 50 ms, anything else none (the interval in force stays).
std::optional<int> mapTimerInterval(const QString& text);
constexpr int DefaultMapTimerInterval = 500;
constexpr int MinimumMapTimerInterval = 50;

// A pen width from a width edit (at most the widest pen a chart takes); none for
// a text that is not a whole number of 0 or more.
std::optional<int> penWidthFrom(const QString& text);

}  // namespace skerra
