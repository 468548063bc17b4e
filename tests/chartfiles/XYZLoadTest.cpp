// The chart's XYZ grid reader and its colour ramp.

#include "MissingTool.h"

#include "canvas/THalvekCanvasModel.h"
#include "chartfiles/DepthToColor.h"
#include "chartfiles/XYZLoad.h"
#include "platform/NumberText.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cmath>
#include <limits>
#include <string>

namespace {

struct ColourCase {
    double z, zMin, zMax;
    TColor colour;  // 0x00BBGGRR
};

class DepthToColorTest : public testing::TestWithParam<ColourCase> {};

TEST_P(DepthToColorTest, RampFromRedToBlue)
{
    const ColourCase& c = GetParam();
    EXPECT_EQ(DepthToColor(c.z, c.zMin, c.zMax), c.colour) << c.z << " in " << c.zMin << ".." << c.zMax;
}

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(
    Ramp, DepthToColorTest,
    testing::Values(ColourCase{5, 5, 15, 0x0000FF}, ColourCase{10, 5, 15, 0x00FF00}, ColourCase{15, 5, 15, 0xFF0000},
                    ColourCase{4, 5, 15, 0x0000FF}, ColourCase{16, 5, 15, 0xFF0000},
                    ColourCase{7.5, 5, 15, 0x00FFFF},   // yellow
                    ColourCase{12.5, 5, 15, 0xFFFF00},  // cyan
                    ColourCase{6.25, 5, 15, 0x007FFF},  // half way to yellow: green 127.5 truncated
                    ColourCase{8.75, 5, 15, 0x00FF7F},  // half way to green: red 127.5 truncated
                    ColourCase{11.25, 5, 15, 0x7FFF00}, ColourCase{13.75, 5, 15, 0xFF7F00},
                    // An empty or reversed range is 1 wide from zMin.
                    ColourCase{3, 3, 3, 0x0000FF}, ColourCase{3.5, 3, 3, 0x00FF00}, ColourCase{4, 3, 2, 0xFF0000},
                    // Values that are not finite give the bottom colour.
                    ColourCase{kNaN, 0, 10, 0x0000FF}, ColourCase{kInf, 0, 10, 0x0000FF},
                    ColourCase{5, -kInf, 10, 0x0000FF}, ColourCase{5, 0, kNaN, 0x0000FF}));

class XYZLoadTest : public testing::Test {
protected:
    QString write(const std::string& content)
    {
        QFile f(dir.path() + "/grid.xyz");
        EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(content.data(), qint64(content.size()));
        return f.fileName();
    }
    // A regular grid of nx by ny points with the given steps, row by row.
    static std::string grid(int nx, int ny, double sx, double sy, double z0 = 1)
    {
        std::string s;
        for (int j = 0; j < ny; ++j)
            for (int i = 0; i < nx; ++i)
                s += skerra::FormatGeneral(1000 + i * sx) + " " + skerra::FormatGeneral(2000 + j * sy) + " "
                    + skerra::FormatGeneral(z0 + i + j) + "\n";
        return s;
    }

    QTemporaryDir dir;
    THalvekCanvasModel chart;
};

TEST_F(XYZLoadTest, RegularGridBecomesCellsOfOneStep)
{
    const int layer = chart.LayerOpen("depths");
    ASSERT_EQ(XYZLoad(chart, write(grid(4, 3, 5, 2)), layer, 0, 0), 1);
    ASSERT_EQ(chart.ShapeCount(), 12);
    int i = 0;
    for (THShape* s : chart.Shapes()) {
        auto* r = shape_cast<THRectangle>(s);
        ASSERT_TRUE(r);
        EXPECT_DOUBLE_EQ(r->X2 - r->X1, 5.0);
        EXPECT_DOUBLE_EQ(r->Y2 - r->Y1, 2.0);
        EXPECT_DOUBLE_EQ((r->X1 + r->X2) / 2, 1000 + 5 * (i % 4));
        EXPECT_DOUBLE_EQ((r->Y1 + r->Y2) / 2, 2000 + 2 * (i / 4));
        EXPECT_EQ(r->LayerId(), layer);
        EXPECT_EQ(r->PenWidth(), 0);
        EXPECT_EQ(r->BrushStyle, bsSolid);
        EXPECT_EQ(r->BrushFg, r->PenFg());
        EXPECT_FALSE(r->Rounded);
        ++i;
    }
    // z from 1 to 6: the first cell red, the last blue.
    EXPECT_EQ(chart.Shapes().front()->PenFg(), 0x0000FF);
    EXPECT_EQ(chart.Shapes().back()->PenFg(), 0xFF0000);
    EXPECT_LE(chart.WorldLeft, 997.5);
    EXPECT_GE(chart.WorldRight, 1017.5);
}

struct ShapeKindCase {
    const char* name;
    std::string content;
    int shapes;
    bool cells;
};

class XYZLoadKindTest : public XYZLoadTest, public testing::WithParamInterface<ShapeKindCase> {};

TEST_P(XYZLoadKindTest, CellsOnlyForRegularGridsOfMoreThanTen)
{
    EXPECT_EQ(XYZLoad(chart, write(GetParam().content), 0, 0, 0), GetParam().shapes > 0 ? 1 : 0);
    ASSERT_EQ(chart.ShapeCount(), GetParam().shapes);
    for (THShape* s : chart.Shapes()) {
        EXPECT_EQ(s->ShapeType, GetParam().cells ? 1 : 17);
        if (auto* p = shape_cast<THPoint>(s)) {
            EXPECT_EQ(p->PointSize, 1);
        }
    }
}

std::string scattered()
{
    std::string s;
    for (int i = 0; i < 30; ++i)
        s += skerra::FormatGeneral(i * i * 0.37 + std::sin(i) * 3.1) + " " + skerra::FormatGeneral(std::cos(i * 1.7) * 50)
            + " 1\n";
    return s;
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, XYZLoadKindTest,
    testing::Values(ShapeKindCase{"TenRegularPointsArePoints", "0 0 1\n1 0 1\n2 0 1\n3 0 1\n4 0 1\n0 1 1\n1 1 1\n2 1 1\n3 1 1\n4 1 1\n", 10, false},
                    ShapeKindCase{"ElevenRegularPointsAreCells", "0 0 1\n1 0 1\n2 0 1\n3 0 1\n4 0 1\n0 1 1\n1 1 1\n2 1 1\n3 1 1\n4 1 1\n5 1 1\n", 11, true},
                    ShapeKindCase{"Scattered", scattered(), 30, false},
                    // Repeated positions are no step; a single row has no step in y.
                    ShapeKindCase{"OneRow", "0 0 1\n1 0 1\n2 0 1\n3 0 1\n4 0 1\n5 0 1\n6 0 1\n7 0 1\n8 0 1\n9 0 1\n10 0 1\n", 11, false},
                    ShapeKindCase{"CommentsOnly", "# x y z\n; other\n\n", 0, false},
                    ShapeKindCase{"Separators", "1;2;3\n;1 2 3\n1,2,3\r\n1 2 3\n", 2, false}),
    [](const testing::TestParamInfo<ShapeKindCase>& info) { return std::string(info.param.name); });

TEST_F(XYZLoadTest, ExplicitRangeColoursOutsideAtTheEnds)
{
    ASSERT_EQ(XYZLoad(chart, write("0 0 5\n1 0 10\n2 0 15\n3 0 2\n4 0 20\n"), 0, 5, 15), 1);
    std::vector<TColor> colours;
    for (THShape* s : chart.Shapes()) colours.push_back(s->PenFg());
    EXPECT_EQ(colours, (std::vector<TColor>{0x0000FF, 0x00FF00, 0xFF0000, 0x0000FF, 0xFF0000}));
}

TEST_F(XYZLoadTest, AllEqualDepthsAreRed)
{
    ASSERT_EQ(XYZLoad(chart, write("0 0 7\n1 5 7\n"), 0, 0, 0), 1);
    for (THShape* s : chart.Shapes()) EXPECT_EQ(s->PenFg(), 0x0000FF);
}

TEST_F(XYZLoadTest, MissingFileChangesNothing)
{
    EXPECT_EQ(XYZLoad(chart, dir.path() + "/none.xyz", 0, 0, 0), 0);
    EXPECT_EQ(chart.ShapeCount(), 0);
}

// A raster written out by GDAL as XYZ: its cells are GDAL's pixels.
TEST_F(XYZLoadTest, GdalRasterGivesCellsOfItsPixelSize)
{
    for (const char* tool : {"gdal_create", "gdal_translate", "gdalinfo"})
        if (QStandardPaths::findExecutable(tool).isEmpty()) SKERRA_SKIP_UNLESS_CI(std::string(tool) + " (gdal-bin) is not installed");
    const QString tif = dir.path() + "/r.tif", xyz = dir.path() + "/r.xyz";
    const auto run = [](const QString& program, const QStringList& args) {
        QProcess p;
        p.start(program, args);
        p.waitForFinished(60000);
        EXPECT_EQ(p.exitCode(), 0) << program.toStdString() << ": " << p.readAllStandardError().toStdString();
        return QString::fromUtf8(p.readAllStandardOutput());
    };
    run("gdal_create", {"-of", "GTiff", "-outsize", "7", "5", "-bands", "1", "-burn", "12", "-a_ullr", "500000",
                        "4500010", "500017.5", "4500000", tif});
    run("gdal_translate", {"-q", "-of", "XYZ", tif, xyz});
    const QString info = run("gdalinfo", {tif});
    const auto m = QRegularExpression(R"(Pixel Size = \(([-0-9.e+]+),([-0-9.e+]+)\))").match(info);
    ASSERT_TRUE(m.hasMatch()) << info.toStdString();
    const double px = std::fabs(skerra::StrToFloat(m.captured(1).toStdString()));
    const double py = std::fabs(skerra::StrToFloat(m.captured(2).toStdString()));

    ASSERT_EQ(XYZLoad(chart, xyz, 0, 0, 0), 1);
    ASSERT_EQ(chart.ShapeCount(), 35);
    for (THShape* s : chart.Shapes()) {
        auto* r = shape_cast<THRectangle>(s);
        ASSERT_TRUE(r);
        EXPECT_NEAR(r->X2 - r->X1, px, 1e-9);
        EXPECT_NEAR(r->Y2 - r->Y1, py, 1e-9);
        EXPECT_EQ(r->Z, 12.0);
    }
    EXPECT_NEAR(px, 2.5, 1e-9);
}

}  // namespace
