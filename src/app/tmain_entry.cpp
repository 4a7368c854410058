// Entry line of the main window: saving, keyboard flow, editing and deleting.

#include "app/tmain.h"

#include "db/log_table_model.h"
#include "db/qso_store.h"
#include "entry/focus_flow.h"
#include "entry/key_filter.h"
#include "entry/qso_entry.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QFrame>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>

#include <algorithm>
#include <memory>

namespace vireo {

namespace {

using focusflow::Field;

// The text of a masked field as it is shown: mask blanks included, so an untouched time field
// reads two blanks, a colon and two blanks.
QString shownText(const QLineEdit *e)
{
    return e->displayText();
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Wiring

void TMain::connectEntryHandlers()
{
    auto click = [this](QAbstractButton *b, void (TMain::*handler)()) { wire(b, &QAbstractButton::clicked, handler); };
    click(btSave, &TMain::btSaveClick);
    click(btCopySave, &TMain::btCopySaveClick);
    click(btEditSave, &TMain::btEditSaveClick);
    click(chCopy, &TMain::chCopyClick);
    click(BitBtn1, &TMain::BitBtn1Click);
    click(BitBtn2, &TMain::BitBtn2Click);
    click(chRst, &TMain::chRstClick);
    click(chLR, &TMain::chLRClick);
    connect(edRst2, &QLineEdit::textChanged, this, [this] { guard([this] { edRst2Change(); }); });
    // "COPY" is unavailable while a record is edited; its caption stays readable on the silver strip.
    QPalette copyPalette = chCopy->palette();
    copyPalette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(96, 96, 96));
    chCopy->setPalette(copyPalette);

    // Typed characters are filtered before the field sees them (entryKeyPress). Text that arrives
    // otherwise (pasted from the menu or with Shift+Insert, dropped) is filtered once it is in:
    // only the part that came in, so that what the program put there stays as it was.
    for (QLineEdit *e : {edCall1, edRst1, edNr1, edCall2, edRst2, edNr2}) {
        // The field's text before a user's edit: textEdited comes before textChanged.
        auto before = std::make_shared<QString>(e->text());
        connect(e, &QLineEdit::textChanged, this, [e, before] { *before = e->text(); });
        connect(e, &QLineEdit::textEdited, this, [e, before](const QString &t) {
            int cursor = 0;
            const QString filtered = keyfilter::filterInserted(*before, t, cursor);
            if (filtered != t) {
                e->setText(filtered);
                e->setCursorPosition(cursor);
            }
        });
    }
}

// ---------------------------------------------------------------------------------------------
// Keyboard flow

bool TMain::entryKeyPress(QObject *watched, QKeyEvent *event)
{
    const int key = event->key();
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    const bool alt = event->modifiers() & Qt::AltModifier;

    if (watched == edData) {
        if (enter)
            edTime->setFocus();
        return enter;
    }
    if (watched == edTime) {
        if (enter)
            edCall1->setFocus();
        return enter;
    }
    if (watched == btSave || watched == btCopySave || watched == btEditSave) {
        auto *button = static_cast<QPushButton *>(watched);
        if (enter) {
            button->click();
            return true;
        }
        if (watched == btSave && key == Qt::Key_Left) {
            edNr1->setFocus();
            return true;
        }
        return false;
    }

    QLineEdit *const fields[] = {edCall1, edRst1, edNr1, edCall2, edRst2, edNr2};
    const auto it = std::find(std::begin(fields), std::end(fields), watched);
    if (it == std::end(fields))
        return false;
    QLineEdit *field = *it;
    const Field from = Field(it - std::begin(fields));

    if (key == Qt::Key_F1) {
        guard([this] { BitBtn1Click(); });
        return true;
    }
    if (key == Qt::Key_F2) {
        guard([this] { BitBtn2Click(); });
        return true;
    }

    std::optional<focusflow::Key> move;
    if (enter)
        move = focusflow::Key::Enter;
    else if (key == Qt::Key_Up)
        move = focusflow::Key::Up;
    else if (key == Qt::Key_Down)
        move = focusflow::Key::Down;
    else if (key == Qt::Key_Escape)
        move = focusflow::Key::Esc;
    if (move) {
        const auto target = focusflow::next(from, *move, N18->isChecked(), chRst->isChecked());
        const bool save = enter && ctrl && focusflow::savesOnCtrlEnter(from);
        if (!target && !save)
            return false;
        auto goTo = [this, target] {
            if (!target)
                return;
            if (target->target == Field::OkButton) {
                // "COPY" with its button first, then the observation button, then the edit button.
                if (chCopy->isChecked() && !btCopySave->isHidden())
                    btCopySave->setFocus();
                else if (!btSave->isHidden())
                    btSave->setFocus();
                else if (!btEditSave->isHidden())
                    btEditSave->setFocus();
                return;
            }
            QLineEdit *const all[] = {edCall1, edRst1, edNr1, edCall2, edRst2, edNr2};
            QLineEdit *to = all[int(target->target)];
            to->setFocus();
            if (target->placement) {
                const focusflow::Placement p = focusflow::placeCursor(to->text(), chLR->isChecked());
                to->setText(p.text);
                to->setCursorPosition(p.cursor);
            }
        };
        // A manual QSO typed in with its own date and time is filed by its own save.
        auto doSave = [this] { guard([this] { chCopy->isChecked() ? btCopySaveClick() : SaveQso(); }); };
        if (save && focusflow::savesBeforeMove(from)) {
            doSave();
            goTo();
        } else {
            goTo();
            if (save)
                doSave();
        }
        return true;
    }

    // The character filter.
    const QString text = event->text();
    if (text.isEmpty())
        return false;
    const QChar c = text.at(0);
    const bool controlChar = c.unicode() < ' ' || c.unicode() == 127;
    if (ctrl && !alt) {
        // Control characters, those of the clipboard shortcuts among them, are discarded; keys
        // without a character of their own (Ctrl+arrows, Ctrl+Backspace, Ctrl+Delete) keep
        // their meaning.
        if (controlChar)
            return c.unicode() != 8 && c.unicode() != 9 && c.unicode() != 127;
        return c.isLetter();
    }
    if (controlChar)
        return false; // backspace, delete and the like: the field's own handling
    QString out;
    for (const QChar ch : text) {
        const QChar f = keyfilter::filterChar(ch);
        if (!f.isNull())
            out += f;
    }
    if (out == text)
        return false;
    if (!out.isEmpty())
        field->insert(out);
    return true;
}

void TMain::entryFocusIn(QObject *watched, const QFocusEvent *event)
{
    // Selected before the field handles the focus itself; a number field reached with placement
    // sets its own text and cursor right after.
    for (QLineEdit *e : {edCall1, edRst1, edNr1, edCall2, edRst2, edNr2, edData, edTime})
        if (watched == e && focusflow::selectsAllOnFocus(event->reason()))
            e->selectAll();
}

void TMain::chRstClick()
{
    WinPosition();
}

void TMain::chLRClick()
{
    chLR->setText(chLR->isChecked() ? QStringLiteral("Справа") : QStringLiteral("Слева"));
}

// ---------------------------------------------------------------------------------------------
// Saving

void TMain::btSaveClick()
{
    if (!edCall1->text().trimmed().isEmpty() && !edNr1->text().trimmed().isEmpty())
        SaveQso();
}

void TMain::SaveQso()
{
    // A record typed now must not land in the record being edited, nor beside it.
    if (editMode())
        return;
    if (!qsoentry::frequencyUsable(cbFreq->currentText())) {
        m_ctx.services.prompts->information(qsoentry::frequencyMessage());
        return;
    }
    if (edNr2->text().isEmpty())
        edRst2->clear();
    FreqToBand();
    // The clock's texts are empty until its first tick; a record is never filed without them.
    if (CurrentUtcDate.isEmpty() || CurrentUtcTime.isEmpty())
        Timer1Timer();

    qsoentry::Stamp stamp;
    stamp.band = currentBand;
    stamp.frequencyText = cbFreq->currentText();
    stamp.modeText = cbMode->currentText();
    stamp.date = CurrentUtcDate;
    stamp.time = CurrentUtcTime;
    stamp.tour = edTour->text();
    stamp.radio = btRdaio1->isChecked() ? QStringLiteral("1") : QStringLiteral("2");
    const qsoentry::StationFields fields{edCall1->text(), edRst1->text(), edNr1->text(),
                                         edCall2->text(), edRst2->text(), edNr2->text()};
    m_qsos->append(qsoentry::observationRecords(fields, stamp, N20->isChecked())); // the grid follows the log
    selectLastRow();

    edCall1->clear();
    edNr1->clear();
    edCall2->clear();
    edNr2->clear();
    RefreshCounters();
    edCall1->setFocus();
    setBackground(edCall1, windowColour());
    if (!chRst->isChecked()) {
        edRst1->clear();
        edRst2->clear();
    }
    setBackground(edCall2, windowColour());
}

void TMain::btCopySaveClick()
{
    if (!qsoentry::frequencyUsable(cbFreq->currentText())) {
        m_ctx.services.prompts->information(qsoentry::frequencyMessage());
        return;
    }
    FreqToBand();
    if (edCall1->text().trimmed().isEmpty() || edNr1->text().trimmed().isEmpty())
        return;

    qsoentry::Stamp stamp;
    stamp.band = currentBand;
    stamp.frequencyText = cbFreq->currentText();
    stamp.modeText = cbMode->currentText();
    stamp.date = shownText(edData);
    stamp.time = shownText(edTime);
    stamp.tour = edTour->text();
    const qsoentry::StationFields fields{edCall1->text(), edRst1->text(), edNr1->text(),
                                         edCall2->text(), edRst2->text(), edNr2->text()};
    m_qsos->append(qsoentry::manualRecords(fields, stamp, N20->isChecked())); // the grid follows the log
    selectLastRow();

    for (QLineEdit *e : {edCall1, edRst1, edNr1, edCall2, edRst2, edNr2})
        e->clear();
    edTime->clear();
    RefreshCounters();
    setBackground(edCall1, lightGreen());
    setBackground(edCall2, lightGreen());
    edTime->setFocus();
}

void TMain::chCopyClick()
{
    QLineEdit *const stations[] = {edCall1, edRst1, edNr1, edCall2, edRst2, edNr2};
    if (chCopy->isChecked()) {
        btSave->hide();
        btEditSave->hide();
        btCopySave->show();
        setBackground(edTour, lightGreen());
        for (QLineEdit *e : stations)
            setBackground(e, lightGreen());
        edData->show();
        edTime->show();
        edTime->setFocus();
        setBackground(edData, lightGreen());
        setBackground(edTime, lightGreen());
        edData->setText(CurrentUtcDate);
        edTime->setText(CurrentUtcTime);
        edTime->selectAll(); // the clock's time is offered; the QSO's own time typed replaces it
        setBackground(cbMode, lightGreen());
        setBackground(cbFreq, lightGreen());
        setStatusText(5, QStringLiteral("Режим ввода QSO вручную"));
        for (int position : {1, 2, 3, 5})
            setMenuEnabled(position, false);
        N12->setEnabled(false);
        N13->setEnabled(false);
        edRst1->setEnabled(true);
        edRst2->setEnabled(true);
        Panel3->hide();
    } else {
        edCall1->setFocus();
        btSave->show();
        btEditSave->hide();
        btCopySave->hide();
        setBackground(edTour, silver());
        for (QLineEdit *e : stations)
            setBackground(e, windowColour());
        setBackground(edData, windowColour());
        setBackground(edTime, windowColour());
        setBackground(cbMode, windowColour());
        setBackground(cbFreq, windowColour());
        edData->hide();
        edTime->hide();
        setStatusText(5, QStringLiteral("Режим - наблюдений и записи QSO!"));
        for (int position = 1; position <= 5; ++position)
            setMenuEnabled(position, true);
        N12->setEnabled(true);
        N13->setEnabled(true);
        edRst1->setEnabled(true);
        edRst2->setEnabled(true);
        Panel3->show();
    }
}

void TMain::edRst2Change()
{
    if (chCopy->isChecked())
        setBackground(edRst2, lightGreen());
}

void TMain::BitBtn1Click()
{
    const QString call1 = edCall1->text(), rst1 = edRst1->text(), nr1 = edNr1->text();
    const QString call2 = edCall2->text(), rst2 = edRst2->text(), nr2 = edNr2->text();
    edCall1->setText(call2);
    edRst1->setText(rst2);
    edNr1->setText(nr2);
    edCall2->setText(call1);
    edRst2->setText(rst1);
    edNr2->setText(nr1);
    edCall1->setFocus();
}

void TMain::BitBtn2Click()
{
    for (QLineEdit *e : {edCall1, edRst1, edNr1, edCall2, edRst2, edNr2})
        e->clear();
    edCall1->setFocus();
}

// ---------------------------------------------------------------------------------------------
// Editing and deleting

bool TMain::editMode() const
{
    return background(edRst1) == yellow();
}

namespace {

int selectedRow(QTableView *grid)
{
    if (QItemSelectionModel *s = grid->selectionModel()) {
        const QModelIndexList rows = s->selectedRows();
        if (!rows.isEmpty())
            return rows.first().row();
    }
    return grid->currentIndex().row();
}

} // namespace

void TMain::N12Click()
{
    if (editMode())
        return;
    const int row = selectedRow(DBGrid1);
    const qint64 id = m_logModel->idAt(row);
    if (id <= 0)
        return; // nothing selected, nothing to edit
    const QsoRecord r = m_qsos->byId(id);

    edTime->show();
    edTime->setFocus();
    editRow = row;
    editId = id;
    DBGrid1->setEnabled(false);
    edCall1->setText(r.call1);
    edRst1->setText(r.rst1);
    edNr1->setText(r.nr1);
    edCall2->setText(r.call2);
    edRst2->setText(r.rst2);
    edNr2->setText(r.nr2);
    edData->setText(r.data);
    edTime->setText(r.time);
    edTime->selectAll(); // a corrected time typed replaces the record's
    savedModeText = cbMode->currentText();
    savedFreqText = cbFreq->currentText();
    cbModeEdit->setEditText(r.mode);
    edFreqEdit->setText(r.freq);
    cbBandEdit->setEditText(r.band);
    btSave->hide();
    btCopySave->hide();
    btEditSave->show();
    for (QWidget *w : {static_cast<QWidget *>(edTour), static_cast<QWidget *>(edCall1), static_cast<QWidget *>(edRst1),
                       static_cast<QWidget *>(edNr1), static_cast<QWidget *>(edCall2), static_cast<QWidget *>(edRst2),
                       static_cast<QWidget *>(edNr2), static_cast<QWidget *>(edData), static_cast<QWidget *>(edTime)})
        setBackground(w, yellow());
    edData->show();
    edTime->show();
    cbBandEdit->show();
    cbMode->hide();
    cbFreq->hide();
    cbModeEdit->show();
    edFreqEdit->show();
    setStatusText(5, QStringLiteral("Режим редактирования"));
    for (int position = 1; position <= 5; ++position)
        setMenuEnabled(position, false);
    edRst1->setEnabled(true);
    edRst2->setEnabled(true);
    Panel3->hide();
    // Switching to manual entry in the middle of an edit would leave the edit without its button.
    chCopy->setEnabled(false);
}

void TMain::btEditSaveClick()
{
    FreqToBand();
    const qsoentry::TimeCheck check = qsoentry::checkEditTime(shownText(edTime));
    if (check != qsoentry::TimeCheck::Ok) {
        m_ctx.services.prompts->information(qsoentry::timeCheckMessage(check));
        edTime->setFocus();
        return;
    }
    if (edNr2->text().isEmpty())
        edRst2->clear();

    qsoentry::Stamp stamp;
    stamp.band = cbBandEdit->currentText();
    stamp.frequencyText = edFreqEdit->text();
    stamp.modeText = cbModeEdit->currentText();
    stamp.date = shownText(edData);
    stamp.time = shownText(edTime);
    stamp.tour = edTour->text();
    const qsoentry::StationFields fields{edCall1->text(), edRst1->text(), edNr1->text(),
                                         edCall2->text(), edRst2->text(), edNr2->text()};
    const QsoRecord edited = qsoentry::editedRecord(m_qsos->byId(editId), fields, stamp);
    m_qsos->update(edited);

    edCall1->clear();
    edNr1->clear();
    edCall2->clear();
    edNr2->clear();
    // The edited record's reports must not stay behind for the next QSO.
    edRst1->clear();
    edRst2->clear();
    cbFreq->setEditText(savedFreqText);
    cbMode->setEditText(savedModeText);
    btSave->show();
    btEditSave->hide();
    edTime->hide();
    for (QLineEdit *e : {edCall1, edRst1, edNr1, edCall2, edRst2, edNr2})
        setBackground(e, windowColour());
    edCall1->setFocus();
    setBackground(edTour, silver());
    cbMode->show();
    cbFreq->show();
    cbModeEdit->hide();
    edFreqEdit->hide();
    RefreshCounters();
    const int row = m_logModel->rowOfId(edited.id);
    if (row >= 0) {
        DBGrid1->selectRow(row);
        DBGrid1->scrollTo(m_logModel->index(row, 0));
    }
    setStatusText(5, QStringLiteral("OK"));
    DBGrid1->setEnabled(true);
    edData->hide();
    edTime->hide();
    cbBandEdit->hide();
    for (int position = 1; position <= 5; ++position)
        setMenuEnabled(position, true);
    setBackground(edCall1, windowColour());
    Panel3->show();
    chCopy->setEnabled(true);
    editId = 0;
    editRow = -1;
}

void TMain::N13Click()
{
    if (editMode())
        return;
    const int row = selectedRow(DBGrid1);
    const qint64 id = m_logModel->idAt(row);
    if (id <= 0)
        return;
    m_qsos->remove(id);
    // The same position now holds the record that followed; after the last one, the new last.
    const int count = m_logModel->rowCount();
    if (count > 0) {
        const int keep = std::min(row, count - 1);
        DBGrid1->selectRow(keep);
        DBGrid1->scrollTo(m_logModel->index(keep, 0));
    }
    RefreshCounters();
}

void TMain::N7Click()
{
    if (!m_ctx.services.prompts->askYesNo(QStringLiteral("Вы действительно хотите удалить все записи лога?")))
        return;
    m_qsos->clear();
    RefreshCounters();
}

} // namespace vireo
