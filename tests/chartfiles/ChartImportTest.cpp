// The Import command's work on the chart: dispatch and layer names, XYZ lists with
// the unchanged-file cache, KML/KMZ placemarks, DXF hand-over, failures that leave
// the chart as it was, and the event log.

#include "canvas/THalvekCanvasModel.h"
#include "chartfiles/ChartImport.h"
#include "chartfiles/ImportFileDates.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <string>
#include <vector>

namespace {

using namespace skerra::chartfiles;

struct KindCase {
    const char* file;
    ImportKind kind;
    const char* layer;
};

class ImportDispatchTest : public testing::TestWithParam<KindCase> {};

TEST_P(ImportDispatchTest, ExtensionDecidesAndBaseNameNamesTheLayer)
{
    EXPECT_EQ(ImportKindOf(GetParam().file), GetParam().kind) << GetParam().file;
    EXPECT_EQ(ImportLayerName(GetParam().file).toStdString(), GetParam().layer);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ImportDispatchTest,
    testing::Values(KindCase{"/data/harbour.xyz", ImportKind::Xyz, "harbour"},
                    KindCase{"/data/a.b.xyz", ImportKind::Xyz, "a.b"},
                    KindCase{"/data/lines.KMZ", ImportKind::Kml, "lines"},
                    KindCase{"/data/lines.Kml", ImportKind::Kml, "lines"},
                    KindCase{"/data/soundings.TXT", ImportKind::Xyz, "soundings"},
                    KindCase{"/data/soundings.csv", ImportKind::Xyz, "soundings"},
                    KindCase{"/data/plan.dxf", ImportKind::Dxf, "plan"},
                    KindCase{"/data/plan.dat", ImportKind::Dxf, "plan"},
                    KindCase{"/data.kml/plan", ImportKind::Dxf, "plan"},
                    KindCase{"/data/plan.kml.bak", ImportKind::Dxf, "plan.kml"}));

class ChartImportTest : public testing::Test {
protected:
    void SetUp() override
    {
        services.Message = [this](const QString& t) { messages.push_back(t.toStdString()); };
        services.PrepareConverter = [this]() -> TKMLCoordinateConverter {
            if (!gridUsable) return {};
            return [](double& x, double& y, double lat, double lon) {
                if (lat > 80) return;  // a position the grid cannot take
                x = lon * 1000;
                y = lat * 1000;
            };
        };
        services.LoadDxf = [this](THalvekCanvasModel&, const QString& f) {
            dxfCalls.push_back(f.toStdString());
            return dxfResult;
        };
        services.ShowFileFolder = [this](const QString& f) { shownFolders.push_back(f.toStdString()); };
        services.EventLogPath = (dir.path() + "/events.log").toStdString();
    }

    QString write(const QString& name, const QByteArray& content)
    {
        QFile f(dir.path() + "/" + name);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(content);
        return f.fileName();
    }
    ImportEnd import(const QString& file) { return ImportChartFile(chart, file, services); }
    std::string eventLog() const
    {
        QFile f(QString::fromStdString(services.EventLogPath));
        return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : std::string();
    }
    std::vector<THShape*> layerShapes(const char* layer) const
    {
        return chart.ShapesOnLayerInDrawingOrder(chart.LayerFindByName(layer));
    }
    std::string types(const char* layer) const
    {
        std::string s;
        for (THShape* shape : layerShapes(layer)) s += std::to_string(shape->ShapeType) + " ";
        return s;
    }

    QTemporaryDir dir;
    THalvekCanvasModel chart;
    ImportServices services;
    bool gridUsable = true;
    bool dxfResult = true;
    std::vector<std::string> messages, dxfCalls, shownFolders;
};

TEST_F(ChartImportTest, XyzPointsWithCentredLabels)
{
    const QString file = write("depths.xyz", "# survey\r\n7 100 200 5\r\n100\t210\t-3.456\r\nP1 1 2 3\r\n0,0,12\r\n"
                                             "110,220,12.5");
    EXPECT_EQ(import(file), ImportEnd::Finished);
    const int layer = chart.LayerFindByName("depths");
    ASSERT_GE(layer, 0);
    EXPECT_EQ(chart.GetLayerAction(layer), 15);
    const auto shapes = layerShapes("depths");
    EXPECT_EQ(types("depths"), "17 11 17 11 17 11 ");
    const std::vector<std::string> labels{"5.00", "-3.46", "12.50"};
    for (size_t i = 0; i < 3; ++i) {
        const long point = shapes[2 * i]->ShapeNumber(), text = shapes[2 * i + 1]->ShapeNumber();
        EXPECT_EQ(chart.GetShapePointSize(point), 1);
        EXPECT_EQ(chart.GetShapePenWidth(point), 1);
        EXPECT_EQ(chart.GetShapeText(text).toStdString(), labels[i]);
        EXPECT_EQ(chart.GetShapeTextAlign(text), 1);
        EXPECT_EQ(chart.GetShapeTextJustify(text), 1);
    }
    auto* first = shape_cast<THPoint>(shapes[0]);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->X, 100.0);
    EXPECT_EQ(first->Y, 200.0);
    EXPECT_NE(eventLog().find("Imported XYZ: " + file.toStdString() + " (3 points) to layer: depths"), std::string::npos);
    EXPECT_EQ(shownFolders, std::vector<std::string>{file.toStdString()});
    // The view fits what was imported.
    EXPECT_LE(chart.WorldLeft, 100.0);
    EXPECT_GE(chart.WorldRight, 110.0);
    EXPECT_TRUE(messages.empty());
}

TEST_F(ChartImportTest, ImportingAgainReplacesOnlyThatLayer)
{
    const int other = chart.LayerOpen("other");
    chart.DrawPoint(1, 1, other);
    const QString file = write("a.xyz", "1 2 3\n4 5 6\n");
    import(file);
    write("a.xyz", "1 2 3\n");
    import(file);
    EXPECT_EQ(types("a"), "17 11 ");
    EXPECT_EQ(types("other"), "17 ");
}

TEST_F(ChartImportTest, UnchangedFileIsSkippedWhileItsLayerHoldsShapes)
{
    const QString file = write("same.xyz", "1 2 3\n");
    import(file);
    const long next = chart.NextShapeId();
    EXPECT_EQ(import(file), ImportEnd::Stopped);
    EXPECT_EQ(messages, std::vector<std::string>{"File unchanged since last import. Skipping."});
    EXPECT_EQ(chart.NextShapeId(), next);
    EXPECT_EQ(types("same"), "17 11 ");

    // A new chart: the layer is gone, so the same file is read again.
    chart.ResetChart();
    EXPECT_EQ(import(file), ImportEnd::Finished);
    EXPECT_EQ(types("same"), "17 11 ");
    // Emptied by other means: read again.
    chart.CadClearShapes(chart.LayerFindByName("same"));
    import(file);
    EXPECT_EQ(types("same"), "17 11 ");
    EXPECT_EQ(messages.size(), 1u);
}

TEST_F(ChartImportTest, AChangeOfTimeOrSizeIsAChange)
{
    const QString file = write("c.xyz", "1 2 3\n");
    import(file);
    // Same size, written a moment later.
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    f.write("1 2 4\n");
    ASSERT_TRUE(f.setFileTime(QDateTime::currentDateTime().addMSecs(1500), QFileDevice::FileModificationTime));
    f.close();
    EXPECT_EQ(import(file), ImportEnd::Finished);
    EXPECT_EQ(chart.GetShapeText(layerShapes("c")[1]->ShapeNumber()).toStdString(), "4.00");
    // Same time, another size.
    const auto time = QFileInfo(file).lastModified();
    write("c.xyz", "1 2 44\n");
    QFile g(file);
    ASSERT_TRUE(g.open(QIODevice::ReadWrite));
    ASSERT_TRUE(g.setFileTime(time, QFileDevice::FileModificationTime));
    g.close();
    EXPECT_EQ(import(file), ImportEnd::Finished);
    EXPECT_EQ(chart.GetShapeText(layerShapes("c")[1]->ShapeNumber()).toStdString(), "44.00");
    EXPECT_TRUE(messages.empty());
}

TEST_F(ChartImportTest, FailedImportsLeaveTheLayerAsItWas)
{
    const QString xyz = write("a.xyz", "1 2 3\n");
    import(xyz);
    const std::string before = types("a");
    // A KML document without placemarks, an unreadable XYZ list, an unusable grid.
    const QString kml = write("a.kml", "<kml/>");
    EXPECT_EQ(import(kml), ImportEnd::Finished);
    QDir(dir.path()).mkdir("b.xyz");
    chart.DrawPoint(5, 5, chart.LayerOpen("b"));
    EXPECT_EQ(import(dir.path() + "/b.xyz"), ImportEnd::Finished);
    gridUsable = false;
    const QString good = write("a.kml", "<Placemark><Point><coordinates>1,2</coordinates></Point></Placemark>");
    EXPECT_EQ(import(good), ImportEnd::Stopped);
    EXPECT_EQ(types("a"), before);
    EXPECT_EQ(types("b"), "17 ");
    EXPECT_EQ(messages, (std::vector<std::string>{std::string("Failed to load KML/KMZ file: ") + kNoPlacemarkGeometry,
                                                  "Failed to open XYZ file: " + dir.path().toStdString() + "/b.xyz",
                                                  kDatumNotConfigured}));
    EXPECT_EQ(eventLog().find("KML"), std::string::npos);
    // A failed open forgets nothing and remembers nothing.
    EXPECT_EQ(ImportFileDates.count(dir.path().toStdString() + "/b.xyz"), 0u);
}

// A list that gives no point leaves the layer, its earlier points and the event log
// as they were, and says why when the lines show it.
TEST_F(ChartImportTest, AnXyzListWithoutAPointChangesNothingAndSaysWhy)
{
    const struct {
        const char* content;
        bool semicolons, decimalCommas;
    } cases[] = {
        {"E;N;Z\r\n500000,5;4500000,25;12,3\r\n500001,5;4500001,25;-0,5\r\n", true, true},
        {"E;N;Z\r\n500000.5;4500000.25;12.3\r\n", true, false},
        {"# nothing but a comment\n\nP1 1 2 3\n", false, false},
        {"", false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.content);
        const QString earlier = write("soundings.xyz", "1 2 3\n");
        import(earlier);
        const std::string before = types("soundings");
        const std::string logBefore = eventLog();
        messages.clear();
        const QString file = write("soundings.xyz", c.content);
        EXPECT_EQ(import(file), ImportEnd::Finished);
        EXPECT_EQ(types("soundings"), before);
        EXPECT_EQ(eventLog(), logBefore);
        ASSERT_EQ(messages.size(), 1u);
        const std::string& m = messages[0];
        EXPECT_EQ(m.rfind("No points could be read from " + file.toStdString(), 0), 0u) << m;
        EXPECT_EQ(m.find("';'") != std::string::npos, c.semicolons) << m;
        EXPECT_EQ(m.find("decimal comma") != std::string::npos, c.decimalCommas) << m;
    }
}

TEST_F(ChartImportTest, KmlPointsThenLinesThenOneLabelPerGeometry)
{
    const QString file = write(
        "plan.kml",
        "<Placemark><name>P</name><Polygon><outerBoundaryIs><LinearRing><coordinates>1,1 2,1 2,2 1,1</coordinates>"
        "</LinearRing></outerBoundaryIs></Polygon><LineString><coordinates>3,3 4,4</coordinates></LineString>"
        "<Point><coordinates>5,5</coordinates></Point></Placemark>"
        "<Placemark><name>far</name><Point><coordinates>5,85</coordinates></Point>"
        "<LineString><coordinates>6,85 7,85 8,8</coordinates></LineString></Placemark>"
        "<Placemark><Point><coordinates>9,9</coordinates></Point></Placemark>");
    EXPECT_EQ(import(file), ImportEnd::Finished);
    // Points 5,5 and 9,9 (5,85 is not convertible); the polygon and line string as open
    // polylines, the mostly unconvertible one dropped; labels P at the first point of each of its geometries.
    EXPECT_EQ(types("plan"), "17 17 5 5 11 11 11 ");
    const auto shapes = layerShapes("plan");
    auto* poly = shape_cast<THPolyline>(shapes[3]);
    ASSERT_TRUE(poly);
    EXPECT_EQ(chart.ShapePointCount(poly->ShapeNumber()), 4);
    std::vector<std::string> labels;
    std::vector<double> xs;
    for (size_t i = 4; i < shapes.size(); ++i) {
        labels.push_back(chart.GetShapeText(shapes[i]->ShapeNumber()).toStdString());
        xs.push_back(shape_cast<THText>(shapes[i])->X);
    }
    EXPECT_EQ(labels, (std::vector<std::string>{"P", "P", "P"}));
    EXPECT_EQ(xs, (std::vector<double>{5000, 3000, 1000}));
    EXPECT_NE(eventLog().find("Imported KML/KMZ: " + file.toStdString() + " to layer: plan"), std::string::npos);
    EXPECT_EQ(shownFolders.size(), 1u);
}

TEST_F(ChartImportTest, DxfOpensTheLayerButNeverEmptiesIt)
{
    const int plan = chart.LayerOpen("plan");
    chart.DrawPoint(1, 1, plan);
    const QString file = write("plan.dxf", "0\nEOF\n");
    EXPECT_EQ(import(file), ImportEnd::Finished);
    EXPECT_EQ(dxfCalls, std::vector<std::string>{file.toStdString()});
    EXPECT_EQ(types("plan"), "17 ");
    EXPECT_EQ(chart.GetLayerAction(plan), 15);
    EXPECT_NE(eventLog().find("Imported DXF: " + file.toStdString()), std::string::npos);

    dxfResult = false;
    const QString other = write("other.dat", "x");
    import(other);
    EXPECT_GE(chart.LayerFindByName("other"), 0);
    EXPECT_EQ(eventLog().find("Imported DXF: " + other.toStdString()), std::string::npos);

    services.LoadDxf = nullptr;
    const QString third = write("third.dxf", "x");
    EXPECT_EQ(import(third), ImportEnd::Finished);
    EXPECT_EQ(messages, std::vector<std::string>{kDxfUnavailable});
    EXPECT_EQ(eventLog().find("third.dxf"), std::string::npos);
}

}  // namespace
