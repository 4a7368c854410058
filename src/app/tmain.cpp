#include "app/tmain.h"

#include "app/backup_scheduler.h"
#include "base/ui/cut_text_tip.h"

#include "about/ui/taboutbox.h"
#include "app/counters.h"
#include "app/freq_box_edit.h"
#include "app/tfmstart.h"
#include "base/error.h"
#include "base/ini_file.h"
#include "base/ui/guarded.h"
#include "contest/ui/tfmcontest.h"
#include "db/database.h"
#include "db/log_table_model.h"
#include "db/qso_store.h"
#include "db/reference_store.h"
#include "db/server_store.h"
#include "db/tour_store.h"
#include "entry/band_plan.h"
#include "reports/ui/tcomentadif.h"
#include "reports/ui/tfmcabrillo.h"
#include "rig/rig_server.h"
#include "stationinfo/reference_files.h"
#include "stationinfo/ui/trptqso.h"
#include "timesync/ui/tsntp.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStatusBar>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace vireo {

namespace {

template <typename W>
W *make(QWidget *parent, const char *name, const QRect &geometry)
{
    auto *w = new W(parent);
    w->setObjectName(QString::fromLatin1(name));
    w->setGeometry(geometry);
    return w;
}

QLabel *label(QWidget *parent, const char *name, const QString &text, const QRect &geometry)
{
    auto *l = make<QLabel>(parent, name, geometry);
    l->setText(text);
    return l;
}

// The condensed face of the interface font, for the small panels.
QFont narrowFont(int pixels)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(pixels);
    f.setStretch(QFont::Condensed);
    return f;
}

QAction *action(QMenu *menu, const char *name, const QString &caption)
{
    QAction *a = menu->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    return a;
}

} // namespace

TMain::TMain(const AppContext &context)
    : QMainWindow(nullptr), m_ctx(context)
{
    setObjectName(QStringLiteral("Main"));
    m_ctx.traceEvent(QStringLiteral("create Main"));
    // The connection opens before the creation handler runs; without it the program does not start.
    startHousekeepingSkipped = !Database::prepareFile(m_ctx.databasePath, referenceFiles());
    m_database = std::make_unique<Database>(m_ctx.databasePath, QStringLiteral("Main"));
    m_qsos = std::make_unique<QsoStore>(m_database->connection());
    m_refs = std::make_unique<ReferenceStore>(m_database->connection());
    m_tours = std::make_unique<TourStore>(m_database->connection());
    m_servers = std::make_unique<ServerStore>(m_database->connection());
    m_logModel = new LogTableModel(*m_qsos, this);
    buildUi();
    connectHandlers();
    FormCreate();
}

TMain::~TMain()
{
    FormDestroy();
    undoJournal.reset(); // it watches the log store, which goes before it in member order
    m_ctx.traceEvent(QStringLiteral("destroy Main"));
}

void TMain::attachWindows(const Windows &w)
{
    windows = w;
    attachRepeatsWindow();
}

void TMain::guard(const std::function<void()> &handler)
{
    runGuarded(*m_ctx.services.prompts, handler, [this](const Error &e) {
        // A fault of the log stays in the status bar after the box is closed, until the log's
        // next write goes through (tmain_undo.cpp).
        if (e.kind() == ErrorKind::Database) {
            setStatusText(5, e.text());
            StatusPanels[4]->setProperty("databaseFault", true);
        }
    });
}

QString TMain::modeCode() const
{
    return bandplan::modeCode(cbMode->currentText());
}

QColor TMain::windowColour()
{
    return QApplication::palette().color(QPalette::Base);
}

void TMain::setBackground(QWidget *w, const QColor &c)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Base, c);
    p.setColor(QPalette::Window, c);
    p.setColor(QPalette::Button, c);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

QColor TMain::background(const QWidget *w)
{
    return w->palette().color(QPalette::Base);
}

// ---------------------------------------------------------------------------------------------
// Building the window

void TMain::buildUi()
{
    setWindowTitle(QStringLiteral("Vireo"));
    resize(604, 420);
    setMinimumWidth(604);
    setMaximumWidth(604);
    setMinimumHeight(420);

    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("Central"));
    auto *box = new QVBoxLayout(central);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(0);

    DBGrid1 = new QTableView(central);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setModel(m_logModel);
    DBGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    DBGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBGrid1->setFocusPolicy(Qt::ClickFocus);
    DBGrid1->setAlternatingRowColors(false);
    DBGrid1->verticalHeader()->setVisible(false);
    DBGrid1->verticalHeader()->setDefaultSectionSize(18);
    DBGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    DBGrid1->horizontalHeader()->setHighlightSections(false);
    DBGrid1->setContextMenuPolicy(Qt::CustomContextMenu);
    QFont mono(QStringLiteral("DejaVu Sans Mono"));
    mono.setStyleHint(QFont::Monospace);
    mono.setPixelSize(12);
    DBGrid1->setFont(mono);
    QPalette gp = DBGrid1->palette();
    gp.setColor(QPalette::Base, QColor(255, 251, 240)); // cream
    // whole-row selection stays visible when the grid has no focus
    gp.setColor(QPalette::Inactive, QPalette::Highlight, gp.color(QPalette::Active, QPalette::Highlight));
    gp.setColor(QPalette::Inactive, QPalette::HighlightedText, gp.color(QPalette::Active, QPalette::HighlightedText));
    DBGrid1->setPalette(gp);
    // FREQ holds seven digits (1296000); the report and time columns give it the room.
    const int widths[] = {58, 25, 80, 46, 75, 34, 75, 75, 34, 75};
    for (int i = 0; i < 10; ++i)
        DBGrid1->setColumnWidth(i, widths[i]);
    DBGrid1->horizontalHeader()->setFont(narrowFont(11));
    // A control number holds up to twenty characters, its column shows nine: all of it in a tool tip.
    DBGrid1->setItemDelegate(new CutTextTipDelegate(DBGrid1));
    DBGrid1->installEventFilter(this);
    box->addWidget(DBGrid1, 1);

    Panel1 = new QFrame(central);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedHeight(110);
    box->addWidget(Panel1, 0);
    setCentralWidget(central);

    buildEntryPanel();
    buildMenus();

    auto *bar = new QStatusBar(this);
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(false);
    // The longest texts (mode and clock messages, radio states, six-digit points) fit their panels.
    bar->setFont(narrowFont(11));
    // The date needs less than 65 pixels; the last panel takes the 5 for its longest messages.
    const int panelWidths[] = {60, 70, 70, 190, 0};
    for (int i = 0; i < 5; ++i) {
        auto *l = new QLabel(bar);
        l->setObjectName(QStringLiteral("StatusPanel%1").arg(i + 1));
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Sunken);
        l->setContentsMargins(0, 0, 0, 0);
        l->setIndent(2);
        if (panelWidths[i] > 0) {
            l->setFixedWidth(panelWidths[i]);
            bar->addWidget(l, 0);
        } else {
            bar->addWidget(l, 1);
        }
        if (i < 3)
            l->setAlignment(Qt::AlignCenter);
        StatusPanels[i] = l;
    }
    setStatusBar(bar);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
}

void TMain::buildEntryPanel()
{
    QWidget *p = Panel1;

    Panel2 = make<QFrame>(p, "Panel2", QRect(1, 1, 602, 24));
    setBackground(Panel2, silver());
    Panel2->setFrameShape(QFrame::NoFrame);

    chTour = make<QCheckBox>(Panel2, "chTour", QRect(4, 4, 55, 17));
    chTour->setText(QStringLiteral("TOUR:"));
    chTour->setFocusPolicy(Qt::NoFocus);
    edTour = make<QLineEdit>(Panel2, "edTour", QRect(59, 3, 20, 17));
    edTour->setText(QStringLiteral("0"));
    edTour->setFrame(false);
    edTour->setFocusPolicy(Qt::ClickFocus);
    {
        QPalette pal = edTour->palette();
        pal.setColor(QPalette::Base, silver());
        pal.setColor(QPalette::Text, QColor(0, 128, 0));
        edTour->setPalette(pal);
    }
    ibTourTime = label(Panel2, "ibTourTime", QStringLiteral("00:00:00"), QRect(81, 3, 62, 18));
    ibTourTime->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    ibTourTime->setStyleSheet(QStringLiteral("color: rgb(0,128,0); font-weight: bold;"));
    lbUTCCaption = label(Panel2, "Label1", QStringLiteral("UTC:"), QRect(148, 5, 30, 15));
    lbUTC = label(Panel2, "lbUTC", QStringLiteral("00:00:00"), QRect(180, 3, 62, 18));
    lbUTC->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lbUTC->setStyleSheet(QStringLiteral("color: rgb(0,0,255); font-weight: bold;"));

    cbFreq = make<QComboBox>(Panel2, "cbFreq", QRect(250, 1, 79, 22));
    cbFreq->setEditable(true);
    cbFreq->setLineEdit(new FreqBoxEdit(cbFreq));
    cbFreq->setInsertPolicy(QComboBox::NoInsert); // a typed frequency is not added to the list
    cbFreq->addItems(bandplan::frequencyList());
    cbFreq->setEditText(QStringLiteral("14000"));
    cbFreq->setFocusPolicy(Qt::ClickFocus);
    edFreqEdit = make<QLineEdit>(Panel2, "edFreqEdit", QRect(250, 1, 79, 22));
    setBackground(edFreqEdit, yellow());
    edFreqEdit->hide();

    cbMode = make<QComboBox>(Panel2, "cbMode", QRect(330, 1, 53, 22));
    cbMode->setEditable(true);
    cbMode->addItems(bandplan::modeList());
    cbMode->setEditText(QStringLiteral("CW"));
    cbMode->setFocusPolicy(Qt::ClickFocus);
    cbModeEdit = make<QComboBox>(Panel2, "cbModeEdit", QRect(330, 1, 53, 22));
    cbModeEdit->setEditable(true);
    cbModeEdit->addItems(bandplan::modeList());
    cbModeEdit->setEditText(QStringLiteral("CW"));
    setBackground(cbModeEdit, yellow());
    cbModeEdit->hide();
    // The boxes show mostly the code; their lists are wide enough for the whole entries.
    cbMode->view()->setMinimumWidth(170);
    cbModeEdit->view()->setMinimumWidth(170);

    chRst = make<QCheckBox>(Panel2, "chRst", QRect(390, 4, 42, 17));
    chRst->setText(QStringLiteral("RST"));
    chRst->setChecked(true);
    chRst->setFocusPolicy(Qt::NoFocus);
    chCopy = make<QCheckBox>(Panel2, "chCopy", QRect(438, 4, 57, 17));
    chCopy->setText(QStringLiteral("COPY"));
    chCopy->setFocusPolicy(Qt::NoFocus);
    // The strip's check boxes have only a few pixels beyond their captions.
    for (QCheckBox *c : {chTour, chRst, chCopy})
        c->setFont(narrowFont(12));

    QFont bold = font();
    bold.setBold(true);
    btRdaio1 = make<QToolButton>(Panel2, "btRdaio1", QRect(502, 2, 45, 20));
    btRdaio1->setText(QStringLiteral("R-1"));
    btRdaio1->setToolTip(QStringLiteral("Радио-1"));
    btRdaio2 = make<QToolButton>(Panel2, "btRdaio2", QRect(548, 2, 45, 20));
    btRdaio2->setText(QStringLiteral("R-2"));
    btRdaio2->setToolTip(QStringLiteral("Радио-2"));
    radioGroup = new QButtonGroup(this);
    radioGroup->setObjectName(QStringLiteral("radioGroup"));
    radioGroup->setExclusive(true);
    for (QToolButton *b : {btRdaio1, btRdaio2}) {
        b->setCheckable(true);
        b->setFont(bold);
        b->setCursor(Qt::PointingHandCursor);
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoRaise(false);
        radioGroup->addButton(b);
    }
    btRdaio1->setChecked(true);

    // Auto-capture group
    GroupBox1 = make<QFrame>(p, "GroupBox1", QRect(2, 25, 600, 22));
    GroupBox1->setFrameShape(QFrame::NoFrame);
    Button1 = make<QPushButton>(GroupBox1, "Button1", QRect(3, 3, 20, 17));
    Button1->setText(QStringLiteral("X"));
    Button1->setFont(bold);
    Button1->setToolTip(QStringLiteral("Снять автозахват"));
    QFont courier(QStringLiteral("DejaVu Sans Mono"));
    courier.setStyleHint(QFont::Monospace);
    courier.setPixelSize(12);
    captureGroup = new QButtonGroup(this);
    captureGroup->setObjectName(QStringLiteral("captureGroup"));
    captureGroup->setExclusive(false); // "X" must be able to uncheck them all
    struct Rb { QRadioButton **target; const char *name; const char *caption; int width; };
    // LOC takes an 8-character locator whole; STATE gives it the room.
    const Rb rbs[] = {{&rbCQ, "rbCQ", "CQ:", 59},       {&rbITU, "rbITU", "ITU:", 67},
                      {&rbRU, "rbRU", "RU:", 51},       {&rbLoc, "rbLoc", "LOC:", 113},
                      {&rbState, "rbState", "STATE:", 107}, {&rbDeg, "rbDeg", "DEG:", 105}};
    int x = 26;
    for (const Rb &r : rbs) {
        auto *b = make<QRadioButton>(GroupBox1, r.name, QRect(x, 2, r.width, 19));
        b->setText(QString::fromLatin1(r.caption));
        b->setFont(courier);
        b->setToolTip(QStringLiteral("Автозахват"));
        b->setAutoExclusive(false);
        b->setAutoFillBackground(true);
        captureGroup->addButton(b);
        *r.target = b;
        x += r.width + 1;
    }
    chLR = make<QCheckBox>(GroupBox1, "chLR", QRect(x + 2, 3, 600 - x - 4, 17));
    chLR->setText(QStringLiteral("Справа"));
    chLR->setFont(narrowFont(11)); // "Справа" whole in the room the capture buttons leave
    chLR->setChecked(true);
    chLR->setToolTip(QStringLiteral("Установка курсора в контрольном номере [cлева/справа]"));

    // Station information
    Panel3 = make<QFrame>(p, "Panel3", QRect(4, 47, 143, 60));
    Panel3->setFrameShape(QFrame::StyledPanel);
    // Distances of five digits and the longest country names fit the small panel.
    const QFont info = narrowFont(11);
    const QString red = QStringLiteral("color: rgb(128,0,0);");
    label(Panel3, "Label2", QStringLiteral("DX:"), QRect(3, 2, 20, 13))->setFont(info);
    lbDxccRpt = label(Panel3, "lbDxccRpt", QString(), QRect(23, 2, 40, 13));
    label(Panel3, "Label3", QStringLiteral("PREF:"), QRect(64, 2, 32, 13))->setFont(info);
    lbPrefix = label(Panel3, "lbPrefix", QString(), QRect(96, 2, 45, 13));
    label(Panel3, "Label4", QStringLiteral("CONT:"), QRect(3, 15, 34, 13))->setFont(info);
    lbContinentRpt = label(Panel3, "lbContinentRpt", QString(), QRect(37, 15, 20, 13));
    label(Panel3, "Label5", QStringLiteral("DIST:"), QRect(58, 15, 29, 13))->setFont(info);
    lbDistance = label(Panel3, "lbDistance", QStringLiteral("0 km"), QRect(87, 15, 55, 13));
    lbCountry = label(Panel3, "lbCountry", QString(), QRect(3, 29, 138, 28));
    lbCountry->setWordWrap(true);
    lbCountry->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    for (QLabel *l : {lbDxccRpt, lbPrefix, lbContinentRpt, lbDistance, lbCountry}) {
        l->setFont(info);
        l->setStyleSheet(red);
    }

    // Station fields (placed by WinPosition)
    QFont fieldFont = font();
    fieldFont.setPixelSize(16);
    fieldFont.setBold(true);
    for (auto [target, name] : {std::pair{&edCall1, "edCall1"}, {&edRst1, "edRst1"}, {&edNr1, "edNr1"},
                                {&edCall2, "edCall2"}, {&edRst2, "edRst2"}, {&edNr2, "edNr2"}}) {
        auto *e = make<QLineEdit>(p, name, QRect(148, 50, 150, 28));
        e->setFont(fieldFont);
        e->installEventFilter(this);
        *target = e;
    }
    edData = make<QLineEdit>(p, "edData", QRect(18, 50, 128, 28));
    edData->setInputMask(QStringLiteral("99.99.9999; "));
    edTime = make<QLineEdit>(p, "edTime", QRect(90, 78, 56, 28));
    edTime->setInputMask(QStringLiteral("09:99; "));
    for (QLineEdit *e : {edData, edTime}) {
        e->setFont(fieldFont);
        e->setFocusPolicy(Qt::ClickFocus);
        setBackground(e, yellow());
        e->installEventFilter(this);
    }
    cbBandEdit = make<QComboBox>(p, "cbBandEdit", QRect(18, 78, 71, 27));
    cbBandEdit->setEditable(true);
    cbBandEdit->addItems(bandplan::bandNames());
    cbBandEdit->setEditText(QStringLiteral("160M"));
    setBackground(cbBandEdit, yellow());

    BitBtn1 = make<QToolButton>(p, "BitBtn1", QRect(504, 51, 43, 26));
    BitBtn1->setText(QStringLiteral("F1"));
    BitBtn1->setToolTip(QStringLiteral("F1: Рокировка heard и worked станций"));
    BitBtn2 = make<QToolButton>(p, "BitBtn2", QRect(547, 51, 43, 26));
    BitBtn2->setText(QStringLiteral("F2"));
    BitBtn2->setToolTip(QStringLiteral("F2: Очистить все окна"));
    for (QToolButton *b : {BitBtn1, BitBtn2})
        b->setFocusPolicy(Qt::NoFocus);

    for (auto [target, name] : {std::pair{&btSave, "btSave"}, {&btEditSave, "btEditSave"}, {&btCopySave, "btCopySave"}}) {
        auto *b = make<QPushButton>(p, name, QRect(504, 79, 86, 27));
        b->setText(QStringLiteral("OK"));
        b->setFont(bold);
        b->setAutoDefault(false);
        b->installEventFilter(this);
        *target = b;
    }
    btEditSave->hide();
    btCopySave->hide();

    // Tab order: the six fields, then the OK buttons, the edit-mode boxes, the capture group.
    QWidget *order[] = {edCall1, edRst1, edNr1, edCall2, edRst2, edNr2, btSave, btEditSave, btCopySave,
                        edFreqEdit, cbModeEdit, Button1, rbCQ, rbITU, rbRU, rbLoc, rbState, rbDeg, chLR, cbBandEdit};
    for (size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);
}

void TMain::buildMenus()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));

    mnLog = bar->addMenu(QStringLiteral("Журнал"));
    mnLog->setObjectName(QStringLiteral("mnLog"));
    mnLogAction = mnLog->menuAction();
    actUndo = action(mnLog, "actUndo", QStringLiteral("Отменить"));
    actUndo->setEnabled(false);
    mnLog->addSeparator();
    N7 = action(mnLog, "N7", QStringLiteral("Очистить лог"));
    mnLog->addSeparator();
    mnExport = mnLog->addMenu(QStringLiteral("Экспорт"));
    mnExport->setObjectName(QStringLiteral("mnExport"));
    SCL1 = action(mnExport, "SCL1", QStringLiteral("В файл SCL (файл логгера)"));
    mnExport->addSeparator();
    cbr2 = action(mnExport, "cbr2", QStringLiteral("В файл CABRILLO/ЕРМАК"));
    mnExport->addSeparator();
    ADIF1 = action(mnExport, "ADIF1", QStringLiteral("В файл ADIF"));
    ADIF2 = action(mnExport, "ADIF2", QStringLiteral("Комментарий для файла выгрузки формата ADIF"));
    mnImport = mnLog->addMenu(QStringLiteral("Импорт"));
    mnImport->setObjectName(QStringLiteral("mnImport"));
    SCL2 = action(mnImport, "SCL2", QStringLiteral("из файла SCL (файл логгера)"));
    mnLog->addSeparator();
    actCheck = action(mnLog, "actCheck", QStringLiteral("Проверка журнала…"));
    actRestore = action(mnLog, "actRestore", QStringLiteral("Восстановить из резервной копии…"));
    mnLog->addSeparator();
    N9 = action(mnLog, "N9", QStringLiteral("Выход"));

    mnSettings = bar->addMenu(QStringLiteral("Установки"));
    mnSettings->setObjectName(QStringLiteral("mnSettings"));
    mnSettingsAction = mnSettings->menuAction();
    CAT1 = action(mnSettings, "CAT1", QStringLiteral("Управление CAT"));
    mnSettings->addSeparator();
    N20 = action(mnSettings, "N20", QStringLiteral("Установить режим копии строки с рокировкой данных"));
    N20->setCheckable(true);
    N14 = action(mnSettings, "N14", QStringLiteral("Синхронизировать  время"));
    mnSettings->addSeparator();
    actDataUpdate = action(mnSettings, "actDataUpdate", QStringLiteral("Обновить данные стран и позывных…"));
    actMyPosition = action(mnSettings, "actMyPosition", QStringLiteral("Моё местоположение…"));

    N10 = bar->addAction(QStringLiteral("Настройка туров"));
    N10->setObjectName(QStringLiteral("N10"));

    mnWindows = bar->addMenu(QStringLiteral("Окна"));
    mnWindows->setObjectName(QStringLiteral("mnWindows"));
    mnWindowsAction = mnWindows->menuAction();
    N17 = action(mnWindows, "N17", QStringLiteral("Повторные связи"));
    N17->setCheckable(true);
    actScp = action(mnWindows, "actScp", QStringLiteral("Частичный поиск позывных"));
    actScp->setCheckable(true);
    actStats = action(mnWindows, "actStats", QStringLiteral("Статистика"));
    actStats->setCheckable(true);
    N18 = action(mnWindows, "N18", QStringLiteral("Установить окна ввода"));
    N18->setCheckable(true);

    mnHelp = bar->addMenu(QStringLiteral("Справка"));
    mnHelp->setObjectName(QStringLiteral("mnHelp"));
    mnHelpAction = mnHelp->menuAction();
    N5 = action(mnHelp, "N5", QStringLiteral("Руководство пользователя"));
    N6 = action(mnHelp, "N6", QStringLiteral("О программе"));

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    N12 = action(PopupMenu1, "N12", QStringLiteral("Редактировать запись"));
    N13 = action(PopupMenu1, "N13", QStringLiteral("Удалить запись"));
}

void TMain::setMenuEnabled(int position, bool enabled)
{
    QAction *items[] = {mnLogAction, mnSettingsAction, N10, mnWindowsAction, mnHelpAction};
    if (position >= 1 && position <= 5)
        items[position - 1]->setEnabled(enabled);
}

void TMain::connectHandlers()
{
    auto on = [this](QAction *a, void (TMain::*handler)()) { wire(a, &QAction::triggered, handler); };
    on(N7, &TMain::N7Click);
    on(SCL1, &TMain::SCL1Click);
    on(cbr2, &TMain::cbr2Click);
    on(ADIF1, &TMain::ADIF1Click);
    on(ADIF2, &TMain::ADIF2Click);
    on(SCL2, &TMain::SCL2Click);
    on(N9, &TMain::N9Click);
    on(CAT1, &TMain::CAT1Click);
    on(N20, &TMain::N20Click);
    on(N14, &TMain::N14Click);
    on(N10, &TMain::N10Click);
    on(N17, &TMain::N17Click);
    on(N18, &TMain::N18Click);
    on(N5, &TMain::N5Click);
    on(N6, &TMain::N6Click);
    on(N12, &TMain::N12Click);
    on(N13, &TMain::N13Click);

    connect(DBGrid1, &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
        const QModelIndex index = DBGrid1->indexAt(pos);
        if (index.isValid())
            DBGrid1->selectRow(index.row());
        PopupMenu1->popup(DBGrid1->viewport()->mapToGlobal(pos));
    });
    connect(Timer1, &QTimer::timeout, this, [this] { guard([this] { Timer1Timer(); }); });
    // The tour shown follows an edit of the schedule at once, not at the next tick.
    connect(m_tours.get(), &TourStore::changed, this, [this] { guard([this] { Timer1Timer(); }); });
    connect(chTour, &QCheckBox::clicked, this, [this] { guard([this] { chTourClick(); }); });
    connect(cbFreq, &QComboBox::currentTextChanged, this, [this] { guard([this] { cbFreqChange(); }); });
    connect(static_cast<FreqBoxEdit *>(cbFreq->lineEdit()), &FreqBoxEdit::typed, this,
            [this](const QString &typed) { guard([this, typed] { cbFreqTyped(typed); }); });
    connect(cbMode, &QComboBox::textActivated, this, [this] { guard([this] { cbModeChange(); }); });
    connect(cbMode->lineEdit(), &QLineEdit::textEdited, this, [this] { guard([this] { cbModeChange(); }); });
    connect(edFreqEdit, &QLineEdit::textChanged, this, [this] { guard([this] { edFreqEditChange(); }); });
    connectEntryHandlers();
    connectStationHandlers();
    connectRigHandlers();
    connectUndoHandlers();
    connectScpHandlers();
    connectStatsHandlers();
    connectPositionHandlers();
    connectCheckHandlers();
}

// ---------------------------------------------------------------------------------------------
// Creation, activation, destruction

void TMain::FormCreate()
{
    layoutFlag = 0;
    {
        IniFile ini(m_ctx.settingsPath);
        const int left = ini.readInteger(QStringLiteral("Main"), QStringLiteral("Left"), -1);
        if (left == -1) {
            const QRect screen = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->geometry()
                                                                   : QRect(0, 0, 1024, 768);
            move((screen.width() - width()) / 2, (screen.height() - height()) / 2);
        } else {
            const int top = ini.readInteger(QStringLiteral("Main"), QStringLiteral("Top"), 107);
            move(left, top);
            layoutFlag = ini.readInteger(QStringLiteral("Main"), QStringLiteral("Position"), 0);
        }
        qsl.standard = ini.readInteger(QStringLiteral("Message"), QStringLiteral("QslMesCh"), 0) == 1;
        qsl.ownText = ini.readString(QStringLiteral("Message"), QStringLiteral("QslMessage"), QString());
        numRadio = ini.readString(QStringLiteral("Radio"), QStringLiteral("numRadio"), QStringLiteral("1"));
        if (numRadio == QLatin1String("1"))
            btRdaio1->setChecked(true);
        else
            btRdaio2->setChecked(true);
        const bool swap = ini.readInteger(QStringLiteral("Main"), QStringLiteral("SwlDouble"), 0) == 1;
        N20->setChecked(swap);
        N20->setText(swap ? QStringLiteral("Снять режим копии строки с рокировкой данных")
                          : QStringLiteral("Установить режим копии строки с рокировкой данных"));
        myLatitude = ini.readFloat(QStringLiteral("MyPosition"), QStringLiteral("Latitude"), 0);
        myLongitude = ini.readFloat(QStringLiteral("MyPosition"), QStringLiteral("Longitude"), 0);
        myCall = ini.readString(QStringLiteral("MySetting"), QStringLiteral("Call"), QString());
        contestName = ini.readString(QStringLiteral("MySetting"), QStringLiteral("Contest"), QString());
        // Quietly: the warning belongs to the listener's own click.
        chTour->setChecked(ini.readInteger(QStringLiteral("Main"), QStringLiteral("TourTracking"), 0) == 1);
    }
    setCaptionFromSettings();
    N18->setChecked(layoutFlag == 1);
    WinPosition();
    selectLastRow();
    RefreshCounters();
    edData->hide();
    edTime->hide();
    cbBandEdit->hide();
    Timer1->start();
    CreateRigControl();
}

void TMain::setCaptionFromSettings()
{
    setWindowTitle(myCall + QStringLiteral("  (") + contestName + QLatin1Char(')'));
}

void TMain::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    // The activation handler may open the first-run dialog: not from inside this event, but as
    // soon as it is over, once for any number of activations before then.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !m_activationPending) {
        m_activationPending = true;
        QTimer::singleShot(0, this, [this] {
            m_activationPending = false;
            guard([this] { FormActivate(); });
        });
    }
}

void TMain::FormActivate()
{
    if (m_activating)
        return;
    m_activating = true;
    if ((myCall.isEmpty() || contestName.isEmpty()) && windows.start)
        m_ctx.services.prompts->showModal(*windows.start);
    edCall1->setFocus();
    m_activating = false;
}

void TMain::FormDestroy()
{
    try {
        IniFile ini(m_ctx.settingsPath);
        ini.writeInteger(QStringLiteral("Main"), QStringLiteral("Left"), x());
        ini.writeInteger(QStringLiteral("Main"), QStringLiteral("Top"), y());
        ini.writeInteger(QStringLiteral("Main"), QStringLiteral("Position"), layoutFlag);
        ini.writeInteger(QStringLiteral("Main"), QStringLiteral("SwlDouble"), N20->isChecked() ? 1 : 0);
        ini.writeInteger(QStringLiteral("Main"), QStringLiteral("TourTracking"), chTour->isChecked() ? 1 : 0);
        ini.writeInteger(QStringLiteral("Message"), QStringLiteral("QslMesCh"), qsl.standard ? 1 : 0);
        ini.writeString(QStringLiteral("Message"), QStringLiteral("QslMessage"), qsl.ownText);
        ini.writeFloat(QStringLiteral("MyPosition"), QStringLiteral("Latitude"), myLatitude);
        ini.writeFloat(QStringLiteral("MyPosition"), QStringLiteral("Longitude"), myLongitude);
        ini.writeString(QStringLiteral("Radio"), QStringLiteral("numRadio"),
                        btRdaio1->isChecked() ? QStringLiteral("1") : QStringLiteral("2"));
        ini.writeString(QStringLiteral("MySetting"), QStringLiteral("Contest"), contestName);
        ini.writeString(QStringLiteral("MySetting"), QStringLiteral("Call"), myCall);
        if (backups)
            BackupScheduler::write(m_ctx.settingsPath, backups->settings());
    } catch (const std::exception &e) {
        showError(*m_ctx.services.prompts, asError(e));
    }
    KillRigControl();
}

void TMain::closeEvent(QCloseEvent *event)
{
    event->accept();
    QMainWindow::closeEvent(event);
    if (windows.rptQso)
        windows.rptQso->hide();
    QCoreApplication::postEvent(qApp, new QEvent(QEvent::Quit));
}

void TMain::N9Click()
{
    close();
}

// ---------------------------------------------------------------------------------------------
// Counters, status bar, grid

void TMain::RefreshCounters()
{
    const CounterTexts t = counterTexts(m_qsos->count(), m_qsos->countWithNr2());
    setStatusText(2, t.qso);
    setStatusText(3, t.points);
}

void TMain::setStatusText(int panel, const QString &text)
{
    if (panel >= 1 && panel <= 5)
        StatusPanels[panel - 1]->setText(text);
}

QString TMain::statusText(int panel) const
{
    return panel >= 1 && panel <= 5 ? StatusPanels[panel - 1]->text() : QString();
}

void TMain::selectLastRow()
{
    const int rows = m_logModel->rowCount();
    if (rows > 0) {
        DBGrid1->selectRow(rows - 1);
        DBGrid1->scrollTo(m_logModel->index(rows - 1, 0));
    }
}

void TMain::deleteSelectedFromGrid()
{
    const QModelIndexList rows = DBGrid1->selectionModel() ? DBGrid1->selectionModel()->selectedRows()
                                                           : QModelIndexList();
    const int row = rows.isEmpty() ? DBGrid1->currentIndex().row() : rows.first().row();
    const qint64 id = m_logModel->idAt(row);
    if (id <= 0)
        return;
    m_qsos->remove(id);
    const int count = m_logModel->rowCount();
    if (count > 0)
        DBGrid1->selectRow(std::min(row, count - 1));
    RefreshCounters();
}

bool TMain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == DBGrid1 && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Delete && (key->modifiers() & Qt::ControlModifier)) {
            guard([this] { deleteSelectedFromGrid(); });
            return true;
        }
        return false;
    }
    if ((event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride)
        && entryUndoKey(watched, static_cast<QKeyEvent *>(event)))
        return true;
    if (event->type() == QEvent::KeyPress)
        return entryKeyPress(watched, static_cast<QKeyEvent *>(event));
    if (event->type() == QEvent::FocusIn)
        entryFocusIn(watched, static_cast<QFocusEvent *>(event));
    return QMainWindow::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------------------------
// Windows opened from the menu

void TMain::N10Click()
{
    if (windows.contest)
        m_ctx.services.prompts->showModal(*windows.contest);
}

} // namespace vireo
