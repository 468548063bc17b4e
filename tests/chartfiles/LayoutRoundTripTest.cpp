// A chart of every shape kind, with awkward names and texts, saved and read into
// a fresh chart: every stored field comes back, and saving again gives the same
// text but for the time of writing.

#include "LayoutTestSupport.h"

#include "chartfiles/LayoutFile.h"
#include "chartfiles/LayoutWriter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

using namespace layouttest;

class RandomChart {
public:
    explicit RandomChart(THalvekCanvasModel& chart) : c_(chart) {}

    void fill(int shapes)
    {
        c_.WorldLeft = real();
        c_.WorldRight = c_.WorldLeft + 2500.125;
        c_.WorldBottom = real();
        c_.WorldTop = c_.WorldBottom + 1999.5;
        for (const char* name : {"Halvek Grid", "\xC5\x9E" "ehir Liman\xC4\xB1", "100% done", " lead and trail ",
                                 "tab\there", "~~Halvek Vessel"})
            layers_.push_back(c_.LayerOpen(QString::fromUtf8(name)));
        layers_.push_back(0);
        for (int i = 0; i < shapes; ++i)
            draw(i % 10);
    }

private:
    double real() { return std::uniform_real_distribution<double>(-5e6, 5e6)(random_); }
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
    int layer() { return layers_[static_cast<std::size_t>(pick(static_cast<int>(layers_.size())))]; }

    QString words(bool fontName)
    {
        static const char* const pieces[] = {"a", "Z9", " ", "  ", "%", "%20", "\xC4\x9F\xC3\xBC\xC5\x9F", "\xC4\xB0",
                                             "\t", "0", "x y", "\xE2\x82\xAC"};
        QString s;
        const int n = pick(5) + (fontName ? 1 : 0);
        for (int i = 0; i < n; ++i)
            s += QString::fromUtf8(pieces[pick(12)]);
        // A font name of "0", or none, means the default name.
        if (fontName && (s.isEmpty() || s == "0"))
            s = "Arial Narrow";
        return s;
    }

    void pen(long n)
    {
        c_.SetShapePenFg(n, pick(2) ? pick(0x1000000) : 0);
        c_.SetShapePenWidth(n, pick(6));
    }

    void draw(int kind)
    {
        long n = -1;
        switch (kind) {
        case 0: n = c_.DrawLine(real(), real(), real(), real(), layer()); break;
        case 1: n = c_.DrawCircle(real(), real(), std::abs(real()), layer()); break;
        case 2:
            n = c_.DrawPoint(real(), real(), layer());
            shape_cast<THPoint>(c_.FindShape(n))->Z = real() / 1e5;
            break;
        case 3: {
            n = c_.TextAdd(layer(), words(false), real(), real(), pick(3) - 1);
            auto* t = shape_cast<THText>(c_.FindShape(n));
            t->FontName = words(true);
            t->Height = pick(100) / 4.0;
            t->Angle = real() / 1e4;
            t->Bold = pick(2);
            t->Italic = pick(2);
            break;
        }
        case 4: {
            n = c_.DrawRectangle(real(), real(), real(), real(), layer());
            auto* r = shape_cast<THRectangle>(c_.FindShape(n));
            r->Z = real();
            r->BrushFg = pick(0x1000000);
            r->BrushStyle = static_cast<TBrushStyle>(pick(8));
            break;
        }
        case 5: n = c_.DrawTwoPointEllipse(real(), real(), real(), real(), layer()); break;
        case 6: n = c_.DrawThreePointArc(real(), real(), real(), real(), real(), real(), layer()); break;
        default: {
            static const int types[] = {5, 6, 8, 10};
            c_.CurrentLayer = layer();
            THPolyline* p = c_.BeginDrawingPolyline(types[kind - 7 + pick(2)], real(), real());
            const int vertices = 1 + pick(6);
            for (int v = 0; v < vertices; ++v)
                p->AddPoint(real(), real());
            if (p->ShapeType == ShapeTypeCode::Spline)
                p->Closed = pick(2);
            n = c_.FinishDrawingPolyline();
            break;
        }
        }
        pen(n);
    }

    THalvekCanvasModel& c_;
    std::mt19937 random_{20240307};
    std::vector<int> layers_;
};

// Six decimals: a value comes back within half a millionth (and its double's rounding).
void expectNear(double written, double read, const std::string& what)
{
    EXPECT_LE(std::abs(written - read), 5e-7 + std::abs(written) * 1e-15) << what;
}

void expectSameShape(const THalvekCanvasModel& a, const THShape& s, const THalvekCanvasModel& b, const THShape& r)
{
    const std::string what = describe(a, s);
    ASSERT_EQ(s.Kind(), r.Kind()) << what;
    EXPECT_EQ(layerName(a, s.LayerId()), layerName(b, r.LayerId())) << what;
    EXPECT_EQ(s.PenFg(), r.PenFg()) << what;
    if (s.Kind() != ShapeKind::Text) {
        EXPECT_EQ(s.PenWidth(), r.PenWidth()) << what;
    }
    const auto near = [&](double x, double y) { expectNear(x, y, what); };
    switch (s.Kind()) {
    case ShapeKind::Line:
    case ShapeKind::Ellipse: {
        const auto& x = static_cast<const THTwoCorner&>(s);
        const auto& y = static_cast<const THTwoCorner&>(r);
        near(x.X1, y.X1), near(x.Y1, y.Y1), near(x.X2, y.X2), near(x.Y2, y.Y2);
        EXPECT_EQ(s.ShapeType, r.ShapeType) << what;
        break;
    }
    case ShapeKind::Rectangle: {
        const auto& x = static_cast<const THRectangle&>(s);
        const auto& y = static_cast<const THRectangle&>(r);
        near(x.X1, y.X1), near(x.Y1, y.Y1), near(x.X2, y.X2), near(x.Y2, y.Y2), near(x.Z, y.Z);
        EXPECT_EQ(x.BrushFg, y.BrushFg) << what;
        EXPECT_EQ(x.BrushStyle, y.BrushStyle) << what;
        break;
    }
    case ShapeKind::Circle: {
        const auto& x = static_cast<const THCircle&>(s);
        const auto& y = static_cast<const THCircle&>(r);
        near(x.CX, y.CX), near(x.CY, y.CY), near(x.Radius, y.Radius);
        break;
    }
    case ShapeKind::Point: {
        const auto& x = static_cast<const THPoint&>(s);
        const auto& y = static_cast<const THPoint&>(r);
        near(x.X, y.X), near(x.Y, y.Y), near(x.Z, y.Z);
        EXPECT_EQ(y.PointSize, 3) << what;
        break;
    }
    case ShapeKind::Arc: {
        const auto& x = static_cast<const THArc&>(s);
        const auto& y = static_cast<const THArc&>(r);
        near(x.X1, y.X1), near(x.Y1, y.Y1), near(x.X2, y.X2), near(x.Y2, y.Y2), near(x.X3, y.X3), near(x.Y3, y.Y3);
        break;
    }
    case ShapeKind::Text: {
        const auto& x = static_cast<const THText&>(s);
        const auto& y = static_cast<const THText&>(r);
        near(x.X, y.X), near(x.Y, y.Y), near(x.Height, y.Height), near(x.Angle, y.Angle);
        EXPECT_EQ(x.DisplayText, y.DisplayText) << what;
        EXPECT_EQ(y.Text(), y.DisplayText) << what;
        EXPECT_EQ(x.FontName, y.FontName) << what;
        EXPECT_EQ(x.FontIndex, y.FontIndex) << what;
        EXPECT_EQ(x.Bold, y.Bold) << what;
        EXPECT_EQ(x.Italic, y.Italic) << what;
        break;
    }
    case ShapeKind::Polyline: {
        const auto& x = static_cast<const THPolyline&>(s);
        const auto& y = static_cast<const THPolyline&>(r);
        // A closed spline comes back open: the file has no closed flag but the polygon's.
        EXPECT_EQ(x.ShapeType, y.ShapeType) << what;
        EXPECT_EQ(y.Closed, x.ShapeType == ShapeTypeCode::Polygon) << what;
        ASSERT_EQ(x.PointCount(), y.PointCount()) << what;
        for (int i = 0; i < x.PointCount(); ++i)
            near(x.GetPointX(i), y.GetPointX(i)), near(x.GetPointY(i), y.GetPointY(i));
        break;
    }
    }
}

std::string withoutCreatedOn(std::string text)
{
    const std::size_t at = text.find("# Created on: ");
    if (at != std::string::npos)
        text.erase(at, text.find('\n', at) - at);
    return text;
}

TEST(LayoutRoundTripTest, EveryStoredFieldComesBackAndTheTextIsStable)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("round.qmt");
    THalvekCanvasModel original;
    RandomChart(original).fill(600);
    ASSERT_TRUE(CadSave(original, path).ok);

    THalvekCanvasModel read;
    const LayoutResult r = CadLoad(read, path, LayoutLoadMode::Replace);
    ASSERT_TRUE(r.ok) << r.reason.toStdString();
    EXPECT_EQ(describeLayers(read), describeLayers(original));
    expectNear(original.WorldLeft, read.WorldLeft, "left");
    expectNear(original.WorldRight, read.WorldRight, "right");
    expectNear(original.WorldBottom, read.WorldBottom, "bottom");
    expectNear(original.WorldTop, read.WorldTop, "top");
    ASSERT_EQ(read.ShapeCount(), original.ShapeCount());
    auto it = read.Shapes().begin();
    for (const THShape* s : original.Shapes())
        expectSameShape(original, *s, read, **it++);

    const QDateTime first(QDate(2025, 1, 1), QTime(0, 0));
    const QDateTime second(QDate(2026, 6, 30), QTime(23, 59, 59, 990));
    const std::string once = skerra::layout::composeLayoutText(read, first);
    THalvekCanvasModel again;
    {
        FixedClock clock(first);
        ASSERT_TRUE(CadSave(read, path).ok);
    }
    ASSERT_TRUE(CadLoad(again, path, LayoutLoadMode::Replace).ok);
    const std::string twice = skerra::layout::composeLayoutText(again, second);
    EXPECT_NE(once, twice);
    EXPECT_EQ(withoutCreatedOn(once), withoutCreatedOn(twice));
}

// Line breaks and other control characters in names and texts are written as
// blanks, so they cannot end their line early; tabs stay.
TEST(LayoutRoundTripTest, ControlCharactersComeBackAsBlanks)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("controls.qmt");
    THalvekCanvasModel chart;
    const int layer = chart.LayerOpen("two\nlines\r");
    const long n = chart.TextAdd(layer, QString("first\nLINE 0 0 9 9 0\x01\tend"), 0, 0, 0);
    shape_cast<THText>(chart.FindShape(n))->FontName = "Font\rName";
    ASSERT_TRUE(CadSave(chart, path).ok);
    THalvekCanvasModel read;
    ASSERT_TRUE(CadLoad(read, path, LayoutLoadMode::Replace).ok);
    EXPECT_EQ(describeChart(read), "layers Default|two lines \nworld 0 1000 0 1000\n"
                                   "TEXT 0,0 #0 h10 a0 font'Font Name' 'first LINE 0 0 9 9 0 \tend' @two lines  pen0/1\n");
}

}  // namespace
