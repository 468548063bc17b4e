// KML text: decoding by byte-order mark, the placemark search and the coordinates
// reader, with a converter assigned as the import assigns one (refusing what is
// no position).
#include "chartfiles/HalvekKMZLoader.h"
#include "chartfiles/KmlText.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text = skerra::chartfiles::DecodeKmlText(std::string(reinterpret_cast<const char*>(data), size));
    THalvekKMZLoader loader;
    // A position the import's converter refuses stays unconverted here too.
    loader.OnConvertCoordinate = [](double& x, double& y, double latitude, double longitude) {
        if (!IsKmlPosition(latitude, longitude)) return;
        x = longitude * 1000;
        y = latitude * 1000;
    };
    const bool found = loader.ParseKML(text);
    if (found != !loader.Placemarks.empty()) std::abort();
    for (const TKMLPlacemark& p : loader.Placemarks) {
        if (p.Geometries.empty()) std::abort();
        int lastType = 0;
        for (const TKMLGeometry& g : p.Geometries) {
            // Points, then line strings, then polygons; never an empty geometry.
            if (g.Type < lastType || g.Type > 2 || g.Points.empty()) std::abort();
            lastType = g.Type;
            for (const TKMLPoint& pt : g.Points)
                if ((pt.Latitude == 0 && pt.Longitude == 0) || !std::isfinite(pt.Latitude) || !std::isfinite(pt.Longitude)
                    || !std::isfinite(pt.Altitude) || ((pt.X != 0 || pt.Y != 0) && !IsKmlPosition(pt.Latitude, pt.Longitude)))
                    std::abort();
        }
    }
    for (const auto& line : loader.GetAllLines())
        if (line.size() < 2) std::abort();
    (void)loader.GetAllPoints();
    return 0;
}
