#include "chartfiles/DxfLoad.h"

#include "canvas/ShapeReadRules.h"
#include "canvas/THalvekCanvasModel.h"
#include "chartfiles/DxfColor.h"
#include "chartfiles/DxfLoader.h"
#include "chartfiles/DxfNumbers.h"
#include "platform/MessageBox.h"

#include <QFileInfo>

#include <exception>

Q_LOGGING_CATEGORY(lcDxfImport, "skerra.dxf.import", QtInfoMsg)

namespace {

void setReason(QString* reason, const QString& text)
{
    if (reason)
        *reason = text;
}

// Empties (or makes) the import layer and makes it the current one, locked and shown.
void prepareImportLayer(THalvekCanvasModel& canvas, const QString& fileName)
{
    const QString name = QStringLiteral("_dxf_") + fileName;
    const int existing = canvas.LayerFindByName(name);
    if (existing >= 0)
        canvas.CadClearShapes(existing);
    canvas.CurrentDxfLayer = canvas.LayerOpen(name);
    if (THLayer* layer = canvas.FindLayer(canvas.CurrentDxfLayer)) {
        layer->locked = true;
        canvas.SetLayerVisible(layer->id, true);
    }
}

bool loadPrepared(THalvekCanvasModel& canvas, DxfByteSource& source, QString* reason)
{
    try {
        DxfLoader loader(canvas, source);
        if (!loader.entitiesSectionPresent()) {
            skerra::showInformation(QStringLiteral("DXF load failed: ENTITIES section not found"));
            setReason(reason, QStringLiteral("ENTITIES section not found"));
            return false;
        }
        loader.readLayerTable();
        loader.readBlocks();
        loader.readEntities();
        loader.commit();
        canvas.WorldExtents();
        canvas.NeedsRedraw = true;
        if (loader.converted() > 0)
            return true;
        setReason(reason, QStringLiteral("no entity could be converted"));
        return false;
    } catch (const std::exception& e) {
        setReason(reason, QStringLiteral("reading failed: ") + QString::fromLocal8Bit(e.what()));
    } catch (...) {
        setReason(reason, QStringLiteral("reading failed"));
    }
    return false;
}

}  // namespace

bool DXFLoad(THalvekCanvasModel& canvas, const QString& path, QString* reason)
{
    const QFileInfo info(path);
    if (!info.exists() || info.isDir()) {
        setReason(reason, QStringLiteral("file not found"));
        return false;
    }
    prepareImportLayer(canvas, info.fileName());
    DxfFileSource source;
    if (!source.open(path)) {
        setReason(reason, QStringLiteral("file cannot be opened"));
        return false;
    }
    return loadPrepared(canvas, source, reason);
}

bool DXFLoadReplace(THalvekCanvasModel& canvas, const QString& path, QString* reason)
{
    return DXFLoad(canvas, path, reason);
}

bool DXFLoadFromSource(THalvekCanvasModel& canvas, DxfByteSource& source, const QString& fileName, QString* reason)
{
    prepareImportLayer(canvas, fileName);
    return loadPrepared(canvas, source, reason);
}

int GetOrCreateDXFLayer(const THalvekCanvasModel& canvas, std::string_view) { return canvas.CurrentDxfLayer; }

// ---- the frame of a load ----

DxfLoader::DxfLoader(THalvekCanvasModel& canvas, DxfByteSource& source)
    : canvas_(canvas), batch_(canvas, ShapeBatch::Mode::Append), in_(source)
{
}

// Line by line: a line "0", then "SECTION", then the group code 2 line
// (not examined), then the section's name.
bool DxfLoader::findSection(std::string_view name)
{
    if (!in_.rewind())
        return false;
    std::string_view line;
    while (in_.next(line)) {
        if (line != "0")
            continue;
        if (!in_.next(line))
            return false;
        if (line != "SECTION")
            continue;
        if (!in_.next(line) || !in_.next(line))
            return false;
        if (line == name)
            return true;
    }
    return false;
}

bool DxfLoader::entitiesSectionPresent() { return findSection("ENTITIES"); }

// Each LAYER entry with a name gives the import layer its colour (no group 62
// counts as 7), so the last usable one wins.
void DxfLoader::readLayerTable()
{
    if (!findSection("TABLES") || !in_.skipPairs())
        return;
    std::string_view type;
    while (in_.next(type)) {
        if (type == "ENDSEC")
            return;
        if (type != "LAYER") {
            if (!in_.skipPairs())
                return;
            continue;
        }
        bool named = false;
        int colorNumber = 7;
        const bool more = in_.readPairs([&](int code, std::string_view value, std::string_view) {
            if (code == 2)
                named = !value.empty();
            else if (code == 62)
                colorNumber = dxfAtol(value);
        });
        const int c = DxfColorToColor(colorNumber);
        if (named && c >= 0) {
            if (THLayer* layer = canvas_.FindLayer(importLayer()))
                layer->penColor = c;
        }
        if (!more)
            return;
    }
}

int DxfLoader::importLayer() const { return GetOrCreateDXFLayer(canvas_, {}); }

const THLayer* DxfLoader::importLayerRecord() const { return canvas_.FindLayer(importLayer()); }

void DxfLoader::append(std::unique_ptr<THShape> shape, int colorNumber, bool layerPenWidth)
{
    const THLayer* layer = importLayerRecord();
    const int c = colorNumber >= 0 ? DxfColorToColor(colorNumber) : -1;
    put(std::move(shape), c >= 0 ? c : (layer ? layer->penColor : 0), layerPenWidth && layer ? layer->penWidth : 1);
}

// A shape whose box the chart's numbers cannot hold (a text 1e308 high) is
// left out, as an entity with a coordinate that is no number.
void DxfLoader::put(std::unique_ptr<THShape> shape, TColor penFg, int penWidth)
{
    if (!skerra::canvas::hasFiniteBox(*shape))
        return;
    batch_.Adopt(std::move(shape), importLayer(), penFg, penWidth);
    ++converted_;
}
