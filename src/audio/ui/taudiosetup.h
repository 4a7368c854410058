#pragma once
// The audio set-up window (objectName "AudioSetup"), opened by "Установки" -> "Звук": the input
// device that carries the receiver's audio, the output device for replay, "Записывать", how many
// seconds a replay goes back and how many days the recordings are kept, and the input's level,
// live, so that the listener sees the sound arrive. "Сохранить" keeps section Audio of
// settings.ini and starts or stops the recording.

#include "base/services.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;

namespace vireo {

class AudioService;
class LevelProbe;
struct AudioSettings;

class TAudioSetup : public QDialog {
    Q_OBJECT
public:
    TAudioSetup(const AppContext &context, AudioService &service, QWidget *parent = nullptr);
    ~TAudioSetup() override; // keeps the window's place in settings.ini

    // What the controls say now.
    AudioSettings chosen() const;
    void btOkClick();

    QComboBox *cbInput = nullptr;
    QComboBox *cbOutput = nullptr;
    QCheckBox *chRecord = nullptr;
    QSpinBox *sbReplay = nullptr;
    QSpinBox *sbKeepDays = nullptr;
    QProgressBar *pbLevel = nullptr;
    QLabel *lbLevel = nullptr;
    QLabel *lbFolder = nullptr;
    QPushButton *btOk = nullptr;
    QPushButton *btCancel = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void listenToInput();
    void showLevel(float level);

    const AppContext &m_ctx;
    AudioService &m_service;
    LevelProbe *m_probe = nullptr;
};

} // namespace vireo
