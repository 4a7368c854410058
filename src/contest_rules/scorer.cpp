#include "contest_rules/scorer.h"

#include "contest_rules/score_texts.h"
#include "entry/band_plan.h"
#include "stationinfo/call_normalise.h"

#include <QDate>
#include <QDateTime>

#include <algorithm>

namespace vireo::rules {

namespace {

constexpr quint64 PartMask = (quint64(1) << 21) - 1;

// Two digits at s[i], s[i+1]; -1 when they are not digits.
int twoDigits(const QString &s, int i)
{
    const QChar a = s.at(i), b = s.at(i + 1);
    if (a < QLatin1Char('0') || a > QLatin1Char('9') || b < QLatin1Char('0') || b > QLatin1Char('9'))
        return -1;
    return (a.unicode() - '0') * 10 + (b.unicode() - '0');
}

// Minutes since 1970-01-01 00:00 UTC of a stored date (dd.mm.yyyy) and time (hh:mm), read as the
// statistics read them; nothing when either does not read.
std::optional<qint64> minuteOf(const QString &dateText, const QString &timeText)
{
    const QString date = dateText.trimmed();
    const QString time = timeText.trimmed();
    if (date.size() != 10 || time.size() != 5 || date.at(2) != QLatin1Char('.') || date.at(5) != QLatin1Char('.')
        || time.at(2) != QLatin1Char(':'))
        return std::nullopt;
    const int day = twoDigits(date, 0), month = twoDigits(date, 3), c = twoDigits(date, 6), y = twoDigits(date, 8);
    const int hour = twoDigits(time, 0), minute = twoDigits(time, 3);
    if (day < 0 || month < 0 || c < 0 || y < 0 || hour < 0 || minute < 0 || hour > 23 || minute > 59)
        return std::nullopt;
    const QDate d(c * 100 + y, month, day);
    if (!d.isValid())
        return std::nullopt;
    return (d.toJulianDay() - QDate(1970, 1, 1).toJulianDay()) * 1440 + hour * 60 + minute;
}

QString exchangeValue(const Multiplier &m, const QString &nr)
{
    QString v = nr.trimmed();
    if (m.numeric) {
        int i = 0;
        while (i + 1 < v.size() && v.at(i) == QLatin1Char('0'))
            ++i;
        v = v.mid(i);
    }
    return v;
}

} // namespace

QString LiveCheck::text() const
{
    if (!checked)
        return QString();
    if (!scores)
        return refusal;
    if (!newMultipliers.isEmpty())
        return text::newMultipliers(newMultipliers);
    return text::scores(points);
}

Scorer::Scorer(Definition definition, std::shared_ptr<const PrefixTable> prefixes)
    : m_def(std::move(definition)), m_prefixes(std::move(prefixes))
{
    if (!m_prefixes)
        m_prefixes = std::make_shared<PrefixTable>();
    for (const Multiplier &m : m_def.multipliers) {
        m_patterns.append(QRegularExpression(QRegularExpression::anchoredPattern(m.pattern)));
        m_numbersRead = m_numbersRead || m.kind == Multiplier::Kind::Exchange;
        m_wpxRead = m_wpxRead || m.kind == Multiplier::Kind::Wpx;
    }
    resetState();
}

int Scorer::intern(const QString &text)
{
    if (text.isEmpty())
        return -1;
    const auto it = m_textIds.constFind(text);
    if (it != m_textIds.constEnd())
        return *it;
    const int id = int(m_texts.size());
    m_texts.append(text);
    m_textIds.insert(text, id);
    return id;
}

int Scorer::find(const QString &text) const
{
    if (text.isEmpty())
        return -1;
    return m_textIds.value(text, Unseen);
}

const QString &Scorer::textOf(int id) const
{
    static const QString None;
    return id >= 0 && id < m_texts.size() ? m_texts.at(id) : None;
}

Scorer::Entry Scorer::makeEntry(const QsoRecord &r, bool *timeOk)
{
    Entry e;
    e.id = r.id;
    const std::optional<qint64> minute = minuteOf(r.data, r.time);
    *timeOk = minute.has_value();
    e.minute = minute.value_or(0);
    e.call1 = intern(r.call1);
    e.call2 = intern(r.call2);
    // The numbers as texts only where a multiplier reads them; else whether they are there.
    e.nr1 = m_numbersRead ? intern(r.nr1) : r.nr1.isEmpty() ? -1 : Present;
    e.nr2 = m_numbersRead ? intern(r.nr2) : r.nr2.isEmpty() ? -1 : Present;
    e.band = intern(r.band);
    e.mode = intern(r.mode);
    e.tour = intern(r.tur);
    return e;
}

quint64 Scorer::scopeKey(const Scope &scope, const Entry &e) const
{
    auto part = [](bool used, int id) { return used ? quint64(id + 3) & PartMask : 0; };
    return (part(scope.band, e.band) << 42) | (part(scope.mode, e.mode) << 21) | part(scope.tour, e.tour);
}

int Scorer::scopeId(quint64 key) const
{
    return m_scopeIds.value(key, -1);
}

int Scorer::internScope(quint64 key)
{
    const auto it = m_scopeIds.constFind(key);
    if (it != m_scopeIds.constEnd())
        return *it;
    const int id = int(m_scopes.size());
    m_scopes.append(key);
    m_scopeIds.insert(key, id);
    return id;
}

Scorer::CallInfo Scorer::callInfo(int call) const
{
    if (call < 0)
        return {};
    if (m_callInfo.size() <= call)
        m_callInfo.resize(m_texts.size());
    CallInfo &info = m_callInfo[call];
    if (!info.known) {
        info.known = true;
        auto *self = const_cast<Scorer *>(this); // the texts of entities and prefixes are kept once found
        // The match looks at no more than the first four characters of the normalised call, and
        // a contest brings thousands of calls of a few hundred such heads: each is matched once.
        const QString head = normaliseCall(textOf(call)).left(4);
        auto known = m_entityOfHead.constFind(head);
        if (known == m_entityOfHead.constEnd()) {
            CallInfo entity;
            if (const PrefixRow *row = m_prefixes->lookup(textOf(call))) {
                entity.dxcc = self->intern(row->dxccPrefix.trimmed());
                entity.cq = self->intern(row->cqZone.trimmed());
                entity.itu = self->intern(row->ituZone.trimmed());
            }
            known = m_entityOfHead.insert(head, entity);
        }
        info.dxcc = known->dxcc;
        info.cq = known->cq;
        info.itu = known->itu;
        if (m_wpxRead)
            info.wpx = self->intern(wpxPrefix(textOf(call)));
        if (m_callInfo.size() < m_texts.size())
            m_callInfo.resize(m_texts.size());
        return m_callInfo.at(call);
    }
    return info;
}

int Scorer::multiplierValue(int list, int side, const Entry &e, const QsoRecord *texts, QString *valueText) const
{
    const Multiplier &m = m_def.multipliers.at(list);
    const int call = side == 1 ? e.call1 : e.call2;
    const int nr = side == 1 ? e.nr1 : e.nr2;
    QString value;
    int id = -1;
    if (m.kind == Multiplier::Kind::Exchange) {
        if (nr == -1)
            return -1;
        const QString &nrText = nr == Unseen ? (side == 1 ? texts->nr1 : texts->nr2) : textOf(nr);
        value = exchangeValue(m, nrText);
        id = (nr != Unseen && value == nrText) ? nr : find(value);
    } else if (call == -1) {
        return -1;
    } else if (m.kind == Multiplier::Kind::Call) {
        value = call == Unseen ? (side == 1 ? texts->call1 : texts->call2) : textOf(call);
        id = call;
    } else if (call == Unseen) {
        const QString &callText = side == 1 ? texts->call1 : texts->call2;
        if (m.kind == Multiplier::Kind::Wpx) {
            value = wpxPrefix(callText);
        } else if (const PrefixRow *row = m_prefixes->lookup(callText)) {
            value = (m.kind == Multiplier::Kind::Dxcc     ? row->dxccPrefix
                     : m.kind == Multiplier::Kind::CqZone ? row->cqZone
                                                          : row->ituZone)
                        .trimmed();
        }
        id = find(value);
    } else {
        const CallInfo info = callInfo(call);
        id = m.kind == Multiplier::Kind::Dxcc      ? info.dxcc
             : m.kind == Multiplier::Kind::CqZone  ? info.cq
             : m.kind == Multiplier::Kind::ItuZone ? info.itu
                                                   : info.wpx;
        value = textOf(id);
    }
    if (value.isEmpty())
        return -1;
    if (!m.values.isEmpty() && !m.values.contains(value))
        return -1;
    if (!m.pattern.isEmpty() && !m_patterns.at(list).match(value).hasMatch())
        return -1;
    if (id < 0) {
        *valueText = value;
        return Unseen;
    }
    return id;
}

namespace {

// The stations of a record a limit looks at: (call, side) with side 1 heard, 2 correspondent.
struct Sides {
    int call[2];
    int side[2];
    int size = 0;
    void add(int c, int s)
    {
        if (c == -1)
            return;
        for (int i = 0; i < size; ++i)
            if (call[i] == c && c != -2)
                return;
        call[size] = c;
        side[size] = s;
        ++size;
    }
};

Sides sidesOf(Station station, int call1, int call2)
{
    Sides s;
    if (station != Station::Correspondent)
        s.add(call1, 1);
    if (station != Station::Heard)
        s.add(call2, 2);
    return s;
}

} // namespace

Scorer::Verdict Scorer::evaluate(const Entry &e, const QsoRecord *texts) const
{
    Verdict v;
    v.outcome.points = e.nr2 == -1 ? m_def.pointsHeard : m_def.pointsBoth;
    // A limit that yields to a new multiplier refuses only when the record brings none.
    Outcome_ yielding;
    for (int li = 0; li < m_def.limits.size() && v.outcome.limit < 0; ++li) {
        const Limit &limit = m_def.limits.at(li);
        if (limit.unlessNewMultiplier && yielding.limit >= 0)
            continue;
        const LimitState &state = m_limitStates.at(li);
        const int scope = scopeId(scopeKey(limit.per, e));
        if (scope < 0)
            continue; // nothing earlier in this scope
        const Sides sides = sidesOf(limit.station, e.call1, e.call2);
        for (int k = 0; k < sides.size; ++k) {
            if (sides.call[k] < 0)
                continue; // a call the log never held
            const quint64 key = (quint64(scope) << 32) | quint32(sides.call[k]);
            int detail = -1;
            switch (limit.kind) {
            case Limit::Kind::Max: {
                const int count = state.count.value(key, 0);
                if (count >= limit.count)
                    detail = count;
                break;
            }
            case Limit::Kind::Once:
                if (state.count.value(key, 0) > 0)
                    detail = 0;
                break;
            case Limit::Kind::Gap: {
                const auto it = state.last.constFind(key);
                if (it != state.last.constEnd() && e.minute - *it < limit.minutes)
                    detail = int(std::max<qint64>(0, e.minute - *it));
                break;
            }
            case Limit::Kind::Run: {
                const auto it = state.runs.constFind(key);
                if (it != state.runs.constEnd() && it->blocked) {
                    const qint64 others = state.sequence.value(scope, 0) - it->lastIndex - 1;
                    if (others < limit.count)
                        detail = int(others);
                }
                break;
            }
            }
            if (detail >= 0) {
                Outcome_ &o = limit.unlessNewMultiplier ? yielding : v.outcome;
                o.limit = qint8(li);
                o.side = qint8(sides.side[k]);
                o.station = sides.call[k];
                o.detail = detail;
                break;
            }
        }
    }
    if (v.outcome.limit >= 0)
        return v;
    for (int mi = 0; mi < m_def.multipliers.size(); ++mi) {
        const Multiplier &m = m_def.multipliers.at(mi);
        const quint64 scopeKeyOf = scopeKey(m.per, e);
        const int scope = scopeId(scopeKeyOf);
        for (int side = 1; side <= 2; ++side) {
            if ((side == 1 && m.station == Station::Correspondent) || (side == 2 && m.station == Station::Heard))
                continue;
            NewMultiplier nm;
            nm.list = mi;
            nm.scopeKey = scopeKeyOf;
            nm.value = multiplierValue(mi, side, e, texts, &nm.text);
            nm.station = side == 1 ? e.call1 : e.call2;
            nm.side = side;
            if (nm.value == -1)
                continue;
            if (nm.value >= 0 && scope >= 0
                && m_multiplierSets.at(mi).contains((quint64(scope) << 32) | quint32(nm.value)))
                continue; // already counted
            bool twice = false; // both stations of one record bring the same value
            for (const NewMultiplier &o : v.multipliers)
                twice = twice || (o.list == mi && o.value == nm.value && o.text == nm.text);
            if (!twice)
                v.multipliers.append(nm);
        }
    }
    if (yielding.limit >= 0 && v.multipliers.isEmpty()) {
        yielding.points = v.outcome.points;
        v.outcome = yielding;
    }
    return v;
}

void Scorer::commit(const Entry &e, const Verdict &v, int position)
{
    m_outcomes[position] = v.outcome;
    BandScore &band = bandScore(e.band);
    ++band.records;
    ++m_total.records;
    if (v.outcome.limit >= 0) {
        m_refused.append(position);
        ++band.refused;
        ++m_total.refused;
    } else {
        ++band.scoring;
        ++m_total.scoring;
        band.points += v.outcome.points;
        m_total.points += v.outcome.points;
        for (const NewMultiplier &nm : v.multipliers) {
            const int value = nm.value >= 0 ? nm.value : intern(nm.text);
            const int scope = internScope(nm.scopeKey);
            m_multiplierSets[nm.list].insert((quint64(scope) << 32) | quint32(value));
            m_multipliers.append({nm.list, scope, value, position, nm.station});
            ++band.multipliers;
            ++m_total.multipliers;
            const int weight = m_def.multipliers.at(nm.list).weight(textOf(e.band));
            m_multiplierTotal += weight;
            m_listTotals[nm.list] += weight;
        }
    }
    for (int li = 0; li < m_def.limits.size(); ++li) {
        const Limit &limit = m_def.limits.at(li);
        LimitState &state = m_limitStates[li];
        const int scope = internScope(scopeKey(limit.per, e));
        // A station counts once per record wherever it stands for "once"; the others count it on
        // the sides they look at.
        const Sides sides =
            sidesOf(limit.kind == Limit::Kind::Once ? Station::Either : limit.station, e.call1, e.call2);
        qint64 sequence = 0;
        if (limit.kind == Limit::Kind::Run)
            sequence = state.sequence.value(scope, 0);
        for (int k = 0; k < sides.size; ++k) {
            const quint64 key = (quint64(scope) << 32) | quint32(sides.call[k]);
            switch (limit.kind) {
            case Limit::Kind::Max:
            case Limit::Kind::Once:
                ++state.count[key];
                break;
            case Limit::Kind::Gap:
                state.last[key] = e.minute;
                break;
            case Limit::Kind::Run: {
                RunState &run = state.runs[key];
                if (run.lastIndex >= 0) {
                    const qint64 others = sequence - run.lastIndex - 1;
                    if (others >= limit.count)
                        run.blocked = false;
                    run.run = others == 0 ? run.run + 1 : 1;
                } else {
                    run.run = 1;
                }
                if (run.run >= limit.count)
                    run.blocked = true;
                run.lastIndex = sequence;
                break;
            }
            }
        }
        if (limit.kind == Limit::Kind::Run)
            state.sequence[scope] = sequence + 1;
    }
}

BandScore &Scorer::bandScore(int band)
{
    auto it = m_bands.find(band);
    if (it == m_bands.end()) {
        it = m_bands.emplace(band, BandScore{}).first;
        it->second.band = textOf(band);
    }
    return it->second;
}

void Scorer::resetState()
{
    m_limitStates = QVector<LimitState>(m_def.limits.size());
    m_multiplierSets = QVector<QSet<quint64>>(m_def.multipliers.size());
    m_listTotals = QVector<qint64>(m_def.multipliers.size(), 0);
    m_outcomes = QVector<Outcome_>(m_order.size());
    m_refused.clear();
    m_multipliers.clear();
    m_bands.clear();
    m_total = BandScore{};
    m_multiplierTotal = 0;
    m_position.clear();
}

void Scorer::rescore()
{
    resetState();
    m_position.reserve(m_order.size());
    for (int i = 0; i < m_order.size(); ++i) {
        const Entry &e = m_order.at(i);
        m_position.insert(e.id, i);
        commit(e, evaluate(e, nullptr), i);
    }
    for (const BadEntry &b : m_bad) {
        BandScore &band = bandScore(b.band);
        ++band.records;
        ++band.refused;
        ++m_total.records;
        ++m_total.refused;
    }
}

// A record whose date or time does not read: listed with what it holds, scored nowhere.
Scorer::BadEntry Scorer::badEntryOf(const QsoRecord &record, const Entry &e)
{
    BadEntry b;
    b.id = record.id;
    b.date = record.data;
    b.time = record.time;
    b.call1 = e.call1;
    b.call2 = e.call2;
    b.band = e.band;
    b.mode = e.mode;
    b.tour = e.tour;
    return b;
}

void Scorer::add(const QsoRecord &record, QVector<Entry> &order, QVector<BadEntry> &bad)
{
    bool ok = false;
    const Entry e = makeEntry(record, &ok);
    if (ok) {
        order.append(e);
        return;
    }
    bad.append(badEntryOf(record, e));
}

void Scorer::settle()
{
    std::sort(m_order.begin(), m_order.end());
    std::sort(m_bad.begin(), m_bad.end(), [](const BadEntry &a, const BadEntry &b) { return a.id < b.id; });
    rescore();
}

void Scorer::beginLoad(int expected)
{
    m_staged.clear();
    m_stagedBad.clear();
    m_staged.reserve(expected);
    // A first load meets most of its texts anew: room for them at once, not grown step by step.
    if (m_textIds.isEmpty() && expected > 0) {
        m_textIds.reserve(qsizetype(expected) * 2);
        m_texts.reserve(qsizetype(expected) * 2);
    }
    m_loading = true;
}

void Scorer::loadOne(const QsoRecord &record)
{
    add(record, m_staged, m_stagedBad);
}

void Scorer::finishLoad()
{
    m_order = std::move(m_staged);
    m_bad = std::move(m_stagedBad);
    m_staged = {};
    m_stagedBad = {};
    m_loading = false;
    settle();
}

void Scorer::abortLoad()
{
    m_staged = {};
    m_stagedBad = {};
    m_loading = false;
}

void Scorer::load(const QVector<QsoRecord> &records)
{
    beginLoad(int(records.size()));
    for (const QsoRecord &r : records)
        loadOne(r);
    finishLoad();
}

Scorer::Delta Scorer::append(const QsoRecord &record)
{
    Delta d;
    if (m_position.contains(record.id)
        || std::any_of(m_bad.cbegin(), m_bad.cend(), [&](const BadEntry &b) { return b.id == record.id; }))
        return update(record);
    bool ok = false;
    const Entry e = makeEntry(record, &ok);
    if (!ok) {
        const BadEntry b = badEntryOf(record, e);
        const auto at = std::upper_bound(m_bad.begin(), m_bad.end(), b,
                                         [](const BadEntry &x, const BadEntry &y) { return x.id < y.id; });
        d.refusedInsertedAt = int(at - m_bad.begin());
        m_bad.insert(at, b);
        BandScore &band = bandScore(b.band);
        ++band.records;
        ++band.refused;
        ++m_total.records;
        ++m_total.refused;
        return d;
    }
    if (!m_order.isEmpty() && e < m_order.last()) {
        m_order.insert(std::upper_bound(m_order.begin(), m_order.end(), e), e);
        rescore();
        d.rescored = true;
        return d;
    }
    const int position = int(m_order.size());
    m_order.append(e);
    m_outcomes.append(Outcome_{});
    m_position.insert(e.id, position);
    const int refusedBefore = int(m_refused.size());
    const int multipliersBefore = int(m_multipliers.size());
    commit(e, evaluate(e, nullptr), position);
    if (m_refused.size() > refusedBefore)
        d.refusedInsertedAt = int(m_bad.size()) + refusedBefore;
    d.multipliersAdded = int(m_multipliers.size()) - multipliersBefore;
    return d;
}

Scorer::Delta Scorer::replace(const QVector<qint64> &removed, const QVector<QsoRecord> &records)
{
    QSet<qint64> gone(removed.cbegin(), removed.cend());
    for (const QsoRecord &r : records)
        gone.insert(r.id);
    m_order.erase(
        std::remove_if(m_order.begin(), m_order.end(), [&gone](const Entry &e) { return gone.contains(e.id); }),
        m_order.end());
    m_bad.erase(std::remove_if(m_bad.begin(), m_bad.end(), [&gone](const BadEntry &b) { return gone.contains(b.id); }),
                m_bad.end());
    for (const QsoRecord &r : records)
        add(r, m_order, m_bad);
    settle();
    Delta d;
    d.rescored = true;
    return d;
}

Scorer::Delta Scorer::remove(qint64 id)
{
    return replace({id}, {});
}

Scorer::Delta Scorer::update(const QsoRecord &record)
{
    return replace({}, {record});
}

qint64 Scorer::claimedScore() const
{
    if (m_def.multipliers.isEmpty())
        return m_total.points;
    if (m_def.score == Definition::Score::MultipliersProduct) {
        qint64 product = 1;
        for (const qint64 total : m_listTotals)
            product *= total;
        return product;
    }
    return m_total.points * m_multiplierTotal;
}

QVector<BandScore> Scorer::bands() const
{
    const QStringList plan = bandplan::bandNames();
    QVector<BandScore> out;
    for (const auto &entry : m_bands)
        out.append(entry.second);
    std::sort(out.begin(), out.end(), [&plan](const BandScore &a, const BandScore &b) {
        auto rank = [&plan](const QString &band) {
            const int i = plan.indexOf(band);
            return i >= 0 ? i : band.isEmpty() ? int(plan.size()) + 1 : int(plan.size());
        };
        const int ra = rank(a.band), rb = rank(b.band);
        return ra != rb ? ra < rb : a.band < b.band;
    });
    return out;
}

static QString dateText(qint64 minute)
{
    return QDate(1970, 1, 1).addDays(minute / 1440).toString(QStringLiteral("dd.MM.yyyy"));
}

static QString timeText(qint64 minute)
{
    const int m = int(minute % 1440);
    return QStringLiteral("%1:%2").arg(m / 60, 2, 10, QLatin1Char('0')).arg(m % 60, 2, 10, QLatin1Char('0'));
}

QString Scorer::reasonOf(int position) const
{
    const Entry &e = m_order.at(position);
    const Outcome_ &o = m_outcomes.at(position);
    const Limit &limit = m_def.limits.at(o.limit);
    const Station side = limit.station == Station::Either ? Station::Either
                         : o.side == 1                    ? Station::Heard
                                                          : Station::Correspondent;
    return text::refusal(limit, side, textOf(o.station), o.detail, textOf(e.band), textOf(e.mode), textOf(e.tour));
}

RefusedRecord Scorer::refusedAt(int i) const
{
    RefusedRecord r;
    if (i < m_bad.size()) {
        const BadEntry &b = m_bad.at(i);
        r.id = b.id;
        r.date = b.date;
        r.time = b.time;
        r.call1 = textOf(b.call1);
        r.call2 = textOf(b.call2);
        r.band = textOf(b.band);
        r.mode = textOf(b.mode);
        r.reason = text::badTime(b.date, b.time);
        r.badTime = true;
        return r;
    }
    const int position = m_refused.at(i - int(m_bad.size()));
    const Entry &e = m_order.at(position);
    r.id = e.id;
    r.date = dateText(e.minute);
    r.time = timeText(e.minute);
    r.call1 = textOf(e.call1);
    r.call2 = textOf(e.call2);
    r.band = textOf(e.band);
    r.mode = textOf(e.mode);
    r.reason = reasonOf(position);
    return r;
}

QString Scorer::multiplierLabel(int list, int scope, const QString &value) const
{
    const Multiplier &m = m_def.multipliers.at(list);
    const quint64 key = m_scopes.at(scope);
    auto part = [key](int shift) { return int((key >> shift) & PartMask) - 3; };
    return text::multiplierValue(m.kind, value)
           + text::scopeSuffix(m.per, textOf(part(42)), textOf(part(21)), textOf(part(0)));
}

MultiplierLine Scorer::multiplierAt(int i) const
{
    const Found &f = m_multipliers.at(i);
    const Entry &e = m_order.at(f.position);
    MultiplierLine line;
    line.label = multiplierLabel(f.list, f.scope, textOf(f.value));
    line.kind = kindName(m_def.multipliers.at(f.list).kind);
    line.call = textOf(f.station);
    line.id = e.id;
    line.date = dateText(e.minute);
    line.time = timeText(e.minute);
    return line;
}

std::optional<Scorer::Outcome> Scorer::outcomeOf(qint64 id) const
{
    const auto pos = m_position.constFind(id);
    if (pos != m_position.constEnd()) {
        const Entry &e = m_order.at(*pos);
        const Outcome_ &o = m_outcomes.at(*pos);
        return Outcome{o.limit < 0, o.limit < 0 ? o.points : 0, textOf(e.band), textOf(e.tour)};
    }
    for (const BadEntry &b : m_bad)
        if (b.id == id)
            return Outcome{false, 0, textOf(b.band), textOf(b.tour)};
    return std::nullopt;
}

std::map<std::pair<QString, QString>, qint64> Scorer::pointsByBandAndTour() const
{
    std::map<std::pair<QString, QString>, qint64> out;
    for (int i = 0; i < m_order.size(); ++i) {
        const Outcome_ &o = m_outcomes.at(i);
        const Entry &e = m_order.at(i);
        qint64 &cell = out[{textOf(e.band), textOf(e.tour)}];
        if (o.limit < 0)
            cell += o.points;
    }
    for (const BadEntry &b : m_bad)
        out[{textOf(b.band), textOf(b.tour)}] += 0;
    return out;
}

QVector<QPair<qint64, QString>> Scorer::refusedByLimit() const
{
    QVector<QPair<qint64, QString>> out;
    out.reserve(m_refused.size());
    for (const int position : m_refused)
        out.append({m_order.at(position).id, reasonOf(position)});
    return out;
}

LiveCheck Scorer::check(const QsoRecord &candidate) const
{
    LiveCheck c;
    if (candidate.call1.trimmed().isEmpty() || candidate.call2.trimmed().isEmpty())
        return c;
    c.checked = true;
    const std::optional<qint64> minute = minuteOf(candidate.data, candidate.time);
    if (!minute) {
        c.refusal = text::badTime(candidate.data, candidate.time);
        return c;
    }
    Entry e;
    e.id = std::numeric_limits<qint64>::max();
    // As if after every record of the log, whatever the clock says.
    e.minute = m_order.isEmpty() ? *minute : std::max(*minute, m_order.last().minute);
    e.call1 = find(candidate.call1);
    e.call2 = find(candidate.call2);
    e.nr1 = find(candidate.nr1);
    e.nr2 = find(candidate.nr2);
    e.band = find(candidate.band);
    e.mode = find(candidate.mode);
    e.tour = find(candidate.tur);
    const Verdict v = evaluate(e, &candidate);
    c.points = v.outcome.points;
    if (v.outcome.limit >= 0) {
        const Limit &limit = m_def.limits.at(v.outcome.limit);
        const Station side = limit.station == Station::Either ? Station::Either
                             : v.outcome.side == 1            ? Station::Heard
                                                              : Station::Correspondent;
        c.refusal = text::refusal(limit, side, v.outcome.side == 1 ? candidate.call1 : candidate.call2,
                                  v.outcome.detail, candidate.band, candidate.mode, candidate.tur);
        return c;
    }
    c.scores = true;
    for (const NewMultiplier &nm : v.multipliers) {
        const Multiplier &m = m_def.multipliers.at(nm.list);
        const QString value = nm.value >= 0 ? textOf(nm.value) : nm.text;
        c.newMultipliers << text::multiplierValue(m.kind, value)
                                + text::scopeSuffix(m.per, candidate.band, candidate.mode, candidate.tur);
    }
    return c;
}

} // namespace vireo::rules
