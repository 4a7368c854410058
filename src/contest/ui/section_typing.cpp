#include "contest/ui/section_typing.h"

#include <QDateTimeEdit>
#include <QKeyEvent>
#include <QLineEdit>

#include <algorithm>

namespace vireo {

namespace {

int widthOf(QDateTimeEdit::Section s)
{
    return s == QDateTimeEdit::YearSection ? 4 : 2;
}

int highestOf(QDateTimeEdit::Section s)
{
    switch (s) {
    case QDateTimeEdit::DaySection:
        return 31;
    case QDateTimeEdit::MonthSection:
        return 12;
    case QDateTimeEdit::YearSection:
        return 9999;
    case QDateTimeEdit::HourSection:
        return 23;
    case QDateTimeEdit::MinuteSection:
    case QDateTimeEdit::SecondSection:
        return 59;
    default:
        return 0;
    }
}

int lowestOf(QDateTimeEdit::Section s)
{
    return s == QDateTimeEdit::DaySection || s == QDateTimeEdit::MonthSection ? 1 : 0;
}

// The field's value with one section set; a day past the end of the month is the last day.
QDateTime withSection(const QDateTime &value, QDateTimeEdit::Section s, int n)
{
    QDate d = value.date();
    QTime t = value.time();
    int year = d.year(), month = d.month(), day = d.day();
    switch (s) {
    case QDateTimeEdit::DaySection:
        day = n;
        break;
    case QDateTimeEdit::MonthSection:
        month = n;
        break;
    case QDateTimeEdit::YearSection:
        year = n;
        break;
    case QDateTimeEdit::HourSection:
        t = QTime(n, t.minute(), t.second());
        break;
    case QDateTimeEdit::MinuteSection:
        t = QTime(t.hour(), n, t.second());
        break;
    case QDateTimeEdit::SecondSection:
        t = QTime(t.hour(), t.minute(), n);
        break;
    default:
        break;
    }
    day = std::min(day, QDate(year, month, 1).daysInMonth());
    return QDateTime(QDate(year, month, day), t, value.timeSpec());
}

} // namespace

void SectionTyping::attach(QDateTimeEdit *edit)
{
    new SectionTyping(edit);
}

SectionTyping::SectionTyping(QDateTimeEdit *edit) : QObject(edit), m_edit(edit)
{
    edit->installEventFilter(this);
    if (QLineEdit *line = edit->findChild<QLineEdit *>())
        line->installEventFilter(this);
}

void SectionTyping::restart()
{
    m_section = -1;
    m_typed.clear();
    m_movedOn = false;
}

bool SectionTyping::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::FocusIn:
    case QEvent::FocusOut:
    case QEvent::MouseButtonPress:
        restart();
        break;
    case QEvent::KeyPress: {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
            break;
        const QString text = key->text();
        if (text.size() == 1 && text[0] >= QLatin1Char('0') && text[0] <= QLatin1Char('9'))
            return digit(text[0].digitValue());
        if (text.size() == 1 && QStringLiteral(".:/-, ").contains(text[0]))
            return separator();
        restart(); // arrows and the like: the field's own handling, typing starts afresh after
        break;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

bool SectionTyping::digit(int value)
{
    const int index = m_edit->currentSectionIndex();
    if (index < 0 || index >= m_edit->sectionCount())
        return true;
    if (index != m_section) {
        m_section = index;
        m_typed.clear();
    }
    m_movedOn = false;
    const QDateTimeEdit::Section s = m_edit->sectionAt(index);
    const int highest = highestOf(s);
    if (highest == 0)
        return true;
    m_typed += QChar('0' + value);
    if (m_typed.toInt() > highest)
        m_typed = QString(QChar('0' + value)); // too big to go on: the digit starts the section anew
    const int n = m_typed.toInt();
    const bool full = m_typed.size() >= widthOf(s) || n * 10 > highest;
    // A year is put in once it is whole; the other sections show each digit at once.
    if (n >= lowestOf(s) && (s != QDateTimeEdit::YearSection || full)) {
        const QDateTime next = withSection(m_edit->dateTime(), s, n);
        if (next.isValid())
            m_edit->setDateTime(next);
    }
    if (full)
        moveOn(index);
    else
        m_edit->setSelectedSection(s);
    return true;
}

bool SectionTyping::separator()
{
    const int index = m_edit->currentSectionIndex();
    if (m_movedOn) {
        m_movedOn = false; // the section was full already: the separator only confirms it
        return true;
    }
    if (index == m_section && !m_typed.isEmpty()) {
        const QDateTimeEdit::Section s = m_edit->sectionAt(index);
        int n = m_typed.toInt();
        if (s == QDateTimeEdit::YearSection && m_typed.size() <= 2)
            n += 2000; // "26" is 2026
        if (n >= lowestOf(s) && n <= highestOf(s)) {
            const QDateTime next = withSection(m_edit->dateTime(), s, n);
            if (next.isValid())
                m_edit->setDateTime(next);
        }
    }
    moveOn(index);
    m_movedOn = false;
    return true;
}

void SectionTyping::moveOn(int index)
{
    m_typed.clear();
    const int next = std::min(index + 1, m_edit->sectionCount() - 1);
    m_edit->setCurrentSectionIndex(next);
    m_edit->setSelectedSection(m_edit->sectionAt(next));
    m_section = next;
    m_movedOn = true;
}

} // namespace vireo
