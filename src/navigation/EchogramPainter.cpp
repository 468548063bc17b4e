#include "EchogramPainter.h"

#include "navigation/survey/EchogramModel.h"
#include "platform/Colour.h"
#include "platform/NumberText.h"

#include <QFont>
#include <QPainter>
#include <QPen>

#include <algorithm>

namespace {

constexpr TColor kBackground = 0xFFF8F0;
constexpr TColor kWater = 0xFFB464;
constexpr TColor kGrid = 0x808080;
constexpr TColor kDarkBackground = 0x1A1614;
constexpr TColor kDarkWater = 0x5C3A1A;
constexpr TColor kLightLine = 0xE0E0E0;

QColor colour(TColor c) { return skerra::toQColor(c); }

QFont boldFont(int pointSize)
{
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSize(pointSize);
    font.setBold(true);
    return font;
}

void paintWater(QPainter& p, const EchogramModel& model, const std::vector<int>& rows, double columnWidth, int h,
                const QColor& water)
{
    for (int j = 0; j < model.DataWidth(); ++j) {
        if (model.Depth(j) <= 0) continue;
        const int x0 = static_cast<int>(j * columnWidth);
        const int x1 = static_cast<int>((j + 1) * columnWidth);
        const int y = std::clamp(rows[static_cast<std::size_t>(j)], 0, h);
        p.fillRect(QRect(QPoint(x0, 0), QPoint(x1 - 1, y - 1)), water);
        p.setPen(QPen(colour(skerra::colors::Red), 3));
        p.drawLine(x0, y, x1, y);
    }
}

void paintProfile(QPainter& p, const EchogramModel& model, const std::vector<int>& rows, double columnWidth,
                  const QColor& profile)
{
    p.setPen(QPen(profile, 2));
    for (int k = 1; k < model.DataWidth(); ++k) {
        if (model.Depth(k - 1) <= 0 || model.Depth(k) <= 0) continue;
        p.drawLine(static_cast<int>((k - 0.5) * columnWidth), rows[static_cast<std::size_t>(k - 1)],
                   static_cast<int>((k + 0.5) * columnWidth), rows[static_cast<std::size_t>(k)]);
    }
}

void paintGrid(QPainter& p, const EchogramRange& range, QSize size, const EchogramColours& colours)
{
    p.setFont(boldFont(9));
    for (const EchogramGridLine& line : EchogramGrid(range)) {
        const int y = EchogramRow(line.depth, range, size.height());
        if (y < 0 || y > size.height()) continue;
        p.setPen(QPen(colours.grid, 1, Qt::DotLine));
        p.drawLine(0, y, size.width(), y);
        p.setPen(colours.text);
        const QFontMetrics metrics(p.font());
        p.drawText(3, y + 2 + metrics.ascent(), QString::fromLatin1(line.label));
    }
}

void paintNewestDepth(QPainter& p, const EchogramModel& model, const std::vector<int>& rows, QSize size,
                      const QColor& pointer)
{
    const double depth = model.Newest();
    if (depth <= 0) return;
    const int w = size.width(), h = size.height();
    const int y = rows.back();
    if (y > 5 && y < h - 30) {
        p.setPen(QPen(pointer, 1));
        p.drawLine(w - 40, y, w - 40, h - 28);
    }
    p.fillRect(QRect(QPoint(w - 78, h - 26), QPoint(w - 3, h - 3)), colour(skerra::colors::Yellow));
    p.setFont(boldFont(12));
    p.setPen(colour(skerra::colors::Black));
    p.drawText(w - 75, h - 24 + QFontMetrics(p.font()).ascent(), QString::fromStdString(skerra::FormatFixed(depth, 1) + "m"));
}

}  // namespace

EchogramColours EchogramColoursFor(bool darkStyle)
{
    if (darkStyle)
        return {colour(kDarkBackground), colour(kDarkWater), colour(kGrid), colour(kLightLine), colour(kLightLine)};
    const QColor black = colour(skerra::colors::Black);
    return {colour(kBackground), colour(kWater), colour(kGrid), black, black};
}

void PaintEchogram(QPainter& painter, const EchogramModel& model, QSize size, const EchogramColours& colours)
{
    if (size.width() < 1 || size.height() < 1) return;
    const EchogramRange range = model.Range();
    const std::vector<int> rows = model.Rows(range, size.height());
    const double columnWidth = std::max(static_cast<double>(size.width()) / model.DataWidth(), 1.0);

    painter.fillRect(QRect(QPoint(0, 0), size), colours.background);
    paintWater(painter, model, rows, columnWidth, size.height(), colours.water);
    paintProfile(painter, model, rows, columnWidth, colours.profile);
    paintGrid(painter, range, size, colours);
    paintNewestDepth(painter, model, rows, size, colours.profile);
}
