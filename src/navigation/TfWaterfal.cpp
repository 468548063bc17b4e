#include "TfWaterfal.h"

#include "navigation/EchogramPainter.h"
#include "platform/AppPaths.h"
#include "platform/HandlerGuard.h"
#include "platform/IniFile.h"
#include "platform/StyleRegistry.h"
#include "shell/FormPlacement.h"

#include <QCloseEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QWindow>

TfWaterfal* fWaterfal = nullptr;

namespace {

const QString kSection = QStringLiteral("ECHOGRAM");

Qt::CursorShape cursorFor(Qt::Edges edges)
{
    if (edges == (Qt::TopEdge | Qt::LeftEdge) || edges == (Qt::BottomEdge | Qt::RightEdge)) return Qt::SizeFDiagCursor;
    if (edges == (Qt::TopEdge | Qt::RightEdge) || edges == (Qt::BottomEdge | Qt::LeftEdge)) return Qt::SizeBDiagCursor;
    if (edges & (Qt::LeftEdge | Qt::RightEdge)) return Qt::SizeHorCursor;
    if (edges & (Qt::TopEdge | Qt::BottomEdge)) return Qt::SizeVerCursor;
    return Qt::ArrowCursor;
}

}  // namespace

TfWaterfal::TfWaterfal(QWidget* parent)
    : FormOf(fWaterfal, QStringLiteral("fWaterfal"), QStringLiteral("Acoustic Waterfall"), parent)
{
    setDefaultPlace(skerra::DefaultPlace::ChartLowerRight);
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFont(QFont(QStringLiteral("Tahoma")));
    setMouseTracking(true);
    resize(300, 250);
}

void TfWaterfal::PushDepth(double depth)
{
    if (!isVisible() || width() < 1 || height() < 1) return;
    model_.Push(depth);
    update();
}

void TfWaterfal::FormShow()
{
    try {
        skerra::IniFile ini(skerra::settingsFilePath());
        model_.SetDataWidth(ini.ReadInteger(kSection, QStringLiteral("DataWidth"), EchogramModel::kDefaultWidth));
        interval_ = ini.ReadInteger(kSection, QStringLiteral("Interval"), kDefaultInterval);
        // A zero interval would make the timer spin.
        if (interval_ < 1) interval_ = kDefaultInterval;
        if (echogramTimer_) echogramTimer_->setInterval(interval_);
        LoadFormPlacement(this, true);
    } catch (...) {
        // A damaged settings file leaves the window as it is.
    }
}

void TfWaterfal::FormCloseQuery()
{
    skerra::IniFile ini(skerra::settingsFilePath());
    ini.WriteInteger(kSection, QStringLiteral("DataWidth"), model_.DataWidth());
    ini.WriteInteger(kSection, QStringLiteral("Interval"), interval_);
    SaveFormPlacement(this);
}

Qt::Edges TfWaterfal::EdgesAt(QPoint at) const
{
    Qt::Edges edges;
    if (at.x() < kEdge) edges |= Qt::LeftEdge;
    if (at.x() >= width() - kEdge) edges |= Qt::RightEdge;
    if (at.y() < kEdge) edges |= Qt::TopEdge;
    if (at.y() >= height() - kEdge) edges |= Qt::BottomEdge;
    return edges;
}

void TfWaterfal::paintEvent(QPaintEvent*)
{
    skerra::guarded(this, [this] {
        QPainter painter(this);
        PaintEchogram(painter, model_, size(), EchogramColoursFor(skerra::activeStyleIsDark()));
    });
}

void TfWaterfal::showEvent(QShowEvent* event)
{
    Form::showEvent(event);
    skerra::guarded(this, [this] { FormShow(); });
}

void TfWaterfal::closeEvent(QCloseEvent* event)
{
    skerra::guarded(this, [this] { FormCloseQuery(); });
    event->accept();
}

void TfWaterfal::mousePressEvent(QMouseEvent* event)
{
    skerra::guarded(this, [this, event] {
        if (event->button() != Qt::LeftButton || !windowHandle()) return;
        const Qt::Edges edges = EdgesAt(event->position().toPoint());
        dragging_ = !edges;
        if (dragging_)
            windowHandle()->startSystemMove();
        else
            windowHandle()->startSystemResize(edges);
    });
}

void TfWaterfal::mouseMoveEvent(QMouseEvent* event)
{
    skerra::guarded(this, [this, event] { setCursor(cursorFor(EdgesAt(event->position().toPoint()))); });
}

void TfWaterfal::mouseReleaseEvent(QMouseEvent* event)
{
    skerra::guarded(this, [this, event] {
        if (event->button() != Qt::LeftButton || !dragging_) return;
        dragging_ = false;
        SaveFormPlacement(this);
    });
}
