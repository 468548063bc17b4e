#pragma once
// The "Halvek NTRIP Client" window. It owns the program's one NTRIP client and keeps
// working while hidden: caster settings and stored profiles, the mount points, the
// position sent to the caster, connect and disconnect, an optional separate output
// port for the corrections, counters and a log. It connects by itself at start-up
// after a run that received corrections, shows itself when the stream is lost or
// silent, and reports the stream's reference station in its log and the event log.
// A separate output port that goes away is reported (log, message window, event log)
// and the corrections go to the GNSS port again. While the port that receives the
// corrections drops some to keep them fresh, the log says how many once a minute and a
// status line under the counters shows a short figure.

#include "devices/ntrip/CorrectionDropReport.h"
#include "devices/rtcm/RTCM3BaseStation.h"
#include "platform/Form.h"

#include <QDateTime>
#include <QStringList>

#include <functional>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTimer;
class THalvekNTRIPClient;
class THalvekSerialGPS;
class TCorrectionSink;

class TfrmNTRIPSettings : public skerra::FormOf<TfrmNTRIPSettings> {
    Q_OBJECT
public:
    explicit TfrmNTRIPSettings(QWidget* parent = nullptr);
    ~TfrmNTRIPSettings() override;

    // Controls.
    QComboBox* boxProfile = nullptr;
    QPushButton* btnSaveProfile = nullptr;
    QLineEdit* edtServer = nullptr;
    QLineEdit* edtPort = nullptr;
    QLineEdit* edtUsername = nullptr;
    QLineEdit* edtPassword = nullptr;
    QRadioButton* rbFromGPS = nullptr;
    QRadioButton* rbManual = nullptr;
    QLineEdit* edtLatitude = nullptr;
    QLineEdit* edtLongitude = nullptr;
    QComboBox* boxMountpoint = nullptr;
    QPushButton* btnFetchSources = nullptr;
    QCheckBox* chkShowLog = nullptr;
    QProgressBar* pbProgress = nullptr;
    QPlainTextEdit* memoLog = nullptr;
    QCheckBox* chkOutputPort = nullptr;
    QComboBox* boxOutputPort = nullptr;
    QComboBox* boxOutputBaud = nullptr;
    QLabel* lblBytesReceivedValue = nullptr;
    QLabel* lblBytesSentValue = nullptr;
    QLabel* lblRelayStatus = nullptr;  // how many corrections the line drops, while it drops them
    QPushButton* btnConnect = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* btnClose = nullptr;
    QTimer* tmrUpdate = nullptr;

    THalvekNTRIPClient* Client = nullptr;
    QString IniPath;
    QString ProfilesPath;
    THalvekSerialGPS* OutputDevice = nullptr;  // the separate output port
    bool OutputOpen = false;          // output enabled: a separate port open, or item 0
    bool OutputToSeparatePort = false;  // what the last open chose; the write target
    QString GpsPortName;
    bool AutoConnectPending = false;
    bool WasReceiving = false;
    bool AutoConnect = false;
    QDateTime LastDataTime;
    skerra::rtcm::TRTCMBaseStation LastBaseStation;

    // The serial ports the output list offers; tests replace it. Empty: the system's.
    static inline std::function<QStringList()> ListSerialPorts;

    // The GNSS port that receives the corrections, handed over by the main window.
    // The sink follows the device, so it stays right across realtime stop and start.
    void SetGPSPort(TCorrectionSink* port, const QString& portName);
    // The position sent to the caster in the GGA sentence (degrees, metres).
    void SetVesselPosition(double latitude, double longitude, double altitude);

    void AddLog(const QString& text);
    void LoadSettings();
    void SaveSettings();
    void LoadProfiles();
    void FillOutputPorts();
    void UpdatePositionControls();
    void OpenOutputPort();
    void CloseOutputPort();

    // Handlers, public so tests drive them as the user and the timer would.
    void btnConnectClick();
    void btnFetchSourcesClick();
    void btnSaveProfileClick();
    void boxProfileChange();
    void chkOutputPortClick();
    void Button1Click();   // the RTCM report of the recent stream
    void tmrUpdateTimer();
    void ClientStatus(int status, const std::string& message);
    void ClientData(const char* data, int length);
    void ClientSourceTable(const std::vector<std::string>& mountPoints);

signals:
    // A line for the program's message window (`show`: bring the window up).
    void StatusLineRequested(const QString& text, bool show);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void BuildForm();
    void FormCreate();
    void WriteOutput(const char* data, int length);
    void ReportBaseStation(const skerra::rtcm::TRTCMBaseStation& station);
    void OutputSelectionChanged();
    void OutputPortLost();
    void ReportEvent(const std::string& text);
    void CheckOutputDrops();
    void ShowRelayStatus();

    skerra::rtcm::TRTCM3BaseStationFinder BaseStations;
    skerra::ntrip::TCorrectionDropReport OutputDrops{"Output port"};
};

extern TfrmNTRIPSettings* frmNTRIPSettings;
