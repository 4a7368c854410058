#pragma once
// TSntp: the list of time servers and setting the clock by SNTP.

#include "base/services.h"

#include <QDialog>

namespace vireo {

class TSntp : public QDialog {
    Q_OBJECT
public:
    TSntp(const AppContext &context, QWidget *mainWindow);
    ~TSntp() override;

signals:
    // Text for the fifth panel of the main window's status bar.
    void statusText(const QString &text);

private:
    void FormCreate();

    AppContext m_ctx;
    QWidget *m_main;
};

} // namespace vireo
