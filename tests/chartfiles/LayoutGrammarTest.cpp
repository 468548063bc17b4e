// The line grammar of layout files, read from plain text into a fresh chart.

#include "LayoutTestSupport.h"

#include "chartfiles/LayoutFile.h"

#include <gtest/gtest.h>

namespace {

using namespace layouttest;

struct GrammarCase {
    const char* name;
    const char* text;
    const char* chart;  // describeChart after the load
    long long leftOut = 0;  // lines the load reports left out
};

const GrammarCase kCases[] = {
    {"comments, empty lines and lower case keywords are not read; leading blanks are",
     "# LINE 0 0 1 1 0\n\nline 0 0 1 1 0\n # LINE 0 0 1 1 0\n  LINE 1 2 3 4 0 255 3\n",
     "layers Default\nworld 0 1000 0 1000\nLINE 1,2 3,4 @Default pen255/3\n"},
    {"signs, exponents and extra blanks in numbers",
     "LINE +5 1e3 -2.5\t0.000001   0 16711680 2 extra tokens\n",
     "layers Default\nworld 0 1000 0 1000\nLINE 5,1000 -2.5,1e-06 @Default pen16711680/2\n"},
    {"nan, inf and a missing coordinate skip the line",
     "LINE nan 0 1 1 0\nPOINT 1 inf 0\nCIRCLE 1 2 0\nLINE 0 0 1 1 x\nPOINT 7 8 0\n",
     "layers Default\nworld 0 1000 0 1000\nPOINT 7,8 z0 size3 @Default pen0/1\n", 4},
    {"a colour that is not a number leaves the layer's pen",
     "LINE 0 0 1 1 0 red 3\nLINE 0 0 2 2 0 255\n",
     "layers Default\nworld 0 1000 0 1000\nLINE 0,0 1,1 @Default pen0/1\nLINE 0,0 2,2 @Default pen255/1\n"},
    {"a layer name is the rest of its line",
     "LAYER Default\nLAYER Halvek Grid\r\nLAYER  two  blanks \nLAYER\nLINE 0 0 1 1 1 0 1\nLINE 0 0 1 1 2 0 1\n"
     "LINE 0 0 1 1 3 0 1\n",
     "layers Default|Halvek Grid| two  blanks |\nworld 0 1000 0 1000\nLINE 0,0 1,1 @Halvek Grid pen0/1\n"
     "LINE 0,0 1,1 @ two  blanks  pen0/1\nLINE 0,0 1,1 @ pen0/1\n"},
    {"shape layer ids are positions among the LAYER lines",
     "LAYER B\nLAYER Default\nLAYER A\nPOINT 1 1 0 0 1\nPOINT 2 2 1 0 1\nPOINT 3 3 2 0 1\nPOINT 4 4 3 0 1\n"
     "POINT 5 5 -1 0 1\n",
     "layers Default|B|A\nworld 0 1000 0 1000\nPOINT 1,1 z0 size3 @B pen0/1\nPOINT 2,2 z0 size3 @Default pen0/1\n"
     "POINT 3,3 z0 size3 @A pen0/1\nPOINT 4,4 z0 size3 @Default pen0/1\nPOINT 5,5 z0 size3 @Default pen0/1\n"},
    {"without LAYER lines ids stay, and an unknown id goes to Default",
     "ELLIPSE 0 0 4 2 0 255 2\nARC 0 0 1 1 2 0 5 255 2\nRECTANGLE 0 0 1 1 9 0 1\n",
     "layers Default\nworld 0 1000 0 1000\nELLIPSE 0,0 4,2 @Default pen255/2\nARC 0,0 1,1 2,0 @Default pen255/2\n"
     "RECTANGLE 0,0 1,1 brush0/0 z0 @Default pen0/1\n"},
    {"point: colour and width from the line, z last; size always 3",
     "POINT 1 2 0 0 4 7.5\nPOINT 3 4 0\n",
     "layers Default\nworld 0 1000 0 1000\nPOINT 1,2 z7.5 size3 @Default pen0/4\nPOINT 3,4 z0 size3 @Default pen0/1\n"},
    {"rectangle: brush and z, black and solid when the line ends early",
     "RECTANGLE 0 0 10 5 0 255 2 65280 1 3.5\nRECTANGLE 0 0 1 1 0 255 2\nRECTANGLE 0 0 1 1 0 255 2 0 256\n",
     "layers Default\nworld 0 1000 0 1000\nRECTANGLE 0,0 10,5 brush65280/1 z3.5 @Default pen255/2\n"
     "RECTANGLE 0,0 1,1 brush0/0 z0 @Default pen255/2\nRECTANGLE 0,0 1,1 brush0/0 z0 @Default pen255/2\n"},
    {"text: fields, font tokens and the rest of the line",
     "TEXT 1 2 0 0 255 12.5 30 1 0 Courier%20New hello  world\n"
     "TEXT 1 2 0 0 0 10 0 0 1 0  lead blank\n"
     "TEXT 1 2 0 5 0 10 0 0 0 % empty font name\n"
     "TEXT 1 2 0 0 0 10 0 0 0 a%25b%09c\r\n"
     "TEXT 1 2 0 0 255 abc 0 1 1 Font lost\n"
     "TEXT 1 2 0\n",
     "layers Default\nworld 0 1000 0 1000\n"
     "TEXT 1,2 #0 h12.5 a30 bold font'Courier New' 'hello  world' @Default pen255/1\n"
     "TEXT 1,2 #0 h10 a0 italic font'Arial' ' lead blank' @Default pen0/1\n"
     "TEXT 1,2 #5 h10 a0 font'Arial' 'empty font name' @Default pen0/1\n"
     "TEXT 1,2 #0 h10 a0 font'a%b\tc' '' @Default pen0/1\n"
     "TEXT 1,2 #0 h10 a0 font'Arial' '' @Default pen255/1\n", 1},
    {"non-UTF-8 names are read in the Turkish code page",
     "LAYER \xDE" "ehir\nTEXT 0 0 0 0 0 10 0 0 0 Arial \xE7" "a\xFE\n",
     "layers Default|\xC5\x9E" "ehir\nworld 0 1000 0 1000\nTEXT 0,0 #0 h10 a0 font'Arial' '\xC3\xA7" "a\xC5\x9F' @\xC5\x9E" "ehir pen0/1\n"},
    {"polyline kinds, vertices in order",
     "POLYLINE 0 2 255 2\n1 1\n2 2\nPOLYGON 0 3\n0 0\n1 0\n1 1\nSPLINE 0 2\n0 0\n5 5\nARC3P 0 3\n0 0\n1 1\n2 0\n",
     "layers Default\nworld 0 1000 0 1000\nPOLY5 1,1 2,2 @Default pen255/2\nPOLY6 closed 0,0 1,0 1,1 @Default pen0/1\n"
     "POLY8 0,0 5,5 @Default pen0/1\nPOLY10 0,0 1,1 2,0 @Default pen0/1\n"},
    {"vertex lines: any line counts, one without two numbers adds nothing",
     "POLYLINE 0 4\n1 1\n# comment\nLINE 0 0 1 1 0\n3 3 extra\nLINE 5 5 6 6 0\n",
     "layers Default\nworld 0 1000 0 1000\nPOLY5 1,1 3,3 @Default pen0/1\nLINE 5,5 6,6 @Default pen0/1\n", 2},
    {"a count past the end eats the rest; counts of zero or less read no vertex and keep no polyline",
     "POLYGON 0 0\nPOLYLINE 0 -3\nLINE 0 0 1 1 0\nPOLYLINE 0 2147483647\n7 7\nLINE 0 0 1 1 0\nPOLYLINE 0 5\n",
     "layers Default\nworld 0 1000 0 1000\nLINE 0,0 1,1 @Default pen0/1\nPOLY5 7,7 @Default pen0/1\n", 2},
    {"a header without layer or count is skipped",
     "POLYLINE 0\n1 1\nPOLYLINE x 2\n1 1\nPOLYLINE 0 1e2\n1 1\nPOINT 0 0 0\n",
     "layers Default\nworld 0 1000 0 1000\nPOINT 0,0 z0 size3 @Default pen0/1\n", 3},
    {"world: left right bottom top", "WORLD -10 20 -5 15\nLINE 0 0 1 1 0\n",
     "layers Default\nworld -10 20 -5 15\nLINE 0,0 1,1 @Default pen0/1\n"},
    {"world: a partial line changes what it gives", "WORLD 10 20\n",
     "layers Default\nworld 10 20 0 1000\n"},
    {"world: turned over, empty or endless windows are not taken",
     "WORLD 20 10 0 5\nLINE 0 0 1 1 0\n", "layers Default\nworld 0 1000 0 1000\nLINE 0,0 1,1 @Default pen0/1\n"},
    {"world: zero width", "WORLD 5 5 0 5\n", "layers Default\nworld 0 1000 0 1000\n"},
    {"world: closed at six decimals", "WORLD 0 0.0000004 0 5\n", "layers Default\nworld 0 1000 0 1000\n"},
    {"world: a millionth wide", "WORLD 0 0.000001 0 5\n", "layers Default\nworld 0 1e-06 0 5\n"},
    {"control characters in names read as blanks", "LAYER a\x01" "b\x7F\nLAYER a b\x7F\nPOINT 0 0 0\nPOINT 1 1 1\n",
     "layers Default|a b\x7F\nworld 0 1000 0 1000\nPOINT 0,0 z0 size3 @a b\x7F pen0/1\nPOINT 1,1 z0 size3 @a b\x7F pen0/1\n"},
    {"world: endless width", "WORLD -1e308 1e308 0 5\n", "layers Default\nworld 0 1000 0 1000\n"},
    {"world: partial turned over", "WORLD 2000\n", "layers Default\nworld 0 1000 0 1000\n"},
    {"numbers that overflow a double or an int leave their line out",
     "LINE 1e999 0 1 1 0\nPOINT 0 0 2147483648\nTEXT 0 0 0 99999999999 0 10 0 0 0 Arial t\nPOLYLINE 0 1\n-1e999 0\n"
     "WORLD 1e999\nLINE 0 0 1 1 0\n",
     "layers Default\nworld 0 1000 0 1000\nLINE 0,0 1,1 @Default pen0/1\n", 6},
    {"shapes whose box is not finite are left out; a huge circle whose box is finite is kept",
     "TEXT 0 0 0 0 0 1e308 0 0 0 Arial big\nCIRCLE 1e308 0 1e308 0\nPOINT 1.7976931348623157e308 0 0\n"
     "CIRCLE 0 0 1e300 0\nLINE -1.7e308 -1.7e308 1.7e308 1.7e308 0\n",
     "layers Default\nworld 0 1000 0 1000\nPOINT 1.797693135e+308,0 z0 size3 @Default pen0/1\n"
     "CIRCLE 0,0 r1e+300 @Default pen0/1\nLINE -1.7e+308,-1.7e+308 1.7e+308,1.7e+308 @Default pen0/1\n", 2},
    {"a text of negative height takes its size", "TEXT 1 2 0 0 0 -12.5 0 0 0 Arial t\n",
     "layers Default\nworld 0 1000 0 1000\nTEXT 1,2 #0 h12.5 a0 font'Arial' 't' @Default pen0/1\n"},
    {"pen widths are 0 to 1000", "LINE 0 0 1 2 0 0 2147483647\nLINE 0 0 1 2 0 0 -4\nPOLYLINE 0 1 0 1001\n1 1\n",
     "layers Default\nworld 0 1000 0 1000\nLINE 0,0 1,2 @Default pen0/1000\nLINE 0,0 1,2 @Default pen0/0\n"
     "POLY5 1,1 @Default pen0/1000\n"},
    {"a last line without LF is read", "LINE 0 0 1 1 0", "layers Default\nworld 0 1000 0 1000\nLINE 0,0 1,1 @Default pen0/1\n"},
    {"CR LF line ends", "LAYER A\r\nLINE 0 0 1 1 0 255 2\r\nPOLYLINE 0 1\r\n4 5\r\nTEXT 0 0 0 0 0 10 0 0 0 Arial t\r\n",
     "layers Default|A\nworld 0 1000 0 1000\nLINE 0,0 1,1 @A pen255/2\nPOLY5 4,5 @A pen0/1\n"
     "TEXT 0,0 #0 h10 a0 font'Arial' 't' @A pen0/1\n"},
};

class LayoutGrammarTest : public ::testing::Test {
protected:
    QString file(const QByteArray& text)
    {
        const QString path = dir_.filePath("case.qmt");
        EXPECT_TRUE(writeBytes(path, text));
        return path;
    }
    QTemporaryDir dir_;
};

TEST_F(LayoutGrammarTest, EachLineKindReadsAsTheTableSays)
{
    for (const GrammarCase& c : kCases) {
        THalvekCanvasModel chart;
        const LayoutResult r = CadLoad(chart, file(c.text), LayoutLoadMode::Replace);
        EXPECT_TRUE(r.ok) << c.name << ": " << r.reason.toStdString();
        EXPECT_EQ(describeChart(chart), c.chart) << c.name;
        EXPECT_EQ(r.leftOutLines, c.leftOut) << c.name;
    }
}

TEST_F(LayoutGrammarTest, ShapesTakeNumbersInFileOrderAndTheLastOpenedLayerIsCurrent)
{
    THalvekCanvasModel chart;
    chart.DrawLine(0, 0, 1, 1, 0);
    chart.DrawLine(0, 0, 1, 1, 0);
    ASSERT_TRUE(CadLoad(chart, file("LAYER A\nLAYER B\nPOINT 1 1 0\nPOINT 2 2 1\n"), LayoutLoadMode::Replace).ok);
    std::vector<long> numbers;
    for (const THShape* s : chart.Shapes())
        numbers.push_back(s->ShapeNumber());
    EXPECT_EQ(numbers, (std::vector<long>{1, 2}));
    EXPECT_EQ(chart.CurrentLayer, chart.LayerFindByName("B"));
}

TEST_F(LayoutGrammarTest, TextFontEntryGivesNameAndStylesUnlessTheLineNamesAFont)
{
    THalvekCanvasModel chart;
    const int bold = chart.FontOpen("Courier,20,B");
    ASSERT_GT(bold, 0);
    const QByteArray text = "TEXT 0 0 0 " + QByteArray::number(bold) + " 0 7 0 0 0 0 entry\n" +
                            "TEXT 0 0 0 " + QByteArray::number(bold) + " 0 7 0 0 1 Mono own\n";
    ASSERT_TRUE(CadLoad(chart, file(text), LayoutLoadMode::Merge).ok);
    const std::string i = std::to_string(bold);
    EXPECT_EQ(describeShapes(chart), "TEXT 0,0 #" + i + " h7 a0 bold font'Courier' 'entry' @Default pen0/1\n" +
                                         "TEXT 0,0 #" + i + " h7 a0 bold italic font'Mono' 'own' @Default pen0/1\n");
}

// In merge mode a shape without a colour takes its layer's pen; one with a
// colour keeps its own. The LAYER lines may also come after the shapes that name them.
TEST_F(LayoutGrammarTest, TheLayersPenOnlyWhenTheLineHasNoColour)
{
    const QByteArray layers = "LAYER Default\nLAYER red\n";
    const QByteArray shapes = "LINE 0 0 1 1 1\nLINE 0 0 1 1 1 0 3\nPOINT 0 0 1\nPOLYLINE 1 1\n0 0\n"
                              "TEXT 0 0 1 0\nCIRCLE 0 0 1 1 0 1\n";
    for (const QByteArray& text : {layers + shapes, shapes + layers, shapes.left(15) + layers + shapes.mid(15)}) {
        THalvekCanvasModel chart;
        const int red = chart.LayerOpen("red");
        chart.SetLayerPenFg(red, 255);
        chart.SetLayerPenWidth(red, 4);
        chart.SetLayerBrushFg(red, 65280);
        chart.SetLayerBrushStyle(red, bsSolid);
        chart.LayerOpen("other");
        ASSERT_TRUE(CadLoad(chart, file(text), LayoutLoadMode::Merge).ok) << text.toStdString();
        EXPECT_EQ(describeShapes(chart),
                  "LINE 0,0 1,1 @red pen255/4\nLINE 0,0 1,1 @red pen0/3\nPOINT 0,0 z0 size3 @red pen255/4\n"
                  "POLY5 0,0 @red pen255/4\nTEXT 0,0 #0 h10 a0 font'Arial' '' @red pen255/1\n"
                  "CIRCLE 0,0 r1 @red pen0/1\n")
            << text.toStdString();
        const THShape* circle = *chart.Shapes().rbegin();
        EXPECT_EQ(circle->BrushFg, 65280);
        EXPECT_EQ(circle->BrushStyle, bsSolid);
        EXPECT_EQ(chart.CurrentLayer, red);
        EXPECT_EQ(chart.ShapesOnLayer(red).size(), 6u);
    }
}

// A shape read before any LAYER line is put on the layer the whole file gives
// its id; one whose id no LAYER line names goes to "Default", opened last.
TEST_F(LayoutGrammarTest, ShapesBeforeTheLayerLinesTakeTheLayersTheWholeFileGives)
{
    THalvekCanvasModel chart;
    ASSERT_TRUE(CadLoad(chart, file("POINT 1 1 1\nPOINT 2 2 5\nLAYER A\nLAYER B\nPOINT 3 3 0\n"),
                        LayoutLoadMode::Replace)
                    .ok);
    EXPECT_EQ(describeChart(chart), "layers Default|A|B\nworld 0 1000 0 1000\nPOINT 1,1 z0 size3 @B pen0/1\n"
                                    "POINT 2,2 z0 size3 @Default pen0/1\nPOINT 3,3 z0 size3 @A pen0/1\n");
    EXPECT_EQ(chart.CurrentLayer, 0);
    EXPECT_EQ(chart.ShapesOnLayer(0).size(), 1u);
    EXPECT_EQ(chart.ShapesOnLayer(2).size(), 1u);
}

}  // namespace
