// The R12 export read by GDAL's ogrinfo and checked by ezdxf's audit.

#include "DxfTestSupport.h"
#include "DxfToolRunner.h"
#include "MissingTool.h"
#include "chartfiles/DxfSave.h"

#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

using namespace dxftest;

using Points = std::vector<std::pair<double, double>>;

// Every Turkish letter, small and capital.
const QString kTurkishLayer = QString::fromUtf8("G\xC3\xBCney \xC5\x9F" "amand\xC4\xB1ra \xC4\x9E\xC3\x9C\xC5\x9E\xC4\xB0\xC3\x96\xC3\x87");
const QString kTurkishText = QString::fromUtf8("\xC4\xB0skele \xC5\x9F" "amand\xC4\xB1ra \xC4\x9F\xC3\xBC\xC3\xB6\xC3\xA7");

// A chart of every kind of shape near (500000, 4500000), with a hidden shape,
// layer names with blanks and Turkish letters and a text of two lines with them.
class DxfSaveTools : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        const int a = m.LayerOpen(kTurkishLayer);
        const int b = m.LayerOpen("  quay  wall ");
        m.DrawLine(500000.123456, 4500000.654321, 500100.5, 4500050.25, a);
        m.DrawCircle(500010, 4500010, 12.5, a);
        m.DrawPoint(500001.5, 4500002.75, b);
        m.TextAdd(b, QStringLiteral("Iskele\n") + kTurkishText + QStringLiteral(" ^1"), 500003, 4500004, -1);
        m.DrawRectangle(500020, 4500020, 500030, 4500025, b);
        m.DrawTwoPointEllipse(500040, 4500040, 500050, 4500044, b);
        m.DrawTwoPointEllipse(500060, 4500060, 500070, 4500070, b);
        m.DrawPolyline({{500000, 4500000}, {500010.5, 4500020.25}, {500030, 4500001}}, a, false);
        m.DrawPolyline({{500100, 4500100}, {500110, 4500100}, {500105, 4500110}}, a, true);
        m.FindShape(m.DrawLine(1, 2, 3, 4, a))->Visible = false;
        m.WorldSet(499990, 4500120, 500120, 4499990);
        path = dir.filePath("chart.dxf");
        ASSERT_EQ(DXFSave(m, path), 1);
    }
    THalvekCanvasModel m;
    QTemporaryDir dir;
    QString path;
};

// Every vertex list GDAL reports, in order, z dropped.
std::vector<Points> ogrGeometries(const QString& text)
{
    std::vector<Points> out;
    static const QRegularExpression geometry(R"re((POINT|LINESTRING|POLYGON)[^(]*\(+([-0-9., e+]*)\))re");
    for (auto it = geometry.globalMatch(text); it.hasNext();) {
        const auto match = it.next();
        Points points;
        for (const QString& vertex : match.captured(2).split(',')) {
            const QStringList c = vertex.split(' ', Qt::SkipEmptyParts);
            points.emplace_back(c.value(0).toDouble(), c.value(1).toDouble());
        }
        out.push_back(points);
    }
    return out;
}

bool samePoints(const Points& a, const Points& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](const auto& p, const auto& q) {
               return std::abs(p.first - q.first) <= 1e-6 && std::abs(p.second - q.second) <= 1e-6;
           });
}

TEST_F(DxfSaveTools, GdalReadsEveryEntityAtItsCoordinates)
{
    const ToolRun r = runTool("ogrinfo", {"-ro", "-al", "-q", path});
    if (!r.found)
        SKERRA_SKIP_UNLESS_CI("ogrinfo (gdal-bin) is not installed");
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const std::vector<Points> got = ogrGeometries(r.out);
    Points ellipse;
    for (int i = 0; i < 36; ++i) {
        const double t = 2 * 3.141592653589793 * i / 36;
        ellipse.emplace_back(500045 + 5 * std::cos(t), 4500042 + 2 * std::sin(t));
    }
    ellipse.push_back(ellipse.front());
    const std::vector<Points> expected = {
        {{500000.123456, 4500000.654321}, {500100.5, 4500050.25}},
        {{500001.5, 4500002.75}},
        {{500003, 4500004}},
        {{500020, 4500020}, {500030, 4500020}, {500030, 4500025}, {500020, 4500025}, {500020, 4500020}},
        ellipse,
        {{500000, 4500000}, {500010.5, 4500020.25}, {500030, 4500001}},
        {{500100, 4500100}, {500110, 4500100}, {500105, 4500110}, {500100, 4500100}},
    };
    for (const Points& e : expected) {
        const bool found = std::any_of(got.begin(), got.end(), [&](const Points& g) { return samePoints(g, e); });
        EXPECT_TRUE(found) << "no geometry through " << e.front().first << ", " << e.front().second;
    }
    // Two circles come as many-sided lines; every entity is there.
    EXPECT_EQ(got.size(), expected.size() + 2) << r.out.toStdString();
    EXPECT_FALSE(r.out.contains("LINESTRING (1 2")) << "the hidden line was written";
}

TEST_F(DxfSaveTools, EzdxfAuditFindsNoErrors)
{
    if (!ezdxfAvailable())
        SKERRA_SKIP_UNLESS_CI("python3-ezdxf is not installed");
    const ToolRun r = runTool("/usr/bin/python3", {"-m", "ezdxf", "audit", path});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("No errors found")) << r.out.toStdString() << r.err.toStdString();
}

// The layer names and texts as ezdxf reads them, one a line.
const char kEzdxfTexts[] = R"py(
import sys, ezdxf
doc = ezdxf.readfile(sys.argv[1])
sys.stdout.reconfigure(encoding="utf-8")
print("encoding", doc.encoding)
for layer in doc.layers:
    print("layer", layer.dxf.name)
for e in doc.modelspace().query("TEXT"):
    print("text", e.dxf.layer, "|", e.dxf.text)
)py";

TEST_F(DxfSaveTools, EzdxfReadsTheTurkishLettersBack)
{
    if (!ezdxfAvailable())
        SKERRA_SKIP_UNLESS_CI("python3-ezdxf is not installed");
    const ToolRun r = runTool("/usr/bin/python3", {"-c", kEzdxfTexts, path});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
    EXPECT_TRUE(lines.contains("encoding cp1254")) << r.out.toStdString();
    EXPECT_TRUE(lines.contains("layer " + kTurkishLayer)) << r.out.toStdString();
    const bool text = std::any_of(lines.begin(), lines.end(), [](const QString& l) {
        return l.startsWith("text   quay  wall  |") && l.contains(kTurkishText);
    });
    EXPECT_TRUE(text) << r.out.toStdString();
}

TEST_F(DxfSaveTools, GdalReadsTheTurkishLettersBack)
{
    const ToolRun r = runTool("ogrinfo", {"-ro", "-al", path});
    if (!r.found)
        SKERRA_SKIP_UNLESS_CI("ogrinfo (gdal-bin) is not installed");
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("Layer (String) = " + kTurkishLayer)) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains(kTurkishText)) << r.out.toStdString();
    EXPECT_FALSE(r.out.contains(QChar(0xFFFD)));
}

TEST_F(DxfSaveTools, OurImportReadsItBack)
{
    THalvekCanvasModel back;
    ASSERT_TRUE(DXFLoad(back, path));
    std::map<int, int> kinds;
    for (const THShape* s : back.Shapes())
        ++kinds[s->ShapeType];
    const std::map<int, int> expected = {{3, 1}, {19, 2}, {17, 1}, {11, 1}, {6, 3}, {5, 1}};
    EXPECT_EQ(kinds, expected);
    for (const THShape* s : back.Shapes())
        if (const auto* t = shape_cast<THText>(s))
            EXPECT_EQ(t->DisplayText, "Iskele\n" + kTurkishText + " ^1");  // the label as it was drawn
}

}  // namespace
