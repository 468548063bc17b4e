#pragma once
// The "Runline Generator" window: the user draws a route on the chart, and survey lines
// perpendicular or parallel to it are laid out on the chart's runlines layer. Every
// change of the spacing, the length or the line type lays them out again.

#include "RunlineGeometry.h"
#include "platform/Colour.h"
#include "platform/Form.h"

#include <utility>
#include <vector>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class TfRunline1 : public skerra::FormOf<TfRunline1> {
    Q_OBJECT
public:
    explicit TfRunline1(QWidget* parent = nullptr);

    static constexpr int kClientWidth = 320;
    static constexpr int kClientHeight = 280;

    QLabel* lRouteStatus = nullptr;
    QPushButton* bDrawRoute = nullptr;
    QLineEdit* eSpacing = nullptr;
    QLineEdit* eLength = nullptr;
    QRadioButton* rbPerpendicular = nullptr;
    QRadioButton* rbParallel = nullptr;
    QPushButton* bGenerate = nullptr;
    QPushButton* bClear = nullptr;
    QPushButton* bClose = nullptr;

    // The route in drawing order (easting, northing); ready with 2 points or more.
    RunlinePolyline Route;
    int RunlinesLayerId = -1;  // -1 until the first generation
    bool RouteReady = false;

    // A route finished on the chart.
    void SetRoute(const std::vector<std::pair<double, double>>& points);
    // Lays the lines out again from Route and the controls.
    void GenerateRunlines();
    void ClearRunlines();

    void FormCreate();
    void FormShow();
    void bDrawRouteClick();
    void bGenerateClick();
    void bClearClick();
    void eSpacingChange();
    void eLengthChange();
    void rbPerpendicularClick();
    void rbParallelClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void BuildControls();
    void ShowStatus(const QString& text, TColor colour);
    void ShowNoRoute();
    void ShowRouteTaken();
    void Regenerate();
};

extern TfRunline1* fRunline1;
