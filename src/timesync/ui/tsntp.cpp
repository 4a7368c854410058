#include "timesync/ui/tsntp.h"

#include "base/error.h"
#include "base/ini_file.h"
#include "base/ui/guarded.h"
#include "db/server_store.h"
#include "timesync/logging.h"
#include "timesync/sntp_client.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <cerrno>

namespace vireo {

namespace {

const QString Section = QStringLiteral("SNTP");
const QString Key = QStringLiteral("SNTP");

QString textWait()
{
    return QCoreApplication::translate("vireo::TSntp", "Синхронизация времени... подождите!");
}

// The Russian status is "ОК" in Cyrillic letters.
QString textOk()
{
    return QCoreApplication::translate("vireo::TSntp", "ОК");
}

QString textStatusFailed()
{
    return QCoreApplication::translate("vireo::TSntp", "Ошибка соединения с сервером времени");
}

QString textSuccess()
{
    return QCoreApplication::translate("vireo::TSntp", "Синхронизация времени с сервером времени прошла успешно!");
}

QString textFailure()
{
    return QCoreApplication::translate("vireo::TSntp",
                                       "Сервер не отвечает,\n\rошибка при попытке синхронизации времени с сервером!"
                                       "\n\rПроверьте соединение с интернет каналом.");
}

QString textNoAddress()
{
    return QCoreApplication::translate("vireo::TSntp", "Адрес сервера не заполнен!");
}

QString textStatusNoRight()
{
    return QCoreApplication::translate("vireo::TSntp", "Часы не установлены: нет прав");
}

QString noRightText(const QString &host, qint64 offsetMs)
{
    QString how;
    if (offsetMs > 0)
        how = QCoreApplication::translate("vireo::TSntp", "часы компьютера отстают");
    else if (offsetMs < 0)
        how = QCoreApplication::translate("vireo::TSntp", "часы компьютера спешат");
    else
        how = QCoreApplication::translate("vireo::TSntp", "часы компьютера идут точно");
    return QCoreApplication::translate("vireo::TSntp",
                                       "Сервер времени ответил, но у программы нет прав на установку часов компьютера, "
                                       "поэтому часы не изменены.\n"
                                       "Установка часов требует привилегии CAP_SYS_TIME (например, запуска от имени "
                                       "администратора root).\n\n"
                                       "Поправка часов компьютера по серверу %1: %2 (%3).")
        .arg(host, sntp::formatOffset(offsetMs), how);
}

} // namespace

const QString TSntp::DefaultServer = QStringLiteral("pool.ntp.org");

TSntp::TSntp(const AppContext &context, ServerStore &servers, QWidget *mainWindow)
    : QDialog(nullptr), m_ctx(context), m_main(mainWindow), m_servers(servers)
{
    setObjectName(QStringLiteral("Sntp"));
    setWindowTitle(tr("Выбор сервера времени"));
    m_ctx.traceEvent(QStringLiteral("create Sntp"));
    m_client = new SntpClient(*m_ctx.services.utcClock, this);
    connect(m_client, &SntpClient::finished, this, [this](const SntpResult &r) {
        runGuarded(m_ctx.services.prompts.get(), [this, r] { exchangeFinished(r); });
    });
    buildControls();
    FormCreate();
}

TSntp::~TSntp()
{
    m_ctx.traceEvent(QStringLiteral("destroy Sntp"));
}

void TSntp::setPort(quint16 port)
{
    m_client->setPort(port);
}

void TSntp::setTimeoutMs(int ms)
{
    m_client->setTimeoutMs(ms);
}

void TSntp::buildControls()
{
    auto name = [](QWidget *w, const char *n) { w->setObjectName(QLatin1String(n)); };

    GroupBox1 = new QGroupBox(tr("NTP серверы:"), this);
    name(GroupBox1, "GroupBox1");
    ComboBox1 = new QComboBox(GroupBox1);
    name(ComboBox1, "ComboBox1");
    ComboBox1->setEditable(true);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    // DejaVu Sans Mono comes with the program's packages; any fixed-pitch font stands in.
    QFont fixed(QStringLiteral("DejaVu Sans Mono"));
    fixed.setStyleHint(QFont::TypeWriter);
    ComboBox1->setFont(fixed);
    ComboBox1->setEditText(tr("Выберите сервер"));
    ComboBox1->setMinimumWidth(260);
    Label4 = new QLabel(tr("Текущий сервер"), GroupBox1);
    name(Label4, "Label4");
    Label4->setWordWrap(true);
    Edit1 = new QLineEdit(GroupBox1);
    name(Edit1, "Edit1");
    Edit2 = new QLineEdit(GroupBox1);
    name(Edit2, "Edit2");
    Button2 = new QPushButton(tr("Добавить"), GroupBox1);
    name(Button2, "Button2");
    Button2->setEnabled(false);
    Button3 = new QPushButton(tr("Удалить"), GroupBox1);
    name(Button3, "Button3");
    Button3->setEnabled(false);

    auto *addressLabel = new QLabel(tr("Адрес:"), GroupBox1);
    name(addressLabel, "Label1");
    auto *locationLabel = new QLabel(tr("Расположение:"), GroupBox1);
    name(locationLabel, "Label2");

    auto *grid = new QGridLayout(GroupBox1);
    grid->addWidget(ComboBox1, 0, 0, 1, 2);
    grid->addWidget(Button3, 0, 2);
    grid->addWidget(Label4, 1, 0, 1, 3);
    grid->addWidget(addressLabel, 2, 0);
    grid->addWidget(Edit1, 2, 1);
    grid->addWidget(Button2, 2, 2);
    grid->addWidget(locationLabel, 3, 0);
    grid->addWidget(Edit2, 3, 1);
    grid->setColumnStretch(1, 1);

    Button5 = new QPushButton(tr("Синхронизировать"), this);
    name(Button5, "Button5");
    Button1 = new QPushButton(tr("Сохранить"), this);
    name(Button1, "Button1");
    Button1->setEnabled(false);
    Button4 = new QPushButton(tr("Закрыть"), this);
    name(Button4, "Button4");
    for (QPushButton *b : {Button2, Button3, Button5, Button1, Button4})
        b->setAutoDefault(false);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(Button5);
    buttons->addStretch(1);
    buttons->addWidget(Button1);
    buttons->addWidget(Button4);

    auto *outer = new QVBoxLayout(this);
    outer->addWidget(GroupBox1);
    outer->addLayout(buttons);

    connect(ComboBox1, &QComboBox::currentTextChanged, this,
            guarded(m_ctx.services.prompts, [this] { ComboBox1Change(); }));
    connect(ComboBox1, &QComboBox::textActivated, this, guarded(m_ctx.services.prompts, [this] { ComboBox1Change(); }));
    connect(Edit1, &QLineEdit::textChanged, this, guarded(m_ctx.services.prompts, [this] { Edit1Change(); }));
    connect(Button2, &QPushButton::clicked, this, guarded(m_ctx.services.prompts, [this] { Button2Click(); }));
    connect(Button3, &QPushButton::clicked, this, guarded(m_ctx.services.prompts, [this] { Button3Click(); }));
    connect(Button1, &QPushButton::clicked, this, guarded(m_ctx.services.prompts, [this] { Button1Click(); }));
    connect(Button4, &QPushButton::clicked, this, guarded(m_ctx.services.prompts, [this] { Button4Click(); }));
    connect(Button5, &QPushButton::clicked, this, guarded(m_ctx.services.prompts, [this] { Button5Click(); }));
}

void TSntp::FormCreate()
{
    FillServerList();
    const QString server = IniFile(m_ctx.settingsPath).readString(Section, Key, DefaultServer);
    Label4->setText(tr("Текущий сервер: %1").arg(server));
    m_filling = true;
    ComboBox1->setEditText(server);
    m_filling = false;
}

void TSntp::FillServerList()
{
    const QVector<ServerRow> rows = m_servers.all();
    m_filling = true;
    ComboBox1->clear();
    ComboBox1->clearEditText();
    for (const ServerRow &r : rows)
        ComboBox1->addItem(r.address, r.location);
    if (!rows.isEmpty())
        ComboBox1->setCurrentIndex(rows.size() - 1);
    m_filling = false;
}

void TSntp::ComboBox1Change()
{
    if (m_filling)
        return;
    Button1->setEnabled(true);
    Button3->setEnabled(true);
    const QString text = ComboBox1->currentText();
    int i = ComboBox1->currentIndex();
    if (i < 0 || ComboBox1->itemText(i) != text)
        i = ComboBox1->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (i >= 0)
        Label4->setText(ComboBox1->itemData(i).toString());
}

void TSntp::Edit1Change()
{
    Button2->setEnabled(!Edit1->text().isEmpty());
}

void TSntp::Button2Click()
{
    // The address is kept without surrounding blanks: Delete and the exchange both go by the
    // trimmed text, so an address stored with blanks could be neither used nor deleted.
    const QString address = Edit1->text().trimmed();
    if (address.isEmpty()) {
        m_ctx.services.prompts->information(textNoAddress());
        return;
    }
    m_servers.append({address, Edit2->text()});
    Edit1->clear();
    Edit2->clear();
    FillServerList();
}

void TSntp::Button3Click()
{
    m_servers.remove(ComboBox1->currentText().trimmed());
    FillServerList();
}

void TSntp::Button1Click()
{
    IniFile(m_ctx.settingsPath).writeString(Section, Key, ComboBox1->currentText().trimmed());
}

void TSntp::Button4Click()
{
    close();
}

void TSntp::Button5Click()
{
    if (m_busy)
        return;
    emit statusText(textWait());
    m_host = ComboBox1->currentText().trimmed();

    // The window takes no clicks until the exchange has ended, within its bounded wait.
    m_busy = true;
    setEnabled(false);
    m_client->start(m_host);
}

void TSntp::exchangeFinished(const SntpResult &r)
{
    setEnabled(true);
    m_busy = false;
    try {
        applyResult(r);
    } catch (...) {
        emit synchronisationEnded();
        throw;
    }
    emit synchronisationEnded();
}

void TSntp::applyResult(const SntpResult &r)
{
    const QString host = m_host;
    if (!r) {
        qCInfo(lcTimeSync).noquote() << r.errorText();
        emit statusText(textStatusFailed());
        m_ctx.services.prompts->warning(textFailure());
        return;
    }

    const qint64 offset = r->offsetMs();
    const int rc = m_ctx.services.systemClock->setUtc(QDateTime::fromMSecsSinceEpoch(r->correctedReceiptMs(), Qt::UTC));
    if (rc == EPERM) {
        emit statusText(textStatusNoRight());
        m_ctx.services.prompts->warning(noRightText(host, offset));
        return;
    }
    if (rc != 0) {
        qCWarning(lcTimeSync).noquote() << "clock not set:" << qt_error_string(rc);
        emit statusText(textStatusFailed());
        m_ctx.services.prompts->warning(textFailure());
        return;
    }
    m_ctx.services.prompts->information(textSuccess());
    emit statusText(textOk());
    close();
}

void TSntp::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_main && m_main->isVisible()) {
        const QPoint centre = m_main->frameGeometry().center();
        move(centre - QPoint(frameGeometry().width() / 2, frameGeometry().height() / 2));
    }
}

void TSntp::closeEvent(QCloseEvent *event)
{
    if (m_busy) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void TSntp::reject()
{
    if (!m_busy)
        QDialog::reject();
}

} // namespace vireo
