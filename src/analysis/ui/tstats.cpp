#include "analysis/ui/tstats.h"

#include "analysis/ui/stats_export.h"
#include "analysis/ui/stats_plot.h"
#include "analysis/ui/stats_table_model.h"
#include "base/error.h"
#include "base/ini_file.h"
#include "base/ui/guarded.h"
#include "base/ui/window_placement.h"
#include "contest_rules/qso_points.h"
#include "db/qso_store.h"

#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLegend>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace vireo {

namespace {
const QString Section = QStringLiteral("Stats");
constexpr int DesignedWidth = 640;
constexpr int DesignedHeight = 540;

QString rateText(const QString &what, const std::optional<int> &perHour)
{
    return what
           + (perHour ? QCoreApplication::translate("vireo::TStats", "%1 QSO в час").arg(*perHour)
                      : QStringLiteral("—"));
}
} // namespace

TStats::TStats(const AppContext &context, QsoStore &store, QWidget *parent)
    : QWidget(parent, Qt::Window), m_ctx(context), m_store(store)
{
    setObjectName(QStringLiteral("Stats"));
    setWindowTitle(tr("Статистика"));

    auto label = [this](const char *name) {
        auto *l = new QLabel(this);
        l->setObjectName(QString::fromLatin1(name));
        return l;
    };
    lbStatsNow = label("lbStatsNow");
    lbRate10Min = label("lbRate10Min");
    lbRate60Min = label("lbRate60Min");
    lbRateLast10 = label("lbRateLast10");
    lbRateLast100 = label("lbRateLast100");
    lbBadTime = label("lbBadTime");
    lbBadTime->setWordWrap(true);

    m_model = new StatsTableModel(m_stats, this);
    tbStats = new QTableView(this);
    tbStats->setObjectName(QStringLiteral("tbStats"));
    tbStats->setModel(m_model);
    tbStats->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tbStats->setSelectionMode(QAbstractItemView::NoSelection);
    tbStats->setFocusPolicy(Qt::NoFocus);
    tbStats->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    tbStats->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    tbStats->verticalHeader()->setDefaultSectionSize(20);

    auto *tourCaption = new QLabel(tr("График:"), this);
    cbStatsTour = new QComboBox(this);
    cbStatsTour->setObjectName(QStringLiteral("cbStatsTour"));
    cbStatsTour->setMinimumContentsLength(10);
    btStatsText = new QPushButton(tr("Сохранить таблицу…"), this);
    btStatsText->setObjectName(QStringLiteral("btStatsText"));
    btStatsPng = new QPushButton(tr("Сохранить график…"), this);
    btStatsPng->setObjectName(QStringLiteral("btStatsPng"));

    chStats = new QChartView(this);
    chStats->setObjectName(QStringLiteral("chStats"));
    // The areas are steps of straight edges: drawn as fast without smoothing.
    chStats->setRenderHint(QPainter::Antialiasing, false);
    chStats->chart()->legend()->setAlignment(Qt::AlignRight);
    chStats->setMinimumHeight(240);
    // The time labels are chosen for the width the plot has, so they are chosen again when it
    // changes.
    connect(chStats->chart(), &QChart::plotAreaChanged, this, [this] {
        if (m_relabelling)
            return;
        m_relabelling = true;
        statsplot::relabel(*chStats->chart());
        m_relabelling = false;
    });
    lbStatsTable = label("lbStatsTable");
    lbStatsTable->setText(tr("В клетках таблицы: QSO / очки"));

    auto *rates = new QGridLayout;
    rates->addWidget(lbStatsNow, 0, 0, 1, 2);
    rates->addWidget(lbRate10Min, 1, 0);
    rates->addWidget(lbRate60Min, 2, 0);
    rates->addWidget(lbRateLast10, 1, 1);
    rates->addWidget(lbRateLast100, 2, 1);
    auto *tools = new QHBoxLayout;
    tools->addWidget(tourCaption);
    tools->addWidget(cbStatsTour);
    tools->addStretch();
    tools->addWidget(btStatsText);
    tools->addWidget(btStatsPng);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(rates);
    chStatsRules = new QCheckBox(tr("Очки по правилам соревнования"), this);
    chStatsRules->setObjectName(QStringLiteral("chStatsRules"));
    chStatsRules->setEnabled(false);
    auto *tableHead = new QHBoxLayout;
    tableHead->addWidget(lbStatsTable);
    tableHead->addStretch();
    tableHead->addWidget(chStatsRules);
    layout->addLayout(tableHead);
    layout->addWidget(tbStats);
    layout->addLayout(tools);
    layout->addWidget(chStats, 1);
    layout->addWidget(lbBadTime);

    m_pending = new QTimer(this);
    m_pending->setSingleShot(true);
    m_pending->setInterval(RefreshDelayMs);
    connect(m_pending, &QTimer::timeout, this, guarded(m_ctx.services.prompts, [this] { refresh(); }));
    connect(cbStatsTour, &QComboBox::activated, this, guarded(m_ctx.services.prompts, [this] { refreshPlot(); }));
    connect(chStatsRules, &QCheckBox::toggled, this, guarded(m_ctx.services.prompts, [this] { refreshRulePoints(); }));
    connect(btStatsText, &QPushButton::clicked, this, guarded(m_ctx.services.prompts, [this] { btStatsTextClick(); }));
    connect(btStatsPng, &QPushButton::clicked, this, guarded(m_ctx.services.prompts, [this] { btStatsPngClick(); }));

    connect(&m_store, &QsoStore::logChanged, this, &TStats::logChanged);

    resize(DesignedWidth, DesignedHeight);
    FormCreate();
}

TStats::~TStats()
{
    FormDestroy();
}

void TStats::FormCreate()
{
    restorePlacement(*this, m_ctx.settingsPath, Section);
}

void TStats::FormDestroy()
{
    // Runs from the destructor: a settings file that cannot be written must not end the program.
    runGuarded(m_ctx.services.prompts.get(), [this] { savePlacement(*this, m_ctx.settingsPath, Section); });
}

void TStats::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    runGuarded(*m_ctx.services.prompts, [this] { refresh(); });
}

void TStats::closeEvent(QCloseEvent *event)
{
    // Closing only hides the window; it lives until the program ends.
    event->accept();
    emit closed();
}

void TStats::logChanged(const LogChange &change)
{
    // Runs inside the write that made the change, after its commit: only counters are touched
    // here, the window catches up a moment later.
    if (!m_loaded)
        return;
    if (!m_stats.apply(change)) {
        m_loaded = false;
        m_stats.clear();
    }
    if (isVisible())
        scheduleRefresh();
}

void TStats::setRulePointsSource(std::function<std::optional<std::map<std::pair<QString, QString>, qint64>>()> source)
{
    m_rulePoints = std::move(source);
    refreshRulePoints();
}

void TStats::rulePointsChanged()
{
    refreshRulePoints();
}

void TStats::refreshRulePoints()
{
    std::optional<StatsTableModel::RulePoints> points = m_rulePoints ? m_rulePoints() : std::nullopt;
    chStatsRules->setEnabled(points.has_value());
    if (!chStatsRules->isChecked())
        points.reset();
    m_model->setRulePoints(points);
    lbStatsTable->setText(points ? tr("В клетках таблицы: QSO / очки по правилам соревнования")
                                 : tr("В клетках таблицы: QSO / очки"));
}

void TStats::scheduleRefresh()
{
    if (!m_pending->isActive())
        m_pending->start();
}

bool TStats::refreshPending() const
{
    return m_pending->isActive();
}

void TStats::ensureCurrent()
{
    if (m_loaded) {
        // The statistics follow this program's writes; another program writing the same file
        // shows up as totals that differ from the log's own.
        const StatsCell total = m_stats.total();
        const int records = m_store.count();
        if (total.qso == records && total.points == points(records, m_store.countWithNr2()))
            return;
    }
    m_loaded = false;
    m_stats.load(m_store);
    m_loaded = true;
}

void TStats::refresh()
{
    m_pending->stop();
    ensureCurrent();
    m_model->refresh();
    refreshRulePoints();
    fitTable();
    refreshTours();
    refreshPlot();
    refreshRates();
    lbBadTime->setText(statstext::badTimeText(m_stats.badTimeCount()));
}

void TStats::fitTable()
{
    // As high as its rows, up to a dozen bands; more scroll.
    const int rows = std::min(m_model->rowCount(), 13);
    tbStats->setFixedHeight(tbStats->horizontalHeader()->sizeHint().height()
                            + rows * tbStats->verticalHeader()->defaultSectionSize() + 2 * tbStats->frameWidth());
}

void TStats::refreshRates()
{
    const QDateTime now = m_ctx.services.utcClock->nowUtc().toUTC();
    const StatsRates r = m_stats.rates(now);
    lbStatsNow->setText(tr("Темп на %1 UTC").arg(now.toString(QStringLiteral("dd.MM.yyyy HH:mm"))));
    lbRate10Min->setText(tr("За 10 минут: %1 QSO").arg(r.lastTenMinutes));
    lbRate60Min->setText(tr("За 60 минут: %1 QSO").arg(r.lastSixtyMinutes));
    lbRateLast10->setText(rateText(tr("Последние 10 QSO: "), r.lastTenQsos));
    lbRateLast100->setText(rateText(tr("Последние 100 QSO: "), r.lastHundredQsos));
}

void TStats::refreshTours()
{
    const QStringList tours = m_stats.tours();
    if (tours == m_shownTours && cbStatsTour->count() == tours.size() + 1)
        return;
    m_shownTours = tours;
    const QString chosen = cbStatsTour->currentData().toString();
    const bool allChosen = cbStatsTour->currentIndex() <= 0;
    const QSignalBlocker block(cbStatsTour);
    cbStatsTour->clear();
    cbStatsTour->addItem(tr("Все туры"));
    for (const QString &tour : tours)
        cbStatsTour->addItem(statstext::tourTitle(tour), tour);
    const int index = allChosen ? 0 : cbStatsTour->findData(chosen);
    cbStatsTour->setCurrentIndex(std::max(index, 0));
}

void TStats::refreshPlot()
{
    std::optional<QString> tour;
    QString title = tr("QSO за 10 минут по диапазонам, все туры");
    if (cbStatsTour->currentIndex() > 0) {
        tour = cbStatsTour->currentData().toString();
        title = tr("QSO за 10 минут по диапазонам, %1").arg(statstext::tourTitle(*tour).toLower());
    }
    const statsplot::Plot plot = statsplot::stack(m_stats.bins(tour), m_stats.bands());
    if (plot.outlines.empty())
        title = tr("Нет записей с верными датой и временем");
    statsplot::show(*chStats->chart(), plot, title);
}

void TStats::btStatsTextClick()
{
    Prompts &prompts = *m_ctx.services.prompts;
    const QString path = prompts.saveFileName(tr("Сохранить таблицу статистики"),
                                              QDir(m_ctx.programDir).filePath(QStringLiteral("stats.txt")),
                                              tr("Текстовые файлы (*.txt);;Все файлы (*.*)"));
    if (path.isEmpty())
        return;
    refresh();
    if (reportWritten(statsexport::writeTable(path, m_stats), prompts))
        prompts.information(tr("Таблица статистики записана в файл %1").arg(QDir::toNativeSeparators(path)));
}

void TStats::btStatsPngClick()
{
    Prompts &prompts = *m_ctx.services.prompts;
    const QString path = prompts.saveFileName(tr("Сохранить график статистики"),
                                              QDir(m_ctx.programDir).filePath(QStringLiteral("stats.png")),
                                              tr("Изображения PNG (*.png);;Все файлы (*.*)"));
    if (path.isEmpty())
        return;
    // The plot as the window shows it.
    if (reportWritten(statsexport::writePng(path, chStats->grab().toImage()), prompts))
        prompts.information(tr("График статистики записан в файл %1").arg(QDir::toNativeSeparators(path)));
}

} // namespace vireo
