#pragma once
// TfmCabrillo: the Cabrillo header, the exchange format table and the export.

#include "base/services.h"

#include <QDialog>

namespace vireo {

class QsoStore;

class TfmCabrillo : public QDialog {
    Q_OBJECT
public:
    TfmCabrillo(const AppContext &context, QsoStore &qsos, QWidget *mainWindow);
    ~TfmCabrillo() override;

    // The tour window hands the contest name over.
    void setContest(const QString &name);

signals:
    // A report was written; the main window shows the last record.
    void exported();

private:
    void FormCreate();
    void FormDestroy();

    AppContext m_ctx;
    QsoStore &m_qsos;
    QWidget *m_main;
};

} // namespace vireo
