// The periodic screenshots: monitor names for the usual arrangements, and whole ticks
// on the offscreen platform set up with two screens side by side.

#include "navigation/ScreenshotNames.h"
#include "navigation/ScreenshotTaker.h"

#include "FullFileSystem.h"
#include "MissingTool.h"
#include "OffscreenScreens.h"

#include <QFile>
#include <QGuiApplication>
#include <QImageReader>
#include <QPainter>
#include <QRasterWindow>
#include <QScreen>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>

namespace {

TEST(ScreenshotNames, ByPlaceAmongTheOtherMonitors)
{
    const struct {
        const char* arrangement;
        std::vector<QRect> screens;
        std::vector<QString> names;
    } cases[] = {
        {"one", {{0, 0, 1920, 1080}}, {"Primary"}},
        {"side by side, listed right first", {{1920, 0, 1920, 1080}, {0, 0, 1920, 1080}}, {"Right", "Left"}},
        {"stacked", {{0, 0, 1920, 1080}, {0, 1080, 1920, 1080}}, {"Top", "Bottom"}},
        {"stacked, listed bottom first", {{0, 1080, 1920, 1080}, {0, 0, 1920, 1080}}, {"Bottom", "Top"}},
        {"three in a row",
         {{0, 0, 1280, 1024}, {1280, 0, 1920, 1080}, {3200, 0, 1280, 1024}},
         {"Left", "Middle", "Right"}},
        {"2 x 2",
         {{0, 0, 1920, 1080}, {1920, 0, 1920, 1080}, {0, 1080, 1920, 1080}, {1920, 1080, 1920, 1080}},
         {"Left 1", "Right 2", "Left 3", "Right 4"}},
        {"L-shape", {{0, 0, 1920, 1080}, {1920, 0, 1920, 1080}, {0, 1080, 1920, 1080}}, {"Left 1", "Right", "Left 3"}},
        {"same place twice", {{0, 0, 800, 600}, {0, 0, 800, 600}}, {"Monitor1", "Monitor2"}},
    };
    for (const auto& c : cases) EXPECT_EQ(ScreenshotNames(c.screens), c.names) << c.arrangement;

    EXPECT_EQ(ScreenshotFileName("/d/2026-12-09/PNG/", QDateTime(QDate(2026, 12, 10), QTime(0, 5, 9)), "Left 1"),
              "/d/2026-12-09/PNG/ZQB 2026-12-10 000509 Left 1.png");
    EXPECT_EQ(ScreenshotFolder("/d/2026-12-09/"), "/d/2026-12-09/PNG/");
}

// A window filling a screen in one colour, so the screen has pixels to capture.
std::unique_ptr<QRasterWindow> fillScreen(QScreen* screen, QColor colour)
{
    struct Filled : QRasterWindow {
        QColor colour;
        void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(QRect(QPoint(), size()), colour); }
    };
    auto window = std::make_unique<Filled>();
    window->colour = colour;
    window->setScreen(screen);
    window->setGeometry(screen->geometry());
    window->show();
    return window;
}

// The PNG's colour type (2: truecolour, 24 bits) and whether its zlib stream says it
// was made at the highest compression levels (FLEVEL 3; the writer may shrink the window).
struct PngFacts {
    int bitDepth = 0, colourType = 0;
    bool maximumCompression = false;
};

PngFacts pngFacts(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray bytes = file.readAll();
    PngFacts facts;
    facts.bitDepth = quint8(bytes.at(24));
    facts.colourType = quint8(bytes.at(25));
    const qsizetype idat = bytes.indexOf("IDAT");
    facts.maximumCompression = idat > 0 && (quint8(bytes.at(idat + 4)) & 0x0F) == 8  // deflate
                               && quint8(bytes.at(idat + 5)) >> 6 == 3;
    return facts;
}

class ScreenshotTick : public ::testing::Test {
protected:
    QStringList reports;
    QTemporaryDir root;
    const QDateTime now{QDate(2026, 12, 10), QTime(14, 30, 15)};
    ScreenshotTaker::Reporter recorder()
    {
        return [this](const QString& text) { reports << text; };
    }
};

TEST_F(ScreenshotTick, EveryScreenGoesToItsOwnFileAtFullSize)
{
    const QList<QScreen*> screens = QGuiApplication::screens();
    ASSERT_EQ(screens.size(), 2) << "the test's platform configuration has two screens";
    auto left = fillScreen(screens[0], Qt::red);
    auto right = fillScreen(screens[1], Qt::blue);
    QCoreApplication::processEvents();

    const QString folder = root.path() + "/2026-12-09/PNG/";  // made by the tick
    ScreenshotTaker taker(folder, recorder(), {});
    taker.SetScreenCaptureAllowed(true);
    taker.Tick(now);
    taker.WaitForWrites();

    EXPECT_TRUE(reports.isEmpty()) << reports.join('\n').toStdString();
    const struct {
        const char* name;
        QSize size;
    } expected[] = {{"Left", {640, 480}}, {"Right", {320, 240}}};
    for (const auto& e : expected) {
        const QString path = folder + "ZQB 2026-12-10 143015 " + e.name + ".png";
        EXPECT_EQ(QImageReader(path).size(), e.size) << e.name;
        const PngFacts facts = pngFacts(path);
        EXPECT_EQ(facts.bitDepth, 8) << e.name;
        EXPECT_EQ(facts.colourType, 2) << e.name;
        EXPECT_TRUE(facts.maximumCompression) << e.name;
    }
    EXPECT_EQ(QImage(folder + "ZQB 2026-12-10 143015 Left.png").pixelColor(10, 10), QColor(Qt::red));
}

TEST_F(ScreenshotTick, AFolderThatCannotBeMadeIsReportedOnceAndTriedAgain)
{
    auto left = fillScreen(QGuiApplication::screens()[0], Qt::red);
    QCoreApplication::processEvents();
    QFile blocker(root.path() + "/PNG");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));  // a file where the folder should be
    blocker.close();
    ScreenshotTaker taker(root.path() + "/PNG/", recorder(), {});
    taker.SetScreenCaptureAllowed(true);
    for (int tick = 0; tick < 3; ++tick) {
        taker.Tick(now.addSecs(tick));
        taker.WaitForWrites();
    }
    ASSERT_EQ(reports.size(), 1);
    EXPECT_TRUE(reports[0].startsWith("Screenshots could not be saved: cannot create the folder ")) << reports[0].toStdString();

    QFile::remove(root.path() + "/PNG");
    taker.Tick(now.addSecs(5));
    taker.WaitForWrites();
    EXPECT_EQ(reports.size(), 1);
    EXPECT_TRUE(QFile::exists(root.path() + "/PNG/ZQB 2026-12-10 143020 Left.png"));
}

TEST_F(ScreenshotTick, WithoutScreenCaptureTheOwnWindowsAreSavedAndThatIsSaidOnce)
{
    QImage image(50, 40, QImage::Format_ARGB32);
    image.fill(Qt::green);
    ScreenshotTaker taker(root.path() + "/PNG/", recorder(),
                          [&] { return std::vector<NamedImage>{{"FNav", image}, {"FNav", image}}; });
    taker.SetScreenCaptureAllowed(false);
    taker.Tick(now);
    taker.WaitForWrites();
    taker.Tick(now.addSecs(60));
    taker.WaitForWrites();
    EXPECT_EQ(reports.size(), 1);
    for (const char* name : {"143015 FNav 1", "143015 FNav 2", "143115 FNav 1"})
        EXPECT_EQ(QImageReader(root.path() + "/PNG/ZQB 2026-12-10 " + name + ".png").size(), QSize(50, 40)) << name;
}

// A picture that does not fit on a full disk, whether it fails at its last bytes (a
// small one, held in the file's buffer until the flush) or while it is being written (a
// large one): the failure is reported with its reason and no cut picture stays behind.
TEST(ScreenshotFiles, APictureThatDoesNotFitIsReportedWithItsReasonAndRemoved)
{
    // Noise does not compress: about 12 KiB and 48 KiB as PNG.
    for (const int side : {64, 128}) {
        SCOPED_TRACE(side);
        FullFileSystem disk;
        if (!disk.mounted()) SKERRA_SKIP_UNLESS_CI(disk.why());
        ASSERT_TRUE(disk.fill(4096));
        QImage noise(side, side, QImage::Format_RGB888);
        std::uint32_t seed = 7;
        for (int y = 0; y < noise.height(); ++y)
            for (int x = 0; x < noise.width(); ++x) {
                seed = seed * 1664525u + 1013904223u;
                noise.setPixel(x, y, seed >> 8);
            }
        const QString problem =
            WriteScreenshots(disk.path("PNG/"), QDateTime(QDate(2026, 12, 10), QTime(14, 30, 15)), {{"Left", noise}});
        EXPECT_TRUE(problem.endsWith("(No space left on device)")) << problem.toStdString();
        EXPECT_TRUE(QDir(disk.path("PNG")).entryList(QDir::Files).isEmpty());
    }
}

}  // namespace

// Two offscreen screens side by side: 640 x 480 and 320 x 240 to its right.
int main(int argc, char** argv)
{
    QTemporaryDir configFolder;
    if (!useOffscreenScreens(configFolder, R"([
        {"name": "left", "x": 0, "y": 0, "width": 640, "height": 480, "logicalDpi": 96, "dpr": 1.0},
        {"name": "right", "x": 640, "y": 0, "width": 320, "height": 240, "logicalDpi": 96, "dpr": 1.0}])"))
        return 2;
    testing::InitGoogleTest(&argc, argv);
    QGuiApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
