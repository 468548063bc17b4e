#include "TFNav.h"

#include "NavLayers.h"
#include "TfJoystick.h"
#include "TfRealtime.h"
#include "TfRunline1.h"
#include "TfWaterfal.h"
#include "canvas/widget/CanvasStatusSource.h"
#include "canvas/widget/THalvekCanvas.h"
#include "devices/SerialCorrectionSink.h"
#include "devices/serial/THalvekSerialGPS.h"
#include "devices/windows/TfrmNTRIPSettings.h"
#include "platform/AppPaths.h"
#include "platform/HandlerGuard.h"
#include "platform/IniFile.h"
#include "platform/DisplaySettings.h"
#include "shell/FormPlacement.h"
#include "shell/SharedHeader.h"
#include "shell/StartupSettings.h"
#include "shell/TNavset.h"
#include "shell/TOffsets.h"
#include "soundvelocity/TfSVP.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QDir>
#include <QHBoxLayout>
#include <QToolBar>
#include <QVBoxLayout>

TFNav* FNav = nullptr;

namespace {

// The position box reads the main window's status fields.
class NavStatusSource : public CanvasStatusSource {
public:
    explicit NavStatusSource(const TFNav& nav) : nav_(nav) {}
    std::string GGAOverlayText() const override { return nav_.GGAOverlayText; }
    int LastFixQuality() const override { return nav_.LastFixQuality; }

private:
    const TFNav& nav_;
};

}  // namespace

TFNav::TFNav(QWidget* parent) : FormOf(FNav, QStringLiteral("FNav"), QStringLiteral("Skerra"), parent)
{
    resize(1024, 700);
    skerra::guarded(this, [this] { FormCreate(); });
}

TFNav::~TFNav()
{
    // The NTRIP window may outlive this window; it must not relay into a freed sink.
    if (frmNTRIPSettings && gpsCorrectionSink_) frmNTRIPSettings->SetGPSPort(nullptr, QString());
    // The chart is destroyed after this window's members: it must not read a freed status source.
    if (fcad) fcad->SetStatusSource(nullptr);
}

void TFNav::FormCreate()
{
    // The day's folders, each with all missing parents, and the media folders.
    for (const std::string& folder : {DayFolder, LayoutFolder, LogFolder, XyzFolder, SvpFolder})
        QDir().mkpath(QString::fromStdString(folder));
    QDir().mkpath(QString::fromStdString(DayFolder) + "JPG");
    QDir().mkpath(QString::fromStdString(DayFolder) + "MP4");

    CreateSerialDevices();
    CreateChart();
    DisplaySettings::OverlayFontSize = skerra::readOverlayFontSize(skerra::IniFile(skerra::settingsFilePath()));
}

void TFNav::CreateChart()
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* top = new QToolBar(this);
    top->setObjectName(QStringLiteral("tMain"));
    layout->addWidget(top);
    auto* row = new QHBoxLayout;
    row->setSpacing(0);
    layout->addLayout(row, 1);
    auto* shapes = new QToolBar(this);
    shapes->setObjectName(QStringLiteral("tShape"));
    shapes->setOrientation(Qt::Vertical);
    row->addWidget(shapes);
    fcad = new THalvekCanvas(this);
    fcad->setObjectName(QStringLiteral("fcad"));
    row->addWidget(fcad, 1);
    CreateChartToolBars(top, shapes);

    chartStatus_ = std::make_unique<NavStatusSource>(*this);
    fcad->SetStatusSource(chartStatus_.get());
    fcad->OnShapeNumberSelected = [this](QObject* s, short t, long n) { fcadShapeNumberSelected(s, t, n); };
    fcad->OnWorldMouseMove = [this](QObject* s, short shift, double x, double y, double m, double a) {
        fcadWorldMouseMove(s, shift, x, y, m, a);
    };
    fcad->OnWorldMouseDown = [this](QObject* s, short b, short shift, short action, double x, double y) {
        fcadWorldMouseDown(s, b, shift, action, x, y);
    };
    fcad->OnDrawBegin = [this](QObject* s, short t, double x, double y) { fcadDrawBegin(s, t, x, y); };
    fcad->OnDrawEnd = [this](QObject* s, short t, double x, double y) { fcadDrawEnd(s, t, x, y); };
    fcad->OnDblClick = [this](QObject* s) { fcadDblClick(s); };
}

void TFNav::CreateChartToolBars(QToolBar* top, QToolBar* shapes)
{
    auto add = [this](QToolBar* bar, const char* name, const QString& caption, void (TFNav::*handler)()) {
        QAction* action = bar->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, [this, handler] { skerra::guarded(this, [&] { (this->*handler)(); }); });
    };
    add(top, "Zoomin", QStringLiteral("Zoom In"), &TFNav::ZoominClick);
    add(top, "Zoomout", QStringLiteral("Zoom Out"), &TFNav::ZoomoutClick);
    add(top, "Zoomwindow", QStringLiteral("Window"), &TFNav::ZoomwindowClick);
    add(top, "Zoomdynamic", QStringLiteral("Dynamic"), &TFNav::ZoomdynamicClick);
    add(top, "Zoomextents", QStringLiteral("Extents"), &TFNav::ZoomextentsClick);

    add(shapes, "ToolButton7", QStringLiteral("Point"), &TFNav::ToolButton10Click);
    add(shapes, "ToolButton12", QStringLiteral("Line"), &TFNav::ToolButton9Click);
    add(shapes, "ToolButton21", QStringLiteral("Rectangle"), &TFNav::ToolButton16Click);
    add(shapes, "ToolButton23", QStringLiteral("Polyline"), &TFNav::ToolButton14Click);
    add(shapes, "ToolButton27", QStringLiteral("Ellipse"), &TFNav::ToolButton19Click);
    add(shapes, "ToolButton28", QStringLiteral("Polygon"), &TFNav::ToolButton15Click);
    add(shapes, "ToolButton29", QStringLiteral("Spline"), &TFNav::ToolButton17Click);
    add(shapes, "ToolButton30", QStringLiteral("Arc"), &TFNav::ToolButton20Click);
    add(shapes, "ToolButton31", QStringLiteral("Circle"), &TFNav::ToolButton18Click);
}

void TFNav::SetCadMode(int mode) { fcad->CadMode = mode; }
void TFNav::ToolButton10Click() { SetCadMode(17); }
void TFNav::ToolButton9Click() { SetCadMode(3); }
void TFNav::ToolButton16Click() { SetCadMode(1); }
void TFNav::ToolButton14Click() { SetCadMode(5); }
void TFNav::ToolButton19Click() { SetCadMode(4); }
void TFNav::ToolButton15Click() { SetCadMode(6); }
void TFNav::ToolButton17Click() { SetCadMode(8); }
void TFNav::ToolButton20Click() { SetCadMode(10); }
void TFNav::ToolButton18Click() { SetCadMode(19); }
void TFNav::ZoomwindowClick() { SetCadMode(-3); }
void TFNav::ZoomdynamicClick() { SetCadMode(-4); }

// Zoom about the middle of the world window: in shrinks it to 0.8, out grows it to 1.2.
void TFNav::ZoominClick()
{
    fcad->WorldZoom(0, 0.2, (fcad->WorldLeft + fcad->WorldRight) / 2, (fcad->WorldTop + fcad->WorldBottom) / 2);
}

void TFNav::ZoomoutClick()
{
    fcad->WorldZoom(0, -0.2, (fcad->WorldLeft + fcad->WorldRight) / 2, (fcad->WorldTop + fcad->WorldBottom) / 2);
}

void TFNav::ZoomextentsClick() { fcad->WorldExtents(); }

void TFNav::CreateSerialDevices()
{
    ZGPS1 = new THalvekSerialGPS(this);
    ZGPS1->setObjectName(QStringLiteral("ZGPS1"));
    ZGPS1->OnConnect = [this](QObject* s, const QString& port) { ZGPS1Connect(s, port); };
    ZGPS1->OnDisconnect = [this](QObject* s, const QString& port) { ZGPS1Disconnect(s, port); };
    ZGPS1->OnIdle = [this](QObject* s) { ZGPS1Idle(s); };
    ZGPS1->OnTimeout = [this](QObject* s) { ZGPS1Timeout(s); };
    ZGPS1->OnNewCommand = [this](QObject* s, const std::string& line) { ZGPS1NewCommand(s, line); };
    ZGPS1->OnPosition3DChange = [this](QObject* s, double lat, double lon, double alt) {
        ZGPS1Position3DChange(s, lat, lon, alt);
    };
    ZGPS1->OnSpeedChange = [this](QObject* s, double speed) { ZGPS1SpeedChange(s, speed); };
    ZGPS1->OnSend = [this](QObject* s, const std::string& text) { ZGPS1Send(s, text); };

    ZSENSOR = new THalvekSerialGPS(this);
    ZSENSOR->setObjectName(QStringLiteral("ZSENSOR"));
    ZSENSOR->OnNewCommand = [this](QObject* s, const std::string& line) { ZSENSORNewCommand(s, line); };

    gpsCorrectionSink_ = std::make_unique<SerialCorrectionSink>(ZGPS1);

    for (THalvekSerialGPS* device : {ZGPS1, ZSENSOR}) {
        device->TimeFormat = "hhnnsszzz";
        device->DateFormat = "YYYY-MM-DD";
    }
}

void TFNav::ReportPortStatus(const QString& text)
{
    LastStatusMessage = text;
    AppendAutoEvent(text.toStdString(), TodaysEventLogPath());
}

void TFNav::ZGPS1Connect(QObject*, const QString& port) { ReportPortStatus("Connected to GPS on " + port); }

void TFNav::ZGPS1Disconnect(QObject*, const QString& port)
{
    ReportPortStatus("Disconnected from GPS on " + port);
}

void TFNav::ZGPS1Idle(QObject*) { ReportPortStatus(QStringLiteral("GPS is idle!")); }

void TFNav::ZGPS1Timeout(QObject*) { ReportPortStatus(QStringLiteral("GPS Timeout!")); }

void TFNav::ZGPS1Send(QObject*, const std::string& text)
{
    ReportPortStatus("Command sent to device: " + QString::fromStdString(text));
}

void TFNav::HalvekNTRIPClient1Click()
{
    if (!frmNTRIPSettings) new TfrmNTRIPSettings(this);
    if (ZGPS1 && ZGPS1->Connected()) {
        frmNTRIPSettings->SetGPSPort(gpsCorrectionSink_.get(), ZGPS1->PortName());
        frmNTRIPSettings->SetVesselPosition(ZGPS1->GetLatitude(), ZGPS1->GetLongitude(), ZGPS1->GetAltitude());
    }
    frmNTRIPSettings->show();
}

// The survey loop consumes lines, positions and speeds; until it runs they are only
// received (and logged raw by the device when its log is on).
void TFNav::ZGPS1NewCommand(QObject*, const std::string&) {}
void TFNav::ZGPS1Position3DChange(QObject*, double, double, double) {}
void TFNav::ZGPS1SpeedChange(QObject*, double) {}
void TFNav::ZSENSORNewCommand(QObject*, const std::string&) {}

void TFNav::FormShow()
{
    EnsureNavLayers(*fcad);
    try {
        LoadChartView();
    } catch (...) {
        // A damaged view section leaves the chart as it is.
    }
    EnsureNavLayers(*fcad);
    LoadFormPlacement(this, true);
    if (Offsets) Offsets->show();
    if (fJoystick) fJoystick->show();
}

void TFNav::showEvent(QShowEvent* event)
{
    Form::showEvent(event);
    if (shown_) return;
    shown_ = true;
    skerra::guarded(this, [this] { FormShow(); });
}

void TFNav::LoadChartView()
{
    const skerra::IniFile ini(skerra::settingsFilePath());
    const double left = ini.ReadFloat("CANVAS", "PlanWorldLeft", 0);
    const double right = ini.ReadFloat("CANVAS", "PlanWorldRight", 1000);
    const double top = ini.ReadFloat("CANVAS", "PlanWorldTop", 1000);
    const double bottom = ini.ReadFloat("CANVAS", "PlanWorldBottom", 0);
    fcad->WorldSet(left, top, right, bottom);
    fcad->GridAutoScale = ini.ReadBool("CANVAS", "GridAutoScale", true);
    fcad->DepthSpeedDisplayMode = ini.ReadInteger("CANVAS", "DepthSpeedDisplayMode", 0);
    fcad->GGAOverlayPosition = ini.ReadInteger("CANVAS", "GGAOverlayPosition", 0);
}

void TFNav::SaveChartView()
{
    skerra::IniFile ini(skerra::settingsFilePath());
    skerra::IniFile::Batch batch(ini);
    ini.WriteFloat("CANVAS", "PlanWorldLeft", fcad->WorldLeft);
    ini.WriteFloat("CANVAS", "PlanWorldRight", fcad->WorldRight);
    ini.WriteFloat("CANVAS", "PlanWorldTop", fcad->WorldTop);
    ini.WriteFloat("CANVAS", "PlanWorldBottom", fcad->WorldBottom);
    ini.WriteBool("CANVAS", "GridAutoScale", fcad->GridAutoScale);
    ini.WriteInteger("CANVAS", "DepthSpeedDisplayMode", fcad->DepthSpeedDisplayMode);
    ini.WriteInteger("CANVAS", "GGAOverlayPosition", fcad->GGAOverlayPosition);
    batch.commit();
}

void TFNav::FormCloseQuery()
{
    for (THalvekSerialGPS* device : {ZGPS1, ZSENSOR})
        if (device) skerra::guarded(this, [device] { device->Close(); });
    for (QWidget* form : std::initializer_list<QWidget*>{Offsets, Navset, this, fRealtime, fSVP, fRunline1,
                                                         fWaterfal, fJoystick})
        if (form) SaveFormPlacement(form);
    SaveChartView();
}

// The survey loop's chart handlers; the chart itself zooms, pans, draws and selects.
void TFNav::fcadShapeNumberSelected(QObject*, short, long) {}
void TFNav::fcadWorldMouseMove(QObject*, short, double, double, double, double) {}
void TFNav::fcadWorldMouseDown(QObject*, short, short, short, double, double) {}

// Shapes the user draws go to their own layer.
void TFNav::fcadDrawBegin(QObject*, short, double, double) { fcad->CurrentLayer = UserShapeLayerId; }

void TFNav::fcadDrawEnd(QObject*, short, double, double) { fcad->CadModeKeep = false; }

void TFNav::fcadDblClick(QObject*)
{
    // A double click on the position box brings the navigation settings back.
    const QPoint at = fcad->mapFromGlobal(QCursor::pos());
    if (fcad->IsPointInGGAOverlay(at.x(), at.y()) && Navset) Navset->show();
}

void TFNav::closeEvent(QCloseEvent* event)
{
    skerra::guarded(this, [this] { FormCloseQuery(); });
    event->accept();
    // Closing the main window ends the program, whatever tool windows are open.
    QCoreApplication::quit();
}
