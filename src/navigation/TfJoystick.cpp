#include "TfJoystick.h"

#include "devices/serial/THalvekSerialGPS.h"
#include "navigation/TFNav.h"
#include "navigation/survey/AxisCommand.h"
#include "platform/HandlerGuard.h"
#include "shell/TFGPS.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

TfJoystick* fJoystick = nullptr;

namespace {

const QString kBatteryType = QStringLiteral("Halvek SMT");

}  // namespace

TfJoystick::TfJoystick(QWidget* parent)
    : FormOf(fJoystick, QStringLiteral("fJoystick"), QStringLiteral("Battery"), parent)
{
    setDefaultPlace(skerra::DefaultPlace::ChartLowerCentre);
    setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFixedSize(131, 42);

    pBattery = new QLabel(this);
    pBattery->setObjectName(QStringLiteral("pBattery"));
    pBattery->setGeometry(0, 0, 131, 41);
    pBattery->setAlignment(Qt::AlignCenter);
    pBattery->setFrameShape(QFrame::Panel);
    pBattery->setFrameShadow(QFrame::Raised);
    QFont font = pBattery->font();
    font.setPointSize(14);
    font.setBold(true);
    pBattery->setFont(font);

    // The axis buttons' panel is kept hidden.
    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(0, 41, 131, 1);
    Panel1->hide();
    auto* grid = new QGridLayout(Panel1);
    bUp = NewAxisButton("bUp", QStringLiteral("^"), &TfJoystick::bUpClick);
    bLeft = NewAxisButton("bLeft", QStringLiteral("<"), &TfJoystick::bLeftClick);
    BitBtn5 = NewAxisButton("BitBtn5", QStringLiteral("o"), &TfJoystick::BitBtn5Click);
    bRight = NewAxisButton("bRight", QStringLiteral(">"), &TfJoystick::bRightClick);
    bBottom = NewAxisButton("bBottom", QStringLiteral("v"), &TfJoystick::bBottomClick);
    BitBtn1 = NewAxisButton("BitBtn1", QStringLiteral("\\"), &TfJoystick::BitBtn1Click);
    BitBtn2 = NewAxisButton("BitBtn2", QStringLiteral("/"), nullptr);
    grid->addWidget(bUp, 0, 1);
    grid->addWidget(bLeft, 1, 0);
    grid->addWidget(BitBtn5, 1, 1);
    grid->addWidget(bRight, 1, 2);
    grid->addWidget(BitBtn1, 2, 0);
    grid->addWidget(bBottom, 2, 1);
    grid->addWidget(BitBtn2, 2, 2);

    send_ = [](const std::string& text) {
        if (FNav && FNav->ZGPS1) FNav->ZGPS1->Send(text);
    };
    messageType_ = [] { return FGPS ? FGPS->cSBESMessage->currentText() : kBatteryType; };

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, [this] { skerra::guarded(this, [this] { Timer1Timer(); }); });
    Timer1->start();

    show();  // this tool window appears as soon as it is created
}

QPushButton* TfJoystick::NewAxisButton(const char* name, const QString& caption, void (TfJoystick::*handler)())
{
    auto* button = new QPushButton(caption, Panel1);
    button->setObjectName(QLatin1String(name));
    if (handler)
        connect(button, &QPushButton::clicked, this, [this, handler] { skerra::guarded(this, [&] { (this->*handler)(); }); });
    return button;
}

void TfJoystick::Send(const std::string& text)
{
    if (send_) send_(text);
}

void TfJoystick::bUpClick()
{
    ++AxisB;
    ++AxisA;
    Send(FormatAxisCommand('A', AxisA) + FormatAxisCommand('B', AxisB));
}

void TfJoystick::bBottomClick()
{
    --AxisB;
    --AxisA;
    Send(FormatAxisCommand('A', AxisA) + FormatAxisCommand('B', AxisB));
}

void TfJoystick::bRightClick() { Send(FormatAxisCommand('B', AxisB++)); }

void TfJoystick::bLeftClick() { Send(FormatAxisCommand('A', AxisA++)); }

void TfJoystick::BitBtn1Click() { Send(FormatAxisCommand('A', AxisA--)); }

void TfJoystick::BitBtn5Click()
{
    AxisA = AxisB = 1;
    Send(FormatAxisCommand('A', 0) + FormatAxisCommand('B', 0));
}

// Hidden while the sounder sends another type; back when "Halvek SMT" returns.
void TfJoystick::Timer1Timer()
{
    const bool batteryType = messageType_ && messageType_() == kBatteryType;
    if (!batteryType && isVisible()) {
        hide();
        hiddenForType_ = true;
    } else if (batteryType && hiddenForType_) {
        show();
        hiddenForType_ = false;
    }
}
