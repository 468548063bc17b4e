// The world window: conversions to and from pixels, fit, zoom, pan and set.

#include "RecordingCanvas.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

struct ToScreenCase {
    const char* name;
    double left, right, top, bottom;
    double x, y;
    int sx, sy;
};

TEST(WorldToScreen, TruncatesGuardsAndClips)
{
    constexpr int L = THalvekCanvasModel::PixelLimit;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const ToScreenCase cases[] = {
        {"centre", 0, 1000, 1000, 0, 500, 500, 200, 150},
        {"top-left corner", 0, 1000, 1000, 0, 0, 1000, 0, 0},
        {"beyond the right edge, not clipped to the client", 0, 1000, 1000, 0, 1500, 0, 600, 300},
        {"truncates 199.9 to 199", 0, 1000, 1000, 0, 499.75, 1000, 199, 0},
        {"truncates -0.5 toward zero", 0, 1000, 1000, 0, -1.25, 1000, 0, 0},
        {"empty width counts as 1", 5, 5, 1000, 0, 6, 1000, 400, 0},
        {"far off is clipped", 0, 1000, 1000, 0, 1e300, -1e300, L, L},
        {"far off the other way", 0, 1000, 1000, 0, -1e300, 1e300, -L, -L},
        {"infinity is clipped", 0, 1000, 1000, 0, inf, 0, L, 300},
        {"NaN goes off to the left/top", 0, 1000, 1000, 0, nan, nan, -L, -L},
    };
    for (const auto& k : cases) {
        THalvekCanvasModel c;
        c.WorldSet(k.left, k.top, k.right, k.bottom);
        int sx = 0, sy = 0;
        c.WorldToScreen(k.x, k.y, sx, sy);
        EXPECT_EQ(sx, k.sx) << k.name;
        EXPECT_EQ(sy, k.sy) << k.name;
        EXPECT_EQ(c.WorldToAbsX(k.x), k.sx) << k.name;
        EXPECT_EQ(c.WorldToAbsY(k.y), k.sy) << k.name;
    }
}

TEST(ScreenToWorld, InvertsAndGuardsAZeroClient)
{
    THalvekCanvasModel c;
    double x = 0, y = 0;
    c.ScreenToWorld(200, 150, x, y);
    EXPECT_DOUBLE_EQ(x, 500);
    EXPECT_DOUBLE_EQ(y, 500);
    c.SetClientSize(0, -3);
    c.ScreenToWorld(1, 1, x, y);
    EXPECT_DOUBLE_EQ(x, 1000);
    EXPECT_DOUBLE_EQ(y, 0);
    EXPECT_EQ(c.GetWorldWidth(), 1000);
    EXPECT_EQ(c.GetWorldHeight(), 1000);
}

void expectWindow(const THalvekCanvasModel& c, double l, double r, double b, double t, const char* what)
{
    SCOPED_TRACE(what);
    EXPECT_NEAR(c.WorldLeft, l, 1e-9);
    EXPECT_NEAR(c.WorldRight, r, 1e-9);
    EXPECT_NEAR(c.WorldBottom, b, 1e-9);
    EXPECT_NEAR(c.WorldTop, t, 1e-9);
}

TEST(WorldExtents, FitsVisibleShapesWithMarginsAtClientAspect)
{
    RecordingCanvas c;
    c.DrawLine(0, 0, 100, 50, 0);
    c.painted();
    c.WorldExtents();
    expectWindow(c, -5, 105, 25 - 41.25, 25 + 41.25, "wide drawing: x stays");
    EXPECT_TRUE(c.NeedsRedraw);
    EXPECT_EQ(c.invalidates, 1);

    THalvekCanvasModel tall;
    tall.DrawLine(0, 0, 10, 100, 0);
    tall.WorldExtents();
    const double h = 110, w = h * 400.0 / 300.0;
    expectWindow(tall, 5 - w / 2, 5 + w / 2, -5, 105, "tall drawing: y stays");
}

TEST(WorldExtents, DefaultWindowWhenNothingToFit)
{
    const std::function<void(THalvekCanvasModel&)> charts[] = {
        [](auto&) {},                                                   // empty
        [](auto& c) { c.DrawPolyline({{3, 3}, {3, 3}}, 0, false); },   // one place
        [](auto& c) { c.DrawLine(0, 5, 100, 5, 0); },                   // no height
        [](auto& c) { c.FindShape(c.DrawLine(0, 0, 9, 9, 0))->Visible = false; },
        [](auto& c) { c.DrawLine(0, 0, 2e15, 1, 0); },                  // beyond the limits
        [](auto& c) { c.DrawLine(0, 0, std::numeric_limits<double>::quiet_NaN(), 1, 0); },
    };
    for (const auto& make : charts) {
        THalvekCanvasModel c;
        make(c);
        c.WorldSet(1, 2, 3, 4);
        c.WorldExtents();
        expectWindow(c, 0, 1000, 0, 1000, "default window");
    }
}

TEST(WorldExtents, IgnoresLayerVisibilityAndOutliers)
{
    THalvekCanvasModel c;
    const int hidden = c.LayerOpen("hidden");
    c.SetLayerVisible(hidden, false);
    c.DrawLine(0, 0, 100, 75, hidden);
    c.DrawLine(0, 0, 1e16, 1e16, 0);  // ignored
    c.WorldExtents();
    expectWindow(c, -5, 105, -3.75, 78.75, "fitted to the hidden layer's line");
}

TEST(WorldExtents, CollapsedClientKeepsTheFittedBox)
{
    THalvekCanvasModel c;
    c.SetClientSize(0, 0);
    c.DrawLine(0, 0, 100, 50, 0);
    c.WorldExtents();
    expectWindow(c, -5, 105, -2.5, 52.5, "no aspect to follow");
}

TEST(WorldZoom, ScalesAboutThePointWithinLimits)
{
    RecordingCanvas c;  // 400 x 300
    c.painted();
    c.WorldZoom(0, 0.2, 500, 500);
    expectWindow(c, 100, 900, 500 - 300, 500 + 300, "zoom in about the centre");
    EXPECT_EQ(c.invalidates, 1);
    c.WorldSet(0, 1000, 1000, 0);
    c.WorldZoom(0, 5, 0, 0);  // factor >= 1: a tenth
    EXPECT_NEAR(c.GetWorldWidth(), 100, 1e-9);
    EXPECT_NEAR(c.WorldLeft, 0, 1e-9);
    EXPECT_NEAR(c.WorldBottom, 0, 1e-9);
    c.WorldSet(0, 1000, 1000, 0);
    c.WorldZoom(0, -20, 500, 500);  // ten times
    EXPECT_NEAR(c.GetWorldWidth(), 10000, 1e-6);
    c.WorldSet(0, 1000, 1000, 0);
    c.WorldZoom(0, 0, 250, 500);  // width kept, height to the client aspect
    EXPECT_NEAR(c.GetWorldWidth(), 1000, 1e-9);
    EXPECT_NEAR(c.GetWorldHeight(), 750, 1e-9);
    for (int i = 0; i < 200; ++i)
        c.WorldZoom(0, 0.9, 123, 456);
    EXPECT_NEAR(c.GetWorldWidth(), THalvekCanvasModel::MinWorldWidth, 1e-12);
    for (int i = 0; i < 200; ++i)
        c.WorldZoom(0, -9, 123, 456);
    EXPECT_NEAR(c.GetWorldWidth(), THalvekCanvasModel::MaxWorldWidth, 1);
}

// Beyond a limit a zoom keeps its direction: out never shrinks, in never jumps.
TEST(WorldZoom, KeepsItsDirectionBeyondTheWidthLimits)
{
    const double wide = THalvekCanvasModel::MaxWorldWidth * 50;
    const double narrow = THalvekCanvasModel::MinWorldWidth / 50;
    const struct { double width, factor, expected; const char* what; } cases[] = {
        {wide, -0.2, wide, "out from beyond the maximum: unchanged"},
        {wide, 0.2, wide * 0.8, "in from beyond the maximum: by the factor"},
        {THalvekCanvasModel::MaxWorldWidth * 0.9, -0.2, THalvekCanvasModel::MaxWorldWidth, "out up to the maximum"},
        {narrow, 0.2, narrow, "in from below the minimum: unchanged"},
        {narrow, -0.2, narrow * 1.2, "out from below the minimum: by the factor"},
        {THalvekCanvasModel::MinWorldWidth * 1.1, 0.2, THalvekCanvasModel::MinWorldWidth, "in down to the minimum"},
    };
    for (const auto& k : cases) {
        RecordingCanvas c;  // 400 x 300
        c.WorldSet(-k.width / 2, k.width * 0.375, k.width / 2, -k.width * 0.375);
        c.WorldZoom(0, k.factor, 0, 0);
        EXPECT_NEAR(c.GetWorldWidth(), k.expected, k.expected * 1e-9) << k.what;
    }
}

TEST(WorldZoom, IgnoresNonFiniteInputAndSurvivesCollapsedClient)
{
    RecordingCanvas c;
    c.painted();
    c.WorldZoom(0, std::numeric_limits<double>::quiet_NaN(), 0, 0);
    c.WorldZoom(0, 0.2, std::numeric_limits<double>::infinity(), 0);
    c.WorldPan(std::numeric_limits<double>::quiet_NaN(), 1);
    expectWindow(c, 0, 1000, 0, 1000, "unchanged");
    EXPECT_FALSE(c.NeedsRedraw);
    c.SetClientSize(0, 300);
    c.WorldZoom(0, 0.5, 500, 500);
    expectWindow(c, 250, 750, 250, 750, "window's own aspect kept");
}

TEST(WorldPanAndSet, MoveAndStoreAsPassed)
{
    RecordingCanvas c;
    c.painted();
    c.WorldPan(10, -20);
    expectWindow(c, 10, 1010, -20, 980, "panned");
    EXPECT_EQ(c.invalidates, 1);
    c.WorldSet(100, 0, 0, 50);  // inverted: stored unchanged
    expectWindow(c, 100, 0, 50, 0, "inverted");
    int sx = 0, sy = 0;
    c.WorldToScreen(75, 25, sx, sy);  // mirrored
    EXPECT_EQ(sx, 100);
    EXPECT_EQ(sy, 150);
}

}  // namespace
