#include "entry/qso_entry.h"

#include "base/error.h"

#include <QCoreApplication>

namespace vireo::qsoentry {

QString collapseBlanks(const QString &text)
{
    const QString t = text.trimmed();
    QString out;
    out.reserve(t.size());
    bool blank = false;
    for (const QChar c : t) {
        if (c == QLatin1Char(' ')) {
            if (!blank)
                out += c;
            blank = true;
        } else {
            out += c;
            blank = false;
        }
    }
    return out;
}

QString removeBlanks(const QString &text)
{
    QString t = text;
    t.remove(QLatin1Char(' '));
    return t;
}

bool isDigitsOnly(const QString &text)
{
    const QString t = removeBlanks(text).trimmed();
    for (const QChar c : t)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

bool frequencyUsable(const QString &frequencyText)
{
    return isDigitsOnly(frequencyText) && !removeBlanks(frequencyText).trimmed().isEmpty();
}

QString frequencyMessage()
{
    return QCoreApplication::translate("vireo::QsoEntry", " Не верное значение частоты, запись невозможна");
}

namespace {

QsoRecord stamped(const Stamp &s)
{
    QsoRecord r;
    r.band = s.band;
    r.freq = removeBlanks(s.frequencyText);
    r.mode = s.modeText.left(2);
    r.data = s.date;
    r.time = s.time;
    r.tur = s.tour;
    return r;
}

StationFields swapped(const StationFields &f)
{
    return {f.call2, f.rst2, f.nr2, f.call1, f.rst1, f.nr1};
}

void putFields(QsoRecord &r, const StationFields &f)
{
    r.call1 = f.call1;
    r.rst1 = f.rst1;
    r.nr1 = f.nr1;
    r.call2 = f.call2;
    r.rst2 = f.rst2;
    r.nr2 = f.nr2;
}

StationFields prepared(const StationFields &f)
{
    return {f.call1.trimmed(), f.rst1.trimmed(), collapseBlanks(f.nr1),
            f.call2.trimmed(), f.rst2.trimmed(), collapseBlanks(f.nr2)};
}

// A decimal number of the time field; anything else is a conversion error naming the text.
int toNumber(const QString &text)
{
    bool digits = !text.isEmpty();
    for (const QChar c : text)
        digits = digits && c >= QLatin1Char('0') && c <= QLatin1Char('9');
    if (!digits)
        throw Error(QCoreApplication::translate("vireo::QsoEntry", "'%1' не является целым числом").arg(text));
    return text.toInt();
}

} // namespace

QVector<QsoRecord> observationRecords(const StationFields &fields, const Stamp &stamp, bool swap)
{
    const StationFields p = prepared(fields);
    QsoRecord first = stamped(stamp);
    putFields(first, p);
    first.radio = stamp.radio;
    QVector<QsoRecord> records{first};
    if (swap) {
        QsoRecord mirror = stamped(stamp);
        putFields(mirror, swapped(p));
        mirror.radio = stamp.radio;
        records.append(mirror);
    }
    return records;
}

QVector<QsoRecord> manualRecords(const StationFields &fields, const Stamp &stamp, bool swap)
{
    // The number fields carry the blank that placed the cursor; a stored blank would count as a
    // worked station's number in the points and break the dupe check and the reports.
    const StationFields p = prepared(fields);
    QsoRecord first = stamped(stamp);
    putFields(first, p);
    QVector<QsoRecord> records{first};
    if (swap) {
        QsoRecord mirror = stamped(stamp);
        putFields(mirror, swapped(p));
        records.append(mirror);
    }
    return records;
}

QsoRecord editedRecord(const QsoRecord &original, const StationFields &fields, const Stamp &stamp)
{
    QsoRecord r = stamped(stamp);
    putFields(r, fields);
    r.id = original.id;
    r.radio = original.radio;
    return r;
}

TimeCheck checkEditTime(const QString &timeText)
{
    const QString t = timeText.trimmed();
    if (t.size() != 5)
        return TimeCheck::Ok;
    if (toNumber(t.left(2)) > 23)
        return TimeCheck::BadHours;
    if (toNumber(t.mid(3)) > 59)
        return TimeCheck::BadMinutes;
    return TimeCheck::Ok;
}

QString timeCheckMessage(TimeCheck result)
{
    switch (result) {
    case TimeCheck::BadHours:
        return QCoreApplication::translate("vireo::QsoEntry", "Неверное значение часов");
    case TimeCheck::BadMinutes:
        return QCoreApplication::translate("vireo::QsoEntry", "Неверное значение минут");
    case TimeCheck::Ok:
        break;
    }
    return QString();
}

} // namespace vireo::qsoentry
