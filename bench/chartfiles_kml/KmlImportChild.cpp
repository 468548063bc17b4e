// One KML load as the Import command runs it, in a process of its own so that its
// time and peak memory can be measured like another program's:
//   kml_import_child FILE           placemarks with every point converted to a TM grid
//   kml_import_child FILE --parse   placemarks only
// Prints the number of placemarks and points.

#include "chartfiles/HalvekKMZLoader.h"
#include "navigation/survey/GridProjection.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

int main(int argc, char** argv)
{
    if (argc < 2) return 2;
    THalvekKMZLoader loader;
    std::unique_ptr<skerra::survey::GridProjection> grid;
    if (argc < 3 || std::strcmp(argv[2], "--parse") != 0) {
        GridSettingsTexts s;
        s.semiMajorAxis = "6378388";
        s.flattening = "0.00336700336700337";
        s.scalePpm = "1.2";
        s.rotationX = "0.1", s.rotationY = "-0.2", s.rotationZ = "0.3";
        s.shiftX = "84", s.shiftY = "107", s.shiftZ = "120";
        s.centralMeridian = "27", s.referenceLatitude = "0", s.scaleFactor = "0.9996";
        s.falseEasting = "500000", s.falseNorthing = "0";
        std::string problem;
        grid = skerra::survey::GridProjection::Build(s, problem);
        if (!grid) return 3;
        loader.OnConvertCoordinate = [&](double& x, double& y, double latitude, double longitude) {
            if (const auto fix = grid->Project(latitude, longitude, 0)) {
                x = fix->easting;
                y = fix->northing;
            }
        };
    }
    if (!loader.LoadFromFile(argv[1])) return 1;
    size_t points = 0;
    for (const TKMLPlacemark& p : loader.Placemarks)
        for (const TKMLGeometry& g : p.Geometries) points += g.Points.size();
    std::printf("%zu placemarks, %zu points\n", loader.Placemarks.size(), points);
    return 0;
}
