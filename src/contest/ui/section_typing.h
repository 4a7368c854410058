#pragma once
// Typing digits into a date or time field. Each digit goes into the section under the cursor
// (day, month, year, hour, minute, second), replacing what it held: the first digit starts the
// section afresh, and once the section is full (or no further digit could make it valid, as a
// day begun with 4) the cursor moves on to the next one. A separator ('.', ':', '/', '-', ',' or a
// blank) ends a section early. So "08122026" typed over 01.01.2013 gives 08.12.2026, and so
// does "8.12.2026". A day past the end of its month becomes the month's last day. Other keys
// (arrows, Page Up/Down, Backspace) keep their usual meaning.

#include <QObject>

class QDateTimeEdit;

namespace vireo {

class SectionTyping : public QObject {
    Q_OBJECT
public:
    // Attaches itself to the field (and is owned by it).
    static void attach(QDateTimeEdit *edit);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit SectionTyping(QDateTimeEdit *edit);
    bool digit(int value);
    bool separator();
    void moveOn(int index);
    void restart();

    QDateTimeEdit *m_edit;
    int m_section = -1; // index of the section being typed into, -1 when none
    QString m_typed; // digits typed into it so far
    bool m_movedOn = false; // the last digit filled its section and moved to the next one
};

} // namespace vireo
