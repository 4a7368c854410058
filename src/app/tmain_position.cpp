// The listener's own position: the window that sets it and the station panel that follows it.

#include "app/tmain.h"

#include "base/ui/window_placement.h"
#include "stationinfo/ui/tmyposition.h"

#include <QAction>
#include <QFrame>

namespace vireo {

void TMain::connectPositionHandlers()
{
    wire(actMyPosition, &QAction::triggered, &TMain::actMyPositionClick);
}

void TMain::actMyPositionClick()
{
    if (!myPositionWindow) {
        myPositionWindow = new TMyPosition(m_ctx, this);
        placeBesideMainOnFirstShow(*myPositionWindow, *this, *Panel1);
        connect(myPositionWindow, &TMyPosition::saved, this, [this](const GeoPosition &p) {
            guard([this, p] { setMyPosition(p.latitude, p.longitude); });
        });
    }
    myPositionWindow->showPosition(GeoPosition{myLatitude, myLongitude});
}

void TMain::setMyPosition(double latitude, double longitude)
{
    myLatitude = latitude;
    myLongitude = longitude;
    // The station on screen is measured again from the new place.
    ShowInfoCall();
}

} // namespace vireo
