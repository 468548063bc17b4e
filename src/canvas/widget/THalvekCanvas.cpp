#include "canvas/widget/THalvekCanvas.h"

#include "platform/HandlerGuard.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

namespace {

int buttonCode(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton: return 1;
    case Qt::RightButton: return 2;
    default: return 4;
    }
}

int shiftCode(Qt::KeyboardModifiers modifiers)
{
    int code = 0;
    if (modifiers & Qt::ShiftModifier)
        code |= 1;
    if (modifiers & Qt::ControlModifier)
        code |= 2;
    if (modifiers & Qt::AltModifier)
        code |= 4;
    return code;
}

}  // namespace

THalvekCanvas::THalvekCanvas(QWidget* parent) : QWidget(parent)
{
    EventSender = this;
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    resize(400, 300);
    SetClientSize(400, 300);
}

THalvekCanvas::~THalvekCanvas() = default;

void THalvekCanvas::paintEvent(QPaintEvent*)
{
    skerra::guarded(this, [&] {
        if (ClientWidth() != width() || ClientHeight() != height())
            Resize(width(), height());
        QPainter painter(this);
        PaintTo(painter);
    });
}

void THalvekCanvas::resizeEvent(QResizeEvent*)
{
    skerra::guarded(this, [&] { Resize(width(), height()); });
}

void THalvekCanvas::mousePressEvent(QMouseEvent* e)
{
    skerra::guarded(this, [&] {
        const QPoint p = e->position().toPoint();
        MouseDown(buttonCode(e->button()), shiftCode(e->modifiers()), p.x(), p.y());
    });
}

void THalvekCanvas::mouseMoveEvent(QMouseEvent* e)
{
    skerra::guarded(this, [&] {
        const QPoint p = e->position().toPoint();
        MouseMove(shiftCode(e->modifiers()), p.x(), p.y());
    });
}

void THalvekCanvas::mouseReleaseEvent(QMouseEvent* e)
{
    skerra::guarded(this, [&] {
        const QPoint p = e->position().toPoint();
        MouseUp(buttonCode(e->button()), shiftCode(e->modifiers()), p.x(), p.y());
    });
}

void THalvekCanvas::mouseDoubleClickEvent(QMouseEvent* e)
{
    skerra::guarded(this, [&] {
        if (OnDblClick && e->button() == Qt::LeftButton)
            OnDblClick(this);
        const QPoint p = e->position().toPoint();
        MouseDown(buttonCode(e->button()), shiftCode(e->modifiers()), p.x(), p.y());
    });
}

void THalvekCanvas::wheelEvent(QWheelEvent* e)
{
    skerra::guarded(this, [&] {
        // Touchpads send small deltas: a zoom step is taken per 120 units.
        wheelRemainder_ += e->angleDelta().y();
        const QPoint p = e->position().toPoint();
        while (wheelRemainder_ >= 120 || wheelRemainder_ <= -120) {
            const int step = wheelRemainder_ > 0 ? 120 : -120;
            MouseWheel(p.x(), p.y(), step);
            wheelRemainder_ -= step;
        }
    });
    e->accept();
}

void THalvekCanvas::keyPressEvent(QKeyEvent* e)
{
    int key = 0;
    if (e->key() == Qt::Key_Delete)
        key = 46;
    else if (e->key() == Qt::Key_Escape)
        key = 27;
    bool used = false;
    skerra::guarded(this, [&] { used = key != 0 && KeyDown(key, shiftCode(e->modifiers())); });
    if (used)
        e->accept();
    else
        e->ignore();
}

void THalvekCanvas::SetCursorShape(CursorShape shape)
{
    switch (shape) {
    case CursorShape::Cross: setCursor(Qt::CrossCursor); break;
    case CursorShape::SizeAll: setCursor(Qt::SizeAllCursor); break;
    default: unsetCursor(); break;
    }
}
