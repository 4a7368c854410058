// Station information and the duplicate check of the main window.

#include "app/tmain.h"

#include "base/ui/window_placement.h"
#include "db/qso_store.h"
#include "db/reference_store.h"
#include "stationinfo/dupe_check.h"
#include "stationinfo/exchange_capture.h"
#include "stationinfo/station_lookup.h"
#include "stationinfo/ui/call_field_colour.h"
#include "stationinfo/ui/trptqso.h"

#include <QAction>
#include <QFrame>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <array>

namespace vireo {

namespace {

// The capture buttons indexed by capture::Kind.
std::array<QRadioButton *, 6> captureButtons(const TMain &m)
{
    return {m.rbCQ, m.rbITU, m.rbRU, m.rbLoc, m.rbState, m.rbDeg};
}

} // namespace

void TMain::attachRepeatsWindow()
{
    if (!windows.rptQso)
        return;
    // The repeats window draws against the entry line as it stands when it paints.
    windows.rptQso->setEntrySource([this] {
        return dupe::Entry{edCall1->text(), edCall2->text(), currentBand, modeCode(), edTour->text()};
    });
    placeBesideMainOnFirstShow(*windows.rptQso, *this, *Panel1);
}

void TMain::connectStationHandlers()
{
    connect(edCall1, &QLineEdit::textChanged, this, [this] { guard([this] { edCall1Change(); }); });
    connect(edCall2, &QLineEdit::textChanged, this, [this] { guard([this] { edCall2Change(); }); });
    // The group is not exclusive so that "X" can clear it; a click keeps exactly the clicked one.
    for (QRadioButton *b : captureButtons(*this)) {
        connect(b, &QRadioButton::clicked, this, [this, b] {
            guard([this, b] {
                for (QRadioButton *other : captureButtons(*this))
                    other->setChecked(other == b);
                ColorRbInfo();
            });
        });
    }
    connect(Button1, &QPushButton::clicked, this, [this] { guard([this] { Button1Click(); }); });
}

namespace {

// The change of one call field; side 1 is the heard station, side 2 the worked station.
struct Side {
    QLineEdit *call, *rst, *nr;
};

void callFieldChange(TMain &m, const Side &side)
{
    const QString mode = m.modeCode();
    const QString call = side.call->text();

    if (m.chRst->isChecked()) {
        side.rst->setText(dupe::defaultReport(mode));
        if (call.isEmpty())
            side.rst->clear();
    }
    m.FreqToBand();

    const QString tour = m.edTour->text();
    m.heardCount = m.qsos().heardRepeatCount(m.currentBand, mode, call, tour);
    m.workedCount = m.qsos().workedRepeatCount(m.currentBand, mode, call, tour);

    // Edit mode shows as the yellow heard report field.
    const dupe::FieldColour colour =
        dupe::callFieldColour(m.heardCount, m.workedCount, call.isEmpty(), m.editMode());
    TMain::setBackground(side.call, dupe::rgb(colour, TMain::windowColour()));

    if (TRptQso *rpt = m.windows.rptQso) {
        rpt->setCounts(m.heardCount, m.workedCount);
        rpt->setRepeats(m.qsos().repeats(call));
    }

    // Manual entry keeps its own colour whatever the counts.
    if (m.chCopy->isChecked())
        TMain::setBackground(side.call, dupe::rgb(dupe::FieldColour::LightGreen, TMain::windowColour()));

    m.lookupCall = call;
    m.ShowInfoCall();

    capture::Button buttons[6];
    const auto rbs = captureButtons(m);
    for (int i = 0; i < 6; ++i)
        buttons[i] = capture::Button{rbs[size_t(i)]->isChecked(), rbs[size_t(i)]->text()};
    if (const std::optional<QString> value = capture::copyValue(buttons))
        side.nr->setText(*value);

    m.FreqToBand();
    m.ScpCheck(side.call);
}

} // namespace

void TMain::edCall1Change()
{
    callFieldChange(*this, Side{edCall1, edRst1, edNr1});
}

void TMain::edCall2Change()
{
    callFieldChange(*this, Side{edCall2, edRst2, edNr2});
}

void TMain::ShowInfoCall()
{
    StationLookup lookup(references());
    const StationDisplay d = lookup.lookup(lookupCall, myLatitude, myLongitude);
    if (d.reset) {
        ClearTerr();
        return;
    }
    lbDxccRpt->setText(d.dxcc);
    lbPrefix->setText(d.prefix);
    rbCQ->setText(d.cq);
    rbITU->setText(d.itu);
    rbState->setText(d.state);
    lbContinentRpt->setText(d.continent);
    stationLatitude = d.stationLatitude;
    stationLongitude = d.stationLongitude;
    distanceMetres = d.distanceMetres;
    azimuthDegrees = d.azimuthDegrees;
    lbDistance->setText(d.distance);
    rbDeg->setText(d.deg);
    lbCountry->setText(d.country);
    if (d.ru)
        rbRU->setText(*d.ru);
    rbLoc->setText(d.loc);
}

void TMain::ClearTerr()
{
    const StationDisplay d = StationDisplay::cleared();
    lbDxccRpt->setText(d.dxcc);
    lbContinentRpt->setText(d.continent);
    rbCQ->setText(d.cq);
    rbRU->setText(*d.ru);
    rbITU->setText(d.itu);
    rbState->setText(d.state);
    rbLoc->setText(d.loc);
    rbDeg->setText(d.deg);
    lbCountry->setText(d.country);
    lbPrefix->setText(d.prefix);
    lbDistance->setText(d.distance);
}

void TMain::ColorRbInfo()
{
    const QColor face = QApplication::palette().color(QPalette::Button);
    for (QRadioButton *b : captureButtons(*this)) {
        QPalette p = b->palette();
        p.setColor(b->backgroundRole(), b->isChecked() ? yellow() : face);
        b->setPalette(p);
    }
}

void TMain::Button1Click()
{
    for (QRadioButton *b : captureButtons(*this))
        b->setChecked(false);
    ColorRbInfo();
    edCall1->setFocus();
}

void TMain::N17Click()
{
    TRptQso *rpt = windows.rptQso;
    if (!rpt)
        return;
    // The action has toggled its own mark already when triggered; the window decides.
    if (rpt->isVisible()) {
        rpt->hide();
        N17->setChecked(false);
    } else {
        rpt->show();
        rpt->raise();
        N17->setChecked(true);
    }
}

} // namespace vireo
