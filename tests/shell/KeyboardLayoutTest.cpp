#include "shell/KeyboardLayout.h"

#include <QRect>
#include <gtest/gtest.h>

using namespace skerra;

namespace {

// Keys lie wholly within the panel, clear of its 3-pixel frame, and never overlap.
void expectKeysFit(const std::vector<KeyDef>& keys, const QSize& panel)
{
    const QRect inside = QRect(QPoint(0, 0), panel).adjusted(2, 2, -2, -2);
    for (std::size_t i = 0; i < keys.size(); ++i) {
        EXPECT_TRUE(inside.contains(keys[i].rect)) << keys[i].caption.toStdString();
        for (std::size_t j = i + 1; j < keys.size(); ++j)
            EXPECT_FALSE(keys[i].rect.intersects(keys[j].rect))
                << keys[i].caption.toStdString() << " and " << keys[j].caption.toStdString();
    }
}

}  // namespace

TEST(NumericKeypad, TheTwelveKeysKeepTheirPlacesAndSignAndPointComeBelow)
{
    const std::vector<KeyDef> keys = numericKeypadKeys();
    ASSERT_EQ(keys.size(), 14u);
    const struct { const char* caption; int left, top; KeyRole role; } expected[] = {
        {"7", 5, 5, KeyRole::Character},      {"8", 60, 5, KeyRole::Character},   {"9", 115, 5, KeyRole::Character},
        {"4", 5, 55, KeyRole::Character},     {"5", 60, 55, KeyRole::Character},  {"6", 115, 55, KeyRole::Character},
        {"1", 5, 105, KeyRole::Character},    {"2", 60, 105, KeyRole::Character}, {"3", 115, 105, KeyRole::Character},
        {"Back", 5, 155, KeyRole::Back},      {"0", 60, 155, KeyRole::Character}, {"Enter", 115, 155, KeyRole::Enter},
        {"-", 5, 205, KeyRole::Character},    {".", 60, 205, KeyRole::Character},
    };
    for (std::size_t i = 0; i < keys.size(); ++i) {
        EXPECT_EQ(keys[i].caption, expected[i].caption);
        EXPECT_EQ(keys[i].rect, QRect(expected[i].left, expected[i].top, 50, 45)) << expected[i].caption;
        EXPECT_EQ(keys[i].role, expected[i].role) << expected[i].caption;
        EXPECT_TRUE(keys[i].bold);
    }
    expectKeysFit(keys, numericKeypadSize());
}

TEST(SimpleKeyboard, RowsAndSpecialKeysSitWhereTheyShouldAndAllFitTheirPanel)
{
    const std::vector<KeyDef> keys = simpleKeyboardKeys();
    ASSERT_EQ(keys.size(), 40u);
    int characters = 0;
    for (const KeyDef& k : keys) characters += k.role == KeyRole::Character;
    EXPECT_EQ(characters, SimpleKeyboardCharacterKeys);
    for (int i = 0; i < SimpleKeyboardCharacterKeys; ++i) EXPECT_EQ(keys[i].role, KeyRole::Character) << i;

    const auto find = [&](const char* caption) {
        for (const KeyDef& k : keys)
            if (k.caption == QLatin1String(caption)) return k;
        ADD_FAILURE() << caption;
        return KeyDef{};
    };
    const struct { const char* caption; QRect rect; bool bold; } placed[] = {
        {"1", QRect(3, 3, 38, 38), false},     {"0", QRect(372, 3, 38, 38), false},
        {"Q", QRect(3, 44, 38, 38), false},    {"A", QRect(22, 85, 38, 38), false},
        {"L", QRect(350, 85, 38, 38), false},  {"Shift", QRect(3, 126, 48, 38), false},
        {"Z", QRect(54, 126, 38, 38), false},  {"M", QRect(300, 126, 38, 38), false},
        {"Back", QRect(341, 126, 53, 38), false}, {"Space", QRect(44, 167, 250, 38), false},
        {"Enter", QRect(297, 167, 80, 38), true},
    };
    for (const auto& p : placed) {
        const KeyDef k = find(p.caption);
        EXPECT_EQ(k.rect, p.rect) << p.caption;
        EXPECT_EQ(k.bold, p.bold) << p.caption;
    }
    expectKeysFit(keys, simpleKeyboardSize());
}

TEST(LetterCaption, OnlySingleLettersChangeCase)
{
    const struct { const char* caption; bool upper; const char* shown; } cases[] = {
        {"A", false, "a"}, {"a", true, "A"}, {"Q", true, "Q"}, {"7", false, "7"},
        {"Shift", false, "Shift"}, {"", true, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(letterCaption(QString::fromLatin1(c.caption), c.upper), QString::fromLatin1(c.shown)) << c.caption;
}

TEST(WithoutLastCharacter, RemovesOneCharacterOrNothing)
{
    EXPECT_EQ(withoutLastCharacter("12"), "1");
    EXPECT_EQ(withoutLastCharacter(""), "");
    EXPECT_EQ(withoutLastCharacter(QString::fromUtf8("Ağ")), "A");
}
