#include "canvas/widget/GdiPainter.h"

#include "canvas/widget/WideLineStamp.h"

#include <QPainterPath>
#include <QPen>

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace skerra::canvas {

namespace {

Qt::BrushStyle qtBrushStyle(TBrushStyle style)
{
    switch (style) {
    case bsSolid: return Qt::SolidPattern;
    case bsHorizontal: return Qt::HorPattern;
    case bsVertical: return Qt::VerPattern;
    case bsFDiagonal: return Qt::BDiagPattern;  // "/" in screen coordinates
    case bsBDiagonal: return Qt::FDiagPattern;  // "\"
    case bsCross: return Qt::CrossPattern;
    case bsDiagCross: return Qt::DiagCrossPattern;
    default: return Qt::NoBrush;
    }
}

// (left, top, right, bottom) with the edges in order, as GDI takes them.
QRect gdiRect(int left, int top, int right, int bottom)
{
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
    // Covers left .. right - 1: a QRect outline of width w covers w + 1 pixels.
    return QRect(left, top, right - left - 1, bottom - top - 1);
}

}  // namespace

GdiPainter::GdiPainter(QPainter& painter) : p_(painter)
{
    p_.setRenderHint(QPainter::Antialiasing, false);
    p_.setRenderHint(QPainter::TextAntialiasing, true);
    p_.setBackgroundMode(Qt::TransparentMode);
    font_ = p_.font();
}

void GdiPainter::setPen(TColor colour, int width)
{
    width = std::max(1, width);
    if (penKind_ == PenKind::Solid && penColour_ == colour && penWidth_ == width)
        return;
    penKind_ = PenKind::Solid;
    penColour_ = colour;
    penWidth_ = width;
    applyPen();
}

void GdiPainter::setDottedPen(TColor colour)
{
    if (penKind_ == PenKind::Dotted && penColour_ == colour)
        return;
    penKind_ = PenKind::Dotted;
    penColour_ = colour;
    penWidth_ = 1;
    applyPen();
}

void GdiPainter::setNoPen()
{
    if (penKind_ == PenKind::None)
        return;
    penKind_ = PenKind::None;
    applyPen();
}

void GdiPainter::applyPen()
{
    switch (penKind_) {
    case PenKind::None:
        p_.setPen(Qt::NoPen);
        return;
    case PenKind::Dotted: {
        QPen pen(toQColor(penColour_), 0, Qt::CustomDashLine, Qt::FlatCap);
        pen.setDashPattern({1.0, 1.0});
        p_.setPen(pen);
        return;
    }
    default:
        break;
    }
    if (penWidth_ <= 1) {
        // One pixel, the last pixel of a line left out.
        p_.setPen(QPen(toQColor(penColour_), 0, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    } else {
        p_.setPen(QPen(toQColor(penColour_), penWidth_, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    }
}

void GdiPainter::setBrush(TColor colour, TBrushStyle style)
{
    const Qt::BrushStyle qs = qtBrushStyle(style);
    if (qs == Qt::NoBrush)
        style = bsClear;
    if (brushSet_ && brushStyle_ == style && (style == bsClear || brushColour_ == colour))
        return;
    brushSet_ = true;
    brushStyle_ = style;
    brushColour_ = colour;
    if (qs == Qt::NoBrush)
        p_.setBrush(Qt::NoBrush);
    else
        p_.setBrush(QBrush(toQColor(colour), qs));
}

void GdiPainter::setFont(const QFont& font)
{
    if (font == font_ && metrics_)
        return;
    font_ = font;
    p_.setFont(font_);
    metrics_.reset();
}

const QFontMetrics& GdiPainter::metrics()
{
    if (!metrics_)
        metrics_.emplace(font_, p_.device());
    return *metrics_;
}

void GdiPainter::rectangle(int left, int top, int right, int bottom)
{
    if (left == right || top == bottom)
        return;
    p_.drawRect(gdiRect(left, top, right, bottom));
}

void GdiPainter::fillRect(int left, int top, int right, int bottom, TColor colour)
{
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
    if (left == right || top == bottom)
        return;
    p_.fillRect(QRect(left, top, right - left, bottom - top), toQColor(colour));
}

void GdiPainter::ellipse(int left, int top, int right, int bottom)
{
    if (left == right || top == bottom)
        return;
    p_.drawEllipse(gdiRect(left, top, right, bottom));
}

void GdiPainter::roundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight)
{
    if (left == right || top == bottom)
        return;
    const QRect r = gdiRect(left, top, right, bottom);
    const double rx = std::min(std::abs(cornerWidth) / 2.0, r.width() / 2.0);
    const double ry = std::min(std::abs(cornerHeight) / 2.0, r.height() / 2.0);
    if (rx <= 0.0 || ry <= 0.0)
        p_.drawRect(r);
    else
        p_.drawRoundedRect(r, rx, ry);
}

void GdiPainter::line(int x1, int y1, int x2, int y2)
{
    if (penKind_ == PenKind::Solid && std::abs(x2 - x1) <= 1 && std::abs(y2 - y1) <= 1) {
        // The chart's thinning relies on these two (Qt would paint either end of a short line).
        if (penWidth_ <= 1)
            p_.fillRect(QRect(x1, y1, 1, 1), p_.pen().color());  // the first pixel alone
        else if (x1 != x2 || y1 != y2)
            wideLine(x1, y1, x2, y2);
        return;  // a wide pen without length strokes nothing
    }
    if (penKind_ == PenKind::Solid && penWidth_ > 1)
        wideLine(x1, y1, x2, y2);
    else
        p_.drawLine(x1, y1, x2, y2);
}

bool GdiPainter::stampsLines() const
{
    // The stamp is what Qt paints on a plain picture: no antialiasing, no
    // transformation (nor a scaled device, as on a high-density screen),
    // pixels laid over what is there.
    return !p_.testRenderHint(QPainter::Antialiasing) && !p_.viewTransformEnabled()
        && p_.worldTransform().type() == QTransform::TxNone && p_.deviceTransform().type() == QTransform::TxNone
        && p_.compositionMode() == QPainter::CompositionMode_SourceOver;
}

void GdiPainter::wideLine(int x1, int y1, int x2, int y2)
{
    if (!WideLineStamp::covers(x2 - x1, y2 - y1, penWidth_) || !stampsLines()) {
        p_.drawLine(x1, y1, x2, y2);
        return;
    }
    const QColor colour = toQColor(penColour_);
    for (const StampRun& run : WideLineStamp::runs(x2 - x1, y2 - y1, penWidth_))
        p_.fillRect(QRect(x1 + run.x0, y1 + run.dy, run.x1 - run.x0 + 1, 1), colour);
}

void GdiPainter::polyline(const QPoint* points, int count)
{
    if (count >= 2)
        p_.drawPolyline(points, count);
}

void GdiPainter::polygon(const QPoint* points, int count)
{
    if (count >= 2)
        p_.drawPolygon(points, count, Qt::OddEvenFill);
}

void GdiPainter::polyBezier(QPoint p0, QPoint c1, QPoint c2, QPoint p3)
{
    QPainterPath path(p0);
    path.cubicTo(c1, c2, p3);
    const QBrush brush = p_.brush();
    p_.setBrush(Qt::NoBrush);
    p_.drawPath(path);
    p_.setBrush(brush);
}

void GdiPainter::textOut(int x, int y, const QString& text, TColor colour, int orientationTenths)
{
    if (text.isEmpty())
        return;
    const QPen pen = p_.pen();
    p_.setPen(toQColor(colour));
    const int ascent = metrics().ascent();
    if (orientationTenths == 0) {
        p_.drawText(QPoint(x, y + ascent), text);
    } else {
        p_.save();
        p_.translate(x, y);
        p_.rotate(-orientationTenths / 10.0);  // counter-clockwise on screen
        p_.drawText(QPoint(0, ascent), text);
        p_.restore();
    }
    p_.setPen(pen);
}

int GdiPainter::textWidth(const QString& text) { return metrics().horizontalAdvance(text); }

int GdiPainter::textHeight(const QString&) { return metrics().height(); }

void GdiPainter::setXorMode(bool on)
{
    p_.setCompositionMode(on ? QPainter::CompositionMode_Difference : QPainter::CompositionMode_SourceOver);
}

}  // namespace skerra::canvas
