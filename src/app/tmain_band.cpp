// Band plan and modes of the main window, and the field layout.

#include "app/tmain.h"

#include "app/freq_box_edit.h"

#include "entry/band_plan.h"
#include "entry/field_layout.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace vireo {

void TMain::FreqToBand()
{
    // In edit mode the record's own frequency field counts.
    const bool editing = edData->isVisible() && background(edData) == yellow() && edFreqEdit->isVisible();
    bandFromFrequencyText(editing ? edFreqEdit->text() : cbFreq->currentText());
}

void TMain::bandFromFrequencyText(const QString &text, bool sayOutside)
{
    const bandplan::BandLookup found = bandplan::lookupBand(text, selectedRadioOnline());
    if (found.band)
        currentBand = *found.band;
    // A number of no band keeps the band; the listener must see which one the QSO goes to. The
    // message gives way, and what the panel said before comes back, once the frequency has a band.
    if (found.outsideBands && sayOutside) {
        const QString warning = bandplan::outsideBandsText(text, currentBand);
        if (m_bandWarning.isEmpty())
            m_beforeBandWarning = statusText(5);
        if (warning != m_bandWarning)
            setStatusText(5, warning);
        m_bandWarning = warning;
    } else if (!found.outsideBands && !m_bandWarning.isEmpty()) {
        if (statusText(5) == m_bandWarning)
            setStatusText(5, m_beforeBandWarning);
        m_bandWarning.clear();
    }
}

void TMain::cbFreqChange()
{
    // A key typed into the box is handled by cbFreqTyped: while typing, the box may show a
    // completion the listener did not choose.
    if (static_cast<const FreqBoxEdit *>(cbFreq->lineEdit())->typing())
        return;
    FreqToBand();
}

void TMain::cbFreqTyped(const QString &typed)
{
    // Key by key: "7", "70", "701" are on the way to 7012, not frequencies of no band. The
    // warning waits for the next look at the band (a call typed, the QSO saved).
    bandFromFrequencyText(typed, false);
}

void TMain::cbModeChange()
{
    edCall1->setFocus();
}

void TMain::edFreqEditChange()
{
    FreqToBand();
    cbBandEdit->setEditText(currentBand);
}

void TMain::WinPosition()
{
    const bool column = N18->isChecked();
    N18->setText(layout::menuCaption(column));
    const layout::FieldPlaces p = layout::place(column, chRst->isChecked());
    edCall1->setGeometry(p.call1);
    edRst1->setGeometry(p.rst1);
    edNr1->setGeometry(p.nr1);
    edCall2->setGeometry(p.call2);
    edRst2->setGeometry(p.rst2);
    edNr2->setGeometry(p.nr2);
    if (!p.reportsVisible) {
        edRst1->clear();
        edRst2->clear();
    }
    edRst1->setVisible(p.reportsVisible);
    edRst2->setVisible(p.reportsVisible);
}

void TMain::N18Click()
{
    // The action toggled its own check mark already; the flag follows it.
    layoutFlag = N18->isChecked() ? 1 : 0;
    WinPosition();
}

void TMain::N20Click()
{
    N20->setText(N20->isChecked() ? QStringLiteral("Снять режим копии строки с рокировкой данных")
                                  : QStringLiteral("Установить режим копии строки с рокировкой данных"));
}

} // namespace vireo
