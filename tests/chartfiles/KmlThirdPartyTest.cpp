// The KML loader on documents from GDAL's and libkml's test data, compared with
// GDAL's own reading of the same files (ogrinfo).

#include "MissingTool.h"

#include "chartfiles/HalvekKMZLoader.h"
#include "platform/NumberText.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

#include <cmath>
#include <string>
#include <vector>

namespace {

std::string kmlData(const char* name) { return std::string(SKERRA_TESTDATA) + "/kml/" + name; }

struct Feature {
    std::string name;
    std::vector<std::pair<double, double>> ring;  // (lon, lat) of the first ring or the points
};

// Names and first-ring coordinates of `ogrinfo -ro -al` of a file.
std::vector<Feature> ogrFeatures(const std::string& file)
{
    QProcess p;
    p.start("ogrinfo", {"-ro", "-al", QString::fromStdString(file)});
    p.waitForFinished(60000);
    std::vector<Feature> features;
    for (const QString& raw : QString::fromUtf8(p.readAllStandardOutput()).split('\n')) {
        const QString line = raw.trimmed();
        if (line.startsWith("OGRFeature(")) features.emplace_back();
        if (features.empty()) continue;
        if (line.startsWith("Name (String) = ")) features.back().name = line.mid(16).toStdString();
        if (line.startsWith("POINT") || line.startsWith("LINESTRING") || line.startsWith("POLYGON")) {
            QString inner = line.mid(line.indexOf('('));
            while (inner.startsWith('(')) inner.remove(0, 1);
            inner = inner.left(inner.indexOf(')'));
            for (const QString& tuple : inner.split(',')) {
                const QStringList v = tuple.trimmed().split(' ');
                features.back().ring.emplace_back(skerra::StrToFloat(v.value(0).toStdString()),
                                                  skerra::StrToFloat(v.value(1).toStdString()));
            }
        }
    }
    return features;
}

bool sameRing(const std::vector<std::pair<double, double>>& ring, const std::vector<TKMLPoint>& points)
{
    if (ring.size() != points.size()) return false;
    for (size_t i = 0; i < ring.size(); ++i)
        if (std::fabs(ring[i].first - points[i].Longitude) > 1e-9 || std::fabs(ring[i].second - points[i].Latitude) > 1e-9)
            return false;
    return true;
}

class KmlAgainstGdalTest : public testing::TestWithParam<const char*> {};

TEST_P(KmlAgainstGdalTest, EveryGeometryIsAFeatureOfGdal)
{
    if (QStandardPaths::findExecutable("ogrinfo").isEmpty()) SKERRA_SKIP_UNLESS_CI("ogrinfo (gdal-bin) is not installed");
    const std::vector<Feature> gdal = ogrFeatures(kmlData(GetParam()));
    ASSERT_FALSE(gdal.empty());
    THalvekKMZLoader loader;
    ASSERT_TRUE(loader.LoadFromFile(kmlData(GetParam())));
    std::vector<bool> used(gdal.size(), false);
    for (const TKMLPlacemark& p : loader.Placemarks)
        for (const TKMLGeometry& g : p.Geometries) {
            bool found = false;
            for (size_t i = 0; i < gdal.size() && !found; ++i)
                if (!used[i] && gdal[i].name == p.Name && sameRing(gdal[i].ring, g.Points)) used[i] = found = true;
            EXPECT_TRUE(found) << "no GDAL feature like " << p.Name << " type " << g.Type;
        }
}

INSTANTIATE_TEST_SUITE_P(ThirdParty, KmlAgainstGdalTest,
                         testing::Values("samples.kml", "kmlsamples.kml", "tab_separated_coord_triplet.kml"));

TEST(KmlThirdPartyTest, PlacemarksWithIdsReadLikeBarePlacemarks)
{
    THalvekKMZLoader bare, withIds;
    ASSERT_TRUE(bare.LoadFromFile(kmlData("samples.kml")));
    ASSERT_TRUE(withIds.LoadFromFile(kmlData("kmlsamples.kml")));
    // 20 placemarks, one of them ("Descriptive HTML") without a geometry.
    ASSERT_EQ(bare.Placemarks.size(), 19u);
    ASSERT_EQ(withIds.Placemarks.size(), bare.Placemarks.size());
    std::vector<int> kinds(3, 0);
    for (size_t i = 0; i < bare.Placemarks.size(); ++i) {
        const TKMLPlacemark& a = bare.Placemarks[i];
        const TKMLPlacemark& b = withIds.Placemarks[i];
        EXPECT_EQ(a.Name, b.Name);
        ASSERT_EQ(a.Geometries.size(), 1u) << a.Name;
        ASSERT_EQ(b.Geometries.size(), 1u) << b.Name;
        EXPECT_EQ(a.Geometries[0].Type, b.Geometries[0].Type) << a.Name;
        ++kinds[a.Geometries[0].Type];
        ASSERT_EQ(a.Geometries[0].Points.size(), b.Geometries[0].Points.size()) << a.Name;
        for (size_t k = 0; k < a.Geometries[0].Points.size(); ++k) {
            EXPECT_NEAR(a.Geometries[0].Points[k].Latitude, b.Geometries[0].Points[k].Latitude, 1e-9);
            EXPECT_NEAR(a.Geometries[0].Points[k].Longitude, b.Geometries[0].Points[k].Longitude, 1e-9);
        }
    }
    EXPECT_EQ(kinds, (std::vector<int>{4, 6, 9}));
    EXPECT_EQ(bare.Placemarks[0].Name, "Simple placemark");
}

TEST(KmlThirdPartyTest, DegenerateGeometriesKeepOnlyPointsOffTheOrigin)
{
    THalvekKMZLoader loader;
    ASSERT_TRUE(loader.LoadFromFile(kmlData("geometries.kml")));
    std::string kinds;
    for (const TKMLPlacemark& p : loader.Placemarks)
        for (const TKMLGeometry& g : p.Geometries) kinds += std::to_string(g.Type) + ":" + std::to_string(g.Points.size()) + " ";
    // Polygons lose their two 0,0 corners, the lines their 0,0 end; LinearRing alone is no geometry.
    EXPECT_EQ(kinds, "2:3 2:3 2:3 2:3 2:3 1:1 0:1 1:1 2:3 1:1 ");
    EXPECT_EQ(loader.GetAllPoints().size(), 1u);
    EXPECT_EQ(loader.GetAllLines().size(), 6u);
}

class KmlWithoutPlacemarksTest : public testing::TestWithParam<const char*> {};

TEST_P(KmlWithoutPlacemarksTest, FailsSayingSo)
{
    THalvekKMZLoader loader;
    EXPECT_FALSE(loader.LoadFromFile(kmlData(GetParam())));
    EXPECT_EQ(loader.LastError, kNoPlacemarkGeometry);
    EXPECT_TRUE(loader.Placemarks.empty());
}

// The cut-off document's only placemark has no end; whitespace is no coordinates;
// prefixed tags are other tags; the entity bomb is never expanded.
INSTANTIATE_TEST_SUITE_P(ThirdParty, KmlWithoutPlacemarksTest,
                         testing::Values("truncated.kml", "kml_with_space_content_in_coordinates.kml",
                                         "placemark_with_kml_prefix.kml", "billion.kml"));

TEST(KmlThirdPartyTest, CommaOnlyListIsOneTuple)
{
    THalvekKMZLoader loader;
    ASSERT_TRUE(loader.LoadFromFile(kmlData("badcoords.kml")));
    ASSERT_EQ(loader.Placemarks.size(), 1u);
    EXPECT_EQ(loader.Placemarks[0].Name, "Continental Convergent Boundary");
    ASSERT_EQ(loader.Placemarks[0].Geometries.size(), 1u);
    const auto& points = loader.Placemarks[0].Geometries[0].Points;
    ASSERT_EQ(points.size(), 1u);
    EXPECT_DOUBLE_EQ(points[0].Longitude, -55.8097);
    EXPECT_DOUBLE_EQ(points[0].Latitude, -60.700099);
    EXPECT_EQ(points[0].Altitude, 0.0);
    EXPECT_TRUE(loader.GetAllLines().empty());
}

}  // namespace
