#include "canvas/widget/WideLineStamp.h"

#include <QImage>
#include <QPainter>
#include <QPen>

#include <array>
#include <memory>
#include <optional>

namespace skerra::canvas {

namespace {

constexpr int kSide = 2 * WideLineStamp::kReach + 1;
constexpr int kWidths = WideLineStamp::kMaxWidth - 1;

// What Qt paints for the line, in a picture large enough for the pen's reach.
std::vector<StampRun> paintedRuns(int dx, int dy, int width)
{
    const int origin = WideLineStamp::kReach + WideLineStamp::kMaxWidth + 2;
    const int side = 2 * origin + 1;
    QImage image(side, side, QImage::Format_RGB32);
    image.fill(Qt::black);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(QPen(Qt::white, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawLine(origin, origin, origin + dx, origin + dy);
    }
    std::vector<StampRun> runs;
    for (int y = 0; y < side; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < side; ++x) {
            if ((row[x] & 0xFFFFFFu) == 0)
                continue;
            int end = x;
            while (end + 1 < side && (row[end + 1] & 0xFFFFFFu) != 0)
                ++end;
            runs.push_back({y - origin, x - origin, end - origin});
            x = end;
        }
    }
    return runs;
}

}  // namespace

const std::vector<StampRun>& WideLineStamp::runs(int dx, int dy, int width)
{
    // Taken from Qt the first time each is asked for, per thread (painting is
    // done on one thread, tests may paint on several).
    using Table = std::array<std::optional<std::vector<StampRun>>, kSide * kSide * kWidths>;
    thread_local std::unique_ptr<Table> table;
    if (!table)
        table = std::make_unique<Table>();
    auto& entry = (*table)[((width - 2) * kSide + (dy + kReach)) * kSide + (dx + kReach)];
    if (!entry)
        entry = paintedRuns(dx, dy, width);
    return *entry;
}

}  // namespace skerra::canvas
