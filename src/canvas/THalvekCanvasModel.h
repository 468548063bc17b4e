#pragma once
// THalvekCanvasModel: everything of the chart canvas but pixels.
//
// It holds the shapes on their layers, the numbering of shapes and layers, the
// selection, the font table, the DXF blocks, the world window and the redraw
// flag, and it needs no QApplication: the importers fill it and the tests drive
// it without a display. The chart widget THalvekCanvas derives from it and adds
// painting, mouse and keyboard, and the overlays; it answers the model's
// repaint requests (Invalidate, Repaint) and cursor reset (ResetCursor).
// Code that needs only the chart's content takes a THalvekCanvasModel&.
//
// Conventions of every method:
// - Shape numbers count from 1 and are unique among the shapes that exist
//   (also the one being drawn interactively). Deleting a shape never frees its
//   number; only CadClearShapes(-1) and ResetChart restart the numbering at 1.
// - Layer ids count from 0 in creation order; layer 0 is "Default". Layers are
//   never removed one by one. -1 means "none" in lookups and "all" in
//   CadClearShapes.
// - A method naming a shape or layer that does not exist never throws: a
//   getter returns its default, a setter does nothing.
// - Changes are drawn lazily: a change of what the chart shows sets
//   NeedsRedraw; a setter given the value already there sets nothing.
// - Lookup by number is constant time; clearing or restyling a layer costs in
//   proportion to that layer; no operation is quadratic in the number of shapes.
//
// Access path for the chart-file code: ShapeBatch (a reader's shapes made
// straight into the chart, all or nothing), AppendShape (numbers a shape the
// reader built and puts it on top), ResetChart (the full reload), AddBlock/FindBlock,
// NextShapeId(), NextLayerId(), CurrentDxfLayer, Shapes() in drawing order.

#include "canvas/CanvasEvents.h"
#include "canvas/ShapeRange.h"
#include "canvas/ShapeStore.h"
#include "canvas/THArc.h"
#include "canvas/THBlock.h"
#include "canvas/THCircle.h"
#include "canvas/THEllipse.h"
#include "canvas/THFont.h"
#include "canvas/THLayer.h"
#include "canvas/THLine.h"
#include "canvas/THPoint.h"
#include "canvas/THPolyline.h"
#include "canvas/THRectangle.h"
#include "canvas/THShape.h"
#include "canvas/THText.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

class THalvekCanvasModel {
public:
    THalvekCanvasModel();
    THalvekCanvasModel(const THalvekCanvasModel&) = delete;
    THalvekCanvasModel& operator=(const THalvekCanvasModel&) = delete;
    virtual ~THalvekCanvasModel();

    // ---- World window: the part of the world shown across the client area ----
    double WorldLeft = 0.0;
    double WorldRight = 1000.0;
    double WorldTop = 1000.0;
    double WorldBottom = 0.0;

    // Client size in pixels (the widget keeps it equal to its own size).
    void SetClientSize(int width, int height);
    int ClientWidth() const { return clientWidth_; }
    int ClientHeight() const { return clientHeight_; }

    // World point to client pixel, truncated toward zero. Far-off and
    // non-finite results are clipped to +-PixelLimit (NaN to -PixelLimit).
    static constexpr int PixelLimit = 1 << 30;
    void WorldToScreen(double x, double y, int& sx, int& sy) const;
    void ScreenToWorld(int sx, int sy, double& x, double& y) const;
    double GetWorldWidth() const { return WorldRight - WorldLeft; }
    double GetWorldHeight() const { return WorldTop - WorldBottom; }
    int WorldToAbsX(double x) const;
    int WorldToAbsY(double y) const;
    // Fits the window to the visible shapes, with 5 % margins, at the client's aspect.
    void WorldExtents();
    // Zooms about (x, y): the window scales by 1 - factor (within 0.1 .. 10),
    // and its width stays within MinWorldWidth .. MaxWorldWidth.
    static constexpr double MinWorldWidth = 1e-3;
    static constexpr double MaxWorldWidth = 1e8;
    void WorldZoom(int reserved, double factor, double x, double y);
    void WorldPan(double dx, double dy);
    void WorldSet(double left, double top, double right, double bottom);

    // ---- Layers ----
    int CurrentLayer = 0;     // layer that interactively drawn shapes go to
    int CurrentDxfLayer = 0;  // import layer of the running or last DXF load
    const std::vector<std::unique_ptr<THLayer>>& Layers() const { return layers_; }
    int NextLayerId() const { return nextLayerId_; }

    int LayerOpen(const QString& name);
    int LayerFindByName(const QString& name) const;
    THLayer* FindLayer(int id);
    const THLayer* FindLayer(int id) const;
    void LayerCopy(int fromLayer, int toLayer, int mode);
    void LayerSelectShapes(int layer, bool add);
    void LayerDeselectShapes(int layer);
    void LayerClear(int layer);
    void CadClearShapes(int layer);
    void CadClearShapesByLayerName(const QString& name);

    int GetLayerAction(int layer) const;
    void SetLayerAction(int layer, int action);
    TColor GetLayerPenFg(int layer) const;
    void SetLayerPenFg(int layer, TColor colour);
    int GetLayerPenWidth(int layer) const;
    void SetLayerPenWidth(int layer, int width);
    int GetLayerPenStyle(int layer) const;
    void SetLayerPenStyle(int layer, int style);
    TColor GetLayerBrushFg(int layer) const;
    void SetLayerBrushFg(int layer, TColor colour);
    TColor GetLayerBrushBg(int layer) const;
    void SetLayerBrushBg(int layer, TColor colour);
    TBrushStyle GetLayerBrushStyle(int layer) const;
    void SetLayerBrushStyle(int layer, TBrushStyle style);
    int GetLayerBrushMode(int layer) const;
    void SetLayerBrushMode(int layer, int mode);
    bool GetLayerVisible(int layer) const;
    void SetLayerVisible(int layer, bool visible);

    // ---- Shapes ----
    ShapeRange Shapes() const { return store_.shapes(); }  // drawing order
    int ShapeCount() const { return static_cast<int>(store_.size()); }
    long NextShapeId() const { return nextShapeId_; }
    // The shapes carrying a layer id, in no particular order / in drawing order.
    LayerShapes ShapesOnLayer(int layer) const { return store_.layerMembers(layer); }
    std::vector<THShape*> ShapesOnLayerInDrawingOrder(int layer) const { return store_.layerInDrawingOrder(layer); }
    // True when a is drawn before (under) b.
    bool DrawnBefore(const THShape* a, const THShape* b) const { return store_.drawnBefore(a, b); }

    // Creation: each returns the new shape's number. A layer id that does not
    // exist sends the shape to "Default" (opened, and made current).
    long DrawLine(double x1, double y1, double x2, double y2, int layer);
    long DrawCircle(double cx, double cy, double r, int layer);
    long DrawRectangle(double x1, double y1, double x2, double y2, int layer);
    long DrawPoint(double x, double y, int layer);
    long DrawTwoPointEllipse(double x1, double y1, double x2, double y2, int layer);
    long DrawThreePointArc(double x1, double y1, double x2, double y2, double x3, double y3, int layer);
    long TextAdd(int layer, const QString& text, double x, double y, int fontIndex);
    // -1 and nothing made with fewer than 2 points.
    long DrawPolyline(const std::vector<std::pair<double, double>>& points, int layer, bool closed);
    long ShapeAdd(int, int) { return -1; }

    // The shape with that number, or null. The caller may change the shape
    // through the pointer until the next paint, which shows the change.
    THShape* FindShape(long number)
    {
        THShape* s = store_.find(number);
        if (s)
            ShapeHandedOut(*s);
        return s;
    }
    const THShape* FindShape(long number) const { return store_.find(number); }
    // Number of the topmost visible shape within 3 pixels (or its pen width) of the point; -1 when none.
    long GetShapeAt(double x, double y) const;

    TColor BackColor = 0xFFFFFF;
    void SetBackColor(TColor colour);
    // The colour to draw with on BackColor so that it stays visible.
    TColor GetContrastColor(TColor colour) const;

    short GetShapeType(long number) const;
    int GetShapePenWidth(long number) const;
    void SetShapePenWidth(long number, int width);
    TColor GetShapePenFg(long number) const;
    void SetShapePenFg(long number, TColor colour);
    int GetShapePenStyle(long number) const;
    void SetShapePenStyle(long number, int style);
    TColor GetShapeBrushFg(long number) const;
    void SetShapeBrushFg(long number, TColor colour);
    int GetShapeBrushStyle(long number) const;
    void SetShapeBrushStyle(long number, int style);
    int GetShapeBrushMode(long number) const;
    void SetShapeBrushMode(long number, int mode);
    int GetShapeOnLayer(long number) const;
    bool GetShapeIsSelected(long number) const;
    QString GetShapeText(long number) const;
    void SetShapeText(long number, const QString& text);
    QString GetShapeNotes(long number) const;
    void SetShapeNotes(long number, const QString& notes);
    long GetShapeZOrder(long number) const;
    void SetShapeZOrder(long number, long z);
    int GetShapeTextAlign(long number) const;      // text shapes only
    void SetShapeTextAlign(long number, int align);
    int GetShapeTextJustify(long number) const;    // text shapes only
    void SetShapeTextJustify(long number, int justify);
    int GetShapePointSize(long number) const;      // point shapes only
    void SetShapePointSize(long number, int size);

    // ---- Deleting, selecting, reordering, transforming ----
    const std::vector<long>& SelectedShapes() const { return selectedShapes_; }  // in selection order
    int SelectedShapeCount() const { return static_cast<int>(store_.selectedCount()); }

    void ShapeDelete(long number);
    void CadClearSelectedShapes();
    void ShapeSelectDelete();
    void ClearDrawingState();
    void ShapeSelect(long number, bool add);
    void ShapeDeselect(long number);
    void CadSelectShapes();
    void CadDeselectShapes();
    // Deselects every shape without asking for a redraw.
    void ClearSelection();
    // Flags the shape and appends its number to the selection list.
    void MarkSelected(THShape* shape);
    // The selection list (duplicates included); empty when nothing is listed.
    std::vector<std::int32_t> GetShapeSelectNumbers() const;
    void ShapeSelectMoveDelta(double dx, double dy);
    long ShapeHitTest(double x, double y) const { return GetShapeAt(x, y); }
    void ShapeToLayer(long number, int layer);
    void ShapeToFront(long number);
    void ShapeToBack(long number);
    void ShapeZOrderJump(long number, long jump);
    void ShapeTranslate(long number, double dx, double dy);
    void ShapeScale(long number, double cx, double cy, double sx, double sy);
    void ShapeRotate(long number, double degrees, double cx, double cy);
    void ShapeReflect(long number, int axis, double cx, double cy);
    double ShapePointGetX(long number, int index) const;
    double ShapePointGetY(long number, int index) const;
    void ShapePointSet(long number, int index, double x, double y);
    void ShapePointInsert(long number, int index, double x, double y);
    void ShapePointDelete(long number, int index);
    int ShapePointCount(long number) const;

    // ---- Font table ----
    const std::vector<THFont>& Fonts() const { return fonts_; }
    int FontOpen(const QString& description, int reserved = 0);
    int DefaultTextAlign() const { return defaultTextAlign_; }
    int DefaultTextJustify() const { return defaultTextJustify_; }
    void CadFontBehaviorReset();
    void LayerFontBehaviorReset(int) {}
    void ShapeFontBehaviorReset(long) {}

    // ---- Chart-file access ----
    // Numbers a detached shape built by a reader (layer id, pens, geometry and
    // bounds already set; the layer id is not checked) and puts it on top.
    long AppendShape(std::unique_ptr<THShape> shape);
    // The full reload: every shape and layer goes, both numberings restart and
    // "Default" is opened again as layer 0. Fonts, blocks and the view stay.
    void ResetChart();
    const std::vector<std::unique_ptr<THBlock>>& Blocks() const { return blocks_; }
    void AddBlock(std::unique_ptr<THBlock> block);
    // The first block with exactly that name, or null.
    const THBlock* FindBlock(const QString& name) const;

    // ---- Interactive drawing of vertex shapes ----
    // The vertex shape being drawn: numbered already, not yet among Shapes().
    THPolyline* DrawingPolyline() const { return drawingPolyline_.get(); }
    // Starts one of type 5, 6, 8 or 10 on CurrentLayer at its first vertex,
    // taking the next number (dropping any drawing still open).
    THPolyline* BeginDrawingPolyline(int typeCode, double x, double y);
    // Puts it on top when it has at least 2 vertices (returns its number),
    // else drops it (returns -1; its number stays used).
    long FinishDrawingPolyline();
    void DiscardDrawingPolyline() { drawingPolyline_.reset(); }

    // ---- Interaction and display settings kept with the chart ----
    int CadMode = 0;
    bool CadModeKeep = false;
    bool DeleteKeyEnabled = false;
    bool GridVisible = false;
    bool GridAutoScale = true;
    double GridSpacingX = 100.0;
    double GridSpacingY = 100.0;
    TColor GridColor = 0xC0C0C0;
    int GridOnTop = 0;
    bool DrawingActive = false;
    bool FirstPointPlaced = false;
    bool SwallowNextClick = false;

    // The picture must be rebuilt at the next paint.
    bool NeedsRedraw = true;
    // Marks the picture for rebuilding and asks the view to paint it (a reader
    // that filled the chart through this model ends with it).
    void RequestRepaint()
    {
        NeedsRedraw = true;
        Repaint();
    }

    THShapeSelectedEvent OnShapeNumberSelected;
    THWorldMouseMoveEvent OnWorldMouseMove;
    THWorldMouseDownEvent OnWorldMouseDown;
    THDrawBeginEvent OnDrawBegin;
    THDrawBeginEvent OnDrawEnd;

protected:
    // Requests to the widget: paint at the next idle moment / paint now /
    // show the default cursor. The model alone does nothing.
    virtual void Invalidate() {}
    virtual void Repaint() {}
    virtual void ResetCursor() {}
    // FindShape handed out a shape that its caller may change. The model alone
    // has no picture to bring up to date.
    virtual void ShapeHandedOut(const THShape&) {}

private:
    friend class ShapeBatch;
    long takeShapeNumber() { return nextShapeId_++; }
    const THLayer& layerForNewShape(int layer);
    long addNewShape(std::unique_ptr<THShape> shape, const THLayer& layer, bool withPenWidth = true);
    // A shape of class S made from its geometry, with the layer's pen (and brush when asked).
    template <class S, class... Args>
    long drawGeometric(int layer, bool layerBrush, Args... geometry);
    void renumberDrawingInProgress();
    void redraw() { NeedsRedraw = true; }
    void redrawIf(bool changed)
    {
        if (changed)
            NeedsRedraw = true;
    }
    template <class T, class F>
    bool setLayerField(int layer, T THLayer::*field, T value, F&& afterChange);
    void forgetSelected(long number);
    void forgetSelected(const std::vector<long>& numbers);
    std::vector<THShape*> selectedShapesOnce() const;
    void deleteSelected();
    template <class F>
    void transformShape(long number, F&& f);
    // Applies change (which returns whether it changed anything) to the shape
    // with that number when it is one of class S; redraws when it did.
    template <class S, class F>
    void changeShape(long number, F&& change);

    int clientWidth_ = 400;
    int clientHeight_ = 300;
    std::vector<std::unique_ptr<THLayer>> layers_;
    int nextLayerId_ = 0;
    ShapeStore store_;
    long nextShapeId_ = 1;
    std::vector<long> selectedShapes_;
    std::vector<std::unique_ptr<THBlock>> blocks_;
    std::vector<THFont> fonts_;
    int defaultTextAlign_ = 0;
    int defaultTextJustify_ = 0;
    std::unique_ptr<THPolyline> drawingPolyline_;
};
