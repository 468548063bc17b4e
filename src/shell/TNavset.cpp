#include "TNavset.h"

#include "ColourPicker.h"
#include "FormPlacement.h"
#include "NavigationSettings.h"
#include "NumberEdits.h"
#include "canvas/widget/THalvekCanvasCore.h"
#include "platform/AppPaths.h"
#include "platform/DesignBackground.h"
#include "platform/HandlerGuard.h"
#include "platform/IniFile.h"
#include "shell/SharedHeader.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>
#include <QTimer>
#include <QVBoxLayout>

TNavset* Navset = nullptr;

namespace {

constexpr QSize kClientSize(185, 296);
const QString kVesselLayer = QStringLiteral("~~Halvek Vessel");
constexpr const char* kTrackLayers[] = {"track_fix", "track_float", "track_nofix"};

QGroupBox* makeGroup(QWidget* parent, const char* name, const char* caption)
{
    auto* group = new QGroupBox(QString::fromLatin1(caption), parent);
    group->setObjectName(QString::fromLatin1(name));
    return group;
}

QLabel* makeLabel(QWidget* parent, const char* name, const char* caption)
{
    auto* label = new QLabel(QString::fromLatin1(caption), parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

QLineEdit* makeEdit(QWidget* parent, const char* name, const char* text)
{
    auto* edit = new QLineEdit(QString::fromLatin1(text), parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("00000000")) + 12);
    return edit;
}

skerra::ColourPicker* makeColour(QWidget* parent, const char* name, TColor colour)
{
    auto* picker = new skerra::ColourPicker(parent);
    picker->setObjectName(QString::fromLatin1(name));
    picker->setColour(colour);
    return picker;
}

// An edit with its up-down buttons beside it.
QWidget* withUpDown(QLineEdit* edit, int min, int max, int step, QWidget* parent)
{
    auto* box = new QWidget(parent);
    box->setObjectName(edit->objectName() + QStringLiteral("Box"));
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(1);
    edit->setParent(box);
    row->addWidget(edit);
    row->addWidget(new skerra::UpDown(edit, min, max, step, box));
    row->addStretch(1);
    return box;
}

// An emptied edit gets its fallback back (which runs its change handler again).
bool refilled(QLineEdit* edit, const char* fallback)
{
    if (!edit->text().isEmpty()) return false;
    edit->setText(QString::fromLatin1(fallback));
    return true;
}

}  // namespace

TNavset::TNavset(QWidget* parent) : FormOf(Navset, QStringLiteral("Navset"), QStringLiteral("Navigation Settings"), parent)
{
    setDefaultPlace(skerra::DefaultPlace::ChartUpperLeft);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
    setFont(QFont(QStringLiteral("Segoe UI"), 9));
    // White with black text by day; a dark style's own colours at night.
    skerra::showDesignBackground(this, Qt::white);
    CreateControls();
    ConnectHandlers();
    setFixedSize(kClientSize.expandedTo(minimumSizeHint()));
    show();  // this tool window appears as soon as it is created
}

void TNavset::CreateControls()
{
    const NavigationDisplayValues design;
    GroupBox1 = makeGroup(this, "GroupBox1", " Vessel Color && Width");
    VesselColor = makeColour(GroupBox1, "VesselColor", design.vesselColour);
    VesselWidth = makeEdit(GroupBox1, "VesselWidth", "2");
    skerra::acceptDigits(VesselWidth, 2);
    eVesselUpdateRate = makeEdit(GroupBox1, "eVesselUpdateRate", "500");
    skerra::acceptDigits(eVesselUpdateRate, 5);
    auto* vessel = new QGridLayout(GroupBox1);
    vessel->addWidget(VesselColor, 0, 0, 1, 2);
    vessel->addWidget(withUpDown(VesselWidth, skerra::MinPenWidth, skerra::MaxPenWidth, 1, GroupBox1), 1, 0, 1, 2);
    vessel->addWidget(makeLabel(GroupBox1, "Label1", "Update Rate (ms)"), 2, 0, 1, 2);
    vessel->addWidget(withUpDown(eVesselUpdateRate, 0, 5000, 50, GroupBox1), 3, 0, 1, 2);

    GroupBox2 = makeGroup(this, "GroupBox2", "Background Color");
    fcadColor = makeColour(GroupBox2, "fcadColor", design.chartColour);
    (new QVBoxLayout(GroupBox2))->addWidget(fcadColor);

    GroupBox3 = makeGroup(this, "GroupBox3", " Track Lines (Fixed/Float)");
    ColorTracklines1 = makeColour(GroupBox3, "ColorTracklines1", design.trackFixColour);
    ColorTracklines0 = makeColour(GroupBox3, "ColorTracklines0", design.trackFloatColour);
    cLineOrDot = new QCheckBox(QStringLiteral("Draw as Line"), GroupBox3);
    cLineOrDot->setObjectName(QStringLiteral("cLineOrDot"));
    TrackWidth = makeEdit(GroupBox3, "TrackWidth", "2");
    skerra::acceptDigits(TrackWidth, 2);
    TrackDistance = makeEdit(GroupBox3, "TrackDistance", "20");
    skerra::acceptDigits(TrackDistance, 8);
    auto* tracks = new QGridLayout(GroupBox3);
    tracks->addWidget(ColorTracklines1, 0, 0, 1, 2);
    tracks->addWidget(ColorTracklines0, 1, 0, 1, 2);
    tracks->addWidget(cLineOrDot, 2, 0, 1, 2);
    tracks->addWidget(makeLabel(GroupBox3, "Label2", "Wid."), 3, 0);
    tracks->addWidget(withUpDown(TrackWidth, skerra::MinPenWidth, skerra::MaxPenWidth, 1, GroupBox3), 3, 1);
    tracks->addWidget(makeLabel(GroupBox3, "Label3", "Dist (m)"), 4, 0);
    tracks->addWidget(withUpDown(TrackDistance, 0, 500, 1, GroupBox3), 4, 1);

    GroupBox4 = makeGroup(this, "GroupBox4", "Alert");
    edDepthAlert1 = makeEdit(GroupBox4, "edDepthAlert1", "0.5");
    skerra::acceptPositiveReal(edDepthAlert1);
    auto* alert = new QHBoxLayout(GroupBox4);
    alert->addWidget(makeLabel(GroupBox4, "Label4", "Shallow Water"));
    alert->addWidget(edDepthAlert1);
    alert->addWidget(makeLabel(GroupBox4, "Label5", "m"));
    alert->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);
    for (QGroupBox* group : {GroupBox1, GroupBox2, GroupBox3, GroupBox4}) layout->addWidget(group);
    layout->addStretch(1);
}

void TNavset::ConnectHandlers()
{
    using Handler = void (TNavset::*)();
    const auto onColour = [this](skerra::ColourPicker* picker, Handler handler) {
        connect(picker, &skerra::ColourPicker::colourChanged, this,
                [this, handler] { skerra::guarded(this, [&] { (this->*handler)(); }); });
    };
    onColour(fcadColor, &TNavset::fcadColorChange);
    onColour(VesselColor, &TNavset::VesselColorChange);
    const auto onText = [this](QLineEdit* edit, Handler handler) {
        connect(edit, &QLineEdit::textChanged, this, [this, handler] { skerra::guarded(this, [&] { (this->*handler)(); }); });
    };
    onText(VesselWidth, &TNavset::VesselWidthChange);
    onText(TrackWidth, &TNavset::TrackWidthChange);
    onText(TrackDistance, &TNavset::TrackDistanceChange);
    onText(edDepthAlert1, &TNavset::edDepthAlert1Change);
    onText(eVesselUpdateRate, &TNavset::eVesselUpdateRateChange);
    // Once typed, the edit shows the interval that the timer took (at least 50 ms).
    connect(eVesselUpdateRate, &QLineEdit::editingFinished, this, [this] {
        if (mapTimer_) eVesselUpdateRate->setText(QString::number(mapTimer_->interval()));
    });
}

void TNavset::SetCanvas(THalvekCanvasCore* canvas) { canvas_ = canvas; }

void TNavset::SetMapTimer(QTimer* timer)
{
    mapTimer_ = timer;
    if (timer) eVesselUpdateRate->setText(QString::number(timer->interval()));
}

NavigationDisplayValues TNavset::DisplayValues() const
{
    NavigationDisplayValues v;
    v.vesselColour = VesselColor->colour();
    v.chartColour = fcadColor->colour();
    v.trackFixColour = ColorTracklines1->colour();
    v.trackFloatColour = ColorTracklines0->colour();
    v.vesselWidth = vesselWidth_.value();
    v.trackWidth = trackWidth_.value();
    v.trackDistance = trackDistance_.value();
    v.depthAlert = depthAlert_.value();
    v.lineOrDot = cLineOrDot->isChecked();
    return v;
}

// ---- Showing, hiding, closing ----

void TNavset::showEvent(QShowEvent* event)
{
    Form::showEvent(event);
    if (!event->spontaneous()) skerra::guarded(this, [this] { FormShow(); });
}

void TNavset::hideEvent(QHideEvent* event)
{
    Form::hideEvent(event);
    if (!event->spontaneous()) skerra::guarded(this, [this] { FormHide(); });
}

void TNavset::closeEvent(QCloseEvent* event)
{
    skerra::guarded(this, [this] { FormCloseQuery(); });
    event->accept();
}

void TNavset::FormShow()
{
    LoadFormPlacement(this, false);
    const skerra::IniFile ini(skerra::settingsFilePath());
    QStringList problems;
    ShowValues(skerra::readNavigationSettings(ini, &problems));
    ReportOnce(problems);
}

void TNavset::ReportOnce(const QStringList& problems)
{
    for (const QString& problem : problems) {
        if (reported_.contains(problem)) continue;
        reported_.append(problem);
        AppendAutoEvent(problem.toStdString(), TodaysEventLogPath());
        // The window is first shown while it is made, before anyone listens.
        QTimer::singleShot(0, this, [this, problem] { emit StatusLineRequested(problem, true); });
    }
}

// In the order of the settings file's keys; texts run their change handlers, colours none.
void TNavset::ShowValues(const NavigationDisplayValues& v)
{
    VesselWidth->setText(QString::fromStdString(v.vesselWidth));
    TrackWidth->setText(QString::fromStdString(v.trackWidth));
    TrackDistance->setText(QString::fromStdString(v.trackDistance));
    VesselColor->setColour(v.vesselColour);
    ColorTracklines1->setColour(v.trackFixColour);
    ColorTracklines0->setColour(v.trackFloatColour);
    fcadColor->setColour(v.chartColour);
    cLineOrDot->setChecked(v.lineOrDot);
    edDepthAlert1->setText(QString::fromStdString(v.depthAlert));
}

void TNavset::FormCloseQuery()
{
    NavigationDisplayValues v = DisplayValues();
    // The texts as they stand, as the next show reads them.
    v.vesselWidth = VesselWidth->text().toStdString();
    v.trackWidth = TrackWidth->text().toStdString();
    v.trackDistance = TrackDistance->text().toStdString();
    v.depthAlert = edDepthAlert1->text().toStdString();
    {
        skerra::IniFile ini(skerra::settingsFilePath());
        skerra::writeNavigationSettings(ini, v);
    }
    SaveFormPlacement(this);
}

void TNavset::FormHide() { SaveFormPlacement(this); }

// ---- Change handlers ----

void TNavset::RepaintChart()
{
    if (canvas_) canvas_->Update();
}

void TNavset::SetLayerWidth(const char* name, int width)
{
    if (!canvas_) return;
    const int layer = canvas_->LayerFindByName(QString::fromLatin1(name));
    if (layer >= 0) canvas_->SetLayerPenWidth(layer, width);
}

void TNavset::fcadColorChange()
{
    if (canvas_) canvas_->SetBackColor(fcadColor->colour());
    RepaintChart();
}

void TNavset::VesselColorChange()
{
    if (!canvas_) return;
    const int layer = canvas_->LayerFindByName(kVesselLayer);
    if (layer < 0) return;
    canvas_->SetLayerPenFg(layer, VesselColor->colour());
    RepaintChart();
}

void TNavset::VesselWidthChange()
{
    if (refilled(VesselWidth, "2")) return;
    vesselWidth_.take(VesselWidth->text());
    const std::optional<int> width = skerra::penWidthFrom(VesselWidth->text());
    if (!width || !canvas_ || canvas_->LayerFindByName(kVesselLayer) < 0) return;
    SetLayerWidth("~~Halvek Vessel", *width);
    RepaintChart();
}

void TNavset::TrackWidthChange()
{
    if (refilled(TrackWidth, "2")) return;
    trackWidth_.take(TrackWidth->text());
    const std::optional<int> width = skerra::penWidthFrom(TrackWidth->text());
    if (!width) return;
    for (const char* layer : kTrackLayers) SetLayerWidth(layer, *width);
    RepaintChart();
}

void TNavset::TrackDistanceChange()
{
    if (refilled(TrackDistance, "1")) return;
    trackDistance_.take(TrackDistance->text());
}

void TNavset::edDepthAlert1Change()
{
    if (refilled(edDepthAlert1, "0")) return;
    depthAlert_.take(edDepthAlert1->text());
}

void TNavset::eVesselUpdateRateChange()
{
    const std::optional<int> interval = skerra::mapTimerInterval(eVesselUpdateRate->text());
    if (interval && mapTimer_) mapTimer_->setInterval(*interval);
}
