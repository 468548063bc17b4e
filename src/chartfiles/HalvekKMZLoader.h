#pragma once
// THalvekKMZLoader: the placemarks of a KML file, or of the KML document inside a
// KMZ archive, with their points, line strings and polygons.
//
// The loader does not parse XML. It looks for a few element tags by exact,
// case-sensitive text search (an opening tag may carry attributes, a prefixed
// name is not the tag) and takes the text between an opening and a closing tag,
// in one pass over the document. Character entities and CDATA sections are kept
// as written. Texts are 8-bit strings holding UTF-8.
//
// A KMZ archive is unpacked into a folder of its own under the system's temporary
// folder, with the safety rules of KmzArchive; the folder is removed after the
// load, and at the latest when the loader is destroyed.

#include "chartfiles/KmzArchive.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

struct TKMLPoint {
    double Latitude = 0.0;   // degrees, WGS84
    double Longitude = 0.0;  // degrees
    double Altitude = 0.0;   // as written, 0 when absent
    double X = 0.0;          // chart easting once converted, else 0
    double Y = 0.0;          // chart northing once converted, else 0
};

struct TKMLGeometry {
    int Type = 0;  // 0 Point, 1 LineString, 2 Polygon
    std::vector<TKMLPoint> Points;
};

struct TKMLPlacemark {
    std::string Name;
    std::string Description;
    // Every Point first, then every LineString, then every Polygon, each kind in file order.
    std::vector<TKMLGeometry> Geometries;
};

// Writes the chart coordinates of (latitude, longitude) into x and y. A converter
// that cannot convert a position leaves x and y as they are.
using TKMLCoordinateConverter = std::function<void(double& x, double& y, double latitude, double longitude)>;

// A position a converter takes: a latitude within -90..90 and a longitude within
// -180..180, both finite. Any other is left unconverted (and so not drawn).
bool IsKmlPosition(double latitude, double longitude);

// The reason of a document without a placemark that has a point, a line string or a polygon.
extern const char* const kNoPlacemarkGeometry;

class THalvekKMZLoader {
public:
    THalvekKMZLoader() = default;
    THalvekKMZLoader(const THalvekKMZLoader&) = delete;
    THalvekKMZLoader& operator=(const THalvekKMZLoader&) = delete;
    ~THalvekKMZLoader();

    std::string LastError;   // why the last load failed; emptied when a load starts
    std::string TempFolder;  // the unpack folder this loader made, empty when none
    // Applied to every point while it is parsed; empty: points keep X = Y = 0.
    TKMLCoordinateConverter OnConvertCoordinate;
    std::vector<TKMLPlacemark> Placemarks;  // of the last load, in document order
    // Caps of the KMZ unpacking.
    skerra::chartfiles::ZipLimits UnpackLimits;

    // Loads a .kml or .kmz file (the extension decides, in any case) into Placemarks.
    bool LoadFromFile(const std::string& fileName);
    // Unpacks the archive and returns the text of its KML document, or "" with LastError set.
    std::string ExtractKMZ(const std::string& kmzFile);
    // Removes the unpack folder (when it still exists) and forgets it.
    void CleanupTempFolder();
    // Fills Placemarks from KML text; false when no placemark with a geometry was found
    // (LastError says so).
    bool ParseKML(std::string_view content);
    // Appends the geometries found in one placemark's text.
    void ParseGeometries(std::string_view body, TKMLPlacemark& placemark) const;
    // Appends the points of one coordinates element. A tuple is longitude, latitude
    // and an optional altitude, separated by commas alone; a tuple that leaves the
    // longitude or the latitude out ("27.1," followed by a blank) is skipped.
    void ParseCoordinates(std::string_view text, std::vector<TKMLPoint>& points) const;

    // Copies of the points of every Point geometry, placemark by placemark.
    std::vector<TKMLPoint> GetAllPoints() const;
    // Copies of the point lists of every LineString and Polygon with at least 2 points.
    std::vector<std::vector<TKMLPoint>> GetAllLines() const;
    // Runs the converter over every point of every geometry (nothing when unassigned).
    void ConvertCoordinates();
};
