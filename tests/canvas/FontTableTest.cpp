// The font table and its description texts.

#include "canvas/THalvekCanvasModel.h"

#include <gtest/gtest.h>

namespace {

struct FontCase {
    const char* description;
    THFont expected;
};

TEST(FontText, ReadsNameSizeAndStyles)
{
    const FontCase cases[] = {
        {"Tahoma", {"Tahoma", 10, false, false}},
        {"Tahoma,14", {"Tahoma", 14, false, false}},
        {"Tahoma,14,B", {"Tahoma", 14, true, false}},
        {"Courier,  8,bold italic", {"Courier", 8, true, true}},
        {"Courier,8,i", {"Courier", 8, false, true}},
        {"Courier,8,Xyz", {"Courier", 8, false, false}},
        {"txt,12", {"Arial", 12, false, false}},
        {"TxT", {"Arial", 10, false, false}},
        {"TXT ,12", {"TXT ", 12, false, false}},
        {"Arial,,B", {"Arial", 10, true, false}},
        {"Arial,big,I", {"Arial", 10, false, true}},
        {"Arial,12 ", {"Arial", 10, false, false}},
        {"Arial,0", {"Arial", 0, false, false}},
        {"Arial,-3", {"Arial", -3, false, false}},
        {"", {"", 10, false, false}},
        {"a,1,b,c", {"a", 1, true, false}},
    };
    for (const auto& k : cases) {
        const THFont f = parseFontText(QString::fromLatin1(k.description));
        EXPECT_EQ(f.name, k.expected.name) << k.description;
        EXPECT_EQ(f.size, k.expected.size) << k.description;
        EXPECT_EQ(f.bold, k.expected.bold) << k.description;
        EXPECT_EQ(f.italic, k.expected.italic) << k.description;
    }
}

TEST(FontTable, AppendsAndReturnsIndexes)
{
    THalvekCanvasModel c;
    EXPECT_EQ(c.FontOpen("Tahoma,14"), 1);
    EXPECT_EQ(c.FontOpen("Tahoma,14"), 2);  // never merged
    EXPECT_EQ(c.Fonts().size(), 3u);
    EXPECT_EQ(c.Fonts()[0].name, "Arial");
    c.CadFontBehaviorReset();
    c.LayerFontBehaviorReset(0);
    c.ShapeFontBehaviorReset(1);
    EXPECT_EQ(c.DefaultTextAlign(), 0);
    EXPECT_EQ(c.DefaultTextJustify(), 0);
    EXPECT_EQ(c.Fonts().size(), 3u);
}

}  // namespace
