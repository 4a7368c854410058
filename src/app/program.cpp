#include "app/program.h"

#include "about/ui/taboutbox.h"
#include "app/tfmstart.h"
#include "app/tmain.h"
#include "base/ui/guarded.h"
#include "contest/ui/tfmcontest.h"
#include "analysis/ui/stats_table_model.h"
#include "analysis/ui/tstats.h"
#include "base/ui/window_placement.h"
#include "contest_rules/rules_tracker.h"
#include "contest_rules/ui/rule_line.h"
#include "contest_rules/ui/tscore.h"
#include "db/reference_store.h"
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

void Program::attachRules()
{
    TMain *main = m_main.get();
    rules::RulesTracker *tracker = m_rules.get();

    // The score window, "Окна" -> "Счёт": toggled like the statistics, beside the main window
    // the first time; a double click on a refused record selects it in the grid.
    m_score = std::make_unique<rules::TScore>(m_ctx, *tracker);
    placeBesideMainOnFirstShow(*m_score, *main, *main->Panel1);
    auto *actScore = new QAction(QStringLiteral("Счёт"), main->mnWindows);
    actScore->setObjectName(QStringLiteral("actScore"));
    actScore->setCheckable(true);
    main->mnWindows->insertAction(main->N18, actScore);
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
    m_ruleLine = new rules::RuleLine(*tracker, [main]() -> std::optional<QsoRecord> {
        // The record being edited stands in the log already (its key is set before its texts
        // are put into the fields, the edit colour after them).
        if (main->editId != 0 || main->editMode())
            return std::nullopt;
        QsoRecord r;
        r.call1 = main->edCall1->text();
        r.nr1 = main->edNr1->text();
        r.call2 = main->edCall2->text();
        r.nr2 = main->edNr2->text();
        r.band = main->currentBand;
        r.mode = main->modeCode();
        r.tur = main->edTour->text();
        // In manual entry the listener types the date and time; otherwise the clock stamps them.
        const bool manual = main->chCopy->isChecked();
        r.data = manual ? main->edData->text().trimmed() : main->CurrentUtcDate;
        r.time = manual ? main->edTime->text().trimmed() : main->CurrentUtcTime;
        return r;
    }, main->Panel1);
    m_ruleLine->hide(); // until the entry panel gives it its row
    rules::RuleLine *line = m_ruleLine;
    for (QLineEdit *field : {main->edCall1, main->edNr1, main->edCall2, main->edNr2, main->edData, main->edTime})
        QObject::connect(field, &QLineEdit::textChanged, line, [line] { line->refresh(); });
    for (QComboBox *box : {main->cbFreq, main->cbMode})
        QObject::connect(box, &QComboBox::currentTextChanged, line, [line] { line->refresh(); });
    QObject::connect(main->chCopy, &QCheckBox::toggled, line, [line] { line->refresh(); });
    QObject::connect(main->Timer1, &QTimer::timeout, line, [line] {
        if (line->lastCheck().checked)
            line->refresh();
    });

    // The statistics can show the points by the rules in place of the log's own.
    TStats *stats = main->stats;
    stats->setRulePointsSource([tracker]() -> std::optional<StatsTableModel::RulePoints> {
        if (!tracker->scorer())
            return std::nullopt;
        return tracker->scorer()->pointsByBandAndTour();
    });
    QObject::connect(tracker, &rules::RulesTracker::definitionChanged, stats, [stats] { stats->rulePointsChanged(); });
}

Program::~Program()
{
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
    if (m_main && m_main->stats)
        m_main->stats->setRulePointsSource({});
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
