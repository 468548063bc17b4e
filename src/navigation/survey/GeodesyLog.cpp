#include "GeodesyLog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace skerra::survey {

namespace {

std::string dateText(const QDate& date) { return date.toString(QStringLiteral("yyyy-MM-dd")).toStdString(); }

std::string yesNo(bool value) { return value ? "Yes" : "No"; }

std::string joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

}  // namespace

std::string GeodesyLogPath(const std::string& logFolder, const QDate& date)
{
    return logFolder + dateText(date) + " Geodesy.txt";
}

std::vector<std::string> GeodesyLogHeader(const QDate& date)
{
    return {"GEODETIC PARAMETERS LOG - " + dateText(date), std::string(40, '='), ""};
}

std::vector<std::string> GeodesyLogBlock(const GridSettingsTexts& g, const QTime& time)
{
    return {
        "=== SESSION START: " + time.toString(QStringLiteral("HHmmsszzz")).toStdString() + " ===",
        "",
        "--- ELLIPSOID ---",
        "Semi-Major Axis: " + g.semiMajorAxis,
        "Inverse Flattening: " + g.flattening,
        "",
        "--- DATUM TRANSFORMATION ---",
        "Name of Datum: " + g.datumName,
        "Use DTP: " + yesNo(g.useDatumTransformation),
        "X/Y/Z Rotation: " + g.rotationX + ", " + g.rotationY + ", " + g.rotationZ,
        "X/Y/Z Shift: " + g.shiftX + ", " + g.shiftY + ", " + g.shiftZ,
        "Scale PPM: " + g.scalePpm,
        "",
        "--- TRANSVERSE MERCATOR ---",
        "Use TM: " + yesNo(g.useTransverseMercator),
        "CM: " + g.centralMeridian + ", Ref Lat: " + g.referenceLatitude + ", SF: " + g.scaleFactor,
        "FE: " + g.falseEasting + ", FN: " + g.falseNorthing,
        "",
        "--- LAMBERT CONFORMAL CONIC ---",
        "Use LCC: " + yesNo(g.useLambert),
        "SP1: " + g.lccStandardParallel1 + ", SP2: " + g.lccStandardParallel2,
        "CP: " + g.lccLatitudeOfOrigin + ", CM: " + g.lccCentralMeridian,
        "FE: " + g.lccFalseEasting + ", FN: " + g.lccFalseNorthing,
        "",
        std::string(40, '-'),
        "",
    };
}

std::string AppendGeodesyLog(const std::string& path, const QDate& date, const std::vector<std::string>& block)
{
    const QString name = QString::fromStdString(path);
    const QString folder = QFileInfo(name).absolutePath();
    if (!QDir().mkpath(folder)) return "cannot create the folder " + folder.toStdString();
    QFile file(name);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return "cannot open " + path + " (" + file.errorString().toStdString() + ")";
    std::string text = joined(block);
    if (file.size() == 0) text = joined(GeodesyLogHeader(date)) + text;
    if (file.write(text.data(), qint64(text.size())) != qint64(text.size()) || !file.flush())
        return "cannot write " + path + " (" + file.errorString().toStdString() + ")";
    return {};
}

}  // namespace skerra::survey

std::string LogGeodesySession(const GridSettingsTexts& grid, const QDateTime& now, const std::string& logFolder)
{
    using namespace skerra::survey;
    return AppendGeodesyLog(GeodesyLogPath(logFolder, now.date()), now.date(), GeodesyLogBlock(grid, now.time()));
}
