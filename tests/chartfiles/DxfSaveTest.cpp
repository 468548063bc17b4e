// The R12 export, read back by the program's own import.

#include "DxfTestSupport.h"
#include "chartfiles/DxfSave.h"

#include "FullFileSystem.h"
#include "MissingTool.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace dxftest;

std::string readAll(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll().toStdString();
}

// "a\nb\n" as "a\r\nb\r\n".
std::string crlf(std::initializer_list<std::string_view> ls)
{
    std::string out;
    for (auto l : ls) {
        out += l;
        out += "\r\n";
    }
    return out;
}

class DxfSave : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString path(const char* name = "out.dxf") const { return dir.filePath(name); }
    QTemporaryDir dir;
};

TEST_F(DxfSave, AnEmptyChartIsHeaderTableAndEmptyEntities)
{
    THalvekCanvasModel m;
    m.WorldSet(-12.5, 40, 100.25, -2.5);
    ASSERT_EQ(DXFSave(m, path()), 1);
    const std::string want =
        crlf({"0", "SECTION", "2", "HEADER", "9", "$ACADVER", "1", "AC1009", "9", "$DWGCODEPAGE", "3", "ANSI_1254",
              "9", "$INSBASE", "10", "0.0", "20", "0.0",
              "30", "0.0", "9", "$EXTMIN", "10", "-12.500000", "20", "-2.500000", "30", "0.0", "9", "$EXTMAX", "10",
              "100.250000", "20", "40.000000", "30", "0.0", "0", "ENDSEC", "0", "SECTION", "2", "TABLES", "0", "TABLE",
              "2", "LAYER", "70", "0", "0", "ENDTAB", "0", "ENDSEC", "0", "SECTION", "2", "ENTITIES", "0", "ENDSEC",
              "0", "EOF"});
    EXPECT_EQ(readAll(path()), want);
}

TEST_F(DxfSave, EachShapeKindIsWrittenAsItsEntity)
{
    THalvekCanvasModel m;
    const int layer = m.LayerOpen("plan");
    m.DrawLine(1, 2, 3, 4, layer);
    m.DrawCircle(5, 6, 7, layer);
    m.DrawPoint(8, 9, layer);
    const long text = m.TextAdd(layer, "Quay", 10, 11, -1);
    shape_cast<THText>(m.FindShape(text))->Height = 0;
    m.DrawRectangle(0, 0, 10, 5, layer);
    m.DrawTwoPointEllipse(0, 0, 10, 10, layer);
    m.DrawPolyline({{1, 1}, {2, 2}, {3, 1}}, layer, true);
    m.DrawThreePointArc(0, 0, 1, 1, 2, 0, layer);
    ASSERT_EQ(DXFSave(m, path()), 1);
    const std::string out = readAll(path());
    const std::string expected[] = {
        crlf({"0", "LINE", "8", "plan", "10", "1.000000", "20", "2.000000", "30", "0.0", "11", "3.000000", "21",
              "4.000000", "31", "0.0"}),
        crlf({"0", "CIRCLE", "8", "plan", "10", "5.000000", "20", "6.000000", "30", "0.0", "40", "7.000000"}),
        crlf({"0", "POINT", "8", "plan", "10", "8.000000", "20", "9.000000", "30", "0.0", "0"}),
        crlf({"0", "TEXT", "8", "plan", "10", "10.000000", "20", "11.000000", "30", "0.0", "40", "2.500000", "1",
              "Quay", "0"}),
        crlf({"0", "POLYLINE", "8", "plan", "66", "1", "70", "1", "0", "VERTEX", "8", "plan", "10", "0.000000", "20",
              "0.000000", "30", "0.0", "0", "VERTEX", "8", "plan", "10", "10.000000", "20", "0.000000", "30", "0.0",
              "0", "VERTEX", "8", "plan", "10", "10.000000", "20", "5.000000", "30", "0.0", "0", "VERTEX", "8", "plan",
              "10", "0.000000", "20", "5.000000", "30", "0.0", "0", "SEQEND", "8", "plan"}),
        crlf({"0", "CIRCLE", "8", "plan", "10", "5.000000", "20", "5.000000", "30", "0.0", "40", "5.000000"}),
        crlf({"0", "POLYLINE", "8", "plan", "66", "1", "70", "1", "0", "VERTEX", "8", "plan", "10", "1.000000"}),
        crlf({"0", "LAYER", "2", "plan", "70", "0", "62", "7", "6", "CONTINUOUS", "0", "ENDTAB"}),
    };
    for (const auto& e : expected)
        EXPECT_NE(out.find(e), std::string::npos) << e;
    EXPECT_TRUE(out.ends_with(crlf({"0", "SEQEND", "8", "plan", "0", "ENDSEC", "0", "EOF"})));
}

TEST_F(DxfSave, AnEllipseOfUnequalAxesIsAClosedOutlineThroughItsFourExtremes)
{
    THalvekCanvasModel m;
    m.DrawTwoPointEllipse(0, 0, 10, 4, 0);
    ASSERT_EQ(DXFSave(m, path()), 1);
    THalvekCanvasModel back;
    ASSERT_TRUE(DXFLoad(back, path()));
    const auto* p = shape_cast<THPolyline>(shapes(back).at(0));
    ASSERT_TRUE(p);
    EXPECT_TRUE(p->Closed);
    ASSERT_EQ(p->PointCount(), 36);
    EXPECT_EQ(p->MinX(), 0);
    EXPECT_EQ(p->MaxX(), 10);
    EXPECT_EQ(p->MinY(), 0);
    EXPECT_EQ(p->MaxY(), 4);
}

TEST_F(DxfSave, HiddenShapesAreLeftOutButTheirLayerIsListed)
{
    THalvekCanvasModel m;
    const int hidden = m.LayerOpen("hidden layer");
    m.FindShape(m.DrawLine(0, 0, 1, 1, hidden))->Visible = false;
    m.DrawPolyline({{0, 0}, {5, 5}}, 0, false);
    m.DrawThreePointArc(0, 0, 1, 1, 2, 0, 0);
    ASSERT_EQ(DXFSave(m, path()), 1);
    const std::string out = readAll(path());
    EXPECT_NE(out.find(crlf({"70", "2", "0", "LAYER", "2", "hidden layer"})), std::string::npos);
    EXPECT_EQ(out.find("LINE\r\n"), out.find("POLYLINE\r\n") + 4);  // the only LINE is the POLYLINE's
    EXPECT_NE(out.find(crlf({"POLYLINE", "8", "Default", "66", "1", "70", "0"})), std::string::npos);
}

TEST_F(DxfSave, TheLeftOutLayersAreNeitherListedNorWrittenAndTheChartKeepsThem)
{
    THalvekCanvasModel m;
    const int vessel = m.LayerOpen("~~Halvek Vessel");
    const int grid = m.LayerOpen("Halvek Grid");
    const int plan = m.LayerOpen("plan");
    m.DrawCircle(7, 7, 50, vessel);
    m.DrawLine(0, 0, 100, 0, grid);
    m.DrawPoint(3, 4, plan);
    ASSERT_EQ(DXFSave(m, path(), {vessel, grid}), 1);
    const std::string out = readAll(path());
    EXPECT_NE(out.find(crlf({"2", "LAYER", "70", "1", "0", "LAYER", "2", "plan"})), std::string::npos) << out;
    EXPECT_EQ(out.find("Halvek"), std::string::npos) << out;
    EXPECT_EQ(out.find("CIRCLE"), std::string::npos);
    EXPECT_EQ(out.find("\r\nLINE"), std::string::npos);
    EXPECT_NE(out.find(crlf({"POINT", "8", "plan"})), std::string::npos);
    EXPECT_EQ(m.ShapeCount(), 3);
}

// Turkish names and texts in the code page the header declares; a character it
// lacks becomes "?".
TEST_F(DxfSave, TextsAndLayerNamesAreWrittenInTheTurkishCodePage)
{
    THalvekCanvasModel m;
    const int layer = m.LayerOpen(QString::fromUtf8("G\xC3\xBCney \xC5\x9F" "amand\xC4\xB1ra"));
    m.TextAdd(layer, QString::fromUtf8("\xC4\xB0skele \xC4\x9F\xC3\xB6\xC3\xA7 \xE2\x82\xAC \xE6\xB8\xAF \xCE\xA9"), 0, 0, -1);
    ASSERT_EQ(DXFSave(m, path()), 1);
    const std::string out = readAll(path());
    EXPECT_NE(out.find(crlf({"9", "$DWGCODEPAGE", "3", "ANSI_1254"})), std::string::npos);
    EXPECT_NE(out.find(crlf({"2", "G\xFCney \xFE" "amand\xFDra"})), std::string::npos) << out;
    EXPECT_NE(out.find(crlf({"8", "G\xFCney \xFE" "amand\xFDra"})), std::string::npos) << out;
    EXPECT_NE(out.find(crlf({"1", "\xDDskele \xF0\xF6\xE7 \x80 ? ?"})), std::string::npos) << out;
}

TEST_F(DxfSave, ControlCharactersAndCaretsAreWrittenInCaretNotation)
{
    THalvekCanvasModel m;
    const int layer = m.LayerOpen("a^b\tc");
    const int unnamed = m.LayerOpen("");
    m.TextAdd(layer, QString::fromUtf8("two\r\nlines \xC3\xA7"), 0, 0, -1);
    m.DrawPoint(1, 1, unnamed);
    ASSERT_EQ(DXFSave(m, path()), 1);
    const std::string out = readAll(path());
    EXPECT_NE(out.find(crlf({"8", "a^ b^Ic"})), std::string::npos);
    EXPECT_NE(out.find(crlf({"1", "two^M^Jlines \xE7"})), std::string::npos);
    EXPECT_NE(out.find(crlf({"POINT", "8", "0"})), std::string::npos);
}

TEST_F(DxfSave, ReadBackByTheImportTheShapesComeBackAtTheirPlaces)
{
    THalvekCanvasModel m;
    const int layer = m.LayerOpen("plan");
    m.DrawLine(500000.125, 4500000.25, 500100.5, 4500050.75, layer);
    m.DrawCircle(500010, 4500010, 12.5, layer);
    m.DrawPoint(500001.5, 4500002.5, layer);
    const long text = m.TextAdd(layer, QString::fromUtf8("Pier \xC3\xBC \xC4\xB0skele \xC5\x9F"), 500003, 4500004, -1);
    shape_cast<THText>(m.FindShape(text))->Angle = 30;
    shape_cast<THText>(m.FindShape(text))->Height = 4;
    m.DrawPolyline({{500000, 4500000}, {500010.5, 4500020.25}, {500030, 4500001}}, layer, false);
    ASSERT_EQ(DXFSave(m, path()), 1);

    THalvekCanvasModel back;
    ASSERT_TRUE(DXFLoad(back, path()));
    const auto all = shapes(back);
    ASSERT_EQ(all.size(), 5u);
    const auto* line = shape_cast<THLine>(all[0]);
    const auto* circle = shape_cast<THCircle>(all[1]);
    const auto* point = shape_cast<THPoint>(all[2]);
    const auto* label = shape_cast<THText>(all[3]);
    ASSERT_TRUE(line && circle && point && label);
    EXPECT_EQ(std::vector<double>({line->X1, line->Y1, line->X2, line->Y2}),
              std::vector<double>({500000.125, 4500000.25, 500100.5, 4500050.75}));
    EXPECT_EQ(circle->Radius, 12.5);
    EXPECT_EQ(point->Y, 4500002.5);
    EXPECT_EQ(label->DisplayText, QString::fromUtf8("Pier \xC3\xBC \xC4\xB0skele \xC5\x9F"));
    EXPECT_EQ(label->Angle, 30);
    EXPECT_EQ(label->Height, 4);
    EXPECT_EQ(vertices(all[4]), vertices(shapes(m)[4]));
}

// Read back by the import, each label is the text it was.
TEST_F(DxfSave, TextsWithCaretsTabsAndLineBreaksComeBackUnchanged)
{
    const char* const labels[] = {
        "a^b", "^", "x^ y", "tab\there", "\tlead", "two\nlines", "two\r\nlines", "^^I^J", "end^",
        "\xC4\xB0skele^\xC3\xA7",
    };
    THalvekCanvasModel m;
    const int layer = m.LayerOpen("plan");
    for (const char* label : labels)
        m.TextAdd(layer, QString::fromUtf8(label), 0, 0, -1);
    ASSERT_EQ(DXFSave(m, path()), 1);
    THalvekCanvasModel back;
    ASSERT_TRUE(DXFLoad(back, path()));
    const auto all = shapes(back);
    ASSERT_EQ(all.size(), std::size(labels));
    for (std::size_t i = 0; i < all.size(); ++i) {
        const auto* text = shape_cast<THText>(all[i]);
        ASSERT_TRUE(text);
        EXPECT_EQ(text->DisplayText.toStdString(), labels[i]);
    }
}

TEST_F(DxfSave, AFailedWriteLeavesTheOldFileAsItWas)
{
    const QString target = path("old.dxf");
    {
        QFile f(target);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("the old drawing\n");
    }
    THalvekCanvasModel m;
    for (int i = 0; i < 5000; ++i)
        m.DrawLine(i, i, i + 1, i + 1, 0);
    // In a child limited to files of 4 KiB, so the write fails half-way.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{4096, 4096};
        setrlimit(RLIMIT_FSIZE, &limit);
        _exit(DXFSave(m, target) == 0 ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the save reported success";
    EXPECT_EQ(readAll(target), "the old drawing\n");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"old.dxf"});

    QString reason;
    EXPECT_EQ(DXFSave(m, dir.filePath("no such folder/x.dxf"), {}, &reason), 0);
    EXPECT_FALSE(reason.isEmpty());
}

// A small drawing on a full disk: the last bytes go out when the file is completed,
// and their failure is seen there.
TEST_F(DxfSave, ADrawingThatFailsAtItsLastBytesOnAFullDiskLeavesTheOldFileAndSaysWhy)
{
    FullFileSystem disk;
    if (!disk.mounted()) SKERRA_SKIP_UNLESS_CI(disk.why());
    const QString target = disk.path("chart.dxf");
    {
        QFile f(target);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("the old drawing\n");
    }
    ASSERT_TRUE(disk.fill(4096));
    THalvekCanvasModel m;
    for (int i = 0; i < 40; ++i)
        m.DrawLine(i, i, i + 1, i + 1, 0);
    QString reason;
    EXPECT_EQ(DXFSave(m, target, {}, &reason), 0);
    EXPECT_EQ(reason.toStdString(), "No space left on device");
    EXPECT_EQ(readAll(target), "the old drawing\n");
    EXPECT_EQ(QDir(disk.path(".")).entryList(QDir::Files), QStringList{"chart.dxf"});
    // Where there is room, the drawing is larger than the room left, yet small.
    ASSERT_EQ(DXFSave(m, path()), 1);
    EXPECT_GT(readAll(path()).size(), 4096u);
    EXPECT_LT(readAll(path()).size(), 16384u);
}

}  // namespace
