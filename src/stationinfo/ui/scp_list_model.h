#pragma once
// The rows of one list of the partial-check window: calls of the index by id, with what the
// drawing needs (the typed part, log calls bold, would-be repeats red, the Alt+n number).

#include "stationinfo/scp_index.h"

#include <QAbstractListModel>

#include <vector>

namespace vireo {

class ScpListModel : public QAbstractListModel {
    Q_OBJECT
public:
    enum Role {
        FragmentRole = Qt::UserRole + 1, // the typed text to mark in the call (may be absent from it)
        NumberRole, // 1..9 for the calls Alt+1..Alt+9 choose, else 0
        InLogRole,
        RepeatRole,
    };

    using QAbstractListModel::QAbstractListModel;

    // The index must outlive the rows (it does: it lives as long as the main window).
    void setRows(const ScpIndex *index, std::vector<ScpIndex::CallId> ids, const QString &fragment, int context,
                 int firstNumber);
    void clear();

    QString call(int row) const;
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    const ScpIndex *m_index = nullptr;
    std::vector<ScpIndex::CallId> m_ids;
    QString m_fragment;
    int m_context = ScpIndex::NoContext;
    int m_firstNumber = 1;
};

} // namespace vireo
