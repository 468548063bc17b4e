#pragma once
// What is drawn over the chart's picture at every paint: the rubber band of a
// drawing in progress, the realtime overlays (measure, depth labels, event
// labels, depth/speed box, position box) and the scale bar. Also the texts and
// box placements they use, as plain functions.

#include "canvas/widget/CanvasOverlayFields.h"
#include "canvas/widget/GdiPainter.h"
#include "canvas/widget/PixelMapping.h"

#include <QHash>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QSize>
#include <QString>

#include <cstddef>

class THalvekCanvasModel;
class THPolyline;

namespace skerra::canvas {

// The window of the view over its client area, as the overlays map world points.
PixelMapping clientMapping(const THalvekCanvasModel& view);

// ---- rubber band ----
struct RubberBand {
    int cadMode = 0;
    bool drawingActive = false;
    bool firstPointPlaced = false;
    double startX = 0.0, startY = 0.0;      // the last placed point, world
    double currentX = 0.0, currentY = 0.0;  // the mouse, world
    const THPolyline* polyline = nullptr;   // the vertex shape being drawn
};
void DrawRubberBand(GdiPainter& painter, const THalvekCanvasModel& view, const RubberBand& band);

// ---- scale bar ----
struct ScaleBar {
    double length = 0.0;  // world units
    int pixels = 0;
    QString label;
};
// The bar for a window of worldWidth across clientWidth pixels: the longest
// round length (1, 2 or 5 times a power of ten) that fits in 150 pixels, so
// that its label always tells its drawn length. pixels is 0 when there is none.
ScaleBar scaleBarFor(double worldWidth, int clientWidth);
void DrawScaleBar(GdiPainter& painter, const THalvekCanvasModel& view);

// ---- measure ----
void DrawDistanceOverlay(GdiPainter& painter, const THalvekCanvasModel& view, const CanvasOverlayFields& o);

// ---- labels ----
// A label is drawn, centred on its point, while the point lies within this many
// pixels of the client area.
inline constexpr int kLabelReachX = 50, kLabelReachY = 20;
// How far a label's glyphs may reach past the box of its text (height as given).
inline int depthLabelOverhang(int height) { return 2 + height / 4; }
// A label text drawn once, in the labels' font and colour, into an image of its
// own: transparent, reaching the overhang past the text's box each way. Laid
// over transparent pixels it gives the pixels of drawing the text there. A text
// only measured has no image yet.
struct DepthLabelText {
    QSize size;
    int pad = 0;
    QImage image;
};
// Which depth labels to draw: indices `from` to `to` (not included), and when `near`
// is given only those whose point falls in it (in pixels). `largest` grows to the
// largest label drawn, or with `measureAll` (and `texts`) to the largest label of
// the pass, drawn or not. `texts`, when given, keeps each text measured or drawn
// (its holder empties it when the font or colour changes), and the labels are
// laid from it.
struct DepthLabelPass {
    std::size_t from = 0;
    std::size_t to = static_cast<std::size_t>(-1);
    const QRegion* near = nullptr;
    QSize largest;
    bool measureAll = false;
    QHash<QString, DepthLabelText>* texts = nullptr;
};
// Draws the depth labels of the pass (whatever DepthLabelsVisible says) and returns
// the box of every pixel they may touch (their texts' boxes widened by the
// overhang). The canvas draws them through DepthLabelLayer, which keeps them
// drawn between paints.
QRect DrawDepthLabels(GdiPainter& painter, const PixelMapping& map, const CanvasOverlayFields& o, DepthLabelPass& pass);
QRect DrawDepthLabels(GdiPainter& painter, const PixelMapping& map, const CanvasOverlayFields& o, std::size_t from = 0);
void DrawEventLabelsOverlay(GdiPainter& painter, const THalvekCanvasModel& view, const CanvasOverlayFields& o);

// ---- depth/speed box ----
struct DepthSpeedTexts {
    QString depth;      // large
    QString depthTail;  // small
    QString speed;      // large
    QString speedUnit;  // small
};
DepthSpeedTexts depthSpeedTexts(const CanvasOverlayFields& o);
// Top-left of the box's text line for a corner mode; unknown modes give mode 0.
QPoint depthSpeedOrigin(int mode, int totalWidth, int textHeight, int clientWidth, int clientHeight);
// The speed is part of the depth/speed box: this draws nothing.
inline void DrawCurrentSpeedOverlay(GdiPainter&, const THalvekCanvasModel&, const CanvasOverlayFields&) {}
void DrawCurrentDepthOverlay(GdiPainter& painter, const THalvekCanvasModel& view, const CanvasOverlayFields& o);

// ---- position box ----
// Box colour by fix quality, and whether the text on it is white.
TColor ggaBoxColour(int fixQuality);
bool ggaTextIsWhite(int fixQuality);
// The box as drawn (edges included) for a text of the given size at a corner.
QRect ggaBoxRect(int position, int textWidth, int textHeight, int clientWidth, int clientHeight);
QFont ggaFont();
void DrawGGAOverlay(GdiPainter& painter, const THalvekCanvasModel& view, const QString& text, int fixQuality,
                    int position);

}  // namespace skerra::canvas
