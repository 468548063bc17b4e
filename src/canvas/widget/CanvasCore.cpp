// THalvekCanvasCore: painting, the changes redrawn in part, overlays and selections.

#include "canvas/widget/THalvekCanvasCore.h"

#include "canvas/ClientFit.h"
#include "canvas/widget/GdiPainter.h"
#include "canvas/widget/OverlayPainter.h"
#include "canvas/widget/PolygonSelection.h"
#include "platform/MessageBox.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

using namespace skerra::canvas;

THalvekCanvasCore::THalvekCanvasCore() = default;

// ---- painting ----

const QImage& THalvekCanvasCore::BackBuffer()
{
    if (NeedsRedraw) {
        renderer_.renderAll(*this);
    } else if (!renderer_.viewUnchanged(*this)) {
        renderer_.renderPanned(*this);
    } else if (tailChanged_) {
        renderer_.renderTail(*this);
    }
    NeedsRedraw = false;
    tailChanged_ = false;
    return renderer_.image();
}

void THalvekCanvasCore::PaintTo(QPainter& painter)
{
    // The depth labels come after the rubber band and the measure: only
    // while neither is shown can they be laid over the picture beforehand.
    const bool labelsFirst = !(DrawingActive && FirstPointPlaced) && !MeasureActive;
    const QImage& picture = BackBuffer();
    painter.drawImage(0, 0, labelsFirst ? depthLabels_.over(renderer_, *this, *this) : picture);
    GdiPainter g(painter);
    RubberBand band;
    band.cadMode = CadMode;
    band.drawingActive = DrawingActive;
    band.firstPointPlaced = FirstPointPlaced;
    band.startX = DrawStartX;
    band.startY = DrawStartY;
    band.currentX = DrawCurrentX;
    band.currentY = DrawCurrentY;
    band.polyline = DrawingPolyline();
    DrawRubberBand(g, *this, band);
    DrawDistanceOverlay(g, *this, *this);
    if (!labelsFirst)
        depthLabels_.paint(painter, *this, *this);
    DrawEventLabelsOverlay(g, *this, *this);
    DrawCurrentDepthOverlay(g, *this, *this);
    DrawCurrentSpeedOverlay(g, *this, *this);
    if (status_)
        DrawGGAOverlay(g, *this, QString::fromLocal8Bit(status_->GGAOverlayText()), status_->LastFixQuality(),
                       GGAOverlayPosition);
    DrawScaleBar(g, *this);
}

void THalvekCanvasCore::SetAlwaysDrawnLayer(int layer)
{
    if (layer == renderer_.alwaysDrawnLayer())
        return;
    renderer_.setAlwaysDrawnLayer(layer);
    Invalidate();
}

void THalvekCanvasCore::WorldPan(double dx, double dy)
{
    // The renderer sees the window move and keeps what it can.
    const bool clean = canRedrawInPart();
    THalvekCanvasModel::WorldPan(dx, dy);
    if (clean)
        NeedsRedraw = false;
}

void THalvekCanvasCore::WorldPanPixels(int dx, int dy)
{
    const int W = ClientWidth(), H = ClientHeight();
    if (W <= 0 || H <= 0)
        return;
    WorldPan(dx * ((WorldRight - WorldLeft) / W), dy * ((WorldTop - WorldBottom) / H));
}

void THalvekCanvasCore::WorldPanRounded(double dx, double dy)
{
    const int W = ClientWidth(), H = ClientHeight();
    if (W <= 0 || H <= 0) {
        WorldPan(dx, dy);
        return;
    }
    const double pixelsX = dx / ((WorldRight - WorldLeft) / W), pixelsY = dy / ((WorldTop - WorldBottom) / H);
    constexpr double kFar = 1 << 30;
    if (!(std::abs(pixelsX) < kFar && std::abs(pixelsY) < kFar)) {
        WorldPan(dx, dy);  // far beyond any client (or not a number: no pan)
        return;
    }
    WorldPanPixels(static_cast<int>(std::lround(pixelsX)), static_cast<int>(std::lround(pixelsY)));
}

void THalvekCanvasCore::Resize(int width, int height)
{
    SetClientSize(width, height);
    if (width > 0 && height > 0)
        growToAspect(WorldLeft, WorldBottom, WorldRight, WorldTop, static_cast<double>(width) / height);
    NeedsRedraw = true;
}

// ---- changes redrawn in part ----

template <class F>
auto THalvekCanvasCore::appended(F&& change)
{
    // A new shape lies on top of all others: above the checkpoint.
    const bool clean = canRedrawInPart();
    auto result = change();
    if (clean && NeedsRedraw) {
        NeedsRedraw = false;
        tailChanged_ = true;
    }
    return result;
}

template <class ShapeList>
bool THalvekCanvasCore::allAboveCheckpoint(const ShapeList& shapes) const
{
    for (const THShape* s : shapes)
        if (!renderer_.aboveCheckpoint(*this, s))
            return false;
    return true;
}

// After a change of existing shapes: redrawn in part when all of them lie above the checkpoint.
template <class ShapeList>
void THalvekCanvasCore::changedShapes(bool wasClean, const ShapeList& shapes)
{
    if (wasClean && NeedsRedraw && allAboveCheckpoint(shapes)) {
        NeedsRedraw = false;
        tailChanged_ = true;
    }
}

long THalvekCanvasCore::DrawLine(double x1, double y1, double x2, double y2, int layer)
{
    return appended([&] { return THalvekCanvasModel::DrawLine(x1, y1, x2, y2, layer); });
}

long THalvekCanvasCore::DrawCircle(double cx, double cy, double r, int layer)
{
    return appended([&] { return THalvekCanvasModel::DrawCircle(cx, cy, r, layer); });
}

long THalvekCanvasCore::DrawRectangle(double x1, double y1, double x2, double y2, int layer)
{
    return appended([&] { return THalvekCanvasModel::DrawRectangle(x1, y1, x2, y2, layer); });
}

long THalvekCanvasCore::DrawPoint(double x, double y, int layer)
{
    return appended([&] { return THalvekCanvasModel::DrawPoint(x, y, layer); });
}

long THalvekCanvasCore::DrawTwoPointEllipse(double x1, double y1, double x2, double y2, int layer)
{
    return appended([&] { return THalvekCanvasModel::DrawTwoPointEllipse(x1, y1, x2, y2, layer); });
}

long THalvekCanvasCore::DrawThreePointArc(double x1, double y1, double x2, double y2, double x3, double y3, int layer)
{
    return appended([&] { return THalvekCanvasModel::DrawThreePointArc(x1, y1, x2, y2, x3, y3, layer); });
}

long THalvekCanvasCore::TextAdd(int layer, const QString& text, double x, double y, int fontIndex)
{
    return appended([&] { return THalvekCanvasModel::TextAdd(layer, text, x, y, fontIndex); });
}

long THalvekCanvasCore::DrawPolyline(const std::vector<std::pair<double, double>>& points, int layer, bool closed)
{
    return appended([&] { return THalvekCanvasModel::DrawPolyline(points, layer, closed); });
}

long THalvekCanvasCore::AppendShape(std::unique_ptr<THShape> shape)
{
    return appended([&] { return THalvekCanvasModel::AppendShape(std::move(shape)); });
}

void THalvekCanvasCore::CadClearShapes(int layer)
{
    if (layer < 0) {
        THalvekCanvasModel::CadClearShapes(layer);
        return;
    }
    renderer_.markVolatile(layer);
    const bool clean = canRedrawInPart() && allAboveCheckpoint(ShapesOnLayer(layer));
    THalvekCanvasModel::CadClearShapes(layer);
    if (clean && NeedsRedraw) {
        NeedsRedraw = false;
        tailChanged_ = true;
    }
}

void THalvekCanvasCore::ShapeDelete(long number)
{
    const THShape* s = std::as_const(*this).FindShape(number);
    const bool clean = canRedrawInPart() && (!s || renderer_.aboveCheckpoint(*this, s));
    THalvekCanvasModel::ShapeDelete(number);
    if (clean && NeedsRedraw) {
        NeedsRedraw = false;
        tailChanged_ = true;
    }
}

template <class F>
void THalvekCanvasCore::restyledLayer(int layer, F&& change)
{
    const bool clean = canRedrawInPart();
    change();
    if (clean && NeedsRedraw)
        renderer_.markVolatile(layer);
    changedShapes(clean, ShapesOnLayer(layer));
}

void THalvekCanvasCore::SetLayerPenFg(int layer, TColor colour)
{
    restyledLayer(layer, [&] { THalvekCanvasModel::SetLayerPenFg(layer, colour); });
}

void THalvekCanvasCore::SetLayerPenWidth(int layer, int width)
{
    restyledLayer(layer, [&] { THalvekCanvasModel::SetLayerPenWidth(layer, width); });
}

template <class F>
void THalvekCanvasCore::restyledShape(long number, F&& change)
{
    const bool clean = canRedrawInPart();
    change();
    if (const THShape* s = std::as_const(*this).FindShape(number))
        changedShapes(clean, std::array{s});
}

void THalvekCanvasCore::ShapeHandedOut(const THShape& shape)
{
    if (!canRedrawInPart())
        return;  // the picture is rebuilt whole anyway
    if (renderer_.aboveCheckpoint(*this, &shape))
        tailChanged_ = true;
    else
        NeedsRedraw = true;
}

void THalvekCanvasCore::SetShapePenFg(long number, TColor colour)
{
    restyledShape(number, [&] { THalvekCanvasModel::SetShapePenFg(number, colour); });
}

void THalvekCanvasCore::SetShapePenWidth(long number, int width)
{
    restyledShape(number, [&] { THalvekCanvasModel::SetShapePenWidth(number, width); });
}

void THalvekCanvasCore::ClearSelection()
{
    if (SelectedShapeCount() > 0 || !SelectedShapes().empty())
        NeedsRedraw = true;
    THalvekCanvasModel::ClearSelection();
}

void THalvekCanvasCore::MarkSelected(THShape* shape)
{
    THalvekCanvasModel::MarkSelected(shape);
    NeedsRedraw = true;
}

// ---- realtime overlays ----

void THalvekCanvasCore::StartDistanceMeasure(double x, double y)
{
    MeasureActive = true;
    MeasureStartX = MeasureEndX = x;
    MeasureStartY = MeasureEndY = y;
    MeasureDistance = 0.0;
    Invalidate();
}

void THalvekCanvasCore::UpdateDistanceMeasure(double x, double y, double distance, double bearingDeg)
{
    if (!MeasureActive)
        return;
    MeasureEndX = x;
    MeasureEndY = y;
    MeasureDistance = distance;
    MeasureBearing = bearingDeg;
    Invalidate();
}

void THalvekCanvasCore::EndDistanceMeasure()
{
    MeasureActive = false;
    Invalidate();
}

void THalvekCanvasCore::AddDepthLabel(double x, double y, double depth)
{
    // A label is never nearer than the larger of its two offsets: only near ones need the distance.
    const double spacing = DepthLabelSpacing;
    for (const DepthLabel& label : DepthLabels) {
        const double dx = x - label.x, dy = y - label.y;
        if (std::abs(dx) >= spacing || std::abs(dy) >= spacing)
            continue;
        if (std::hypot(dx, dy) < spacing)
            return;
    }
    DepthLabels.push_back({x, y, depth});
    if (DepthLabels.size() > 10000)
        DepthLabels.erase(DepthLabels.begin(), DepthLabels.begin() + 1000);
    Invalidate();
}

void THalvekCanvasCore::ClearDepthLabels()
{
    DepthLabels.clear();
    Invalidate();
}

void THalvekCanvasCore::SetDepthLabelSettings(bool visible, double minSpacing, const QString& fontName, int fontSize,
                                              TColor colour)
{
    DepthLabelsVisible = visible;
    DepthLabelSpacing = minSpacing;
    DepthLabelFontName = fontName;
    DepthLabelFontSize = fontSize;
    DepthLabelColor = colour;
    Invalidate();
}

void THalvekCanvasCore::AddEventLabel(double x, double y, int eventNumber)
{
    EventLabels.push_back({x, y, eventNumber});
    Invalidate();
}

void THalvekCanvasCore::ClearEventLabels()
{
    EventLabels.clear();
    Invalidate();
}

void THalvekCanvasCore::SetCurrentDepth(double depth1, double depth2, bool valid)
{
    CurrentDepth1 = depth1;
    CurrentDepth2 = depth2;
    CurrentDepthValid = valid;
    Invalidate();
}

void THalvekCanvasCore::SetCurrentSpeed(double knots, bool valid)
{
    CurrentSpeed = knots;
    CurrentSpeedValid = valid;
    Invalidate();
}

void THalvekCanvasCore::ToggleDepthSpeedDisplayMode()
{
    DepthSpeedDisplayMode = (DepthSpeedDisplayMode + 1) % 4;
    Invalidate();
}

void THalvekCanvasCore::ToggleGGAOverlayPosition()
{
    GGAOverlayPosition = (GGAOverlayPosition + 1) % 4;
    Invalidate();
}

bool THalvekCanvasCore::IsPointInGGAOverlay(int clientX, int clientY) const
{
    if (!status_)
        return false;
    const QString text = QString::fromLocal8Bit(status_->GGAOverlayText());
    if (text.isEmpty())
        return false;
    const QFontMetrics fm(ggaFont());
    const QRect box =
        ggaBoxRect(GGAOverlayPosition, fm.horizontalAdvance(text), fm.height(), ClientWidth(), ClientHeight());
    return clientX >= box.left() && clientX <= box.right() && clientY >= box.top() && clientY <= box.bottom();
}

QRect THalvekCanvasCore::GGAOverlayBand() const
{
    const QFontMetrics fm(ggaFont());
    const QRect box = ggaBoxRect(GGAOverlayPosition, 0, fm.height(), ClientWidth(), ClientHeight());
    return QRect(0, box.top(), std::max(ClientWidth(), 0), box.height());
}

void THalvekCanvasCore::AboutBox()
{
    skerra::showInformation(QStringLiteral("Halvek Canvas - Native VCL CAD Component\n"
                                           "A chart drawing control for the survey program"));
}

// ---- polygon and layer selection ----
// The selection's red is part of the picture: each selection marks it for a rebuild.

void THalvekCanvasCore::SelectShapesOnLayers(const std::vector<long>& layerIds)
{
    selectShapesOnLayers(*this, layerIds);
    NeedsRedraw = true;
    Invalidate();
}

bool THalvekCanvasCore::PointInPolygon(double x, double y, const std::vector<QPointF>& polygon)
{
    return skerra::canvas::PointInPolygon(x, y, polygon);
}

void THalvekCanvasCore::SelectShapesInPolygon(const std::vector<QPointF>& polygon, const std::vector<long>& layerIds)
{
    NeedsRedraw = true;
    if (selectShapesInPolygon(*this, polygon, layerIds))
        Invalidate();
}

void THalvekCanvasCore::SelectAllShapesInPolygon(const std::vector<QPointF>& polygon)
{
    NeedsRedraw = true;
    if (selectAllShapesInPolygon(*this, polygon))
        Invalidate();
}

void THalvekCanvasCore::DeleteSelectedShapes()
{
    ShapeSelectDelete();
    NeedsRedraw = true;
    Invalidate();
}

std::vector<std::pair<double, double>> THalvekCanvasCore::GetLastPolylinePoints() const
{
    return lastPolylinePoints(*this);
}
