#include "WidgetMessageBox.h"

#include "MessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QWidget>

namespace skerra {
namespace {

const struct { int ours; QMessageBox::StandardButton qt; } kButtons[] = {
    {MbOk, QMessageBox::Ok},       {MbCancel, QMessageBox::Cancel}, {MbYes, QMessageBox::Yes},
    {MbNo, QMessageBox::No},       {MbClose, QMessageBox::Close},   {MbAbort, QMessageBox::Abort},
    {MbRetry, QMessageBox::Retry}, {MbIgnore, QMessageBox::Ignore},
};

QMessageBox::Icon iconFor(MessageKind kind)
{
    switch (kind) {
    case MessageKind::Information: return QMessageBox::Information;
    case MessageKind::Warning: return QMessageBox::Warning;
    case MessageKind::Error: return QMessageBox::Critical;
    case MessageKind::Question: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

int showOnScreen(const MessageRequest& r)
{
    QWidget* parent = qobject_cast<QWidget*>(r.parent);
    if (parent) parent = parent->window();
    QMessageBox box(iconFor(r.kind), r.title.isEmpty() ? QApplication::applicationDisplayName() : r.title,
                    r.text, QMessageBox::NoButton, parent);
    // A modal box lies above every window of the program, those that stay on top included.
    box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    for (const auto& b : kButtons) {
        if (r.buttons & b.ours) box.addButton(b.qt);
        if (r.defaultButton == b.ours) box.setDefaultButton(b.qt);
    }
    const int clicked = box.exec();
    for (const auto& b : kButtons)
        if (clicked == b.qt) return b.ours;
    return (r.buttons & MbCancel) ? MbCancel : r.defaultButton;
}

}  // namespace

void installWidgetMessageBoxes() { setMessageHandler(showOnScreen); }

}  // namespace skerra
