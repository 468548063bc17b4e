#include "TfRealtime.h"

#include "devices/serial/THalvekSerialGPS.h"
#include "navigation/TFNav.h"
#include "navigation/ToolIcons.h"
#include "platform/AboveToolWindows.h"
#include "platform/Contrast.h"
#include "platform/DesignBackground.h"
#include "platform/HandlerGuard.h"
#include "platform/StyleRegistry.h"
#include "shell/SharedHeader.h"
#include "shell/TOffsets.h"
#include "shell/FormPlacement.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QTimer>
#include <QToolButton>

TfRealtime* fRealtime = nullptr;

namespace {

// The status colour a box was given, kept for showing it anew in another style.
constexpr const char* kStatusColourProperty = "statusColour";

constexpr int kToolBarHeight = 30;
constexpr int kFrameHeight = 98;
constexpr int kStartupDelayMs = 10000;

QFont valueFont(int pointSize)
{
    QFont font;
    font.setPointSize(pointSize);
    font.setBold(true);
    return font;
}

// Everything up to, not including, the last separator; "" when there is none.
QString folderPart(const QString& path)
{
    const QString clean = QDir::fromNativeSeparators(path);
    const int slash = clean.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : clean.left(slash);
}

}  // namespace

QString LogFolderTarget(const QString& gnssRawLogName, const QString& logFolder)
{
    QString folder = gnssRawLogName.isEmpty() ? QDir::fromNativeSeparators(logFolder) : folderPart(gnssRawLogName);
    while (folder.endsWith(QLatin1Char('/')) && folder.size() > 1) folder.chop(1);
    const QString parent = folderPart(folder);
    return parent.isEmpty() ? folder : parent;
}

TfRealtime::TfRealtime(QWidget* parent)
    : FormOf(fRealtime, QStringLiteral("fRealtime"), QStringLiteral("Realtime Data"), parent)
{
    setDefaultPlace(skerra::DefaultPlace::ChartUpperCentre);
    setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setAttribute(Qt::WA_ShowWithoutActivating);
    // White with black text by day; a dark style's own colours at night.
    skerra::showDesignBackground(this, Qt::white);

    auto* bar = new QWidget(this);
    bar->setGeometry(0, 0, kClientWidth, kToolBarHeight);
    auto* barLayout = new QHBoxLayout(bar);
    barLayout->setContentsMargins(2, 2, 2, 2);
    barLayout->setSpacing(2);
    btHide = NewToolButton("btHide", QStringLiteral("Hide Window"), "zoom-window");
    ToolButton2 = NewToolButton("ToolButton2", QStringLiteral("Zoom In"), "zoom-in");
    ToolButton3 = NewToolButton("ToolButton3", QStringLiteral("Zoom Out"), "zoom-out");
    btOpenLogFolder = NewToolButton("btOpenLogFolder", QStringLiteral("Open Log Folder"), "open");
    btShowOffsets = NewToolButton("btShowOffsets", QStringLiteral("Show Offsets"), "connect");
    for (QToolButton* button : {btHide, ToolButton2, ToolButton3, btOpenLogFolder, btShowOffsets}) {
        button->setParent(bar);
        barLayout->addWidget(button);
    }
    barLayout->addStretch();
    connect(btHide, &QToolButton::clicked, this, [this] { skerra::guarded(this, [this] { btHideClick(); }); });
    connect(ToolButton2, &QToolButton::clicked, this, [this] { skerra::guarded(this, [this] { ToolButton2Click(); }); });
    connect(ToolButton3, &QToolButton::clicked, this, [this] { skerra::guarded(this, [this] { ToolButton3Click(); }); });
    connect(btOpenLogFolder, &QToolButton::clicked, this,
            [this] { skerra::guarded(this, [this] { btOpenLogFolderClick(); }); });
    connect(btShowOffsets, &QToolButton::clicked, this,
            [this] { skerra::guarded(this, [this] { btShowOffsetsClick(); }); });

    GPSGroupBox = new QGroupBox(QStringLiteral(" GPS Status "), this);
    GPSGroupBox->setObjectName(QStringLiteral("GPSGroupBox"));
    GPSGroupBox->setGeometry(2, kToolBarHeight, kClientWidth - 4, kHeightWithoutDepths - kToolBarHeight - 2);
    auto* grid = new QGridLayout(GPSGroupBox);
    grid->setContentsMargins(8, 4, 8, 4);
    Fixed = AddNumberRow(GPSGroupBox, 0, QStringLiteral("Fix Type"), "Fixed");
    Speed = AddNumberRow(GPSGroupBox, 1, QStringLiteral("Speed"), "Speed");
    SatelliteLabel = AddNumberRow(GPSGroupBox, 2, QStringLiteral("Satellites"), "SatelliteLabel");
    LAntennaH = AddNumberRow(GPSGroupBox, 3, QStringLiteral("Antenna Ht."), "LAntennaH");
    LTideHt = AddNumberRow(GPSGroupBox, 4, QStringLiteral("Tide Ht."), "LTideHt");

    DepthFrameHi = NewDepthFrame("DepthFrameHi", QStringLiteral(" Depth (High Freq.) "), skerra::colors::Lime,
                                 kHeightWithoutDepths, "lDepthHi", lDepthHi);
    DepthFrameLo = NewDepthFrame("DepthFrameLo", QStringLiteral(" Depth (Low Freq.) "), skerra::colors::Yellow,
                                 kHeightHighDepth, "lDepthLo", lDepthLo);
    SetClientHeight(kHeightBothDepths);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setSingleShot(true);
    Timer1->setInterval(kStartupDelayMs);
    connect(Timer1, &QTimer::timeout, this, &TfRealtime::StartupTypeRequested);
    Timer1->start();
}

QToolButton* TfRealtime::NewToolButton(const char* name, const QString& hint, const char* icon)
{
    auto* button = new QToolButton(this);
    button->setObjectName(QLatin1String(name));
    button->setToolTip(hint);
    button->setProperty("toolIcon", QLatin1String(icon));
    button->setIcon(toolIcon(QLatin1String(icon), palette().color(QPalette::Window)));
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

// A new style (or the window's own background): the icons take the colour that reads
// on it, and the status boxes their colours in it.
void TfRealtime::changeEvent(QEvent* event)
{
    Form::changeEvent(event);
    if (event->type() != QEvent::PaletteChange) return;
    skerra::guarded(this, [this] {
        for (QToolButton* button : findChildren<QToolButton*>()) {
            const QString icon = button->property("toolIcon").toString();
            if (!icon.isEmpty()) button->setIcon(toolIcon(icon, palette().color(QPalette::Window)));
        }
        if (restyling_) return;
        restyling_ = true;
        for (QGroupBox* box : findChildren<QGroupBox*>()) {
            const QVariant colour = box->property(kStatusColourProperty);
            if (colour.isValid()) SetGroupColour(box, TColor(colour.toInt()));
        }
        restyling_ = false;
    });
}

QLabel* TfRealtime::AddNumberRow(QWidget* box, int row, const QString& caption, const char* name)
{
    auto* grid = static_cast<QGridLayout*>(box->layout());
    grid->addWidget(new QLabel(caption, box), row, 0);
    auto* value = new QLabel(QStringLiteral("---"), box);
    value->setObjectName(QLatin1String(name));
    value->setFont(valueFont(10));
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(value, row, 1);
    return value;
}

QGroupBox* TfRealtime::NewDepthFrame(const char* name, const QString& caption, TColor colour, int top,
                                     const char* label, QLabel*& value)
{
    auto* frame = new QGroupBox(caption, this);
    frame->setObjectName(QLatin1String(name));
    frame->setGeometry(2, top, kClientWidth - 4, kFrameHeight - 2);
    SetGroupColour(frame, colour);
    auto* layout = new QHBoxLayout(frame);
    value = new QLabel(QStringLiteral("---"), frame);
    value->setObjectName(QLatin1String(label));
    value->setAlignment(Qt::AlignCenter);
    value->setFont(valueFont(26));
    layout->addWidget(value);
    return frame;
}

// Silver says "no readings": under a dark style that is the style's own button colour,
// so that a stopped survey leaves no bright box at night.
void TfRealtime::SetGroupColour(QGroupBox* box, TColor colour)
{
    box->setProperty(kStatusColourProperty, int(colour));
    box->setAutoFillBackground(true);
    QPalette palette = box->palette();
    const QColor shown = colour == skerra::colors::Silver && skerra::activeStyleIsDark()
                             ? QApplication::palette().color(QPalette::Button)
                             : skerra::toQColor(colour);
    skerra::setReadableBackground(palette, QPalette::Window, shown);
    box->setPalette(palette);
}

void TfRealtime::SetClientHeight(int height) { setFixedSize(kClientWidth, height); }

void TfRealtime::ShowLowFrequencyDepth()
{
    if (!DepthFrameLo->isHidden()) return;
    DepthFrameLo->show();
    SetClientHeight(kHeightBothDepths);
}

void TfRealtime::HideLowFrequencyDepth()
{
    if (DepthFrameLo->isHidden()) return;
    DepthFrameLo->hide();
    SetClientHeight(kHeightHighDepth);
}

void TfRealtime::ShowDepthFrames(bool high, bool low)
{
    DepthFrameHi->setVisible(high);
    DepthFrameLo->setVisible(low);
    if (high || low) SetClientHeight(low ? kHeightBothDepths : kHeightHighDepth);
}

void TfRealtime::ShrinkToNumbers()
{
    ShowDepthFrames(false, false);
    SetClientHeight(kHeightWithoutDepths);
}

void TfRealtime::FormShow() { LoadFormPlacement(this, false); }

void TfRealtime::showEvent(QShowEvent* event)
{
    Form::showEvent(event);
    skerra::guarded(this, [this] { FormShow(); });
}

void TfRealtime::btHideClick()
{
    compact_ = !compact_;
    if (compact_) {
        if (FNav) FNav->SetCompactLayout(true);
        hide();
    } else {
        show();
        if (FNav) FNav->SetCompactLayout(false);
    }
}

void TfRealtime::ToolButton2Click()
{
    if (FNav) FNav->ZoominClick();
}

void TfRealtime::ToolButton3Click()
{
    if (FNav) FNav->ZoomoutClick();
}

// Failures to create or open the folder are not reported.
void TfRealtime::btOpenLogFolderClick()
{
    const QString rawLog = FNav && FNav->ZGPS1 ? QString::fromStdString(FNav->ZGPS1->LogFileName) : QString();
    const QString target = LogFolderTarget(rawLog, QString::fromStdString(LogFolder));
    QDir().mkpath(target);
    if (FNav && FNav->OpenFolder) FNav->OpenFolder(target);
}

void TfRealtime::btShowOffsetsClick()
{
    if (Offsets) skerra::showAboveToolWindows(Offsets);
}
