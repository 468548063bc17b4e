#include "TfRunline1.h"

#include "TFNav.h"
#include "canvas/widget/THalvekCanvas.h"
#include "platform/ReadableText.h"
#include "platform/AppPaths.h"
#include "platform/HandlerGuard.h"
#include "platform/IniFile.h"
#include "platform/MessageBox.h"
#include "platform/NumberText.h"
#include "shell/FormPlacement.h"
#include "shell/SharedHeader.h"

#include <algorithm>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TfRunline1* fRunline1 = nullptr;

namespace {

const QString Section = QStringLiteral("RUNLINE");
const QString RouteLayer = QStringLiteral("Halvek_Route");
const QString RunlinesLayer = QStringLiteral("Halvek_Runlines");
constexpr double kDefaultSpacing = 10;
constexpr double kDefaultLength = 100;

template <class Widget>
Widget* named(Widget* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

THalvekCanvas* chart() { return FNav ? FNav->fcad : nullptr; }

// The layer's id; made when missing (which makes it the chart's current layer).
int layerOf(THalvekCanvas& canvas, const QString& name)
{
    const int layer = canvas.LayerFindByName(name);
    return layer >= 0 ? layer : canvas.LayerOpen(name);
}

}  // namespace

TfRunline1::TfRunline1(QWidget* parent)
    : FormOf(fRunline1, QStringLiteral("fRunline1"), QStringLiteral("Runline Generator"), parent)
{
    setDefaultPlace(skerra::DefaultPlace::CentredOnMain);
    setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    BuildControls();
    setFixedSize(kClientWidth, kClientHeight);
    skerra::guarded(this, [this] { FormCreate(); });
}

void TfRunline1::BuildControls()
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(6);

    auto* step1 = named(new QGroupBox(QStringLiteral("Step 1: Draw Route"), this), "gbRoute");
    // The status has the group's whole width; a longer message wraps instead of being cut.
    auto* routeColumn = new QVBoxLayout(step1);
    lRouteStatus = named(new QLabel(step1), "lRouteStatus");
    lRouteStatus->setWordWrap(true);
    lRouteStatus->setMinimumHeight(2 * lRouteStatus->fontMetrics().lineSpacing());
    bDrawRoute = named(new QPushButton(QStringLiteral("Draw Route"), step1), "bDrawRoute");
    routeColumn->addWidget(lRouteStatus);
    routeColumn->addWidget(bDrawRoute, 0, Qt::AlignRight);
    layout->addWidget(step1);

    auto* step2 = named(new QGroupBox(QStringLiteral("Step 2: Spacing (meters)"), this), "gbSpacing");
    auto* sizes = new QGridLayout(step2);
    eSpacing = named(new QLineEdit(step2), "eSpacing");
    eLength = named(new QLineEdit(step2), "eLength");
    auto* spacingLabel = named(new QLabel(QStringLiteral("Spacing"), step2), "lSpacing");
    auto* lengthLabel = named(new QLabel(QStringLiteral("Length"), step2), "lLength");
    spacingLabel->setBuddy(eSpacing);
    lengthLabel->setBuddy(eLength);
    sizes->addWidget(spacingLabel, 0, 0);
    sizes->addWidget(eSpacing, 0, 1);
    sizes->addWidget(lengthLabel, 0, 2);
    sizes->addWidget(eLength, 0, 3);
    layout->addWidget(step2);

    auto* step3 = named(new QGroupBox(QStringLiteral("Step 3: Line Type"), this), "gbLineType");
    auto* types = new QHBoxLayout(step3);
    rbPerpendicular = named(new QRadioButton(QStringLiteral("Perpendicular"), step3), "rbPerpendicular");
    rbParallel = named(new QRadioButton(QStringLiteral("Parallel"), step3), "rbParallel");
    rbPerpendicular->setChecked(true);
    types->addWidget(rbPerpendicular);
    types->addWidget(rbParallel);
    layout->addWidget(step3);

    auto* actions = named(new QGroupBox(QStringLiteral("Actions"), this), "gbActions");
    auto* buttons = new QHBoxLayout(actions);
    bGenerate = named(new QPushButton(QStringLiteral("Generate"), actions), "bGenerate");
    bClear = named(new QPushButton(QStringLiteral("Clear"), actions), "bClear");
    bClose = named(new QPushButton(QStringLiteral("Close"), actions), "bClose");
    for (QPushButton* button : {bGenerate, bClear, bClose}) buttons->addWidget(button);
    layout->addWidget(actions);
    layout->addStretch(1);

    const auto bind = [this](auto* sender, auto signal, void (TfRunline1::*handler)()) {
        connect(sender, signal, this, [this, handler] { skerra::guarded(this, [&] { (this->*handler)(); }); });
    };
    bind(bDrawRoute, &QPushButton::clicked, &TfRunline1::bDrawRouteClick);
    bind(bGenerate, &QPushButton::clicked, &TfRunline1::bGenerateClick);
    bind(bClear, &QPushButton::clicked, &TfRunline1::bClearClick);
    connect(bClose, &QPushButton::clicked, this, &QWidget::close);
    bind(eSpacing, &QLineEdit::textChanged, &TfRunline1::eSpacingChange);
    bind(eLength, &QLineEdit::textChanged, &TfRunline1::eLengthChange);
    bind(rbPerpendicular, &QRadioButton::clicked, &TfRunline1::rbPerpendicularClick);
    bind(rbParallel, &QRadioButton::clicked, &TfRunline1::rbParallelClick);
}

void TfRunline1::FormCreate()
{
    const skerra::IniFile ini(skerra::settingsFilePath());
    eSpacing->setText(ini.ReadString(Section, QStringLiteral("Spacing"), QStringLiteral("10")));
    eLength->setText(ini.ReadString(Section, QStringLiteral("Length"), QStringLiteral("100")));
    const bool perpendicular = ini.ReadBool(Section, QStringLiteral("Perpendicular"), true);
    rbPerpendicular->setChecked(perpendicular);
    rbParallel->setChecked(!perpendicular);
    RouteReady = false;
    ShowNoRoute();
}

void TfRunline1::showEvent(QShowEvent* event)
{
    // As designed, or as tall as the controls need in the style and language in force.
    setFixedHeight(std::max(kClientHeight, minimumSizeHint().height()));
    Form::showEvent(event);
    skerra::guarded(this, [this] { FormShow(); });
}

void TfRunline1::FormShow() { LoadFormPlacement(this, false); }

// ---- Status ----

void TfRunline1::ShowStatus(const QString& text, TColor colour)
{
    lRouteStatus->setText(text);
    // The status's colour where it reads on the style's panel, now and after a change of style.
    skerra::showTextReadably(lRouteStatus, skerra::toQColor(colour));
}

void TfRunline1::ShowNoRoute() { ShowStatus(QStringLiteral("No route drawn"), skerra::colors::Gray); }

void TfRunline1::ShowRouteTaken()
{
    ShowStatus(QStringLiteral("Route: ") + QString::fromStdString(skerra::IntToStr(static_cast<long long>(Route.size()))) +
                   QStringLiteral(" points"),
               skerra::colors::Green);
}

// ---- Route ----

void TfRunline1::bDrawRouteClick()
{
    ClearRunlines();
    Route.clear();
    RouteReady = false;
    THalvekCanvas* canvas = chart();
    if (!canvas) return;
    const int layer = canvas->LayerFindByName(RouteLayer);
    const int routeLayer = layer >= 0 ? (canvas->CadClearShapes(layer), layer) : canvas->LayerOpen(RouteLayer);
    canvas->CurrentLayer = routeLayer;
    canvas->CadMode = 5;
    canvas->CadModeKeep = false;
    ShowStatus(QStringLiteral("Drawing... (right-click to finish)"), skerra::colors::Blue);
    canvas->Refresh();
}

void TfRunline1::SetRoute(const std::vector<std::pair<double, double>>& points)
{
    Route = points;
    RouteReady = Route.size() > 1;
    if (!RouteReady) {
        ShowStatus(QStringLiteral("Need at least 2 points"), skerra::colors::Red);
        return;
    }
    ShowRouteTaken();
    GenerateRunlines();
}

// ---- Lines ----

// A spacing so small that the lines would be too many to make lays out nothing: the
// layer is emptied and the status asks for a larger spacing.
void TfRunline1::GenerateRunlines()
{
    if (Route.size() < 2) return;
    THalvekCanvas* canvas = chart();
    if (!canvas) return;
    const std::string spacingText = eSpacing->text().toStdString();
    const std::string lengthText = eLength->text().toStdString();
    const double S = RunlineValue(spacingText, kDefaultSpacing);
    const double L = RunlineValue(lengthText, kDefaultLength);
    const RunlineMode mode = rbPerpendicular->isChecked() ? RunlineMode::Perpendicular : RunlineMode::Parallel;
    const std::optional<std::vector<RunlinePolyline>> lines = runlines(Route, S, L, mode);

    RunlinesLayerId = layerOf(*canvas, RunlinesLayer);
    canvas->CadClearShapes(RunlinesLayerId);
    if (!lines) {
        ShowStatus(QStringLiteral("Too many lines - increase spacing"), skerra::colors::Red);
        canvas->Refresh();
        return;
    }
    AppendAutoEvent(RunlinesLogText(spacingText, lengthText), TodaysEventLogPath());
    for (const RunlinePolyline& line : *lines) canvas->DrawPolyline(line, RunlinesLayerId, false);
    ShowRouteTaken();
    canvas->Refresh();
}

// The layer is found by name again: a chart loaded or made new since the last
// generation numbers its layers afresh, and the old id may name another layer now.
void TfRunline1::ClearRunlines()
{
    THalvekCanvas* canvas = chart();
    if (RunlinesLayerId == -1 || !canvas) return;
    RunlinesLayerId = canvas->LayerFindByName(RunlinesLayer);
    if (RunlinesLayerId < 0) return;
    canvas->CadClearShapes(RunlinesLayerId);
    canvas->Refresh();
}

void TfRunline1::bGenerateClick()
{
    if (!RouteReady) {
        skerra::showInformation(QStringLiteral("Please draw a route first."), this);
        return;
    }
    GenerateRunlines();
    skerra::IniFile ini(skerra::settingsFilePath());
    skerra::IniFile::Batch batch(ini);
    ini.WriteString(Section, QStringLiteral("Spacing"), eSpacing->text());
    ini.WriteString(Section, QStringLiteral("Length"), eLength->text());
    ini.WriteBool(Section, QStringLiteral("Perpendicular"), rbPerpendicular->isChecked());
    batch.commit();
}

void TfRunline1::bClearClick()
{
    ClearRunlines();
    Route.clear();
    RouteReady = false;
    ShowNoRoute();
}

// ---- Regeneration on every edit and every line-type click ----

void TfRunline1::Regenerate()
{
    if (RouteReady) GenerateRunlines();
}

void TfRunline1::eSpacingChange() { Regenerate(); }
void TfRunline1::eLengthChange() { Regenerate(); }
void TfRunline1::rbPerpendicularClick() { Regenerate(); }
void TfRunline1::rbParallelClick() { Regenerate(); }
