#include "canvas/widget/ChartFonts.h"

#include <algorithm>

namespace skerra::canvas {

namespace {

struct FaceMapping {
    const char* stored;
    const char* drawn;
    QFont::StyleHint hint;
    bool heavy;  // drawn one weight heavier than asked (Arial Black is bold by design)
};

constexpr FaceMapping kFaces[] = {
    {"Arial", "Liberation Sans", QFont::SansSerif, false},
    {"Arial Black", "DejaVu Sans", QFont::SansSerif, true},
    {"Tahoma", "DejaVu Sans", QFont::SansSerif, false},
    {"Consolas", "Liberation Mono", QFont::TypeWriter, false},
    {"Courier New", "Liberation Mono", QFont::TypeWriter, false},
    {"Times New Roman", "Liberation Serif", QFont::Serif, false},
};

const FaceMapping* findFace(const QString& storedName)
{
    for (const FaceMapping& f : kFaces)
        if (storedName.compare(QLatin1String(f.stored), Qt::CaseInsensitive) == 0)
            return &f;
    return nullptr;
}

}  // namespace

QString drawnFamily(const QString& storedName)
{
    const FaceMapping* f = findFace(storedName);
    return f ? QString::fromLatin1(f->drawn) : storedName;
}

QFont chartFont(const QString& storedName, int pointSize, bool bold, bool italic)
{
    QFont font;
    const FaceMapping* f = findFace(storedName);
    font.setFamily(f ? QString::fromLatin1(f->drawn) : storedName);
    font.setStyleHint(f ? f->hint : QFont::SansSerif);
    // Points at 96 dpi, rounded as the Windows font height is.
    const int size = std::max(1, pointSize);
    font.setPixelSize(std::max(1, (size * 96 + 36) / 72));
    font.setBold(bold || (f && f->heavy));
    font.setItalic(italic);
    font.setKerning(false);
    return font;
}

}  // namespace skerra::canvas
