// Blocks and INSERTs of the DXF import.

#include "DxfTestSupport.h"
#include "platform/Colour.h"

#include <gtest/gtest.h>

namespace {

using namespace dxftest;
using skerra::rgbColor;

// A BLOCKS section with one block of one line (its base point and ends given).
std::string blockSection(const char* name, const char* bx, const char* by, const char* x1, const char* y1,
                         const char* x2, const char* y2)
{
    return "0\nSECTION\n2\nBLOCKS\n" +
           lines({"0", "BLOCK", "8", "0", "2", name, "70", "0", "10", bx, "20", by, "30", "0", "3", name, "0", "LINE",
                  "8", "0", "62", "3", "10", x1, "20", y1, "11", x2, "21", y2, "0", "ENDBLK", "8", "0", "0", "ENDSEC"});
}

std::string insert(const char* name, std::initializer_list<std::string_view> pairs)
{
    std::string out = lines({"0", "INSERT", "8", "walls", "2", name, "10", "100", "20", "200"});
    for (auto p : pairs)
        out += std::string(p) + "\n";
    return out;
}

std::vector<double> ends(const THShape* s)
{
    const auto* l = shape_cast<THLine>(s);
    if (!l)
        return {};
    return {l->X1, l->Y1, l->X2, l->Y2};
}

void expectNear(const std::vector<double>& got, const std::vector<double>& want)
{
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < got.size(); ++i)
        EXPECT_NEAR(got[i], want[i], 1e-9) << i;
}

TEST(DxfBlocks, AnInsertPlacesTheBlockLinesScaledTurnedAndMoved)
{
    struct Case {
        std::vector<std::string_view> pairs;
        std::vector<double> line;
    };
    const Case cases[] = {
        {{}, {100, 200, 102, 200}},
        {{"50", "90"}, {100, 200, 100, 202}},
        {{"41", "2"}, {100, 200, 104, 200}},
        {{"41", "-1"}, {100, 200, 98, 200}},
        {{"42", "3", "50", "180"}, {100, 200, 98, 200}},
    };
    for (const auto& c : cases) {
        THalvekCanvasModel m;
        std::string body = lines({"0", "INSERT", "2", "B", "10", "100", "20", "200"});
        for (auto p : c.pairs)
            body += std::string(p) + "\n";
        ASSERT_TRUE(load(m, blockSection("B", "10", "5", "10", "5", "12", "5") + entities(body)));
        const auto all = shapes(m);
        ASSERT_EQ(all.size(), 1u);
        expectNear(ends(all[0]), c.line);
        EXPECT_EQ(all[0]->LayerId(), m.CurrentDxfLayer);
        EXPECT_EQ(all[0]->PenWidth(), 1);
    }
}

TEST(DxfBlocks, InsertedLinesTakeTheInsertColourOrBlack)
{
    const std::pair<std::vector<std::string_view>, TColor> cases[] = {
        {{"62", "1"}, rgbColor(255, 0, 0)}, {{"62", "0"}, 0}, {{"62", "256"}, 0}, {{}, 0},
    };
    for (const auto& [pairs, pen] : cases) {
        THalvekCanvasModel m;
        m.SetLayerPenFg(m.LayerOpen("_dxf_plan.dxf"), rgbColor(0, 0, 255));
        std::string body = lines({"0", "INSERT", "2", "B"});
        for (auto p : pairs)
            body += std::string(p) + "\n";
        ASSERT_TRUE(load(m, blockSection("B", "0", "0", "0", "0", "1", "1") + entities(body)));
        EXPECT_EQ(shapes(m).at(0)->PenFg(), pen);
    }
}

TEST(DxfBlocks, EachInsertAddsTheBlockLinesAgain)
{
    THalvekCanvasModel m;
    const std::string body = insert("B", {}) + insert("B", {"50", "90"}) + insert("B", {"41", "2"});
    ASSERT_TRUE(load(m, blockSection("B", "0", "0", "0", "0", "1", "0") + entities(body)));
    EXPECT_EQ(m.ShapeCount(), 3);
}

TEST(DxfBlocks, InsertsOfUnknownBlocksYieldNothing)
{
    const std::string cases[] = {
        insert("b", {}),        // another case
        insert("NOPE", {}),     // never defined
        insert("", {}),
    };
    for (const auto& body : cases) {
        THalvekCanvasModel m;
        EXPECT_FALSE(load(m, blockSection("B", "0", "0", "0", "0", "1", "0") + entities(body)));
        EXPECT_EQ(m.ShapeCount(), 0);
    }
}

TEST(DxfBlocks, OnlyLinesAreKeptAndNestedInsertsAreIgnored)
{
    const std::string blocks = "0\nSECTION\n2\nBLOCKS\n" +
                               lines({"0", "BLOCK", "2", "INNER", "0", "LINE", "10", "0", "20", "0", "11", "1", "21",
                                      "0", "0", "ENDBLK", "0", "BLOCK", "2", "OUTER", "0", "INSERT", "2", "INNER", "0",
                                      "CIRCLE", "40", "3", "0", "LWPOLYLINE", "10", "0", "20", "0", "10", "1", "20", "1",
                                      "0", "ENDBLK", "0", "ENDSEC"});
    THalvekCanvasModel m;
    EXPECT_FALSE(load(m, blocks + entities(insert("OUTER", {}))));
    ASSERT_EQ(m.Blocks().size(), 2u);
    EXPECT_EQ(m.Blocks()[1]->name, "OUTER");
    EXPECT_TRUE(m.Blocks()[1]->shapes.empty());
    EXPECT_TRUE(load(m, blocks + entities(insert("INNER", {}))));
}

TEST(DxfBlocks, ABlockWithoutEndblkIsDropped)
{
    const std::string blocks = "0\nSECTION\n2\nBLOCKS\n" +
                               lines({"0", "BLOCK", "2", "LOST", "0", "LINE", "11", "1", "0", "BLOCK", "2", "KEPT", "0",
                                      "LINE", "11", "2", "0", "ENDBLK", "0", "BLOCK", "2", "TAIL", "0", "LINE", "11",
                                      "3", "0", "ENDSEC"});
    THalvekCanvasModel m;
    ASSERT_TRUE(load(m, blocks + entities(insert("LOST", {}) + insert("KEPT", {}) + insert("TAIL", {}))));
    ASSERT_EQ(m.Blocks().size(), 1u);
    EXPECT_EQ(m.Blocks()[0]->name, "KEPT");
    EXPECT_EQ(m.ShapeCount(), 1);
}

TEST(DxfBlocks, ValuesInsideBlocksNeverStartRecords)
{
    // ENDBLK records ending with the pair 8 / 0, a value "ENDBLK" and a value "LINE".
    const std::string blocks = "0\nSECTION\n2\nBLOCKS\n" +
                               lines({"0", "BLOCK", "2", "A", "0", "TEXT", "1", "ENDBLK", "8", "LINE", "0", "ENDBLK",
                                      "8", "0", "0", "BLOCK", "2", "B", "0", "LINE", "11", "1", "0", "ENDBLK", "8",
                                      "0", "0", "ENDSEC"});
    THalvekCanvasModel m;
    ASSERT_TRUE(load(m, blocks + entities(insert("B", {}))));
    ASSERT_EQ(m.Blocks().size(), 2u);
    EXPECT_TRUE(m.Blocks()[0]->shapes.empty());
    EXPECT_EQ(m.Blocks()[1]->shapes.size(), 1u);
}

TEST(DxfBlocks, InsertsUseOnlyTheBlocksOfTheirOwnLoad)
{
    THalvekCanvasModel m;
    ASSERT_TRUE(load(m, blockSection("*U1", "0", "0", "0", "0", "1", "0") + entities(insert("*U1", {})), "a.dxf"));
    // Another drawing with its own *U1, and one that places *U1 without defining it.
    ASSERT_TRUE(load(m, blockSection("*U1", "0", "0", "0", "0", "0", "5") + entities(insert("*U1", {})), "b.dxf"));
    EXPECT_FALSE(load(m, entities(insert("*U1", {})), "c.dxf"));
    EXPECT_EQ(m.Blocks().size(), 2u);  // both loads' blocks stay in the list
    const auto onB = m.ShapesOnLayer(m.LayerFindByName("_dxf_b.dxf"));
    ASSERT_EQ(onB.size(), 1u);
    expectNear(ends(onB[0]), {100, 200, 100, 205});
    EXPECT_TRUE(m.ShapesOnLayer(m.LayerFindByName("_dxf_c.dxf")).empty());
}

TEST(DxfBlocks, AnInsertAtTheEndOfTheFileWithoutAClosingCodeIsConverted)
{
    THalvekCanvasModel m;
    ASSERT_TRUE(load(m, blockSection("B", "0", "0", "0", "0", "1", "0") +
                            "0\nSECTION\n2\nENTITIES\n0\nINSERT\n2\nB\n10\n5\n20\n5"));
    expectNear(ends(shapes(m).at(0)), {5, 5, 6, 5});
}

TEST(DxfBlocks, AttributesAfterAnInsertAreSkippedWhole)
{
    const std::string body = insert("B", {"66", "1"}) +
                             lines({"0", "ATTRIB", "1", "LINE", "2", "TAG", "0", "ATTRIB", "1", "0", "0", "SEQEND",
                                    "8", "0", "0", "LINE", "11", "9"});
    THalvekCanvasModel m;
    ASSERT_TRUE(load(m, blockSection("B", "0", "0", "0", "0", "1", "0") + entities(body)));
    ASSERT_EQ(m.ShapeCount(), 2);
    expectNear(ends(shapes(m)[1]), {0, 0, 9, 0});
}

TEST(DxfBlocks, InsertsThatWouldLeaveTheNumberRangeMakeNothing)
{
    THalvekCanvasModel m;
    EXPECT_FALSE(load(m, blockSection("B", "0", "0", "1e300", "0", "1", "0") +
                             entities(insert("B", {"41", "1e300"}))));
}

}  // namespace
