#include "bandmap/band_map_rules.h"

#include "rig/rig_display.h"
#include "rig/rig_server.h"

#include <QCoreApplication>
#include <algorithm>

namespace vireo::bandmap {

Repeat repeatOf(int heardCount, int workedCount)
{
    if (heardCount > 0)
        return Repeat::Heard;
    if (workedCount > 0)
        return Repeat::Worked;
    return Repeat::None;
}

int clampMaxAge(int minutes)
{
    return std::clamp(minutes, MinMaxAgeMinutes, MaxMaxAgeMinutes);
}

std::optional<qint64> khzOf(const QString &frequencyText)
{
    QString digits = frequencyText;
    digits.remove(QLatin1Char(' '));
    if (digits.isEmpty())
        return std::nullopt;
    for (const QChar c : digits)
        if (!c.isDigit() || c.unicode() > '9')
            return std::nullopt;
    bool ok = false;
    const qint64 value = digits.toLongLong(&ok);
    if (!ok || value <= 0 || value > 100000000)
        return std::nullopt;
    return value < 1000 ? value * 1000 : value;
}

std::optional<qint64> hzOf(const QString &frequencyText)
{
    const auto khz = khzOf(frequencyText);
    if (!khz)
        return std::nullopt;
    return *khz * 1000;
}

QDateTime recordMoment(const QString &date, const QString &time)
{
    const QDate d = QDate::fromString(date.trimmed(), QStringLiteral("dd.MM.yyyy"));
    QTime t = QTime::fromString(time.trimmed(), QStringLiteral("HH:mm"));
    if (!t.isValid())
        t = QTime::fromString(time.trimmed(), QStringLiteral("HH:mm:ss"));
    if (!d.isValid() || !t.isValid())
        return {};
    return QDateTime(d, t, Qt::UTC);
}

QStringList daysOf(const QDateTime &now, int maxAgeMinutes)
{
    const QDateTime utc = now.toUTC();
    QStringList days;
    for (QDate d = utc.date(); d >= utc.addSecs(-qint64(maxAgeMinutes) * 60).date(); d = d.addDays(-1))
        days << d.toString(QStringLiteral("dd.MM.yyyy"));
    return days;
}

int ageMinutes(const QDateTime &heardAt, const QDateTime &now)
{
    const qint64 seconds = heardAt.secsTo(now);
    return seconds <= 0 ? 0 : int(std::min<qint64>(seconds / 60, 1000000));
}

QString ageText(int minutes)
{
    if (minutes < 60)
        return QCoreApplication::translate("vireo::BandMap", "%1 мин").arg(minutes);
    return QCoreApplication::translate("vireo::BandMap", "%1 ч %2 мин")
        .arg(minutes / 60)
        .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

bool onMap(int ageMinutes, int maxAgeMinutes)
{
    return ageMinutes < maxAgeMinutes;
}

double fade(int age, int maxAgeMinutes)
{
    const double half = maxAgeMinutes / 2.0;
    if (age <= half)
        return 1.0;
    if (age >= maxAgeMinutes)
        return MinimumFade;
    return 1.0 - (1.0 - MinimumFade) * (age - half) / (maxAgeMinutes - half);
}

namespace {

struct Sighting {
    QDateTime at;
    qint64 id = 0;
    qint64 khz = 0;
    QString freq;
};

bool later(const Sighting &a, const Sighting &b)
{
    return a.at != b.at ? a.at > b.at : a.id > b.id;
}

QDateTime minuteOf(const QDateTime &t)
{
    const QTime time = t.time();
    return QDateTime(t.date(), QTime(time.hour(), time.minute()), Qt::UTC);
}

} // namespace

std::optional<Entry> composeEntry(const QString &call, const QVector<BandMapRecord> &records,
                                  const QVector<BandMark> &marks, const QDateTime &now, int maxAgeMinutes)
{
    struct Young {
        Sighting s;
        QString call2;
    };
    std::vector<Young> young;
    std::optional<Sighting> lastRecord;
    for (const BandMapRecord &r : records) {
        const QDateTime at = recordMoment(r.data, r.time);
        const auto khz = khzOf(r.freq);
        if (!at.isValid() || !khz || !onMap(ageMinutes(at, now), maxAgeMinutes))
            continue;
        Sighting s{at, r.id, *khz, r.freq};
        s.freq.remove(QLatin1Char(' '));
        young.push_back({s, r.call2});
        if (!lastRecord || later(s, *lastRecord))
            lastRecord = s;
    }
    std::optional<Sighting> lastMark;
    for (const BandMark &m : marks) {
        const auto khz = khzOf(m.freq);
        if (!m.at.isValid() || !khz || !onMap(ageMinutes(m.at, now), maxAgeMinutes))
            continue;
        Sighting s{m.at.toUTC(), m.id, *khz, m.freq};
        s.freq.remove(QLatin1Char(' '));
        if (!lastMark || later(s, *lastMark))
            lastMark = s;
    }
    // Records carry whole minutes: a QSO logged in the minute of the mark came after it.
    const bool byMark = lastMark && (!lastRecord || minuteOf(lastMark->at) > lastRecord->at);
    if (!byMark && !lastRecord)
        return std::nullopt;
    const Sighting &last = byMark ? *lastMark : *lastRecord;
    Entry e;
    e.call = call;
    e.khz = last.khz;
    e.freq = last.freq;
    e.heardAt = last.at;
    e.marked = byMark;
    std::sort(young.begin(), young.end(), [](const Young &a, const Young &b) { return a.s.id < b.s.id; });
    for (const Young &y : young)
        if (!y.call2.isEmpty() && std::abs(y.s.khz - e.khz) <= SameFrequencyKHz && !e.correspondents.contains(y.call2))
            e.correspondents << y.call2;
    return e;
}

bool before(const Entry &a, const Entry &b)
{
    return a.khz != b.khz ? a.khz < b.khz : a.call < b.call;
}

const Entry *nextAbove(const std::vector<Entry> &sorted, qint64 khz)
{
    const auto it = std::find_if(sorted.begin(), sorted.end(), [khz](const Entry &e) { return e.khz > khz; });
    return it == sorted.end() ? nullptr : &*it;
}

const Entry *nextBelow(const std::vector<Entry> &sorted, qint64 khz)
{
    const auto it = std::find_if(sorted.rbegin(), sorted.rend(), [khz](const Entry &e) { return e.khz < khz; });
    return it == sorted.rend() ? nullptr : &*it;
}

QString rigModeFor(const QString &modeCode, qint64 hz, quint32 radioModeBit)
{
    const QString kind = rig::modeText(radioModeBit); // "CW", "PH", "DIG" or "UN"
    if (modeCode == QLatin1String("CW"))
        return kind == QLatin1String("CW") ? QString() : QStringLiteral("CW");
    if (modeCode == QLatin1String("PH")) {
        if (kind == QLatin1String("PH"))
            return QString();
        return hz < 10000000 ? QStringLiteral("LSB") : QStringLiteral("USB");
    }
    if (modeCode == QLatin1String("FM"))
        return radioModeBit == RigServer::PM_FM ? QString() : QStringLiteral("FM");
    if (kind == QLatin1String("DIG"))
        return QString();
    return modeCode == QLatin1String("RY") ? QStringLiteral("RTTY") : QStringLiteral("PKTUSB");
}

} // namespace vireo::bandmap
