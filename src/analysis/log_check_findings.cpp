#include "analysis/log_check_findings.h"

#include <QCoreApplication>

namespace vireo::logcheck {

namespace {

// The columns a kept record holds, in the order they are packed.
std::array<QString *, 9> shown(QsoRecord &r)
{
    return {&r.data, &r.time, &r.call1, &r.nr1, &r.call2, &r.nr2, &r.band, &r.mode, &r.tur};
}

void putLength(QByteArray &out, qsizetype n)
{
    // Seven bits a byte, the high bit set on all but the last.
    while (n >= 0x80) {
        out.append(char(0x80 | (n & 0x7f)));
        n >>= 7;
    }
    out.append(char(n));
}

qsizetype takeLength(const QByteArray &in, qsizetype &at)
{
    qsizetype n = 0;
    for (int shift = 0;; shift += 7) {
        const auto c = static_cast<unsigned char>(in.at(at++));
        n |= qsizetype(c & 0x7f) << shift;
        if (!(c & 0x80))
            return n;
    }
}

QString when(const QsoRecord &r, const QsoRecord &relativeTo)
{
    if (r.data == relativeTo.data)
        return QCoreApplication::translate("vireo::LogCheckFindings", "в %1").arg(r.time);
    return QCoreApplication::translate("vireo::LogCheckFindings", "%1 в %2").arg(r.data, r.time);
}

QString callAt(const QsoRecord &r, int side)
{
    return side == 1 ? r.call1 : r.call2;
}
QString nrAt(const QsoRecord &r, int side)
{
    return (side == 1 ? r.nr1 : r.nr2).trimmed();
}

QString incompleteText(const QsoRecord &r)
{
    const bool call1 = !r.call1.trimmed().isEmpty(), nr1 = !r.nr1.trimmed().isEmpty();
    const bool call2 = !r.call2.trimmed().isEmpty(), nr2 = !r.nr2.trimmed().isEmpty();
    QStringList what;
    if (!call1)
        what << QCoreApplication::translate("vireo::LogCheckFindings", "нет позывного наблюдаемой станции (CALL-1)");
    else if (!nr1)
        what << QCoreApplication::translate("vireo::LogCheckFindings", "у %1 нет контрольного номера (NR-1)")
                    .arg(r.call1);
    if (call2 && !nr2)
        what << QCoreApplication::translate("vireo::LogCheckFindings", "у %1 нет контрольного номера (NR-2)")
                    .arg(r.call2);
    else if (!call2 && nr2)
        what << QCoreApplication::translate("vireo::LogCheckFindings", "номер %1 без позывного корреспондента (CALL-2)")
                    .arg(r.nr2.trimmed());
    QString text = what.join(QStringLiteral("; "));
    if (!text.isEmpty())
        text[0] = text[0].toUpper();
    return text;
}

} // namespace

void Findings::Data::keep(const QsoRecord &r)
{
    ids.push_back(r.id);
    start.push_back(std::uint32_t(columns.size()));
    QsoRecord copy = r;
    for (const QString *value : shown(copy)) {
        const QByteArray utf8 = value->toUtf8();
        putLength(columns, utf8.size());
        columns.append(utf8);
    }
}

QsoRecord Findings::Data::recordAt(int kept) const
{
    QsoRecord r;
    r.id = ids[size_t(kept)];
    qsizetype at = start[size_t(kept)];
    for (QString *value : shown(r)) {
        const qsizetype n = takeLength(columns, at);
        *value = QString::fromUtf8(columns.constData() + at, n);
        at += n;
    }
    return r;
}

Findings::Findings() : m_d(std::make_shared<Data>()) {}

Findings::Findings(std::shared_ptr<const Data> data) : m_d(std::move(data)) {}

int Findings::size() const
{
    return int(m_d->items.size());
}

Kind Findings::kindAt(int i) const
{
    return m_d->items[size_t(i)].kind;
}

Finding Findings::at(int i) const
{
    const Item &item = m_d->items[size_t(i)];
    Finding f;
    f.kind = item.kind;
    f.side = item.side;
    f.group = item.group;
    f.record = m_d->recordAt(item.record);
    const QsoRecord &r = f.record;
    const QsoRecord o = item.other >= 0 ? m_d->recordAt(item.other) : QsoRecord();
    switch (item.says) {
    case Says::SerialBelowEarlier:
        f.text = QCoreApplication::translate("vireo::LogCheckFindings", "Номер %1 у %2 меньше прежнего %3 (%4)")
                     .arg(nrAt(r, item.side), callAt(r, item.side), nrAt(o, item.otherSide), when(o, r));
        break;
    case Says::SerialAboveLater:
        f.text = QCoreApplication::translate("vireo::LogCheckFindings", "Номер %1 у %2 больше следующего %3 (%4)")
                     .arg(nrAt(r, item.side), callAt(r, item.side), nrAt(o, item.otherSide), when(o, r));
        break;
    case Says::SerialOutOfLine:
        f.text = QCoreApplication::translate("vireo::LogCheckFindings",
                                             "Номер %1 у %2 выпадает из ряда номеров этой станции")
                     .arg(nrAt(r, item.side), callAt(r, item.side));
        break;
    case Says::SerialTooFast:
        f.text = QCoreApplication::translate("vireo::LogCheckFindings",
                                             "Номер %1 у %2 слишком велик: %3 мин назад был %4 (%5)")
                     .arg(nrAt(r, item.side), callAt(r, item.side))
                     .arg(item.a)
                     .arg(nrAt(o, item.otherSide), when(o, r));
        break;
    case Says::PairAgain: {
        const QString ago = item.a == 0
                                ? QCoreApplication::translate("vireo::LogCheckFindings", "в ту же минуту")
                                : QCoreApplication::translate("vireo::LogCheckFindings", "%1 мин назад").arg(item.a);
        f.text = QCoreApplication::translate("vireo::LogCheckFindings",
                                             "Пара %1 – %2 уже записана %3, %4 (можно не раньше чем через %5 мин)")
                     .arg(r.call1, r.call2, when(o, r), ago)
                     .arg(m_d->minRepeatMinutes);
        break;
    }
    case Says::BustedCall:
        f.text = QCoreApplication::translate("vireo::LogCheckFindings",
                                             "%1 нет ни среди известных позывных, ни в других записях журнала")
                     .arg(callAt(r, item.side));
        if (item.b > 0) {
            f.suggestions = QString::fromUtf8(m_d->suggestions.constData() + item.a, item.b).split(QChar(0x1f));
            f.text += QCoreApplication::translate("vireo::LogCheckFindings", "; возможно: %1")
                          .arg(f.suggestions.join(QStringLiteral(", ")));
        }
        break;
    case Says::Repeat: {
        const QString where = QCoreApplication::translate("vireo::LogCheckFindings", "%1 в туре %2, %3 %4")
                                  .arg(o.call1, o.tur, o.band, o.mode);
        f.text = item.a == 1 ? QCoreApplication::translate("vireo::LogCheckFindings", "%1: первая из %2 записей")
                                   .arg(where)
                                   .arg(item.b)
                             : QCoreApplication::translate("vireo::LogCheckFindings", "%1: повтор %2 из %3 (первая %4)")
                                   .arg(where)
                                   .arg(item.a)
                                   .arg(item.b)
                                   .arg(when(o, r));
        break;
    }
    case Says::RuleRefused:
        f.text = QString::fromUtf8(m_d->suggestions.constData() + item.a, item.b);
        break;
    case Says::None:
        f.text = incompleteText(r);
        break;
    }
    return f;
}

QVector<Finding> Findings::all() const
{
    QVector<Finding> out;
    out.reserve(size());
    for (int i = 0; i < size(); ++i)
        out.append(at(i));
    return out;
}

} // namespace vireo::logcheck
