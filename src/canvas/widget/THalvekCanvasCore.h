#pragma once
// THalvekCanvasCore: the chart canvas without the widget: the model, its
// picture (back buffer), the overlays, the selections and the mouse and
// keyboard state machine, all driven through plain calls. THalvekCanvas puts
// it on screen and feeds it Qt's events; tests and benchmarks use it directly
// and paint it into a QImage.
//
// Painting: PaintTo draws everything through one QPainter: the picture,
// rebuilt only when something it shows changed, then afresh at every paint the
// rubber band, the overlays and the scale bar. The depth labels are kept drawn
// in an image of their own between paints (DepthLabelLayer).
//
// The picture is brought up to date in part where it can be: shapes added,
// removed or restyled through the methods below (the ones the survey loop uses
// at every map-timer tick) are redrawn from the renderer's checkpoint; any
// other change of the model sets NeedsRedraw and the picture is rebuilt whole.
// So is every change of the window, client size, background, grid or layer
// visibility, except a pan: the renderer moves the picture when the window
// moved by whole pixels (WorldPanPixels, WorldPanRounded) and nothing else of
// the view changed, else it rebuilds it whole. Refresh and Update only ask for a paint: they never throw away
// what is still valid. A shape handed out by FindShape may be changed through
// its pointer: it is redrawn with the top of the picture when it lies there,
// else the picture is rebuilt. Code that changes a shape through a pointer it
// got another way (Shapes(), ShapesOnLayer()) sets NeedsRedraw itself.

#include "canvas/THalvekCanvasModel.h"
#include "canvas/widget/CanvasOverlayFields.h"
#include "canvas/widget/CanvasStatusSource.h"
#include "canvas/widget/ChartRenderer.h"
#include "canvas/widget/DepthLabelLayer.h"

#include <QPoint>
#include <QPointF>

#include <utility>
#include <vector>

class QPainter;
class QObject;

class THalvekCanvasCore : public THalvekCanvasModel, public CanvasOverlayFields {
public:
    THalvekCanvasCore();

    // ---- painting ----
    // Paints the whole canvas (picture, rubber band, overlays, scale bar).
    void PaintTo(QPainter& painter);
    // The picture of background, grid and shapes, brought up to date.
    const QImage& BackBuffer();
    const skerra::canvas::ChartRenderer& Renderer() const { return renderer_; }
    const skerra::canvas::DepthLabelLayer& DepthLabelImage() const { return depthLabels_; }
    // A new client size: the window keeps its centre and grows to the new
    // aspect so that a world unit has the same length in x and y.
    void Resize(int width, int height);
    // Asks for a paint; the picture keeps what is still valid.
    void Refresh() { Invalidate(); }
    void Update() { Invalidate(); }

    // Pans keep what the picture can keep (see the top). WorldPan moves the
    // window by world units, WorldPanPixels by whole pixels of the present
    // scale (dx east, dy north), WorldPanRounded by the whole pixels nearest a
    // world offset: following the vessel with it keeps the vessel within half
    // a pixel of where it is aimed, and each tick moves the picture instead of
    // drawing it anew.
    void WorldPan(double dx, double dy);
    void WorldPanPixels(int dx, int dy);
    void WorldPanRounded(double dx, double dy);

    // Shapes on this layer are drawn even past the 500,000-shape limit; the
    // main window names its vessel layer here once it has made it. -1: none.
    void SetAlwaysDrawnLayer(int layer);

    // Where the position box reads its status line and fix quality; none: no box.
    void SetStatusSource(const CanvasStatusSource* source) { status_ = source; }

    // ---- interaction state ----
    double DrawStartX = 0.0, DrawStartY = 0.0;      // the last placed point of the drawing in progress
    double DrawCurrentX = 0.0, DrawCurrentY = 0.0;  // the mouse while drawing
    bool PanActive = false;
    bool DynamicZoomActive = false;
    QPoint PanLastPoint;                           // client point of the last pan or zoom step
    double LastMouseDownX = 0.0, LastMouseDownY = 0.0;

    // Input in client pixels. Buttons 1 left, 2 right, 4 middle; shift bits
    // 1 Shift, 2 Ctrl, 4 Alt.
    void MouseDown(int button, int shift, int x, int y);
    void MouseMove(int shift, int x, int y);
    void MouseUp(int button, int shift, int x, int y);
    // Delete (46) and Esc (27); returns whether the key was used.
    bool KeyDown(int key, int shift);
    // One wheel step (a delta of 120) at a client point; up zooms in.
    void MouseWheel(int x, int y, int wheelDelta);

    // ---- realtime overlays ----
    void StartDistanceMeasure(double x, double y);
    void UpdateDistanceMeasure(double x, double y, double distance, double bearingDeg);
    void EndDistanceMeasure();
    void AddDepthLabel(double x, double y, double depth);
    void ClearDepthLabels();
    void SetDepthLabelSettings(bool visible, double minSpacing, const QString& fontName, int fontSize, TColor colour);
    void AddEventLabel(double x, double y, int eventNumber);
    void ClearEventLabels();
    void SetCurrentDepth(double depth1, double depth2, bool valid);
    void SetCurrentSpeed(double knots, bool valid);
    void ToggleDepthSpeedDisplayMode();
    void ToggleGGAOverlayPosition();
    bool IsPointInGGAOverlay(int clientX, int clientY) const;
    // The rows the position box takes at its corner, across the whole client width
    // (client coordinates), whatever its text: windows placed over the chart keep clear of it.
    QRect GGAOverlayBand() const;
    void SetHeadingValid(bool valid) { HeadingValid = valid; }

    // Members kept for callers of the old control; they do nothing.
    bool MetafileSave(const wchar_t*) { return false; }
    bool MetafileToClipboard() { return false; }
    void PrintView(int, const wchar_t*) {}
    long ViewDialogShow(int, long) { return 0; }
    void AboutBox();

    // ---- polygon and layer selection ----
    void SelectShapesOnLayers(const std::vector<long>& layerIds);
    static bool PointInPolygon(double x, double y, const std::vector<QPointF>& polygon);
    void SelectShapesInPolygon(const std::vector<QPointF>& polygon, const std::vector<long>& layerIds);
    void SelectAllShapesInPolygon(const std::vector<QPointF>& polygon);
    void DeleteSelectedShapes();
    std::vector<std::pair<double, double>> GetLastPolylinePoints() const;

    // ---- changes the picture can redraw in part (same meaning as the model's) ----
    long DrawLine(double x1, double y1, double x2, double y2, int layer);
    long DrawCircle(double cx, double cy, double r, int layer);
    long DrawRectangle(double x1, double y1, double x2, double y2, int layer);
    long DrawPoint(double x, double y, int layer);
    long DrawTwoPointEllipse(double x1, double y1, double x2, double y2, int layer);
    long DrawThreePointArc(double x1, double y1, double x2, double y2, double x3, double y3, int layer);
    long TextAdd(int layer, const QString& text, double x, double y, int fontIndex);
    long DrawPolyline(const std::vector<std::pair<double, double>>& points, int layer, bool closed);
    long AppendShape(std::unique_ptr<THShape> shape);
    void CadClearShapes(int layer);
    void ShapeDelete(long number);
    void SetLayerPenFg(int layer, TColor colour);
    void SetLayerPenWidth(int layer, int width);
    void SetShapePenFg(long number, TColor colour);
    void SetShapePenWidth(long number, int width);
    // The selection's red is part of the picture: these mark it for a rebuild
    // when they change anything (they still do not paint).
    void ClearSelection();
    void MarkSelected(THShape* shape);

protected:
    enum class CursorShape { Default, Cross, SizeAll };
    // The widget shows the cursor; the core alone does nothing.
    virtual void SetCursorShape(CursorShape) {}
    void ResetCursor() override { SetCursorShape(CursorShape::Default); }
    void ShapeHandedOut(const THShape& shape) override;
    // The Sender of the events.
    QObject* EventSender = nullptr;

private:
    bool canRedrawInPart() const { return !NeedsRedraw && renderer_.valid(); }
    template <class F>
    auto appended(F&& change);
    template <class ShapeList>
    void changedShapes(bool wasClean, const ShapeList& shapes);
    // Runs a pen change of a layer / of one shape and redraws in part what it changed.
    template <class F>
    void restyledLayer(int layer, F&& change);
    template <class F>
    void restyledShape(long number, F&& change);
    template <class ShapeList>
    bool allAboveCheckpoint(const ShapeList& shapes) const;

    void selectAt(double x, double y, int shift);
    void leftClickAction(double x, double y, int clientX, int clientY);
    void beginShape(double x, double y);
    void beginVertexShape(double x, double y);
    void completeTwoClickShape();
    void finishZoomWindow(double x, double y);
    void finishDrawing(double x, double y);

    skerra::canvas::ChartRenderer renderer_;
    skerra::canvas::DepthLabelLayer depthLabels_;
    bool tailChanged_ = false;
    const CanvasStatusSource* status_ = nullptr;
};
