#pragma once
// Step 2 of the sound-velocity window: samples "depth,SV" -> one averaged slot per
// whole metre from 0 to the Max Depth N.
//
// Slot k (line k) belongs to k metres: empty until a sample of that depth arrives;
// after the first sample the sample's line followed by ",1"; from the second on
// "k,mean,count" with the mean to 2 decimals. Slots below the deepest sample, down to
// N, repeat the deepest slot's SV as "k,SV,0". Samples deeper than N count for the
// deepest depth but are not stored, so no fill follows them; samples with a negative
// depth or that do not read as "depth,SV" are passed over.

#include <string>
#include <vector>

namespace skerra::svp {

std::vector<std::string> AverageByMetre(const std::vector<std::string>& samples, int maxDepth);

}  // namespace skerra::svp
