#pragma once
// The Max Depth edit: whole metres from 1 to 12000. Anything else is refused with a
// message and changes nothing, so a typing slip can neither allocate a column of
// billions of lines nor pass for a finished profile.

#include <optional>
#include <string>
#include <string_view>

namespace skerra::svp {

constexpr int kLowestMaxDepth = 1;
constexpr int kHighestMaxDepth = 12000;

std::optional<int> ReadMaxDepth(std::string_view text);

std::string MaxDepthMessage(std::string_view text, bool english);

}  // namespace skerra::svp
