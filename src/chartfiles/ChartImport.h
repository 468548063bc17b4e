#pragma once
// The Import command's work on the chart: one KML/KMZ, XYZ or DXF file into a layer
// named after the file. The window runs the file dialog and hands the rest here,
// with the services it takes from the program.

#include "chartfiles/HalvekKMZLoader.h"

#include <QString>

#include <functional>
#include <string>

class THalvekCanvasModel;

namespace skerra::chartfiles {

struct ImportServices {
    // Shows a message to the user.
    std::function<void(const QString& text)> Message;
    // The converter of WGS84 positions to the survey grid, built once for this import;
    // an empty converter when the survey's geodetic settings are not usable.
    std::function<TKMLCoordinateConverter()> PrepareConverter;
    // The chart's DXF reader; empty while the program has none.
    std::function<bool(THalvekCanvasModel& chart, const QString& fileName)> LoadDxf;
    // Shows the imported file's folder.
    std::function<void(const QString& fileName)> ShowFileFolder;
    // The event log the import is recorded in.
    std::string EventLogPath;
};

enum class ImportKind { Kml, Xyz, Dxf };

// By the last extension, in any case: .kml and .kmz, .xyz, .txt and .csv; anything else is DXF.
ImportKind ImportKindOf(const QString& fileName);
// The file name without its folder and its last extension: "/a/harbour.b.xyz" gives "harbour.b".
QString ImportLayerName(const QString& fileName);

// Finished: the command's closing step (the standard layers) is to run. Stopped: the
// command ended at once, with the chart as it was.
enum class ImportEnd { Finished, Stopped };

ImportEnd ImportChartFile(THalvekCanvasModel& chart, const QString& fileName, const ImportServices& services);

// The message for an import refused for the survey's geodetic settings.
extern const char* const kDatumNotConfigured;
// The message when the program has no DXF reader.
extern const char* const kDxfUnavailable;

}  // namespace skerra::chartfiles
