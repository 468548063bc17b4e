#include "HalvekKeyboard.h"

#include "KeyboardLayout.h"
#include "platform/Colour.h"
#include "platform/HandlerGuard.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPainter>
#include <QToolButton>

namespace {

constexpr TColor kFrameColour = 42495;  // orange
constexpr int kFrameWidth = 3;

}  // namespace

QString GetTargetText(const QWidget* target)
{
    if (const auto* edit = qobject_cast<const QLineEdit*>(target)) return edit->text();
    if (const auto* combo = qobject_cast<const QComboBox*>(target)) return combo->currentText();
    return {};
}

void SetTargetText(QWidget* target, const QString& text)
{
    if (auto* edit = qobject_cast<QLineEdit*>(target)) {
        edit->setText(text);
    } else if (auto* combo = qobject_cast<QComboBox*>(target)) {
        if (combo->isEditable()) combo->setEditText(text);
    }
}

// ---- The panel ----

THalvekKeyboardPanel::THalvekKeyboardPanel(QWidget* owner, const QSize& size)
    : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setFixedSize(size);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setAutoFillBackground(true);
}

void THalvekKeyboardPanel::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    QPainter painter(this);
    painter.setPen(QPen(skerra::toQColor(kFrameColour), kFrameWidth));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(QPoint(1, 1), QPoint(width() - 1, height() - 1)));
}

void THalvekKeyboardPanel::SetTarget(QWidget* target)
{
    TargetControl = target;
    WatchTargetWindow();
}

void THalvekKeyboardPanel::WatchTargetWindow()
{
    QWidget* window = TargetControl ? TargetControl->window() : nullptr;
    if (window == targetWindow_) return;
    if (targetWindow_) targetWindow_->removeEventFilter(this);
    targetWindow_ = window;
    if (targetWindow_) targetWindow_->installEventFilter(this);
}

// The target's window hid (closed, confirmed, minimised): the panel goes with it.
bool THalvekKeyboardPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == targetWindow_ && event->type() == QEvent::Hide) {
        TargetControl = nullptr;
        hide();
    }
    return QWidget::eventFilter(watched, event);
}

void THalvekKeyboardPanel::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    WatchTargetWindow();
    activeWindow_ = TargetControl ? TargetControl->window() : QApplication::activeWindow();
    if (activeWindow_ == this) activeWindow_ = nullptr;
}

// Platforms that activate every window they show get the activation handed back.
void THalvekKeyboardPanel::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && activeWindow_ && activeWindow_->isVisible())
        activeWindow_->activateWindow();
}

QToolButton* THalvekKeyboardPanel::MakeKey(const QString& caption, const QRect& rect, bool bold)
{
    auto* key = new QToolButton(this);
    key->setObjectName(QStringLiteral("Key") + caption);
    key->setText(caption);
    key->setGeometry(rect);
    key->setFocusPolicy(Qt::NoFocus);
    key->setAutoRaise(false);
    QFont font = key->font();
    font.setPointSize(10);
    font.setBold(bold);
    key->setFont(font);
    // Black captions on light keys, whatever the style's colours.
    QPalette keyPalette = key->palette();
    keyPalette.setColor(QPalette::Button, QColor(0xE8, 0xE8, 0xE8));
    keyPalette.setColor(QPalette::ButtonText, Qt::black);
    key->setPalette(keyPalette);
    return key;
}

void THalvekKeyboardPanel::AppendToTarget(const QString& text)
{
    if (TargetControl) SetTargetText(TargetControl, GetTargetText(TargetControl) + text);
}

void THalvekKeyboardPanel::BackspaceTarget()
{
    if (!TargetControl) return;
    const QString text = GetTargetText(TargetControl);
    if (!text.isEmpty()) SetTargetText(TargetControl, skerra::withoutLastCharacter(text));
}

// ---- The numeric keypad ----

THalvekNumericKeypad::THalvekNumericKeypad(QWidget* owner) : THalvekKeyboardPanel(owner, skerra::numericKeypadSize())
{
    setObjectName(QStringLiteral("NumericKeypad"));
    CreateKeys();
}

void THalvekNumericKeypad::CreateKeys()
{
    const std::vector<skerra::KeyDef> keys = skerra::numericKeypadKeys();
    for (std::size_t i = 0; i < keys.size() && i < Keys.size(); ++i) {
        QToolButton* key = MakeKey(keys[i].caption, keys[i].rect, keys[i].bold);
        Keys[i] = key;
        connect(key, &QToolButton::clicked, this, [this, key] { skerra::guarded(this, [&] { KeyClick(key); }); });
    }
}

void THalvekNumericKeypad::KeyClick(QObject* sender)
{
    const auto* key = qobject_cast<QToolButton*>(sender);
    if (!key || !TargetControl) return;
    const QString caption = key->text();
    if (caption == QLatin1String("Enter"))
        hide();
    else if (caption == QLatin1String("Back"))
        BackspaceTarget();
    else
        AppendToTarget(caption);
}

// ---- The text keyboard ----

THalvekSimpleKeyboard::THalvekSimpleKeyboard(QWidget* owner) : THalvekKeyboardPanel(owner, skerra::simpleKeyboardSize())
{
    setObjectName(QStringLiteral("SimpleKeyboard"));
    CreateKeys();
}

void THalvekSimpleKeyboard::CreateKeys()
{
    using skerra::KeyRole;
    for (const skerra::KeyDef& def : skerra::simpleKeyboardKeys()) {
        QToolButton* key = MakeKey(def.caption, def.rect, def.bold);
        switch (def.role) {
        case KeyRole::Character:
            if (KeyCount < int(Keys.size())) Keys[KeyCount++] = key;
            connect(key, &QToolButton::clicked, this, [this, key] { skerra::guarded(this, [&] { CharKeyClick(key); }); });
            break;
        case KeyRole::Shift:
            ShiftKey = key;
            connect(key, &QToolButton::clicked, this, [this] { skerra::guarded(this, [this] { ShiftClick(); }); });
            break;
        case KeyRole::Space:
            SpaceKey = key;
            connect(key, &QToolButton::clicked, this, [this] { skerra::guarded(this, [this] { SpaceClick(); }); });
            break;
        case KeyRole::Back:
            BackKey = key;
            connect(key, &QToolButton::clicked, this, [this] { skerra::guarded(this, [this] { BackClick(); }); });
            break;
        case KeyRole::Enter:
            EnterKey = key;
            connect(key, &QToolButton::clicked, this, [this] { skerra::guarded(this, [this] { EnterClick(); }); });
            break;
        }
    }
}

void THalvekSimpleKeyboard::CharKeyClick(QObject* sender)
{
    const auto* key = qobject_cast<QToolButton*>(sender);
    if (!key || !TargetControl) return;
    AppendToTarget(key->text());
    if (ShiftOn) {
        ShiftOn = false;
        UpdateLetterCaptions();
    }
}

void THalvekSimpleKeyboard::ShiftClick()
{
    ShiftOn = !ShiftOn;
    UpdateLetterCaptions();
}

// The letter rows only; the digit row stays as it is.
void THalvekSimpleKeyboard::UpdateLetterCaptions()
{
    for (int i = skerra::SimpleKeyboardDigitKeys; i < KeyCount; ++i)
        Keys[i]->setText(skerra::letterCaption(Keys[i]->text(), ShiftOn));
}

void THalvekSimpleKeyboard::SpaceClick() { AppendToTarget(QStringLiteral(" ")); }

void THalvekSimpleKeyboard::BackClick() { BackspaceTarget(); }

void THalvekSimpleKeyboard::EnterClick() { hide(); }
