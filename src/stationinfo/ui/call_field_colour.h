#pragma once
// The colour each state of the call field (dupe::FieldColour) is painted in.

#include "stationinfo/dupe_check.h"

#include <QColor>

namespace vireo::dupe {

QColor rgb(FieldColour colour, const QColor &window);

} // namespace vireo::dupe
