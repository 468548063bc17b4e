#include "chartfiles/LayoutWriter.h"

#include "canvas/THalvekCanvasModel.h"
#include "chartfiles/LayoutTextCodec.h"
#include "platform/NumberText.h"

#include <algorithm>
#include <charconv>
#include <unordered_map>

namespace skerra::layout {
namespace {

class LineWriter {
public:
    explicit LineWriter(std::string& out) : out_(out) {}

    LineWriter& keyword(const char* word)
    {
        out_ += word;
        return *this;
    }
    LineWriter& real(double v)
    {
        out_ += ' ';
        AppendFixed(out_, v, 6);
        return *this;
    }
    LineWriter& integer(long long v)
    {
        char buf[24];
        const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v);
        out_ += ' ';
        out_.append(buf, end);
        return *this;
    }
    LineWriter& text(const std::string& t)
    {
        out_ += ' ';
        out_ += t;
        return *this;
    }
    void end() { out_ += '\n'; }

private:
    std::string& out_;
};

std::string twoDigits(int v)
{
    std::string s = std::to_string(v);
    return s.size() < 2 ? "0" + s : s;
}

// Layer id -> position among the LAYER lines; -1 for a layer the chart lacks.
class LayerPositions {
public:
    explicit LayerPositions(const THalvekCanvasModel& canvas)
    {
        int position = 0;
        for (const auto& layer : canvas.Layers())
            positions_.emplace(layer->id, position++);
    }
    int operator()(int id)
    {
        if (id == lastId_)
            return lastPosition_;
        const auto it = positions_.find(id);
        lastId_ = id;
        lastPosition_ = it == positions_.end() ? -1 : it->second;
        return lastPosition_;
    }

private:
    std::unordered_map<int, int> positions_;
    int lastId_ = -1;
    int lastPosition_ = -1;
};

void writeShape(std::string& out, const THShape& s, int layer)
{
    LineWriter w(out);
    const auto pen = [&] { w.integer(layer).integer(s.PenFg()).integer(s.PenWidth()); };
    switch (s.Kind()) {
    case ShapeKind::Line: {
        const auto& l = static_cast<const THLine&>(s);
        w.keyword("LINE").real(l.X1).real(l.Y1).real(l.X2).real(l.Y2);
        pen();
        break;
    }
    case ShapeKind::Circle: {
        const auto& c = static_cast<const THCircle&>(s);
        w.keyword("CIRCLE").real(c.CX).real(c.CY).real(c.Radius);
        pen();
        break;
    }
    case ShapeKind::Point: {
        const auto& p = static_cast<const THPoint&>(s);
        w.keyword("POINT").real(p.X).real(p.Y);
        pen();
        w.real(p.Z);
        break;
    }
    case ShapeKind::Text: {
        const auto& t = static_cast<const THText&>(s);
        w.keyword("TEXT").real(t.X).real(t.Y).integer(layer).integer(t.FontIndex).integer(t.PenFg());
        w.real(t.Height).real(t.Angle).integer(t.Bold ? 1 : 0).integer(t.Italic ? 1 : 0);
        w.text(encodeFontToken(t.FontName)).text(encodeFieldText(t.DisplayText));
        break;
    }
    case ShapeKind::Rectangle: {
        const auto& r = static_cast<const THRectangle&>(s);
        w.keyword("RECTANGLE").real(r.X1).real(r.Y1).real(r.X2).real(r.Y2);
        pen();
        w.integer(r.BrushFg).integer(r.BrushStyle).real(r.Z);
        break;
    }
    case ShapeKind::Ellipse: {
        const auto& e = static_cast<const THEllipse&>(s);
        w.keyword("ELLIPSE").real(e.X1).real(e.Y1).real(e.X2).real(e.Y2);
        pen();
        break;
    }
    case ShapeKind::Arc: {
        const auto& a = static_cast<const THArc&>(s);
        w.keyword("ARC").real(a.X1).real(a.Y1).real(a.X2).real(a.Y2).real(a.X3).real(a.Y3);
        pen();
        break;
    }
    case ShapeKind::Polyline: {
        const auto& p = static_cast<const THPolyline&>(s);
        const char* keyword = p.ShapeType == ShapeTypeCode::Spline ? "SPLINE"
                              : p.ShapeType == ShapeTypeCode::Arc3 ? "ARC3P"
                              : p.Closed                           ? "POLYGON"
                                                                   : "POLYLINE";
        w.keyword(keyword).integer(layer).integer(p.PointCount()).integer(p.PenFg()).integer(p.PenWidth());
        for (const auto& v : p.Points) {
            w.end();
            AppendFixed(out, v.x, 6);
            out += ' ';
            AppendFixed(out, v.y, 6);
        }
        break;
    }
    }
    w.end();
}

}  // namespace

std::string createdOnText(const QDateTime& t)
{
    const QDate d = t.date();
    const QTime c = t.time();
    return std::to_string(d.year()) + "-" + twoDigits(d.month()) + "-" + twoDigits(d.day()) + " " +
           twoDigits(c.hour()) + ":" + twoDigits(c.minute()) + ":" + twoDigits(c.second()) + "." +
           twoDigits(c.msec() / 10);
}

void composeLayoutText(const THalvekCanvasModel& canvas, const QDateTime& createdOn, std::size_t pieceSize,
                       const std::function<void(std::string& piece)>& sink)
{
    std::string out;
    const std::size_t room = std::min(pieceSize, 4096 + static_cast<std::size_t>(canvas.ShapeCount()) * 80) + 4096;
    out.reserve(room);
    const auto handOver = [&] {
        sink(out);
        out.clear();
        out.reserve(room);
    };
    out += "# Qamet - QMT\n";
    out += "# Skerra chart layout\n";
    out += "# Created on: " + createdOnText(createdOn) + "\n";
    out += "#\n";
    LineWriter(out).keyword("WORLD").real(canvas.WorldLeft).real(canvas.WorldRight).real(canvas.WorldBottom)
        .real(canvas.WorldTop).end();
    for (const auto& layer : canvas.Layers()) {
        LineWriter(out).keyword("LAYER").text(encodeFieldText(layer->name)).end();
        if (out.size() >= pieceSize)
            handOver();
    }
    LayerPositions position(canvas);
    for (const THShape* s : canvas.Shapes()) {
        writeShape(out, *s, position(s->LayerId()));
        if (out.size() >= pieceSize)
            handOver();
    }
    if (!out.empty())
        sink(out);
}

std::string composeLayoutText(const THalvekCanvasModel& canvas, const QDateTime& createdOn)
{
    std::string text;
    composeLayoutText(canvas, createdOn, std::size_t(1) << 20, [&text](std::string& piece) { text += piece; });
    return text;
}

}  // namespace skerra::layout
