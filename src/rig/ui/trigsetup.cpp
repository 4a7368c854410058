#include "rig/ui/trigsetup.h"

#include "base/error.h"
#include "base/ini_file.h"
#include "base/ui/guarded.h"
#include "rig/logging.h"
#include "rig/model_list_loader.h"
#include "rig/rig_check.h"
#include "rig/rig_display.h"
#include "rig/serial_devices.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace vireo {

namespace {

const QString kWindowSection = QStringLiteral("RigSetup");
const int kSpeeds[] = {1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};

// Hamlib's word for how well a model's support is tried out.
QString statusText(const QString &status)
{
    if (status == QLatin1String("Stable"))
        return QCoreApplication::translate("vireo::TRigSetupPage", "стабильная");
    if (status == QLatin1String("Beta"))
        return QCoreApplication::translate("vireo::TRigSetupPage", "бета");
    if (status == QLatin1String("Alpha"))
        return QCoreApplication::translate("vireo::TRigSetupPage", "альфа");
    if (status == QLatin1String("Untested"))
        return QCoreApplication::translate("vireo::TRigSetupPage", "не проверена");
    return status;
}

template <typename W>
W *named(W *w, const QString &name, int rig)
{
    w->setObjectName(name + QString::number(rig));
    return w;
}

} // namespace

TRigSetupPage::TRigSetupPage(int rig, const AppContext &context, const QStringList &devices, QWidget *parent)
    : QWidget(parent), m_rig(rig), m_ctx(context)
{
    setObjectName(QStringLiteral("pgRadio%1").arg(rig));
    auto *layout = new QVBoxLayout(this);

    rbNone = named(new QRadioButton(tr("Нет"), this), QStringLiteral("rbNone"), rig);
    rbOwn = named(new QRadioButton(tr("Радио подключено к этому компьютеру (rigctld запускает Vireo)"), this),
                  QStringLiteral("rbOwn"), rig);
    rbRemote = named(new QRadioButton(tr("rigctld, который работает отдельно (адрес и порт)"), this),
                     QStringLiteral("rbRemote"), rig);
    auto *kinds = new QButtonGroup(this);
    for (QRadioButton *b : {rbNone, rbOwn, rbRemote}) {
        kinds->addButton(b);
        layout->addWidget(b);
    }

    gbOwn = named(new QGroupBox(tr("Радио"), this), QStringLiteral("gbOwn"), rig);
    auto *own = new QVBoxLayout(gbOwn);
    auto *search = new QHBoxLayout;
    search->addWidget(new QLabel(tr("Поиск:"), gbOwn));
    edFilter = named(new QLineEdit(gbOwn), QStringLiteral("edFilter"), rig);
    edFilter->setPlaceholderText(tr("производитель или модель, например Icom 7300"));
    edFilter->setClearButtonEnabled(true);
    search->addWidget(edFilter);
    own->addLayout(search);

    lvModels = named(new QTreeWidget(gbOwn), QStringLiteral("lvModels"), rig);
    lvModels->setRootIsDecorated(false);
    lvModels->setUniformRowHeights(true);
    lvModels->setHeaderLabels({tr("Производитель"), tr("Модель"), tr("Номер"), tr("Состояние")});
    lvModels->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    lvModels->header()->setStretchLastSection(true);
    lvModels->setMinimumHeight(160);
    lvModels->hide();
    own->addWidget(lvModels, 1);
    // Where the list will be, as big as it, while rigctl lists the models.
    lbModelsLoading =
        named(new QLabel(tr("Загрузка списка радиостанций…"), gbOwn), QStringLiteral("lbModelsLoading"), rig);
    lbModelsLoading->setAlignment(Qt::AlignCenter);
    lbModelsLoading->setMinimumHeight(lvModels->minimumHeight());
    lbModelsLoading->setFrameShape(QFrame::StyledPanel);
    own->addWidget(lbModelsLoading, 1);

    auto *port = new QFormLayout;
    cbDevice = named(new QComboBox(gbOwn), QStringLiteral("cbDevice"), rig);
    cbDevice->setEditable(true);
    cbDevice->setInsertPolicy(QComboBox::NoInsert);
    // The long names of /dev/serial/by-id do not widen the window; the list shows them whole.
    cbDevice->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cbDevice->setMinimumContentsLength(30);
    for (const QString &d : devices) {
        const QString target = rig::deviceTarget(d);
        cbDevice->addItem(d);
        if (!target.isEmpty())
            cbDevice->setItemData(cbDevice->count() - 1, target, Qt::ToolTipRole);
    }
    cbDevice->setCurrentIndex(-1);
    cbDevice->lineEdit()->setPlaceholderText(devices.isEmpty() ? tr("последовательные порты не найдены")
                                                               : QStringLiteral("/dev/ttyUSB0"));
    port->addRow(tr("Порт:"), cbDevice);
    cbSpeed = named(new QComboBox(gbOwn), QStringLiteral("cbSpeed"), rig);
    cbSpeed->addItem(tr("как у модели"), 0);
    for (int s : kSpeeds)
        cbSpeed->addItem(QString::number(s), s);
    port->addRow(tr("Скорость:"), cbSpeed);
    own->addLayout(port);
    layout->addWidget(gbOwn, 1);

    gbRemote = named(new QGroupBox(QStringLiteral("rigctld"), this), QStringLiteral("gbRemote"), rig);
    auto *remote = new QHBoxLayout(gbRemote);
    remote->addWidget(new QLabel(tr("Адрес:"), gbRemote));
    edHost = named(new QLineEdit(QStringLiteral("127.0.0.1"), gbRemote), QStringLiteral("edHost"), rig);
    remote->addWidget(edHost, 1);
    remote->addWidget(new QLabel(tr("Порт:"), gbRemote));
    sbPort = named(new QSpinBox(gbRemote), QStringLiteral("sbPort"), rig);
    sbPort->setRange(1, 65535);
    sbPort->setValue(rig == 1 ? RigctldSettings::DefaultPort1 : RigctldSettings::DefaultPort2);
    remote->addWidget(sbPort);
    layout->addWidget(gbRemote);

    auto *check = new QHBoxLayout;
    btCheck = named(new QPushButton(tr("Проверить"), this), QStringLiteral("btCheck"), rig);
    btCheck->setAutoDefault(false);
    check->addWidget(btCheck, 0, Qt::AlignTop);
    lbCheck = named(new QLabel(this), QStringLiteral("lbCheck"), rig);
    lbCheck->setWordWrap(true);
    lbCheck->setTextInteractionFlags(Qt::TextSelectableByMouse); // the dialout command can be copied
    // Room for the longest reason (five lines), so the page does not jump when it comes.
    lbCheck->setMinimumHeight(5 * lbCheck->fontMetrics().lineSpacing() + 4);
    lbCheck->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    check->addWidget(lbCheck, 1);
    layout->addLayout(check);

    connect(kinds, &QButtonGroup::buttonToggled, this, [this] { updateEnabled(); });
    connect(edFilter, &QLineEdit::textChanged, this, &TRigSetupPage::filterModels);
    connect(btCheck, &QPushButton::clicked, this, &TRigSetupPage::btCheckClick);
    rbNone->setChecked(true);
    updateEnabled();
}

TRigSetupPage::~TRigSetupPage() = default;

void TRigSetupPage::setModels(const QList<rig::HamlibModel> &models, const QString &modelListError)
{
    QList<QTreeWidgetItem *> items;
    for (const rig::HamlibModel &m : models) {
        auto *item = new QTreeWidgetItem({m.maker, m.model, QString::number(m.id), statusText(m.status)});
        item->setData(0, Qt::UserRole, m.id);
        item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
        items << item;
    }
    lvModels->addTopLevelItems(items);
    m_modelsShown = true;
    chooseWantedModel();
    // What was typed into the search meanwhile applies to the list now.
    if (!edFilter->text().isEmpty())
        filterModels(edFilter->text());
    lbModelsLoading->hide();
    lvModels->show();
    // A check already under way or done keeps its own text.
    if (!modelListError.isEmpty() && !checking() && lbCheck->text().isEmpty())
        lbCheck->setText(modelListError);
}

void TRigSetupPage::chooseWantedModel()
{
    if (!m_modelsShown || m_wantedModel <= 0 || selectModel(m_wantedModel))
        return;
    // A model this Hamlib does not list any more stays choosable as it was.
    auto *item = new QTreeWidgetItem(
        {QStringLiteral("?"), tr("модель %1").arg(m_wantedModel), QString::number(m_wantedModel), QString()});
    item->setData(0, Qt::UserRole, m_wantedModel);
    lvModels->addTopLevelItem(item);
    selectModel(m_wantedModel);
}

void TRigSetupPage::updateEnabled()
{
    gbOwn->setEnabled(rbOwn->isChecked());
    gbRemote->setEnabled(rbRemote->isChecked());
    btCheck->setEnabled(!rbNone->isChecked() && !checking());
}

void TRigSetupPage::filterModels(const QString &filter)
{
    for (int i = 0; i < lvModels->topLevelItemCount(); ++i) {
        QTreeWidgetItem *item = lvModels->topLevelItem(i);
        rig::HamlibModel m;
        m.id = item->data(0, Qt::UserRole).toInt();
        m.maker = item->text(0);
        m.model = item->text(1);
        item->setHidden(!rig::modelMatches(m, filter));
    }
    if (lvModels->currentItem() && !lvModels->currentItem()->isHidden())
        lvModels->scrollToItem(lvModels->currentItem());
}

int TRigSetupPage::visibleModels() const
{
    int n = 0;
    for (int i = 0; i < lvModels->topLevelItemCount(); ++i)
        n += lvModels->topLevelItem(i)->isHidden() ? 0 : 1;
    return n;
}

bool TRigSetupPage::selectModel(int id)
{
    for (int i = 0; i < lvModels->topLevelItemCount(); ++i) {
        QTreeWidgetItem *item = lvModels->topLevelItem(i);
        if (item->data(0, Qt::UserRole).toInt() == id) {
            item->setHidden(false);
            lvModels->setCurrentItem(item);
            lvModels->scrollToItem(item);
            return true;
        }
    }
    return false;
}

void TRigSetupPage::load(const RadioSetup &s)
{
    switch (s.kind) {
    case RadioKind::None:
        rbNone->setChecked(true);
        break;
    case RadioKind::Own:
        rbOwn->setChecked(true);
        break;
    case RadioKind::Remote:
        rbRemote->setChecked(true);
        break;
    }
    m_wantedModel = s.model;
    chooseWantedModel();
    if (!s.device.isEmpty()) {
        const int at = cbDevice->findText(s.device);
        if (at >= 0)
            cbDevice->setCurrentIndex(at);
        else
            cbDevice->setEditText(s.device);
    }
    const int speed = cbSpeed->findData(s.speed);
    cbSpeed->setCurrentIndex(speed >= 0 ? speed : 0);
    if (s.kind == RadioKind::Remote || !s.host.isEmpty())
        edHost->setText(s.host);
    if (s.port != 0)
        sbPort->setValue(s.port);
    updateEnabled();
}

RadioSetup TRigSetupPage::setup() const
{
    RadioSetup s;
    s.kind = rbOwn->isChecked() ? RadioKind::Own : rbRemote->isChecked() ? RadioKind::Remote : RadioKind::None;
    s.explicitKind = true;
    if (!m_modelsShown)
        s.model = m_wantedModel; // nothing else can have been chosen yet
    else if (const QTreeWidgetItem *item = lvModels->currentItem())
        s.model = item->data(0, Qt::UserRole).toInt();
    s.device = cbDevice->currentText().trimmed();
    s.speed = cbSpeed->currentData().toInt();
    s.host = edHost->text().trimmed();
    s.port = quint16(sbPort->value());
    return s;
}

QString TRigSetupPage::problem() const
{
    const RadioSetup s = setup();
    if (s.kind == RadioKind::Own && s.model <= 0)
        return tr("Радио %1: выберите модель в списке.").arg(m_rig);
    if (s.kind == RadioKind::Remote && s.host.isEmpty())
        return tr("Радио %1: укажите адрес компьютера, на котором работает rigctld.").arg(m_rig);
    return QString();
}

bool TRigSetupPage::checking() const
{
    return m_check && m_check->running();
}

void TRigSetupPage::btCheckClick()
{
    if (checking())
        return;
    const QString missing = problem();
    if (!missing.isEmpty()) {
        showResult(false, missing);
        return;
    }
    m_check = std::make_unique<RigCheck>(setup(), m_ctx.services.rigProcess);
    connect(m_check.get(), &RigCheck::finished, this, [this](bool ok, const QString &text) {
        showResult(ok, text);
        updateEnabled();
        emit checkFinished(ok, text);
    });
    lbCheck->setStyleSheet(QString());
    lbCheck->setText(tr("Проверка..."));
    m_check->start();
    updateEnabled();
}

void TRigSetupPage::showResult(bool ok, const QString &text)
{
    lbCheck->setStyleSheet(ok ? QStringLiteral("color: rgb(0, 128, 0);") : QStringLiteral("color: rgb(160, 0, 0);"));
    lbCheck->setText(text);
}

// ---------------------------------------------------------------------------------------------

TRigSetup::TRigSetup(const AppContext &context, const QStringList &devices, QWidget *parent, const QString &rigctl)
    : QDialog(parent), m_ctx(context)
{
    setObjectName(QStringLiteral("RigSetup"));
    setWindowTitle(tr("Управление CAT"));
    auto *layout = new QVBoxLayout(this);
    tabRadios = new QTabWidget(this);
    tabRadios->setObjectName(QStringLiteral("tabRadios"));
    for (int i = 0; i < 2; ++i) {
        m_pages[i] = new TRigSetupPage(i + 1, context, devices, tabRadios);
        tabRadios->addTab(m_pages[i], tr("Радио %1").arg(i + 1));
    }
    layout->addWidget(tabRadios, 1);

    auto *buttons = new QHBoxLayout;
    m_loaded = RigctldSettings::read(context.settingsPath);
    btCommand = new QPushButton(tr("Запустить программу из settings.ini"), this);
    btCommand->setObjectName(QStringLiteral("btCommand"));
    btCommand->setToolTip(m_loaded.command);
    btCommand->setAutoDefault(false);
    btCommand->setVisible(!m_loaded.command.trimmed().isEmpty());
    buttons->addWidget(btCommand);
    buttons->addStretch(1);
    btOk = new QPushButton(tr("Сохранить"), this);
    btOk->setObjectName(QStringLiteral("btOk"));
    btCancel = new QPushButton(tr("Отмена"), this);
    btCancel->setObjectName(QStringLiteral("btCancel"));
    btCancel->setAutoDefault(false);
    buttons->addWidget(btOk);
    buttons->addWidget(btCancel);
    layout->addLayout(buttons);

    connect(btOk, &QPushButton::clicked, this, &TRigSetup::btOkClick);
    connect(btCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(btCommand, &QPushButton::clicked, this, &TRigSetup::btCommandClick);

    for (int i = 0; i < 2; ++i)
        m_pages[i]->load(m_loaded.radio[i]);

    m_loader = new rig::ModelListLoader(this);
    connect(m_loader, &rig::ModelListLoader::loaded, this,
            [this](const QList<rig::HamlibModel> &models, const QString &error) {
                for (TRigSetupPage *p : m_pages)
                    p->setModels(models, error);
                m_modelListReady = true;
                emit modelListLoaded();
            });
    m_loader->start(rigctl);

    resize(620, 640);
    const IniFile ini(context.settingsPath);
    const int left = ini.readInteger(kWindowSection, QStringLiteral("Left"), -1);
    if (left >= 0)
        move(left, ini.readInteger(kWindowSection, QStringLiteral("Top"), 100));
    resize(std::max(minimumSizeHint().width(), ini.readInteger(kWindowSection, QStringLiteral("Width"), width())),
           std::max(minimumSizeHint().height(), ini.readInteger(kWindowSection, QStringLiteral("Height"), height())));
}

TRigSetup::~TRigSetup()
{
    try {
        IniFile ini(m_ctx.settingsPath);
        ini.writeInteger(kWindowSection, QStringLiteral("Left"), x());
        ini.writeInteger(kWindowSection, QStringLiteral("Top"), y());
        ini.writeInteger(kWindowSection, QStringLiteral("Width"), width());
        ini.writeInteger(kWindowSection, QStringLiteral("Height"), height());
    } catch (const std::exception &e) {
        // The place of a window is not worth a message while it closes.
        qCWarning(lcRig).noquote() << "window place not kept:" << errorText(e);
    }
}

RigctldSettings TRigSetup::settings() const
{
    RigctldSettings s = m_loaded;
    s.present = true;
    for (int i = 0; i < 2; ++i)
        s.radio[i] = m_pages[i]->setup();
    return s;
}

void TRigSetup::btOkClick()
{
    for (TRigSetupPage *p : m_pages) {
        const QString missing = p->problem();
        if (!missing.isEmpty()) {
            tabRadios->setCurrentWidget(p);
            m_ctx.services.prompts->warning(missing);
            return;
        }
    }
    // One serial port cannot serve two radios: the two rigctld would talk over each other.
    const RadioSetup a = m_pages[0]->setup(), b = m_pages[1]->setup();
    if (a.kind == RadioKind::Own && b.kind == RadioKind::Own && !a.device.isEmpty()
        && (a.device == b.device
            || (QFileInfo(a.device).exists()
                && QFileInfo(a.device).canonicalFilePath() == QFileInfo(b.device).canonicalFilePath()))) {
        tabRadios->setCurrentWidget(m_pages[1]);
        m_ctx.services.prompts->warning(
            tr("Радио 1 и радио 2 подключены к одному порту %1. Выберите для радио 2 другой порт.").arg(b.device));
        return;
    }
    if (runGuarded(*m_ctx.services.prompts, [this] { settings().write(m_ctx.settingsPath); }))
        accept();
}

void TRigSetup::btCommandClick()
{
    const QStringList parts = rig::splitCommand(m_loaded.command);
    if (parts.isEmpty()) {
        showError(*m_ctx.services.prompts, tr("Команда программы управления радио в файле settings.ini "
                                              "(раздел [Rig], ключ Command) записана неверно: "
                                              "не закрыта кавычка.\n%1")
                                               .arg(m_loaded.command));
        return;
    }
    if (!m_ctx.services.shell->startProgram(parts.first(), parts.mid(1)))
        showError(*m_ctx.services.prompts,
                  tr("Не удалось запустить программу управления радио: %1").arg(parts.first()));
}

} // namespace vireo
