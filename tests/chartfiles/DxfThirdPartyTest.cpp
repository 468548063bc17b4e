// Real drawings from other programs' test suites, against ezdxf's and GDAL's
// reading of them.

#include "DxfTestSupport.h"
#include "DxfToolRunner.h"
#include "MissingTool.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <map>

namespace {

using namespace dxftest;

const QString kData = QStringLiteral(SKERRA_TESTDATA "/dxf");
const QString kScript = QStringLiteral(SKERRA_DXF_TEST_DIR "/dxf_expected_shapes.py");

using Counts = std::map<int, int>;  // type code -> shapes

Counts countsOf(const THalvekCanvasModel& m)
{
    Counts c;
    for (const THShape* s : m.Shapes())
        ++c[s->ShapeType];
    return c;
}

std::string text(const Counts& c)
{
    std::string out;
    for (auto [code, n] : c)
        out += std::to_string(code) + ":" + std::to_string(n) + " ";
    return out;
}

// Expectations for the drawings that ezdxf refuses, and where they come from.
struct Refused {
    const char* file;
    Counts shapes;
    bool message;  // the "ENTITIES section not found" message
};
const Refused kRefused[] = {
    // Three HATCHes only (GDAL reads them as polygons); the import does not
    // convert HATCH, and the value lines "SOLID" and "0" in them start nothing.
    {"hatch.dxf", {}, false},
    // A fuzzer's case whose only section is named "ENtITiES" (GDAL folds the
    // case and finds one POINT, with "error at line 149"); section names are
    // compared exactly, so there is no ENTITIES section. Read by hand.
    {"clusterfuzz-testcase-minimized-dxf_fuzzer-5400376672124928.dxf", {}, true},
    // Binary DXF: not a text drawing (gdal-bin cannot open it either).
    {"bin_dxf_r12.dxf", {}, true},
};

class DxfThirdParty : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!QDir(kData).exists())
            SKERRA_SKIP_UNLESS_CI("tests/data/dxf is missing");
    }
};

TEST_F(DxfThirdParty, EveryDrawingGivesTheShapesItsEntitiesCallFor)
{
    if (!ezdxfAvailable())
        SKERRA_SKIP_UNLESS_CI("python3-ezdxf is not installed");
    const QStringList files = QDir(kData).entryList({"*.dxf"}, QDir::Files, QDir::Name);
    ASSERT_FALSE(files.isEmpty());
    for (const QString& file : files) {
        SCOPED_TRACE(file.toStdString());
        const ToolRun oracle = runTool("/usr/bin/python3", {kScript, QDir(kData).filePath(file)});
        ASSERT_EQ(oracle.exitCode, 0) << oracle.err.toStdString();
        Counts expected;
        bool expectMessage = false;
        if (oracle.out.trimmed() == "refused") {
            const auto* r = std::find_if(std::begin(kRefused), std::end(kRefused),
                                         [&](const Refused& x) { return file == x.file; });
            ASSERT_NE(r, std::end(kRefused)) << "ezdxf refuses a drawing without a written expectation";
            expected = r->shapes;
            expectMessage = r->message;
        } else {
            for (const QString& line : oracle.out.split('\n', Qt::SkipEmptyParts)) {
                const QStringList f = line.split(' ');
                ASSERT_EQ(f.size(), 2) << line.toStdString();
                expected[f[0].toInt()] = f[1].toInt();
            }
        }
        MessageRecorder messages;
        THalvekCanvasModel m;
        const bool ok = DXFLoad(m, QDir(kData).filePath(file));
        EXPECT_EQ(ok, !expected.empty());
        EXPECT_EQ(text(countsOf(m)), text(expected));
        EXPECT_EQ(messages.texts.size(), expectMessage ? 1 : 0);
    }
}

// The points of the WKT geometries that ogr2ogr lists for a drawing, by kind
// ("POINT", "LINESTRING"); z dropped.
std::multimap<QString, std::vector<double>> ogrGeometries(const QString& file)
{
    std::multimap<QString, std::vector<double>> out;
    const ToolRun r = runTool("ogr2ogr", {"-f", "CSV", "/vsistdout/", file, "-lco", "GEOMETRY=AS_WKT"});
    if (!r.found || r.exitCode != 0)
        return out;
    static const QRegularExpression geometry(R"re("(POINT|LINESTRING) Z \(([^)]*)\)")re");
    for (auto it = geometry.globalMatch(r.out); it.hasNext();) {
        const auto match = it.next();
        std::vector<double> xy;
        for (const QString& vertex : match.captured(2).split(',')) {
            const QStringList c = vertex.split(' ', Qt::SkipEmptyParts);
            xy.push_back(c.value(0).toDouble());
            xy.push_back(c.value(1).toDouble());
        }
        out.emplace(match.captured(1), xy);
    }
    return out;
}

bool near(const std::vector<double>& a, const std::vector<double>& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::abs(a[i] - b[i]) > 1e-6)
            return false;
    return true;
}

TEST_F(DxfThirdParty, LinesAndPointsLieWhereGdalPutsThem)
{
    if (runTool("ogr2ogr", {"--version"}).exitCode != 0)
        SKERRA_SKIP_UNLESS_CI("ogr2ogr (gdal-bin) is not installed");
    for (const char* file : {"Leica_Disto_S910.dxf", "AC1003_LINE_Example.dxf", "mtext_complex_inline_codes.dxf"}) {
        SCOPED_TRACE(file);
        const QString path = QDir(kData).filePath(file);
        const auto gdal = ogrGeometries(path);
        ASSERT_FALSE(gdal.empty());
        THalvekCanvasModel m;
        ASSERT_TRUE(DXFLoad(m, path));
        int checked = 0;
        for (const THShape* s : m.Shapes()) {
            std::vector<double> mine;
            QString kind;
            if (const auto* l = shape_cast<THLine>(s)) {
                mine = {l->X1, l->Y1, l->X2, l->Y2};
                kind = "LINESTRING";
            } else if (const auto* p = shape_cast<THPoint>(s)) {
                mine = {p->X, p->Y};
                kind = "POINT";
            } else {
                continue;
            }
            const auto [first, last] = gdal.equal_range(kind);
            const bool found = std::any_of(first, last, [&](const auto& g) { return near(g.second, mine); });
            EXPECT_TRUE(found) << kind.toStdString() << " at " << mine[0] << ", " << mine[1];
            ++checked;
        }
        EXPECT_GT(checked, 0);
    }
}

// A drawing that ezdxf writes in the given release, with one entity of each
// kind at known places.
const char* const kEzdxfWriter = R"py(
import sys, ezdxf
doc = ezdxf.new(sys.argv[1])
doc.layers.add("walls", color=1)
blk = doc.blocks.new("MARK", base_point=(10, 5))
blk.add_line((10, 5), (12, 5))
blk.add_circle((10, 5), 1)
msp = doc.modelspace()
msp.add_line((500000.5, 4500000.25), (500010.75, 4500020.5), dxfattribs={"layer": "walls"})
msp.add_circle((500100, 4500100), 12.5, dxfattribs={"color": 3})
msp.add_point((500001.5, 4500002.5))
msp.add_text("Quay 1", dxfattribs={"height": 4, "rotation": 30}).set_placement((500003, 4500004))
msp.add_polyline2d([(0, 0), (10, 0), (10, 5)], close=True)
msp.add_blockref("MARK", (100, 200), dxfattribs={"rotation": 90})
if sys.argv[1] != "R12":
    msp.add_lwpolyline([(1, 2), (3, 4), (5, 6)])
    msp.add_mtext("A\\PB", dxfattribs={"char_height": 2}).set_location((7, 8))
    msp.add_ellipse((0, 0), major_axis=(4, 0), ratio=0.5)
doc.saveas(sys.argv[2])
)py";

TEST_F(DxfThirdParty, DrawingsThatEzdxfWritesComeInWhole)
{
    if (!ezdxfAvailable())
        SKERRA_SKIP_UNLESS_CI("python3-ezdxf is not installed");
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const char* release : {"R12", "R2000", "R2018"}) {
        SCOPED_TRACE(release);
        const QString path = dir.filePath(QString("ezdxf-%1.dxf").arg(release));
        const ToolRun w = runTool("/usr/bin/python3", {"-c", kEzdxfWriter, release, path});
        ASSERT_EQ(w.exitCode, 0) << w.err.toStdString();
        THalvekCanvasModel m;
        ASSERT_TRUE(DXFLoad(m, path));
        const auto all = shapes(m);
        const bool r12 = std::string(release) == "R12";
        ASSERT_EQ(all.size(), r12 ? 6u : 9u);
        const auto* line = shape_cast<THLine>(all[0]);
        const auto* circle = shape_cast<THCircle>(all[1]);
        const auto* point = shape_cast<THPoint>(all[2]);
        const auto* text = shape_cast<THText>(all[3]);
        const auto* polygon = shape_cast<THPolyline>(all[4]);
        const auto* placed = shape_cast<THLine>(all[5]);
        ASSERT_TRUE(line && circle && point && text && polygon && placed);
        EXPECT_EQ(std::vector<double>({line->X1, line->Y1, line->X2, line->Y2}),
                  std::vector<double>({500000.5, 4500000.25, 500010.75, 4500020.5}));
        EXPECT_EQ(line->PenFg(), m.GetLayerPenFg(m.CurrentDxfLayer));
        EXPECT_EQ(circle->Radius, 12.5);
        EXPECT_EQ(circle->PenFg(), 0x00FF00);
        EXPECT_EQ(std::make_pair(point->X, point->Y), std::make_pair(500001.5, 4500002.5));
        EXPECT_EQ(text->DisplayText, "Quay 1");
        EXPECT_EQ(std::make_pair(text->X, text->Y), std::make_pair(500003.0, 4500004.0));
        EXPECT_EQ(text->Height, 4);
        EXPECT_EQ(text->Angle, 30);
        EXPECT_TRUE(polygon->Closed);
        EXPECT_EQ(vertices(polygon), (std::vector<std::pair<double, double>>{{0, 0}, {10, 0}, {10, 5}}));
        EXPECT_NEAR(placed->X1, 100, 1e-9);
        EXPECT_NEAR(placed->Y2, 202, 1e-9);
        if (r12)
            continue;
        EXPECT_EQ(vertices(all[6]), (std::vector<std::pair<double, double>>{{1, 2}, {3, 4}, {5, 6}}));
        const auto* mtext = shape_cast<THText>(all[7]);
        ASSERT_TRUE(mtext);
        EXPECT_EQ(mtext->DisplayText, "A B");
        const auto* ellipse = shape_cast<THPolyline>(all[8]);
        ASSERT_TRUE(ellipse);
        EXPECT_TRUE(ellipse->Closed);
        EXPECT_NEAR(ellipse->MaxX(), 4, 1e-9);
        EXPECT_NEAR(ellipse->MaxY(), 2, 1e-9);
    }
}

// The texts of a drawing as ezdxf reads them, one a line.
const char kEzdxfTexts[] = R"py(
import sys, ezdxf
doc = ezdxf.readfile(sys.argv[1])
sys.stdout.reconfigure(encoding="utf-8")
for e in doc.modelspace().query("TEXT MTEXT"):
    print(e.plain_text() if e.dxftype() == "MTEXT" else e.dxf.text)
)py";

// An R12 plan written by a Turkish office: code page 1254, as the header declares.
TEST_F(DxfThirdParty, ATurkishPlanOfCodePage1254KeepsEveryLetter)
{
    const QString plan = QStringLiteral(SKERRA_DXF_TEST_DIR "/data/iskele-plan-r12-1254.dxf");
    THalvekCanvasModel m;
    ASSERT_TRUE(DXFLoad(m, plan));
    QStringList ours;
    for (const THShape* s : m.Shapes())
        if (const auto* t = shape_cast<THText>(s))
            ours << t->DisplayText;
    EXPECT_EQ(ours, QStringList({QString::fromUtf8("\xC4\xB0skele \xC5\x9F" "amand\xC4\xB1ra"),
                                 QString::fromUtf8("G\xC3\xBCney \xC4\xB1\xC5\x9F\xC4\xB1k \xC3\x87\xC3\x96\xC4\x9E\xC3\x9C")}));
    if (!ezdxfAvailable())
        SKERRA_SKIP_UNLESS_CI("python3-ezdxf is not installed");
    const ToolRun r = runTool("/usr/bin/python3", {"-c", kEzdxfTexts, plan});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(ours, r.out.split('\n', Qt::SkipEmptyParts));
}

TEST_F(DxfThirdParty, BlocksOfARealDrawingArePlaced)
{
    // ASCII_R12.dxf: every ENDBLK ends with the pair 8 / 0; the blocks after
    // the first must survive it.
    THalvekCanvasModel m;
    ASSERT_TRUE(DXFLoad(m, QDir(kData).filePath("ASCII_R12.dxf")));
    EXPECT_GE(m.Blocks().size(), 3u);
    // block-basepoint.dxf: the only INSERT places a block holding only a
    // nested INSERT, which is not followed.
    THalvekCanvasModel nested;
    EXPECT_FALSE(DXFLoad(nested, QDir(kData).filePath("block-basepoint.dxf")));
    EXPECT_EQ(nested.Blocks().size(), 2u);
}

}  // namespace
