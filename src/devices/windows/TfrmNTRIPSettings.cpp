#include "TfrmNTRIPSettings.h"

#include "TfRTCMParsing.h"
#include "devices/ntrip/NTRIPProfiles.h"
#include "devices/ntrip/NTRIPStatusCaptions.h"
#include "devices/ntrip/THalvekNTRIPClient.h"
#include "devices/ntrip/TCorrectionSink.h"
#include "devices/serial/THalvekSerialGPS.h"
#include "platform/AppPaths.h"
#include "platform/Clock.h"
#include "platform/HandlerGuard.h"
#include "platform/ReadableText.h"
#include "platform/IniFile.h"
#include "platform/NumberText.h"
#include "shell/SerialPortNames.h"
#include "shell/SharedHeader.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

#include <cmath>

TfrmNTRIPSettings* frmNTRIPSettings = nullptr;

using namespace skerra::ntrip;

namespace {

const QString Section = QStringLiteral("NTRIP");
const QString DefaultServer = QStringLiteral("rtk2go.com");
const QString GpsPortItem = QStringLiteral("This port (GPS)");
const QStringList BaudTexts = {"4800", "9600", "19200", "38400", "57600", "115200"};
constexpr int DefaultBaudIndex = 5;
constexpr int UpdateIntervalMs = 500;
constexpr qint64 NoDataLimitMs = 30000;
constexpr int MaxLogLines = 100;
constexpr qsizetype MaxLogLineLength = 200;

// A caster port: 1..65535, anything else (not a number, out of range) 2101.
int CasterPort(const QString& text)
{
    const int port = skerra::StrToIntDef(text.trimmed().toStdString(), 2101);
    return port >= 1 && port <= 65535 ? port : 2101;
}

double DegreesOrZero(const QString& text) { return skerra::StrToFloatDef(text.trimmed().toStdString(), 0); }

template <class Widget>
Widget* named(Widget* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

}  // namespace

TfrmNTRIPSettings::TfrmNTRIPSettings(QWidget* parent)
    : FormOf(frmNTRIPSettings, QStringLiteral("frmNTRIPSettings"), QStringLiteral("Halvek NTRIP Client"), parent)
{
    setDefaultPlace(skerra::DefaultPlace::CentredOnOpener);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    IniPath = skerra::settingsFilePath();
    ProfilesPath = skerra::besideProgram(QStringLiteral("profiles.txt"));
    LastDataTime = skerra::currentDateTime();
    BuildForm();
    skerra::guarded(this, [this] { FormCreate(); });
}

TfrmNTRIPSettings::~TfrmNTRIPSettings()
{
    skerra::guarded(nullptr, [this] {
        // Nothing of the client reaches this window any more while it goes away.
        if (Client) {
            Client->OnStatus = nullptr;
            Client->OnData = nullptr;
            Client->OnSourceTable = nullptr;
            Client->OnLog = nullptr;
        }
        SaveSettings();
        CloseOutputPort();
        if (Client) {
            Client->SetSerialPortHandle(nullptr);
            Client->Disconnect();
        }
    });
    delete Client;
    Client = nullptr;
}

// ---- the form ----------------------------------------------------------------------

void TfrmNTRIPSettings::BuildForm()
{
    const auto guard = [this](auto body) { return [this, body] { skerra::guarded(this, body); }; };

    auto* caster = named(new QGroupBox(QStringLiteral("Caster"), this), "gbCaster");
    auto* casterForm = new QFormLayout(caster);
    casterForm->setContentsMargins(6, 2, 6, 4);
    casterForm->setVerticalSpacing(2);
    boxProfile = named(new QComboBox(caster), "boxProfile");
    btnSaveProfile = named(new QPushButton(QStringLiteral("+"), caster), "btnSaveProfile");
    btnSaveProfile->setFixedWidth(btnSaveProfile->fontMetrics().horizontalAdvance(QStringLiteral("+")) + 24);
    auto* profileRow = new QHBoxLayout;
    profileRow->addWidget(boxProfile, 1);
    profileRow->addWidget(btnSaveProfile);
    casterForm->addRow(QStringLiteral("Profile"), profileRow);
    edtServer = named(new QLineEdit(DefaultServer, caster), "edtServer");
    edtPort = named(new QLineEdit(QStringLiteral("2101"), caster), "edtPort");
    edtUsername = named(new QLineEdit(caster), "edtUsername");
    edtPassword = named(new QLineEdit(caster), "edtPassword");
    edtPassword->setEchoMode(QLineEdit::Password);
    casterForm->addRow(QStringLiteral("Server"), edtServer);
    casterForm->addRow(QStringLiteral("Port"), edtPort);
    casterForm->addRow(QStringLiteral("Username"), edtUsername);
    casterForm->addRow(QStringLiteral("Password"), edtPassword);
    boxMountpoint = named(new QComboBox(caster), "boxMountpoint");
    boxMountpoint->setEditable(true);
    btnFetchSources = named(new QPushButton(QStringLiteral("Fetch Sources"), caster), "btnFetchSources");
    auto* mountRow = new QHBoxLayout;
    mountRow->addWidget(boxMountpoint, 1);
    mountRow->addWidget(btnFetchSources);
    casterForm->addRow(QStringLiteral("Mountpoint"), mountRow);

    auto* position = named(new QGroupBox(QStringLiteral("Position"), this), "gbPosition");
    auto* positionGrid = new QGridLayout(position);
    positionGrid->setContentsMargins(6, 2, 6, 4);
    positionGrid->setVerticalSpacing(2);
    rbFromGPS = named(new QRadioButton(QStringLiteral("From GPS"), position), "rbFromGPS");
    rbManual = named(new QRadioButton(QStringLiteral("Manual"), position), "rbManual");
    rbFromGPS->setChecked(true);
    edtLatitude = named(new QLineEdit(QStringLiteral("0.0"), position), "edtLatitude");
    edtLongitude = named(new QLineEdit(QStringLiteral("0.0"), position), "edtLongitude");
    positionGrid->addWidget(rbFromGPS, 0, 0);
    positionGrid->addWidget(rbManual, 0, 1);
    positionGrid->addWidget(named(new QLabel(QStringLiteral("Latitude (deg)"), position), "lblLatitude"), 1, 0);
    positionGrid->addWidget(named(new QLabel(QStringLiteral("Longitude (deg)"), position), "lblLongitude"), 1, 1);
    positionGrid->addWidget(edtLatitude, 2, 0);
    positionGrid->addWidget(edtLongitude, 2, 1);

    auto* output = named(new QGroupBox(QStringLiteral("Output Port"), this), "gbOutput");
    auto* outputGrid = new QGridLayout(output);
    outputGrid->setContentsMargins(6, 2, 6, 4);
    outputGrid->setVerticalSpacing(2);
    chkOutputPort = named(new QCheckBox(QStringLiteral("Enable"), output), "chkOutputPort");
    boxOutputPort = named(new QComboBox(output), "boxOutputPort");
    boxOutputBaud = named(new QComboBox(output), "boxOutputBaud");
    boxOutputBaud->addItems(BaudTexts);
    boxOutputBaud->setCurrentIndex(DefaultBaudIndex);
    outputGrid->addWidget(boxOutputPort, 0, 0, 1, 3);
    outputGrid->addWidget(chkOutputPort, 1, 0);
    outputGrid->addWidget(named(new QLabel(QStringLiteral("Baud"), output), "lblOutputBaud"), 1, 1,
                          Qt::AlignRight | Qt::AlignVCenter);
    outputGrid->addWidget(boxOutputBaud, 1, 2);
    outputGrid->setColumnStretch(1, 1);

    auto* counters = new QHBoxLayout;
    lblBytesReceivedValue = named(new QLabel(QStringLiteral("0")), "lblBytesReceivedValue");
    lblBytesSentValue = named(new QLabel(QStringLiteral("0")), "lblBytesSentValue");
    for (QLabel* value : {lblBytesReceivedValue, lblBytesSentValue}) {
        // Green where it reads on the style's panel.
        skerra::showTextReadably(value, QColor(0, 128, 0));
        QFont bold = value->font();
        bold.setBold(true);
        value->setFont(bold);
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    counters->addWidget(named(new QLabel(QStringLiteral("Received:")), "lblBytesReceived"));
    counters->addWidget(lblBytesReceivedValue, 1);
    counters->addSpacing(12);
    counters->addWidget(named(new QLabel(QStringLiteral("Sent:")), "lblBytesSent"));
    counters->addWidget(lblBytesSentValue, 1);
    pbProgress = named(new QProgressBar(this), "pbProgress");
    pbProgress->setRange(0, 100);
    pbProgress->setValue(0);
    pbProgress->setTextVisible(false);
    pbProgress->setFixedHeight(10);
    lblRelayStatus = named(new QLabel(this), "lblRelayStatus");
    lblRelayStatus->setWordWrap(true);
    lblRelayStatus->hide();  // shown while corrections are dropped

    chkShowLog = named(new QCheckBox(QStringLiteral("Show Log"), this), "chkShowLog");
    chkShowLog->setChecked(true);
    memoLog = named(new QPlainTextEdit(this), "memoLog");
    memoLog->setReadOnly(true);
    memoLog->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    memoLog->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memoLog->setMinimumHeight(40);
    memoLog->setMaximumBlockCount(MaxLogLines);

    btnConnect = named(new QPushButton(QStringLiteral("Connect"), this), "btnConnect");
    Button1 = named(new QPushButton(QStringLiteral("RTCM Parsing"), this), "Button1");
    btnClose = named(new QPushButton(QStringLiteral("Close"), this), "btnClose");
    btnConnect->setMinimumWidth(btnConnect->fontMetrics().horizontalAdvance(QStringLiteral("Connecting...")) + 20);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnConnect);
    buttons->addWidget(Button1);
    buttons->addWidget(btnClose);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 4, 6, 6);
    layout->setSpacing(3);
    layout->addWidget(caster);
    layout->addWidget(position);
    layout->addWidget(output);
    layout->addLayout(counters);
    layout->addWidget(pbProgress);
    layout->addWidget(lblRelayStatus);
    layout->addWidget(chkShowLog);
    layout->addWidget(memoLog, 1);
    layout->addLayout(buttons);
    setFixedSize(320, 498);

    tmrUpdate = new QTimer(this);
    tmrUpdate->setObjectName(QStringLiteral("tmrUpdate"));
    tmrUpdate->setInterval(UpdateIntervalMs);

    connect(btnConnect, &QPushButton::clicked, this, guard([this] { btnConnectClick(); }));
    connect(btnFetchSources, &QPushButton::clicked, this, guard([this] { btnFetchSourcesClick(); }));
    connect(btnSaveProfile, &QPushButton::clicked, this, guard([this] { btnSaveProfileClick(); }));
    connect(btnClose, &QPushButton::clicked, this, guard([this] { close(); }));
    connect(Button1, &QPushButton::clicked, this, guard([this] { Button1Click(); }));
    connect(boxProfile, &QComboBox::currentIndexChanged, this, guard([this] { boxProfileChange(); }));
    connect(chkOutputPort, &QCheckBox::toggled, this, guard([this] { chkOutputPortClick(); }));
    connect(boxOutputPort, &QComboBox::currentIndexChanged, this, guard([this] { OutputSelectionChanged(); }));
    connect(boxOutputBaud, &QComboBox::currentIndexChanged, this, guard([this] { OutputSelectionChanged(); }));
    connect(chkShowLog, &QCheckBox::toggled, memoLog, &QWidget::setVisible);
    connect(rbFromGPS, &QRadioButton::toggled, this, guard([this] { UpdatePositionControls(); }));
    connect(tmrUpdate, &QTimer::timeout, this, guard([this] { tmrUpdateTimer(); }));

    QWidget* const order[] = {boxProfile, btnSaveProfile, edtServer, edtPort, edtUsername, edtPassword, boxMountpoint,
                 btnFetchSources, rbFromGPS, rbManual, edtLatitude, edtLongitude, chkOutputPort, boxOutputPort,
                 boxOutputBaud, chkShowLog, memoLog, btnConnect, Button1, btnClose};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void TfrmNTRIPSettings::FormCreate()
{
    FillOutputPorts();
    Client = new THalvekNTRIPClient(this);
    Client->OnStatus = [this](QObject*, int status, const std::string& message) { ClientStatus(status, message); };
    Client->OnData = [this](QObject*, const char* data, int length) { ClientData(data, length); };
    Client->OnSourceTable = [this](QObject*, const std::vector<std::string>& mountPoints) {
        ClientSourceTable(mountPoints);
    };
    Client->OnLog = [this](QObject*, const std::string& message) { AddLog(QString::fromStdString(message)); };
    OutputDevice = new THalvekSerialGPS(this);
    OutputDevice->setObjectName(QStringLiteral("OutputDevice"));
    OutputDevice->OnDisconnect = [this](QObject*, const QString&) { OutputPortLost(); };
    LoadProfiles();
    LoadSettings();
    AddLog(QStringLiteral("Halvek NTRIP Client initialized"));
    tmrUpdate->start();
}

void TfrmNTRIPSettings::showEvent(QShowEvent* event)
{
    Form::showEvent(event);
    skerra::guarded(this, [this] { UpdatePositionControls(); });
}

void TfrmNTRIPSettings::Button1Click()
{
    const skerra::rtcm::TRTCMReportVessel vessel{Client->Latitude, Client->Longitude, Client->Altitude,
                                                 Client->UseManualPosition};
    for (const std::string& line : TfRTCMParsing::ShowReport(Client->RecentData(), vessel, LastBaseStation))
        AddLog(QString::fromStdString(line));
}

// ---- log ---------------------------------------------------------------------------

void TfrmNTRIPSettings::AddLog(const QString& text)
{
    // A caster may answer with kilobytes on one line; the log keeps a readable part.
    const QString line = text.size() > MaxLogLineLength ? text.left(MaxLogLineLength) + QStringLiteral("...") : text;
    memoLog->appendPlainText(skerra::currentDateTime().toString(QStringLiteral("HH:mm:ss")) + QLatin1Char(' ') +
                             line);
}

// ---- hand-overs from the main window -----------------------------------------------

void TfrmNTRIPSettings::SetGPSPort(TCorrectionSink* port, const QString& portName)
{
    if (Client) {
        Client->SetSerialPortHandle(port);
        AddLog(QStringLiteral("Serial port handle connected"));
    }
    if (!portName.isEmpty()) {
        GpsPortName = portName;
        if (boxOutputPort->count() > 0) boxOutputPort->setItemText(0, portName + QStringLiteral(" This Port (GPS)"));
    }
}

void TfrmNTRIPSettings::SetVesselPosition(double latitude, double longitude, double altitude)
{
    if (rbManual->isChecked()) return;
    edtLatitude->setText(QString::fromStdString(skerra::FormatFixed(latitude, 8)));
    edtLongitude->setText(QString::fromStdString(skerra::FormatFixed(longitude, 8)));
    if (Client) Client->SetPosition(latitude, longitude, altitude);
}

// ---- settings ----------------------------------------------------------------------

void TfrmNTRIPSettings::FillOutputPorts()
{
    const QSignalBlocker block(boxOutputPort);
    boxOutputPort->clear();
    boxOutputPort->addItem(GpsPortItem);
    boxOutputPort->addItems(ListSerialPorts ? ListSerialPorts() : skerra::availableSerialPortNames());
    boxOutputPort->setCurrentIndex(0);
}

void TfrmNTRIPSettings::UpdatePositionControls()
{
    const bool manual = rbManual->isChecked();
    for (QLineEdit* edit : {edtLatitude, edtLongitude}) {
        edit->setEnabled(manual);
        edit->setReadOnly(!manual);
    }
    if (Client) Client->UseManualPosition = manual;
}

void TfrmNTRIPSettings::LoadSettings()
{
    skerra::IniFile ini(IniPath);
    edtServer->setText(ini.ReadString(Section, QStringLiteral("Server"), DefaultServer));
    edtPort->setText(ini.ReadString(Section, QStringLiteral("Port"), QStringLiteral("2101")));
    edtUsername->setText(ini.ReadString(Section, QStringLiteral("Username"), QString()));
    edtPassword->setText(ini.ReadString(Section, QStringLiteral("Password"), QString()));
    const QString mountPoint = ini.ReadString(Section, QStringLiteral("MountPoint"), QString());
    if (!mountPoint.isEmpty()) {
        boxMountpoint->addItem(mountPoint);
        boxMountpoint->setCurrentIndex(0);
    }
    if (ini.ReadBool(Section, QStringLiteral("UseManualPosition"), false))
        rbManual->setChecked(true);
    else
        rbFromGPS->setChecked(true);
    edtLatitude->setText(ini.ReadString(Section, QStringLiteral("Latitude"), QStringLiteral("0.0")));
    edtLongitude->setText(ini.ReadString(Section, QStringLiteral("Longitude"), QStringLiteral("0.0")));
    const QString outputPort = ini.ReadString(Section, QStringLiteral("OutputPort"), QString());
    if (!outputPort.isEmpty()) {
        // A port that is gone stays named, so enabling the output says it failed
        // instead of sending the corrections somewhere else.
        int index = boxOutputPort->findText(outputPort);
        if (index < 1) {
            boxOutputPort->addItem(outputPort);
            index = boxOutputPort->count() - 1;
        }
        boxOutputPort->setCurrentIndex(index);
    }
    const int baud = ini.ReadInteger(Section, QStringLiteral("OutputBaud"), DefaultBaudIndex);
    boxOutputBaud->setCurrentIndex(baud >= 0 && baud < boxOutputBaud->count() ? baud : DefaultBaudIndex);
    AutoConnect = ini.ReadBool(Section, QStringLiteral("AutoConnect"), false);
    chkOutputPort->setChecked(ini.ReadBool(Section, QStringLiteral("OutputEnabled"), false));
    UpdatePositionControls();
    if (AutoConnect && !boxMountpoint->currentText().isEmpty()) {
        AutoConnectPending = true;
        AddLog(QStringLiteral("Auto-connect enabled - will connect on startup"));
    }
}

void TfrmNTRIPSettings::SaveSettings()
{
    {
        skerra::IniFile ini(IniPath);
        skerra::IniFile::Batch batch(ini);
        ini.WriteString(Section, QStringLiteral("Server"), edtServer->text());
        ini.WriteString(Section, QStringLiteral("Port"), edtPort->text());
        ini.WriteString(Section, QStringLiteral("Username"), edtUsername->text());
        ini.WriteString(Section, QStringLiteral("Password"), edtPassword->text());
        ini.WriteString(Section, QStringLiteral("MountPoint"), boxMountpoint->currentText());
        ini.WriteBool(Section, QStringLiteral("UseManualPosition"), rbManual->isChecked());
        ini.WriteString(Section, QStringLiteral("Latitude"), edtLatitude->text());
        ini.WriteString(Section, QStringLiteral("Longitude"), edtLongitude->text());
        // The GNSS port's own item is stored as no separate port: its text changes
        // with the hand-over of the GNSS port.
        ini.WriteString(Section, QStringLiteral("OutputPort"),
                        boxOutputPort->currentIndex() > 0 ? boxOutputPort->currentText() : QString());
        ini.WriteInteger(Section, QStringLiteral("OutputBaud"), boxOutputBaud->currentIndex());
        ini.WriteBool(Section, QStringLiteral("OutputEnabled"), chkOutputPort->isChecked());
        ini.WriteBool(Section, QStringLiteral("AutoConnect"), AutoConnect);
        batch.commit();
    }
    skerra::ntrip::RestrictToOwner(IniPath);  // it holds the caster password
}

// ---- profiles ----------------------------------------------------------------------

void TfrmNTRIPSettings::LoadProfiles()
{
    const QSignalBlocker block(boxProfile);
    boxProfile->clear();
    boxProfile->addItem(QStringLiteral("<New Profile>"));
    for (const TProfileRecord& record : ReadProfiles(ProfilesPath)) boxProfile->addItem(record.Name());
    boxProfile->setCurrentIndex(boxProfile->count() > 1 ? 1 : 0);
}

void TfrmNTRIPSettings::boxProfileChange()
{
    const int index = boxProfile->currentIndex();
    if (index < 1) return;
    const auto records = ReadProfiles(ProfilesPath);
    if (index > static_cast<int>(records.size())) return;
    const QStringList& fields = records[static_cast<std::size_t>(index - 1)].Fields;
    if (fields.size() > 4) {
        edtServer->setText(fields[1]);
        edtPort->setText(fields[2]);
        edtUsername->setText(fields[3]);
        edtPassword->setText(fields[4]);
    }
    if (fields.size() > 6) {
        edtLatitude->setText(fields[5]);
        edtLongitude->setText(fields[6]);
    }
}

void TfrmNTRIPSettings::btnSaveProfileClick()
{
    const TNTRIPProfile profile{edtServer->text(),   edtPort->text(),     edtUsername->text(),
                                edtPassword->text(), edtLatitude->text(), edtLongitude->text()};
    const QString name = ProfileDisplayName(profile.Server, profile.Port, profile.Username);
    QString reason;
    if (SaveProfile(ProfilesPath, profile, &reason))
        AddLog(QStringLiteral("Profile saved: ") + name);
    else
        AddLog(QStringLiteral("Error saving profile (") + reason + QStringLiteral(")"));
    LoadProfiles();
    const QSignalBlocker block(boxProfile);
    boxProfile->setCurrentIndex(boxProfile->findText(name));
}

// ---- connecting --------------------------------------------------------------------

void TfrmNTRIPSettings::btnConnectClick()
{
    // While a connection runs, is being made or waits to be retried, the button ends it.
    if (Client->Active()) {
        AddLog(QStringLiteral("Disconnecting (manual)..."));
        AutoConnect = false;
        SaveSettings();
        Client->AutoReconnect = false;
        Client->Disconnect();
        const TStatusCaptions captions = CaptionsForStatus(ntripDisconnected);
        btnConnect->setText(captions.Button);
        setWindowTitle(captions.Window);
        btnFetchSources->setEnabled(true);
        return;
    }
    const QString mountPoint = boxMountpoint->currentText().trimmed();
    if (mountPoint.isEmpty()) {
        AddLog(QStringLiteral("Please select a mountpoint first"));
        return;
    }
    const double latitude = DegreesOrZero(edtLatitude->text());
    const double longitude = DegreesOrZero(edtLongitude->text());
    if (rbManual->isChecked() && (std::abs(latitude) > 90 || std::abs(longitude) > 180)) {
        AddLog(QStringLiteral("Invalid position"));
        return;
    }
    SaveSettings();
    const int port = CasterPort(edtPort->text());
    Client->Host = edtServer->text().trimmed().toStdString();
    Client->Port = port;
    Client->Username = edtUsername->text().toStdString();
    Client->Password = edtPassword->text().toStdString();
    Client->MountPoint = mountPoint.toStdString();
    Client->UseManualPosition = rbManual->isChecked();
    Client->Latitude = latitude;
    Client->Longitude = longitude;
    AddLog(QStringLiteral("Position: ") + edtLatitude->text() + QStringLiteral(", ") + edtLongitude->text());
    AddLog(QStringLiteral("Connecting to ") + edtServer->text() + QLatin1Char(':') + QString::number(port) +
           QLatin1Char('/') + mountPoint);
    Client->AutoReconnect = true;
    Client->ReconnectCount = 0;  // a new connection gets retries of its own
    btnFetchSources->setEnabled(false);
    Client->Connect();
    btnConnect->setText(QStringLiteral("Disconnect"));
}

void TfrmNTRIPSettings::btnFetchSourcesClick()
{
    // Asking for the table ends the running connection: never mid-survey.
    const int status = Client->Status;
    if (status == ntripConnecting || status == ntripConnected || status == ntripReceiving) return;
    Client->Host = edtServer->text().trimmed().toStdString();
    Client->Port = CasterPort(edtPort->text());
    Client->Username = edtUsername->text().toStdString();
    Client->Password = edtPassword->text().toStdString();
    AddLog(QStringLiteral("Fetching source table..."));
    btnFetchSources->setEnabled(false);
    Client->FetchSourceTable();
}

void TfrmNTRIPSettings::ClientSourceTable(const std::vector<std::string>& mountPoints)
{
    btnFetchSources->setEnabled(true);
    boxMountpoint->clear();
    for (const std::string& name : mountPoints) boxMountpoint->addItem(QString::fromStdString(name));
    if (!mountPoints.empty()) boxMountpoint->setCurrentIndex(0);
    AddLog(QStringLiteral("Found ") + QString::number(mountPoints.size()) + QStringLiteral(" mount points"));
}

void TfrmNTRIPSettings::ClientStatus(int status, const std::string&)
{
    if (status == ntripDisconnected || status == ntripError) {
        btnFetchSources->setEnabled(true);
        if (WasReceiving) {
            WasReceiving = false;
            if (!isVisible()) {
                show();
                AddLog(QStringLiteral("Connection lost - showing NTRIP settings"));
            }
        }
    } else {
        btnFetchSources->setEnabled(false);
    }
    if (status == ntripConnecting) BaseStations.Reset();
    if (status == ntripReceiving) {
        WasReceiving = true;
        if (!AutoConnect) {
            AutoConnect = true;
            SaveSettings();
            AddLog(QStringLiteral("Auto-connect enabled for next startup"));
        }
    }
    // Between attempts the button stops the retries, and the title says one is coming.
    const bool retrying = (status == ntripDisconnected || status == ntripError) && Client && Client->Active();
    const TStatusCaptions captions = CaptionsForStatus(status, retrying);
    btnConnect->setText(captions.Button);
    setWindowTitle(captions.Window);
}

void TfrmNTRIPSettings::tmrUpdateTimer()
{
    if (!Client) return;
    if (AutoConnectPending) {
        AutoConnectPending = false;
        if (!Client->Connected) {
            AddLog(QStringLiteral("Auto-reconnecting..."));
            btnConnectClick();
        }
    }
    if (WasReceiving && Client->Connected && LastDataTime.msecsTo(skerra::currentDateTime()) > NoDataLimitMs &&
        !isVisible()) {
        show();
        AddLog(QStringLiteral("No data received for 30 seconds - showing NTRIP settings"));
    }
    const long long received = Client->BytesReceived;
    lblBytesReceivedValue->setText(GroupedCount(received));
    lblBytesSentValue->setText(GroupedCount(Client->BytesSent));
    pbProgress->setValue(ProgressPosition(received));
    Client->CheckRelay();
    CheckOutputDrops();
    ShowRelayStatus();
}

// The dropping of the port that receives the corrections now.
void TfrmNTRIPSettings::ShowRelayStatus()
{
    const std::string status = OutputOpen && OutputToSeparatePort ? OutputDrops.Status() : Client->RelayStatus();
    lblRelayStatus->setText(QString::fromStdString(status));
    lblRelayStatus->setVisible(!status.empty());
}

// ---- received data -----------------------------------------------------------------

void TfrmNTRIPSettings::ClientData(const char* data, int length)
{
    LastDataTime = skerra::currentDateTime();
    if (OutputOpen && OutputToSeparatePort) WriteOutput(data, length);
    for (const auto& station : BaseStations.Push(std::string_view(data, static_cast<std::size_t>(length))))
        if (IsNewBaseStation(station, LastBaseStation)) ReportBaseStation(station);
}

void TfrmNTRIPSettings::ReportBaseStation(const skerra::rtcm::TRTCMBaseStation& station)
{
    const std::string text = skerra::rtcm::BaseStationText(station);
    AddLog(QStringLiteral("Base ") + QString::fromStdString(text));
    ReportEvent("NTRIP Base Station " + text);
    LastBaseStation = station;
}

// An entry in the day's event log, when the day's folders exist.
void TfrmNTRIPSettings::ReportEvent(const std::string& text)
{
    const std::string eventLog = TodaysEventLogPath();
    if (QFileInfo(QString::fromStdString(eventLog)).dir().exists()) AppendAutoEvent(text, eventLog);
}

// ---- output port -------------------------------------------------------------------

void TfrmNTRIPSettings::chkOutputPortClick()
{
    if (chkOutputPort->isChecked())
        OpenOutputPort();
    else
        CloseOutputPort();
    SaveSettings();
}

void TfrmNTRIPSettings::OutputSelectionChanged()
{
    if (OutputOpen && chkOutputPort->isChecked()) OpenOutputPort();
}

void TfrmNTRIPSettings::OpenOutputPort()
{
    if (OutputOpen) CloseOutputPort();
    const int index = boxOutputPort->currentIndex();
    if (index < 0) {
        AddLog(QStringLiteral("No output port selected"));
        chkOutputPort->setChecked(false);
        return;
    }
    if (index == 0) {
        OutputToSeparatePort = false;
        OutputOpen = true;
        Client->RelayToSerial = true;
        AddLog(QStringLiteral("Output enabled: Using GPS input port"));
        return;
    }
    Client->RelayToSerial = false;
    const QString name = boxOutputPort->currentText();
    const int baudIndex = boxOutputBaud->currentIndex();
    const QString baud = BaudTexts.value(baudIndex >= 0 && baudIndex < BaudTexts.size() ? baudIndex : 5);
    OutputDevice->Port = name;
    OutputDevice->BaudRate = baud.toInt();
    OutputDevice->DataBits = 4;
    OutputDevice->StopBits = 1;
    OutputDevice->Parity = 0;
    OutputDevice->EnableDTR = true;
    OutputDevice->EnableRTS = true;
    OutputDevice->Open();
    if (!OutputDevice->Connected()) {
        AddLog(QStringLiteral("Failed to open output port: ") + name);
        Client->RelayToSerial = true;
        chkOutputPort->setChecked(false);
        return;
    }
    OutputToSeparatePort = true;
    OutputOpen = true;
    OutputDrops.Start(OutputDevice->CorrectionCounts());
    AddLog(QStringLiteral("Output port opened: ") + name + QStringLiteral(" @ ") + baud);
}

void TfrmNTRIPSettings::CloseOutputPort()
{
    OutputOpen = false;
    OutputToSeparatePort = false;
    if (Client) Client->RelayToSerial = true;
    if (OutputDevice && OutputDevice->Connected()) {
        OutputDevice->Close();
        AddLog(QStringLiteral("Output port closed"));
    }
}

// The separate output port closed without being asked to (unplugged, gone).
void TfrmNTRIPSettings::OutputPortLost()
{
    if (!OutputOpen || !OutputToSeparatePort) return;  // closed on purpose
    OutputOpen = false;
    OutputToSeparatePort = false;
    if (Client) Client->RelayToSerial = true;
    const QString reason = OutputDevice->LastError();
    const QString text = QStringLiteral("NTRIP output port lost: ") + OutputDevice->PortName() +
                         (reason.isEmpty() ? QString() : QStringLiteral(" (") + reason + QLatin1Char(')')) +
                         QStringLiteral(" - corrections go to the GPS port");
    AddLog(text);
    ReportEvent(text.toStdString());
    emit StatusLineRequested(text, true);
    chkOutputPort->setChecked(false);
}

void TfrmNTRIPSettings::WriteOutput(const char* data, int length)
{
    if (!OutputDevice->Connected()) return;
    OutputDevice->WriteRaw(QByteArray(data, length));
    CheckOutputDrops();
}

void TfrmNTRIPSettings::CheckOutputDrops()
{
    if (!OutputOpen || !OutputToSeparatePort) return;
    const std::string line =
        OutputDrops.Update(OutputDevice->CorrectionCounts(), skerra::currentDateTime().toMSecsSinceEpoch());
    if (line.empty()) return;
    AddLog(QString::fromStdString(line));
    ShowRelayStatus();
}
