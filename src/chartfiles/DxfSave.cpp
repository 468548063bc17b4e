#include "chartfiles/DxfSave.h"

#include "canvas/THalvekCanvasModel.h"
#include "chartfiles/DxfCarets.h"
#include "platform/FileReplacement.h"
#include "platform/NumberText.h"
#include "platform/Windows1254.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <string>
#include <unordered_set>
#include <vector>

namespace {

constexpr double kPi = 3.141592653589793;
constexpr int kEllipseSegments = 36;

// Pairs of group code and value, CR LF after each line, written in chunks.
class DxfWriter {
public:
    explicit DxfWriter(skerra::FileReplacement& file) : file_(file) { out_.reserve(kFlushAt + 4096); }

    void text(int code, std::string_view value)
    {
        out_ += std::to_string(code);
        out_ += "\r\n";
        out_ += value;
        out_ += "\r\n";
        if (out_.size() >= kFlushAt)
            flush();
    }
    void real(int code, double value)
    {
        std::string v;
        skerra::AppendFixed(v, value, 6);
        text(code, v);
    }
    void integer(int code, long long value) { text(code, std::to_string(value)); }
    void point(double x, double y)
    {
        real(10, x);
        real(20, y);
        text(30, "0.0");
    }
    bool flush()
    {
        if (!out_.empty() && !file_.write(out_))
            failed_ = true;
        out_.clear();
        return !failed_;
    }
    bool failed() const { return failed_; }

private:
    static constexpr std::size_t kFlushAt = 64 * 1024;
    skerra::FileReplacement& file_;
    std::string out_;
    bool failed_ = false;
};

// The text in code page 1254, a character it lacks as "?".
QByteArray codePageBytes(const QString& s)
{
    if (const auto bytes = skerra::encodeWindows1254(s))
        return *bytes;
    QByteArray out;
    out.reserve(s.size());
    for (const QChar ch : s) {
        const auto one = skerra::encodeWindows1254(QStringView(&ch, 1));
        out += one ? *one : QByteArray("?");
    }
    return out;
}

// Code page 1254 in caret notation.
std::string caretEncoded(const QString& s)
{
    const QByteArray bytes = codePageBytes(s);
    return EncodeDxfCarets(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

std::string layerName(const THalvekCanvasModel& canvas, int id)
{
    const THLayer* layer = canvas.FindLayer(id);
    if (!layer || layer->name.isEmpty())
        return "0";
    return caretEncoded(layer->name);
}

void writeHeader(DxfWriter& w, const THalvekCanvasModel& canvas)
{
    w.text(0, "SECTION");
    w.text(2, "HEADER");
    w.text(9, "$ACADVER");
    w.text(1, "AC1009");
    w.text(9, "$DWGCODEPAGE");
    w.text(3, "ANSI_1254");
    w.text(9, "$INSBASE");
    w.text(10, "0.0");
    w.text(20, "0.0");
    w.text(30, "0.0");
    w.text(9, "$EXTMIN");
    w.point(canvas.WorldLeft, canvas.WorldBottom);
    w.text(9, "$EXTMAX");
    w.point(canvas.WorldRight, canvas.WorldTop);
    w.text(0, "ENDSEC");
}

bool leftOutLayer(const std::vector<int>& leftOut, int id)
{
    return std::find(leftOut.begin(), leftOut.end(), id) != leftOut.end();
}

// The layers of all shapes, hidden ones too, in the order they first appear.
void writeLayerTable(DxfWriter& w, const THalvekCanvasModel& canvas, const std::vector<int>& leftOut)
{
    std::vector<int> ids;
    std::unordered_set<int> seen(leftOut.begin(), leftOut.end());
    for (const THShape* s : canvas.Shapes())
        if (seen.insert(s->LayerId()).second)
            ids.push_back(s->LayerId());
    w.text(0, "SECTION");
    w.text(2, "TABLES");
    w.text(0, "TABLE");
    w.text(2, "LAYER");
    w.integer(70, static_cast<long long>(ids.size()));
    for (int id : ids) {
        if (!canvas.FindLayer(id))
            continue;
        w.text(0, "LAYER");
        w.text(2, layerName(canvas, id));
        w.integer(70, 0);
        w.integer(62, 7);
        w.text(6, "CONTINUOUS");
    }
    w.text(0, "ENDTAB");
    w.text(0, "ENDSEC");
}

void writePolyline(DxfWriter& w, const std::string& layer, bool closed, const std::vector<std::pair<double, double>>& points)
{
    w.text(0, "POLYLINE");
    w.text(8, layer);
    w.integer(66, 1);
    w.integer(70, closed ? 1 : 0);
    for (const auto& [x, y] : points) {
        w.text(0, "VERTEX");
        w.text(8, layer);
        w.point(x, y);
    }
    w.text(0, "SEQEND");
    w.text(8, layer);
}

// An ellipse of equal axes is a CIRCLE; any other a closed outline.
void writeEllipse(DxfWriter& w, const std::string& layer, const THEllipse& e)
{
    const double cx = (e.X1 + e.X2) / 2;
    const double cy = (e.Y1 + e.Y2) / 2;
    const double a = std::abs(e.X2 - e.X1) / 2;
    const double b = std::abs(e.Y2 - e.Y1) / 2;
    if (a == b) {
        w.text(0, "CIRCLE");
        w.text(8, layer);
        w.point(cx, cy);
        w.real(40, a);
        return;
    }
    std::vector<std::pair<double, double>> points;
    for (int i = 0; i < kEllipseSegments; ++i) {
        const double t = 2 * kPi * i / kEllipseSegments;
        points.emplace_back(cx + a * std::cos(t), cy + b * std::sin(t));
    }
    writePolyline(w, layer, true, points);
}

void writeShape(DxfWriter& w, const THalvekCanvasModel& canvas, const THShape& shape)
{
    const std::string layer = layerName(canvas, shape.LayerId());
    switch (shape.ShapeType) {
    case ShapeTypeCode::Line:
        if (const auto* l = shape_cast<THLine>(&shape)) {
            w.text(0, "LINE");
            w.text(8, layer);
            w.point(l->X1, l->Y1);
            w.real(11, l->X2);
            w.real(21, l->Y2);
            w.text(31, "0.0");
        }
        break;
    case ShapeTypeCode::Circle:
        if (const auto* c = shape_cast<THCircle>(&shape)) {
            w.text(0, "CIRCLE");
            w.text(8, layer);
            w.point(c->CX, c->CY);
            w.real(40, c->Radius);
        }
        break;
    case ShapeTypeCode::Point:
        if (const auto* p = shape_cast<THPoint>(&shape)) {
            w.text(0, "POINT");
            w.text(8, layer);
            w.point(p->X, p->Y);
        }
        break;
    case ShapeTypeCode::Text:
        if (const auto* t = shape_cast<THText>(&shape)) {
            w.text(0, "TEXT");
            w.text(8, layer);
            w.point(t->X, t->Y);
            w.real(40, t->Height > 0 ? t->Height : 2.5);
            w.text(1, caretEncoded(t->DisplayText));
            if (t->Angle != 0)
                w.real(50, t->Angle);
        }
        break;
    case ShapeTypeCode::Rectangle:
        if (const auto* r = shape_cast<THRectangle>(&shape))
            writePolyline(w, layer, true, {{r->X1, r->Y1}, {r->X2, r->Y1}, {r->X2, r->Y2}, {r->X1, r->Y2}});
        break;
    case ShapeTypeCode::Ellipse:
        if (const auto* e = shape_cast<THEllipse>(&shape))
            writeEllipse(w, layer, *e);
        break;
    case ShapeTypeCode::Polyline:
    case ShapeTypeCode::Polygon:
        if (const auto* p = shape_cast<THPolyline>(&shape); p && !p->Points.empty()) {
            std::vector<std::pair<double, double>> points;
            points.reserve(p->Points.size());
            for (int i = 0; i < p->PointCount(); ++i)
                points.emplace_back(p->GetPointX(i), p->GetPointY(i));
            writePolyline(w, layer, p->Closed, points);
        }
        break;
    default:
        break;
    }
}

}  // namespace

int DXFSave(const THalvekCanvasModel& canvas, const QString& path, const std::vector<int>& leftOut, QString* reason)
{
    skerra::FileReplacement file(path);
    const auto failed = [&](const QString& why) {
        file.cancel();
        if (reason) *reason = why;
        return 0;
    };
    if (!file.open())
        return failed(file.errorString());
    try {
        DxfWriter w(file);
        writeHeader(w, canvas);
        writeLayerTable(w, canvas, leftOut);
        w.text(0, "SECTION");
        w.text(2, "ENTITIES");
        for (const THShape* s : canvas.Shapes())
            if (s->Visible && !leftOutLayer(leftOut, s->LayerId()))
                writeShape(w, canvas, *s);
        w.text(0, "ENDSEC");
        w.text(0, "EOF");
        if (w.flush() && file.commit())
            return 1;
        return failed(file.errorString());
    } catch (const std::bad_alloc&) {
        return failed(QStringLiteral("out of memory"));
    } catch (const std::exception& e) {
        return failed(QString::fromUtf8(e.what()));
    }
}
