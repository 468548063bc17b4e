// The realtime geodesy log: its bytes on the first and later starts of a day, an
// empty settings snapshot and a folder that cannot be made.

#include "navigation/survey/GeodesyLog.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

GridSettingsTexts utmLike()
{
    GridSettingsTexts g;
    g.datumName = "ED50";
    g.useDatumTransformation = true;
    g.useTransverseMercator = true;
    g.semiMajorAxis = "6378388";
    g.flattening = "0.0033670033670034";
    g.scalePpm = "-1.1";
    g.rotationX = "0.1", g.rotationY = "0.2", g.rotationZ = "0.3";
    g.shiftX = "-87", g.shiftY = "-98", g.shiftZ = "-121";
    g.centralMeridian = "27";
    g.referenceLatitude = "0";
    g.scaleFactor = "0.9996";
    g.falseEasting = "500000";
    g.falseNorthing = "0";
    g.lccStandardParallel1 = "36";
    g.lccStandardParallel2 = "42";
    g.lccLatitudeOfOrigin = "39";
    g.lccCentralMeridian = "35";
    g.lccFalseEasting = "1000000";
    g.lccFalseNorthing = "200000";
    return g;
}

const QByteArray kUtmBlock =
    "=== SESSION START: 093005042 ===\r\n"
    "\r\n"
    "--- ELLIPSOID ---\r\n"
    "Semi-Major Axis: 6378388\r\n"
    "Inverse Flattening: 0.0033670033670034\r\n"
    "\r\n"
    "--- DATUM TRANSFORMATION ---\r\n"
    "Name of Datum: ED50\r\n"
    "Use DTP: Yes\r\n"
    "X/Y/Z Rotation: 0.1, 0.2, 0.3\r\n"
    "X/Y/Z Shift: -87, -98, -121\r\n"
    "Scale PPM: -1.1\r\n"
    "\r\n"
    "--- TRANSVERSE MERCATOR ---\r\n"
    "Use TM: Yes\r\n"
    "CM: 27, Ref Lat: 0, SF: 0.9996\r\n"
    "FE: 500000, FN: 0\r\n"
    "\r\n"
    "--- LAMBERT CONFORMAL CONIC ---\r\n"
    "Use LCC: No\r\n"
    "SP1: 36, SP2: 42\r\n"
    "CP: 39, CM: 35\r\n"
    "FE: 1000000, FN: 200000\r\n"
    "\r\n"
    "----------------------------------------\r\n"
    "\r\n";

const QByteArray kEmptyBlock =
    "=== SESSION START: 235959999 ===\r\n"
    "\r\n"
    "--- ELLIPSOID ---\r\n"
    "Semi-Major Axis: \r\n"
    "Inverse Flattening: \r\n"
    "\r\n"
    "--- DATUM TRANSFORMATION ---\r\n"
    "Name of Datum: \r\n"
    "Use DTP: No\r\n"
    "X/Y/Z Rotation: , , \r\n"
    "X/Y/Z Shift: , , \r\n"
    "Scale PPM: \r\n"
    "\r\n"
    "--- TRANSVERSE MERCATOR ---\r\n"
    "Use TM: No\r\n"
    "CM: , Ref Lat: , SF: \r\n"
    "FE: , FN: \r\n"
    "\r\n"
    "--- LAMBERT CONFORMAL CONIC ---\r\n"
    "Use LCC: No\r\n"
    "SP1: , SP2: \r\n"
    "CP: , CM: \r\n"
    "FE: , FN: \r\n"
    "\r\n"
    "----------------------------------------\r\n"
    "\r\n";

const QByteArray kHeader = "GEODETIC PARAMETERS LOG - 2026-12-10\r\n"
                           "========================================\r\n"
                           "\r\n";

TEST(GeodesyLog, FirstStartOfADayWritesTheHeaderThenEveryStartAppendsABlock)
{
    QTemporaryDir root;
    const std::string logFolder = (root.path() + "/2026-12-09/LOG/").toStdString();  // not there yet
    const QDate day(2026, 12, 10);
    const QString path = root.path() + "/2026-12-09/LOG/2026-12-10 Geodesy.txt";

    EXPECT_EQ(LogGeodesySession(utmLike(), QDateTime(day, QTime(9, 30, 5, 42)), logFolder), "");
    EXPECT_EQ(readAll(path), kHeader + kUtmBlock);

    EXPECT_EQ(LogGeodesySession(GridSettingsTexts{}, QDateTime(day, QTime(23, 59, 59, 999)), logFolder), "");
    EXPECT_EQ(readAll(path), kHeader + kUtmBlock + kEmptyBlock);  // no BOM, CR LF throughout
}

TEST(GeodesyLog, AFolderThatCannotBeMadeIsSaidInWords)
{
    QTemporaryDir root;
    QFile blocker(root.path() + "/LOG");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));  // a file where the folder should be
    blocker.close();
    const std::string problem =
        LogGeodesySession(utmLike(), QDateTime(QDate(2026, 12, 10), QTime(9, 0)), (root.path() + "/LOG/").toStdString());
    EXPECT_NE(problem.find("cannot create the folder"), std::string::npos) << problem;
}

}  // namespace
