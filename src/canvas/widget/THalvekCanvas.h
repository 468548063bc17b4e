#pragma once
// THalvekCanvas: the chart control of the main window. A QWidget around
// THalvekCanvasCore: it paints the core into itself, keeps the core's client
// size equal to its own, turns Qt's mouse, wheel and key events into the
// core's input calls and shows the cursor the core asks for.
//
// The main window creates one, fills its chart panel with it and assigns its
// events: OnShapeNumberSelected, OnWorldMouseMove, OnWorldMouseDown,
// OnDrawBegin, OnDrawEnd (the core's) and OnDblClick (here). Keys the canvas
// does not use (everything but Delete and Esc while they act) go on to the
// parent, so the main window's own keys (F2, F3) keep working.

#include "canvas/widget/THalvekCanvasCore.h"

#include <QWidget>

#include <functional>
#include <string>
#include <vector>

class THalvekCanvas : public QWidget, public THalvekCanvasCore {
    Q_OBJECT
public:
    explicit THalvekCanvas(QWidget* parent = nullptr);
    ~THalvekCanvas() override;

    // Raised by a double click, before the press it also makes.
    std::function<void(QObject* Sender)> OnDblClick;

    // DXF import and export of the chart; an import asks for a repaint when it
    // is done; the export leaves out the shapes of leftOutLayers. Defined with the
    // DXF reader and writer in the chart files (skerra_chartfiles_canvas), which a
    // program links when it uses them.
    bool DXFLoad(const QString& fileName);
    bool DXFLoadReplace(const QString& fileName);
    int DXFSave(const QString& fileName, const std::vector<int>& leftOutLayers = {}, QString* reason = nullptr) const;
    int GetOrCreateDXFLayer(const std::string& dxfLayerName) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

    // Both paint at the next idle moment: a paint in the middle of the map
    // timer's tick (after the vessel is cleared, before it is drawn again)
    // would show the chart without the vessel.
    void Invalidate() override { update(); }
    void Repaint() override { update(); }
    void SetCursorShape(CursorShape shape) override;

private:
    int wheelRemainder_ = 0;  // wheel units not yet used (a step is 120)
};
