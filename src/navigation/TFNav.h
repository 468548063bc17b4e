#pragma once
// The main window: the chart, the survey loop's controls and the menus.

#include "platform/Form.h"

#include <memory>
#include <string>

class CanvasStatusSource;
class SerialCorrectionSink;
class THalvekCanvas;
class THalvekSerialGPS;

class TFNav : public skerra::FormOf<TFNav> {
    Q_OBJECT
public:
    explicit TFNav(QWidget* parent = nullptr);
    ~TFNav() override;

    void FormCreate();
    void FormShow();

    // The chart, filling the window.
    THalvekCanvas* fcad = nullptr;
    // The position box's status line (empty: no box) and the last GGA fix quality,
    // rebuilt by the map timer.
    std::string GGAOverlayText;
    int LastFixQuality = 0;

    // The GNSS receiver and the echo sounder.
    THalvekSerialGPS* ZGPS1 = nullptr;
    THalvekSerialGPS* ZSENSOR = nullptr;

    void ZGPS1Connect(QObject* sender, const QString& port);
    void ZGPS1Disconnect(QObject* sender, const QString& port);
    void ZGPS1Idle(QObject* sender);
    void ZGPS1Timeout(QObject* sender);
    void ZGPS1Send(QObject* sender, const std::string& text);
    void ZGPS1NewCommand(QObject* sender, const std::string& line);
    void ZGPS1Position3DChange(QObject* sender, double latitude, double longitude, double altitude);
    void ZGPS1SpeedChange(QObject* sender, double speedKmh);
    void ZSENSORNewCommand(QObject* sender, const std::string& line);

    // Shows the NTRIP window and, while the GNSS port is open, hands it that port
    // for the corrections and the receiver's position for the caster.
    void HalvekNTRIPClient1Click();

    // The chart's events.
    void fcadShapeNumberSelected(QObject* sender, short shapeType, long shapeNumber);
    void fcadWorldMouseMove(QObject* sender, short shift, double x, double y, double magnitude, double angle);
    void fcadWorldMouseDown(QObject* sender, short button, short shift, short action, double x, double y);
    void fcadDrawBegin(QObject* sender, short shapeType, double x, double y);
    void fcadDrawEnd(QObject* sender, short shapeType, double x, double y);
    void fcadDblClick(QObject* sender);

    // Chart commands of the tool bars: drawing modes and zoom.
    void ToolButton10Click();  // point
    void ToolButton9Click();   // line
    void ToolButton16Click();  // rectangle
    void ToolButton14Click();  // polyline
    void ToolButton19Click();  // ellipse by two corners
    void ToolButton15Click();  // polygon
    void ToolButton17Click();  // spline
    void ToolButton20Click();  // three-point arc
    void ToolButton18Click();  // circle
    void ZoomwindowClick();
    void ZoomdynamicClick();
    void ZoominClick();
    void ZoomoutClick();
    void ZoomextentsClick();

    // Closing steps: ports closed, tool windows' placement and the chart's view saved.
    void FormCloseQuery();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateChart();
    void CreateChartToolBars(class QToolBar* top, class QToolBar* shapes);
    void SetCadMode(int mode);
    void CreateSerialDevices();
    void LoadChartView();
    void SaveChartView();
    // A port or sensor state: kept as the last status and written to the event log.
    void ReportPortStatus(const QString& text);

    bool shown_ = false;
    std::unique_ptr<SerialCorrectionSink> gpsCorrectionSink_;
    std::unique_ptr<CanvasStatusSource> chartStatus_;
};

extern TFNav* FNav;
