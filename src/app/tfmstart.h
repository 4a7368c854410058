#pragma once
// TfmStart: the first-run dialog, asking for the listener's call and the contest.

#include "base/services.h"
#include "stationinfo/my_position.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace vireo {

class PositionFields;

class TfmStart : public QDialog {
    Q_OBJECT
public:
    TfmStart(const AppContext &context, QWidget *mainWindow);
    ~TfmStart() override;

    QLineEdit *edCall = nullptr;
    QLineEdit *edContest = nullptr;
    QPushButton *Button1 = nullptr;
    PositionFields *position = nullptr; // edLocator, edLat, edLon

    void Button1Click();

signals:
    // The entered values, unchanged; the main window takes them and closes.
    void accepted(const QString &call, const QString &contest);
    // The listener's position, written to the settings file already.
    void positionChosen(const GeoPosition &position);

protected:
    void showEvent(QShowEvent *event) override;

private:
    AppContext m_ctx;
    QWidget *m_main;
};

} // namespace vireo
