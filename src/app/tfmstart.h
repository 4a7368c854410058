#pragma once
// TfmStart: the first-run dialog, asking for the listener's call and the contest.

#include "base/services.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace vireo {

class TfmStart : public QDialog {
    Q_OBJECT
public:
    TfmStart(const AppContext &context, QWidget *mainWindow);
    ~TfmStart() override;

    QLineEdit *edCall = nullptr;
    QLineEdit *edContest = nullptr;
    QPushButton *Button1 = nullptr;

    void Button1Click();

signals:
    // The entered values, unchanged; the main window takes them and closes.
    void accepted(const QString &call, const QString &contest);

protected:
    void showEvent(QShowEvent *event) override;

private:
    AppContext m_ctx;
    QWidget *m_main;
};

} // namespace vireo
