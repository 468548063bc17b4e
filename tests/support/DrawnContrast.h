#pragma once
// How readable a control's text is on the pixels the style actually drew: the text's
// colour is its pixel that stands out most from the face behind it (each row's most
// common colour), and the contrast counted is that colour's against the lightest or
// darkest face of any row the text runs through, so a gradient cannot hide a weak row.

#include "platform/Contrast.h"

#include <QColor>
#include <QHash>
#include <QImage>
#include <QWidget>

#include <algorithm>
#include <vector>

struct DrawnContrast {
    double ratio = 1.0;  // 1: no text found
    QColor text, face;   // the text's colour and the face where it reads worst
};

inline DrawnContrast measureDrawnContrast(const QImage& picture, int margin = 3)
{
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    const int top = margin, bottom = image.height() - margin, left = margin, right = image.width() - margin;
    // The face overall: the most common colour (a caption covers less than half).
    QHash<QRgb, int> all;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) ++all[image.pixel(x, y)];
    if (all.isEmpty()) return {};
    const QColor overall(std::max_element(all.begin(), all.end()).key());
    // Each row's face: its most common colour among the shades close to the face overall
    // (a gradient changes little from row to row; a wide caption may fill most of a row).
    std::vector<QRgb> faces;
    for (int y = top; y < bottom; ++y) {
        QHash<QRgb, int> counts;
        QRgb face = overall.rgb();
        int most = 0;
        for (int x = left; x < right; ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (skerra::contrastRatio(QColor(pixel), overall) >= 1.5) continue;
            const int n = ++counts[pixel];
            if (n > most) most = n, face = pixel;
        }
        faces.push_back(face);
    }
    DrawnContrast result;
    double strongest = 1.0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) {
            const double r = skerra::contrastRatio(QColor(image.pixel(x, y)), QColor(faces[y - top]));
            if (r > strongest) strongest = r, result.text = QColor(image.pixel(x, y));
        }
    if (strongest == 1.0) return result;
    // Rows the text runs through: a pixel there stands out at least half as much.
    const double textual = 1.0 + (strongest - 1.0) / 2;
    result.ratio = 21.0;
    for (int y = top; y < bottom; ++y) {
        const QColor face(faces[y - top]);
        bool hasText = false;
        for (int x = left; x < right && !hasText; ++x)
            hasText = skerra::contrastRatio(QColor(image.pixel(x, y)), face) >= textual;
        if (!hasText) continue;
        const double r = skerra::contrastRatio(result.text, face);
        if (r < result.ratio) result.ratio = r, result.face = face;
    }
    return result;
}

inline DrawnContrast measureDrawnContrast(QWidget& widget, int margin = 3)
{
    return measureDrawnContrast(widget.grab().toImage(), margin);
}
