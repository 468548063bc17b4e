// Blocks of the DXF import: the BLOCKS section (the LINEs of each block) and
// the INSERT entities that place a block's lines on the chart.

#include "canvas/THalvekCanvasModel.h"
#include "chartfiles/DxfColor.h"
#include "chartfiles/DxfLoad.h"
#include "chartfiles/DxfLoader.h"
#include "chartfiles/DxfNumbers.h"
#include "platform/Windows1254.h"

#include <cmath>

namespace {

constexpr double kPi = 3.141592653589793;

// A block line: the shape defaults and the two ends; not on any canvas.
std::unique_ptr<THLine> blockLine(double x1, double y1, double x2, double y2)
{
    auto line = std::make_unique<THLine>(x1, y1, x2, y2);
    line->UpdateBounds();
    return line;
}

}  // namespace

// Every BLOCK ... ENDBLK bracket becomes a block holding its LINEs; other
// entities in it, nested INSERTs among them, are passed over. A block that
// never sees its ENDBLK is dropped.
void DxfLoader::readBlocks()
{
    if (!findSection("BLOCKS") || !in_.skipPairs())
        return;
    std::unique_ptr<THBlock> open;
    std::string openName;
    std::string_view type;
    while (in_.next(type)) {
        if (type == "ENDSEC")
            return;
        bool more = true;
        if (type == "BLOCK") {
            open = std::make_unique<THBlock>();
            openName.clear();
            THBlock& block = *open;
            more = in_.readPairs([&](int code, std::string_view value, std::string_view) {
                if (code == 2)
                    openName = value;
                else if (code == 10)
                    block.baseX = dxfAtof(value);
                else if (code == 20)
                    block.baseY = dxfAtof(value);
            });
            block.name = skerra::decodeUtf8OrWindows1254(openName);
        } else if (type == "ENDBLK") {
            if (open) {
                const THBlock* kept = open.get();
                canvas_.AddBlock(std::move(open));
                blocks_.try_emplace(openName, kept);
            }
            more = in_.skipPairs();
        } else if (type == "LINE" && open) {
            double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
            more = in_.readPairs([&](int code, std::string_view value, std::string_view) {
                switch (code) {
                case 10: x1 = dxfAtof(value); break;
                case 20: y1 = dxfAtof(value); break;
                case 11: x2 = dxfAtof(value); break;
                case 21: y2 = dxfAtof(value); break;
                default: break;
                }
            });
            open->shapes.push_back(blockLine(x1, y1, x2, y2));
        } else {
            more = in_.skipPairs();
        }
        if (!more)
            return;
    }
}

// The block's lines scaled about its base point, turned counter-clockwise by
// the rotation and moved onto the insertion point. Only blocks of this load
// are placed: a block of the same name from an earlier load is another drawing's.
DxfLoader::Next DxfLoader::readInsert()
{
    std::string blockName;
    int colorNumber = -1;
    double px = 0, py = 0, sx = 1, sy = 1, rotation = 0;
    const bool more = in_.readPairs([&](int code, std::string_view value, std::string_view) {
        switch (code) {
        case 2: blockName = value; break;
        case 62: colorNumber = dxfAtol(value); break;
        case 10: px = dxfAtof(value); break;
        case 20: py = dxfAtof(value); break;
        case 41: sx = dxfAtof(value); break;
        case 42: sy = dxfAtof(value); break;
        case 50: rotation = dxfAtof(value); break;
        default: break;
        }
    });
    const auto found = blocks_.find(blockName);
    if (found == blocks_.end())
        return after(more);
    const THBlock& block = *found->second;
    const double r = rotation * kPi / 180.0;
    const double c = std::cos(r);
    const double s = std::sin(r);
    const int mapped = colorNumber >= 0 ? DxfColorToColor(colorNumber) : -1;
    const auto place = [&](double x, double y, double& X, double& Y) {
        const double dx = (x - block.baseX) * sx;
        const double dy = (y - block.baseY) * sy;
        X = dx * c - dy * s + px;
        Y = dx * s + dy * c + py;
        return std::isfinite(X) && std::isfinite(Y);
    };
    for (const auto& shape : block.shapes) {
        const THLine* source = shape_cast<THLine>(shape.get());
        if (!source)
            continue;
        double x1, y1, x2, y2;
        if (!place(source->X1, source->Y1, x1, y1) || !place(source->X2, source->Y2, x2, y2))
            continue;
        auto line = std::make_unique<THLine>(x1, y1, x2, y2);
        line->UpdateBounds();
        put(std::move(line), mapped >= 0 ? mapped : source->PenFg(), 1);
    }
    return after(more);
}
