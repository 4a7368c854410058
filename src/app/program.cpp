#include "app/program.h"

#include "about/ui/taboutbox.h"
#include "app/tfmstart.h"
#include "app/tmain.h"
#include "audio/ui/audio_controls.h"
#include "audio/ui/audio_service.h"
#include "base/ui/guarded.h"
#include "contest/ui/tfmcontest.h"
#include "reports/ui/tcomentadif.h"
#include "reports/ui/tfmcabrillo.h"
#include "stationinfo/my_position.h"
#include "stationinfo/ui/trptqso.h"
#include "timesync/ui/tsntp.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QTimer>

namespace vireo {

Program::Program(const AppContext &context)
    : m_ctx(context)
{
    m_main = std::make_unique<TMain>(context);
    TMain *main = m_main.get();
    m_contest = std::make_unique<TfmContest>(context, main->tours(), main);
    m_coment = std::make_unique<TComentAdif>(context, main->qsl, main);
    m_sntp = std::make_unique<TSntp>(context, main->servers(), main);
    m_rptQso = std::make_unique<TRptQso>(context);
    m_about = std::make_unique<TAboutBox>(context);
    m_cabrillo = std::make_unique<TfmCabrillo>(context, main->qsos(), main);
    m_start = std::make_unique<TfmStart>(context, main);

    TMain::Windows w;
    w.contest = m_contest.get();
    w.coment = m_coment.get();
    w.sntp = m_sntp.get();
    w.rptQso = m_rptQso.get();
    w.about = m_about.get();
    w.cabrillo = m_cabrillo.get();
    w.start = m_start.get();
    main->attachWindows(w);

    m_audio = std::make_unique<AudioService>(context.settingsPath, context.databasePath, context.services.utcClock);
    AudioControls::Places places;
    places.window = main;
    places.settingsMenu = main->mnSettings;
    places.grid = main->DBGrid1;
    places.gridMenu = main->PopupMenu1;
    places.statusBar = main->statusBar();
    m_audioControls = std::make_unique<AudioControls>(context, *m_audio, main->qsos(), main->logModel(), places);
    // Once the main window is up: old recordings go, and the recording starts when it is on.
    QTimer::singleShot(0, main, [this] { m_audio->start(); });

    QObject::connect(m_contest.get(), &TfmContest::contestAccepted, main, [this, main](const QString &name) {
        main->contestName = name;
        m_cabrillo->setContest(name);
        main->setCaptionFromSettings();
    });
    QObject::connect(m_sntp.get(), &TSntp::statusText, main,
                     [main](const QString &text) { main->setStatusText(5, text); });
    QObject::connect(m_rptQso.get(), &TRptQso::closed, main, [main] { main->N17->setChecked(false); });
    QObject::connect(m_cabrillo.get(), &TfmCabrillo::exported, main, [main] { main->selectLastRow(); });
    QObject::connect(m_start.get(), &TfmStart::positionChosen, main,
                     [main](const GeoPosition &p) { main->setMyPosition(p.latitude, p.longitude); });
    QObject::connect(m_start.get(), &TfmStart::accepted, main,
                     [this, main](const QString &call, const QString &contest) {
                         main->myCall = call;
                         main->contestName = contest;
                         m_relaunch = true;
                         main->close();
                     });
}

Program::~Program()
{
    m_audioControls.reset();
    m_audio.reset(); // the recording ends, its file finished
    m_start.reset();
    m_cabrillo.reset();
    m_about.reset();
    m_rptQso.reset();
    m_sntp.reset();
    m_coment.reset();
    m_contest.reset();
    m_main.reset();
    // Started again only now: the main window has written the call and the contest, so the new
    // run reads them and goes straight to the log.
    if (m_relaunch)
        relaunch();
}

void Program::relaunch()
{
    const QString program = QCoreApplication::applicationFilePath();
    const bool started = m_ctx.services.relauncher
                      && m_ctx.services.relauncher->relaunch(program, QCoreApplication::arguments().mid(1),
                                                             QDir::currentPath());
    if (!started && m_ctx.services.prompts)
        showError(*m_ctx.services.prompts,
                  QStringLiteral("Не удалось запустить программу %1 заново. Запустите её сами: "
                                 "позывной и contest сохранены.")
                      .arg(QDir::toNativeSeparators(program)));
}

} // namespace vireo
