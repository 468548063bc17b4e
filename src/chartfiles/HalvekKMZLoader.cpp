#include "HalvekKMZLoader.h"

#include "chartfiles/KmlText.h"
#include "platform/NumberText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cmath>
#include <stdexcept>

namespace {

using std::string_view;
constexpr size_t npos = string_view::npos;

bool isTagEndBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// An element found in a text: its content runs from `from` to `to`.
struct Span {
    size_t from = npos, to = npos, after = npos;  // after: just past the closing tag
    bool found() const { return from != npos; }
};

// Just past the opening tag "<name>" or "<name attributes...>" at or after `pos`;
// npos when there is none. An empty element ("<name/>") does not open one.
size_t findOpening(string_view text, string_view name, size_t pos)
{
    while ((pos = text.find(name, pos)) != npos) {
        const size_t end = pos + name.size();
        if (pos == 0 || text[pos - 1] != '<' || end >= text.size()) {
            ++pos;
            continue;
        }
        if (text[end] == '>') return end + 1;
        if (isTagEndBlank(text[end])) {
            const size_t close = text.find('>', end);
            if (close == npos) return npos;
            if (text[close - 1] != '/') return close + 1;
            pos = close + 1;  // an empty element; a tag begun before its end shares it
            continue;
        }
        pos = end;
    }
    return npos;
}

// The first element `name` at or after `pos` whose opening and closing tags are both found.
Span findElement(string_view text, string_view name, string_view closing, size_t pos)
{
    const size_t from = findOpening(text, name, pos);
    if (from == npos) return {};
    const size_t to = text.find(closing, from);
    if (to == npos) return {};
    return {from, to, to + closing.size()};
}

struct Tag {
    string_view name, closing;
};
constexpr Tag kPlacemark{"Placemark", "</Placemark>"};
constexpr Tag kName{"name", "</name>"};
constexpr Tag kDescription{"description", "</description>"};
constexpr Tag kCoordinates{"coordinates", "</coordinates>"};
constexpr Tag kGeometryTags[] = {{"Point", "</Point>"}, {"LineString", "</LineString>"}, {"Polygon", "</Polygon>"}};

Span findElement(string_view text, const Tag& tag, size_t pos = 0)
{
    return findElement(text, tag.name, tag.closing, pos);
}

// Every character with a code up to 32 removed from both ends.
string_view trimControls(string_view s)
{
    while (!s.empty() && static_cast<unsigned char>(s.front()) <= 32) s.remove_prefix(1);
    while (!s.empty() && static_cast<unsigned char>(s.back()) <= 32) s.remove_suffix(1);
    return s;
}

std::string elementText(string_view body, const Tag& tag)
{
    const Span s = findElement(body, tag);
    return s.found() ? std::string(trimControls(body.substr(s.from, s.to - s.from))) : std::string();
}

bool isCoordinateSeparator(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

double numberOrZero(string_view text) { return skerra::tryParseDouble(text).value_or(0.0); }

}  // namespace

bool IsKmlPosition(double latitude, double longitude)
{
    return std::isfinite(latitude) && std::isfinite(longitude) && std::fabs(latitude) <= 90.0
        && std::fabs(longitude) <= 180.0;
}

const char* const kNoPlacemarkGeometry = "No placemark with a point, line string or polygon found";

THalvekKMZLoader::~THalvekKMZLoader() { CleanupTempFolder(); }

bool THalvekKMZLoader::LoadFromFile(const std::string& fileName)
{
    Placemarks.clear();
    LastError.clear();
    const QString path = QString::fromStdString(fileName);
    if (!QFileInfo::exists(path)) {
        LastError = "File not found: " + fileName;
        return false;
    }
    std::string content;
    if (QFileInfo(path).suffix().compare(QLatin1String("kmz"), Qt::CaseInsensitive) == 0) {
        content = ExtractKMZ(fileName);
        if (content.empty()) return false;
    } else if (!skerra::chartfiles::ReadKmlTextFile(path, content)) {
        throw std::runtime_error("Cannot read the file " + fileName);
    }
    const bool result = ParseKML(content);
    CleanupTempFolder();
    return result;
}

std::string THalvekKMZLoader::ExtractKMZ(const std::string& kmzFile)
{
    namespace cf = skerra::chartfiles;
    CleanupTempFolder();
    const QString folder = cf::MakeUnpackFolder();
    TempFolder = folder.toStdString();
    const QString zip = folder + QStringLiteral("/temp.zip");
    if (folder.isEmpty() || !QFile::copy(QString::fromStdString(kmzFile), zip)) {
        LastError = "Failed to copy KMZ file";
        return {};
    }
    const bool unpacked = cf::UnpackZipFile(zip, folder, UnpackLimits);
    const QString kml = unpacked ? cf::ChooseKmlDocument(folder) : QString();
    if (kml.isEmpty()) {
        LastError = "No KML file found in KMZ archive";
        return {};
    }
    std::string text;
    if (!cf::ReadKmlTextFile(kml, text)) {
        LastError = "Failed to read extracted KML file";
        return {};
    }
    return text;
}

void THalvekKMZLoader::CleanupTempFolder()
{
    if (TempFolder.empty()) return;
    const QString folder = QString::fromStdString(TempFolder);
    if (!QFileInfo(folder).isDir()) return;
    QDir(folder).removeRecursively();
    TempFolder.clear();
}

bool THalvekKMZLoader::ParseKML(string_view content)
{
    Placemarks.clear();
    LastError.clear();
    if (content.empty()) {
        LastError = "Empty KML content";
        return false;
    }
    for (Span s = findElement(content, kPlacemark); s.found(); s = findElement(content, kPlacemark, s.after)) {
        const string_view body = content.substr(s.from, s.to - s.from);
        TKMLPlacemark placemark;
        placemark.Name = elementText(body, kName);
        placemark.Description = elementText(body, kDescription);
        ParseGeometries(body, placemark);
        if (!placemark.Geometries.empty()) Placemarks.push_back(std::move(placemark));
    }
    if (Placemarks.empty()) LastError = kNoPlacemarkGeometry;
    return !Placemarks.empty();
}

void THalvekKMZLoader::ParseGeometries(string_view body, TKMLPlacemark& placemark) const
{
    for (int type = 0; type < 3; ++type) {
        const Tag& tag = kGeometryTags[type];
        for (Span g = findElement(body, tag); g.found(); g = findElement(body, tag, g.after)) {
            const string_view block = body.substr(g.from, g.to - g.from);
            const Span c = findElement(block, kCoordinates);
            if (!c.found()) continue;
            TKMLGeometry geometry;
            geometry.Type = type;
            ParseCoordinates(block.substr(c.from, c.to - c.from), geometry.Points);
            if (!geometry.Points.empty()) placemark.Geometries.push_back(std::move(geometry));
        }
    }
}

void THalvekKMZLoader::ParseCoordinates(string_view text, std::vector<TKMLPoint>& points) const
{
    size_t pos = 0;
    while (pos < text.size()) {
        while (pos < text.size() && isCoordinateSeparator(text[pos])) ++pos;
        size_t end = pos;
        while (end < text.size() && !isCoordinateSeparator(text[end])) ++end;
        const string_view tuple = trimControls(text.substr(pos, end - pos));
        pos = end;
        const size_t comma = tuple.find(',');
        if (comma == npos) continue;
        const string_view rest = tuple.substr(comma + 1);
        const size_t second = rest.find(',');
        // "27.1, 38.4": a blank after the comma leaves the latitude out of this tuple;
        // reading it as 0 would put the point thousands of kilometres away.
        if (trimControls(tuple.substr(0, comma)).empty() || trimControls(rest.substr(0, second)).empty()) continue;
        TKMLPoint p;
        p.Longitude = numberOrZero(tuple.substr(0, comma));
        p.Latitude = numberOrZero(rest.substr(0, second));
        p.Altitude = second == npos ? 0.0 : numberOrZero(rest.substr(second + 1));
        if (p.Latitude == 0.0 && p.Longitude == 0.0) continue;
        if (OnConvertCoordinate) OnConvertCoordinate(p.X, p.Y, p.Latitude, p.Longitude);
        points.push_back(p);
    }
}

std::vector<TKMLPoint> THalvekKMZLoader::GetAllPoints() const
{
    std::vector<TKMLPoint> result;
    for (const TKMLPlacemark& pm : Placemarks)
        for (const TKMLGeometry& g : pm.Geometries)
            if (g.Type == 0) result.insert(result.end(), g.Points.begin(), g.Points.end());
    return result;
}

std::vector<std::vector<TKMLPoint>> THalvekKMZLoader::GetAllLines() const
{
    std::vector<std::vector<TKMLPoint>> result;
    for (const TKMLPlacemark& pm : Placemarks)
        for (const TKMLGeometry& g : pm.Geometries)
            if ((g.Type == 1 || g.Type == 2) && g.Points.size() >= 2) result.push_back(g.Points);
    return result;
}

void THalvekKMZLoader::ConvertCoordinates()
{
    if (!OnConvertCoordinate) return;
    for (TKMLPlacemark& pm : Placemarks)
        for (TKMLGeometry& g : pm.Geometries)
            for (TKMLPoint& p : g.Points) OnConvertCoordinate(p.X, p.Y, p.Latitude, p.Longitude);
}
