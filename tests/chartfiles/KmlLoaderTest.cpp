// The KML loader's text search: coordinates tuples, tags, geometry order, encodings.

#include "chartfiles/HalvekKMZLoader.h"
#include "chartfiles/KmlText.h"

#include <gtest/gtest.h>

#include <limits>
#include <ostream>
#include <string>
#include <vector>

namespace {

struct Tuple {
    double lon, lat, alt;
};

struct CoordinatesCase {
    const char* text;
    std::vector<Tuple> points;
};

class CoordinatesTest : public testing::TestWithParam<CoordinatesCase> {};

TEST_P(CoordinatesTest, ReadsTuplesInOrder)
{
    THalvekKMZLoader loader;
    std::vector<TKMLPoint> points;
    loader.ParseCoordinates(GetParam().text, points);
    ASSERT_EQ(points.size(), GetParam().points.size()) << GetParam().text;
    for (size_t i = 0; i < points.size(); ++i) {
        EXPECT_DOUBLE_EQ(points[i].Longitude, GetParam().points[i].lon) << i;
        EXPECT_DOUBLE_EQ(points[i].Latitude, GetParam().points[i].lat) << i;
        EXPECT_DOUBLE_EQ(points[i].Altitude, GetParam().points[i].alt) << i;
        EXPECT_EQ(points[i].X, 0.0);
        EXPECT_EQ(points[i].Y, 0.0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Tuples, CoordinatesTest,
    testing::Values(CoordinatesCase{"29.01,41.02,15", {{29.01, 41.02, 15}}},
                    CoordinatesCase{"29.01,41.02", {{29.01, 41.02, 0}}},
                    CoordinatesCase{"0,0,100", {}},
                    CoordinatesCase{"29.01;41.02", {}},
                    CoordinatesCase{"0,5 5,0", {{0, 5, 0}, {5, 0, 0}}},
                    // Lines and tabs separate like blanks, runs of them count once.
                    CoordinatesCase{"\r\n\t\t1,2,3\r\n\t\t4,5,6\n\t7,8\t\t", {{1, 2, 3}, {4, 5, 6}, {7, 8, 0}}},
                    // A blank after or before a comma splits the tuple: neither half is a position.
                    CoordinatesCase{"29.01, 41.02", {}},
                    CoordinatesCase{"27.1, 38.4 27.2,38.5 27.3 ,38.6", {{27.2, 38.5, 0}}},
                    // A further comma makes the altitude text no number.
                    CoordinatesCase{"1,2,3,4,5,6", {{1, 2, 0}}},
                    // Texts that are no numbers give 0; nan and inf are no numbers.
                    CoordinatesCase{"a,2 1,b nan,3 inf,4,5 1e3,-2.5e-1,+7", {{0, 2, 0}, {1, 0, 0}, {0, 3, 0}, {0, 4, 5}, {1000, -0.25, 7}}},
                    CoordinatesCase{"", {}}, CoordinatesCase{" \t\r\n ", {}}, CoordinatesCase{",", {}},
                    CoordinatesCase{"1,", {}}, CoordinatesCase{",1", {}}, CoordinatesCase{"1,,5", {}},
                    // Numbers that are no position are read; the converter refuses them (IsKmlPosition).
                    CoordinatesCase{"1e308,38.4 540,38.4", {{1e308, 38.4, 0}, {540, 38.4, 0}}}));

struct PositionCase {
    double latitude, longitude;
    bool position;
};

void PrintTo(const PositionCase& c, std::ostream* out)
{
    *out << c.latitude << "," << c.longitude << (c.position ? " position" : " none");
}

class KmlPositionTest : public testing::TestWithParam<PositionCase> {};

TEST_P(KmlPositionTest, LatitudeAndLongitudeWithinTheirRanges)
{
    EXPECT_EQ(IsKmlPosition(GetParam().latitude, GetParam().longitude), GetParam().position)
        << GetParam().latitude << " " << GetParam().longitude;
}

constexpr double kInf = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Positions, KmlPositionTest,
    testing::Values(PositionCase{38.4, 27.1, true}, PositionCase{-90, -180, true}, PositionCase{90, 180, true},
                    PositionCase{95, 29, false}, PositionCase{-90.001, 29, false}, PositionCase{38.4, 540, false},
                    PositionCase{38.4, -180.5, false}, PositionCase{38.4, 1e308, false},
                    PositionCase{38.4, kInf, false}, PositionCase{-kInf, 27, false},
                    PositionCase{std::numeric_limits<double>::quiet_NaN(), 27, false},
                    PositionCase{38.4, std::numeric_limits<double>::quiet_NaN(), false}));

TEST(KmlLoaderTest, ConverterRunsForEveryKeptPointWithLatitudeFirst)
{
    THalvekKMZLoader loader;
    std::vector<std::pair<double, double>> calls;
    loader.OnConvertCoordinate = [&](double& x, double& y, double lat, double lon) {
        calls.emplace_back(lat, lon);
        x = lon * 10;
        y = lat * 10;
    };
    std::vector<TKMLPoint> points;
    loader.ParseCoordinates("29,41 0,0 30,42,7", points);
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0], std::make_pair(41.0, 29.0));
    EXPECT_EQ(calls[1], std::make_pair(42.0, 30.0));
    ASSERT_EQ(points.size(), 2u);
    EXPECT_EQ(points[1].X, 300);
    EXPECT_EQ(points[1].Y, 420);
}

// A placemark summarised: its name and, per geometry, the type and the number of points.
std::string summary(const THalvekKMZLoader& loader)
{
    std::string s;
    for (const TKMLPlacemark& p : loader.Placemarks) {
        s += "[" + p.Name + "|" + p.Description + "|";
        for (const TKMLGeometry& g : p.Geometries) s += std::to_string(g.Type) + ":" + std::to_string(g.Points.size()) + " ";
        s += "]";
    }
    return s;
}

struct DocumentCase {
    const char* name;
    const char* kml;
    bool result;
    const char* placemarks;
};

class KmlDocumentTest : public testing::TestWithParam<DocumentCase> {};

TEST_P(KmlDocumentTest, FindsPlacemarksAndGeometries)
{
    THalvekKMZLoader loader;
    EXPECT_EQ(loader.ParseKML(GetParam().kml), GetParam().result);
    EXPECT_EQ(summary(loader), GetParam().placemarks);
    EXPECT_EQ(loader.LastError, GetParam().result ? "" : kNoPlacemarkGeometry);
}

const char kPolygonWithHole[] =
    "<Placemark><name>lake</name><Polygon><outerBoundaryIs><LinearRing><coordinates>1,1 1,2 2,2 1,1"
    "</coordinates></LinearRing></outerBoundaryIs><innerBoundaryIs><LinearRing><coordinates>1.1,1.1 1.2,1.2"
    "</coordinates></LinearRing></innerBoundaryIs></Polygon></Placemark>";

INSTANTIATE_TEST_SUITE_P(
    Documents, KmlDocumentTest,
    testing::Values(
        DocumentCase{"Point", "<Placemark><name> a </name><Point><coordinates>1,2</coordinates></Point></Placemark>", true,
                     "[a||0:1 ]"},
        // Point, LineString and Polygon in reverse order in the file still come points first.
        DocumentCase{"KindsInOrder",
                     "<Placemark><Polygon><coordinates>1,1 2,2 3,3</coordinates></Polygon>"
                     "<LineString><coordinates>1,1 2,2</coordinates></LineString>"
                     "<Point><coordinates>5,5</coordinates></Point><Point><coordinates>6,6</coordinates></Point>"
                     "<name>n</name><description>\n d \n</description></Placemark>",
                     true, "[n|d|0:1 0:1 1:2 2:3 ]"},
        DocumentCase{"OuterRingOnly", kPolygonWithHole, true, "[lake||2:4 ]"},
        DocumentCase{"NoGeometryDropped",
                     "<Placemark><name>x</name></Placemark><Placemark><name>y</name><Point><coordinates>1,1"
                     "</coordinates></Point></Placemark>",
                     true, "[y||0:1 ]"},
        DocumentCase{"OnlyZeroPoints", "<Placemark><Point><coordinates>0,0</coordinates></Point></Placemark>", false, ""},
        DocumentCase{"LowerCaseTags", "<placemark><point><coordinates>1,1</coordinates></point></placemark>", false, ""},
        DocumentCase{"PrefixedTags",
                     "<kml:Placemark><kml:Point><kml:coordinates>1,1</kml:coordinates></kml:Point></kml:Placemark>", false,
                     ""},
        // Tags may carry attributes; an empty element opens nothing.
        DocumentCase{"Attributes",
                     "<Placemark id=\"p1\"><name\txml:lang='en'>A</name><Point id=\"q\">"
                     "<coordinates\n>1,1</coordinates></Point><Point/></Placemark>",
                     true, "[A||0:1 ]"},
        DocumentCase{"LongerTagNamesAreOthers",
                     "<PlacemarkX><Placemark><Pointy><coordinates>1,1</coordinates></Pointy></Placemark>", false, ""},
        DocumentCase{"UnclosedLastPlacemarkDropped",
                     "<Placemark><Point><coordinates>1,1</coordinates></Point></Placemark>"
                     "<Placemark><Point><coordinates>2,2</coordinates></Point>",
                     true, "[||0:1 ]"},
        DocumentCase{"UnclosedCoordinatesAddNothing",
                     "<Placemark><Point><coordinates>1,1</Point><LineString><coordinates>1,1 2,2</coordinates>"
                     "</LineString></Placemark>",
                     true, "[||1:2 ]"},
        DocumentCase{"FirstNameCounts",
                     "<Placemark><ExtendedData><name>inner</name></ExtendedData><name>outer</name><Point>"
                     "<coordinates>1,1</coordinates></Point></Placemark>",
                     true, "[inner||0:1 ]"},
        DocumentCase{"EntitiesAndCdataKept",
                     "<Placemark><name>A &amp; B</name><description><![CDATA[<b>x</b>]]></description><Point>"
                     "<coordinates>1,1</coordinates></Point></Placemark>",
                     true, "[A &amp; B|<![CDATA[<b>x</b>]]>|0:1 ]"},
        DocumentCase{"MultiGeometry",
                     "<Placemark><MultiGeometry><Point><coordinates>1,1</coordinates></Point><Point><coordinates>2,2"
                     "</coordinates></Point><LineString><coordinates>1,1 2,2</coordinates></LineString></MultiGeometry>"
                     "</Placemark>",
                     true, "[||0:1 0:1 1:2 ]"},
        DocumentCase{"NoPlacemark", "<kml><Document/></kml>", false, ""}),
    [](const testing::TestParamInfo<DocumentCase>& info) { return std::string(info.param.name); });

TEST(KmlLoaderTest, EmptyTextIsAnError)
{
    THalvekKMZLoader loader;
    loader.Placemarks.resize(3);
    EXPECT_FALSE(loader.ParseKML(""));
    EXPECT_EQ(loader.LastError, "Empty KML content");
    EXPECT_TRUE(loader.Placemarks.empty());
}

TEST(KmlLoaderTest, AllPointsAndAllLinesFollowPlacemarkOrder)
{
    THalvekKMZLoader loader;
    ASSERT_TRUE(loader.ParseKML("<Placemark><LineString><coordinates>1,1</coordinates></LineString>"
                                "<Point><coordinates>3,3</coordinates></Point></Placemark>"
                                "<Placemark><Polygon><coordinates>4,4 5,5 4,4</coordinates></Polygon>"
                                "<LineString><coordinates>6,6 7,7</coordinates></LineString>"
                                "<Point><coordinates>8,8</coordinates></Point></Placemark>"));
    std::vector<double> points;
    for (const TKMLPoint& p : loader.GetAllPoints()) points.push_back(p.Longitude);
    EXPECT_EQ(points, (std::vector<double>{3, 8}));
    std::vector<std::vector<double>> lines;
    for (const auto& line : loader.GetAllLines()) {
        lines.emplace_back();
        for (const TKMLPoint& p : line) lines.back().push_back(p.Longitude);
    }
    // The one-point line string is left out; the line string comes before the polygon.
    EXPECT_EQ(lines, (std::vector<std::vector<double>>{{6, 7}, {4, 5, 4}}));
}

TEST(KmlLoaderTest, ConvertCoordinatesAppliesTheConverterToALoadedList)
{
    THalvekKMZLoader loader;
    ASSERT_TRUE(loader.ParseKML("<Placemark><Point><coordinates>3,4</coordinates></Point></Placemark>"));
    loader.ConvertCoordinates();  // no converter: nothing happens
    EXPECT_EQ(loader.Placemarks[0].Geometries[0].Points[0].X, 0.0);
    loader.OnConvertCoordinate = [](double& x, double& y, double lat, double lon) {
        x = lon + 100;
        y = lat + 200;
    };
    loader.ConvertCoordinates();
    EXPECT_EQ(loader.Placemarks[0].Geometries[0].Points[0].X, 103.0);
    EXPECT_EQ(loader.Placemarks[0].Geometries[0].Points[0].Y, 204.0);
}

struct EncodingCase {
    const char* name;
    std::string bytes;
};

class KmlEncodingTest : public testing::TestWithParam<EncodingCase> {};

std::string utf16(const std::u16string& text, bool bigEndian)
{
    std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char16_t c : text) {
        const char hi = char(c >> 8), lo = char(c & 0xFF);
        out += bigEndian ? std::string{hi, lo} : std::string{lo, hi};
    }
    return out;
}

const std::u16string kDocument = u"<Placemark><name>Bo\u011Faz\u00E7i\u00E7i</name><Point><coordinates>29.05,41.08"
                                 u"</coordinates></Point></Placemark>";
const std::string kDocumentUtf8 = "<Placemark><name>Bo\xC4\x9F" "az\xC3\xA7i\xC3\xA7i</name><Point><coordinates>"
                                  "29.05,41.08</coordinates></Point></Placemark>";

TEST_P(KmlEncodingTest, NamesComeOutAsUtf8)
{
    THalvekKMZLoader loader;
    ASSERT_TRUE(loader.ParseKML(skerra::chartfiles::DecodeKmlText(GetParam().bytes)));
    EXPECT_EQ(loader.Placemarks[0].Name, "Bo\xC4\x9F" "az\xC3\xA7i\xC3\xA7i");
    EXPECT_DOUBLE_EQ(loader.Placemarks[0].Geometries[0].Points[0].Latitude, 41.08);
}

INSTANTIATE_TEST_SUITE_P(Encodings, KmlEncodingTest,
                         testing::Values(EncodingCase{"Utf8", kDocumentUtf8},
                                         EncodingCase{"Utf8Bom", "\xEF\xBB\xBF" + kDocumentUtf8},
                                         EncodingCase{"Utf16LE", utf16(kDocument, false)},
                                         EncodingCase{"Utf16BE", utf16(kDocument, true)}),
                         [](const testing::TestParamInfo<EncodingCase>& info) { return std::string(info.param.name); });

}  // namespace
