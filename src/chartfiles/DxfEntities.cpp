// The entity pass of the DXF import and the handlers of the entity kinds.

#include "canvas/ShapeReadRules.h"
#include "canvas/THalvekCanvasModel.h"
#include "chartfiles/DxfCarets.h"
#include "chartfiles/DxfLoad.h"
#include "chartfiles/DxfLoader.h"
#include "chartfiles/DxfMText.h"
#include "chartfiles/DxfNumbers.h"
#include "platform/Windows1254.h"

#include <cmath>
#include <initializer_list>
#include <vector>

namespace {

constexpr double kPi = 3.141592653589793;

bool finite(std::initializer_list<double> values)
{
    for (double v : values)
        if (!std::isfinite(v))
            return false;
    return true;
}

bool finitePoints(const std::vector<double>& xs, const std::vector<double>& ys)
{
    for (std::size_t i = 0; i < xs.size(); ++i)
        if (!std::isfinite(xs[i]) || !std::isfinite(ys[i]))
            return false;
    return true;
}

// A layer flag for the trace of LINEs.
const char* flag(const THLayer* layer, bool THLayer::*field)
{
    if (!layer)
        return "NULL";
    return layer->*field ? "Y" : "N";
}

}  // namespace

void DxfLoader::readEntities()
{
    if (!findSection("ENTITIES") || !in_.skipPairs())
        return;
    std::string_view type;
    bool haveType = false;
    for (;;) {
        if (!haveType && !in_.next(type))
            return;
        haveType = false;
        if (type == "ENDSEC")
            return;
        const Next next = dispatch(type);
        if (next == Next::End)
            return;
        if (next == Next::HaveType) {
            type = in_.current();
            haveType = true;
        }
    }
}

DxfLoader::Next DxfLoader::dispatch(std::string_view type)
{
    if (type == "LINE")
        return readLine();
    if (type == "CIRCLE")
        return readCircle();
    if (type == "ARC")
        return readArc();
    if (type == "ELLIPSE")
        return readEllipse();
    if (type == "SOLID" || type == "TRACE")
        return readSolid();
    if (type == "POINT")
        return readPoint();
    if (type == "SPLINE")
        return readSpline();
    if (type == "TEXT")
        return readText(false);
    if (type == "MTEXT")
        return readText(true);
    if (type == "LWPOLYLINE")
        return readLwPolyline();
    if (type == "POLYLINE")
        return readPolyline();
    if (type == "INSERT")
        return readInsert();
    return after(in_.skipPairs());
}

DxfLoader::Next DxfLoader::readLine()
{
    std::string layerName = "0";  // for the trace only
    const bool traced = converted_ < 5 && lcDxfImport().isDebugEnabled();
    int colorNumber = -1;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    const bool more = in_.readPairs([&](int code, std::string_view value, std::string_view) {
        switch (code) {
        case 8:
            if (traced)
                layerName = value;
            break;
        case 62: colorNumber = dxfAtol(value); break;
        case 10: x1 = dxfAtof(value); break;
        case 20: y1 = dxfAtof(value); break;
        case 11: x2 = dxfAtof(value); break;
        case 21: y2 = dxfAtof(value); break;
        default: break;
        }
    });
    if (traced) {
        const THLayer* layer = importLayerRecord();
        qCDebug(lcDxfImport).noquote().nospace()
            << "DXF LINE: layer='" << QString::fromUtf8(layerName) << "' lid=" << importLayer()
            << " visible=" << flag(layer, &THLayer::visible) << " locked=" << flag(layer, &THLayer::locked);
    }
    auto line = std::make_unique<THLine>(x1, y1, x2, y2);
    line->UpdateBounds();
    append(std::move(line), colorNumber, true);
    return after(more);
}

DxfLoader::Next DxfLoader::readCircle()
{
    int colorNumber = -1;
    double cx = 0, cy = 0, r = 0;
    const bool more = in_.readPairs([&](int code, std::string_view value, std::string_view) {
        switch (code) {
        case 62: colorNumber = dxfAtol(value); break;
        case 10: cx = dxfAtof(value); break;
        case 20: cy = dxfAtof(value); break;
        case 40: r = dxfAtof(value); break;
        default: break;
        }
    });
    if (finite({cx - r, cx + r, cy - r, cy + r})) {
        auto circle = std::make_unique<THCircle>(cx, cy, r);
        circle->UpdateBounds();
        append(std::move(circle), colorNumber, true);
    }
    return after(more);
}

// Twenty chords from the start angle counter-clockwise over the sweep.
DxfLoader::Next DxfLoader::readArc()
{
    int colorNumber = -1;
    double cx = 0, cy = 0, r = 0, start = 0, end = 360;
    const bool more = in_.readPairs([&](int code, std::string_view value, std::string_view) {
        switch (code) {
        case 62: colorNumber = dxfAtol(value); break;
        case 10: cx = dxfAtof(value); break;
        case 20: cy = dxfAtof(value); break;
        case 40: r = dxfAtof(value); break;
        case 50: start = dxfAtof(value); break;
        case 51: end = dxfAtof(value); break;
        default: break;
        }
    });
    double sweep = end - start;
    if (sweep < 0)
        sweep += 360.0;
    std::vector<double>& xs = scratchX_;
    std::vector<double>& ys = scratchY_;
    xs.clear();
    ys.clear();
    for (int i = 0; i <= 20; ++i) {
        const double a = (i * sweep / 20.0 + start) * kPi / 180.0;
        xs.push_back(cx + r * std::cos(a));
        ys.push_back(cy + r * std::sin(a));
    }
    if (finitePoints(xs, ys))
        appendPolyline(xs, ys, false, colorNumber);
    return after(more);
}

// Thirty-six chords over the parameter span, used as it is (a negative span
// runs backwards); a span of a full turn makes a closed outline.
DxfLoader::Next DxfLoader::readEllipse()
{
    int colorNumber = -1;
    double cx = 0, cy = 0, mx = 0, my = 0, ratio = 1, t0 = 0, t1 = 2 * kPi;
    const bool more = in_.readPairs([&](int code, std::string_view value, std::string_view) {
        switch (code) {
        case 62: colorNumber = dxfAtol(value); break;
        case 10: cx = dxfAtof(value); break;
        case 20: cy = dxfAtof(value); break;
        case 11: mx = dxfAtof(value); break;
        case 21: my = dxfAtof(value); break;
        case 40: ratio = dxfAtof(value); break;
        case 41: t0 = dxfAtof(value); break;
        case 42: t1 = dxfAtof(value); break;
        default: break;
        }
    });
    const bool fullTurn = std::abs(t1 - t0) >= 6.2731853071795864;
    const double a = std::sqrt(mx * mx + my * my);
    const double rot = std::atan2(my, mx);
    const double b = a * ratio;
    const double cr = std::cos(rot), sr = std::sin(rot);
    std::vector<double>& xs = scratchX_;
    std::vector<double>& ys = scratchY_;
    xs.clear();
    ys.clear();
    for (int i = 0; i <= 36; ++i) {
        const double t = (t1 - t0) * i / 36.0 + t0;
        const double px = a * std::cos(t);
        const double py = b * std::sin(t);
        xs.push_back(cx + px * cr - py * sr);
        ys.push_back(cy + px * sr + py * cr);
    }
    if (finitePoints(xs, ys))
        appendPolyline(xs, ys, fullTurn, colorNumber);
    return after(more);
}

// Corners in the order 1, 2, 4, 3 (DXF gives the last two crosswise); a
// triangle, whose fourth corner repeats its third or is not given, has three.
DxfLoader::Next DxfLoader::readSolid()
{
    int colorNumber = -1;
    double x[4] = {0, 0, 0, 0};
    double y[4] = {0, 0, 0, 0};
    bool fourthX = false, fourthY = false;
    const bool more = in_.readPairs([&](int code, std::string_view value, std::string_view) {
        if (code == 62)
            colorNumber = dxfAtol(value);
        else if (code >= 10 && code <= 13)
            x[code - 10] = dxfAtof(value), fourthX |= code == 13;
        else if (code >= 20 && code <= 23)
            y[code - 20] = dxfAtof(value), fourthY |= code == 23;
    });
    if (!fourthX && !fourthY) {
        x[3] = x[2];
        y[3] = y[2];
    }
    std::vector<double>& xs = scratchX_;
    std::vector<double>& ys = scratchY_;
    xs.assign({x[0], x[1], x[3]});
    ys.assign({y[0], y[1], y[3]});
    if (!(x[2] == x[3] && y[2] == y[3])) {
        xs.push_back(x[2]);
        ys.push_back(y[2]);
    }
    appendPolyline(xs, ys, true, colorNumber);
    return after(more);
}

DxfLoader::Next DxfLoader::readPoint()
{
    double x = 0, y = 0;
    const bool more = in_.readPairs([&](int code, std::string_view value, std::string_view) {
        if (code == 10)
            x = dxfAtof(value);
        else if (code == 20)
            y = dxfAtof(value);
    });
    auto point = std::make_unique<THPoint>(x, y);
    point->UpdateBounds();
    const THLayer* layer = importLayerRecord();
    put(std::move(point), layer ? layer->penColor : 0, layer ? layer->penWidth : 1);
    return after(more);
}

// The control polygon, when there are as many x as y values.
DxfLoader::Next DxfLoader::readSpline()
{
    int colorNumber = -1;
    bool closed = false;
    std::vector<double>& xs = scratchX_;
    std::vector<double>& ys = scratchY_;
    xs.clear();
    ys.clear();
    const bool more = in_.readPairs([&](int code, std::string_view value, std::string_view) {
        switch (code) {
        case 62: colorNumber = dxfAtol(value); break;
        case 70: closed = (dxfAtol(value) & 1) != 0; break;
        case 10: xs.push_back(dxfAtof(value)); break;
        case 20: ys.push_back(dxfAtof(value)); break;
        default: break;
        }
    });
    if (xs.size() == ys.size())
        appendPolyline(xs, ys, closed, colorNumber);
    return after(more);
}

// TEXT and MTEXT. An MTEXT's text is its group 3 chunks in order, then its
// group 1; what follows a group 101 belongs to an embedded object.
DxfLoader::Next DxfLoader::readText(bool mtext)
{
    double x = 0, y = 0, height = 2.5, rotation = 0;
    std::string text;
    std::string chunks;
    bool embedded = false;
    const bool more = in_.readPairs([&](int code, std::string_view value, std::string_view raw) {
        if (embedded)
            return;
        switch (code) {
        case 10: x = dxfAtof(value); break;
        case 20: y = dxfAtof(value); break;
        case 40: height = dxfAtof(value); break;
        case 50: rotation = dxfAtof(value); break;
        case 1:
            if (mtext)
                text.assign(raw.substr(0, raw.size() - (raw.ends_with('\r') ? 1 : 0)));
            else
                text.assign(value);
            break;
        case 3:
            if (mtext)
                chunks.append(raw.substr(0, raw.size() - (raw.ends_with('\r') ? 1 : 0)));
            break;
        case 101:
            embedded = mtext;
            break;
        default: break;
        }
    });
    if (mtext) {
        text.insert(0, chunks);
        TrimBlanks(text);
    }
    const std::string stripped = text.empty() ? std::string() : StripMTextCodes(DecodeDxfCarets(text), mtext);
    if (!TrimBlanks(std::string_view(stripped)).empty()) {
        const THLayer* layer = importLayerRecord();
        const QString decoded = skerra::decodeUtf8OrWindows1254(stripped);
        auto shape = std::make_unique<THText>();
        shape->X = x;
        shape->Y = y;
        shape->DisplayText = decoded;
        shape->SetText(decoded);
        shape->FontIndex = -1;
        const double size = skerra::canvas::textHeightAsRead(height);
        shape->Height = size > 0.1 ? size : 2.5;
        shape->Angle = rotation;
        shape->Justify = 2;
        shape->UpdateBounds();
        put(std::move(shape), layer ? layer->penColor : 0, 1);
    }
    return after(more);
}

// A vertex is a group 10 and the group 20 after it; a 20 without a 10 is dropped.
DxfLoader::Next DxfLoader::readLwPolyline()
{
    int colorNumber = -1;
    bool closed = false;
    double pendingX = 0;
    bool xPending = false;
    std::vector<double>& xs = scratchX_;
    std::vector<double>& ys = scratchY_;
    xs.clear();
    ys.clear();
    const bool more = in_.readPairs([&](int code, std::string_view value, std::string_view) {
        switch (code) {
        case 62: colorNumber = dxfAtol(value); break;
        case 70: closed = (dxfAtol(value) & 1) != 0; break;
        case 10:
            pendingX = dxfAtof(value);
            xPending = true;
            break;
        case 20:
            if (xPending) {
                xs.push_back(pendingX);
                ys.push_back(dxfAtof(value));
                xPending = false;
            }
            break;
        default: break;
        }
    });
    appendPolyline(xs, ys, closed, colorNumber);
    return after(more);
}

// The header, then its VERTEX records. The record after the last vertex
// (normally SEQEND) goes back to the entity loop. Face records of a polyface
// mesh (flag 128 without 64) carry no vertex.
DxfLoader::Next DxfLoader::readPolyline()
{
    int colorNumber = -1;
    bool closed = false;
    std::vector<double>& xs = scratchX_;
    std::vector<double>& ys = scratchY_;
    xs.clear();
    ys.clear();
    bool more = in_.readPairs([&](int code, std::string_view value, std::string_view) {
        if (code == 62)
            colorNumber = dxfAtol(value);
        else if (code == 70)
            closed = (dxfAtol(value) & 1) != 0;
    });
    Next next = Next::End;
    std::string_view type;
    while (more) {
        if (!in_.next(type))
            break;
        if (type != "VERTEX") {
            next = Next::HaveType;
            break;
        }
        double vx = 0, vy = 0;
        int flags = 0;
        more = in_.readPairs([&](int code, std::string_view value, std::string_view) {
            if (code == 10)
                vx = dxfAtof(value);
            else if (code == 20)
                vy = dxfAtof(value);
            else if (code == 70)
                flags = dxfAtol(value);
        });
        const bool faceRecord = (flags & 128) != 0 && (flags & 64) == 0;
        if (!faceRecord) {
            xs.push_back(vx);
            ys.push_back(vy);
        }
    }
    appendPolyline(xs, ys, closed, colorNumber);
    return next;
}

void DxfLoader::appendPolyline(const std::vector<double>& xs, const std::vector<double>& ys, bool closed,
                               int colorNumber)
{
    if (xs.size() < 2)
        return;
    auto polyline = std::make_unique<THPolyline>(closed ? ShapeTypeCode::Polygon : ShapeTypeCode::Polyline);
    polyline->Closed = closed;
    polyline->Points.reserve(xs.size());
    for (std::size_t i = 0; i < xs.size(); ++i)
        polyline->AddPoint(xs[i], ys[i]);
    append(std::move(polyline), colorNumber, false);
}
