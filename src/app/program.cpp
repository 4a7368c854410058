#include "app/program.h"

#include "about/ui/taboutbox.h"
#include "app/main_menu.h"
#include "app/tfmstart.h"
#include "app/tmain.h"
#include "bandmap/band_map.h"
#include "bandmap/band_map_tuner.h"
#include "bandmap/ui/band_scale.h"
#include "bandmap/ui/tbandmap.h"
#include "base/ui/guarded.h"
#include "base/ui/window_placement.h"
#include "contest/ui/tfmcontest.h"
#include "entry/ui/entry_panel.h"
#include "entry/ui/top_strip.h"
#include "reports/ui/tcomentadif.h"
#include "reports/ui/tfmcabrillo.h"
#include "stationinfo/my_position.h"
#include "stationinfo/ui/trptqso.h"
#include "timesync/ui/tsntp.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>

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

    QObject::connect(m_contest.get(), &TfmContest::contestAccepted, main, [this, main](const QString &name) {
        main->contestName = name;
        m_cabrillo->setContest(name);
        main->setCaptionFromSettings();
    });
    QObject::connect(m_sntp.get(), &TSntp::statusText, main,
                     [main](const QString &text) { main->setStatusText(5, text); });
    QObject::connect(m_rptQso.get(), &TRptQso::closed, main, [main] { main->repeatsWindowClosed(); });
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
    attachBandMap();
}

void Program::attachBandMap()
{
    TMain *main = m_main.get();
    m_bandMap = std::make_unique<TBandMap>(
        m_ctx, main->qsos(), [main] { return main->rigServer(); },
        [main] { return main->numRadio == QLatin1String("1") ? 1 : 2; });
    TBandMap *map = m_bandMap.get();
    placeBesideMainOnFirstShow(*map, *main, main->entryPanel());
    // The map shows the entry line's band, mode and tour, and the frequency box as its marker.
    // Connected after the main window's own handlers, so that the band they derive is read here.
    TopStrip &strip = main->topStrip();
    auto follow = [main, map, &strip] {
        map->setContext(main->currentBand, main->modeCode(), strip.tour());
        map->setFrequencyText(strip.frequencyText());
    };
    QObject::connect(&strip, &TopStrip::shownChanged, map, follow);
    QObject::connect(&main->entryPanel(), &EntryPanel::callChanged, map, follow);
    follow();
    // Without a radio a station clicked goes into the frequency box, whose own handler then
    // finds its band; what a radio refused is said in the status bar.
    QObject::connect(&map->tuner(), &BandMapTuner::frequencyBoxWanted, main,
                     [&strip](const QString &text) { strip.setFrequencyText(text); });
    QObject::connect(&map->tuner(), &BandMapTuner::refused, main,
                     [main](const QString &text) { main->setStatusText(5, text); });
    // A click on the map makes it the active window; the keyboard goes back to the entry line
    // at once, where the listener types the call he hears.
    QObject::connect(map->scale(), &BandScale::entryClicked, main, [main] { main->activateWindow(); });

    // "Окна" -> "Карта диапазона" shows and hides it; Ctrl+M marks the heard call typed, and
    // Ctrl+PgUp/PgDn tune to the next station of the map, said in the status bar when they cannot.
    const MainMenu &menu = main->menu();
    QObject::connect(menu.actBandMap, &QAction::triggered, map, [map, action = menu.actBandMap] {
        const bool show = !map->isVisible();
        map->setVisible(show);
        if (show)
            map->raise();
        action->setChecked(show);
    });
    QObject::connect(map, &TBandMap::closed, menu.actBandMap, [action = menu.actBandMap] { action->setChecked(false); });
    QObject::connect(menu.actMark, &QAction::triggered, main, guarded(m_ctx.services.prompts, [main, map, &strip] {
        const Result<QString> r = map->map().mark(main->entryPanel().call(1), strip.frequencyText());
        main->setStatusText(5, r ? *r : r.errorText());
    }));
    QObject::connect(&main->entryPanel(), &EntryPanel::stepWanted, main, [this, main, map, &strip](bool up) {
        runGuarded(m_ctx.services.prompts.get(), [main, map, &strip, up] {
            const Result<bandmap::Entry> r = map->step(strip.frequencyText(), up);
            if (!r)
                main->setStatusText(5, r.errorText());
        });
    });
}

Program::~Program()
{
    m_bandMap.reset();
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
