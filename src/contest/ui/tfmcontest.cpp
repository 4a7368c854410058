#include "contest/ui/tfmcontest.h"

#include "base/ui/cut_text_tip.h"

#include "base/error.h"
#include "base/ini_file.h"
#include "base/ui/guarded.h"
#include "contest/logging.h"
#include "contest/tour_clock.h"
#include "contest/ui/section_typing.h"

#include <algorithm>

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace vireo {

TfmContest::TfmContest(const AppContext &context, TourStore &tours, QWidget *mainWindow)
    : QDialog(nullptr), m_ctx(context), m_main(mainWindow), m_tours(tours)
{
    setObjectName(QStringLiteral("fmContest"));
    setWindowTitle(tr("Настройка туров соревнования"));
    setModal(true);
    buildUi();
    m_ctx.traceEvent(QStringLiteral("create fmContest"));
    FormCreate();
}

TfmContest::~TfmContest()
{
    FormDestroy();
    m_ctx.traceEvent(QStringLiteral("destroy fmContest"));
}

void TfmContest::buildUi()
{
    edContest = new QLineEdit(this);
    edContest->setObjectName(QStringLiteral("edContest"));

    // The last column says when the tour runs, from its first to its last instant.
    m_model = new QStandardItemModel(0, 6, this);
    m_model->setHorizontalHeaderLabels({QStringLiteral("№"), tr("Дата начала"), tr("Время начала"),
                                        tr("Дата окончания"), tr("Время окончания"), tr("Идёт (UTC)")});
    DBGrid1 = new QTableView(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setModel(m_model);
    DBGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    DBGrid1->verticalHeader()->hide();
    DBGrid1->verticalHeader()->setDefaultSectionSize(DBGrid1->fontMetrics().height() + 6);
    // Column widths: wide enough for the titles in the desktop font.
    int widths[6] = {30, 75, 70, 80, 80, 0};
    const QFontMetrics fm = DBGrid1->horizontalHeader()->fontMetrics();
    // Room for a tour over midnight; the longer text of a daily window over several days is cut
    // with "…" and shown whole as a tool tip, so the window still fits a 1024-pixel screen.
    widths[5] =
        DBGrid1->fontMetrics().horizontalAdvance(QStringLiteral("08.12.2026 12:00:00 – 09.12.2026 11:59:59")) + 16;
    for (int c = 0; c < 6; ++c) {
        const int title = fm.horizontalAdvance(m_model->horizontalHeaderItem(c)->text()) + 16;
        DBGrid1->setColumnWidth(c, std::max(widths[c], title));
    }
    DBGrid1->horizontalHeader()->setStretchLastSection(true);
    DBGrid1->setItemDelegate(new CutTextTipDelegate(DBGrid1));
    DBGrid1->installEventFilter(this);
    int gridWidth = 2 * DBGrid1->frameWidth() + 20;
    for (int c = 0; c < 6; ++c)
        gridWidth += DBGrid1->columnWidth(c);
    DBGrid1->setMinimumSize(gridWidth, 200);

    btClearAllTours = new QPushButton(tr("Очистить таблицу"), this);
    btClearAllTours->setObjectName(QStringLiteral("btClearAllTours"));

    auto makeDate = [this](const QString &name) {
        auto *d = new QDateEdit(QDate(2013, 1, 1), this);
        d->setObjectName(name);
        d->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
        d->setCalendarPopup(true);
        SectionTyping::attach(d);
        return d;
    };
    auto makeTime = [this](const QString &name, const QTime &t) {
        auto *e = new QTimeEdit(t, this);
        e->setObjectName(name);
        e->setDisplayFormat(QStringLiteral("HH:mm:ss"));
        SectionTyping::attach(e);
        return e;
    };
    DateTimePicker1 = makeDate(QStringLiteral("DateTimePicker1"));
    DateTimePicker2 = makeTime(QStringLiteral("DateTimePicker2"), QTime(0, 0, 0));
    DateTimePicker3 = makeDate(QStringLiteral("DateTimePicker3"));
    DateTimePicker4 = makeTime(QStringLiteral("DateTimePicker4"), QTime(1, 59, 59));

    btAddTour = new QPushButton(tr("Добавить Тур"), this);
    btAddTour->setObjectName(QStringLiteral("btAddTour"));
    btCancel = new QPushButton(tr("ВЫХОД"), this);
    btCancel->setObjectName(QStringLiteral("btCancel"));
    for (QPushButton *b : {btClearAllTours, btAddTour, btCancel})
        b->setAutoDefault(false);

    auto *side = new QGridLayout;
    auto *start = new QLabel(tr("Начало:"), this);
    start->setObjectName(QStringLiteral("Label1"));
    auto *end = new QLabel(tr("Окончание:"), this);
    end->setObjectName(QStringLiteral("Label2"));
    side->addWidget(start, 0, 0, 1, 2);
    side->addWidget(DateTimePicker1, 1, 0);
    side->addWidget(DateTimePicker2, 1, 1);
    side->addWidget(end, 2, 0, 1, 2);
    side->addWidget(DateTimePicker3, 3, 0);
    side->addWidget(DateTimePicker4, 3, 1);
    side->addWidget(btAddTour, 4, 0, 1, 2);
    side->setRowStretch(5, 1);
    side->addWidget(btCancel, 6, 0, 1, 2);

    cbRules = new QComboBox(this);
    cbRules->setObjectName(QStringLiteral("cbRules"));
    cbRules->setToolTip(tr("Правила соревнования: по ним считаются очки, множители и ограничения"));
    cbRules->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cbRules->setMinimumContentsLength(30);
    auto *rulesCaption = new QLabel(tr("Правила:"), this);
    rulesCaption->setObjectName(QStringLiteral("lbRules"));
    lbRulesErrors = new QLabel(this);
    lbRulesErrors->setObjectName(QStringLiteral("lbRulesErrors"));
    lbRulesErrors->setWordWrap(true);
    lbRulesErrors->setStyleSheet(QStringLiteral("color: rgb(128, 0, 0)"));
    lbRulesErrors->hide();
    auto *rulesRow = new QHBoxLayout;
    rulesRow->addWidget(rulesCaption);
    rulesRow->addWidget(cbRules, 1);

    auto *left = new QVBoxLayout;
    left->addWidget(edContest);
    left->addLayout(rulesRow);
    left->addWidget(lbRulesErrors);
    left->addWidget(DBGrid1, 1);
    left->addWidget(btClearAllTours);

    auto *root = new QHBoxLayout(this);
    root->addLayout(left, 1);
    root->addLayout(side);

    connect(btAddTour, &QPushButton::clicked, this, guarded(m_ctx.services.prompts, [this] { btAddTourClick(); }));
    connect(btClearAllTours, &QPushButton::clicked, this,
            guarded(m_ctx.services.prompts, [this] { btClearAllToursClick(); }));
    connect(btCancel, &QPushButton::clicked, this, guarded(m_ctx.services.prompts, [this] { btCancelClick(); }));
    connect(cbRules, &QComboBox::activated, this,
            [this](int index) { runGuarded(*m_ctx.services.prompts, [this, index] { cbRulesChange(index); }); });
}

void TfmContest::FormCreate()
{
    try {
        const IniFile ini(m_ctx.settingsPath);
        edContest->setText(ini.readString(QStringLiteral("MySetting"), QStringLiteral("Contest"), QString()));
    } catch (const std::exception &e) {
        // an unreadable settings file reads as missing
        qCWarning(lcContest).noquote() << "contest name not read:" << errorText(e);
    }
    m_chosenFile = rules::readChosen(m_ctx.settingsPath);
    reloadRules();
    readTours();
    selectRow(0);
}

void TfmContest::FormDestroy()
{
    try {
        IniFile ini(m_ctx.settingsPath);
        ini.writeString(QStringLiteral("MySetting"), QStringLiteral("Contest"), edContest->text());
    } catch (const std::exception &e) {
        showError(*m_ctx.services.prompts, asError(e));
    }
}

bool TfmContest::readTours()
{
    QVector<TourRow> rows;
    try {
        rows = m_tours.all();
    } catch (const std::exception &e) {
        qCWarning(lcContest).noquote() << "tours not read:" << errorText(e);
        return false;
    }
    m_rows = rows;
    m_model->removeRows(0, m_model->rowCount());
    for (const TourRow &r : m_rows) {
        QList<QStandardItem *> items;
        auto *number = new QStandardItem(QString::number(r.tour));
        number->setTextAlignment(Qt::AlignCenter);
        items << number << new QStandardItem(r.dateBegin.toString(QStringLiteral("dd.MM.yyyy")))
              << new QStandardItem(r.timeBegin.toString(QStringLiteral("HH:mm:ss")))
              << new QStandardItem(r.dateEnd.toString(QStringLiteral("dd.MM.yyyy")))
              << new QStandardItem(r.timeEnd.toString(QStringLiteral("HH:mm:ss")))
              << new QStandardItem(tourclock::tourSpanText(r));
        m_model->appendRow(items);
    }
    return true;
}

void TfmContest::selectRow(int row)
{
    if (row >= 0 && row < m_model->rowCount())
        DBGrid1->selectRow(row);
}

void TfmContest::btAddTourClick()
{
    TourRow r;
    r.tour = int(m_rows.size()) + 1; // the count of rows plus one, not the highest number plus one
    r.dateBegin = DateTimePicker1->date();
    r.timeBegin = DateTimePicker2->time();
    r.dateEnd = DateTimePicker3->date();
    r.timeEnd = DateTimePicker4->time();
    // A tour that ends before it begins would never run: the QSOs meant for it would go to tour 0.
    if (!tourclock::tourRuns(r)) {
        m_ctx.services.prompts->warning(
            tr("Тур не добавлен: окончание %1 %2 раньше начала %3 %4. Исправьте дату или время.")
                .arg(r.dateEnd.toString(QStringLiteral("dd.MM.yyyy")), r.timeEnd.toString(QStringLiteral("HH:mm:ss")),
                     r.dateBegin.toString(QStringLiteral("dd.MM.yyyy")),
                     r.timeBegin.toString(QStringLiteral("HH:mm:ss"))));
        return;
    }
    m_tours.append(r);
    if (readTours())
        selectRow(m_model->rowCount() - 1);
}

void TfmContest::btClearAllToursClick()
{
    try {
        m_tours.clear();
    } catch (const std::exception &e) {
        qCWarning(lcContest).noquote() << "tours not cleared:" << errorText(e);
        return; // the grid keeps what it showed
    }
    if (readTours())
        selectRow(m_model->rowCount() - 1);
}

void TfmContest::deleteSelectedTour()
{
    const QModelIndex current = DBGrid1->currentIndex();
    const QModelIndexList selected =
        DBGrid1->selectionModel() ? DBGrid1->selectionModel()->selectedRows() : QModelIndexList();
    const int row = selected.isEmpty() ? current.row() : selected.first().row();
    if (row < 0 || row >= m_rows.size())
        return;
    if (!m_ctx.services.prompts->askOkCancel(QStringLiteral("Delete record?")))
        return;
    m_tours.remove(m_rows.at(row).rowid);
    if (readTours())
        selectRow(std::min(row, int(m_rows.size()) - 1));
}

void TfmContest::btCancelClick()
{
    emit contestAccepted(edContest->text());
    emit cabrilloContestAccepted(cabrilloContest());
    accept();
}

void TfmContest::reloadRules()
{
    m_catalogue = rules::Catalogue::readBeside(m_ctx.programDir, m_ctx.sharedData());
    cbRules->clear();
    cbRules->addItem(tr("Без правил"), QString());
    int chosen = 0;
    for (const rules::Definition &d : m_catalogue.definitions()) {
        // "undated": the published rules say no year; shown in the interface's language.
        const QString item = d.rules.isEmpty()                     ? d.name
                             : d.rules == QLatin1String("undated") ? tr("%1, правила без года").arg(d.name)
                                                                   : tr("%1, правила %2").arg(d.name, d.rules);
        cbRules->addItem(item, d.fileName);
        cbRules->setItemData(cbRules->count() - 1, d.fileName, Qt::ToolTipRole);
        if (d.fileName == m_chosenFile)
            chosen = cbRules->count() - 1;
    }
    cbRules->setCurrentIndex(chosen);
    QStringList problems = m_catalogue.errors();
    // A choice whose file is gone (or no longer reads) scores nothing; the setting stays, so that
    // the rules come back once the file is put right.
    if (!m_chosenFile.isEmpty() && chosen == 0)
        problems.prepend(tr("Выбранные правила «%1» не найдены в папке contests: счёт не ведётся.").arg(m_chosenFile));
    lbRulesErrors->setText(problems.join(QLatin1Char('\n')));
    lbRulesErrors->setVisible(!problems.isEmpty());
}

std::optional<rules::Definition> TfmContest::chosenRules() const
{
    return m_chosenFile.isEmpty() ? std::nullopt : m_catalogue.find(m_chosenFile);
}

void TfmContest::cbRulesChange(int index)
{
    if (index < 0 || index >= cbRules->count())
        return;
    const QString file = cbRules->itemData(index).toString();
    if (file == m_chosenFile)
        return;
    const std::optional<rules::Definition> before = chosenRules();
    const std::optional<rules::Definition> after = m_catalogue.find(file);
    try {
        rules::writeChosen(m_ctx.settingsPath, file);
    } catch (const std::exception &) {
        // Not kept, so not chosen: the list shows the rules that still count.
        cbRules->setCurrentIndex(std::max(0, cbRules->findData(m_chosenFile)));
        throw;
    }
    m_chosenFile = file;
    // The contest name follows the rules unless the listener typed one of his own.
    const QString typed = edContest->text().trimmed();
    if (after && (typed.isEmpty() || (before && typed == before->name)))
        edContest->setText(after->name);
    if (lbRulesErrors->isVisible())
        lbRulesErrors->setText(m_catalogue.errors().join(QLatin1Char('\n')));
    lbRulesErrors->setVisible(!m_catalogue.errors().isEmpty());
    emit rulesChosen(file);
}

QString TfmContest::cabrilloContest() const
{
    // A contest name of the listener's own goes into the report as it is, as without rules.
    const std::optional<rules::Definition> d = chosenRules();
    return d && !d->cabrillo.isEmpty() && edContest->text().trimmed() == d->name ? d->cabrillo : edContest->text();
}

bool TfmContest::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == DBGrid1 && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Delete && (key->modifiers() & Qt::ControlModifier)) {
            runGuarded(*m_ctx.services.prompts, [this] { deleteSelectedTour(); });
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TfmContest::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_main)
        move(m_main->geometry().center() - rect().center());
}

} // namespace vireo
