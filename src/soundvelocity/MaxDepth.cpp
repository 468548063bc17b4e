#include "MaxDepth.h"

#include "platform/NumberText.h"

namespace skerra::svp {

std::optional<int> ReadMaxDepth(std::string_view text)
{
    const auto value = skerra::tryParseInt(text);
    if (!value || *value < kLowestMaxDepth || *value > kHighestMaxDepth) return std::nullopt;
    return value;
}

std::string MaxDepthMessage(std::string_view text, bool english)
{
    const std::string range = skerra::IntToStr(kLowestMaxDepth) + " - " + skerra::IntToStr(kHighestMaxDepth);
    if (english)
        return "Max Depth \"" + std::string(text) + "\" is not a whole number of metres in " + range + ".";
    return "Maksimum derinlik \"" + std::string(text) + "\" " + range + " aralığında tam sayı (metre) değil.";
}

}  // namespace skerra::svp
