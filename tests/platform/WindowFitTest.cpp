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
        {DefaultPlace::CentredOnOpener, {617, 90}},
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

TEST(WindowFit, ADecoratedWindowNotYetFramedIsGivenATitleBar)
{
    EXPECT_EQ(skerra::expectedFrameMargins({}, false), QMargins());
    EXPECT_GT(skerra::expectedFrameMargins({}, true).top(), 20);
    EXPECT_EQ(skerra::expectedFrameMargins({2, 2, 2, 2}, true), QMargins(2, 2, 2, 2));
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
