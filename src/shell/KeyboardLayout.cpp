#include "KeyboardLayout.h"

namespace skerra {
namespace {

KeyDef key(const char* caption, int left, int top, int width, int height, KeyRole role = KeyRole::Character,
           bool bold = false)
{
    return {QString::fromLatin1(caption), QRect(left, top, width, height), role, bold};
}

constexpr int kPadKey = 50, kPadKeyHeight = 45, kPadColumn = 55, kPadRow = 50, kPadMargin = 5;
constexpr int kKey = 38, kGap = 3, kRow = kKey + kGap;

KeyRole padRole(const QString& caption)
{
    if (caption == QLatin1String("Back")) return KeyRole::Back;
    if (caption == QLatin1String("Enter")) return KeyRole::Enter;
    return KeyRole::Character;
}

void addRow(std::vector<KeyDef>& keys, const char* captions, int firstLeft, int top)
{
    for (int k = 0; captions[k]; ++k) {
        const char caption[2] = {captions[k], 0};
        keys.push_back(key(caption, kRow * k + firstLeft, top, kKey, kKey));
    }
}

}  // namespace

std::vector<KeyDef> numericKeypadKeys()
{
    static const char* const captions[] = {"7", "8", "9", "4", "5", "6", "1", "2", "3", "Back", "0", "Enter", "-", "."};
    std::vector<KeyDef> keys;
    for (int i = 0; i < int(std::size(captions)); ++i) {
        const QString caption = QString::fromLatin1(captions[i]);
        keys.push_back({caption,
                        QRect((i % 3) * kPadColumn + kPadMargin, (i / 3) * kPadRow + kPadMargin, kPadKey, kPadKeyHeight),
                        padRole(caption), true});
    }
    return keys;
}

// Five rows and a margin below the last.
QSize numericKeypadSize() { return {170, 255}; }

std::vector<KeyDef> simpleKeyboardKeys()
{
    std::vector<KeyDef> keys;
    const int top1 = kGap, top2 = top1 + kRow, top3 = top2 + kRow, top4 = top3 + kRow, top5 = top4 + kRow;
    addRow(keys, "1234567890", kGap, top1);
    addRow(keys, "QWERTYUIOP", kGap, top2);
    addRow(keys, "ASDFGHJKL", kGap + kKey / 2, top3);
    const int shiftWidth = 48;
    addRow(keys, "ZXCVBNM", shiftWidth + 6, top4);
    keys.push_back(key("Shift", kGap, top4, shiftWidth, kKey, KeyRole::Shift));
    keys.push_back(key("Back", 7 * kKey + shiftWidth + 6 + 21, top4, 53, kKey, KeyRole::Back));
    const int spaceLeft = kKey + 6, spaceWidth = 250;
    keys.push_back(key("Space", spaceLeft, top5, spaceWidth, kKey, KeyRole::Space));
    keys.push_back(key("Enter", spaceLeft + spaceWidth + kGap, top5, 80, kKey, KeyRole::Enter, true));
    return keys;
}

// Tall enough for the fifth row and the frame below it.
QSize simpleKeyboardSize() { return {420, 211}; }

QString letterCaption(const QString& caption, bool upper)
{
    if (caption.size() != 1 || !caption.front().isLetter()) return caption;
    return upper ? caption.toUpper() : caption.toLower();
}

QString withoutLastCharacter(const QString& text) { return text.isEmpty() ? text : text.chopped(1); }

}  // namespace skerra
