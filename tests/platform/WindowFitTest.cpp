#include "platform/Contrast.h"
#include "platform/WindowFit.h"

#include <gtest/gtest.h>

namespace {

using skerra::DefaultPlace;

const QRect Screen(0, 0, 1024, 740);  // 1024 x 768 less a 28-pixel panel at the bottom

TEST(WindowFit, AFrameOffTheAreaIsMovedWhollyIn)
{
    const struct {
        const char* what;
        QRect frame;
        QPoint placed;
    } cases[] = {
        {"message window's design place", {1017, 148, 421, 226}, {603, 148}},
        {"past the bottom", {100, 700, 300, 250}, {100, 490}},
        {"above and left", {-40, -10, 200, 100}, {0, 0}},
        {"inside stays", {10, 20, 200, 100}, {10, 20}},
        {"exactly at the corner", {824, 640, 200, 100}, {824, 640}},
        {"wider than the area keeps its left on the area's", {50, 10, 1100, 100}, {0, 10}},
    };
    for (const auto& c : cases) EXPECT_EQ(skerra::keepInside(c.frame, Screen).topLeft(), c.placed) << c.what;
    EXPECT_EQ(skerra::keepInside({1017, 148, 421, 226}, QRect(1024, 0, 1366, 768)).topLeft(), QPoint(1024, 148))
        << "a second screen's area";
}

TEST(WindowFit, DefaultPlacesAroundTheMainWindowAndTheChart)
{
    skerra::PlacementAnchors anchors;
    anchors.available = Screen;
    anchors.mainWindow = QRect(0, 0, 1024, 730);
    anchors.chart = QRect(24, 126, 1000, 582);
    anchors.opener = QRect(519, 105, 497, 219);
    const QSize frame(300, 250);
    const int gap = skerra::ChartCornerGap;
    const struct {
        DefaultPlace place;
        QPoint at;
    } cases[] = {
        {DefaultPlace::AsDesigned, {5, 6}},
        {DefaultPlace::CentredOnMain, {362, 240}},
        {DefaultPlace::CentredOnOpener, {617, 126}},  // centred on the opener, then below the bars
        {DefaultPlace::ChartUpperLeft, {24 + gap, 126 + gap}},
        {DefaultPlace::ChartUpperCentre, {374, 126 + gap}},
        {DefaultPlace::ChartUpperRight, {1024 - gap - 300, 126 + gap}},
        {DefaultPlace::ChartLowerLeft, {24 + gap, 708 - gap - 250}},
        {DefaultPlace::ChartLowerCentre, {374, 708 - gap - 250}},
        {DefaultPlace::ChartLowerRight, {1024 - gap - 300, 708 - gap - 250}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(skerra::defaultFramePosition(c.place, frame, {5, 6}, anchors), c.at) << int(c.place);

    // Before the main window shows, its places are measured against the screen.
    const skerra::PlacementAnchors screenOnly{Screen, {}, {}, {}};
    EXPECT_EQ(skerra::defaultFramePosition(DefaultPlace::CentredOnMain, frame, {}, screenOnly), QPoint(362, 245));
    EXPECT_EQ(skerra::defaultFramePosition(DefaultPlace::CentredOnOpener, frame, {}, screenOnly), QPoint(362, 245));
    EXPECT_EQ(skerra::defaultFramePosition(DefaultPlace::ChartLowerRight, frame, {}, screenOnly),
              QPoint(1024 - gap - 300, 740 - gap - 250));
}

TEST(WindowFit, CentredWindowsKeepClearOfTheMainWindowsBarsWhereTheyFitBelowThem)
{
    // The main window where a window manager put it, framed, on a large screen.
    skerra::PlacementAnchors anchors;
    anchors.available = QRect(0, 0, 1920, 1052);
    anchors.mainWindow = QRect(740, 323, 1026, 721);
    anchors.chart = QRect(765, 470, 1000, 552);  // below the menu and tool bars, above the status bar
    const struct {
        const char* what;
        QSize frame;
        QPoint at;
    } cases[] = {
        {"small: centred on the main window", {300, 200}, {1103, 583}},
        {"tall: moved down to the chart's top", {400, 500}, {1053, 470}},
        {"taller than the chart: top on the chart's", {400, 700}, {1053, 470}},
        {"wider than the chart: left on the chart's", {1010, 200}, {765, 583}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(skerra::defaultFramePosition(DefaultPlace::CentredOnMain, c.frame, {}, anchors), c.at) << c.what;
        anchors.opener = anchors.mainWindow;
        EXPECT_EQ(skerra::defaultFramePosition(DefaultPlace::CentredOnOpener, c.frame, {}, anchors), c.at) << c.what;
        anchors.opener = {};
    }
}

// The chart's position box stays in sight: a window goes below it where it fits there,
// else the whole chart is its room.
TEST(WindowFit, WindowsInTheChartKeepClearOfItsPositionBoxWhereTheyFitBesideIt)
{
    skerra::PlacementAnchors anchors;
    anchors.available = Screen;
    anchors.mainWindow = QRect(0, 0, 1024, 730);
    anchors.chart = QRect(24, 126, 1000, 582);
    anchors.chartClear = QRect(24, 162, 1000, 546);  // below the box's rows
    const int gap = skerra::ChartCornerGap;
    const struct {
        const char* what;
        DefaultPlace place;
        QSize frame;
        QPoint at;
    } cases[] = {
        {"upper left, fits below the box", DefaultPlace::ChartUpperLeft, {220, 490}, {24 + gap, 162 + gap}},
        {"upper right, fits below the box", DefaultPlace::ChartUpperRight, {490, 210}, {1024 - gap - 490, 162 + gap}},
        {"too tall to fit below it: the chart's top", DefaultPlace::ChartUpperLeft, {220, 540}, {24 + gap, 126 + gap}},
        {"lower left: the chart's bottom either way", DefaultPlace::ChartLowerLeft, {200, 100}, {24 + gap, 708 - gap - 100}},
        {"centred, tall: the top of the room below the box", DefaultPlace::CentredOnMain, {400, 530}, {312, 162}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(skerra::defaultFramePosition(c.place, c.frame, {}, anchors), c.at) << c.what;
}

TEST(WindowFit, AFreePlaceCoversNoTakenWindowWhereThereIsRoom)
{
    const QRect chart(24, 146, 1000, 560);
    const QRect settings(32, 154, 260, 540), offsets(506, 154, 510, 230);  // upper left, upper right
    const QSize numbers(421, 220);
    const QPoint upperCentre(313, 154);
    // Free where it is preferred: kept.
    EXPECT_EQ(skerra::freeFramePosition(numbers, {300, 470}, chart, {settings, offsets}), QPoint(300, 470));
    // Covering a window: moved to the free place nearest to the preferred one.
    const QPoint moved = skerra::freeFramePosition(numbers, upperCentre, chart, {settings, offsets});
    const QRect frame(moved, numbers);
    EXPECT_TRUE(chart.contains(frame));
    EXPECT_FALSE(frame.intersects(settings));
    EXPECT_FALSE(frame.intersects(offsets));
    EXPECT_EQ(moved, QPoint(313, 384)) << "just below the offsets window";
    // No free place at all: the one that covers least, inside the area.
    const QRect full(24, 146, 500, 300);
    const QPoint least = skerra::freeFramePosition({300, 200}, {24, 146}, full, {QRect(24, 146, 400, 300)});
    EXPECT_TRUE(full.contains(QRect(least, QSize(300, 200))));
    EXPECT_EQ(least.x(), 224);
}

TEST(WindowFit, ADecoratedWindowNotYetFramedIsGivenTheFrameOfTheWindowsFramedBefore)
{
    EXPECT_EQ(skerra::expectedFrameMargins({}, false), QMargins());
    EXPECT_GT(skerra::expectedFrameMargins({}, true).top(), 20);
    EXPECT_EQ(skerra::expectedFrameMargins({2, 2, 2, 2}, true), QMargins(2, 2, 2, 2));
    EXPECT_EQ(skerra::expectedFrameMargins({}, true, {1, 20, 1, 1}), QMargins(1, 20, 1, 1));
    EXPECT_EQ(skerra::expectedFrameMargins({}, false, {1, 20, 1, 1}), QMargins());
    EXPECT_EQ(skerra::expectedFrameMargins({2, 2, 2, 2}, true, {1, 20, 1, 1}), QMargins(2, 2, 2, 2));
}

TEST(Contrast, RatiosOfKnownPairs)
{
    const struct {
        QColor a, b;
        double ratio;
    } cases[] = {
        {Qt::black, Qt::white, 21.0},
        {Qt::white, Qt::white, 1.0},
        {QColor(0x00FF00), Qt::white, 1.37},  // lime on white: unreadable
        {QColor(0x00FF00), Qt::black, 15.3},
        {QColor(0x767676), Qt::white, 4.54},  // the lightest grey that still reads on white
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(skerra::contrastRatio(c.a, c.b), c.ratio, 0.01) << c.a.name().toStdString();
        EXPECT_DOUBLE_EQ(skerra::contrastRatio(c.a, c.b), skerra::contrastRatio(c.b, c.a));
    }
}

}  // namespace

namespace {

TEST(Contrast, ATextColourThatDoesNotReadIsTakenTowardsBlackOrWhite)
{
    const struct {
        const char* what;
        QColor background, preferred;
    } cases[] = {
        {"red status on a light panel", QColor(0xF0F0F0), QColor(0xFF0000)},
        {"grey status on a dark panel", QColor(0x2D2D30), QColor(0x808080)},
        {"lime monitor text on white", Qt::white, QColor(0x00FF00)},
        {"white caption on yellow", QColor(0xFFFF00), Qt::white},
    };
    for (const auto& c : cases) {
        const QColor text = skerra::readableTextOn(c.background, c.preferred);
        EXPECT_GE(skerra::contrastRatio(text, c.background), skerra::ReadableContrast) << c.what;
        if (text != Qt::black && text != Qt::white)
            EXPECT_NEAR(text.hsvHue(), c.preferred.hsvHue(), 2) << c.what;  // still red, still green
    }
    EXPECT_EQ(skerra::readableTextOn(Qt::black, QColor(0x00FF00)), QColor(0x00FF00));  // reads: kept
    EXPECT_EQ(skerra::readableTextOn(QColor(0x2D2D30)), QColor(Qt::white));
}

}  // namespace
