#pragma once
// Test helpers: a canvas whose world window maps one world unit to one pixel
// (world (x, y) -> pixel (x, height - y)), painted into an image.

#include "canvas/widget/GdiPainter.h"
#include "canvas/widget/OverlayPainter.h"
#include "canvas/widget/THalvekCanvasCore.h"

#include <QImage>
#include <QPainter>

#include <string>

struct PixelCanvas : THalvekCanvasCore {
    int invalidates = 0;
    explicit PixelCanvas(int width = 200, int height = 200)
    {
        SetClientSize(width, height);
        WorldLeft = 0;
        WorldRight = width;
        WorldBottom = 0;
        WorldTop = height;
    }
    // The whole canvas as painted.
    QImage paint()
    {
        QImage image(ClientWidth(), ClientHeight(), QImage::Format_RGB32);
        image.fill(Qt::magenta);
        QPainter p(&image);
        PaintTo(p);
        return image;
    }
    // The picture alone (no scale bar or overlays).
    QImage picture() { return BackBuffer().copy(); }

protected:
    void Invalidate() override { ++invalidates; }
};

// 0x00RRGGBB of a pixel.
inline unsigned rgbAt(const QImage& image, int x, int y) { return image.pixel(x, y) & 0xFFFFFFu; }

constexpr unsigned kWhiteRgb = 0xFFFFFF, kBlackRgb = 0x000000, kRedRgb = 0xFF0000;

// Number of pixels of a colour in a rectangle.
inline int countColour(const QImage& image, unsigned rgb, QRect area = {})
{
    if (area.isNull())
        area = image.rect();
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += rgbAt(image, x, y) == rgb;
    return n;
}

// The bounding box of the pixels that differ from the background colour.
inline QRect inkBox(const QImage& image, unsigned background = kWhiteRgb)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (rgbAt(image, x, y) != background)
                box = box.united(QRect(x, y, 1, 1));
    return box;
}

// Where two pictures differ, for the failure message.
inline std::string differences(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return "sizes differ";
    QRect box;
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                box |= QRect(x, y, 1, 1), ++n;
    return std::to_string(n) + " pixels in x " + std::to_string(box.left()) + ".." + std::to_string(box.right())
        + ", y " + std::to_string(box.top()) + ".." + std::to_string(box.bottom());
}

// The canvas's picture rebuilt whole with the labels laid afresh (and the scale
// bar, the only other overlay these tests show).
inline QImage freshFrame(const THalvekCanvasCore& c)
{
    skerra::canvas::ChartRenderer whole;
    whole.setAlwaysDrawnLayer(c.Renderer().alwaysDrawnLayer());
    whole.renderAll(c);
    QImage fresh = whole.image().copy();
    QPainter p(&fresh);
    skerra::canvas::DepthLabelLayer().paint(p, c, c);
    skerra::canvas::GdiPainter g(p);
    skerra::canvas::DrawScaleBar(g, c);
    return fresh;
}
