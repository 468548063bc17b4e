#pragma once
// The "Navigation Settings" window: the vessel symbol's pen, the track lines, the
// chart background, the shallow-water alert and the map timer's update rate.
//
// The controls are the values: the survey loop reads them through DisplayValues()
// at every use. Number edits take numbers only; a text that is not (yet) a number
// leaves the value in force. Everything but the update rate is kept in the settings
// file (section NAVIGATION_SETTINGS), loaded at every show and stored at every close.

#include "SurveySettingsValues.h"
#include "LastGoodNumber.h"
#include "platform/Form.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QTimer;
class THalvekCanvasCore;

namespace skerra {
class ColourPicker;
}

class TNavset : public skerra::FormOf<TNavset> {
    Q_OBJECT
public:
    explicit TNavset(QWidget* parent = nullptr);

    // The values the survey loop reads.
    NavigationDisplayValues DisplayValues() const;

    // The chart that the changes reach at once, and the map timer that the update rate
    // drives; the edit then shows the timer's interval. Null: nothing is pushed.
    void SetCanvas(THalvekCanvasCore* canvas);
    void SetMapTimer(QTimer* timer);

    QGroupBox* GroupBox1 = nullptr;  // " Vessel Color && Width"
    QGroupBox* GroupBox2 = nullptr;  // "Background Color"
    QGroupBox* GroupBox3 = nullptr;  // " Track Lines (Fixed/Float)"
    QGroupBox* GroupBox4 = nullptr;  // "Alert"
    skerra::ColourPicker* VesselColor = nullptr;
    QLineEdit* VesselWidth = nullptr;
    QLineEdit* eVesselUpdateRate = nullptr;
    skerra::ColourPicker* fcadColor = nullptr;
    skerra::ColourPicker* ColorTracklines1 = nullptr;
    skerra::ColourPicker* ColorTracklines0 = nullptr;
    QCheckBox* cLineOrDot = nullptr;
    QLineEdit* TrackWidth = nullptr;
    QLineEdit* TrackDistance = nullptr;
    QLineEdit* edDepthAlert1 = nullptr;

    void FormShow();
    void FormCloseQuery();
    void FormHide();
    void fcadColorChange();
    void VesselColorChange();
    void VesselWidthChange();
    void TrackWidthChange();
    void TrackDistanceChange();
    void edDepthAlert1Change();
    void eVesselUpdateRateChange();

signals:
    // A line for the message window (a stored value that had to be changed).
    void StatusLineRequested(const QString& text, bool show);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateControls();
    void ConnectHandlers();
    void ShowValues(const NavigationDisplayValues& values);
    // Each problem once a run: to the day's event log and the message window.
    void ReportOnce(const QStringList& problems);
    // The pen width of a chart layer found by its exact name, when it exists.
    void SetLayerWidth(const char* layer, int width);
    void RepaintChart();

    THalvekCanvasCore* canvas_ = nullptr;
    QTimer* mapTimer_ = nullptr;
    QStringList reported_;
    skerra::LastGoodNumber vesselWidth_{skerra::LastGoodNumber::Kind::WholeNumber, "2"};
    skerra::LastGoodNumber trackWidth_{skerra::LastGoodNumber::Kind::WholeNumber, "2"};
    skerra::LastGoodNumber trackDistance_{skerra::LastGoodNumber::Kind::Real, "20"};
    skerra::LastGoodNumber depthAlert_{skerra::LastGoodNumber::Kind::Real, "0.5"};
};

extern TNavset* Navset;
