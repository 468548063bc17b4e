// THalvekCanvasCore: mouse and keyboard. A left click acts by CadMode (select,
// draw a shape, zoom to a window, dynamic zoom); the right button finishes a
// drawing or, with nothing drawn, measures while held; the middle button pans.

#include "canvas/widget/THalvekCanvasCore.h"

#include "canvas/ShapeGeometry.h"

#include <cmath>

namespace {

constexpr int kLeft = 1, kRight = 2;
constexpr int kShiftOrCtrl = 1 | 2;

}  // namespace

void THalvekCanvasCore::MouseDown(int button, int shift, int X, int Y)
{
    double x = 0.0, y = 0.0;
    ScreenToWorld(X, Y, x, y);
    if (button == kRight && (DrawingActive || FirstPointPlaced)) {
        finishDrawing(x, y);
        return;
    }
    if (OnWorldMouseDown)
        OnWorldMouseDown(EventSender, static_cast<short>(button), static_cast<short>(shift),
                         static_cast<short>(CadMode), x, y);
    if (button == kRight) {
        StartDistanceMeasure(x, y);
        return;
    }
    if (button == kLeft) {
        if (SwallowNextClick) {
            SwallowNextClick = false;
            LastMouseDownX = x;
            LastMouseDownY = y;
            return;
        }
        if (!DrawingActive && !FirstPointPlaced && (CadMode == 0 || CadMode == -1))
            selectAt(x, y, shift);
        leftClickAction(x, y, X, Y);
    } else {
        PanActive = true;
        PanLastPoint = QPoint(X, Y);
        DrawCurrentX = x;
        DrawCurrentY = y;
        SetCursorShape(CursorShape::SizeAll);
    }
    LastMouseDownX = x;
    LastMouseDownY = y;
}

// The right click that ends a drawing: a vertex shape with 2 or more vertices
// is kept, a shorter one dropped (its number stays used).
void THalvekCanvasCore::finishDrawing(double x, double y)
{
    if (DrawingPolyline())
        FinishDrawingPolyline();
    FirstPointPlaced = false;
    DrawingActive = false;
    SwallowNextClick = true;
    if (OnDrawEnd)
        OnDrawEnd(EventSender, static_cast<short>(CadMode), x, y);
    if (!CadModeKeep)
        CadMode = 0;
    SetCursorShape(CursorShape::Default);
    Invalidate();
    LastMouseDownX = x;
    LastMouseDownY = y;
}

void THalvekCanvasCore::selectAt(double x, double y, int shift)
{
    const long n = GetShapeAt(x, y);
    const bool add = (shift & kShiftOrCtrl) != 0;
    if (n == -1) {
        if (!add)
            ClearSelection();
    } else if (THShape* s = FindShape(n)) {
        if (!add)
            ClearSelection();
        MarkSelected(s);
        if (OnShapeNumberSelected)
            OnShapeNumberSelected(EventSender, static_cast<short>(s->ShapeType), n);
    }
    NeedsRedraw = true;
    Invalidate();
}

void THalvekCanvasCore::beginShape(double x, double y)
{
    DrawingActive = true;
    FirstPointPlaced = true;
    DrawStartX = DrawCurrentX = x;
    DrawStartY = DrawCurrentY = y;
    SetCursorShape(CursorShape::Cross);
    if (OnDrawBegin)
        OnDrawBegin(EventSender, static_cast<short>(CadMode), x, y);
}

void THalvekCanvasCore::beginVertexShape(double x, double y)
{
    DrawingActive = true;
    FirstPointPlaced = true;
    BeginDrawingPolyline(CadMode, x, y);
    DrawStartX = DrawCurrentX = x;
    DrawStartY = DrawCurrentY = y;
    SetCursorShape(CursorShape::Cross);
    if (OnDrawBegin)
        OnDrawBegin(EventSender, static_cast<short>(CadMode), x, y);
}

// A rectangle, ellipse or circle is complete: the drawing stays open for the next one.
void THalvekCanvasCore::completeTwoClickShape()
{
    FirstPointPlaced = false;
    DrawStartX = DrawStartY = DrawCurrentX = DrawCurrentY = 0.0;
    Invalidate();
}

void THalvekCanvasCore::leftClickAction(double x, double y, int X, int Y)
{
    const bool repeated = x == DrawStartX && y == DrawStartY;
    switch (CadMode) {
    case 1:
        if (!FirstPointPlaced) {
            beginShape(x, y);
            return;
        }
        if (!repeated)
            DrawRectangle(DrawStartX, DrawStartY, x, y, CurrentLayer);
        completeTwoClickShape();
        return;
    case 4:
        if (!FirstPointPlaced) {
            beginShape(x, y);
            return;
        }
        if (x != DrawStartX && y != DrawStartY)
            DrawTwoPointEllipse(DrawStartX, DrawStartY, x, y, CurrentLayer);
        completeTwoClickShape();
        return;
    case 19:
        if (!FirstPointPlaced) {
            beginShape(x, y);
            return;
        }
        if (const double r = std::hypot(x - DrawStartX, y - DrawStartY); r > 0.0)
            DrawCircle(DrawStartX, DrawStartY, r, CurrentLayer);
        completeTwoClickShape();
        return;
    case 3:
        if (!FirstPointPlaced) {
            beginShape(x, y);
            return;
        }
        if (!repeated) {
            DrawLine(DrawStartX, DrawStartY, x, y, CurrentLayer);
            DrawStartX = x;
            DrawStartY = y;
            Invalidate();
        }
        return;
    case 5:
    case 6:
    case 8:
        // A mode changed during a drawing may leave no vertex shape: start one.
        if (!FirstPointPlaced || !DrawingPolyline()) {
            beginVertexShape(x, y);
            return;
        }
        if (!repeated) {
            DrawingPolyline()->AddPoint(x, y);
            DrawStartX = x;
            DrawStartY = y;
            Invalidate();
        }
        return;
    case 10: {
        THPolyline* arc = DrawingPolyline();
        if (!FirstPointPlaced || !arc) {
            beginVertexShape(x, y);
            return;
        }
        arc->AddPoint(x, y);
        if (arc->PointCount() <= 2) {
            DrawStartX = x;
            DrawStartY = y;
        } else {
            FinishDrawingPolyline();  // the pointer is gone from here on
            FirstPointPlaced = false;
            DrawStartX = DrawStartY = 0.0;
        }
        Invalidate();
        return;
    }
    case 17:
        DrawPoint(x, y, CurrentLayer);
        if (OnDrawEnd)
            OnDrawEnd(EventSender, 17, x, y);
        if (!CadModeKeep)
            CadMode = 0;
        Invalidate();
        return;
    case -3:
        if (!FirstPointPlaced) {
            DrawingActive = true;
            FirstPointPlaced = true;
            DrawStartX = DrawCurrentX = x;
            DrawStartY = DrawCurrentY = y;
            SetCursorShape(CursorShape::Cross);
            return;
        }
        finishZoomWindow(x, y);
        return;
    case -4:
        DynamicZoomActive = true;
        PanLastPoint = QPoint(X, Y);
        return;
    default:
        return;
    }
}

void THalvekCanvasCore::finishZoomWindow(double x, double y)
{
    const double left = std::min(DrawStartX, x), right = std::max(DrawStartX, x);
    const double bottom = std::min(DrawStartY, y), top = std::max(DrawStartY, y);
    double w = right - left, h = top - bottom;
    if (w > 0.001 && h > 0.001) {
        const double cx = (left + right) / 2.0, cy = (bottom + top) / 2.0;
        const double a = static_cast<double>(ClientWidth()) / (ClientHeight() > 0 ? ClientHeight() : 1);
        if (a > 0.0) {
            if (w / h > a)
                h = w / a;
            else
                w = h * a;
        }
        WorldLeft = cx - w / 2.0;
        WorldRight = cx + w / 2.0;
        WorldBottom = cy - h / 2.0;
        WorldTop = cy + h / 2.0;
        NeedsRedraw = true;
    }
    FirstPointPlaced = false;
    DrawingActive = false;
    SetCursorShape(CursorShape::Default);
    if (!CadModeKeep)
        CadMode = 0;
    Invalidate();
}

void THalvekCanvasCore::MouseMove(int shift, int X, int Y)
{
    double x = 0.0, y = 0.0;
    ScreenToWorld(X, Y, x, y);
    const double dx = x - LastMouseDownX, dy = y - LastMouseDownY;
    const double magnitude = std::sqrt(dx * dx + dy * dy);
    const double angle = (dx == 0.0 && dy == 0.0) ? 0.0 : std::atan2(dy, dx) * 180.0 / skerra::canvas::kPi;
    if (OnWorldMouseMove)
        OnWorldMouseMove(EventSender, static_cast<short>(shift), x, y, magnitude, angle);

    if (PanActive) {
        const int ddx = X - PanLastPoint.x(), ddy = Y - PanLastPoint.y();
        if (ddx >= -2 && ddx <= 2 && ddy >= -2 && ddy <= 2)
            return;
        double px = 0.0, py = 0.0;
        ScreenToWorld(PanLastPoint.x(), PanLastPoint.y(), px, py);
        WorldPan(px - x, py - y);
        PanLastPoint = QPoint(X, Y);
    } else if (DynamicZoomActive) {
        const int d = PanLastPoint.y() - Y;
        if (d >= -3 && d <= 3)
            return;
        WorldZoom(0, d * 0.01, (WorldLeft + WorldRight) / 2.0, (WorldBottom + WorldTop) / 2.0);
        PanLastPoint = QPoint(X, Y);
    } else if (DrawingActive) {
        DrawCurrentX = x;
        DrawCurrentY = y;
        Invalidate();
    } else if (MeasureActive) {
        const double ex = x - MeasureStartX, ey = y - MeasureStartY;
        const double distance = std::sqrt(ex * ex + ey * ey);
        double bearing = (ex == 0.0 && ey == 0.0) ? 0.0 : std::atan2(ex, ey) * 180.0 / skerra::canvas::kPi;
        if (bearing < 0.0)
            bearing += 360.0;
        UpdateDistanceMeasure(x, y, distance, bearing);
    }
}

void THalvekCanvasCore::MouseUp(int button, int, int, int)
{
    if (button == kRight) {
        if (MeasureActive)
            EndDistanceMeasure();
        return;
    }
    if (button != kLeft) {
        if (PanActive) {
            PanActive = false;
            SetCursorShape(CursorShape::Default);
        }
        return;
    }
    if (PanActive) {
        PanActive = false;
        SetCursorShape(CursorShape::Default);
    } else if (DynamicZoomActive) {
        DynamicZoomActive = false;
    }
}

bool THalvekCanvasCore::KeyDown(int key, int)
{
    bool used = false;
    if (DeleteKeyEnabled && key == 46) {
        ShapeSelectDelete();
        used = true;
    }
    if (key == 27 && (FirstPointPlaced || DrawingActive)) {
        DiscardDrawingPolyline();
        FirstPointPlaced = false;
        DrawingActive = false;
        SetCursorShape(CursorShape::Default);
        Invalidate();
        used = true;
    }
    return used;
}

void THalvekCanvasCore::MouseWheel(int X, int Y, int wheelDelta)
{
    double x = 0.0, y = 0.0;
    ScreenToWorld(X, Y, x, y);
    WorldZoom(0, wheelDelta > 0 ? 0.1 : -0.1, x, y);
}
