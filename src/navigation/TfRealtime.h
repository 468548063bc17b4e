#pragma once
// The "Realtime Data" window: fix type, speed, satellites, antenna and tide heights
// and the two depths, written by the survey loop; its tool bar switches the main
// window between the normal and the compact (chart only) layout, zooms the chart,
// opens the day's folder and shows the offsets window.

#include "platform/Colour.h"
#include "platform/Form.h"

class QGroupBox;
class QLabel;
class QTimer;
class QToolButton;

class TfRealtime : public skerra::FormOf<TfRealtime> {
    Q_OBJECT
public:
    explicit TfRealtime(QWidget* parent = nullptr);

    // Client heights: numbers only, with the high-frequency depth, with both depths.
    static constexpr int kClientWidth = 192;
    static constexpr int kHeightWithoutDepths = 191;
    static constexpr int kHeightHighDepth = 289;
    static constexpr int kHeightBothDepths = 387;

    QToolButton *btHide, *ToolButton2, *ToolButton3, *btOpenLogFolder, *btShowOffsets;
    QGroupBox* GPSGroupBox;
    QLabel *Fixed, *Speed, *SatelliteLabel, *LAntennaH, *LTideHt;
    QGroupBox *DepthFrameHi, *DepthFrameLo;
    QLabel *lDepthHi, *lDepthLo;
    QTimer* Timer1;

    // The layout state read by the main window: 0 normal, 1 compact.
    int CompactState() const { return compact_ ? 1 : 0; }
    // The main window brought the normal layout back itself (a double click on the
    // chart's position box): the switch reads normal again, this window stays hidden.
    void SetCompactState(int state) { compact_ = state == 1; }

    void ShowLowFrequencyDepth();
    void HideLowFrequencyDepth();
    // Shows or hides both depth frames; the window's height follows.
    void ShowDepthFrames(bool high, bool low);
    void ShrinkToNumbers();

    void SetGroupColour(QGroupBox* box, TColor colour);

    void FormShow();
    void btHideClick();
    void ToolButton2Click();
    void ToolButton3Click();
    void btOpenLogFolderClick();
    void btShowOffsetsClick();

signals:
    // The 10 s start-up step: apply the loaded message type's low-frequency frame.
    void StartupTypeRequested();

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QToolButton* NewToolButton(const char* name, const QString& hint, const char* icon);
    QLabel* AddNumberRow(QWidget* box, int row, const QString& caption, const char* name);
    QGroupBox* NewDepthFrame(const char* name, const QString& caption, TColor colour, int top, const char* label,
                             QLabel*& value);
    void SetClientHeight(int height);

    bool compact_ = false;
    bool restyling_ = false;  // the status boxes take the new style's colours
};

// The folder the open-log-folder command opens: the parent of the GNSS raw log's
// folder (or of the log folder when no raw log is set), else that folder itself.
QString LogFolderTarget(const QString& gnssRawLogName, const QString& logFolder);

extern TfRealtime* fRealtime;
