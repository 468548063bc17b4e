#include "MetreAveraging.h"

#include "ListLineFields.h"
#include "platform/NumberText.h"

namespace skerra::svp {
namespace {

std::string slotText(int depth, double sv, long long count)
{
    std::string text = skerra::IntToStr(depth);
    text += ',';
    skerra::AppendFixed(text, sv, 2);
    text += ',';
    text += skerra::IntToStr(count);
    return text;
}

void addSample(std::string& slot, int depth, double sv, const std::string& sampleLine)
{
    const LineFields stored = ReadSlot(slot);
    if (stored.count == 3 && stored.depth == depth) {
        const long long count = static_cast<long long>(stored.hits) + 1;
        slot = slotText(depth, (static_cast<double>(stored.hits) * stored.sv + sv) / static_cast<double>(count), count);
    } else {
        slot = sampleLine + ",1";
    }
}

void fillBelow(std::vector<std::string>& slots, int deepest)
{
    const LineFields deepestSlot = ReadSlotSV(slots[static_cast<size_t>(deepest)]);
    if (deepestSlot.count != 1) return;
    for (size_t k = static_cast<size_t>(deepest) + 1; k < slots.size(); ++k)
        slots[k] = slotText(static_cast<int>(k), deepestSlot.sv, 0);
}

}  // namespace

std::vector<std::string> AverageByMetre(const std::vector<std::string>& samples, int maxDepth)
{
    if (maxDepth < 0) return {};
    std::vector<std::string> slots(static_cast<size_t>(maxDepth) + 1);
    int deepest = -1;
    for (const std::string& line : samples) {
        const LineFields sample = ReadDepthSV(line);
        if (sample.count < 2 || sample.depth < 0) continue;
        if (sample.depth > deepest) deepest = sample.depth;
        if (sample.depth > maxDepth) continue;
        addSample(slots[static_cast<size_t>(sample.depth)], sample.depth, sample.sv, line);
    }
    if (deepest >= 0 && deepest < maxDepth) fillBelow(slots, deepest);
    return slots;
}

}  // namespace skerra::svp
