#pragma once
// The keys of the on-screen numeric keypad and text keyboard: captions, places on
// their panels and what each does. No widgets.

#include <QRect>
#include <QSize>
#include <QString>
#include <vector>

namespace skerra {

enum class KeyRole { Character, Back, Enter, Shift, Space };

struct KeyDef {
    QString caption;
    QRect rect;  // on the panel
    KeyRole role = KeyRole::Character;
    bool bold = false;
};

// Twelve keys "7" "8" "9" / "4" "5" "6" / "1" "2" "3" / "Back" "0" "Enter", 50 x 45
// each, in three columns at 5, 60, 115 and rows at 5, 55, 105, 155; then a fifth row
// with "-" and "." for signed and decimal numbers. All bold.
std::vector<KeyDef> numericKeypadKeys();
QSize numericKeypadSize();

// Digits, the three letter rows (capitals), Shift, Back, Space and Enter; the 36
// character keys come first, in rows.
std::vector<KeyDef> simpleKeyboardKeys();
QSize simpleKeyboardSize();
constexpr int SimpleKeyboardCharacterKeys = 36;
constexpr int SimpleKeyboardDigitKeys = 10;

// A one-letter caption in the case that Shift asks for; any other caption as it is.
QString letterCaption(const QString& caption, bool upper);

// A text with its last character removed (nothing for an empty one).
QString withoutLastCharacter(const QString& text);

}  // namespace skerra
