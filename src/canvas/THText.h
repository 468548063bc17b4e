#pragma once
// A text label anchored at one point (type 11). It shows DisplayText; the
// Text() every shape carries is a separate free text.

#include "canvas/THAnchored.h"

class THText final : public THAnchored {
public:
    static constexpr ShapeKind kKind = ShapeKind::Text;
    THText() : THAnchored(kKind, ShapeTypeCode::Text, 0.0, 0.0) {}

    // Declared in an order that leaves no padding (a chart may hold many labels).
    QString DisplayText;
    QString FontName = QStringLiteral("Arial");
    double Angle = 0.0;  // degrees, counter-clockwise
    double Height = 10.0;  // text size in points; the bounds take it as world units
    int FontIndex = 0;   // index into the canvas's font table given at creation
    std::uint8_t Align = 0;    // 0 left, 1 centre, 2 right
    std::uint8_t Justify = 0;  // 0 top, 1 middle, 2 bottom
    bool Bold = false;
    bool Italic = false;

    // The tolerance serves as the character size.
    bool HitTest(double x, double y, double tolerance) const;
    // From the anchor, the height and the number of characters.
    skerra::canvas::ShapeBounds Bounds() const;
    void UpdateBounds() {}
    // Turns the text: adds the degrees to Angle; the anchor stays.
    void Rotate(double degrees, double cx, double cy);

private:
    friend class THShape;  // Text() and SetText() of a text shape
    const QString& ownText() const { return text_; }
    void setOwnText(const QString& text) { text_ = text; }
    QString text_;  // the shape's own text field (THShape::Text)
};
