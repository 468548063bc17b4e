#include "TFMsg.h"

#include "platform/HandlerGuard.h"

#include <QEvent>
#include <QFont>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTimer>
#include <QVBoxLayout>

TFMsg* FMsg = nullptr;

TFMsg::TFMsg(QWidget* parent) : FormOf(FMsg, QStringLiteral("FMsg"), QStringLiteral("Message Window"), parent)
{
    // A status line must never steal the focus: that would fire the focus-out checks
    // of the window the user is typing in.
    setWindowFlags(Qt::Window | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);

    Msg = new QPlainTextEdit(this);
    Msg->setObjectName(QStringLiteral("Msg"));
    Msg->setReadOnly(true);
    Msg->setFocusPolicy(Qt::NoFocus);
    Msg->setMaximumBlockCount(MaxLines);
    QFont font = Msg->font();
    font.setPixelSize(13);
    Msg->setFont(font);
    Msg->viewport()->installEventFilter(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Msg);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(ShowMilliseconds);
    Timer1->setSingleShot(true);
    Timer1->setTimerType(Qt::PreciseTimer);
    connect(Timer1, &QTimer::timeout, this, [this] { skerra::guarded(this, [this] { Timer1Timer(); }); });

    resize(413, 192);
    setDesignedPlace({1017, 148});
}

void TFMsg::addStatusLine(const QString& text, bool show)
{
    Msg->appendPlainText(text);
    if (!show) return;
    if (!isVisible()) this->show();
    // A report lies above the other tool windows.
    raise();
}

QStringList TFMsg::statusLines() const
{
    const QString text = Msg->toPlainText();
    if (text.isEmpty()) return {};
    return text.split(QLatin1Char('\n'));
}

void TFMsg::keepShown(bool keep)
{
    kept_ = keep;
    if (kept_)
        Timer1->stop();
    else if (isVisible())
        Timer1->start();
}

void TFMsg::FormShow()
{
    if (!kept_) Timer1->start();
}

void TFMsg::FormHide() { Timer1->stop(); }

void TFMsg::Timer1Timer() { hide(); }

void TFMsg::MsgClick()
{
    hide();
    Msg->clear();
}

void TFMsg::showEvent(QShowEvent* event)
{
    Form::showEvent(event);
    if (!event->spontaneous()) skerra::guarded(this, [this] { FormShow(); });
}

void TFMsg::hideEvent(QHideEvent* event)
{
    Form::hideEvent(event);
    if (!event->spontaneous()) skerra::guarded(this, [this] { FormHide(); });
}

bool TFMsg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Msg->viewport() && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        skerra::guarded(this, [this] { MsgClick(); });
        return true;
    }
    return Form::eventFilter(watched, event);
}
