#include "bandmap/band_map_layout.h"

#include <algorithm>

namespace vireo::bandmap {

std::vector<int> placeLabels(const std::vector<int> &wanted, int height, int areaTop, int areaBottom)
{
    const int n = int(wanted.size());
    std::vector<int> tops(wanted.size());
    // Downwards: a label that would cover the one above it goes just below that one.
    for (int i = 0; i < n; ++i) {
        const int floor = i == 0 ? areaTop : tops[i - 1] + height;
        tops[i] = std::max(wanted[i], floor);
    }
    // Upwards from the bottom edge: labels pushed past it move up again, as far as the top allows.
    int ceiling = areaBottom - height;
    for (int i = n - 1; i >= 0; --i) {
        if (tops[i] <= ceiling)
            break;
        tops[i] = ceiling;
        ceiling -= height;
    }
    // With more labels than room, the top ones keep their order from the top edge down.
    for (int i = 0; i < n && tops[i] < areaTop + i * height; ++i)
        tops[i] = areaTop + i * height;
    return tops;
}

} // namespace vireo::bandmap
