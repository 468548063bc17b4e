#include "chartfiles/LayoutParser.h"

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
    if (pen.given)
        f.integer(pen.width);
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

void readWorld(Fields& f, LayoutPlacer& placer)
{
    StagedWorld& world = placer.world();
    for (std::optional<double>* side : {&world.left, &world.right, &world.bottom, &world.top}) {
        double v = 0.0;
        if (!f.real(v))
            return;
        *side = v;
        placer.markLayoutLine();
    }
}

void readText(Fields& f, LayoutPlacer& placer)
{
    double at[2];
    int layer = 0, fontIndex = 0;
    if (!reals(f, at) || !f.integer(layer) || !f.integer(fontIndex))
        return;
    Pen pen;
    pen.given = f.integer(pen.colour);
    double height = 10.0, angle = 0.0;
    int bold = 0, italic = 0;
    f.real(height);
    f.real(angle);
    f.integer(bold);
    f.integer(italic);
    THText& text = placer.shape<THText>(layer, pen);
    text.X = at[0];
    text.Y = at[1];
    text.FontIndex = fontIndex;
    text.Height = height;
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
}

void readRectangle(Fields& f, LayoutPlacer& placer)
{
    double c[4];
    int layer = 0;
    if (!reals(f, c) || !f.integer(layer))
        return;
    const Pen pen = readPen(f);
    int brushColour = 0, brushStyle = 0;
    double z = 0.0;
    f.integer(brushColour);
    f.integerIn(brushStyle, 0, 255);
    f.real(z);
    THRectangle& r = placer.shape<THRectangle>(layer, pen, c[0], c[1], c[2], c[3]);
    r.Z = z;
    r.BrushFg = brushColour;
    r.BrushStyle = static_cast<TBrushStyle>(brushStyle);
    r.UpdateBounds();
}

template <class S, std::size_t N>
void readGeometric(Fields& f, LayoutPlacer& placer)
{
    double g[N];
    int layer = 0;
    if (!reals(f, g) || !f.integer(layer))
        return;
    const Pen pen = readPen(f);
    if constexpr (N == 3)
        placer.shape<S>(layer, pen, g[0], g[1], g[2]).UpdateBounds();
    else if constexpr (N == 4)
        placer.shape<S>(layer, pen, g[0], g[1], g[2], g[3]).UpdateBounds();
    else
        placer.shape<S>(layer, pen, g[0], g[1], g[2], g[3], g[4], g[5]).UpdateBounds();
}

void readPoint(Fields& f, LayoutPlacer& placer)
{
    double at[2];
    int layer = 0;
    if (!reals(f, at) || !f.integer(layer))
        return;
    const Pen pen = readPen(f);
    double z = 0.0;
    f.real(z);
    THPoint& p = placer.shape<THPoint>(layer, pen, at[0], at[1]);
    p.Z = z;
    p.UpdateBounds();
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
    Fields f(text);
    const std::string_view keyword = f.next();
    if (keyword == "LINE") {
        readGeometric<THLine, 4>(f, placer_);
    } else if (keyword == "POINT") {
        readPoint(f, placer_);
    } else if (const int type = polylineType(keyword)) {
        int layer = 0, count = 0;
        if (!f.integer(layer) || !f.integer(count))
            return;
        const Pen pen = readPen(f);
        placer_.markLayoutLine();
        if (count <= 0)
            return;  // a polyline without vertices is not kept
        polyline_ = std::make_unique<THPolyline>(type);
        polyline_->Closed = type == ShapeTypeCode::Polygon;
        polylineLayer_ = layer;
        polylinePen_ = pen;
        verticesLeft_ = count;
    } else if (keyword == "LAYER") {
        std::string_view name = text.substr(f.position());
        if (!name.empty() && isSeparator(name.front()))
            name.remove_prefix(1);
        placer_.layer(decodeFieldText(name));
    } else if (keyword == "TEXT") {
        readText(f, placer_);
    } else if (keyword == "CIRCLE") {
        readGeometric<THCircle, 3>(f, placer_);
    } else if (keyword == "RECTANGLE") {
        readRectangle(f, placer_);
    } else if (keyword == "ELLIPSE") {
        readGeometric<THEllipse, 4>(f, placer_);
    } else if (keyword == "ARC") {
        readGeometric<THArc, 6>(f, placer_);
    } else if (keyword == "WORLD") {
        readWorld(f, placer_);
    }
}

void LayoutParser::vertexLine(std::string_view text)
{
    --verticesLeft_;
    Fields f(text);
    double x = 0.0, y = 0.0;
    if (f.real(x) && f.real(y))
        polyline_->AddPoint(x, y);
    if (verticesLeft_ == 0)
        closePolyline();
}

void LayoutParser::closePolyline()
{
    verticesLeft_ = 0;
    if (!polyline_)
        return;
    std::unique_ptr<THPolyline> done = std::move(polyline_);
    if (done->Points.empty())
        return;
    done->Points.shrink_to_fit();
    done->UpdateBounds();
    placer_.adopt(std::move(done), polylineLayer_, polylinePen_);
}

}  // namespace skerra::layout
