#pragma once
// Helpers of the layout-file tests: a chart described as text, files in a
// temporary folder, a fixed clock.

#include "canvas/THalvekCanvasModel.h"
#include "platform/Clock.h"
#include "platform/NumberText.h"

#include <QByteArray>
#include <QDateTime>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <string>

namespace layouttest {

inline std::string num(double v) { return skerra::FormatGeneral(v, 10); }

inline std::string layerName(const THalvekCanvasModel& c, int id)
{
    const THLayer* l = c.FindLayer(id);
    return l ? l->name.toStdString() : "?" + std::to_string(id);
}

// One shape: its kind and geometry, then "@layer pen colour/width".
inline std::string describe(const THalvekCanvasModel& c, const THShape& s)
{
    std::string d;
    const auto xy = [](double x, double y) { return num(x) + "," + num(y); };
    switch (s.Kind()) {
    case ShapeKind::Line: {
        const auto& l = static_cast<const THLine&>(s);
        d = "LINE " + xy(l.X1, l.Y1) + " " + xy(l.X2, l.Y2);
        break;
    }
    case ShapeKind::Circle: {
        const auto& k = static_cast<const THCircle&>(s);
        d = "CIRCLE " + xy(k.CX, k.CY) + " r" + num(k.Radius);
        break;
    }
    case ShapeKind::Point: {
        const auto& p = static_cast<const THPoint&>(s);
        d = "POINT " + xy(p.X, p.Y) + " z" + num(p.Z) + " size" + std::to_string(p.PointSize);
        break;
    }
    case ShapeKind::Text: {
        const auto& t = static_cast<const THText&>(s);
        d = "TEXT " + xy(t.X, t.Y) + " #" + std::to_string(t.FontIndex) + " h" + num(t.Height) + " a" +
            num(t.Angle) + (t.Bold ? " bold" : "") + (t.Italic ? " italic" : "") + " font'" +
            t.FontName.toStdString() + "' '" + t.DisplayText.toStdString() + "'";
        break;
    }
    case ShapeKind::Rectangle: {
        const auto& r = static_cast<const THRectangle&>(s);
        d = "RECTANGLE " + xy(r.X1, r.Y1) + " " + xy(r.X2, r.Y2) + " brush" + std::to_string(r.BrushFg) + "/" +
            std::to_string(int(r.BrushStyle)) + " z" + num(r.Z);
        break;
    }
    case ShapeKind::Ellipse: {
        const auto& e = static_cast<const THEllipse&>(s);
        d = "ELLIPSE " + xy(e.X1, e.Y1) + " " + xy(e.X2, e.Y2);
        break;
    }
    case ShapeKind::Arc: {
        const auto& a = static_cast<const THArc&>(s);
        d = "ARC " + xy(a.X1, a.Y1) + " " + xy(a.X2, a.Y2) + " " + xy(a.X3, a.Y3);
        break;
    }
    case ShapeKind::Polyline: {
        const auto& p = static_cast<const THPolyline&>(s);
        d = "POLY" + std::to_string(int(p.ShapeType)) + (p.Closed ? " closed" : "");
        for (const auto& v : p.Points)
            d += " " + xy(v.x, v.y);
        break;
    }
    }
    return d + " @" + layerName(c, s.LayerId()) + " pen" + std::to_string(s.PenFg()) + "/" +
           std::to_string(s.PenWidth());
}

// Every shape in drawing order, one a line.
inline std::string describeShapes(const THalvekCanvasModel& c)
{
    std::string d;
    for (const THShape* s : c.Shapes())
        d += describe(c, *s) + "\n";
    return d;
}

inline std::string describeLayers(const THalvekCanvasModel& c)
{
    std::string d;
    for (const auto& l : c.Layers())
        d += (d.empty() ? "" : "|") + l->name.toStdString();
    return d;
}

inline std::string describeWorld(const THalvekCanvasModel& c)
{
    return num(c.WorldLeft) + " " + num(c.WorldRight) + " " + num(c.WorldBottom) + " " + num(c.WorldTop);
}

// Layers, world and shapes: everything a load can change.
inline std::string describeChart(const THalvekCanvasModel& c)
{
    return "layers " + describeLayers(c) + "\nworld " + describeWorld(c) + "\n" + describeShapes(c);
}

inline bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

inline QByteArray readBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The clock stands at a fixed moment while the object lives.
class FixedClock {
public:
    explicit FixedClock(const QDateTime& at)
    {
        skerra::setClockForTesting([at] { return at; });
    }
    ~FixedClock() { skerra::setClockForTesting({}); }
    FixedClock(const FixedClock&) = delete;
    FixedClock& operator=(const FixedClock&) = delete;
};

}  // namespace layouttest
