#include "NavLayers.h"

#include "canvas/THalvekCanvasModel.h"

int GridLayerId = -1;
int TrackFixLayerId = -1;
int TrackNoFixLayerId = -1;
int TrackFloatLayerId = -1;
int TempShapeLayerId = -1;
int UserShapeLayerId = -1;
int EventLayerId = -1;
int VesselLayerId = -1;

void EnsureNavLayers(THalvekCanvasModel& canvas)
{
    const struct { const char* name; int* id; } layers[] = {
        {"Halvek Grid", &GridLayerId},           {"track_fix", &TrackFixLayerId},
        {"track_nofix", &TrackNoFixLayerId},     {"track_float", &TrackFloatLayerId},
        {"halvek_tempshape", &TempShapeLayerId}, {"halvek_usershape", &UserShapeLayerId},
        {"event_number", &EventLayerId},         {"~~Halvek Vessel", &VesselLayerId},
    };
    for (const auto& layer : layers) {
        const QString name = QString::fromLatin1(layer.name);
        const int existing = canvas.LayerFindByName(name);
        *layer.id = existing >= 0 ? existing : canvas.LayerOpen(name);
    }
    // Opening a layer makes it current; what the user draws next must never land on
    // the vessel layer, which every map tick empties.
    canvas.CurrentLayer = UserShapeLayerId;
}
