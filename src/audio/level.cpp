#include "audio/level.h"

#include <algorithm>
#include <cmath>

namespace vireo::level {

double decibels(float level)
{
    return level <= 0.f ? -90.0 : std::max(-90.0, 20.0 * std::log10(double(level)));
}

int meterPercent(float level)
{
    return int(std::clamp((decibels(level) + 60.0) / 60.0 * 100.0, 0.0, 100.0) + 0.5);
}

} // namespace vireo::level
