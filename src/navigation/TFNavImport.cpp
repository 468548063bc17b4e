// File > Import...: KML/KMZ placemarks, XYZ point lists and DXF drawings onto the chart.

#include "navigation/TFNav.h"

#include "NavLayers.h"
#include "canvas/widget/THalvekCanvas.h"
#include "chartfiles/ChartImport.h"
#include "chartfiles/DxfLoad.h"
#include "navigation/survey/GridProjection.h"
#include "platform/MessageBox.h"
#include "shell/SharedHeader.h"
#include "shell/TFGPS.h"

#include <QFileDialog>

#include <cmath>

namespace {

const char* const kImportFilter =
    "KML/KMZ Files [*.kml;*.kmz] (*.kml *.kmz);;XYZ Files [*.xyz;*.txt;*.csv] (*.xyz *.txt *.csv);;"
    "AutoCAD 2018 DXF [*.dxf] (*.dxf);;All Files [*.*] (*)";

// The survey grid as the settings window defines it now; null when it is not usable.
std::shared_ptr<skerra::survey::GridProjection> currentSurveyGrid()
{
    if (!FGPS) return nullptr;
    std::string problem;
    return skerra::survey::GridProjection::Build(FGPS->GridTexts(), problem);
}

// The open dialog: one existing file, the filter's first entry selected; empty when cancelled.
QString ChooseExistingFile(QWidget* parent, const QString& filter)
{
    QFileDialog dialog(parent, QStringLiteral("Dialog Open"), QString(), filter);
    dialog.setObjectName(QStringLiteral("OpenDialog1"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().front();
}

}  // namespace

// The chart's DXF reader; a drawing that gives nothing says why (a drawing without an
// ENTITIES section has already said so).
bool TFNav::LoadDxfReporting(THalvekCanvasModel& chart, const QString& fileName)
{
    QString reason;
    if (DXFLoad(chart, fileName, &reason)) return true;
    if (!reason.isEmpty() && reason != QLatin1String("ENTITIES section not found"))
        skerra::showInformation(QStringLiteral("DXF load failed: %1 (%2)").arg(reason, fileName), this);
    return false;
}

void TFNav::Import1Click()
{
    const QString filter = QString::fromLatin1(kImportFilter);
    const QString fileName = ChooseImportFile ? ChooseImportFile(filter) : ChooseExistingFile(this, filter);
    if (fileName.isEmpty()) {
        EnsureNavLayers(*fcad);
        return;
    }
    skerra::chartfiles::ImportServices services;
    services.Message = [this](const QString& text) { skerra::showInformation(text, this); };
    // One grid for the whole import, so every point is converted alike.
    services.PrepareConverter = [this]() -> TKMLCoordinateConverter {
        importGrid_ = currentSurveyGrid();
        if (!importGrid_) return {};
        return [this](double& x, double& y, double latitude, double longitude) {
            KmzGeoToGrid(x, y, latitude, longitude);
        };
    };
    services.LoadDxf = LoadDxfFile ? LoadDxfFile : [this](THalvekCanvasModel& chart, const QString& file) {
        return LoadDxfReporting(chart, file);
    };
    services.ShowFileFolder = [this](const QString& file) { ShowLastFileFolder(file); };
    services.EventLogPath = TodaysEventLogPath();

    struct GridReset {
        std::shared_ptr<skerra::survey::GridProjection>& grid;
        ~GridReset() { grid.reset(); }
    } reset{importGrid_};
    if (skerra::chartfiles::ImportChartFile(*fcad, fileName, services) == skerra::chartfiles::ImportEnd::Finished)
        EnsureNavLayers(*fcad);
}

void TFNav::KmzGeoToGrid(double& x, double& y, double latitude, double longitude)
{
    if (!IsKmlPosition(latitude, longitude)) return;
    const std::shared_ptr<skerra::survey::GridProjection> grid = importGrid_ ? importGrid_ : currentSurveyGrid();
    if (!grid) return;
    const auto fix = grid->Project(latitude, longitude, 0.0);
    if (!fix || !std::isfinite(fix->easting) || !std::isfinite(fix->northing)) return;
    x = fix->easting;
    y = fix->northing;
}
