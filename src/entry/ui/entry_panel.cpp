#include "entry/ui/entry_panel.h"

#include "base/ui/widget_kit.h"
#include "db/qso_record.h"
#include "entry/band_plan.h"
#include "entry/field_layout.h"
#include "entry/focus_flow.h"
#include "entry/key_filter.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include <algorithm>
#include <memory>

namespace vireo {

using focusflow::Field;
using kit::make;

namespace {

// Ctrl+Z, also with another keyboard layout active (the Z key's X11 scan code).
bool isUndoKey(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Undo))
        return true;
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    return mods == Qt::ControlModifier && (event->key() == Qt::Key_Z || event->nativeScanCode() == 52);
}

} // namespace

EntryPanel::EntryPanel(QWidget *parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("Panel1"));
    setFixedHeight(110);

    // The station fields (placed by placeFields)
    QFont fieldFont = font();
    fieldFont.setPixelSize(16);
    fieldFont.setBold(true);
    for (auto [target, name] : {std::pair{&m_edCall1, "edCall1"},
                                {&m_edRst1, "edRst1"},
                                {&m_edNr1, "edNr1"},
                                {&m_edCall2, "edCall2"},
                                {&m_edRst2, "edRst2"},
                                {&m_edNr2, "edNr2"}}) {
        auto *e = make<QLineEdit>(this, name, QRect(148, 50, 150, 28));
        e->setFont(fieldFont);
        e->installEventFilter(this);
        *target = e;
    }
    m_edData = make<QLineEdit>(this, "edData", QRect(18, 50, 128, 28));
    m_edData->setInputMask(QStringLiteral("99.99.9999; "));
    m_edTime = make<QLineEdit>(this, "edTime", QRect(90, 78, 56, 28));
    m_edTime->setInputMask(QStringLiteral("09:99; "));
    for (QLineEdit *e : {m_edData, m_edTime}) {
        e->setFont(fieldFont);
        e->setFocusPolicy(Qt::ClickFocus);
        kit::setBackground(e, kit::yellow());
        e->installEventFilter(this);
    }
    m_cbBandEdit = make<QComboBox>(this, "cbBandEdit", QRect(18, 78, 71, 27));
    m_cbBandEdit->setEditable(true);
    m_cbBandEdit->addItems(bandplan::bandNames());
    m_cbBandEdit->setEditText(QStringLiteral("160M"));
    kit::setBackground(m_cbBandEdit, kit::yellow());

    m_swap = make<QToolButton>(this, "BitBtn1", QRect(504, 51, 43, 26));
    m_swap->setText(QStringLiteral("F1"));
    m_swap->setToolTip(tr("F1: Рокировка heard и worked станций"));
    m_clear = make<QToolButton>(this, "BitBtn2", QRect(547, 51, 43, 26));
    m_clear->setText(QStringLiteral("F2"));
    m_clear->setToolTip(tr("F2: Очистить все окна"));
    for (QToolButton *b : {m_swap, m_clear})
        b->setFocusPolicy(Qt::NoFocus);

    QFont bold = font();
    bold.setBold(true);
    for (auto [target, name] :
         {std::pair{&m_btSave, "btSave"}, {&m_btEditSave, "btEditSave"}, {&m_btCopySave, "btCopySave"}}) {
        auto *b = make<QPushButton>(this, name, QRect(504, 79, 86, 27));
        b->setText(QStringLiteral("OK"));
        b->setFont(bold);
        b->setAutoDefault(false);
        b->installEventFilter(this);
        *target = b;
    }
    m_btEditSave->hide();
    m_btCopySave->hide();

    connect(m_btSave, &QPushButton::clicked, this, &EntryPanel::saveClicked);
    connect(m_btCopySave, &QPushButton::clicked, this, &EntryPanel::copySaveClicked);
    connect(m_btEditSave, &QPushButton::clicked, this, &EntryPanel::editSaveClicked);
    connect(m_swap, &QToolButton::clicked, this, &EntryPanel::swapSides);
    connect(m_clear, &QToolButton::clicked, this, &EntryPanel::clearAll);
    connect(m_edRst2, &QLineEdit::textChanged, this, [this] {
        if (options().manualEntry)
            kit::setBackground(m_edRst2, kit::lightGreen());
    });

    // Typed characters are filtered before the field sees them (keyPress). Text that arrives
    // otherwise (pasted from the menu or with Shift+Insert, dropped) is filtered once it is in:
    // only the part that came in, so that what the program put there stays as it was.
    for (QLineEdit *e : stationFields()) {
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
    connect(m_edCall1, &QLineEdit::textChanged, this, [this] { emit callChanged(1); });
    connect(m_edCall2, &QLineEdit::textChanged, this, [this] { emit callChanged(2); });
    for (QLineEdit *e : {m_edCall1, m_edNr1, m_edCall2, m_edNr2, m_edData, m_edTime})
        connect(e, &QLineEdit::textChanged, this, &EntryPanel::edited);
}

QList<QLineEdit *> EntryPanel::stationFields() const
{
    return {m_edCall1, m_edRst1, m_edNr1, m_edCall2, m_edRst2, m_edNr2};
}

QLineEdit *EntryPanel::field(int side, int column) const
{
    return stationFields().at((side == 2 ? 3 : 0) + column);
}

// ---------------------------------------------------------------------------------------------
// The station fields

qsoentry::StationFields EntryPanel::fields() const
{
    return {m_edCall1->text(), m_edRst1->text(), m_edNr1->text(), m_edCall2->text(), m_edRst2->text(), m_edNr2->text()};
}

QString EntryPanel::call(int side) const
{
    return field(side, 0)->text();
}

void EntryPanel::setReport(int side, const QString &text)
{
    if (text.isEmpty())
        field(side, 1)->clear();
    else
        field(side, 1)->setText(text);
}

void EntryPanel::setNumber(int side, const QString &text)
{
    field(side, 2)->setText(text);
}

void EntryPanel::setCallColour(int side, const QColor &colour)
{
    kit::setBackground(field(side, 0), colour);
}

void EntryPanel::chooseCall(int side, const QString &call)
{
    QLineEdit *f = field(side, 0);
    f->setText(call);
    f->window()->activateWindow();
    f->setFocus();
    f->setCursorPosition(int(call.size()));
}

void EntryPanel::focusCall1()
{
    m_edCall1->setFocus();
}

void EntryPanel::dropReportWithoutNumber()
{
    if (m_edNr2->text().isEmpty())
        m_edRst2->clear();
}

void EntryPanel::placeFields(bool columnLayout, bool reportsShown)
{
    const layout::FieldPlaces p = layout::place(columnLayout, reportsShown);
    m_edCall1->setGeometry(p.call1);
    m_edRst1->setGeometry(p.rst1);
    m_edNr1->setGeometry(p.nr1);
    m_edCall2->setGeometry(p.call2);
    m_edRst2->setGeometry(p.rst2);
    m_edNr2->setGeometry(p.nr2);
    if (!p.reportsVisible) {
        m_edRst1->clear();
        m_edRst2->clear();
    }
    m_edRst1->setVisible(p.reportsVisible);
    m_edRst2->setVisible(p.reportsVisible);
}

void EntryPanel::swapSides()
{
    const qsoentry::StationFields f = fields();
    m_edCall1->setText(f.call2);
    m_edRst1->setText(f.rst2);
    m_edNr1->setText(f.nr2);
    m_edCall2->setText(f.call1);
    m_edRst2->setText(f.rst1);
    m_edNr2->setText(f.nr1);
    m_edCall1->setFocus();
}

void EntryPanel::clearAll()
{
    for (QLineEdit *e : stationFields())
        e->clear();
    m_edCall1->setFocus();
}

// ---------------------------------------------------------------------------------------------
// Date, time and band

QString EntryPanel::dateText() const
{
    return m_edData->displayText(); // mask blanks included
}

QString EntryPanel::timeText() const
{
    // An untouched time field reads two blanks, a colon and two blanks.
    return m_edTime->displayText();
}

QString EntryPanel::editBandText() const
{
    return m_cbBandEdit->currentText();
}

void EntryPanel::setEditBand(const QString &band)
{
    m_cbBandEdit->setEditText(band);
}

void EntryPanel::focusTime()
{
    m_edTime->setFocus();
}

// ---------------------------------------------------------------------------------------------
// Modes

void EntryPanel::afterObservationSave(bool keepReports)
{
    for (QLineEdit *e : {m_edCall1, m_edNr1, m_edCall2, m_edNr2})
        e->clear();
    m_edCall1->setFocus();
    kit::setBackground(m_edCall1, kit::windowColour());
    if (!keepReports) {
        m_edRst1->clear();
        m_edRst2->clear();
    }
    kit::setBackground(m_edCall2, kit::windowColour());
}

void EntryPanel::beginManualEntry(const QString &date, const QString &time)
{
    m_btSave->hide();
    m_btEditSave->hide();
    m_btCopySave->show();
    for (QLineEdit *e : stationFields())
        kit::setBackground(e, kit::lightGreen());
    m_edData->show();
    m_edTime->show();
    m_edTime->setFocus();
    kit::setBackground(m_edData, kit::lightGreen());
    kit::setBackground(m_edTime, kit::lightGreen());
    m_edData->setText(date);
    m_edTime->setText(time);
    m_edTime->selectAll(); // the clock's time is offered; the QSO's own time typed replaces it
    m_edRst1->setEnabled(true);
    m_edRst2->setEnabled(true);
}

void EntryPanel::endManualEntry()
{
    m_edCall1->setFocus();
    m_btSave->show();
    m_btEditSave->hide();
    m_btCopySave->hide();
    for (QLineEdit *e : stationFields())
        kit::setBackground(e, kit::windowColour());
    kit::setBackground(m_edData, kit::windowColour());
    kit::setBackground(m_edTime, kit::windowColour());
    m_edData->hide();
    m_edTime->hide();
    m_edRst1->setEnabled(true);
    m_edRst2->setEnabled(true);
}

void EntryPanel::afterManualSave()
{
    for (QLineEdit *e : stationFields())
        e->clear();
    m_edTime->clear();
    kit::setBackground(m_edCall1, kit::lightGreen());
    kit::setBackground(m_edCall2, kit::lightGreen());
    m_edTime->setFocus();
}

void EntryPanel::beginEdit(const QsoRecord &r)
{
    m_edTime->show();
    m_edTime->setFocus();
    m_edCall1->setText(r.call1);
    m_edRst1->setText(r.rst1);
    m_edNr1->setText(r.nr1);
    m_edCall2->setText(r.call2);
    m_edRst2->setText(r.rst2);
    m_edNr2->setText(r.nr2);
    m_edData->setText(r.data);
    m_edTime->setText(r.time);
    m_edTime->selectAll(); // a corrected time typed replaces the record's
    m_cbBandEdit->setEditText(r.band);
    m_btSave->hide();
    m_btCopySave->hide();
    m_btEditSave->show();
    for (QLineEdit *e : stationFields())
        kit::setBackground(e, kit::yellow());
    kit::setBackground(m_edData, kit::yellow());
    kit::setBackground(m_edTime, kit::yellow());
    m_edData->show();
    m_edTime->show();
    m_cbBandEdit->show();
    m_edRst1->setEnabled(true);
    m_edRst2->setEnabled(true);
}

void EntryPanel::endEdit()
{
    // The edited record's reports must not stay behind for the next QSO.
    for (QLineEdit *e : stationFields())
        e->clear();
    m_btSave->show();
    m_btEditSave->hide();
    for (QLineEdit *e : stationFields())
        kit::setBackground(e, kit::windowColour());
    m_edCall1->setFocus();
    hideDateFields();
}

bool EntryPanel::editing() const
{
    return kit::background(m_edRst1) == kit::yellow();
}

bool EntryPanel::showsEditDate() const
{
    return m_edData->isVisible() && kit::background(m_edData) == kit::yellow();
}

void EntryPanel::hideDateFields()
{
    m_edData->hide();
    m_edTime->hide();
    m_cbBandEdit->hide();
}

QList<QWidget *> EntryPanel::tabChain() const
{
    return {m_edCall1, m_edRst1, m_edNr1, m_edCall2, m_edRst2, m_edNr2, m_btSave, m_btEditSave, m_btCopySave};
}

QWidget *EntryPanel::bandBox() const
{
    return m_cbBandEdit;
}

// ---------------------------------------------------------------------------------------------
// Keyboard flow

bool EntryPanel::eventFilter(QObject *watched, QEvent *event)
{
    if ((event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride)
        && undoKey(watched, static_cast<QKeyEvent *>(event)))
        return true;
    if (event->type() == QEvent::KeyPress)
        return keyPress(watched, static_cast<QKeyEvent *>(event));
    if (event->type() == QEvent::FocusIn) {
        // Selected before the field handles the focus itself; a number field reached with
        // placement sets its own text and cursor right after.
        auto *e = qobject_cast<QLineEdit *>(watched);
        if (e && focusflow::selectsAllOnFocus(static_cast<QFocusEvent *>(event)->reason()))
            e->selectAll();
    }
    return QFrame::eventFilter(watched, event);
}

// Ctrl+Z in a station field: the field's own undo while it holds text, the log's when empty.
bool EntryPanel::undoKey(QObject *watched, QKeyEvent *event)
{
    const QList<QLineEdit *> all = stationFields();
    const auto it = std::find(all.begin(), all.end(), watched);
    if (it == all.end() || !isUndoKey(event))
        return false;
    if (event->type() == QEvent::ShortcutOverride) {
        // The field takes the key itself, so the menu's shortcut does not act behind its back.
        event->accept();
        return true;
    }
    if (!(*it)->text().isEmpty())
        (*it)->undo();
    else
        emit logUndoWanted();
    return true;
}

bool EntryPanel::keyPress(QObject *watched, QKeyEvent *event)
{
    const int key = event->key();
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    const bool alt = event->modifiers() & Qt::AltModifier;

    if (watched == m_edData) {
        if (enter)
            m_edTime->setFocus();
        return enter;
    }
    if (watched == m_edTime) {
        if (enter)
            m_edCall1->setFocus();
        return enter;
    }
    if (watched == m_btSave || watched == m_btCopySave || watched == m_btEditSave) {
        auto *button = static_cast<QPushButton *>(watched);
        if (enter) {
            button->click();
            return true;
        }
        if (watched == m_btSave && key == Qt::Key_Left) {
            m_edNr1->setFocus();
            return true;
        }
        return false;
    }

    const QList<QLineEdit *> all = stationFields();
    const auto it = std::find(all.begin(), all.end(), watched);
    if (it == all.end())
        return false;
    QLineEdit *fieldHit = *it;
    const Field from = Field(it - all.begin());

    if (key == Qt::Key_F1) {
        swapSides();
        return true;
    }
    if (key == Qt::Key_F2) {
        clearAll();
        return true;
    }
    if (ctrl && (key == Qt::Key_PageUp || key == Qt::Key_PageDown)) {
        emit stepWanted(key == Qt::Key_PageUp);
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
        const Options o = options();
        const auto target = focusflow::next(from, *move, o.columnLayout, o.reportsShown);
        const bool save = enter && ctrl && focusflow::savesOnCtrlEnter(from);
        if (!target && !save)
            return false;
        auto goTo = [this, target, all] {
            if (!target)
                return;
            if (target->target == Field::OkButton) {
                // "COPY" with its button first, then the observation button, then the edit button.
                if (options().manualEntry && !m_btCopySave->isHidden())
                    m_btCopySave->setFocus();
                else if (!m_btSave->isHidden())
                    m_btSave->setFocus();
                else if (!m_btEditSave->isHidden())
                    m_btEditSave->setFocus();
                return;
            }
            QLineEdit *to = all.at(int(target->target));
            to->setFocus();
            if (target->placement) {
                const focusflow::Placement p = focusflow::placeCursor(to->text(), options().cursorRight);
                to->setText(p.text);
                to->setCursorPosition(p.cursor);
            }
        };
        // A manual QSO typed in with its own date and time is filed by its own save.
        auto doSave = [this] {
            if (options().manualEntry)
                emit copySaveClicked();
            else
                emit saveWanted();
        };
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
        fieldHit->insert(out);
    return true;
}

} // namespace vireo
