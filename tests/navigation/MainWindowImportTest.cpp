// File > Import... on the main window: the survey grid of the settings window for
// KML/KMZ (Transverse Mercator and Lambert), refusals, the standard layers, the
// status bar's folder, the event log and the DXF hand-over.

#include "MainWindowTestSupport.h"

#include "canvas/widget/THalvekCanvas.h"
#include "chartfiles/ChartImport.h"
#include "geodesy/LambertConformalConic.h"
#include "geodesy/WGSToGrid.h"
#include "navigation/TFNav.h"
#include "navigation/survey/GridProjection.h"
#include "platform/NumberText.h"
#include "shell/SharedHeader.h"
#include "shell/TFGPS.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <numbers>
#include <sstream>

namespace {

constexpr double kDegree = std::numbers::pi / 180.0;

class MainWindowImportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        program_.Open();
        FNav->ChooseImportFile = [this](const QString& filter) {
            filters_ << filter;
            return chosen_;
        };
    }
    // The settings window's geodetic edits, by name.
    void setEdits(const std::vector<std::pair<QLineEdit*, const char*>>& edits)
    {
        for (const auto& [edit, text] : edits) edit->setText(QString::fromLatin1(text));
    }
    // An ED50-like datum and a TM zone.
    void transverseMercatorSurvey()
    {
        setEdits({{FGPS->edSMA, "6378388"}, {FGPS->edIF, "0.00336700336700337"}, {FGPS->edPPM, "1.2"},
                  {FGPS->edRX, "0.1"}, {FGPS->edRY, "-0.2"}, {FGPS->edRZ, "0.3"}, {FGPS->edSX, "84"},
                  {FGPS->edSY, "107"}, {FGPS->edSZ, "120"}, {FGPS->edCM, "27"}, {FGPS->edRL, "0"},
                  {FGPS->edSF, "0.9996"}, {FGPS->edFE, "500000"}, {FGPS->edFN, "0"}});
        FGPS->cbUseLCCProjection->setChecked(false);
    }
    QString write(const QString& name, const QByteArray& content)
    {
        QFile f(dir_.path() + "/" + name);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
        return f.fileName();
    }
    void importFile(const QString& file)
    {
        chosen_ = file;
        FNav->findChild<QAction*>("Import1")->trigger();
    }
    const THPoint* onlyPoint(const char* layer) const
    {
        const auto shapes = FNav->fcad->ShapesOnLayerInDrawingOrder(FNav->fcad->LayerFindByName(layer));
        return shapes.empty() ? nullptr : shape_cast<THPoint>(shapes.front());
    }
    std::string eventLog() const
    {
        QFile f(QString::fromStdString(TodaysEventLogPath()));
        return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : std::string();
    }

    mainwindowtest::TemporaryProgram program_;
    QTemporaryDir dir_;
    QString chosen_;
    QStringList filters_;
};

const QByteArray kOnePoint = "<Placemark><name>buoy</name><Point><coordinates>29.01,41.02,15</coordinates></Point>"
                             "</Placemark>";

TEST_F(MainWindowImportTest, KmlLandsInTheTransverseMercatorGrid)
{
    transverseMercatorSurvey();
    // A latitude beyond the pole or a longitude that is none has no place in the
    // grid: neither point nor label.
    QByteArray bad;
    for (const char* tuple : {"29,95", "1e308,38.4", "540,38.4", "-180.5,38.4"})
        bad += QByteArray("<Placemark><name>bad</name><Point><coordinates>") + tuple + "</coordinates></Point></Placemark>";
    const QString file = write("buoys.kml", kOnePoint + bad);
    importFile(file);
    const auto shapes = FNav->fcad->ShapesOnLayerInDrawingOrder(FNav->fcad->LayerFindByName("buoys"));
    ASSERT_EQ(shapes.size(), 2u);
    EXPECT_EQ(FNav->fcad->GetShapeText(shapes[1]->ShapeNumber()), "buoy");
    const THPoint* p = onlyPoint("buoys");
    ASSERT_TRUE(p) << program_.boxes.join("|").toStdString();
    // The same position through the geodesy's text interface.
    const auto texts = skerra::survey::BuildParameterTexts(FGPS->GridTexts());
    std::istringstream grid(skerra::WGSToGrid("41.02 29.01", texts.datum, texts.tm, texts.ellipsoid));
    double e = 0, n = 0;
    grid >> e >> n;
    EXPECT_NEAR(p->X, e, 1e-3);
    EXPECT_NEAR(p->Y, n, 1e-3);
    EXPECT_GT(e, 600000);  // two degrees east of the central meridian
    EXPECT_NE(eventLog().find("Imported KML/KMZ: " + file.toStdString() + " to layer: buoys"), std::string::npos);
    EXPECT_EQ(FNav->LastFileName, file);
    EXPECT_TRUE(program_.boxes.isEmpty());
    EXPECT_EQ(filters_.size(), 1);
    EXPECT_TRUE(filters_.front().startsWith("KML/KMZ Files [*.kml;*.kmz] (*.kml *.kmz)"));
}

struct LambertCase {
    const char* name;
    bool oneParallel;
};

class MainWindowLambertImportTest : public MainWindowImportTest, public testing::WithParamInterface<LambertCase> {};

TEST_P(MainWindowLambertImportTest, KmlLandsInTheLambertGrid)
{
    // WGS84 as the survey datum: the projection alone is compared. The TM edits are not used.
    setEdits({{FGPS->edSMA, "6378137"}, {FGPS->edIF, "0.0033528106647474"}, {FGPS->edPPM, "0"}, {FGPS->edRX, "0"},
              {FGPS->edRY, "0"}, {FGPS->edRZ, "0"}, {FGPS->edSX, "0"}, {FGPS->edSY, "0"}, {FGPS->edSZ, "0"},
              {FGPS->edCM, ""}, {FGPS->eLCCSP1, "40"}, {FGPS->eLCCSP2, "42"}, {FGPS->eLCCCP, "39"},
              {FGPS->eLCCM, "29"}, {FGPS->eLCCSF, "0.9999"}, {FGPS->eLCCFE, "500000"}, {FGPS->eLCCFN, "100000"}});
    FGPS->cbUseLCCProjection->setChecked(true);
    FGPS->cLambert1->setChecked(GetParam().oneParallel);
    importFile(write("lcc.kml", kOnePoint));
    const THPoint* p = onlyPoint("lcc");
    ASSERT_TRUE(p) << program_.boxes.join("|").toStdString();

    skerra::LambertConformalConic lcc;
    const double a = 6378137, f = 0.0033528106647474;
    double e = 0, n = 0;
    if (GetParam().oneParallel) {
        lcc.setup1SP(a, f, 39 * kDegree, 29 * kDegree, 500000, 100000, 0.9999);
        ASSERT_EQ(lcc.geodeticToLCC(41.02 * kDegree, 29.01 * kDegree, &e, &n), 0);
    } else {
        lcc.setup2SP(a, f, 39 * kDegree, 29 * kDegree, 40 * kDegree, 42 * kDegree, 500000, 100000);
        ASSERT_EQ(lcc.geodeticToLCC2SP(41.02 * kDegree, 29.01 * kDegree, &e, &n), 0);
    }
    EXPECT_NEAR(p->X, e, 1e-3);
    EXPECT_NEAR(p->Y, n, 1e-3);
    EXPECT_NEAR(p->Y, 100000 + 2.02 * 111000, 3000);
}

INSTANTIATE_TEST_SUITE_P(Projections, MainWindowLambertImportTest,
                         testing::Values(LambertCase{"TwoParallels", false}, LambertCase{"OneParallel", true}),
                         [](const testing::TestParamInfo<LambertCase>& info) { return std::string(info.param.name); });

struct RefusalCase {
    const char* name;
    const char* edit;  // object name of the edit
    const char* text;
};

class MainWindowImportRefusalTest : public MainWindowImportTest, public testing::WithParamInterface<RefusalCase> {};

TEST_P(MainWindowImportRefusalTest, SettingsThatAreNoNumbersRefuseTheImportAndKeepTheLayer)
{
    transverseMercatorSurvey();
    const int layer = FNav->fcad->LayerOpen("buoys");
    FNav->fcad->DrawPoint(1, 2, layer);
    FGPS->findChild<QLineEdit*>(GetParam().edit)->setText(GetParam().text);
    importFile(write("buoys.kml", kOnePoint));
    EXPECT_EQ(program_.boxes, QStringList{skerra::chartfiles::kDatumNotConfigured});
    const THPoint* p = onlyPoint("buoys");
    ASSERT_TRUE(p);
    EXPECT_EQ(p->X, 1.0);
    EXPECT_EQ(eventLog().find("Imported"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Edits, MainWindowImportRefusalTest,
                         testing::Values(RefusalCase{"EmptySemiMajorAxis", "edSMA", ""},
                                         RefusalCase{"EmptyCentralMeridian", "edCM", ""},
                                         RefusalCase{"DecimalComma", "edSF", "0,9996"},
                                         RefusalCase{"Word", "edSZ", "abc"},
                                         RefusalCase{"Infinite", "edFE", "inf"}),
                         [](const testing::TestParamInfo<RefusalCase>& info) { return std::string(info.param.name); });

TEST_F(MainWindowImportTest, StandardLayersAreMadeAgainAfterCancelAndAfterAnImport)
{
    const int before = FNav->fcad->LayerFindByName("track_fix");
    ASSERT_GE(before, 0);
    FNav->fcad->ResetChart();
    importFile(QString());  // cancelled
    EXPECT_GE(FNav->fcad->LayerFindByName("track_fix"), 0);
    FNav->fcad->ResetChart();
    importFile(write("soundings.xyz", "100 200 5\n"));
    EXPECT_GE(FNav->fcad->LayerFindByName("~~Halvek Vessel"), 0);
    EXPECT_NE(eventLog().find("(1 points) to layer: soundings"), std::string::npos);
}

TEST_F(MainWindowImportTest, DxfDrawingsGoThroughTheChartsReaderAndAFailureSaysWhy)
{
    const QString plan = write("plan.dxf", "0\nSECTION\n2\nENTITIES\n0\nLINE\n8\n0\n10\n1\n20\n2\n11\n3\n21\n4\n"
                                           "0\nENDSEC\n0\nEOF\n");
    importFile(plan);
    EXPECT_TRUE(program_.boxes.isEmpty()) << program_.boxes.join('\n').toStdString();
    const int layer = FNav->fcad->CurrentDxfLayer;
    ASSERT_GE(layer, 0);
    EXPECT_EQ(FNav->fcad->ShapesOnLayer(layer).size(), 1u);
    EXPECT_NE(eventLog().find("Imported DXF: " + plan.toStdString()), std::string::npos);

    // A drawing that gives nothing is reported once and not logged as imported.
    const struct { const char* name; QByteArray content; const char* box; } failing[] = {
        {"empty.dxf", "0\nEOF\n", "DXF load failed: ENTITIES section not found"},
        {"nothing.dxf", "0\nSECTION\n2\nENTITIES\n0\nENDSEC\n0\nEOF\n", "no entity could be converted"},
    };
    for (const auto& c : failing) {
        program_.boxes.clear();
        const QString file = write(c.name, c.content);
        importFile(file);
        ASSERT_EQ(program_.boxes.size(), 1) << c.name;
        EXPECT_TRUE(program_.boxes[0].contains(QString::fromLatin1(c.box))) << program_.boxes[0].toStdString();
        EXPECT_EQ(eventLog().find("Imported DXF: " + file.toStdString()), std::string::npos) << c.name;
    }
}

TEST_F(MainWindowImportTest, DxfGoesToAReaderBoundInItsPlace)
{
    const QString file = write("plan.dxf", "0\nEOF\n");
    QStringList loaded;
    FNav->LoadDxfFile = [&](THalvekCanvasModel& chart, const QString& f) {
        EXPECT_EQ(&chart, static_cast<THalvekCanvasModel*>(FNav->fcad));
        loaded << f;
        return true;
    };
    importFile(file);
    EXPECT_EQ(loaded, QStringList{file});
    EXPECT_NE(eventLog().find("Imported DXF: " + file.toStdString()), std::string::npos);
    EXPECT_EQ(FNav->LastFileName, file);
}

}  // namespace
