#pragma once
// The score of a log by one contest's rules.
//
// Records are taken in order of their UTC date and time, then their key. A limit counts every
// earlier record of the log that matches it, whether that record scored or not; a record scores
// when no limit refuses it, and only a scoring record brings points and multipliers. Records whose
// date or time does not read have no place in that order: they are listed and never score.
//
// The scorer keeps a few small numbers a record (the calls, bands, modes, tours and numbers are
// kept once each as text and referred to by number) and the counts of every limit and the sets of
// every multiplier list as they stand after the last record. So the record being typed is checked
// with a few hash look-ups, and a new record later than all others (the case of every save while
// the contest runs) is scored in the same way; any other change scores the whole log again from
// memory.
//
// Claimed score = points of the scoring records x the sum over the multiplier lists of the
// distinct values of each scope times the weight of the scope's band; a definition without
// multipliers scores its points. A definition may instead ask for the product of the lists' sums
// (points not used), as contests do that multiply prefixes by countries.

#include "contest_rules/rule_definition.h"
#include "contest_rules/station_entity.h"
#include "db/qso_record.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVarLengthArray>
#include <QVector>

#include <functional>
#include <map>
#include <memory>
#include <optional>

namespace vireo::rules {

// Figures of one band (or of the whole log).
struct BandScore {
    QString band;
    int records = 0;
    int scoring = 0;
    int refused = 0; // by a limit, or for a date or time that does not read
    qint64 points = 0;
    int multipliers = 0; // multipliers first found on this band
};

// A record that does not score, with the reason.
struct RefusedRecord {
    qint64 id = 0;
    QString date, time, call1, call2, band, mode;
    QString reason;
    bool badTime = false;
};

// A multiplier of a list, with the record that brought it.
struct MultiplierLine {
    QString label; // "DL, 20M"
    QString kind; // the list's kind: "dxcc", ...
    QString call; // the station that brought it
    qint64 id = 0; // its record
    QString date, time;
};

// The check of the record being typed.
struct LiveCheck {
    bool checked = false; // both calls typed
    bool scores = false;
    int points = 0;
    QString refusal; // why not, when it does not score
    QStringList newMultipliers; // labels of the multipliers it would bring
    // The line of the main window: the refusal, the new multipliers, or "засчитывается: N очков";
    // empty when the record was not checked.
    QString text() const;
};

class Scorer {
public:
    Scorer(Definition definition, std::shared_ptr<const PrefixTable> prefixes);

    const Definition &definition() const { return m_def; }

    // Scores these records afresh.
    void load(const QVector<QsoRecord> &records);
    // The same, the records handed over one by one between begin and finish. Until finishLoad
    // the score stays that of the records loaded before; abortLoad drops what was handed over
    // (a read that failed half-way) and leaves it so. The texts and the stations' entities
    // found before are kept, so that loading the same log again costs little more than reading it.
    void beginLoad(int expected = 0);
    void loadOne(const QsoRecord &record);
    void finishLoad();
    void abortLoad();

    // What a change did to the lists, for windows that follow them.
    struct Delta {
        bool rescored = false; // everything may have changed
        int refusedInsertedAt = -1; // else: one refused record went in at this place of refusedList
        int multipliersAdded = 0; // else: this many multipliers were added at the end of the list
    };
    // A new record (with its key).
    Delta append(const QsoRecord &record);
    // A record changed or removed: the whole log is scored again.
    Delta update(const QsoRecord &record);
    Delta remove(qint64 id);
    // Several at once: the records of these keys go, these records (new or changed) come in.
    Delta replace(const QVector<qint64> &removed, const QVector<QsoRecord> &records);

    qint64 claimedScore() const;
    qint64 points() const { return m_total.points; }
    // Sum over the lists of distinct values times weights; 0 without multiplier lists.
    qint64 multiplierTotal() const { return m_multiplierTotal; }
    // The same of one list.
    qint64 listTotal(int list) const { return m_listTotals.value(list); }
    const BandScore &total() const { return m_total; }
    // Every band of the log, in band-plan order (others after them by name).
    QVector<BandScore> bands() const;

    // Refused records: those whose date or time does not read (by key), then those a limit
    // refused, in the order of the log.
    int refusedCount() const { return int(m_bad.size() + m_refused.size()); }
    RefusedRecord refusedAt(int i) const;
    // Multipliers in the order they were found.
    int multiplierCount() const { return int(m_multipliers.size()); }
    MultiplierLine multiplierAt(int i) const;

    // How a record fared: nothing for a key the scorer does not hold.
    struct Outcome {
        bool scores = false;
        int points = 0;
        QString band, tour;
    };
    std::optional<Outcome> outcomeOf(qint64 id) const;
    // Points of the scoring records per (band, tour).
    std::map<std::pair<QString, QString>, qint64> pointsByBandAndTour() const;
    // The keys and reasons of the records a limit refused, in the order of the log.
    QVector<QPair<qint64, QString>> refusedByLimit() const;

    // The record being typed, checked as if it came after every record of the log.
    LiveCheck check(const QsoRecord &candidate) const;

    int recordCount() const { return int(m_order.size() + m_bad.size()); }

private:
    struct Entry {
        qint64 id = 0;
        qint64 minute = 0; // minutes since 1970-01-01 00:00 UTC
        int call1 = -1, call2 = -1, nr1 = -1, nr2 = -1, band = -1, mode = -1, tour = -1; // texts; -1 empty
        bool operator<(const Entry &o) const { return minute != o.minute ? minute < o.minute : id < o.id; }
    };
    struct BadEntry {
        qint64 id = 0;
        QString date, time;
        int call1 = -1, call2 = -1, band = -1, mode = -1, tour = -1;
    };
    struct Outcome_ {
        qint8 limit = -1; // the refusing limit; -1: scores
        qint8 side = 0; // the refused station's side: 1 heard, 2 correspondent
        int station = -1; // the refused station's call
        int detail = 0;
        int points = 0;
    };
    struct NewMultiplier {
        int list = 0;
        quint64 scopeKey = 0;
        int value = -1; // text id; Unseen: the value is in text
        QString text;
        int station = -1;
        int side = 1;
    };
    struct Verdict {
        Outcome_ outcome;
        QVarLengthArray<NewMultiplier, 8> multipliers;
    };
    struct RunState {
        qint64 lastIndex = -1;
        int run = 0;
        bool blocked = false;
    };
    struct LimitState {
        QHash<quint64, int> count; // max, once: records of the station in the scope
        QHash<quint64, qint64> last; // gap: minute of the station's last record
        QHash<quint64, RunState> runs; // run
        QHash<int, qint64> sequence; // run: records of the scope so far
    };
    struct CallInfo {
        bool known = false;
        int dxcc = -1, cq = -1, itu = -1, wpx = -1;
    };

    static constexpr int Unseen = -2; // a text of the record being typed that the log never held
    static constexpr int Present = -3; // a number not kept as text (no multiplier reads numbers)

    int intern(const QString &text);
    int find(const QString &text) const; // -1 empty, Unseen when not held
    const QString &textOf(int id) const;
    Entry makeEntry(const QsoRecord &r, bool *timeOk);
    static BadEntry badEntryOf(const QsoRecord &record, const Entry &e);
    // Puts a record among the scored ones (or those without a moment), unsorted.
    void add(const QsoRecord &r, QVector<Entry> &order, QVector<BadEntry> &bad);
    // Sorts the records and scores them all.
    void settle();
    quint64 scopeKey(const Scope &scope, const Entry &e) const;
    int scopeId(quint64 key) const; // -1 when never seen
    int internScope(quint64 key);
    CallInfo callInfo(int call) const;
    // The value of a multiplier list for one side of a record (1 heard, 2 correspondent): its
    // text id, -1 for none, or Unseen with the value in *valueText. texts: the record being
    // typed, whose texts the log may not hold (its ids are then Unseen).
    int multiplierValue(int list, int side, const Entry &e, const QsoRecord *texts, QString *valueText) const;
    Verdict evaluate(const Entry &e, const QsoRecord *texts) const;
    void commit(const Entry &e, const Verdict &v, int position);
    void rescore();
    void resetState();
    QString reasonOf(int position) const;
    QString multiplierLabel(int list, int scope, const QString &value) const;
    BandScore &bandScore(int band);

    Definition m_def;
    std::shared_ptr<const PrefixTable> m_prefixes;

    QHash<QString, int> m_textIds;
    QVector<QString> m_texts;
    mutable QVector<CallInfo> m_callInfo; // by text id, filled as calls are first needed
    mutable QHash<QString, CallInfo> m_entityOfHead; // by the first four characters of the normalised call
    QHash<quint64, int> m_scopeIds;
    QVector<quint64> m_scopes; // by scope id: the packed band, mode and tour

    QVector<Entry> m_order; // scored records in order
    QVector<BadEntry> m_bad; // records without a moment, by key
    QVector<Entry> m_staged; // a load in progress
    QVector<BadEntry> m_stagedBad;
    QHash<qint64, int> m_position; // key -> place in m_order
    QVector<Outcome_> m_outcomes; // by place in m_order
    QVector<int> m_refused; // places in m_order of the refused records
    struct Found {
        int list, scope, value, position, station;
    };
    QVector<Found> m_multipliers;
    QVector<LimitState> m_limitStates;
    QVector<QSet<quint64>> m_multiplierSets;
    QVector<qint64> m_listTotals; // by list: distinct values times weights
    QVector<QRegularExpression> m_patterns; // by list
    std::map<int, BandScore> m_bands; // by band text id
    BandScore m_total;
    qint64 m_multiplierTotal = 0;
    bool m_loading = false;
    bool m_numbersRead = false; // a multiplier list reads the control numbers
    bool m_wpxRead = false; // ... the WPX prefixes of the calls
};

} // namespace vireo::rules
