#include "analysis/ui/tlogcheck.h"

#include "analysis/log_check_report.h"
#include "analysis/log_check_runner.h"
#include "analysis/ui/findings_model.h"
#include "base/error.h"
#include "base/ini_file.h"
#include "base/ui/guarded.h"
#include "base/ui/window_placement.h"
#include "reports/report_file.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeView>
#include <QVBoxLayout>

#include <malloc.h>

#include <iterator>

namespace vireo {

namespace {
const QString Section = QStringLiteral("LogCheck");
const QString CheckSection = QStringLiteral("Check");
const QString MinRepeatKey = QStringLiteral("MinRepeat");
constexpr int DefaultMinRepeat = 10;
} // namespace

TLogCheck::TLogCheck(const AppContext &context, Sources sources, QWidget *parent)
    : QWidget(parent, Qt::Window), m_ctx(context), m_sources(std::move(sources))
{
    setObjectName(QStringLiteral("LogCheck"));
    setWindowTitle(tr("Проверка журнала"));

    m_runner = new LogCheckRunner(this);
    m_model = new FindingsModel(this);

    auto *lbScope = new QLabel(tr("Проверить:"), this);
    cbScope = new QComboBox(this);
    cbScope->setObjectName(QStringLiteral("cbScope"));
    lbScope->setBuddy(cbScope);
    auto *lbMinRepeat = new QLabel(tr("Пара снова не раньше чем через, мин:"), this);
    sbMinRepeat = new QSpinBox(this);
    sbMinRepeat->setObjectName(QStringLiteral("sbMinRepeat"));
    sbMinRepeat->setRange(0, 1440);
    sbMinRepeat->setSpecialValueText(tr("не проверять"));
    sbMinRepeat->setToolTip(tr("0 — не проверять повтор пары"));
    lbMinRepeat->setBuddy(sbMinRepeat);
    btCheck = new QPushButton(tr("Проверить"), this);
    btCheck->setObjectName(QStringLiteral("btCheck"));
    btCancel = new QPushButton(tr("Отмена"), this);
    btCancel->setObjectName(QStringLiteral("btCancel"));
    btSave = new QPushButton(tr("Сохранить…"), this);
    btSave->setObjectName(QStringLiteral("btSave"));

    pbCheck = new QProgressBar(this);
    pbCheck->setObjectName(QStringLiteral("pbCheck"));
    pbCheck->setRange(0, 100);
    pbCheck->setValue(0);

    lvCheck = makeList();

    lbSummary = new QLabel(tr("Проверка ещё не запускалась"), this);
    lbSummary->setObjectName(QStringLiteral("lbSummary"));

    auto *top = new QHBoxLayout;
    top->addWidget(lbScope);
    top->addWidget(cbScope);
    top->addSpacing(12);
    top->addWidget(lbMinRepeat);
    top->addWidget(sbMinRepeat);
    top->addStretch(1);
    top->addWidget(btCheck);
    top->addWidget(btCancel);
    top->addWidget(btSave);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(pbCheck);
    layout->addWidget(lvCheck, 1);
    layout->addWidget(lbSummary);

    connect(btCheck, &QPushButton::clicked, this, [this] { btCheckClick(); });
    connect(btCancel, &QPushButton::clicked, this, [this] { btCancelClick(); });
    connect(btSave, &QPushButton::clicked, this, [this] { btSaveClick(); });
    connect(m_runner, &LogCheckRunner::progress, pbCheck, &QProgressBar::setValue);
    connect(m_runner, &LogCheckRunner::finished, this, [this](int) {
        m_checkedTour = m_runningTour;
        m_checkedAt = m_runningAt;
        setRunning(false);
        pbCheck->setValue(100);
        m_model->setFindings(m_runner->findings());
        m_runner->release();
        lbSummary->setText(summaryText(m_model->findings()));
    });
    connect(m_runner, &LogCheckRunner::cancelled, this, [this] {
        setRunning(false);
        if (!isVisible())
            malloc_trim(0); // closed while checking: what the check held is free now
        pbCheck->setValue(0);
        lbSummary->setText(tr("Проверка прервана"));
    });
    connect(m_runner, &LogCheckRunner::failed, this, [this](const QString &text) {
        setRunning(false);
        pbCheck->setValue(0);
        lbSummary->setText(tr("Проверка не выполнена"));
        showError(*m_ctx.services.prompts, text);
    });

    setRunning(false);
    btSave->setEnabled(false);
    resize(900, 420);
    m_ctx.traceEvent(QStringLiteral("create LogCheck"));
    FormCreate();
}

TLogCheck::~TLogCheck()
{
    FormDestroy();
    m_ctx.traceEvent(QStringLiteral("destroy LogCheck"));
}

void TLogCheck::FormCreate()
{
    IniFile ini(m_ctx.settingsPath);
    sbMinRepeat->setValue(std::max(0, ini.readInteger(CheckSection, MinRepeatKey, DefaultMinRepeat)));
    const int left = ini.readInteger(Section, QStringLiteral("Left"), -1);
    if (left != -1) {
        move(left, ini.readInteger(Section, QStringLiteral("Top"), y()));
        resize(ini.readInteger(Section, QStringLiteral("Width"), width()),
               ini.readInteger(Section, QStringLiteral("Height"), height()));
    }
    refreshScopes();
}

void TLogCheck::FormDestroy()
{
    // Runs from the destructor: a settings file that cannot be written must not end the program.
    runGuarded(m_ctx.services.prompts.get(), [this] {
        IniFile ini(m_ctx.settingsPath);
        ini.writeInteger(CheckSection, MinRepeatKey, sbMinRepeat->value());
        savePlacement(*this, m_ctx.settingsPath, Section);
    });
}

void TLogCheck::refreshScopes()
{
    const QString current = cbScope->currentData().toString();
    cbScope->clear();
    cbScope->addItem(logcheck::scopeText(QString()), QString());
    const QStringList tours = m_sources.tours ? m_sources.tours() : QStringList();
    for (const QString &t : tours)
        cbScope->addItem(logcheck::scopeText(t), t);
    const int keep = cbScope->findData(current);
    cbScope->setCurrentIndex(keep >= 0 ? keep : 0);
}

void TLogCheck::setRunning(bool running)
{
    btCheck->setEnabled(!running);
    cbScope->setEnabled(!running);
    sbMinRepeat->setEnabled(!running);
    btCancel->setEnabled(running);
    btSave->setEnabled(!running && m_checkedAt.isValid());
}

void TLogCheck::btCheckClick()
{
    if (m_runner->running())
        return;
    logcheck::Options options;
    // With contest rules chosen, the pause between two records of one pair is the rules' own.
    if (m_sources.rulesPairMinutes)
        if (const std::optional<int> minutes = m_sources.rulesPairMinutes())
            sbMinRepeat->setValue(*minutes);
    options.minRepeatMinutes = sbMinRepeat->value();
    if (m_sources.refusedByRules)
        options.refusedByRules = m_sources.refusedByRules();
    options.tour = cbScope->currentData().toString();
    m_runningTour = options.tour;
    m_runningAt = m_ctx.services.utcClock ? m_ctx.services.utcClock->nowUtc() : QDateTime::currentDateTimeUtc();
    m_checkedAt = QDateTime();
    m_model->setFindings({});
    pbCheck->setValue(0);
    lbSummary->setText(tr("Идёт проверка…"));
    const int records = m_sources.recordCount ? m_sources.recordCount() : 0;
    const QStringList known = m_sources.knownCalls ? m_sources.knownCalls() : QStringList();
    setRunning(true);
    m_runner->start(m_ctx.databasePath, records, known, options);
}

void TLogCheck::btCancelClick()
{
    m_runner->cancel();
}

void TLogCheck::btSaveClick()
{
    if (m_runner->running() || !m_checkedAt.isValid())
        return;
    Prompts &prompts = *m_ctx.services.prompts;
    const QString preset = QDir(m_ctx.programDir).filePath(QStringLiteral("check.txt"));
    const QString path = prompts.saveFileName(tr("Сохранить результаты проверки"), preset,
                                              tr("Текстовые файлы (*.txt);;Все файлы (*.*)"));
    if (path.isEmpty())
        return;
    const WriteResult result = logcheck::writeReport(path, m_model->findings(), m_checkedTour, m_checkedAt);
    if (reportWritten(result, prompts))
        prompts.information(tr("Результаты проверки записаны в файл %1").arg(QDir::toNativeSeparators(path)));
}

void TLogCheck::lvCheckDoubleClick(const QModelIndex &index)
{
    if (const auto f = m_model->findingAt(index.row()))
        emit recordChosen(f->record.id);
}

void TLogCheck::closeEvent(QCloseEvent *event)
{
    // Closing only hides the window; a check still running is not wanted any more, and neither
    // are the findings shown.
    m_runner->cancel();
    releaseFindings();
    event->accept();
}

QTreeView *TLogCheck::makeList()
{
    auto *list = new QTreeView(this);
    list->setObjectName(QStringLiteral("lvCheck"));
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setAlternatingRowColors(true);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setModel(m_model);
    const int widths[] = {80, 80, 45, 95, 50, 95, 50};
    for (int c = 0; c < FindingsModel::Text; ++c)
        list->setColumnWidth(c, widths[c]);
    list->header()->setStretchLastSection(true);
    connect(list, &QTreeView::doubleClicked, this, [this](const QModelIndex &i) { lvCheckDoubleClick(i); });
    return list;
}

void TLogCheck::releaseFindings()
{
    m_model->setFindings({});
    // The view keeps room for as many rows as it once laid out; a new one starts small. The
    // column widths the listener set are kept.
    if (lvCheck->model()) {
        QTreeView *old = lvCheck;
        QTreeView *fresh = makeList();
        for (int c = 0; c < FindingsModel::ColumnCount; ++c)
            fresh->setColumnWidth(c, old->columnWidth(c));
        layout()->replaceWidget(old, fresh);
        lvCheck = fresh;
        delete old;
    }
    m_runner->release();
    m_checkedAt = QDateTime();
    pbCheck->setValue(0);
    lbSummary->setText(tr("Проверка ещё не запускалась"));
    setRunning(m_runner->running());
    // glibc keeps freed memory for the process unless asked to hand it back.
    malloc_trim(0);
}

QString TLogCheck::summaryText(const logcheck::Findings &findings)
{
    if (findings.isEmpty())
        return tr("Ошибок не найдено");
    static const char *const Names[] = {QT_TRANSLATE_NOOP("vireo::TLogCheck", "номера"),
                                        QT_TRANSLATE_NOOP("vireo::TLogCheck", "пары"),
                                        QT_TRANSLATE_NOOP("vireo::TLogCheck", "позывные"),
                                        QT_TRANSLATE_NOOP("vireo::TLogCheck", "неполные"),
                                        QT_TRANSLATE_NOOP("vireo::TLogCheck", "повторы"),
                                        QT_TRANSLATE_NOOP("vireo::TLogCheck", "не засчитаны по правилам")};
    constexpr int Kinds = int(std::size(Names));
    static_assert(Kinds == int(logcheck::Kind::RuleRefused) + 1, "a name for every kind of finding");
    int count[Kinds] = {};
    for (int i = 0; i < findings.size(); ++i)
        ++count[int(findings.kindAt(i))];
    QStringList parts;
    for (int k = 0; k < Kinds; ++k)
        if (count[k])
            parts << QStringLiteral("%1: %2").arg(tr(Names[k])).arg(count[k]);
    return tr("Найдено: %1 (%2)").arg(findings.size()).arg(parts.join(QStringLiteral(", ")));
}

} // namespace vireo
