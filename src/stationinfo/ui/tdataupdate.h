#pragma once
// TDataUpdate: the window that brings the country table and the partial-check calls up to date
// from a cty.dat and a MASTER.SCP, and shows the versions and sizes of the data in use.

#include "base/services.h"
#include "db/scp_store.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

namespace vireo {

class TDataUpdate : public QWidget {
    Q_OBJECT
public:
    // Works on the given connection of the log file.
    TDataUpdate(const AppContext &context, QSqlDatabase db, QWidget *parent);

    // Reads the versions and counts of the data in use again.
    void showInfo();
    // Checks both files and replaces the data (button "Обновить").
    void btUpdateClick();

    QLabel *lbCtyVersion = nullptr;
    QLabel *lbScpRelease = nullptr;
    QLabel *lbCounts = nullptr;
    QLineEdit *edCtyFile = nullptr;
    QLineEdit *edScpFile = nullptr;
    QPushButton *btCtyFile = nullptr;
    QPushButton *btScpFile = nullptr;
    QPushButton *btUpdate = nullptr;
    QPushButton *btClose = nullptr;
    QLabel *lbResult = nullptr;

signals:
    // The data were replaced.
    void updated();

private:
    void browse(QLineEdit *field, const QString &title, const QString &filter);

    AppContext m_ctx;
    ScpStore m_store;
};

} // namespace vireo
