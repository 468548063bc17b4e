#pragma once
// Step 3 of the sound-velocity window: averaged lines -> the sound-velocity column.
//
// Column line k is the mean SV of the metres 0..k, 2 decimals, so the depth
// correction can take line k for a depth of about k metres. The column is built by
// depth, not by line position: every averaged line that reads as "depth,SV" gives the
// SV of its metre (a later line for the same metre replaces an earlier one; lines
// deeper than N or above 0 are passed over), and a metre without a line takes the SV
// of the metre above it. The column therefore always has N + 1 lines, also after
// the graph editor wrote back a profile without its empty slots.

#include <string>
#include <vector>

namespace skerra::svp {

// A metre's SV or the running mean at or beyond these fails the column.
constexpr double kLowestColumnSV = 1300;
constexpr double kHighestColumnSV = 1700;

struct ColumnResult {
    enum class Status { Ok, NoSurfaceValue, OutOfRange };
    Status status = Status::Ok;
    int failedDepth = -1;            // the metre out of range
    std::vector<std::string> lines;  // Ok: N + 1 lines; NoSurfaceValue: N + 1 empty lines; OutOfRange: none
};

ColumnResult BuildColumn(const std::vector<std::string>& averaged, int maxDepth);

std::string NoSurfaceValueMessage(bool english);
std::string ColumnOutOfRangeMessage(int depth, bool english);

}  // namespace skerra::svp
