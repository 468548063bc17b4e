#include "chartfiles/LayoutParser.h"

#include "canvas/ShapeReadRules.h"
#include "canvas/THArc.h"
#include "canvas/THCircle.h"
#include "canvas/THEllipse.h"
#include "canvas/THLine.h"
#include "canvas/THPoint.h"
#include "canvas/THPolyline.h"
#include "canvas/THRectangle.h"
#include "canvas/THText.h"
#include "chartfiles/LayoutTextCodec.h"
#include "platform/NumberText.h"

#include <cstring>
#include <limits>

namespace skerra::layout {
namespace {

bool isSeparator(char c) { return c == ' ' || c == '\t' || c == '\r'; }

// The fields of one line, read in order. Once one is missing or not a number,
// it and every later field report failure and keep their defaults.
class Fields {
public:
    explicit Fields(std::string_view line) : line_(line) {}

    // The next token; empty when the line has no more.
    std::string_view next()
    {
        while (pos_ < line_.size() && isSeparator(line_[pos_]))
            ++pos_;
        const std::size_t start = pos_;
        while (pos_ < line_.size() && !isSeparator(line_[pos_]))
            ++pos_;
        return line_.substr(start, pos_ - start);
    }
    // Just behind the last token read.
    std::size_t position() const { return pos_; }
    bool ok() const { return ok_; }

    bool real(double& value) { return take(value, [](std::string_view t) { return tryParseDouble(t); }); }
    bool integer(int& value) { return take(value, [](std::string_view t) { return tryParseInt(t); }); }
    bool integerIn(int& value, int low, int high)
    {
        return take(value, [low, high](std::string_view t) -> std::optional<int> {
            const std::optional<int> v = tryParseInt(t);
            if (v && *v >= low && *v <= high)
                return v;
            return std::nullopt;
        });
    }
    // The text after the last token read, less the one blank that separates it.
    std::string_view restAfterOneBlank() const
    {
        std::string_view rest = line_.substr(pos_);
        if (!rest.empty() && rest.front() == ' ')
            rest.remove_prefix(1);
        return rest;
    }

private:
    template <class T, class Parse>
    bool take(T& value, Parse parse)
    {
        if (!ok_)
            return false;
        const std::string_view token = next();
        const auto parsed = token.empty() ? std::nullopt : parse(token);
        if (!parsed) {
            ok_ = false;
            return false;
        }
        value = *parsed;
        return true;
    }

    std::string_view line_;
    std::size_t pos_ = 0;
    bool ok_ = true;
};

Pen readPen(Fields& f)
{
    Pen pen;
    pen.given = f.integer(pen.colour);
    if (pen.given && f.integer(pen.width))
        pen.width = skerra::canvas::penWidthAsRead(pen.width);
    return pen;
}

template <std::size_t N>
bool reals(Fields& f, double (&values)[N])
{
    for (double& v : values)
        if (!f.real(v))
            return false;
    return true;
}

int polylineType(std::string_view keyword)
{
    if (keyword == "POLYLINE")
        return ShapeTypeCode::Polyline;
    if (keyword == "POLYGON")
        return ShapeTypeCode::Polygon;
    if (keyword == "SPLINE")
        return ShapeTypeCode::Spline;
    if (keyword == "ARC3P")
        return ShapeTypeCode::Arc3;
    return 0;
}

}  // namespace

LayoutParser::LayoutParser(LayoutPlacer& placer) : placer_(placer) {}
LayoutParser::~LayoutParser() = default;

void LayoutParser::feed(std::string_view text)
{
    while (!text.empty()) {
        const void* lf = std::memchr(text.data(), '\n', text.size());
        if (!lf) {
            carry_.append(text);
            return;
        }
        const std::size_t length = static_cast<const char*>(lf) - text.data();
        if (carry_.empty()) {
            line(text.substr(0, length));
        } else {
            carry_.append(text.substr(0, length));
            line(carry_);
            carry_.clear();
        }
        text.remove_prefix(length + 1);
    }
}

void LayoutParser::finish()
{
    if (!carry_.empty()) {
        line(carry_);
        carry_.clear();
    }
    closePolyline();
}

namespace {

// Each read function returns false when its line is left out.

bool readWorld(Fields& f, LayoutPlacer& placer)
{
    StagedWorld& world = placer.world();
    bool any = false;
    for (std::optional<double>* side : {&world.left, &world.right, &world.bottom, &world.top}) {
        double v = 0.0;
        if (!f.real(v))
            break;
        *side = v;
        placer.markLayoutLine();
        any = true;
    }
    return any;
}

bool readText(Fields& f, LayoutPlacer& placer)
{
    double at[2];
    int layer = 0, fontIndex = 0;
    if (!reals(f, at) || !f.integer(layer) || !f.integer(fontIndex))
        return false;
    Pen pen;
    pen.given = f.integer(pen.colour);
    double height = 10.0, angle = 0.0;
    int bold = 0, italic = 0;
    f.real(height);
    f.real(angle);
    f.integer(bold);
    f.integer(italic);
    auto shape = std::make_unique<THText>();
    THText& text = *shape;
    text.X = at[0];
    text.Y = at[1];
    text.FontIndex = fontIndex;
    text.Height = skerra::canvas::textHeightAsRead(height);
    text.Angle = angle;
    text.Bold = bold != 0;
    text.Italic = italic != 0;
    bool fontNameGiven = false;
    if (f.ok()) {
        const std::string_view fontToken = f.next();
        const QString fontName = decodeFontToken(fontToken);
        if (!fontName.isEmpty() && fontToken != "0") {
            text.FontName = fontName;
            fontNameGiven = true;
        }
        if (!fontToken.empty())
            text.DisplayText = decodeFieldText(f.restAfterOneBlank());
    }
    text.SetText(text.DisplayText);
    text.UpdateBounds();
    placer.fitText(text, fontNameGiven);
    return placer.put(std::move(shape), layer, pen);
}

bool readRectangle(Fields& f, LayoutPlacer& placer)
{
    double c[4];
    int layer = 0;
    if (!reals(f, c) || !f.integer(layer))
        return false;
    const Pen pen = readPen(f);
    int brushColour = 0, brushStyle = 0;
    double z = 0.0;
    f.integer(brushColour);
    f.integerIn(brushStyle, 0, 255);
    f.real(z);
    auto r = std::make_unique<THRectangle>(c[0], c[1], c[2], c[3]);
    r->Z = z;
    r->BrushFg = brushColour;
    r->BrushStyle = static_cast<TBrushStyle>(brushStyle);
    r->UpdateBounds();
    return placer.put(std::move(r), layer, pen);
}

template <class S, std::size_t N>
bool readGeometric(Fields& f, LayoutPlacer& placer)
{
    double g[N];
    int layer = 0;
    if (!reals(f, g) || !f.integer(layer))
        return false;
    const Pen pen = readPen(f);
    std::unique_ptr<S> shape;
    if constexpr (N == 3)
        shape = std::make_unique<S>(g[0], g[1], g[2]);
    else if constexpr (N == 4)
        shape = std::make_unique<S>(g[0], g[1], g[2], g[3]);
    else
        shape = std::make_unique<S>(g[0], g[1], g[2], g[3], g[4], g[5]);
    shape->UpdateBounds();
    return placer.put(std::move(shape), layer, pen);
}

bool readPoint(Fields& f, LayoutPlacer& placer)
{
    double at[2];
    int layer = 0;
    if (!reals(f, at) || !f.integer(layer))
        return false;
    const Pen pen = readPen(f);
    double z = 0.0;
    f.real(z);
    auto p = std::make_unique<THPoint>(at[0], at[1]);
    p->Z = z;
    p->UpdateBounds();
    return placer.put(std::move(p), layer, pen);
}

}  // namespace

void LayoutParser::line(std::string_view text)
{
    if (!text.empty() && text.back() == '\r')
        text.remove_suffix(1);
    if (verticesLeft_ > 0) {
        vertexLine(text);
        return;
    }
    if (text.empty() || text.front() == '#')
        return;
    if (!shapeLine(text))
        ++leftOut_;
}

bool LayoutParser::shapeLine(std::string_view text)
{
    Fields f(text);
    const std::string_view keyword = f.next();
    if (keyword == "LINE")
        return readGeometric<THLine, 4>(f, placer_);
    if (keyword == "POINT")
        return readPoint(f, placer_);
    if (const int type = polylineType(keyword)) {
        int layer = 0, count = 0;
        if (!f.integer(layer) || !f.integer(count))
            return false;
        const Pen pen = readPen(f);
        placer_.markLayoutLine();
        if (count <= 0)
            return true;  // a polyline without vertices is not kept
        polyline_ = std::make_unique<THPolyline>(type);
        polyline_->Closed = type == ShapeTypeCode::Polygon;
        polylineLayer_ = layer;
        polylinePen_ = pen;
        verticesLeft_ = count;
        return true;
    }
    if (keyword == "LAYER") {
        std::string_view name = text.substr(f.position());
        if (!name.empty() && isSeparator(name.front()))
            name.remove_prefix(1);
        placer_.layer(decodeFieldText(name));
        return true;
    }
    if (keyword == "TEXT")
        return readText(f, placer_);
    if (keyword == "CIRCLE")
        return readGeometric<THCircle, 3>(f, placer_);
    if (keyword == "RECTANGLE")
        return readRectangle(f, placer_);
    if (keyword == "ELLIPSE")
        return readGeometric<THEllipse, 4>(f, placer_);
    if (keyword == "ARC")
        return readGeometric<THArc, 6>(f, placer_);
    if (keyword == "WORLD")
        return readWorld(f, placer_);
    return true;  // a keyword this reader does not know
}

void LayoutParser::vertexLine(std::string_view text)
{
    --verticesLeft_;
    Fields f(text);
    double x = 0.0, y = 0.0;
    if (f.real(x) && f.real(y))
        polyline_->AddPoint(x, y);
    else
        ++leftOut_;
    if (verticesLeft_ == 0)
        closePolyline();
}

// A polyline left without vertices, or one the chart cannot hold, leaves its
// header line out too (and, for the latter, the lines of its vertices).
void LayoutParser::closePolyline()
{
    verticesLeft_ = 0;
    if (!polyline_)
        return;
    std::unique_ptr<THPolyline> done = std::move(polyline_);
    const auto vertices = static_cast<long long>(done->Points.size());
    if (vertices == 0) {
        ++leftOut_;
        return;
    }
    done->Points.shrink_to_fit();
    done->UpdateBounds();
    if (!placer_.put(std::move(done), polylineLayer_, polylinePen_))
        leftOut_ += 1 + vertices;
}

}  // namespace skerra::layout
