// The main window's chart commands: drawing modes, following the vessel, clearing
// tracks and user shapes, polygon selection and deletion, the keys the window sees
// before the chart, the distance measure and clicked point, the position box's double
// click and what a finished drawing is handed to.

#include "navigation/TFNav.h"

#include "DrawEndRouting.h"
#include "NavLayers.h"
#include "PlanMeasure.h"
#include "TfRealtime.h"
#include "TfRunline1.h"
#include "TfWaterfal.h"
#include "canvas/widget/THalvekCanvas.h"
#include "navigation/survey/SurveyEngine.h"
#include "platform/AboveToolWindows.h"
#include "platform/HandlerGuard.h"
#include "platform/MessageBox.h"
#include "platform/NumberText.h"
#include "shell/FormPlacement.h"
#include "shell/SharedHeader.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QLabel>
#include <QPointF>
#include <QToolButton>

#include <numbers>

namespace {

constexpr int kEscape = 27, kDelete = 46, kF2 = 113, kF3 = 114;
constexpr int kRightButton = 2;

const QString SelectPolyLayer = QStringLiteral("Halvek_SelectPoly");

int virtualKey(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_Escape: return kEscape;
    case Qt::Key_Delete: return kDelete;
    case Qt::Key_F2: return kF2;
    case Qt::Key_F3: return kF3;
    default: return 0;
    }
}

int shiftCode(Qt::KeyboardModifiers modifiers)
{
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
           (modifiers & Qt::AltModifier ? 4 : 0);
}

// The window's key preview: a key pressed anywhere in the main window reaches
// FormKeyDown once, before the control with the focus (the chart, say) sees it. Keys
// go first to the focus widget, or to the window when no control has the focus; a key
// the control leaves unused then travels on to its parents, which is not a new key.
class KeyPreview : public QObject {
public:
    explicit KeyPreview(TFNav* nav) : QObject(nav), nav_(nav) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress || watched != firstReceiver()) return false;
        auto* keyEvent = static_cast<QKeyEvent*>(event);
        int key = virtualKey(keyEvent->key());
        if (key == 0) return false;
        skerra::guarded(nav_, [&] { nav_->FormKeyDown(nav_, key, shiftCode(keyEvent->modifiers())); });
        return key == 0;
    }

private:
    QObject* firstReceiver() const
    {
        QWidget* focus = QApplication::focusWidget();
        return focus && focus->window() == nav_ ? static_cast<QObject*>(focus) : nav_;
    }

    TFNav* nav_;
};

std::vector<QPointF> polygonOf(const std::vector<std::pair<double, double>>& points)
{
    std::vector<QPointF> polygon;
    polygon.reserve(points.size());
    for (const auto& [x, y] : points) polygon.emplace_back(x, y);
    return polygon;
}

bool routeShape(int type) { return type == 3 || type == 5 || type == 6; }

}  // namespace

void TFNav::InstallKeyPreview() { qApp->installEventFilter(new KeyPreview(this)); }

bool TFNav::Confirmed(const QString& question)
{
    skerra::MessageRequest request;
    request.kind = skerra::MessageKind::Warning;
    request.text = question;
    request.buttons = skerra::MbYes | skerra::MbNo;
    request.defaultButton = skerra::MbNo;
    request.parent = this;
    return skerra::showMessage(request) == skerra::MbYes;
}

// ---- Drawing modes ----

void TFNav::SetDrawingMode(int mode)
{
    fcad->CadMode = mode;
    fcad->CurrentLayer = UserShapeLayerId;
}

// ---- Following the vessel ----

void TFNav::bFollowVesselClick() { Survey().SetFollowVessel(true); }
void TFNav::ToolButton13Click() { Survey().SetFollowVessel(false); }

// ---- Clearing ----

// A cleared track cannot be brought back: the operator confirms first, and the event
// log records what went.
void TFNav::ClearTrackLayer(const char* layerName, const char* question, const char* logText)
{
    if (!Confirmed(QString::fromLatin1(question))) return;
    const int layer = fcad->LayerFindByName(QString::fromLatin1(layerName));
    if (layer < 0) return;
    fcad->CadClearShapes(layer);
    fcad->Update();
    AppendAutoEvent(logText, TodaysEventLogPath());
}

void TFNav::tbFixedClick()
{
    ClearTrackLayer("track_fix", "Fixed tracking points to be cleared. Continue?", "Cleared Fixed tracklines");
}

void TFNav::tbFloatClick()
{
    ClearTrackLayer("track_float", "Float/DGPS tracking points to be cleared. Continue?",
                    "Cleared Float/DGPS tracklines");
}

void TFNav::tbAutoClick()
{
    ClearTrackLayer("track_nofix", "Autonomous tracking points to be cleared. Continue?", "Cleared NoFix tracklines");
}

void TFNav::ToolButton11Click()
{
    if (!Confirmed(QStringLiteral("User added shapes to be deleted! Continue?"))) return;
    if (UserShapeLayerId < 0) return;
    fcad->CadClearShapes(UserShapeLayerId);
    fcad->Update();
}

// ---- Selection and deletion ----

// Each selection command disarms the other: the next polygon selects what this one asks for.
void TFNav::ArmSelection(bool tracks)
{
    SelectTracksMode = tracks;
    SelectShapesMode = !tracks;
    int layer = fcad->LayerFindByName(SelectPolyLayer);
    if (layer >= 0)
        fcad->CadClearShapes(layer);
    else
        layer = fcad->LayerOpen(SelectPolyLayer);
    fcad->CurrentLayer = layer;
    fcad->CadMode = 6;
    fcad->CadModeKeep = false;
    ShowStatusPanelText(PromptPanel, tracks ? QStringLiteral("Draw polygon to select tracks (right-click to finish)")
                                  : QStringLiteral("Draw polygon to select shapes (right-click to finish)"));
}

void TFNav::bMouseSelectClick() { ArmSelection(false); }
void TFNav::bSelectTracksClick() { ArmSelection(true); }

// The Delete key and both delete commands remove whatever is selected.
void TFNav::DeleteSelection()
{
    if (fcad->SelectedShapeCount() <= 0) return;
    fcad->CadClearSelectedShapes();
    fcad->NeedsRedraw = true;
    fcad->Refresh();
}

void TFNav::bDelSelectedClick() { DeleteSelection(); }
void TFNav::Deletetracksselected1Click() { DeleteSelection(); }

// ---- Keys ----

void TFNav::FormKeyDown(QObject*, int& key, int)
{
    switch (key) {
    case kEscape:
        if (fRealtime && fRealtime->CompactState() == 1) fRealtime->btHide->click();
        for (bool* mode : {&SelectTracksMode, &SelectShapesMode}) {
            if (!*mode) continue;
            *mode = false;
            fcad->ClearSelection();
            fcad->Refresh();
            ShowStatusPanelText(PromptPanel, QString());
        }
        break;  // the chart still cancels its drawing
    case kF2: fcad->ToggleDepthSpeedDisplayMode(); break;
    case kF3: fcad->ToggleGGAOverlayPosition(); break;
    case kDelete:
        bDelSelectedClick();
        key = 0;
        break;
    default: break;
    }
}

// ---- Measure and clicked point ----

void TFNav::ToggleMeasure(double x, double y)
{
    if (MeasureActive) {
        MeasureActive = false;
        fcad->EndDistanceMeasure();
        MeasureStartX = MeasureStartY = 0;
    } else {
        MeasureActive = true;
        MeasureStartX = x;
        MeasureStartY = y;
        fcad->StartDistanceMeasure(x, y);
    }
}

void TFNav::ShowClickedPoint(double x, double y)
{
    ShowStatusPanelText(2, QStringLiteral("Clicked: E") + QString::fromStdString(skerra::FormatFixed(x, 2)) +
                               QStringLiteral(", N") + QString::fromStdString(skerra::FormatFixed(y, 2)));
}

void TFNav::fcadShapeNumberSelected(QObject*, short, long) {}

void TFNav::fcadWorldMouseDown(QObject*, short button, short, short, double x, double y)
{
    if (button == kRightButton)
        ToggleMeasure(x, y);
    else
        ShowClickedPoint(x, y);
}

void TFNav::fcadWorldMouseMove(QObject*, short, double x, double y, double, double)
{
    if (!MeasureActive || MeasureStartX == 0 || MeasureStartY == 0) return;
    const double distance = PlanDistance(MeasureStartX, MeasureStartY, x, y);
    const double azimuth = PlanAzimuth(MeasureStartX, MeasureStartY, x, y) * 180.0 / std::numbers::pi;
    fcad->UpdateDistanceMeasure(x, y, distance, azimuth);
}

// ---- Drawing on the chart ----

// Shapes the user draws go to their own layer. The map timer keeps running: the
// soundings logged meanwhile need the moving position.
void TFNav::fcadDrawBegin(QObject*, short, double, double) { fcad->CurrentLayer = UserShapeLayerId; }

void TFNav::fcadDrawEnd(QObject*, short shapeType, double, double)
{
    fcad->CadModeKeep = false;
    DrawEndContext context;
    context.selectTracksMode = SelectTracksMode;
    context.selectShapesMode = SelectShapesMode;
    context.shapeType = shapeType;
    context.runlineWindowVisible = fRunline1 && fRunline1->isVisible();
    // Only a polygon with a mode armed, or a route shape while the runline window is
    // shown, reads the newest polyline.
    std::vector<std::pair<double, double>> points;
    if (routeShape(shapeType) && (SelectTracksMode || SelectShapesMode || context.runlineWindowVisible))
        points = fcad->GetLastPolylinePoints();
    context.routeVertexCount = int(points.size());

    const DrawEndAction action = RouteDrawEnd(context);
    if (action == DrawEndAction::SelectTracks || action == DrawEndAction::SelectShapes) {
        try {
            SelectWithPolygon(int(action), points);
        } catch (...) {
            fcad->ClearDrawingState();
        }
    } else if (action == DrawEndAction::TakeRoute) {
        fRunline1->SetRoute(points);
    }
}

void TFNav::SelectWithPolygon(int actionCode, const std::vector<std::pair<double, double>>& points)
{
    const auto action = DrawEndAction(actionCode);
    const bool tracks = action == DrawEndAction::SelectTracks;
    (tracks ? SelectTracksMode : SelectShapesMode) = false;
    const std::vector<QPointF> polygon = polygonOf(points);
    ClearLayerByName(SelectPolyLayer);
    std::vector<long> layers;
    if (tracks) {
        for (const char* name : {"track_fix", "track_nofix", "track_float"})
            if (const int id = fcad->LayerFindByName(QString::fromLatin1(name)); id >= 0) layers.push_back(id);
    }
    const bool selects = PolygonSelects(int(polygon.size()), tracks ? int(layers.size()) : 1);
    if (selects) {
        if (tracks)
            fcad->SelectShapesInPolygon(polygon, layers);
        else
            fcad->SelectAllShapesInPolygon(polygon);
        fcad->Refresh();
    }
    if (const std::optional<QString> text = SelectionPanelText(action, selects, fcad->SelectedShapeCount()))
        ShowStatusPanelText(PromptPanel, *text);
    fcad->CadMode = 0;
    fcad->ClearDrawingState();
}

// ---- The position box's double click: the compact layout's switch ----

void TFNav::fcadDblClick(QObject*)
{
    const QPoint at = fcad->mapFromGlobal(QCursor::pos());
    if (!fcad->IsPointInGGAOverlay(at.x(), at.y()) || !fRealtime) return;
    if (fRealtime->CompactState() == 1)
        RestoreLayoutFromChart();
    else
        fRealtime->btHide->click();
}

// The normal layout again, with the realtime window left hidden; the echogram comes
// back once the sounder has sent depths.
void TFNav::RestoreLayoutFromChart()
{
    SetCompactLayout(false);
    fRealtime->SetCompactState(0);
    if (fWaterfal) fWaterfal->setVisible(Survey().State().SensorDataSeen);
}

// ---- The runline generator ----

void TFNav::Generate1Click()
{
    AutomaticSave();
    if (!fRunline1) return;
    LoadFormPlacement(fRunline1, false);
    skerra::showAboveToolWindows(fRunline1);
}
