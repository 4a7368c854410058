#pragma once
// Where the band map's labels go on its scale: each as near the height of its frequency as it
// can without covering another.

#include <vector>

namespace vireo::bandmap {

// wanted: the tops the labels would have at their frequencies, in drawing order from the top
// (not decreasing). Each label is `height` high; they stay inside [areaTop, areaBottom] as far
// as there is room. Returns the tops, in the same order, never closer than `height`.
std::vector<int> placeLabels(const std::vector<int> &wanted, int height, int areaTop, int areaBottom);

} // namespace vireo::bandmap
