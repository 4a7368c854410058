#pragma once
// TfmContest: the contest name and the tour schedule.

#include "base/services.h"

#include <QDialog>

namespace vireo {

class TfmContest : public QDialog {
    Q_OBJECT
public:
    TfmContest(const AppContext &context, QWidget *mainWindow);
    ~TfmContest() override;

signals:
    // "ВЫХОД" hands the contest name to the main window and the Cabrillo window.
    void contestAccepted(const QString &name);

private:
    void FormCreate();
    void FormDestroy();

    AppContext m_ctx;
    QWidget *m_main;
};

} // namespace vireo
