#pragma once
// The level of the input as the set-up window's meter shows it.

namespace vireo::level {

// A level of 0 to 1 of full scale in decibels (-90 for silence and below).
double decibels(float level);
// The share of a meter that shows -60 dB to 0 dB, 0 to 100.
int meterPercent(float level);

} // namespace vireo::level
