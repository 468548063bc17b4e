#pragma once
// The settings window's keys in the settings file, as one table of data: section,
// key, kind, default and the control the value belongs to. Creation reads the rows in
// table order into the controls; the lock save writes every saved row back in one
// atomic replacement. No widgets here: the window hands the controls' values over as
// a FormValues map keyed by control name.

#include "platform/Colour.h"

#include <QString>

#include <map>
#include <optional>
#include <span>
#include <string>
#include <variant>

namespace skerra {

class IniFile;

// How a row is stored and which control value it fills.
enum class SettingKind {
    Text,          // a drop-down list's or an edit's text, stored as it is
    Check,         // a check box's state, stored "1"/"0", read as an integer (non-zero: true)
    Colour,        // a colour picker's TColor, stored as a decimal integer (read: decimal or 0x hex)
    Seconds,       // an edit holding whole seconds, stored as an integer (60 for a non-integer text)
    LockOverride,  // the hand-edited lock override; read only, never written
    Lock,          // the lock box; written by the lock handler itself
};

// A control's value: a text, a check box's state or a colour.
using SettingValue = std::variant<QString, bool, TColor>;
// The values of the window's controls by control name.
using FormValues = std::map<std::string, SettingValue>;

struct SettingRow {
    const char* section;
    const char* key;       // without padding: the file compares keys without surrounding blanks
    SettingKind kind;
    bool defaultIsCurrent; // a missing key keeps the control's current value
    const char* defaultText;  // Text rows
    int defaultNumber;        // Check (0/1), Colour and Seconds rows
    const char* control;      // the control's name; empty for the override row
};

// Every row in creation order: the 69 rows of the window's read, with the screenshot
// interval read just before the last row (the lock), so that a locked start saves
// the stored interval and not the edit's design value.
std::span<const SettingRow> settingsTable();

// The row for a control, or null.
const SettingRow* settingRowFor(const std::string& control);

// The value a row reads from the file; `current` is the control's present value,
// used as the default for rows whose default is the control's current value.
SettingValue readSetting(const IniFile& ini, const SettingRow& row, const SettingValue& current);

// The override "LOCK SETTINGS"/"Settings Locked (true/false)": "true"/"false" in any
// letter case or an integer (0 unlocked, anything else locked); any other text,
// the empty one included, is no override.
std::optional<bool> parseLockOverride(const QString& text);
std::optional<bool> readLockOverride(const IniFile& ini);

// The text written for a value of a row.
QString storedText(const SettingRow& row, const SettingValue& value);

// Writes the lock key (locked) and every saved row from `values` in one replacement of
// the file. Raises IniWriteError and leaves the file as it was when it cannot be written.
void writeLockedSettings(IniFile& ini, const FormValues& values);
// Writes only the lock key as unlocked.
void writeUnlocked(IniFile& ini);

// Shorthands for reading a FormValues entry (a missing entry gives an empty value).
QString textValue(const FormValues& values, const std::string& control);
bool checkValue(const FormValues& values, const std::string& control);
TColor colourValue(const FormValues& values, const std::string& control);

}  // namespace skerra
