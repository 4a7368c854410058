#include "audio/ui/audio_controls.h"

#include "audio/ui/audio_service.h"
#include "audio/ui/taudiosetup.h"
#include "base/ui/guarded.h"
#include "db/log_table_model.h"
#include "db/qso_store.h"

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QTableView>

namespace vireo {

namespace {

QAction *makeAction(QObject *parent, const char *name, const QString &text, const QKeySequence &keys = {},
                    Qt::ShortcutContext context = Qt::WindowShortcut)
{
    auto *a = new QAction(text, parent);
    a->setObjectName(QLatin1String(name));
    a->setShortcut(keys);
    a->setShortcutContext(context);
    return a;
}

} // namespace

AudioControls::AudioControls(const AppContext &context, AudioService &service, QsoStore &store,
                             const LogTableModel &model, const Places &places, QObject *parent)
    : QObject(parent), m_ctx(context), m_service(service), m_store(store), m_model(model), m_places(places)
{
    QWidget *window = places.window;
    actAudioSetup = makeAction(window, "actAudioSetup", tr("Звук…"));
    actReplay = makeAction(window, "actReplay", tr("Повторить последние секунды"), QKeySequence(Qt::CTRL | Qt::Key_R));
    actReplayBack =
        makeAction(window, "actReplayBack", tr("Повтор: на 3 с назад"), QKeySequence(Qt::ALT | Qt::Key_Left));
    actReplayForward =
        makeAction(window, "actReplayForward", tr("Повтор: на 3 с вперёд"), QKeySequence(Qt::ALT | Qt::Key_Right));
    actReplayStop =
        makeAction(window, "actReplayStop", tr("Остановить повтор"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R));
    for (QAction *a : {actReplay, actReplayBack, actReplayForward, actReplayStop})
        window->addAction(a);
    if (places.settingsMenu) {
        places.settingsMenu->addSeparator();
        places.settingsMenu->addAction(actAudioSetup);
    }

    // The grid's key works where the grid has the focus, and nowhere else.
    actPlayQso = makeAction(places.grid, "actPlayQso", tr("Прослушать"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P),
                            Qt::WidgetWithChildrenShortcut);
    actSaveFragment = makeAction(places.grid, "actSaveFragment", tr("Сохранить фрагмент…"));
    places.grid->addAction(actPlayQso);
    if (places.gridMenu) {
        places.gridMenu->addSeparator();
        places.gridMenu->addAction(actPlayQso);
        places.gridMenu->addAction(actSaveFragment);
    }

    lbRecording = new QLabel(places.statusBar);
    lbRecording->setObjectName(QStringLiteral("lbRecording"));
    lbRecording->setToolTip(
        tr("Звук приёмника записывается в папку %1").arg(QDir::toNativeSeparators(service.folder())));
    if (places.statusBar)
        places.statusBar->addPermanentWidget(lbRecording);

    const std::shared_ptr<Prompts> prompts = m_ctx.services.prompts;
    connect(actAudioSetup, &QAction::triggered, this, guarded(prompts, [this] { actAudioSetupClick(); }));
    connect(actReplay, &QAction::triggered, this, guarded(prompts, [this] { actReplayClick(); }));
    connect(actReplayBack, &QAction::triggered, this, guarded(prompts, [this] { m_service.stepBack(); }));
    connect(actReplayForward, &QAction::triggered, this, guarded(prompts, [this] { m_service.stepForward(); }));
    connect(actReplayStop, &QAction::triggered, this, guarded(prompts, [this] { m_service.stopPlayback(); }));
    connect(actPlayQso, &QAction::triggered, this, guarded(prompts, [this] { actPlayQsoClick(); }));
    connect(actSaveFragment, &QAction::triggered, this, guarded(prompts, [this] { actSaveFragmentClick(); }));

    connect(&service, &AudioService::recordingChanged, this, [this] { showState(); });
    connect(&service, &AudioService::playingChanged, this, [this] { showState(); });
    // The recording stopped by itself (a full disk, a device gone) or a replay failed.
    connect(&service, &AudioService::problem, this, [this](const QString &text) {
        if (m_ctx.services.prompts)
            showError(*m_ctx.services.prompts, text);
    });
    showState();
}

void AudioControls::showState()
{
    const bool playing = m_service.isPlaying();
    for (QAction *a : {actReplayBack, actReplayForward, actReplayStop})
        a->setEnabled(playing);
    lbRecording->setText(m_service.statusText());
    lbRecording->setVisible(m_service.isRecording());
}

void AudioControls::actAudioSetupClick()
{
    TAudioSetup window(m_ctx, m_service, m_places.window);
    m_ctx.services.prompts->showModal(window);
}

void AudioControls::actReplayClick()
{
    m_service.replay(); // throws with the reason; the box says it
}

qint64 AudioControls::selectedId() const
{
    QTableView *grid = m_places.grid;
    int row = grid->currentIndex().row();
    if (QItemSelectionModel *s = grid->selectionModel()) {
        const QModelIndexList rows = s->selectedRows();
        if (!rows.isEmpty())
            row = rows.first().row();
    }
    return row < 0 ? 0 : m_model.idAt(row);
}

bool AudioControls::selectedInstant(qint64 *id, qint64 *atMs)
{
    *id = selectedId();
    if (*id <= 0) {
        m_ctx.services.prompts->information(tr("Выберите запись в журнале, звук которой нужен."));
        return false;
    }
    const std::optional<qint64> at = m_store.savedAt(*id);
    if (!at) {
        m_ctx.services.prompts->information(AudioService::noInstantText());
        return false;
    }
    *atMs = *at;
    return true;
}

void AudioControls::actPlayQsoClick()
{
    qint64 id = 0, at = 0;
    if (!selectedInstant(&id, &at))
        return;
    m_service.playAround(at); // throws with the reason; the box says it
}

void AudioControls::actSaveFragmentClick()
{
    qint64 id = 0, at = 0;
    if (!selectedInstant(&id, &at))
        return;
    const QString preset = QDir(m_ctx.programDir).filePath(AudioService::fragmentName(m_store.byId(id).call1, at));
    QString path = m_ctx.services.prompts->saveFileName(tr("Сохранить фрагмент записи"), preset,
                                                        QStringLiteral("Ogg Opus (*.opus);;WAV (*.wav)"));
    if (path.isEmpty())
        return;
    // A name typed without an extension gets the one of the preset.
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".opus");
    m_service.saveAround(at, path); // throws with the reason; the box says it
}

} // namespace vireo
