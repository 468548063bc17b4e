#include "OffsetsSketch.h"

#include <QPainter>
#include <QPainterPath>

namespace {

// Heights of the drawing (pixels, from the top of the 100 x 129 picture).
constexpr int kAntennaY = 14;      // antenna phase centre
constexpr int kWaterY = 72;        // waterline
constexpr int kTransducerY = 112;  // transducer face
constexpr int kPoleX = 58;

// A vertical dimension line with arrow heads at both ends and its letter beside it.
void drawDimension(QPainter& p, int x, int top, int bottom, const QString& letter)
{
    p.drawLine(x, top, x, bottom);
    const QPolygon up{{x, top}, {x - 3, top + 5}, {x + 3, top + 5}};
    const QPolygon down{{x, bottom}, {x - 3, bottom - 5}, {x + 3, bottom - 5}};
    p.drawPolygon(up);
    p.drawPolygon(down);
    for (int y : {top, bottom}) p.drawLine(x - 4, y, x + 4, y);
    const QRect box(x - 14, (top + bottom) / 2 - 7, 11, 14);
    p.drawText(box, Qt::AlignCenter, letter);
}

}  // namespace

OffsetsSketch::OffsetsSketch(QWidget* parent) : QWidget(parent)
{
    setFixedSize(100, 129);
}

void OffsetsSketch::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), QColor(250, 250, 250));

    // Water below the waterline.
    p.fillRect(QRect(0, kWaterY, width(), height() - kWaterY), QColor(200, 225, 245));

    // The boat's hull, with the pole fixed to its side.
    QPainterPath hull;
    hull.moveTo(kPoleX + 3, kWaterY - 12);
    hull.lineTo(99, kWaterY - 12);
    hull.lineTo(99, kWaterY + 6);
    hull.quadTo(kPoleX + 8, kWaterY + 10, kPoleX + 3, kWaterY - 12);
    p.setPen(QPen(QColor(90, 90, 90), 1));
    p.setBrush(QColor(225, 215, 190));
    p.drawPath(hull);

    // Waterline and its mark.
    p.setPen(QPen(QColor(20, 80, 160), 1.5));
    p.drawLine(0, kWaterY, width(), kWaterY);
    QFont small = font();
    small.setPixelSize(9);
    p.setFont(small);
    p.drawText(QRect(70, kWaterY + 8, 28, 12), Qt::AlignCenter, QStringLiteral("T/H"));

    // Pole, antenna and transducer.
    p.setPen(QPen(Qt::black, 2));
    p.drawLine(kPoleX, kAntennaY + 4, kPoleX, kTransducerY - 4);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(240, 240, 240));
    p.drawRoundedRect(QRectF(kPoleX - 9, kAntennaY - 4, 18, 8), 3, 3);  // antenna
    p.setBrush(QColor(60, 60, 60));
    const QPolygon transducer{{kPoleX - 4, kTransducerY - 6}, {kPoleX + 4, kTransducerY - 6},
                              {kPoleX + 7, kTransducerY}, {kPoleX - 7, kTransducerY}};
    p.drawPolygon(transducer);

    // Distances: B from the transducer to the antenna, C above and A below the water.
    QFont letters = font();
    letters.setPixelSize(11);
    letters.setBold(true);
    p.setFont(letters);
    p.setPen(QPen(QColor(170, 30, 30), 1));
    p.setBrush(QColor(170, 30, 30));
    drawDimension(p, 20, kAntennaY, kTransducerY, QStringLiteral("B"));
    drawDimension(p, 42, kAntennaY, kWaterY, QStringLiteral("C"));
    drawDimension(p, 42, kWaterY, kTransducerY, QStringLiteral("A"));
}
