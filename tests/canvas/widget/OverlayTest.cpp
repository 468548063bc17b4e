// The realtime overlays: texts, boxes, labels, the measure and the rubber band.

#include "CanvasPixels.h"

#include "canvas/widget/GdiPainter.h"
#include "canvas/widget/OverlayPainter.h"
#include "platform/DisplaySettings.h"

#include <gtest/gtest.h>

using namespace skerra::canvas;

namespace {

struct DepthCase {
    double depth1, depth2;
    bool depthValid;
    double speed;
    bool speedValid;
    const char *depth, *tail, *speedText, *unit;
};

class DepthSpeedBox : public testing::TestWithParam<DepthCase> {};

TEST_P(DepthSpeedBox, SplitsTheSecondDecimalIntoTheSmallTail)
{
    const DepthCase& k = GetParam();
    CanvasOverlayFields o;
    o.CurrentDepth1 = k.depth1;
    o.CurrentDepth2 = k.depth2;
    o.CurrentDepthValid = k.depthValid;
    o.CurrentSpeed = k.speed;
    o.CurrentSpeedValid = k.speedValid;
    const DepthSpeedTexts t = depthSpeedTexts(o);
    EXPECT_EQ(t.depth.toStdString(), k.depth);
    EXPECT_EQ(t.depthTail.toStdString(), k.tail);
    EXPECT_EQ(t.speed.toStdString(), k.speedText);
    EXPECT_EQ(t.speedUnit.toStdString(), k.unit);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DepthSpeedBox,
    testing::Values(DepthCase{12.34, 0, true, 0, false, "12.3", "4m", "", ""},
                    DepthCase{0, 0, true, 0, false, "--.-", "m / --.-m", "", ""},
                    DepthCase{-1, 0, true, 0, false, "--.-", "m", "", ""},
                    DepthCase{12.34, 11.8, true, 5.2, true, "12.3", "4m / 11.80m", "5.2", "kn"},
                    DepthCase{0, 0, false, 5.25, true, "", "", "5.2", "kn"}));

TEST(PositionBox, ColourFollowsTheFixQuality)
{
    struct Case {
        int quality;
        TColor colour;
        bool whiteText;
    };
    for (const Case k : {Case{0, 0x0000FF, true}, Case{1, 0x0000FF, true}, Case{2, 0xFFFF00, false},
                         Case{3, 0x00FFFF, false}, Case{4, 0x00FF00, false}, Case{5, 0x00FFFF, false},
                         Case{7, 0x00FF00, false}, Case{-1, 0x00FFFF, false}}) {
        EXPECT_EQ(ggaBoxColour(k.quality), k.colour) << k.quality;
        EXPECT_EQ(ggaTextIsWhite(k.quality), k.whiteText) << k.quality;
    }
}

TEST(PositionBox, IsDrawnAndHitAtItsCorner)
{
    PixelCanvas c(400, 300);
    CanvasStatusValues status;
    c.SetStatusSource(&status);
    EXPECT_FALSE(c.IsPointInGGAOverlay(10, 10)) << "no text, no box";
    status.text = "RTK Fix | Spd: 3.1 kn | SV: 12";
    status.fixQuality = 0;
    EXPECT_TRUE(c.IsPointInGGAOverlay(2, 2)) << "top-left edge included";
    EXPECT_FALSE(c.IsPointInGGAOverlay(1, 2));
    QImage img = c.paint();
    EXPECT_EQ(rgbAt(img, 4, 4), kRedRgb);
    c.GGAOverlayPosition = 2;
    EXPECT_TRUE(c.IsPointInGGAOverlay(400 - 2, 300 - 4)) << "bottom-right corner";
    EXPECT_FALSE(c.IsPointInGGAOverlay(2, 2));
    img = c.paint();
    EXPECT_EQ(rgbAt(img, 400 - 4, 300 - 7), kRedRgb);
}

TEST(Overlays, TogglesKeepOutOfRangeValuesOutside)
{
    PixelCanvas c;
    c.DepthSpeedDisplayMode = 7;
    c.ToggleDepthSpeedDisplayMode();
    EXPECT_EQ(c.DepthSpeedDisplayMode, 0);
    c.GGAOverlayPosition = -2;
    c.ToggleGGAOverlayPosition();
    EXPECT_EQ(c.GGAOverlayPosition, -1);
    EXPECT_EQ(depthSpeedOrigin(-1, 50, 20, 400, 300), depthSpeedOrigin(0, 50, 20, 400, 300));
}

TEST(Overlays, DepthLabelsKeepTheirSpacingAndCap)
{
    PixelCanvas c;
    c.AddDepthLabel(0, 0, 1);
    const int before = c.invalidates;
    c.AddDepthLabel(9.99, 0, 2);
    EXPECT_EQ(c.DepthLabels.size(), 1u) << "closer than the spacing";
    EXPECT_EQ(c.invalidates, before) << "refused without a repaint";
    c.AddDepthLabel(10, 0, 3);
    EXPECT_EQ(c.DepthLabels.size(), 2u) << "exactly the spacing is accepted";
    c.SetDepthLabelSettings(true, 0, QStringLiteral("Arial"), 12, 0);
    for (int i = 2; i < 10001; ++i)
        c.AddDepthLabel(i * 20.0, 0, i);
    EXPECT_EQ(c.DepthLabels.size(), 9001u);
    EXPECT_EQ(c.DepthLabels.front().depth, 1000) << "the oldest 1,000 went";
}

TEST(Overlays, LabelsAreDrawnWhereTheyLieAndEventLabelsIgnoreTheDepthSwitch)
{
    PixelCanvas c;
    const QImage empty = c.paint();
    c.AddEventLabel(100, 100, 7);
    c.DepthLabelsVisible = false;
    const QImage withEvent = c.paint();
    const QRect ink = inkBox(withEvent.copy(0, 0, 200, 150));
    EXPECT_TRUE(ink.contains(100, 100)) << "centred on its point";
    EXPECT_GT(countColour(withEvent, 0xFF0000), 0) << "in the event colour";
    c.AddDepthLabel(50, 150, 12.34);
    EXPECT_EQ(c.paint(), withEvent) << "depth labels switched off";
    c.DepthLabelsVisible = true;
    EXPECT_NE(c.paint(), withEvent);
    (void)empty;
}

TEST(Overlays, MeasureNeedsTwoPixelsAndItsCircleMore)
{
    auto paintMeasure = [](double dx, bool active) {
        PixelCanvas c;
        c.StartDistanceMeasure(100, 100);
        c.UpdateDistanceMeasure(100 + dx, 100, dx, 90);
        if (!active)
            c.EndDistanceMeasure();
        return c.paint();
    };
    const QImage none = paintMeasure(0, false);
    EXPECT_EQ(paintMeasure(1, true), none);
    const QImage two = paintMeasure(2, true);
    EXPECT_NE(two, none);
    const QImage far = paintMeasure(40, true);
    EXPECT_EQ(rgbAt(far, 100, 100 - 40), kRedRgb) << "the circle";
    EXPECT_EQ(paintMeasure(40, false), none) << "gone after the end";

    PixelCanvas idle;
    idle.UpdateDistanceMeasure(10, 10, 5, 5);
    EXPECT_FALSE(idle.MeasureActive);
    EXPECT_EQ(idle.MeasureEndX, 0);
}

TEST(Overlays, DepthBoxSitsInItsCorner)
{
    PixelCanvas c(400, 300);
    c.SetCurrentDepth(12.34, 0, true);
    QImage img = c.paint();
    EXPECT_EQ(rgbAt(img, 8, 300 - 14), kWhiteRgb);
    EXPECT_GT(countColour(img, 0x000080, QRect(0, 200, 250, 100)), 20) << "navy digits, bottom-left";
    c.DepthSpeedDisplayMode = 3;
    img = c.paint();
    EXPECT_GT(countColour(img, 0x000080, QRect(0, 0, 250, 100)), 20) << "top-left";
}

TEST(RubberBand, IsAnXorThatUndoesItself)
{
    PixelCanvas c;
    c.SetLayerBrushStyle(0, bsSolid);
    c.SetLayerBrushFg(0, 0x00A0FF);
    c.DrawRectangle(30, 30, 120, 120, 0);
    QImage img = c.picture();
    const QImage original = img.copy();
    RubberBand band;
    band.cadMode = 1;
    band.drawingActive = band.firstPointPlaced = true;
    band.startX = 10;
    band.startY = 190;
    band.currentX = 150;
    band.currentY = 60;
    {
        QPainter p(&img);
        GdiPainter g(p);
        DrawRubberBand(g, c, band);
    }
    EXPECT_EQ(rgbAt(img, 10, 10), kBlackRgb) << "white turned black";
    EXPECT_EQ(rgbAt(img, 149, 100), kBlackRgb) << "right edge is the last column before the end";
    {
        QPainter p(&img);
        GdiPainter g(p);
        DrawRubberBand(g, c, band);
    }
    EXPECT_EQ(img, original);
}

TEST(RubberBand, PolygonClosesBackToItsFirstVertex)
{
    PixelCanvas c;
    c.CadMode = 6;
    c.MouseDown(1, 0, 20, 20);
    c.MouseDown(1, 0, 180, 20);
    c.MouseMove(0, 180, 180);
    const QImage img = c.paint();
    EXPECT_EQ(rgbAt(img, 100, 20), kBlackRgb) << "first edge";
    EXPECT_EQ(rgbAt(img, 100, 100), kBlackRgb) << "back to the first vertex";
}

}  // namespace
