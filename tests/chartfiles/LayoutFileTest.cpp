// Layout files on disk: the bytes the writer makes, hand-written files in their
// several forms, merging, damaged files and failed saves.

#include "LayoutTestSupport.h"

#include "chartfiles/LayoutFile.h"
#include "chartfiles/LayoutStream.h"
#include "chartfiles/LayoutWriter.h"
#include "navigation/NavLayers.h"

#include "FullFileSystem.h"
#include "MissingTool.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <zlib.h>

#include <csignal>
#include <random>
#include <sys/resource.h>

namespace {

using namespace layouttest;

const QDateTime kSavedAt(QDate(2024, 3, 7), QTime(9, 5, 2, 49));

QByteArray fixture(const char* name)
{
    return readBytes(QStringLiteral(SKERRA_TESTDATA_CHARTFILES "/") + QString::fromLatin1(name));
}

QByteArray inflated(const QByteArray& file)
{
    std::vector<Bytef> out(1 << 20);
    uLongf length = out.size();
    const int status = uncompress(out.data(), &length, reinterpret_cast<const Bytef*>(file.constData() + 4),
                                  static_cast<uLong>(file.size() - 4));
    EXPECT_EQ(status, Z_OK);
    return QByteArray(reinterpret_cast<const char*>(out.data()), static_cast<qsizetype>(length));
}

QByteArray compressedAt(const QByteArray& text, int level)
{
    uLongf length = compressBound(static_cast<uLong>(text.size()));
    std::vector<Bytef> out(length);
    EXPECT_EQ(compress2(out.data(), &length, reinterpret_cast<const Bytef*>(text.constData()),
                        static_cast<uLong>(text.size()), level),
              Z_OK);
    return QByteArray("QMT1") + QByteArray(reinterpret_cast<const char*>(out.data()), static_cast<qsizetype>(length));
}

class LayoutFileTest : public ::testing::Test {
protected:
    QString path(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }
    QString file(const char* name, const QByteArray& bytes) const
    {
        const QString p = path(name);
        EXPECT_TRUE(writeBytes(p, bytes));
        return p;
    }
    QTemporaryDir dir_;
};

// One shape of every kind the writer knows, on three layers.
void drawEveryKind(THalvekCanvasModel& c)
{
    c.WorldLeft = -10.5;
    c.WorldRight = 20;
    c.WorldBottom = -5;
    c.WorldTop = 15.25;
    const int grid = c.LayerOpen("Halvek Grid");
    const int city = c.LayerOpen(QString::fromUtf8("\xC5\x9E" "ehir 1"));
    c.CurrentLayer = 0;
    long n = c.DrawLine(1, 2, 3, 4, 0);
    c.SetShapePenFg(n, 255);
    c.SetShapePenWidth(n, 2);
    c.DrawCircle(5, 5, 2.5, grid);
    n = c.DrawPoint(1.25, -2, city);
    shape_cast<THPoint>(c.FindShape(n))->Z = 3.5;
    n = c.TextAdd(city, "a\nb %", 1, 2, 0);
    auto* t = shape_cast<THText>(c.FindShape(n));
    t->FontName = "Courier New";
    t->Height = 12.5;
    t->Angle = 30;
    t->Bold = true;
    n = c.DrawRectangle(0, 0, 10, 5, 0);
    shape_cast<THRectangle>(c.FindShape(n))->Z = 2;
    c.DrawTwoPointEllipse(0, 0, 4, 2, grid);
    c.DrawThreePointArc(0, 0, 1, 1, 2, 0, city);
    c.DrawPolyline({{0, 0}, {1, 0}, {1, 1}}, 0, true);
    c.DrawPolyline({{0, 0}, {-1.5, 1}}, grid, false);
    c.BeginDrawingPolyline(8, 0, 0)->AddPoint(3, 3);
    c.FinishDrawingPolyline();
    THPolyline* arc = c.BeginDrawingPolyline(10, 0, 0);
    arc->AddPoint(1, 1);
    arc->AddPoint(2, 0);
    c.FinishDrawingPolyline();
}

const char kEveryKindText[] =
    "# Qamet - QMT\n"
    "# Skerra chart layout\n"
    "# Created on: 2024-03-07 09:05:02.04\n"
    "#\n"
    "WORLD -10.500000 20.000000 -5.000000 15.250000\n"
    "LAYER Default\n"
    "LAYER Halvek Grid\n"
    "LAYER \xC5\x9E" "ehir 1\n"
    "LINE 1.000000 2.000000 3.000000 4.000000 0 255 2\n"
    "CIRCLE 5.000000 5.000000 2.500000 1 0 1\n"
    "POINT 1.250000 -2.000000 2 0 1 3.500000\n"
    "TEXT 1.000000 2.000000 2 0 0 12.500000 30.000000 1 0 Courier%20New a b %\n"
    "RECTANGLE 0.000000 0.000000 10.000000 5.000000 0 0 1 16777215 1 2.000000\n"
    "ELLIPSE 0.000000 0.000000 4.000000 2.000000 1 0 1\n"
    "ARC 0.000000 0.000000 1.000000 1.000000 2.000000 0.000000 2 0 1\n"
    "POLYGON 0 3 0 1\n0.000000 0.000000\n1.000000 0.000000\n1.000000 1.000000\n"
    "POLYLINE 1 2 0 1\n0.000000 0.000000\n-1.500000 1.000000\n"
    "SPLINE 0 2 0 1\n0.000000 0.000000\n3.000000 3.000000\n"
    "ARC3P 0 3 0 1\n0.000000 0.000000\n1.000000 1.000000\n2.000000 0.000000\n";

TEST_F(LayoutFileTest, TheWriterMakesMagicThenOneZlibStreamOfTheText)
{
    THalvekCanvasModel chart;
    drawEveryKind(chart);
    {
        FixedClock clock(kSavedAt);
        const LayoutResult r = CadSave(chart, path("every.qmt"));
        ASSERT_TRUE(r.ok) << r.reason.toStdString();
    }
    const QByteArray bytes = readBytes(path("every.qmt"));
    ASSERT_GT(bytes.size(), 6);
    EXPECT_EQ(bytes.left(6), QByteArray("QMT1\x78\x9C"));
    EXPECT_EQ(inflated(bytes).toStdString(), std::string(kEveryKindText));
}

// A chart whose text is composed and compressed in many pieces: the bytes are
// those of compressing the whole text at once with the same parameters.
TEST_F(LayoutFileTest, ALargeChartCompressesAsTheWholeTextWould)
{
    THalvekCanvasModel chart;
    for (int i = 0; i < 60000; ++i)
        chart.DrawLine(i * 0.37, i * 1.5, i * 0.5 + 3, i * 0.25, 0);
    std::string text;
    {
        FixedClock clock(kSavedAt);
        ASSERT_TRUE(CadSave(chart, path("large.qmt")).ok);
        text = skerra::layout::composeLayoutText(chart, kSavedAt);
    }
    ASSERT_GT(text.size(), std::size_t(3) << 20);
    const QByteArray whole = compressedAt(QByteArray::fromStdString(text), 6);
    EXPECT_TRUE(readBytes(path("large.qmt")) == whole);
}

TEST_F(LayoutFileTest, CreatedOnHasAnUnpaddedYearAndTruncatedHundredths)
{
    EXPECT_EQ(skerra::layout::createdOnText(QDateTime(QDate(987, 12, 31), QTime(23, 59, 59, 999))), "987-12-31 23:59:59.99");
    EXPECT_EQ(skerra::layout::createdOnText(QDateTime(QDate(2024, 1, 2), QTime(3, 4, 5, 9))), "2024-01-02 03:04:05.00");
}

const char kFirstWordChart[] =
    "layers Default|Halvek|track_fix|track_nofix|track_float|halvek_tempshape|halvek_usershape|event_number|"
    "~~Halvek|Halvek Grid|~~Halvek Vessel\n"
    "world 500000 502000 4500000 4501600\n"
    "POINT 500100.25,4500200.5 z0 size3 @track_fix pen32768/2\n"
    "LINE 500100.25,4500200.5 500102.25,4500201 @track_fix pen32768/2\n"
    "POINT 500110,4500210 z0 size3 @track_nofix pen255/2\n"
    "POINT 500120,4500220 z-1.25 size3 @track_float pen65535/2\n"
    "POLY5 500000,4500000 500500,4500500 501000,4500000 @halvek_usershape pen16711680/1\n"
    "TEXT 500050,4500050 #0 h10 a0 font'Arial' 'Pier 3' @halvek_usershape pen0/1\n"
    "CIRCLE 500300,4500300 r25 @halvek_usershape pen255/1\n"
    "RECTANGLE 500400,4500400 500450,4500420 brush16777215/1 z0 @Default pen0/1\n";

// The hand-written file as plain text with LF and with CR LF, and compressed at
// the fastest and the strongest level: every form gives the same chart.
TEST_F(LayoutFileTest, EveryFormOfAHandWrittenFileGivesTheSameChart)
{
    const QByteArray text = fixture("first-word-reload.qmt.txt");
    ASSERT_FALSE(text.isEmpty());
    QByteArray crlf = text;
    crlf.replace("\n", "\r\n");
    const struct { const char* name; QByteArray bytes; } forms[] = {
        {"lf.qmt", text},
        {"crlf.qmt", crlf},
        {"level1.qmt", compressedAt(text, 1)},
        {"level9.qmt", compressedAt(text, 9)},
    };
    for (const auto& form : forms) {
        THalvekCanvasModel chart;
        chart.DrawLine(0, 0, 1, 1, 0);
        chart.LayerOpen("old");
        const LayoutResult r = CadLoad(chart, file(form.name, form.bytes), LayoutLoadMode::Replace);
        ASSERT_TRUE(r.ok) << form.name << ": " << r.reason.toStdString();
        EXPECT_EQ(describeChart(chart), kFirstWordChart) << form.name;
    }
}

// A chart saved after its layer names had been cut to their first word has both
// "Halvek" and "Halvek Grid": every shape comes back on the layer at its written
// position, and the standard layers need no new layer.
TEST_F(LayoutFileTest, ShapesStayOnTheirLayersWhenCutNamesSitBesideWholeOnes)
{
    THalvekCanvasModel chart;
    ASSERT_TRUE(CadLoad(chart, file("cut.qmt", fixture("first-word-reload.qmt.txt")), LayoutLoadMode::Replace).ok);
    const std::size_t layers = chart.Layers().size();
    EnsureNavLayers(chart);
    EXPECT_EQ(chart.Layers().size(), layers);
    EXPECT_EQ(GridLayerId, chart.LayerFindByName("Halvek Grid"));
    EXPECT_EQ(VesselLayerId, chart.LayerFindByName("~~Halvek Vessel"));
    EXPECT_TRUE(chart.ShapesOnLayer(GridLayerId).empty());
    EXPECT_TRUE(chart.ShapesOnLayer(VesselLayerId).empty());
}

TEST_F(LayoutFileTest, MergeOpensTheFilesLayersByNameAndPutsShapesOnThem)
{
    THalvekCanvasModel chart;
    const int x = chart.LayerOpen("X");
    chart.DrawLine(9, 9, 8, 8, x);
    chart.WorldLeft = -1;
    const QByteArray text = "LAYER Default\nLAYER A\nLAYER B\nLINE 0 0 1 1 1\nPOINT 2 2 2\nCIRCLE 0 0 3 0\n";
    const LayoutResult r = CadLoad(chart, file("merge.qmt", text), LayoutLoadMode::Merge);
    ASSERT_TRUE(r.ok) << r.reason.toStdString();
    EXPECT_EQ(describeChart(chart),
              "layers Default|X|A|B\nworld -1 1000 0 1000\nLINE 9,9 8,8 @X pen0/1\nLINE 0,0 1,1 @A pen0/1\n"
              "POINT 2,2 z0 size3 @B pen0/1\nCIRCLE 0,0 r3 @Default pen0/1\n");
    EXPECT_EQ(chart.NextShapeId(), 5);
}

TEST_F(LayoutFileTest, ALoadEndsByAskingTheViewToRepaint)
{
    struct View : THalvekCanvasModel {
        int repaints = 0;
        void Repaint() override { ++repaints; }
    } chart;
    chart.NeedsRedraw = false;
    ASSERT_TRUE(CadLoad(chart, file("one.qmt", "POINT 0 0 0\n"), LayoutLoadMode::Merge).ok);
    EXPECT_TRUE(chart.NeedsRedraw);
    EXPECT_EQ(chart.repaints, 1);
}

// A compressed file counts its left-out lines as a plain one does, and the
// count is told in words.
TEST_F(LayoutFileTest, LinesLeftOutAreCountedInEveryFormAndToldInWords)
{
    const std::string text = "POINT 0 0 0\nPOINT nan 0 0\nCIRCLE 1e308 0 1e308 0\n";
    THalvekCanvasModel chart;
    const QString zipped = file("left.qmt", skerra::layout::compressLayoutText(text));
    const LayoutResult r = CadLoad(chart, zipped, LayoutLoadMode::Replace);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.leftOutLines, 2);
    EXPECT_EQ(chart.ShapeCount(), 1);
    EXPECT_EQ(LayoutLeftOutText(r, "a.qmt"), "2 lines of a.qmt could not be read and were left out.");
    EXPECT_EQ(LayoutLeftOutText(LayoutResult{true, {}, 1}, "a.qmt"), "1 line of a.qmt could not be read and was left out.");
    EXPECT_EQ(LayoutLeftOutText(LayoutResult{true, {}, 0}, "a.qmt"), "");
}

// The reader refuses a file it cannot use wholly, and the chart stays as it was.
TEST_F(LayoutFileTest, AFileThatCannotBeUsedLeavesTheChartAsItWasInBothModes)
{
    const QByteArray text = fixture("first-word-reload.qmt.txt");
    const QByteArray good = skerra::layout::compressLayoutText(text.toStdString());
    QByteArray flippedCheck = good;
    flippedCheck[flippedCheck.size() - 2] = char(flippedCheck[flippedCheck.size() - 2] ^ 0x10);
    QByteArray flippedMiddle = good;
    flippedMiddle[good.size() / 2] = char(flippedMiddle[good.size() / 2] ^ 0x5A);
    QDir(dir_.path()).mkdir("folder.qmt");
    static constexpr char jpegStart[] = "\xFF\xD8\xFF\xE0\x00\x10JFIF\x00\x01\x01\x00\x00\x01";
    const struct { const char* name; QString path; const char* reason; } cases[] = {
        {"missing", path("missing.qmt"), "file not found"},
        {"folder", path("folder.qmt"), "a folder, not a file"},
        {"magic only", file("magic.qmt", "QMT1"), "truncated"},
        {"magic and garbage", file("garbage.qmt", "QMT1 this is not zlib data\n"), "damaged"},
        {"cut in the header", file("cut6.qmt", good.left(6)), "truncated"},
        {"cut in the middle", file("cut-half.qmt", good.left(good.size() / 2)), "truncated"},
        {"cut in the check value", file("cut-check.qmt", good.left(good.size() - 1)), "truncated"},
        {"flipped check value", file("flip-check.qmt", flippedCheck), "damaged"},
        {"flipped byte", file("flip.qmt", flippedMiddle), nullptr},
        {"bytes after the stream", file("trailing.qmt", good + "LINE 0 0 1 1 0\n"), "damaged"},
        {"empty", file("empty.qmt", ""), "not a layout file"},
        {"a picture", file("picture.qmt", QByteArray(jpegStart, sizeof jpegStart - 1)),
         "not a layout file"},
        {"comments only", file("comments.qmt", "# Qamet - QMT\n#\n"), "not a layout file"},
    };
    for (const LayoutLoadMode mode : {LayoutLoadMode::Replace, LayoutLoadMode::Merge}) {
        for (const auto& c : cases) {
            THalvekCanvasModel chart;
            chart.LayerOpen("mine");
            chart.DrawLine(1, 2, 3, 4, 1);
            chart.WorldLeft = -7;
            const std::string before = describeChart(chart);
            const LayoutResult r = CadLoad(chart, c.path, mode);
            EXPECT_FALSE(r.ok) << c.name;
            if (c.reason)
                EXPECT_EQ(r.reason.toStdString(), c.reason) << c.name;
            else
                EXPECT_FALSE(r.reason.isEmpty()) << c.name;
            EXPECT_EQ(describeChart(chart), before) << c.name;
            EXPECT_EQ(chart.NextShapeId(), 2) << c.name;
        }
    }
}

TEST_F(LayoutFileTest, TextBeyondTheLimitIsRefusedCompressedOrPlain)
{
    const QByteArray text = fixture("first-word-reload.qmt.txt");
    const QString plain = file("plain.qmt", text);
    const QString packed = file("packed.qmt", skerra::layout::compressLayoutText(text.toStdString()));
    skerra::layout::setLayoutTextLimitForTesting(text.size() - 1);
    for (const LayoutLoadMode mode : {LayoutLoadMode::Replace, LayoutLoadMode::Merge}) {
        for (const QString& p : {plain, packed}) {
            THalvekCanvasModel chart;
            chart.DrawPoint(1, 1, chart.LayerOpen("mine"));
            const std::string before = describeChart(chart);
            const LayoutResult r = CadLoad(chart, p, mode);
            EXPECT_EQ(r.reason.toStdString(), "too large");
            EXPECT_EQ(describeChart(chart), before);
        }
    }
    skerra::layout::setLayoutTextLimitForTesting(text.size());
    for (const QString& p : {plain, packed}) {
        THalvekCanvasModel chart;
        EXPECT_TRUE(CadLoad(chart, p, LayoutLoadMode::Replace).ok);
    }
    skerra::layout::setLayoutTextLimitForTesting(0);
}

// A chart whose file does not compress below the given size.
void drawScatter(THalvekCanvasModel& chart, int count)
{
    std::mt19937 random(7);
    std::uniform_real_distribution<double> coordinate(-1e6, 1e6);
    for (int i = 0; i < count; ++i)
        chart.DrawPoint(coordinate(random), coordinate(random), 0);
}

// The write stops at the file-size limit of the process: the previous file stays.
TEST_F(LayoutFileTest, AFailedSaveLeavesThePreviousFileAsItWas)
{
    THalvekCanvasModel small;
    small.DrawLine(0, 0, 1, 1, 0);
    const QString target = path("survey.qmt");
    ASSERT_TRUE(CadSave(small, target).ok);
    const QByteArray previous = readBytes(target);

    THalvekCanvasModel large;
    drawScatter(large, 20000);
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved;
    limited.rlim_cur = 64 * 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    const LayoutResult r = CadSave(large, target);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.reason.isEmpty());
    EXPECT_EQ(readBytes(target), previous);
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList{"survey.qmt"});

    // A text the reader would refuse is not written either.
    skerra::layout::setLayoutTextLimitForTesting(100);
    EXPECT_EQ(CadSave(large, target).reason.toStdString(), "too large");
    skerra::layout::setLayoutTextLimitForTesting(0);
    EXPECT_EQ(readBytes(target), previous);

    const LayoutResult noFolder = CadSave(small, path("no/such/folder.qmt"));
    EXPECT_FALSE(noFolder.ok);
    EXPECT_FALSE(noFolder.reason.isEmpty());
}

// A full disk with room for all but the last bytes of a small layout, which go out
// only when the file is completed: the save fails, says why, and the previous file
// stays whole and readable.
TEST_F(LayoutFileTest, ASaveThatFailsAtItsLastBytesOnAFullDiskLeavesThePreviousFileWhole)
{
    FullFileSystem disk;
    if (!disk.mounted()) SKERRA_SKIP_UNLESS_CI(disk.why());
    THalvekCanvasModel small;
    small.DrawLine(0, 0, 1, 1, 0);
    const QString target = disk.path("2024-03-07 0905.qmt");
    ASSERT_TRUE(CadSave(small, target).ok);
    const QByteArray previous = readBytes(target);
    ASSERT_TRUE(disk.fill(4096));

    THalvekCanvasModel grown;
    drawScatter(grown, 400);
    const LayoutResult r = CadSave(grown, target);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.reason.toStdString(), "No space left on device");
    EXPECT_EQ(readBytes(target), previous);
    THalvekCanvasModel read;
    EXPECT_TRUE(CadLoad(read, target, LayoutLoadMode::Replace).ok);
    EXPECT_EQ(read.ShapeCount(), 1);
    EXPECT_EQ(QDir(disk.path(".")).entryList(QDir::Files), QStringList{"2024-03-07 0905.qmt"});

    // Written where there is room, the same chart's file is larger than the room left.
    QTemporaryDir roomy;
    ASSERT_TRUE(CadSave(grown, roomy.filePath("grown.qmt")).ok);
    const qint64 size = QFileInfo(roomy.filePath("grown.qmt")).size();
    EXPECT_GT(size, 4096);
    EXPECT_LT(size, 16384) << "all of it would sit in a write buffer";
}

}  // namespace
