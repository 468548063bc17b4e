#pragma once
// GdiPainter: draws on a QPainter with the conventions the chart's drawings
// were made for (Windows GDI), so that shapes, grid and overlays land on the
// same pixels:
// - rectangles and ellipses given by (left, top, right, bottom) cover the
//   pixels left .. right - 1 and top .. bottom - 1 (right and bottom edges
//   excluded); RoundRect takes the corner ellipse's full width;
// - a line leaves out its last pixel, so chained segments meet without overlap;
//   with a one-pixel pen, one whose ends are on the same or neighbouring
//   pixels paints its first pixel alone (as GDI does; a line without length
//   too); with a wider pen, a line without length paints nothing;
// - text is placed by the top-left of its cell, not by the baseline, in its own
//   colour (separate from the pen), turned counter-clockwise in tenths of a degree;
// - Bézier curves are never filled; polygons use the alternate (even-odd) rule;
// - pens wider than one pixel have round caps and joins;
// - shapes are not antialiased; text is.
// Pen, brush and font are cached, so setting the same one again costs nothing.

#include "canvas/BrushStyle.h"
#include "platform/Colour.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPoint>
#include <QString>

#include <optional>

namespace skerra::canvas {

class GdiPainter {
public:
    explicit GdiPainter(QPainter& painter);

    QPainter& painter() { return p_; }

    // A solid pen; a width of 0 or 1 is one pixel.
    void setPen(TColor colour, int width = 1);
    // A dotted one-pixel pen (the grid's).
    void setDottedPen(TColor colour);
    void setNoPen();
    // bsSolid fills, bsClear (and unknown styles) do not, the hatch styles hatch.
    void setBrush(TColor colour, TBrushStyle style = bsSolid);
    void setClearBrush() { setBrush(0, bsClear); }
    void setFont(const QFont& font);
    const QFont& font() const { return font_; }

    void rectangle(int left, int top, int right, int bottom);
    void fillRect(int left, int top, int right, int bottom, TColor colour);
    void ellipse(int left, int top, int right, int bottom);
    void roundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight);
    void line(int x1, int y1, int x2, int y2);
    void polyline(const QPoint* points, int count);
    void polygon(const QPoint* points, int count);
    void polyBezier(QPoint p0, QPoint c1, QPoint c2, QPoint p3);

    // Text at the top-left (x, y) of its cell in the current font.
    void textOut(int x, int y, const QString& text, TColor colour, int orientationTenths = 0);
    int textWidth(const QString& text);
    int textHeight(const QString& text);

    // Pen mode XOR: drawing the same figure twice restores the picture
    // (a difference composition, which with a white pen is an exact XOR).
    void setXorMode(bool on);

private:
    void applyPen();
    // A solid line with a wide pen: a short one laid down from its stamp
    // (WideLineStamp) where the painter paints plainly, else stroked by Qt.
    void wideLine(int x1, int y1, int x2, int y2);
    bool stampsLines() const;
    const QFontMetrics& metrics();

    QPainter& p_;
    // What the painter holds.
    enum class PenKind { Unset, Solid, Dotted, None };
    PenKind penKind_ = PenKind::Unset;
    TColor penColour_ = 0;
    int penWidth_ = 1;
    bool brushSet_ = false;
    TColor brushColour_ = 0;
    TBrushStyle brushStyle_ = bsClear;
    QFont font_;
    std::optional<QFontMetrics> metrics_;
};

}  // namespace skerra::canvas
