#pragma once
// The rig set-up window (objectName "RigSetup"), opened by "Установки" -> "Управление CAT": a
// page for each radio with no radio, a radio that Vireo runs (Hamlib model searched by maker or
// model, serial device, speed) or a rigctld that runs elsewhere (host and port), and
// "Проверить", which tries a page's settings without closing the window. "Сохранить" writes
// section Rig of settings.ini. The model list comes from "rigctl -l" in the background; until it
// is there each page says so where the list will be, and the rest of the window can be used.

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
namespace rig {
class ModelListLoader;
}

// One radio's page. Controls are named with the radio's number: rbNone1, lvModels1, ...
class TRigSetupPage : public QWidget {
    Q_OBJECT
public:
    TRigSetupPage(int rig, const AppContext &context, const QStringList &devices, QWidget *parent = nullptr);
    ~TRigSetupPage() override;

    // The models to choose from, in place of the note that they are being loaded; a non-empty
    // error says why there are none. The model of the loaded settings is chosen then.
    void setModels(const QList<rig::HamlibModel> &models, const QString &modelListError);
    bool modelsShown() const { return m_modelsShown; }

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
    QLabel *lbModelsLoading = nullptr; // "Загрузка списка радиостанций…" in the list's place
    QComboBox *cbDevice = nullptr;
    QComboBox *cbSpeed = nullptr;
    QGroupBox *gbRemote = nullptr;
    QLineEdit *edHost = nullptr;
    QSpinBox *sbPort = nullptr;
    QPushButton *btCheck = nullptr;
    QLabel *lbCheck = nullptr;

signals:
    // "Проверить" has ended; lbCheck shows the text and the button can be clicked again.
    void checkFinished(bool ok, const QString &text);

private:
    void updateEnabled();
    void showResult(bool ok, const QString &text);
    // Chooses the model of the loaded settings, once the list is there.
    void chooseWantedModel();

    const int m_rig;
    const AppContext &m_ctx;
    std::unique_ptr<RigCheck> m_check;
    bool m_modelsShown = false;
    int m_wantedModel = 0; // the model of the loaded settings
};

class TRigSetup : public QDialog {
    Q_OBJECT
public:
    // Starts listing the models with the program rigctl.
    TRigSetup(const AppContext &context, const QStringList &devices, QWidget *parent = nullptr,
              const QString &rigctl = QStringLiteral("rigctl"));
    ~TRigSetup() override; // keeps the window's place in settings.ini

    TRigSetupPage *page(int rig) const { return m_pages[rig == 2 ? 1 : 0]; }
    // Whether the model list is in place (or the reason there is none is shown).
    bool modelListReady() const { return m_modelListReady; }
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

signals:
    // The model list has taken the place of the note that it is being loaded.
    void modelListLoaded();

private:
    const AppContext &m_ctx;
    RigctldSettings m_loaded;
    std::array<TRigSetupPage *, 2> m_pages{};
    rig::ModelListLoader *m_loader = nullptr;
    bool m_modelListReady = false;
};

} // namespace vireo
