#include "TFNav.h"

#include "TfJoystick.h"
#include "devices/SerialCorrectionSink.h"
#include "devices/serial/THalvekSerialGPS.h"
#include "devices/windows/TfrmNTRIPSettings.h"
#include "platform/AppPaths.h"
#include "platform/HandlerGuard.h"
#include "platform/IniFile.h"
#include "shell/DisplaySettings.h"
#include "shell/FormPlacement.h"
#include "shell/SharedHeader.h"
#include "shell/StartupSettings.h"
#include "shell/TOffsets.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>

TFNav* FNav = nullptr;

TFNav::TFNav(QWidget* parent) : FormOf(FNav, QStringLiteral("FNav"), QStringLiteral("Skerra"), parent)
{
    resize(1024, 700);
    skerra::guarded(this, [this] { FormCreate(); });
}

TFNav::~TFNav()
{
    // The NTRIP window may outlive this window; it must not relay into a freed sink.
    if (frmNTRIPSettings && gpsCorrectionSink_) frmNTRIPSettings->SetGPSPort(nullptr, QString());
}

void TFNav::FormCreate()
{
    // The day's folders, each with all missing parents, and the media folders.
    for (const std::string& folder : {DayFolder, LayoutFolder, LogFolder, XyzFolder, SvpFolder})
        QDir().mkpath(QString::fromStdString(folder));
    QDir().mkpath(QString::fromStdString(DayFolder) + "JPG");
    QDir().mkpath(QString::fromStdString(DayFolder) + "MP4");

    CreateSerialDevices();
    DisplaySettings::OverlayFontSize = skerra::readOverlayFontSize(skerra::IniFile(skerra::settingsFilePath()));
}

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

void TFNav::closeEvent(QCloseEvent* event)
{
    for (THalvekSerialGPS* device : {ZGPS1, ZSENSOR})
        if (device) skerra::guarded(this, [device] { device->Close(); });
    skerra::guarded(this, [this] { SaveFormPlacement(this); });
    event->accept();
    // Closing the main window ends the program, whatever tool windows are open.
    QCoreApplication::quit();
}
