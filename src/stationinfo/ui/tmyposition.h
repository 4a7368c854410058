#pragma once
// TMyPosition ("Моё местоположение"): the listener's own position as a locator or latitude and
// longitude. Saving checks it, writes section MyPosition of the settings file at once, and says
// so to the main window, whose station panel measures from it from then on.

#include "base/services.h"
#include "stationinfo/my_position.h"

#include <QDialog>

class QPushButton;

namespace vireo {

class PositionFields;

class TMyPosition : public QDialog {
    Q_OBJECT
public:
    TMyPosition(const AppContext &context, QWidget *parent);

    // Shows the position in force and opens the window.
    void showPosition(const GeoPosition &position);
    void btMyPositionSaveClick();

    PositionFields *fields = nullptr;
    QPushButton *btMyPositionSave = nullptr;
    QPushButton *btMyPositionCancel = nullptr;

signals:
    // The position was written to the settings file.
    void saved(const GeoPosition &position);

private:
    AppContext m_ctx;
};

} // namespace vireo
