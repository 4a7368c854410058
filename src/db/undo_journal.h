#pragma once
// The undo history of the log for one run of the program.
//
// What an undo needs lies in the log file itself, in table undo_row: temporary triggers that only
// this program's own connection has write the old state of every row it adds, changes or deletes,
// inside the same transaction as the change. Nothing of a large change is held in memory, and a
// change that is rolled back leaves no history behind. The rows of one committed write of the log
// store (a save, a delete, an edit, a clear, an import) form one step; undo takes back the newest
// step in one transaction. The history of earlier runs is removed when the journal is opened, at
// every start; when the disk is full or the file read-only then, it is removed by a later write.

#include "db/qso_store.h"

#include <QObject>
#include <QString>

namespace vireo {

class UndoJournal : public QObject, private BulkWriteWatcher {
    Q_OBJECT
public:
    enum class Kind { None, Save, Delete, Edit, Clear, Import };

    // Creates the history table when the file lacks it, empties it and installs the triggers on
    // the store's connection. Follows the store's writes from here on.
    explicit UndoJournal(QsoStore &store);
    ~UndoJournal() override;
    UndoJournal(const UndoJournal &) = delete;
    UndoJournal &operator=(const UndoJournal &) = delete;

    // The newest step that can be undone, and the record it names (the heard call).
    Kind nextKind();
    QString nextSubject();
    // "Отменить удаление UA1ABC", ...; "Отменить" when there is nothing to undo.
    QString nextCaption();
    bool canUndo() { return nextKind() != Kind::None; }

    struct Result {
        Kind kind = Kind::None;
        qint64 selectId = 0; // the first record that is back as it was (re-added or rewritten), 0 if none
        int restored = 0; // records back as they were
        int removed = 0; // records taken out again (undo of a save or an import)
    };
    // Takes back the newest step in one transaction: the log, its totals and the history change
    // together or not at all. Tells the store's listeners (Reset for large steps).
    Result undo();

    // Forgets the whole history (after the log was replaced from a copy) and reinstalls the
    // triggers on the connection. Needs no room on the disk: what cannot be written now is
    // left for retryPending.
    void reset();
    // Whether the history of earlier runs is still to be removed (or, in a file of an older
    // version, the history table still to be made) because the file could not be written.
    bool pending() const { return m_pending; }
    // Tries that again (each committed write of the log does too); true when nothing is left.
    bool retryPending();

    // Caption of an undo item for a kind of step and the call it names.
    static QString caption(Kind kind, const QString &subject);

private:
    // A clear or an import is journaled in two statements, its rows copied as a whole and the
    // triggers off meanwhile, instead of a trigger's insert per row.
    void beforeBulkWrite(bool removingAll) override;
    void afterBulkWrite(qint64 lastKeyBefore) override;
    void install();
    bool historyTableExists();
    void forgetEarlierSteps();
    void stepCommitted(const LogChange &change);
    qint64 topStep();

    QsoStore &m_store;
    qint64 m_firstStep = 1; // steps of this run are numbered from here
    bool m_undoing = false;
    bool m_pending = false;
    bool m_instantsFollowed = false; // the instants of the saves (qso_audio) are journaled
};

} // namespace vireo
