#include "stationinfo/ui/call_field_colour.h"

namespace vireo::dupe {

QColor rgb(FieldColour colour, const QColor &window)
{
    switch (colour) {
    case FieldColour::Red:
        return QColor(255, 0, 0);
    case FieldColour::Aqua:
        return QColor(0, 255, 255);
    case FieldColour::Yellow:
        return QColor(255, 255, 0);
    case FieldColour::LightGreen:
        return QColor(192, 220, 192);
    case FieldColour::Window:
        break;
    }
    return window;
}

} // namespace vireo::dupe
