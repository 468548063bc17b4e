// The frame of the DXF import: the import layer, lines and pairs, the section
// search, the layer table and the result of a load.

#include "DxfTestSupport.h"
#include "chartfiles/DxfLineReader.h"
#include "platform/Colour.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using namespace dxftest;
using skerra::rgbColor;

const std::string kOneLine = entities(lines({"0", "LINE", "8", "0", "10", "1.5", "20", "2.5", "11", "3", "21", "4"}));

// The ends of the only line on the chart.
std::vector<double> lineEnds(const THalvekCanvasModel& m)
{
    const auto all = shapes(m);
    if (all.size() != 1)
        return {};
    const auto* l = shape_cast<THLine>(all[0]);
    if (!l)
        return {};
    return {l->X1, l->Y1, l->X2, l->Y2};
}

TEST(DxfLineReader, LinesAreTrimmedAndTheLastNeedsNoLineFeed)
{
    const std::string bytes = "\xEF\xBB\xBF  0\r\nSECTION \t\n\n last";
    DxfMemorySource source(bytes);
    DxfLineReader reader(source);
    std::vector<std::string> got;
    for (int pass = 0; pass < 2; ++pass) {
        got.clear();
        ASSERT_TRUE(reader.rewind());
        std::string_view line;
        while (reader.next(line))
            got.emplace_back(line);
        EXPECT_EQ(got, (std::vector<std::string>{"0", "SECTION", "", "last"}));
    }
}

TEST(DxfLineReader, AnOverlongLineEndsThePass)
{
    std::string bytes = "first\n" + std::string(DxfLineReader::MaxLineLength + 10, 'x') + "\nafter\n";
    DxfMemorySource source(bytes);
    DxfLineReader reader(source);
    std::string_view line;
    ASSERT_TRUE(reader.next(line));
    EXPECT_EQ(line, "first");
    EXPECT_FALSE(reader.next(line));
    EXPECT_FALSE(reader.next(line));
    ASSERT_TRUE(reader.rewind());
    ASSERT_TRUE(reader.next(line));
    EXPECT_EQ(line, "first");
}

TEST(DxfLineReader, PairsEndOnlyAtACodeLineThatIsExactlyZero)
{
    // "00" and "+0" are code 0 but do not end the record; a value "0" is a value.
    const std::string bytes = lines({"00", "a", "+0", "b", "70", "0", "8", "LINE", " 0 ", "NEXT"});
    DxfMemorySource source(bytes);
    DxfLineReader reader(source);
    std::vector<std::pair<int, std::string>> pairs;
    EXPECT_TRUE(reader.readPairs([&](int code, std::string_view value, std::string_view) {
        pairs.emplace_back(code, std::string(value));
    }));
    EXPECT_EQ(pairs, (std::vector<std::pair<int, std::string>>{{0, "a"}, {0, "b"}, {70, "0"}, {8, "LINE"}}));
    std::string_view type;
    ASSERT_TRUE(reader.next(type));
    EXPECT_EQ(type, "NEXT");
}

TEST(DxfLoad, LineEndsPaddingAndByteOrderMarkGiveTheSameShapes)
{
    auto variant = [](std::string text, const char* eol, const char* pad, bool bom) {
        std::string out = bom ? "\xEF\xBB\xBF" : "";
        std::size_t start = 0;
        for (std::size_t nl; (nl = text.find('\n', start)) != std::string::npos; start = nl + 1)
            out += pad + text.substr(start, nl - start) + pad + eol;
        return out;
    };
    for (const char* eol : {"\n", "\r\n"})
        for (const char* pad : {"", "  \t"})
            for (bool bom : {false, true}) {
                THalvekCanvasModel m;
                EXPECT_TRUE(load(m, variant(kOneLine, eol, pad, bom)));
                EXPECT_EQ(lineEnds(m), (std::vector<double>{1.5, 2.5, 3, 4})) << eol << pad << bom;
            }
}

TEST(DxfLoad, WithoutAnEntitiesSectionTheLoadFailsWithTheMessage)
{
    const std::string cases[] = {
        "",
        "0\n",
        "0\nSECTION\n2\nentities\n0\nLINE\n0\nENDSEC\n",
        "0\rSECTION\r2\rENTITIES\r0\rLINE\r0\rENDSEC\r",  // carriage returns alone: one line
        "0\nSECTION\n2\nHEADER\n0\nENDSEC\n0\nEOF\n",
        "AutoCAD Binary DXF\r\n\x1a",
    };
    for (const auto& bytes : cases) {
        MessageRecorder messages;
        THalvekCanvasModel m;
        QString reason;
        EXPECT_FALSE(load(m, bytes, "a.dxf", &reason));
        EXPECT_EQ(messages.texts, QStringList{"DXF load failed: ENTITIES section not found"});
        EXPECT_FALSE(reason.isEmpty());
        const int layer = m.LayerFindByName("_dxf_a.dxf");
        ASSERT_GE(layer, 0);
        EXPECT_TRUE(m.ShapesOnLayer(layer).empty());
    }
}

TEST(DxfLoad, AnEntitiesSectionWithoutConvertibleEntitiesIsFalseWithoutMessage)
{
    MessageRecorder messages;
    THalvekCanvasModel m;
    m.WorldSet(-5, 5, 5, -5);
    m.DrawLine(100, 100, 200, 200, 0);
    EXPECT_FALSE(load(m, entities(lines({"0", "HATCH", "8", "0", "0", "3DFACE", "10", "1"}))));
    EXPECT_TRUE(messages.texts.isEmpty());
    EXPECT_GT(m.WorldRight, 150);  // the view is fitted to the chart all the same
}

TEST(DxfLoad, TheImportLayerIsNamedAfterTheFileLockedVisibleAndCurrent)
{
    THalvekCanvasModel m;
    const int other = m.LayerOpen("survey");
    m.SetLayerVisible(other, false);
    ASSERT_TRUE(load(m, kOneLine, "quay.dxf"));
    const int id = m.LayerFindByName("_dxf_quay.dxf");
    ASSERT_GE(id, 0);
    EXPECT_EQ(m.CurrentDxfLayer, id);
    EXPECT_EQ(m.CurrentLayer, id);
    EXPECT_TRUE(m.FindLayer(id)->locked);
    EXPECT_TRUE(m.FindLayer(id)->visible);
    EXPECT_EQ(shapes(m)[0]->LayerId(), id);
}

TEST(DxfLoad, LoadingAgainReplacesTheShapesOnTheSameLayerWithNewNumbers)
{
    THalvekCanvasModel m;
    m.DrawLine(0, 0, 1, 1, 0);
    ASSERT_TRUE(load(m, kOneLine, "quay.dxf"));
    const int layer = m.CurrentDxfLayer;
    const long first = m.ShapesOnLayer(layer)[0]->ShapeNumber();
    m.SetLayerVisible(layer, false);
    ASSERT_TRUE(load(m, kOneLine, "quay.dxf"));
    EXPECT_EQ(m.CurrentDxfLayer, layer);
    ASSERT_EQ(m.ShapesOnLayer(layer).size(), 1u);
    EXPECT_GT(m.ShapesOnLayer(layer)[0]->ShapeNumber(), first);
    EXPECT_TRUE(m.FindLayer(layer)->visible);
    EXPECT_EQ(m.ShapeCount(), 2);
}

TEST(DxfLoad, FilesByPath)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("plan one.dxf");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(kOneLine.data(), static_cast<qint64>(kOneLine.size()));
    f.close();

    THalvekCanvasModel m;
    EXPECT_TRUE(DXFLoad(m, path));
    EXPECT_TRUE(DXFLoadReplace(m, path));
    EXPECT_EQ(m.ShapeCount(), 1);
    EXPECT_GE(m.LayerFindByName("_dxf_plan one.dxf"), 0);

    // A missing file, or a folder: false, and no layer is made.
    THalvekCanvasModel fresh;
    QString reason;
    EXPECT_FALSE(DXFLoad(fresh, dir.filePath("missing.dxf"), &reason));
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_FALSE(DXFLoad(fresh, dir.path()));
    EXPECT_EQ(fresh.Layers().size(), 1u);
}

TEST(DxfLoad, TheLayerTableGivesTheImportLayerItsPen)
{
    auto table = [](std::string entries) {
        return "0\nSECTION\n2\nTABLES\n0\nTABLE\n2\nLAYER\n70\n2\n" + entries + "0\nENDTAB\n0\nENDSEC\n" +
               entities(lines({"0", "LINE", "10", "0", "11", "1"}));
    };
    struct Case {
        std::string entries;
        TColor pen;
    };
    const Case cases[] = {
        {lines({"0", "LAYER", "2", "0", "62", "7", "0", "LAYER", "2", "walls", "62", "1"}), rgbColor(255, 0, 0)},
        {lines({"0", "LAYER", "2", "walls", "62", "1", "0", "LAYER", "2", "0", "62", "7"}), rgbColor(255, 255, 255)},
        {lines({"0", "LAYER", "2", "walls", "62", "1", "0", "LAYER", "2", "off", "62", "-3"}), rgbColor(255, 0, 0)},
        {lines({"0", "LAYER", "2", "walls", "62", "1", "0", "LAYER", "2", "x", "70", "0"}), rgbColor(255, 255, 255)},
        {lines({"0", "LAYER", "2", "walls", "62", "1", "0", "LAYER", "62", "3"}), rgbColor(255, 0, 0)},  // no name
        // A value "0" before a value "LAYER" does not make an entry.
        {lines({"0", "LAYER", "2", "walls", "62", "1", "0", "LTYPE", "70", "0", "3", "LAYER", "62", "5"}),
         rgbColor(255, 0, 0)},
        {"", rgbColor(0, 0, 0)},
    };
    for (const auto& c : cases) {
        THalvekCanvasModel m;
        ASSERT_TRUE(load(m, table(c.entries)));
        EXPECT_EQ(m.GetLayerPenFg(m.CurrentDxfLayer), c.pen) << c.entries;
        EXPECT_EQ(shapes(m)[0]->PenFg(), c.pen);
    }
}

TEST(DxfLoad, ALayerKeepsItsPenFromAnEarlierLoadWhenTheTableGivesNone)
{
    THalvekCanvasModel m;
    const std::string red = "0\nSECTION\n2\nTABLES\n0\nLAYER\n2\nA\n62\n1\n0\nENDSEC\n" + kOneLine;
    ASSERT_TRUE(load(m, red));
    ASSERT_TRUE(load(m, kOneLine));
    EXPECT_EQ(m.GetLayerPenFg(m.CurrentDxfLayer), rgbColor(255, 0, 0));
}

TEST(DxfLoad, ValuesThatLookLikeKeywordsNeverStartOrEndARecord)
{
    // An unknown entity whose values read "0", "LINE", "SOLID" and "ENDSEC".
    const std::string body = lines({"0", "HATCH", "8", "LINE", "2", "SOLID", "98", "0", "1", "ENDSEC",
                                    "0", "LINE", "10", "5", "20", "6", "11", "7", "21", "8"});
    THalvekCanvasModel m;
    ASSERT_TRUE(load(m, entities(body)));
    EXPECT_EQ(lineEnds(m), (std::vector<double>{5, 6, 7, 8}));
}

TEST(DxfLoad, EntityNamesAreMatchedExactlyAfterTrimming)
{
    const std::string body = lines({"0", "line", "10", "9", "0", " LINE\r", "10", "1", "0", "ENDSEC", "0", "LINE"});
    THalvekCanvasModel m;
    ASSERT_TRUE(load(m, entities(body)));
    EXPECT_EQ(lineEnds(m), (std::vector<double>{1, 0, 0, 0}));  // the pass ended at ENDSEC
}

TEST(DxfLoad, AnEntityCutOffByTheEndOfTheFileIsStillConverted)
{
    const std::string bytes = "0\nSECTION\n2\nENTITIES\n0\nLINE\n10\n3\n20\n4\n11";
    THalvekCanvasModel m;
    ASSERT_TRUE(load(m, bytes));
    EXPECT_EQ(lineEnds(m), (std::vector<double>{3, 4, 0, 0}));
}

TEST(DxfLoad, AnOverlongLineEndsThePassBeforeIt)
{
    const std::string bytes = "0\nSECTION\n2\nENTITIES\n0\nLINE\n11\n2\n0\nTEXT\n1\n" +
                              std::string(DxfLineReader::MaxLineLength + 1, 'x') + "\n0\nLINE\n11\n1\n";
    THalvekCanvasModel m;
    ASSERT_TRUE(load(m, bytes));
    EXPECT_EQ(lineEnds(m), (std::vector<double>{0, 0, 2, 0}));
}

TEST(DxfLoad, NumbersAreReadWithAPointUnderAnyLocale)
{
    THalvekCanvasModel m;
    ASSERT_TRUE(load(m, entities(lines({"0", "LINE", "10", "1.5e2", "20", "1,5", "11", "abc", "21", "-0.25",
                                        "10abc", "7.75"}))));
    EXPECT_EQ(lineEnds(m), (std::vector<double>{7.75, 1, 0, -0.25}));
}

}  // namespace
