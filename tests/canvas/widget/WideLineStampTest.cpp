// Short wide lines laid down from their stamp paint what Qt strokes for them,
// wherever they lie, and are cut pixel by pixel at the picture's edge.

#include "canvas/widget/GdiPainter.h"
#include "canvas/widget/WideLineStamp.h"

#include <QImage>
#include <QPainter>
#include <QPen>

#include <gtest/gtest.h>

#include <random>
#include <string>

using skerra::canvas::GdiPainter;
using skerra::canvas::WideLineStamp;

namespace {

constexpr int kWide = 4000, kHigh = 80;

// The pixels that are not black in a box, as a string of marks for the failure message.
std::string marks(const QImage& image, QRect box)
{
    std::string s;
    for (int y = box.top(); y <= box.bottom(); ++y) {
        for (int x = box.left(); x <= box.right(); ++x)
            s += image.rect().contains(x, y) && (image.pixel(x, y) & 0xFFFFFFu) ? '#' : '.';
        s += '\n';
    }
    return s;
}

void strokeWithQt(QImage& image, QPoint a, QPoint b, int width)
{
    QPainter p(&image);
    p.setPen(QPen(Qt::white, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(a, b);
}

void drawThroughGdi(QImage& image, QPoint a, QPoint b, int width)
{
    QPainter p(&image);
    GdiPainter g(p);
    g.setPen(0xFFFFFF, width);
    g.line(a.x(), a.y(), b.x(), b.y());
}

}  // namespace

// Every vector and width the stamp covers, at a place near the origin and one
// thousands of pixels off: the same pixels as Qt's stroke.
TEST(WideLineStamp, PaintsWhatQtStrokesWhereverTheLineLies)
{
    QImage qt(kWide, kHigh, QImage::Format_RGB32), stamped(kWide, kHigh, QImage::Format_RGB32);
    qt.fill(Qt::black);
    stamped.fill(Qt::black);
    std::mt19937 rng(5);
    constexpr int r = WideLineStamp::kReach, margin = WideLineStamp::kReach + WideLineStamp::kMaxWidth;
    for (int width = 2; width <= WideLineStamp::kMaxWidth; ++width) {
        for (int dy = -r; dy <= r; ++dy) {
            for (int dx = -r; dx <= r; ++dx) {
                for (int far : {0, 1}) {
                    const int x = far ? std::uniform_int_distribution<int>(kWide - 1000, kWide - margin - 1)(rng)
                                      : std::uniform_int_distribution<int>(margin, 100)(rng);
                    const int y = std::uniform_int_distribution<int>(margin, kHigh - margin - 1)(rng);
                    const QPoint a(x, y), b(x + dx, y + dy);
                    const QRect box(QPoint(x - margin, y - margin), QPoint(x + margin, y + margin));
                    strokeWithQt(qt, a, b, width);
                    drawThroughGdi(stamped, a, b, width);
                    const std::string expected = marks(qt, box), got = marks(stamped, box);
                    ASSERT_EQ(got, expected) << "width " << width << ", vector " << dx << ", " << dy << " at " << x
                                             << ", " << y;
                    QPainter(&qt).fillRect(box, Qt::black);
                    QPainter(&stamped).fillRect(box, Qt::black);
                }
            }
        }
    }
}

// Across the picture's edges the stamp is cut pixel by pixel: the part inside
// is the part of the whole line drawn further in.
TEST(WideLineStamp, IsCutPixelByPixelAtTheEdge)
{
    const QPoint vector(5, -3);
    const int width = 3;
    QImage whole(60, 60, QImage::Format_RGB32);
    whole.fill(Qt::black);
    drawThroughGdi(whole, QPoint(30, 30), QPoint(30, 30) + vector, width);
    for (const QPoint at : {QPoint(0, 30), QPoint(-3, 1), QPoint(58, 58), QPoint(57, 0), QPoint(-6, -2)}) {
        QImage edge(60, 60, QImage::Format_RGB32);
        edge.fill(Qt::black);
        drawThroughGdi(edge, at, at + vector, width);
        const QPoint shift = at - QPoint(30, 30);
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 60; ++x) {
                const QPoint from = QPoint(x, y) - shift;
                const bool inWhole = whole.rect().contains(from) && (whole.pixel(from) & 0xFFFFFFu);
                ASSERT_EQ((edge.pixel(x, y) & 0xFFFFFFu) != 0, inWhole) << "line at " << at.x() << ", " << at.y()
                                                                          << ", pixel " << x << ", " << y;
            }
    }
}

// On a scaled device (a high-density screen) or with a transformation the line
// is left to Qt: the stamp is of an unscaled picture.
TEST(WideLineStamp, ScaledPaintingIsLeftToQt)
{
    for (const bool device : {true, false}) {
        QImage qt(40, 40, QImage::Format_RGB32), drawn(40, 40, QImage::Format_RGB32);
        for (QImage* image : {&qt, &drawn}) {
            image->fill(Qt::black);
            if (device)
                image->setDevicePixelRatio(2.0);
        }
        {
            QPainter p(&qt);
            if (!device)
                p.scale(2, 2);
            p.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.drawLine(5, 5, 8, 7);
        }
        {
            QPainter p(&drawn);
            if (!device)
                p.scale(2, 2);
            GdiPainter g(p);
            g.setPen(0xFFFFFF, 3);
            g.line(5, 5, 8, 7);
        }
        EXPECT_EQ(marks(drawn, drawn.rect()), marks(qt, qt.rect())) << (device ? "scaled device" : "transformation");
    }
}
