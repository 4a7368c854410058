#pragma once
// Diagnostics for the speed of typing: which statements a connection runs, and how SQLite
// plans each of them (to confirm that every per-keystroke statement is an index look-up).

#include <QSqlDatabase>
#include <QStringList>

namespace vireo {

// Records the text of every statement the connection starts while the recorder lives.
class StatementRecorder {
public:
    explicit StatementRecorder(QSqlDatabase db);
    ~StatementRecorder();
    StatementRecorder(const StatementRecorder &) = delete;
    StatementRecorder &operator=(const StatementRecorder &) = delete;

    // False when the SQLite library offers no tracing (then nothing is recorded).
    bool active() const { return m_handle != nullptr; }
    const QStringList &statements() const { return m_statements; }
    void clear() { m_statements.clear(); }

private:
    static int callback(unsigned type, void *self, void *statement, void *text);

    void *m_handle = nullptr;
    QStringList m_statements;
};

// The detail lines of EXPLAIN QUERY PLAN for a statement as recorded above. Its parameters are
// left unbound (NULL): the plan does not depend on the values.
QStringList queryPlan(QSqlDatabase db, const QString &statement);

} // namespace vireo
