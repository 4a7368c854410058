#include "reports/ui/tfmcabrillo.h"

#include "base/desktop_apps.h"
#include "base/error.h"
#include "base/ini_file.h"
#include "base/ui/guarded.h"
#include "reports/cabrillo_lines.h"
#include "reports/cabrillo_report.h"
#include "reports/report_file.h"

#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>

namespace vireo {

namespace {

const QString kMySetting = QStringLiteral("MySetting");
const QString kContest = QStringLiteral("Contest"); // the contest rules' section
const QString kCabrillo = QStringLiteral("Cabrillo");

// Layout of the three columns: caption width, field position and width, row pitch.
constexpr int kTop = 10;
constexpr int kRow = 28;
constexpr int kFieldHeight = 24;

QColor cream()
{
    return QColor(255, 251, 240);
}

void setCream(QWidget *w)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Base, cream());
    w->setPalette(p);
}

QLabel *caption(QWidget *parent, const char *name, const QString &text, int x, int y, int width)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setGeometry(x, y, width, kFieldHeight);
    return l;
}

// The lines of a multi-line box; a missing line reads as empty.
QString boxLine(const QPlainTextEdit *box, int index)
{
    const QStringList lines = box->toPlainText().split(QLatin1Char('\n'));
    return index < lines.size() ? lines.at(index) : QString();
}

void setBoxLines(QPlainTextEdit *box, const QStringList &lines)
{
    box->clear();
    box->setPlainText(lines.join(QLatin1Char('\n')));
}

} // namespace

TfmCabrillo::TfmCabrillo(const AppContext &context, QsoStore &qsos, QWidget *mainWindow)
    : QDialog(nullptr), m_ctx(context), m_qsos(qsos), m_main(mainWindow)
{
    setObjectName(QStringLiteral("fmCabrillo"));
    setWindowTitle(tr("Выгрузка в файл Cabrillo"));
    buildControls();
    m_ctx.traceEvent(QStringLiteral("create fmCabrillo"));
    FormCreate();
}

TfmCabrillo::~TfmCabrillo()
{
    FormDestroy();
    m_ctx.traceEvent(QStringLiteral("destroy fmCabrillo"));
}

void TfmCabrillo::buildControls()
{
    setFixedSize(960, 648);

    // Left column: single-line header fields.
    const int lx = 8, lw = 112, fx = 124, fw = 176;
    auto line = [&](QLineEdit *&edit, const char *name, const char *labelName, const QString &text, int row) {
        caption(this, labelName, text, lx, kTop + row * kRow, lw);
        edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setGeometry(fx, kTop + row * kRow, fw, kFieldHeight);
    };
    line(edCbrContest, "edCbrContest", "lbCbrContest", QStringLiteral("CONTEST"), 0);
    line(edCbrName, "edCbrName", "lbCbrName", QStringLiteral("NAME"), 1);
    line(edCbrMyCall, "edCbrMyCall", "lbCbrMyCall", QStringLiteral("CALL"), 2);
    line(edCbrClub, "edCbrClub", "lbCbrClub", QStringLiteral("CLUB"), 3);
    line(edCbrEmail, "edCbrEmail", "lbCbrEmail", QStringLiteral("EMAIL"), 4);
    line(edCbrLoc, "edCbrLoc", "lbCbrLoc", QStringLiteral("LOCATION"), 5);
    line(edCbrScore, "edCbrScore", "lbCbrScore", QStringLiteral("CLAIMED-SCORE"), 6);
    line(edCbrSoaBox, "edCbrSoaBox", "lbCbrSoaBox", QStringLiteral("SOABOX:"), 7);
    QFont bold = edCbrMyCall->font();
    bold.setBold(true);
    edCbrMyCall->setFont(bold);

    // Middle column: editable lists; any typed text is accepted, the items are only offers.
    const int mx = 306, mw = 146, cx = 456, cw = 150;
    auto list = [&](QComboBox *&combo, const char *name, const char *labelName, const QString &text, int row,
                    const QStringList &items) {
        caption(this, labelName, text, mx, kTop + row * kRow, mw);
        combo = new QComboBox(this);
        combo->setObjectName(QString::fromLatin1(name));
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->addItems(items);
        combo->setGeometry(cx, kTop + row * kRow, cw, kFieldHeight);
    };
    const QString blank = QStringLiteral(" ");
    list(cbCbrCategoryAs, "cbCbrCategoryAs", "lbCbrCategoryAs", QStringLiteral("CATEGORY-ASSISTED"), 0,
         {blank, QStringLiteral("ASSISTED"), QStringLiteral("NON-ASSISTED ")});
    list(cbCbrCategoryBand, "cbCbrCategoryBand", "lbCbrCategoryBand", QStringLiteral("CATEGORY-BAND"), 1,
         {QStringLiteral("ALL"), QStringLiteral("160M"), QStringLiteral("80M"), QStringLiteral("40M"),
          QStringLiteral("20M"), QStringLiteral("15M"), QStringLiteral("10M"), QStringLiteral("6M"),
          QStringLiteral("2M"), QStringLiteral("222"), QStringLiteral("432"), QStringLiteral("902"),
          QStringLiteral("1.2G ")});
    list(cbCbrCategoryMode, "cbCbrCategoryMode", "lbCbrCategoryMode", QStringLiteral("CATEGORY-MODE"), 2,
         {QString(), QStringLiteral("SSB"), QStringLiteral("CW"), QStringLiteral("DIGI"), QStringLiteral("MIXED")});
    list(cbCbrCategoryPw, "cbCbrCategoryPw", "lbCbrCategoryPw", QStringLiteral("CATEGORY-POWER"), 3,
         {QString(), QStringLiteral("HIGH"), QStringLiteral("LOW"), QStringLiteral("QRP ")});
    list(cbCbrCategorySt, "cbCbrCategorySt", "lbCbrCategorySt", QStringLiteral("CATEGORY-STATION"), 4,
         {QString(), QStringLiteral("FIXED"), QStringLiteral("MOBILE"), QStringLiteral("PORTABLE"),
          QStringLiteral("ROVER"), QStringLiteral("EXPEDITION"), QStringLiteral("HQ"), QStringLiteral("SCHOOL ")});
    list(cbCbrCategoryTime, "cbCbrCategoryTime", "lbCbrCategoryTime", QStringLiteral("CATEGORY-TIME"), 5,
         {blank, QStringLiteral("6-HOURS"), QStringLiteral("12-HOURS"), QStringLiteral("24-HOURS ")});
    list(cbCbrCategoryTx, "cbCbrCategoryTx", "lbCbrCategoryTx", QStringLiteral("CATEGORY-TRANSMIT"), 6,
         {QStringLiteral("SWL "), QStringLiteral("ONE"), QStringLiteral("TWO"), QStringLiteral("LIMITED"),
          QStringLiteral("UNLIMITED"), QString()});
    list(cbCbrCategoryOv, "cbCbrCategoryOv", "lbCbrCategoryOv", QStringLiteral("CATEGORY-OVERLAY"), 7,
         {blank, QStringLiteral("YL"), QStringLiteral("JR"), QStringLiteral("JR-13"), QStringLiteral("JR-15"),
          QStringLiteral("JR-18"), QStringLiteral("JR-19"), QStringLiteral("VETERAN"), QStringLiteral("SPECIAL"),
          QStringLiteral("OVER-50"), QStringLiteral("OVER-100"), QStringLiteral("POLAR ")});
    list(cbCbrOperator, "cbCbrOperator", "lbCbrOperator", QStringLiteral("CATEGORY-OPERATOR"), 8,
         {QStringLiteral("SINGLE-OP"), QStringLiteral("MULTI-OP"), QStringLiteral("MULTI-OP-2"),
          QStringLiteral("CHECKLOG")});

    // Right column: operators, off-times and address.
    const int rx = 614, rw = 84, ex = 702, ew = 250;
    caption(this, "lbCbrOperators", QStringLiteral("OPERATORS:"), rx, kTop, rw);
    edCbrOperator = new QLineEdit(this);
    edCbrOperator->setObjectName(QStringLiteral("edCbrOperator"));
    edCbrOperator->setGeometry(ex, kTop, ew, kFieldHeight);
    auto box = [&](QPlainTextEdit *&edit, const char *name, const char *labelName, const QString &text, int y,
                   int height) {
        QLabel *l = caption(this, labelName, text, rx, y, rw);
        l->setAlignment(Qt::AlignRight | Qt::AlignTop);
        edit = new QPlainTextEdit(this);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setLineWrapMode(QPlainTextEdit::NoWrap);
        edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        edit->setTabChangesFocus(true);
        edit->setGeometry(ex, y, ew, height);
    };
    box(edCbrOffTime, "edCbrOffTime", "lbCbrOffTime", QStringLiteral("OFFTIME"), kTop + kRow, 128);
    box(edCbrAddres, "edCbrAddres", "lbCbrAddres", QStringLiteral("ADDRESS:"), kTop + kRow + 136, 84);

    // Every header field has a cream background and stays out of the Tab order.
    const QList<QWidget *> headerFields = {edCbrContest,    edCbrName,         edCbrMyCall,       edCbrClub,
                                           edCbrEmail,      edCbrLoc,          edCbrScore,        edCbrSoaBox,
                                           cbCbrCategoryAs, cbCbrCategoryBand, cbCbrCategoryMode, cbCbrCategoryPw,
                                           cbCbrCategorySt, cbCbrCategoryTime, cbCbrCategoryTx,   cbCbrCategoryOv,
                                           cbCbrOperator,   edCbrOperator,     edCbrOffTime,      edCbrAddres};
    for (QWidget *w : headerFields) {
        setCream(w);
        w->setFocusPolicy(Qt::ClickFocus);
    }

    // Bottom: the exchange format number, the format table and the buttons.
    const int by = kTop + 9 * kRow + 6;
    lbFormatNr = new QLabel(tr("Формат контрольного номера:"), this);
    lbFormatNr->setObjectName(QStringLiteral("lbFormatNr"));
    lbFormatNr->setGeometry(8, by, 220, kFieldHeight);
    edFormatNr = new QLineEdit(QStringLiteral("1"), this);
    edFormatNr->setObjectName(QStringLiteral("edFormatNr"));
    edFormatNr->setGeometry(232, by, 48, kFieldHeight);

    reFormat = new QTextEdit(this);
    reFormat->setObjectName(QStringLiteral("reFormat"));
    reFormat->setReadOnly(true);
    reFormat->setAcceptRichText(false);
    reFormat->setLineWrapMode(QTextEdit::NoWrap);
    reFormat->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont mono(QStringLiteral("Courier New"));
    mono.setStyleHint(QFont::TypeWriter);
    mono.setFixedPitch(true);
    mono.setPointSize(9);
    reFormat->setFont(mono);
    reFormat->document()->setDefaultFont(mono);
    reFormat->setPlainText(cabrillo::FormatTableText());
    reFormat->viewport()->setCursor(Qt::PointingHandCursor);
    // Every mouse button chooses a format; no context menu comes in the way.
    reFormat->setContextMenuPolicy(Qt::NoContextMenu);
    reFormat->viewport()->installEventFilter(this);
    reFormat->setGeometry(8, by + kRow + 4, 944, 310);

    const int bty = by + kRow + 4 + 310 + 8;
    btSave = new QPushButton(tr("ВЫГРУЗИТЬ"), this);
    btSave->setObjectName(QStringLiteral("btSave"));
    btSave->setGeometry(712, bty, 116, 30);
    btCancel = new QPushButton(tr("ОТМЕНА"), this);
    btCancel->setObjectName(QStringLiteral("btCancel"));
    btCancel->setGeometry(836, bty, 116, 30);
    // Enter in a field must not start an export by itself.
    btSave->setAutoDefault(false);
    btCancel->setAutoDefault(false);
    connect(btSave, &QPushButton::clicked, this, &TfmCabrillo::btSaveClick);
    connect(btCancel, &QPushButton::clicked, this, &TfmCabrillo::btCancelClick);
}

void TfmCabrillo::FormCreate()
{
    const IniFile ini(m_ctx.settingsPath);
    auto read = [&](const QString &section, const char *key, const QString &def = QString()) {
        return ini.readString(section, QString::fromLatin1(key), def);
    };
    // An editable list shows the read text as it is, whether or not it is one of the items.
    auto setList = [](QComboBox *combo, const QString &text) {
        const int item = combo->findText(text, Qt::MatchExactly);
        combo->setCurrentIndex(item);
        if (item < 0)
            combo->setEditText(text);
    };
    const QString blank = QStringLiteral(" ");
    edCbrMyCall->setText(read(kMySetting, "Call"));
    edCbrContest->setText(read(kMySetting, "Contest"));
    edCbrName->setText(read(kCabrillo, "MyName"));
    edCbrClub->setText(read(kCabrillo, "Club"));
    edCbrEmail->setText(read(kCabrillo, "Email"));
    edCbrLoc->setText(read(kCabrillo, "Location"));
    setList(cbCbrCategoryAs, read(kCabrillo, "CategoryAssisted", blank));
    setList(cbCbrCategoryBand, read(kCabrillo, "CategoryBand", blank));
    setList(cbCbrCategoryMode, read(kCabrillo, "CategoryMode", blank));
    setList(cbCbrCategoryPw, read(kCabrillo, "CategoryPower", blank));
    setList(cbCbrCategorySt, read(kCabrillo, "CategoryStation", blank));
    setList(cbCbrCategoryTx, read(kCabrillo, "CategoryTransmit", blank));
    setList(cbCbrCategoryTime, read(kCabrillo, "CategoryTime", blank));
    setList(cbCbrCategoryOv, read(kCabrillo, "CategoryOverlay", blank));
    edCbrScore->setText(read(kCabrillo, "ClaimedScore"));
    m_scoreByRules = read(kContest, "ClaimedScore");
    m_contestGiven = edCbrContest->text();
    edCbrSoaBox->setText(read(kCabrillo, "SoaBox"));
    setList(cbCbrOperator, read(kCabrillo, "CategoryOperator"));
    edCbrOperator->setText(read(kCabrillo, "Operators"));
    QStringList address;
    for (int i = 1; i <= cabrillo::AddressLines; ++i)
        address << ini.readString(kCabrillo, QStringLiteral("Address%1").arg(i), QString());
    setBoxLines(edCbrAddres, address);
    QStringList offTimes;
    for (int i = 1; i <= cabrillo::OffTimeLines; ++i)
        offTimes << ini.readString(kCabrillo, QStringLiteral("OffTime%1").arg(i), QString());
    setBoxLines(edCbrOffTime, offTimes);
}

void TfmCabrillo::FormDestroy()
{
    try {
        IniFile ini(m_ctx.settingsPath);
        auto write = [&](const QString &section, const char *key, const QString &value) {
            ini.writeString(section, QString::fromLatin1(key), value);
        };
        write(kMySetting, "Contest", edCbrContest->text());
        write(kMySetting, "Call", edCbrMyCall->text());
        write(kCabrillo, "MyName", edCbrName->text());
        write(kCabrillo, "Club", edCbrClub->text());
        write(kCabrillo, "Email", edCbrEmail->text());
        write(kCabrillo, "Location", edCbrLoc->text());
        write(kCabrillo, "CategoryAssisted", cbCbrCategoryAs->currentText());
        write(kCabrillo, "CategoryBand", cbCbrCategoryBand->currentText());
        write(kCabrillo, "CategoryMode", cbCbrCategoryMode->currentText());
        write(kCabrillo, "CategoryPower", cbCbrCategoryPw->currentText());
        write(kCabrillo, "CategoryStation", cbCbrCategorySt->currentText());
        write(kCabrillo, "CategoryTransmit", cbCbrCategoryTx->currentText());
        write(kCabrillo, "CategoryTime", cbCbrCategoryTime->currentText());
        write(kCabrillo, "CategoryOverlay", cbCbrCategoryOv->currentText());
        write(kCabrillo, "ClaimedScore", edCbrScore->text());
        write(kCabrillo, "SoaBox", edCbrSoaBox->text());
        for (int i = 1; i <= cabrillo::AddressLines; ++i)
            ini.writeString(kCabrillo, QStringLiteral("Address%1").arg(i), boxLine(edCbrAddres, i - 1));
        write(kCabrillo, "CategoryOperator", cbCbrOperator->currentText());
        write(kCabrillo, "Operators", edCbrOperator->text());
        for (int i = 1; i <= cabrillo::OffTimeLines; ++i)
            ini.writeString(kCabrillo, QStringLiteral("OffTime%1").arg(i), boxLine(edCbrOffTime, i - 1));
        // The claimed score the rules last put in the field, so that at the next start a score
        // still standing there follows the rules and one typed over it stays the listener's.
        // Kept beside the chosen rules; a listener who never chose any gets no such section.
        if (!m_scoreByRules.isEmpty() || ini.hasSection(kContest))
            write(kContest, "ClaimedScore", m_scoreByRules);
    } catch (const std::exception &e) {
        showError(*m_ctx.services.prompts, asError(e));
    }
}

void TfmCabrillo::setContest(const QString &name)
{
    edCbrContest->setText(name);
    m_contestGiven = name;
}

void TfmCabrillo::followRulesContest(const QString &contest)
{
    const QString now = edCbrContest->text();
    if (now.trimmed().isEmpty() || now == m_contestGiven)
        edCbrContest->setText(contest);
    m_contestGiven = edCbrContest->text() == contest ? contest : m_contestGiven;
}

void TfmCabrillo::setClaimedScoreSource(std::function<std::optional<qint64>()> source)
{
    m_claimedScore = std::move(source);
}

void TfmCabrillo::refreshClaimedScore()
{
    const std::optional<qint64> score = m_claimedScore ? m_claimedScore() : std::nullopt;
    const QString now = edCbrScore->text();
    const bool byRules = now.trimmed().isEmpty() || (!m_scoreByRules.isEmpty() && now == m_scoreByRules);
    if (!byRules)
        return; // the listener's own
    m_scoreByRules = score ? QString::number(*score) : QString();
    edCbrScore->setText(m_scoreByRules);
}

void TfmCabrillo::showEvent(QShowEvent *event)
{
    refreshClaimedScore();
    if (m_main)
        move(m_main->geometry().center() - rect().center());
    QDialog::showEvent(event);
}

bool TfmCabrillo::eventFilter(QObject *watched, QEvent *event)
{
    if (reFormat && watched == reFormat->viewport()
        && (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick)) {
        // The click puts the caret on the clicked row, then the row chooses the format.
        const auto *mouse = static_cast<QMouseEvent *>(event);
        reFormat->setTextCursor(reFormat->cursorForPosition(mouse->position().toPoint()));
        reFormatMouseDown();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TfmCabrillo::btSaveClick()
{
    runGuarded(*m_ctx.services.prompts, [this] { ExportCabrillo(); });
}

void TfmCabrillo::btCancelClick()
{
    reject();
}

void TfmCabrillo::reFormatMouseDown()
{
    for (int line = 1; line <= 90; ++line)
        PaintLine(line, Qt::black);
    SelectFormat(reFormat->textCursor().blockNumber());
}

void TfmCabrillo::PaintLine(int line, const QColor &colour)
{
    QTextDocument *doc = reFormat->document();
    if (line < 1 || line - 1 >= doc->blockCount())
        return;
    QTextCursor cursor(doc->findBlockByNumber(line - 1));
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    QTextCharFormat format;
    format.setForeground(colour);
    cursor.mergeCharFormat(format);
}

void TfmCabrillo::SelectFormat(int row)
{
    const cabrillo::FormatBlock block = cabrillo::FormatBlockAt(row);
    if (!block.isValid()) {
        edFormatNr->setText(QStringLiteral("1"));
        return;
    }
    const QColor red(255, 0, 0);
    const QColor blue(0, 0, 255);
    for (int r = block.first; r <= block.last; ++r)
        PaintLine(r + 1, block.isRedRow(r) ? red : blue);
    // The caret goes back to the start of the table; the view stays where the user clicked.
    QScrollBar *vertical = reFormat->verticalScrollBar();
    QScrollBar *horizontal = reFormat->horizontalScrollBar();
    const int v = vertical->value();
    const int h = horizontal->value();
    QTextCursor caret(reFormat->document());
    caret.setPosition(1);
    reFormat->setTextCursor(caret);
    vertical->setValue(v);
    horizontal->setValue(h);
    edFormatNr->setText(QString::number(block.format));
}

cabrillo::Header TfmCabrillo::header() const
{
    cabrillo::Header h;
    h.contest = edCbrContest->text();
    h.callsign = edCbrMyCall->text();
    h.categoryOperator = cbCbrOperator->currentText();
    h.categoryBand = cbCbrCategoryBand->currentText();
    h.categoryMode = cbCbrCategoryMode->currentText();
    h.categoryPower = cbCbrCategoryPw->currentText();
    h.categoryAssisted = cbCbrCategoryAs->currentText();
    h.categoryStation = cbCbrCategorySt->currentText();
    h.categoryTime = cbCbrCategoryTime->currentText();
    h.categoryTransmitter = cbCbrCategoryTx->currentText();
    h.categoryOverlay = cbCbrCategoryOv->currentText();
    for (int i = 0; i < cabrillo::OffTimeLines; ++i)
        h.offTimes << boxLine(edCbrOffTime, i);
    h.claimedScore = edCbrScore->text();
    h.location = edCbrLoc->text();
    h.club = edCbrClub->text();
    h.email = edCbrEmail->text();
    h.name = edCbrName->text();
    for (int i = 0; i < cabrillo::AddressLines; ++i)
        h.address << boxLine(edCbrAddres, i);
    h.operators = edCbrOperator->text();
    h.soapbox = edCbrSoaBox->text();
    return h;
}

void TfmCabrillo::ExportCabrillo()
{
    Prompts &prompts = *m_ctx.services.prompts;
    refreshClaimedScore();
    if (edCbrMyCall->text().isEmpty() || edCbrContest->text().isEmpty()) {
        prompts.information(tr("Выгрузка невозможна!\n\r"
                               "Проверьте заполнение полей необходимых\n\r"
                               "для выгрузки шапки Cabrillo/Ermak"));
        return;
    }
    // A format number that is not a whole number would leave the exchange columns undefined:
    // refuse it before anything is written.
    int format = 1;
    if (!cabrillo::ParseFormatNumber(edFormatNr->text(), &format)) {
        prompts.information(tr("Выгрузка невозможна!\n\r"
                               "Формат контрольного номера \"%1\" не является целым числом.\n\r"
                               "Выберите строку в таблице форматов или введите число от 1 до 11.")
                                .arg(edFormatNr->text()));
        return;
    }
    const QString question = tr("Выбран формат контрольного номера = \"%1\"\n\r"
                                "Если нужен другой, наведите курсор\n\r"
                                "на нужную строку в таблице.\n\r\n\r"
                                "Продолжить?")
                                 .arg(edFormatNr->text());
    if (!prompts.askYesNo(question))
        return;
    const QString preset = QDir(m_ctx.programDir).filePath(edCbrMyCall->text().trimmed() + QStringLiteral(".cbr"));
    const QString chosen = prompts.saveFileName(QString(), preset, QString());
    if (chosen.isEmpty())
        return;
    const QString path = QFileInfo(chosen).absoluteFilePath();

    if (!reportWritten(cabrillo::WriteReport(path, header(), format, m_qsos), prompts))
        return;
    prompts.information(tr("Выгрузка в файл  %1 фомата \"CABRILLO\" произведена!").arg(path));
    // Desktops take *.cbr for a comic-book archive: the report opens in the text editor.
    desktop::openAsText(*m_ctx.services.shell, path);
    emit exported();
    accept();
}

} // namespace vireo
