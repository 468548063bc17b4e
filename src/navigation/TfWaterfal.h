#pragma once
// The echogram window "Acoustic Waterfall": a frameless, always-on-top tool window
// that draws the recent soundings (EchogramModel). The main window's echogram timer
// hands it one depth per tick that saw a new one; the window paints on the next
// paint event. Dragging inside moves it, its 6-pixel edges resize it.

#include "navigation/survey/EchogramModel.h"
#include "platform/Form.h"

class QTimer;

class TfWaterfal : public skerra::FormOf<TfWaterfal> {
    Q_OBJECT
public:
    explicit TfWaterfal(QWidget* parent = nullptr);

    static constexpr int kDefaultInterval = 100;  // ms
    static constexpr int kEdge = 6;               // pixels of the resizing edges

    // The timer that gets the window's interval when the window is shown.
    void SetEchogramTimer(QTimer* timer) { echogramTimer_ = timer; }

    // Records the depth and repaints, only while the window is shown and has a size.
    void PushDepth(double depth);

    const EchogramModel& Model() const { return model_; }
    int DataWidth() const { return model_.DataWidth(); }
    int Interval() const { return interval_; }

    // Settings ECHOGRAM/DataWidth (kept to 1..200) and ECHOGRAM/Interval (below 1 ms: 100).
    void FormShow();
    // Writes both settings and the placement; the window always closes.
    void FormCloseQuery();

    // The edges under a client point as window edges; none: inside (drag area).
    Qt::Edges EdgesAt(QPoint at) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    EchogramModel model_;
    int interval_ = kDefaultInterval;
    QTimer* echogramTimer_ = nullptr;
    bool dragging_ = false;
};

extern TfWaterfal* fWaterfal;
