#pragma once
// The rig set-up window (objectName "RigSetup"), opened by "Установки" -> "Управление CAT": a
// page for each radio with no radio, a radio that Vireo runs (Hamlib model searched by maker or
// model, serial device, speed) or a rigctld that runs elsewhere (host and port), and
// "Проверить", which tries a page's settings without closing the window. "Сохранить" writes
// section Rig of settings.ini.

#include "base/services.h"
#include "rig/hamlib_models.h"
#include "rig/rig_settings.h"

#include <QDialog>

#include <array>
#include <memory>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;
class QTreeWidget;

namespace vireo {

class RigCheck;

// One radio's page. Controls are named with the radio's number: rbNone1, lvModels1, ...
class TRigSetupPage : public QWidget {
    Q_OBJECT
public:
    TRigSetupPage(int rig, const AppContext &context, const QList<rig::HamlibModel> &models,
                  const QString &modelListError, const QStringList &devices, QWidget *parent = nullptr);
    ~TRigSetupPage() override;

    void load(const RadioSetup &setup);
    RadioSetup setup() const;
    // Empty when the page may be saved, otherwise what is missing.
    QString problem() const;
    // Shows only the models that match (maker or model, see rig::modelMatches).
    void filterModels(const QString &filter);
    int visibleModels() const;
    bool selectModel(int id);

    void btCheckClick();
    bool checking() const;

    QRadioButton *rbNone = nullptr;
    QRadioButton *rbOwn = nullptr;
    QRadioButton *rbRemote = nullptr;
    QGroupBox *gbOwn = nullptr;
    QLineEdit *edFilter = nullptr;
    QTreeWidget *lvModels = nullptr;
    QComboBox *cbDevice = nullptr;
    QComboBox *cbSpeed = nullptr;
    QGroupBox *gbRemote = nullptr;
    QLineEdit *edHost = nullptr;
    QSpinBox *sbPort = nullptr;
    QPushButton *btCheck = nullptr;
    QLabel *lbCheck = nullptr;

private:
    void updateEnabled();
    void showResult(bool ok, const QString &text);

    const int m_rig;
    const AppContext &m_ctx;
    std::unique_ptr<RigCheck> m_check;
};

class TRigSetup : public QDialog {
    Q_OBJECT
public:
    TRigSetup(const AppContext &context, const QList<rig::HamlibModel> &models, const QString &modelListError,
              const QStringList &devices, QWidget *parent = nullptr);
    ~TRigSetup() override; // keeps the window's place in settings.ini

    TRigSetupPage *page(int rig) const { return m_pages[rig == 2 ? 1 : 0]; }
    RigctldSettings settings() const;

    // "Сохранить": checks the pages, writes the settings and closes the window with Accepted;
    // a missing choice or a file that cannot be written is said and the window stays open.
    void btOkClick();
    // Starts the program of key Command (older settings), if there is one.
    void btCommandClick();

    QTabWidget *tabRadios = nullptr;
    QPushButton *btOk = nullptr;
    QPushButton *btCancel = nullptr;
    QPushButton *btCommand = nullptr;

private:
    const AppContext &m_ctx;
    RigctldSettings m_loaded;
    std::array<TRigSetupPage *, 2> m_pages{};
};

} // namespace vireo
