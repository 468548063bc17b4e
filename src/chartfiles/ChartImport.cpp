#include "ChartImport.h"

#include "canvas/THalvekCanvasModel.h"
#include "chartfiles/ImportFileDates.h"
#include "chartfiles/XyzLines.h"
#include "platform/NumberText.h"
#include "shell/SharedHeader.h"

#include <QFile>
#include <QFileInfo>

#include <vector>

namespace skerra::chartfiles {

const char* const kDatumNotConfigured =
    "Please configure datum parameters in GPS Settings before importing KML/KMZ files.";
const char* const kDxfUnavailable = "DXF import is not available in this version.";

namespace {

class Import {
public:
    Import(THalvekCanvasModel& chart, const QString& fileName, const ImportServices& services)
        : chart_(chart), fileName_(fileName), name_(fileName.toStdString()), layerName_(ImportLayerName(fileName)),
          services_(services)
    {
    }

    ImportEnd kml();
    ImportEnd xyz();
    ImportEnd dxf();

private:
    void message(const QString& text) const
    {
        if (services_.Message) services_.Message(text);
    }
    void log(const std::string& text) const { AppendAutoEvent(text, services_.EventLogPath); }
    void showFolder() const
    {
        if (services_.ShowFileFolder) services_.ShowFileFolder(fileName_);
    }
    // The import layer: found or created, emptied when asked, actions all on.
    int prepareLayer(bool clear)
    {
        int id = chart_.LayerFindByName(layerName_);
        if (id < 0)
            id = chart_.LayerOpen(layerName_);
        else if (clear)
            chart_.CadClearShapes(id);
        chart_.SetLayerAction(id, 15);
        return id;
    }
    bool layerHoldsShapes() const
    {
        const int id = chart_.LayerFindByName(layerName_);
        return id >= 0 && !chart_.ShapesOnLayer(id).empty();
    }
    void drawKml(const THalvekKMZLoader& loader, int layer);
    void drawXyzPoint(const XyzPoint& p, int layer);
    QString noPointsMessage(const XyzLineHints& hints) const;

    THalvekCanvasModel& chart_;
    QString fileName_;
    std::string name_;
    QString layerName_;
    const ImportServices& services_;
};

bool placed(const TKMLPoint& p) { return p.X != 0.0 || p.Y != 0.0; }

ImportEnd Import::kml()
{
    const TKMLCoordinateConverter converter =
        services_.PrepareConverter ? services_.PrepareConverter() : TKMLCoordinateConverter();
    if (!converter) {
        message(QString::fromUtf8(kDatumNotConfigured));
        return ImportEnd::Stopped;
    }
    THalvekKMZLoader loader;
    loader.OnConvertCoordinate = converter;
    if (!loader.LoadFromFile(name_)) {
        message(QStringLiteral("Failed to load KML/KMZ file: ") + QString::fromStdString(loader.LastError));
        return ImportEnd::Finished;
    }
    drawKml(loader, prepareLayer(true));
    log("Imported KML/KMZ: " + name_ + " to layer: " + layerName_.toStdString());
    showFolder();
    chart_.WorldExtents();
    return ImportEnd::Finished;
}

// Points, then line strings and polygons as open polylines, then one name label per geometry.
void Import::drawKml(const THalvekKMZLoader& loader, int layer)
{
    for (const TKMLPoint& p : loader.GetAllPoints())
        if (placed(p)) chart_.DrawPoint(p.X, p.Y, layer);
    for (const auto& line : loader.GetAllLines()) {
        std::vector<std::pair<double, double>> pairs;
        for (const TKMLPoint& p : line)
            if (placed(p)) pairs.emplace_back(p.X, p.Y);
        if (pairs.size() >= 2) chart_.DrawPolyline(pairs, layer, false);
    }
    for (const TKMLPlacemark& pm : loader.Placemarks) {
        if (pm.Name.empty()) continue;
        const QString name = QString::fromStdString(pm.Name);
        for (const TKMLGeometry& g : pm.Geometries)
            if (!g.Points.empty() && placed(g.Points.front()))
                chart_.TextAdd(layer, name, g.Points.front().X, g.Points.front().Y, 0);
    }
}

// The file is read first: the layer is touched only when at least one point was read.
ImportEnd Import::xyz()
{
    const ImportFileStamp stamp = ReadImportFileStamp(fileName_);
    const auto known = ImportFileDates.find(name_);
    if (known != ImportFileDates.end() && known->second == stamp && layerHoldsShapes()) {
        message(QStringLiteral("File unchanged since last import. Skipping."));
        return ImportEnd::Stopped;
    }
    QFile file(fileName_);
    if (!file.open(QIODevice::ReadOnly)) {
        message(QStringLiteral("Failed to open XYZ file: ") + fileName_);
        return ImportEnd::Finished;
    }
    std::vector<XyzPoint> points;
    XyzLineHints hints;
    while (!file.atEnd()) {
        QByteArray line = file.readLine();
        while (!line.isEmpty() && (line.back() == '\n' || line.back() == '\r')) line.chop(1);
        const std::string_view text(line.constData(), size_t(line.size()));
        if (const auto p = ReadImportXyzLine(text))
            points.push_back(*p);
        else if (points.empty())
            NoteXyzLineHints(text, hints);
    }
    file.close();
    if (points.empty()) {
        message(noPointsMessage(hints));
        return ImportEnd::Finished;
    }
    ImportFileDates[name_] = stamp;
    const int layer = prepareLayer(true);
    for (const XyzPoint& p : points) drawXyzPoint(p, layer);
    log("Imported XYZ: " + name_ + " (" + IntToStr(static_cast<long long>(points.size())) +
        " points) to layer: " + layerName_.toStdString());
    showFolder();
    chart_.WorldExtents();
    return ImportEnd::Finished;
}

QString Import::noPointsMessage(const XyzLineHints& hints) const
{
    QString text = QStringLiteral("No points could be read from ") + fileName_;
    if (hints.semicolons)
        text += QStringLiteral("\nIts lines hold ';' between the values: the values must be separated by blanks, "
                               "tabs or commas.");
    if (hints.decimalCommas)
        text += QStringLiteral("\nIts numbers have decimal commas: the numbers must have a decimal point.");
    return text;
}

// A point of size 1 with its z, two decimals, centred on it.
void Import::drawXyzPoint(const XyzPoint& p, int layer)
{
    const long point = chart_.DrawPoint(p.easting, p.northing, layer);
    if (point > 0) {
        chart_.SetShapePointSize(point, 1);
        chart_.SetShapePenWidth(point, 1);
    }
    const long text = chart_.TextAdd(layer, QString::fromStdString(FormatFixed(p.z, 2)), p.easting, p.northing, 0);
    if (text > 0) {
        chart_.SetShapeTextAlign(text, 1);
        chart_.SetShapeTextJustify(text, 1);
    }
}

// The DXF reader puts the drawing on its own layers; the import layer is only opened,
// never emptied, so a layer of the same name from another file keeps its shapes.
ImportEnd Import::dxf()
{
    prepareLayer(false);
    bool loaded = false;
    if (services_.LoadDxf)
        loaded = services_.LoadDxf(chart_, fileName_);
    else
        message(QString::fromUtf8(kDxfUnavailable));
    showFolder();
    if (loaded) log("Imported DXF: " + name_);
    return ImportEnd::Finished;
}

}  // namespace

ImportKind ImportKindOf(const QString& fileName)
{
    const QString ext = QFileInfo(fileName).suffix().toLower();
    if (ext == QLatin1String("kml") || ext == QLatin1String("kmz")) return ImportKind::Kml;
    if (ext == QLatin1String("xyz") || ext == QLatin1String("txt") || ext == QLatin1String("csv"))
        return ImportKind::Xyz;
    return ImportKind::Dxf;
}

QString ImportLayerName(const QString& fileName) { return QFileInfo(fileName).completeBaseName(); }

ImportEnd ImportChartFile(THalvekCanvasModel& chart, const QString& fileName, const ImportServices& services)
{
    Import import(chart, fileName, services);
    switch (ImportKindOf(fileName)) {
    case ImportKind::Kml: return import.kml();
    case ImportKind::Xyz: return import.xyz();
    case ImportKind::Dxf: break;
    }
    return import.dxf();
}

}  // namespace skerra::chartfiles
