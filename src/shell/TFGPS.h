#pragma once
// The "Settings" window: the serial ports of the GNSS receiver and the echo sounder,
// the echo sounder's message type and scan format, the gyro and sensor switches, the
// datum and projection parameters and the chart's display settings, with a monitor of
// both ports. The controls are the settings: they are written to the settings file
// only when the lock box is checked, which also locks the four settings tabs.

#include "platform/Colour.h"
#include "platform/Form.h"
#include "shell/SettingsTable.h"
#include "shell/SurveySettingsValues.h"

#include <QPointer>
#include <QString>

#include <map>
#include <string>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTimer;
class QWidget;
class THalvekCanvasCore;
class THalvekSerialGPS;

namespace skerra {
class ColourPicker;
struct PortTabTexts;
}

class TFGPS : public skerra::FormOf<TFGPS> {
    Q_OBJECT
public:
    explicit TFGPS(QWidget* parent = nullptr);

    // The main window's serial devices (GNSS receiver, echo sounder), its chart and its
    // screenshot timer. Each may stay null; the window then leaves that part alone.
    // SetCanvas gives the chart the grid of the display settings at once.
    void SetDevices(THalvekSerialGPS* gnss, THalvekSerialGPS* sensor);
    void SetCanvas(THalvekCanvasCore* canvas);
    void SetScreenshotTimer(QTimer* timer);

    // "GPS Set" / "SBES Set": the port tab into the device. Every row converts on its
    // own; a row that does not keeps the device's value and is reported (event log and
    // message window, and a message box when the user clicked). False when a row failed
    // or there is no device. Applied at a start without the sounder, "SBES Set"
    // reports nothing: that port is not used.
    bool GPSSetApply(bool userClicked);
    bool SensorSetApply(bool userClicked);
    // The same at a Realtime start, which reports for itself: the port tab (the GPS
    // tab or the sounder's) into its device, and the rows that kept the device's
    // value, in short ("Port No", "Baud Rate '56000'"). Reports nothing.
    QStringList PortSetAtStart(bool gnss);

    // What the survey loop reads.
    GridSettingsTexts GridTexts() const;
    SensorSettingsValues SensorValues() const;

    // The port monitor: lines received from the ports, shown while the window is
    // visible and EchoSentences is set. A memo that passes 100 lines starts afresh.
    void AddGpsMonitorLine(const QString& line);
    void AddSensorMonitorLine(const QString& line);
    // Cleared while a mouse button is held in a monitor memo (so text can be selected),
    // set again on release and whenever the window hides.
    bool EchoSentences = true;

    // The message-type list changed: proposes the type's scan format and shows or hides
    // the realtime window's low-frequency depth frame.
    void cSBESMessageChange();
    // The start-up check of the stored type: only the frame; the stored format stays.
    void cSBESMessageStartup();

    // Every control value by control name, as the settings table stores them.
    skerra::FormValues Values() const;

    // Tab GPS Settings.
    QComboBox *Port, *BaudRate, *DataWidth, *StopBits, *Parity, *Priority, *Delay, *NMEALog, *LogTime,
        *EnableDTR, *EnableRTS;
    QPushButton* GPSSet;
    QCheckBox* GyroEnabled;
    // Tab Sensor (SBES) Settings.
    QComboBox *SPort, *SBaudRate, *SDataWidth, *SStopBits, *SParity, *SPriority, *SDelay, *SNMEALog, *SLogTime,
        *SEnableDTR, *SEnableRTS;
    QPushButton* SensorSet;
    QCheckBox* SensorEnabled;
    QComboBox* cSBESMessage;
    QLineEdit* eSBESFormat;
    // Tab Godetic Parameters.
    QLineEdit *edSMA, *edIF, *edRX, *edRY, *edRZ, *edSX, *edSY, *edSZ, *edPPM, *edNameOfDatum;
    QCheckBox* cbUseDTP;
    QLineEdit *edCM, *edRL, *edSF, *edFE, *edFN;
    QCheckBox* cbUseTMProjection;
    QLineEdit *eLCCSP1, *eLCCSP2, *eLCCCP, *eLCCM, *eLCCSF, *eLCCFE, *eLCCFN;
    QCheckBox *cbUseLCCProjection, *cLambert1;
    // Tab Global Setting.
    QCheckBox *cbGridVisible, *cbAutoGrid;
    QLineEdit *edGridSpacingX, *edGridSpacingY;
    skerra::ColourPicker* cbGridColor;
    QCheckBox* cbShowDepthLabels;
    QLineEdit *edDepthLabelSpacing, *edDepthLabelFontName, *edDepthLabelFontSize;
    skerra::ColourPicker* cbTextColor;
    QLineEdit* edEventLabelFontSize;
    skerra::ColourPicker* cbEventLabelColor;
    QLineEdit* eScreenshotInterval;
    QLineEdit* edOverlayFontSize;
    skerra::ColourPicker *cbOverlayDepthColor, *cbOverlaySpeedColor;
    // Tab I/O Port Monitor.
    QPlainTextEdit *MemoGPS, *MemoSensor;
    // The tabs, the lock box and the close button.
    QTabWidget* SettingTabs;
    QWidget *GPSTabSheet, *SensorTabSheet, *ParametersTabSheet, *tGlobalSetting, *TabSheet1;
    QCheckBox* LockStateCheck1;
    QPushButton* BitBtn2;

signals:
    // Show (true) or hide (false) the realtime window's low-frequency depth frame.
    void LowFrequencyDepthRequested(bool show);
    // A status line for the message window; `show` asks for the window to appear.
    void StatusLineRequested(const QString& text, bool show);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void FormShow();
    void FormCloseQuery();

    void BuildWindow();
    QWidget* BuildPortTab(const QString& groupTitle, const QString& prefix, QComboBox** lists[11], QPushButton* set,
                          QWidget* extra);
    QWidget* BuildGpsTab();
    QWidget* BuildSensorTab();
    QWidget* BuildParametersTab();
    QWidget* BuildGlobalTab();
    QWidget* BuildMonitorTab();
    void ConnectHandlers();
    template <class T> T* Named(T* control, const char* name);

    void SetSettingsTabsEnabled(bool enabled);
    void PushGrid();
    void InvalidateCanvas();

    bool PortSetApply(THalvekSerialGPS* device, const skerra::PortTabTexts& texts, const char* button,
                      const char* logSuffix, bool userClicked, bool report);
    void ReportPortSet(const QStringList& lines, bool userClicked);
    void AddMonitorLine(QPlainTextEdit* memo, const QString& line);

    void cbUseTMProjectionClick();
    void cbUseLCCProjectionClick();
    void cLambert1Click();
    void MemoChange(QPlainTextEdit* memo);
    void LockStateCheck1Click();
    void cbGridVisibleClick();
    void cbGridColorChange();
    void cbAutoGridClick();
    void cbShowDepthLabelsClick();
    void edEventLabelFontSizeChange(QObject* sender);
    void cbEventLabelColorChange();
    void edOverlayFontSizeChange();
    void cbOverlayDepthColorChange();
    void cbOverlaySpeedColorChange();

    std::map<std::string, QWidget*> controls_;
    QPointer<THalvekSerialGPS> gnss_, sensor_;
    QPointer<QTimer> screenshotTimer_;
    THalvekCanvasCore* canvas_ = nullptr;
};

extern TFGPS* FGPS;
