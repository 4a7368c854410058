#include "contest_rules/score_texts.h"

namespace vireo::rules::text {

namespace {

// Russian plural forms: one, few (2-4), many.
QString counted(qint64 n, const char *one, const char *few, const char *many)
{
    const qint64 m100 = (n < 0 ? -n : n) % 100;
    const qint64 m10 = m100 % 10;
    const char *word = many;
    if (m10 == 1 && m100 != 11)
        word = one;
    else if (m10 >= 2 && m10 <= 4 && (m100 < 12 || m100 > 14))
        word = few;
    return QString::number(n) + QLatin1Char(' ') + QString::fromUtf8(word);
}

} // namespace

QString times(qint64 n)
{
    return counted(n, "раз", "раза", "раз");
}

QString points(qint64 n)
{
    return counted(n, "очко", "очка", "очков");
}

QString multipliers(qint64 n)
{
    return counted(n, "множитель", "множителя", "множителей");
}

QString scopeWhere(const Scope &scope, const QString &band, const QString &mode, const QString &tour)
{
    if (scope.isContest())
        return QStringLiteral("в соревновании");
    QStringList on;
    if (scope.band)
        on << band;
    if (scope.mode)
        on << mode;
    QString where;
    if (!on.isEmpty())
        where = QStringLiteral("на ") + on.join(QLatin1Char(' '));
    if (scope.tour)
        where += (where.isEmpty() ? QString() : QStringLiteral(" ")) + QStringLiteral("в туре ") + tour;
    return where;
}

QString scopeSuffix(const Scope &scope, const QString &band, const QString &mode, const QString &tour)
{
    QStringList on;
    if (scope.band)
        on << band;
    if (scope.mode)
        on << mode;
    QString suffix = on.isEmpty() ? QString() : QStringLiteral(", ") + on.join(QLatin1Char(' '));
    if (scope.tour)
        suffix += QStringLiteral(", тур ") + tour;
    return suffix;
}

QString multiplierValue(Multiplier::Kind kind, const QString &value)
{
    switch (kind) {
    case Multiplier::Kind::CqZone:
        return QStringLiteral("зона CQ ") + value;
    case Multiplier::Kind::ItuZone:
        return QStringLiteral("зона ITU ") + value;
    case Multiplier::Kind::Dxcc:
    case Multiplier::Kind::Wpx:
    case Multiplier::Kind::Exchange:
    case Multiplier::Kind::Call:
        break;
    }
    return value;
}

QString role(Station station)
{
    switch (station) {
    case Station::Heard:
        return QStringLiteral("слышимая станция");
    case Station::Correspondent:
        return QStringLiteral("корреспондент");
    case Station::Both:
    case Station::Either:
        break;
    }
    return QString();
}

QString refusal(const Limit &limit, Station side, const QString &call, int detail, const QString &band,
                const QString &mode, const QString &tour)
{
    const QString who = role(side).isEmpty() ? call : call + QLatin1Char(' ') + role(side);
    const QString where = scopeWhere(limit.per, band, mode, tour);
    const QString no = QStringLiteral(": не засчитывается");
    switch (limit.kind) {
    case Limit::Kind::Max:
        return who + QStringLiteral(" уже ") + times(detail) + QLatin1Char(' ') + where + no;
    case Limit::Kind::Gap:
        return who
               + QStringLiteral(" снова через %1 мин %2 (нужно не меньше %3 мин)")
                     .arg(detail)
                     .arg(where)
                     .arg(limit.minutes)
               + no;
    case Limit::Kind::Run:
        // "после" takes the genitive: "после 1 раза", "после 2 раз", "после 21 раза".
        return who
               + QStringLiteral(" после %1 %2 подряд %3: других записей %4, нужно %5")
                     .arg(limit.count)
                     .arg(limit.count % 10 == 1 && limit.count % 100 != 11 ? QStringLiteral("раза")
                                                                           : QStringLiteral("раз"),
                          where)
                     .arg(detail)
                     .arg(limit.count)
               + no;
    case Limit::Kind::Once:
        return who + QStringLiteral(" уже есть в журнале ") + where + QStringLiteral(" (засчитывается один раз)") + no;
    }
    return who + no;
}

QString badTime(const QString &date, const QString &time)
{
    return QStringLiteral("дата или время не читаются («%1 %2»): не засчитывается").arg(date, time);
}

QString scores(int pointsOfRecord)
{
    return QStringLiteral("засчитывается: ") + points(pointsOfRecord);
}

QString newMultipliers(const QStringList &labels)
{
    if (labels.size() == 1)
        return QStringLiteral("новый множитель: ") + labels.first();
    return QStringLiteral("новые множители: ") + labels.join(QStringLiteral("; "));
}

} // namespace vireo::rules::text
