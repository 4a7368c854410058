#include "contest_rules/score_texts.h"

#include "base/interface_language.h"

#include <QCoreApplication>

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

bool inEnglish()
{
    return currentInterfaceLanguage() == InterfaceLanguage::English;
}

// "после" takes the genitive: "после 1 раза", "после 2 раз", "после 21 раза".
QString timesAfter(qint64 n)
{
    if (inEnglish())
        return times(n);
    // untranslated: the Russian plural forms; English has its own in times()
    return counted(n, "раза", "раз", "раз");
}

} // namespace

QString times(qint64 n)
{
    if (inEnglish())
        return QCoreApplication::translate("vireo::Score", "%n раз", nullptr, int(n));
    // untranslated: the Russian plural forms; English has its own above
    return counted(n, "раз", "раза", "раз");
}

QString points(qint64 n)
{
    if (inEnglish())
        return QCoreApplication::translate("vireo::Score", "%n очко", nullptr, int(n));
    // untranslated: the Russian plural forms; English has its own above
    return counted(n, "очко", "очка", "очков");
}

QString multipliers(qint64 n)
{
    if (inEnglish())
        return QCoreApplication::translate("vireo::Score", "%n множитель", nullptr, int(n));
    // untranslated: the Russian plural forms; English has its own above
    return counted(n, "множитель", "множителя", "множителей");
}

QString scopeWhere(const Scope &scope, const QString &band, const QString &mode, const QString &tour)
{
    if (scope.isContest())
        return QCoreApplication::translate("vireo::Score", "в соревновании");
    QStringList on;
    if (scope.band)
        on << band;
    if (scope.mode)
        on << mode;
    QString where;
    if (!on.isEmpty())
        where = QCoreApplication::translate("vireo::Score", "на %1").arg(on.join(QLatin1Char(' ')));
    if (scope.tour)
        where += (where.isEmpty() ? QString() : QStringLiteral(" "))
                 + QCoreApplication::translate("vireo::Score", "в туре %1").arg(tour);
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
        suffix += QStringLiteral(", ") + QCoreApplication::translate("vireo::Score", "тур %1").arg(tour);
    return suffix;
}

QString multiplierValue(Multiplier::Kind kind, const QString &value)
{
    switch (kind) {
    case Multiplier::Kind::CqZone:
        return QCoreApplication::translate("vireo::Score", "зона CQ %1").arg(value);
    case Multiplier::Kind::ItuZone:
        return QCoreApplication::translate("vireo::Score", "зона ITU %1").arg(value);
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
        return QCoreApplication::translate("vireo::Score", "слышимая станция");
    case Station::Correspondent:
        return QCoreApplication::translate("vireo::Score", "корреспондент");
    case Station::Both:
    case Station::Either:
        break;
    }
    return QString();
}

QString refusal(const Limit &limit, Station side, const QString &call, int detail, const QString &band,
                const QString &mode, const QString &tour)
{
    // The call with its role: "UA1ABC корреспондент".
    const QString who =
        role(side).isEmpty() ? call : QCoreApplication::translate("vireo::Score", "%1 %2").arg(call, role(side));
    const QString where = scopeWhere(limit.per, band, mode, tour);
    switch (limit.kind) {
    case Limit::Kind::Max:
        return QCoreApplication::translate("vireo::Score", "%1 уже %2 %3: не засчитывается")
            .arg(who, times(detail), where);
    case Limit::Kind::Gap:
        return QCoreApplication::translate("vireo::Score",
                                           "%1 снова через %2 мин %3 (нужно не меньше %4 мин): не засчитывается")
            .arg(who, QString::number(detail), where, QString::number(limit.minutes));
    case Limit::Kind::Run:
        return QCoreApplication::translate("vireo::Score",
                                           "%1 после %2 подряд %3: других записей %4, нужно %5: не засчитывается")
            .arg(who, timesAfter(limit.count), where, QString::number(detail), QString::number(limit.count));
    case Limit::Kind::Once:
        return QCoreApplication::translate("vireo::Score",
                                           "%1 уже есть в журнале %2 (засчитывается один раз): не засчитывается")
            .arg(who, where);
    }
    return QCoreApplication::translate("vireo::Score", "%1: не засчитывается").arg(who);
}

QString badTime(const QString &date, const QString &time)
{
    return QCoreApplication::translate("vireo::Score", "дата или время не читаются («%1 %2»): не засчитывается")
        .arg(date, time);
}

QString scores(int pointsOfRecord)
{
    return QCoreApplication::translate("vireo::Score", "засчитывается: %1").arg(points(pointsOfRecord));
}

QString newMultipliers(const QStringList &labels)
{
    if (labels.size() == 1)
        return QCoreApplication::translate("vireo::Score", "новый множитель: %1").arg(labels.first());
    return QCoreApplication::translate("vireo::Score", "новые множители: %1").arg(labels.join(QStringLiteral("; ")));
}

} // namespace vireo::rules::text
