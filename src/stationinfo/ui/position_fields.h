#pragma once
// The three fields of the listener's position, edLocator, edLat and edLon, with a line under
// them: what is typed in one form is checked and shown in the other as it is typed, or the line
// says what is wrong. Used by the position window and the first-run dialog.

#include "stationinfo/my_position.h"

#include <QWidget>

class QLabel;
class QLineEdit;

namespace vireo {

class PositionFields : public QWidget {
    Q_OBJECT
public:
    explicit PositionFields(QWidget *parent = nullptr);

    // Shows a stored position in both forms.
    void setPosition(const GeoPosition &position);
    // The position of the form typed in last (the locator's square centre, or the degrees); the
    // position set, to the last digit, while nothing was typed.
    PositionInput input() const;
    // Whether all three fields are empty.
    bool isEmpty() const;

    QLineEdit *edLocator = nullptr;
    QLineEdit *edLat = nullptr;
    QLineEdit *edLon = nullptr;
    QLabel *lbPositionCheck = nullptr;

private:
    void locatorEdited();
    void degreesEdited();
    void showCheck(const PositionInput &input, const QString &otherForm);

    bool m_fromLocator = false; // the locator was typed last
    std::optional<GeoPosition> m_shown; // the position set, until a field is edited
};

} // namespace vireo
