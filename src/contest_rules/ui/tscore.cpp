#include "contest_rules/ui/tscore.h"

#include "base/error.h"
#include "base/ui/cut_text_tip.h"
#include "base/ui/guarded.h"
#include "base/ui/window_placement.h"
#include "contest_rules/rules_tracker.h"
#include "contest_rules/score_texts.h"
#include "contest_rules/ui/score_models.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace vireo::rules {

namespace {

QTableView *makeTable(QWidget *parent, const char *name, QAbstractItemModel *model)
{
    auto *t = new QTableView(parent);
    t->setObjectName(QString::fromLatin1(name));
    t->setModel(model);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    t->verticalHeader()->hide();
    t->verticalHeader()->setDefaultSectionSize(t->fontMetrics().height() + 6);
    t->horizontalHeader()->setStretchLastSection(true);
    // Columns fit their titles; the rows are many, so they are not measured.
    const QFontMetrics fm = t->horizontalHeader()->fontMetrics();
    for (int c = 0; c < model->columnCount(); ++c)
        t->setColumnWidth(c, fm.horizontalAdvance(model->headerData(c, Qt::Horizontal).toString()) + 24);
    return t;
}

// Widens a column to hold a sample of its values.
void fitColumn(QTableView *t, int column, const QString &sample)
{
    t->setColumnWidth(column, std::max(t->columnWidth(column), t->fontMetrics().horizontalAdvance(sample) + 16));
}

} // namespace

TScore::TScore(const AppContext &context, RulesTracker &tracker, QWidget *parent)
    : QWidget(parent, Qt::Window), m_ctx(context), m_tracker(tracker)
{
    setObjectName(QString::fromLatin1(Section));
    setWindowTitle(tr("Счёт"));

    lbScoreRules = new QLabel(this);
    lbScoreRules->setObjectName(QStringLiteral("lbScoreRules"));
    lbScoreRules->setWordWrap(true);
    auto *claimedCaption = new QLabel(tr("Заявленный счёт:"), this);
    claimedCaption->setObjectName(QStringLiteral("lbClaimedCaption"));
    lbClaimed = new QLabel(this);
    lbClaimed->setObjectName(QStringLiteral("lbClaimed"));
    QFont big = lbClaimed->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.4);
    lbClaimed->setFont(big);
    lbClaimed->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lbScoreFormula = new QLabel(this);
    lbScoreFormula->setObjectName(QStringLiteral("lbScoreFormula"));
    // The figures change at every save: room for a large score from the start, so that the
    // window is not laid out anew, and backgrounds of their own, so that only the labels are
    // drawn again and not the window behind them.
    lbClaimed->setMinimumWidth(QFontMetrics(big).horizontalAdvance(QStringLiteral("000000000")));
    lbRefused = new QLabel(this);
    for (QLabel *changing : {lbClaimed, lbScoreFormula, lbRefused})
        changing->setAutoFillBackground(true);

    m_bands = new ScoreBandsModel(this);
    m_refused = new RefusedModel(this);
    m_multipliers = new MultipliersModel(this);
    tbScore = makeTable(this, "tbScore", m_bands);
    tbMultipliers = makeTable(this, "tbMultipliers", m_multipliers);
    tbRefused = makeTable(this, "tbRefused", m_refused);
    tbRefused->setToolTip(tr("Двойной щелчок — показать запись в журнале"));
    const QString date = QStringLiteral("00.00.0000"), time = QStringLiteral("00:00");
    fitColumn(tbScore, ScoreBandsModel::Band, tr("Всего"));
    fitColumn(tbMultipliers, MultipliersModel::Label, tr("зона ITU 28, 20M CW"));
    fitColumn(tbMultipliers, MultipliersModel::Kind, MultipliersModel::kindTitle(QStringLiteral("exchange")));
    fitColumn(tbMultipliers, MultipliersModel::Call, QStringLiteral("UA0XXX/P"));
    fitColumn(tbMultipliers, MultipliersModel::Date, date);
    fitColumn(tbMultipliers, MultipliersModel::Time, time);
    fitColumn(tbRefused, RefusedModel::Date, date);
    fitColumn(tbRefused, RefusedModel::Time, time);
    fitColumn(tbRefused, RefusedModel::Call1, QStringLiteral("UA0XXX/P"));
    fitColumn(tbRefused, RefusedModel::Call2, QStringLiteral("UA0XXX/P"));
    // The whole reason shows as a tool tip when the column cuts it.
    tbRefused->setItemDelegate(new CutTextTipDelegate(tbRefused));

    auto *multipliersCaption = new QLabel(tr("Множители"), this);
    multipliersCaption->setObjectName(QStringLiteral("lbMultipliers"));
    lbRefused->setObjectName(QStringLiteral("lbRefused"));

    auto *head = new QGridLayout;
    head->addWidget(lbScoreRules, 0, 0, 1, 3);
    head->addWidget(claimedCaption, 1, 0);
    head->addWidget(lbClaimed, 1, 1);
    head->setColumnStretch(2, 1);
    head->addWidget(lbScoreFormula, 2, 0, 1, 3);

    auto *lists = new QSplitter(Qt::Vertical, this);
    lists->setObjectName(QStringLiteral("ScoreLists"));
    auto *multipliersBox = new QWidget(lists);
    auto *mb = new QVBoxLayout(multipliersBox);
    mb->setContentsMargins(0, 0, 0, 0);
    mb->addWidget(multipliersCaption);
    mb->addWidget(tbMultipliers);
    auto *refusedBox = new QWidget(lists);
    auto *rb = new QVBoxLayout(refusedBox);
    rb->setContentsMargins(0, 0, 0, 0);
    rb->addWidget(lbRefused);
    rb->addWidget(tbRefused);
    lists->addWidget(multipliersBox);
    lists->addWidget(refusedBox);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(head);
    layout->addWidget(tbScore);
    layout->addWidget(lists, 1);
    tbScore->setMinimumHeight(tbScore->verticalHeader()->defaultSectionSize() * 5);

    connect(tbRefused, &QTableView::doubleClicked, this, [this](const QModelIndex &index) {
        const qint64 id = m_refused->idAt(index.row());
        if (id > 0)
            emit recordChosen(id);
    });
    connect(&m_tracker, &RulesTracker::scoreChanged, this, &TScore::scoreChanged);
    connect(&m_tracker, &RulesTracker::definitionChanged, this, [this] {
        m_stale = true;
        if (isVisible())
            refresh();
    });

    resize(620, 560);
    restorePlacement(*this, m_ctx.settingsPath, QString::fromLatin1(Section));
    refresh();
}

TScore::~TScore()
{
    // Runs from the destructor: a settings file that cannot be written must not end the program.
    runGuarded(m_ctx.services.prompts.get(),
               [this] { savePlacement(*this, m_ctx.settingsPath, QString::fromLatin1(Section)); });
}

void TScore::refresh()
{
    const Scorer *scorer = m_tracker.scorer();
    m_bands->refresh(scorer);
    m_refused->reset(scorer);
    m_multipliers->reset(scorer);
    refreshTexts();
    m_stale = false;
}

void TScore::refreshTexts()
{
    const Scorer *scorer = m_tracker.scorer();
    if (!scorer) {
        lbScoreRules->setText(m_tracker.problem().isEmpty()
                                  ? tr("Правила соревнования не выбраны: выберите их в окне «Настройка туров».")
                                  : tr("Журнал не подсчитан: %1").arg(m_tracker.problem()));
        lbClaimed->setText(QStringLiteral("0"));
        lbScoreFormula->clear();
        lbRefused->setText(tr("Не засчитано"));
        return;
    }
    const Definition &d = scorer->definition();
    QString heading = d.rules.isEmpty() ? d.name : tr("%1, правила %2").arg(d.name, d.rules);
    // A log that could not be read again is scored as it last stood; the listener is told.
    if (!m_tracker.problem().isEmpty())
        heading += QLatin1Char('\n') + tr("Счёт может отставать от журнала: %1").arg(m_tracker.problem());
    lbScoreRules->setText(heading);
    lbClaimed->setText(QString::number(scorer->claimedScore()));
    if (d.multipliers.isEmpty()) {
        lbScoreFormula->setText(tr("Множителей нет: счёт — сумма очков (%1).").arg(text::points(scorer->points())));
    } else if (d.score == Definition::Score::MultipliersProduct) {
        QStringList parts;
        for (int i = 0; i < d.multipliers.size(); ++i)
            parts << QString::number(scorer->listTotal(i));
        lbScoreFormula->setText(
            tr("Произведение множителей: %1 = %2").arg(parts.join(QStringLiteral(" × "))).arg(scorer->claimedScore()));
    } else {
        lbScoreFormula->setText(QStringLiteral("%1 × %2 = %3")
                                    .arg(text::points(scorer->points()), text::multipliers(scorer->multiplierTotal()))
                                    .arg(scorer->claimedScore()));
    }
    lbRefused->setText(tr("Не засчитано: %1").arg(scorer->refusedCount()));
}

void TScore::scoreChanged(bool rescored, int refusedInsertedAt, int multipliersAdded)
{
    if (!isVisible()) {
        m_stale = true;
        return;
    }
    if (rescored || m_stale) {
        refresh();
        return;
    }
    // A record added at the end of the log: only what it brought is added to the lists.
    m_bands->refresh(m_tracker.scorer());
    if (refusedInsertedAt >= 0)
        m_refused->inserted(refusedInsertedAt);
    m_multipliers->appended(multipliersAdded);
    refreshTexts();
}

void TScore::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_stale)
        refresh();
    setProperty(placement::Placed, true);
}

void TScore::closeEvent(QCloseEvent *event)
{
    // Closing only hides the window; it lives until the program ends.
    event->accept();
    emit closed();
}

} // namespace vireo::rules
