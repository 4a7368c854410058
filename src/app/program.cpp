#include "app/program.h"

#include "about/ui/taboutbox.h"
#include "analysis/ui/stats_table_model.h"
#include "analysis/ui/tstats.h"
#include "app/log_grid.h"
#include "app/main_menu.h"
#include "app/tfmstart.h"
#include "app/tmain.h"
#include "audio/ui/audio_controls.h"
#include "audio/ui/audio_service.h"
#include "bandmap/band_map.h"
#include "bandmap/band_map_tuner.h"
#include "bandmap/ui/band_scale.h"
#include "bandmap/ui/tbandmap.h"
#include "base/ui/guarded.h"
#include "base/ui/window_placement.h"
#include "contest/ui/tfmcontest.h"
#include "contest_rules/rules_tracker.h"
#include "contest_rules/ui/rule_line.h"
#include "contest_rules/ui/tscore.h"
#include "db/reference_store.h"
#include "entry/ui/entry_panel.h"
#include "entry/ui/top_strip.h"
#include "reports/ui/tcomentadif.h"
#include "reports/ui/tfmcabrillo.h"
#include "stationinfo/my_position.h"
#include "stationinfo/ui/trptqso.h"
#include "timesync/ui/tsntp.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>

namespace vireo {

Program::Program(const AppContext &context) : m_ctx(context)
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
    places.settingsMenu = main->menu().settings;
    places.grid = &main->grid();
    places.gridMenu = main->menu().popup;
    places.statusBar = main->statusBar();
    m_audioControls = std::make_unique<AudioControls>(context, *m_audio, main->qsos(), main->logModel(), places);
    // Once the main window is up: old recordings go, and the recording starts when it is on.
    QTimer::singleShot(0, main, [this] { m_audio->start(); });

    QObject::connect(m_contest.get(), &TfmContest::contestAccepted, main, [this, main](const QString &name) {
        main->contestName = name;
        m_cabrillo->setContest(name);
        main->setCaptionFromSettings();
    });
    // The contest rules: chosen in the tour window, scored as the log changes, the claimed score
    // and the CONTEST: line of the Cabrillo report taken from them.
    m_rules = std::make_unique<rules::RulesTracker>(main->qsos(), [main] { return main->references().allPrefixes(); });
    // A log that cannot be scored at start is said once; the program runs on without the score.
    runGuarded(*m_ctx.services.prompts, [this] { m_rules->setDefinition(m_contest->chosenRules()); });
    QObject::connect(m_contest.get(), &TfmContest::rulesChosen, m_rules.get(),
                     [this] { m_rules->setDefinition(m_contest->chosenRules()); });
    QObject::connect(m_contest.get(), &TfmContest::cabrilloContestAccepted, main,
                     [this](const QString &contest) { m_cabrillo->followRulesContest(contest); });
    m_cabrillo->followRulesContest(m_contest->cabrilloContest());
    m_cabrillo->setClaimedScoreSource([this] { return m_rules->claimedScore(); });
    attachRules();

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
    QObject::connect(map, &TBandMap::closed, menu.actBandMap,
                     [action = menu.actBandMap] { action->setChecked(false); });
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

void Program::attachRules()
{
    TMain *main = m_main.get();
    rules::RulesTracker *tracker = m_rules.get();

    // The score window, "Окна" -> "Счёт": toggled like the statistics, beside the main window
    // the first time; a double click on a refused record selects it in the grid.
    m_score = std::make_unique<rules::TScore>(m_ctx, *tracker);
    placeBesideMainOnFirstShow(*m_score, *main, main->entryPanel());
    QAction *actScore = main->menu().actScore;
    rules::TScore *score = m_score.get();
    QObject::connect(actScore, &QAction::triggered, score, [score, actScore] {
        // The action has toggled its own mark already; the window decides.
        if (score->isVisible()) {
            score->hide();
        } else {
            score->show();
            score->raise();
        }
        actScore->setChecked(score->isVisible());
    });
    QObject::connect(score, &rules::TScore::closed, actScore, [actScore] { actScore->setChecked(false); });
    QObject::connect(score, &rules::TScore::recordChosen, main,
                     [main](qint64 id) { main->guard([main, id] { main->selectCheckedRecord(id); }); });

    // The line that says how the record being typed will count. It follows every field of the
    // record, the band and mode boxes, and the clock (a pause the rules ask for runs out).
    EntryPanel &entry = main->entryPanel();
    TopStrip &strip = main->topStrip();
    m_ruleLine = new rules::RuleLine(
        *tracker,
        [main, &entry, &strip]() -> std::optional<QsoRecord> {
            // The record being edited stands in the log already (its key is set before its texts
            // are put into the fields, the edit colour after them).
            if (main->editingRecord())
                return std::nullopt;
            const qsoentry::StationFields f = entry.fields();
            QsoRecord r;
            r.call1 = f.call1;
            r.nr1 = f.nr1;
            r.call2 = f.call2;
            r.nr2 = f.nr2;
            r.band = main->currentBand;
            r.mode = main->modeCode();
            r.tur = strip.tour();
            // In manual entry the listener types the date and time; otherwise the clock stamps them.
            const bool manual = strip.manualEntry();
            r.data = manual ? entry.dateText().trimmed() : main->CurrentUtcDate;
            r.time = manual ? entry.timeText().trimmed() : main->CurrentUtcTime;
            return r;
        },
        &entry);
    // A row of its own over the entry area while rules are chosen; without them the window is
    // as it always was.
    main->addLineAboveEntry(m_ruleLine);
    m_ruleLine->setIndent(4);
    m_ruleLine->setVisible(tracker->active());
    rules::RuleLine *line = m_ruleLine;
    QObject::connect(tracker, &rules::RulesTracker::definitionChanged, line,
                     [line, tracker] { line->setVisible(tracker->active()); });
    QObject::connect(&entry, &EntryPanel::edited, line, [line] { line->refresh(); });
    QObject::connect(&strip, &TopStrip::shownChanged, line, [line] { line->refresh(); });
    QObject::connect(&strip, &TopStrip::manualEntryClicked, line, [line] { line->refresh(); });
    QObject::connect(main, &TMain::clockTicked, line, [line] {
        if (line->lastCheck().checked)
            line->refresh();
    });

    // The log check pauses a pair as the rules do and lists what they refuse.
    main->setRulesTracker(tracker);
    // New country data: the entities and zones of the calls are looked up again.
    QObject::connect(main, &TMain::referenceDataReplaced, tracker,
                     [main, tracker] { main->guard([tracker] { tracker->prefixesChanged(); }); });

    // The statistics can show the points by the rules in place of the log's own.
    TStats *stats = main->statsWindow();
    stats->setRulePointsSource([tracker]() -> std::optional<StatsTableModel::RulePoints> {
        if (!tracker->scorer())
            return std::nullopt;
        return tracker->scorer()->pointsByBandAndTour();
    });
    QObject::connect(tracker, &rules::RulesTracker::definitionChanged, stats, [stats] { stats->rulePointsChanged(); });
}

Program::~Program()
{
    m_bandMap.reset();
    m_audioControls.reset();
    m_audio.reset(); // the recording ends, its file finished
    m_start.reset();
    m_cabrillo.reset();
    m_about.reset();
    m_rptQso.reset();
    m_sntp.reset();
    m_coment.reset();
    m_contest.reset();
    m_score.reset();
    // The line follows the tracker: it goes first, before the main window's fields could ask it.
    delete m_ruleLine;
    m_ruleLine = nullptr;
    if (m_main && m_main->statsWindow())
        m_main->statsWindow()->setRulePointsSource({});
    m_rules.reset();
    m_main.reset();
    // Started again only now: the main window has written the call and the contest, so the new
    // run reads them and goes straight to the log.
    if (m_relaunch)
        relaunch();
}

void Program::relaunch()
{
    const QString program = QCoreApplication::applicationFilePath();
    const bool started =
        m_ctx.services.relauncher
        && m_ctx.services.relauncher->relaunch(program, QCoreApplication::arguments().mid(1), QDir::currentPath());
    if (!started && m_ctx.services.prompts)
        showError(*m_ctx.services.prompts,
                  QCoreApplication::translate("vireo::Program",
                                              "Не удалось запустить программу %1 заново. Запустите её сами: "
                                              "позывной и contest сохранены.")
                      .arg(QDir::toNativeSeparators(program)));
}

} // namespace vireo
