#pragma once
// The station panel of the entry area: the auto-capture group ("GroupBox1": "X", the six capture
// buttons CQ, ITU, RU, LOC, STATE, DEG and the cursor side "Справа"/"Слева") and the station
// information ("Panel3": DXCC, prefix, continent, distance, country with azimuth).

#include "stationinfo/exchange_capture.h"

#include <QObject>

#include <array>
#include <optional>

class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;
class QRadioButton;
class QWidget;

namespace vireo {

struct StationDisplay;

class StationPanel : public QObject {
    Q_OBJECT
public:
    // Builds both frames as children of parent, the entry area.
    explicit StationPanel(QWidget *parent);

    // Shows what the lookup found (a reset display returns the panel to its reset values).
    void show(const StationDisplay &display);
    void clear();
    // The value of the one checked capture button, which goes into the control number field.
    std::optional<QString> captured() const;
    // Whether the cursor goes to the right end of a control number reached with the keyboard.
    bool cursorRight() const;
    void setCursorRight(bool right);
    // The information frame is hidden in manual entry and edit mode.
    void setInformationVisible(bool visible);
    QWidget *informationFrame() const;

    // The controls that take the focus by Tab, in order ("X", the buttons, the cursor side).
    QList<QWidget *> tabChain() const;

signals:
    void captureCleared(); // "X": every capture button unchecked

private:
    void colourButtons(); // the checked button yellow, the others the button face
    std::array<QRadioButton *, 6> buttons() const;

    QFrame *m_group = nullptr; // "GroupBox1"
    QPushButton *m_clear = nullptr; // "Button1", the "X" that takes every capture off
    QRadioButton *m_rbCQ = nullptr, *m_rbITU = nullptr, *m_rbRU = nullptr;
    QRadioButton *m_rbLoc = nullptr, *m_rbState = nullptr, *m_rbDeg = nullptr;
    QCheckBox *m_chLR = nullptr;
    QFrame *m_info = nullptr; // "Panel3"
    QLabel *m_lbDxccRpt = nullptr, *m_lbPrefix = nullptr, *m_lbContinentRpt = nullptr;
    QLabel *m_lbDistance = nullptr, *m_lbCountry = nullptr;
};

} // namespace vireo
