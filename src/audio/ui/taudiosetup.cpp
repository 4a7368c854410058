#include "audio/ui/taudiosetup.h"

#include "audio/audio_settings.h"
#include "audio/level.h"
#include "audio/ui/audio_devices.h"
#include "audio/ui/audio_service.h"
#include "audio/ui/level_probe.h"
#include "base/ui/guarded.h"
#include "base/ui/window_placement.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace vireo {

namespace {

const QString Section = QStringLiteral("AudioSetup");

void fill(QComboBox *box, const QVector<audiodevices::Choice> &choices, const QString &current)
{
    for (const audiodevices::Choice &c : choices)
        box->addItem(c.description, c.id);
    int at = box->findData(current);
    if (at < 0) {
        // A device that is not plugged in now stays chosen.
        box->addItem(TAudioSetup::tr("%1 (не подключено)").arg(current), current);
        at = box->count() - 1;
    }
    box->setCurrentIndex(at);
}

} // namespace

TAudioSetup::TAudioSetup(const AppContext &context, AudioService &service, QWidget *parent)
    : QDialog(parent), m_ctx(context), m_service(service)
{
    setObjectName(QStringLiteral("AudioSetup"));
    setWindowTitle(tr("Звук"));
    const AudioSettings &s = service.settings();

    cbInput = new QComboBox(this);
    cbInput->setObjectName(QStringLiteral("cbInput"));
    fill(cbInput, audiodevices::inputs(), s.input);
    cbOutput = new QComboBox(this);
    cbOutput->setObjectName(QStringLiteral("cbOutput"));
    fill(cbOutput, audiodevices::outputs(), s.output);
    for (QComboBox *box : {cbInput, cbOutput}) {
        box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        // A long device name is cut in the box: the tip shows it whole.
        box->setToolTip(box->currentText());
        connect(box, &QComboBox::currentTextChanged, box, &QWidget::setToolTip);
    }

    pbLevel = new QProgressBar(this);
    pbLevel->setObjectName(QStringLiteral("pbLevel"));
    pbLevel->setRange(0, 100);
    pbLevel->setTextVisible(false);
    lbLevel = new QLabel(this);
    lbLevel->setObjectName(QStringLiteral("lbLevel"));
    lbLevel->setMinimumWidth(lbLevel->fontMetrics().horizontalAdvance(tr("−90 дБ  ")));
    auto *levelRow = new QHBoxLayout;
    levelRow->addWidget(pbLevel, 1);
    levelRow->addWidget(lbLevel);

    chRecord = new QCheckBox(tr("Записывать"), this);
    chRecord->setObjectName(QStringLiteral("chRecord"));
    chRecord->setChecked(s.record);
    chRecord->setToolTip(tr("Записывать звук приёмника в папку audio рядом с журналом, по файлу на час"));

    sbReplay = new QSpinBox(this);
    sbReplay->setObjectName(QStringLiteral("sbReplay"));
    sbReplay->setRange(AudioSettings::MinReplaySeconds, AudioSettings::MaxReplaySeconds);
    sbReplay->setSuffix(tr(" с"));
    sbReplay->setValue(s.replaySeconds);
    sbReplay->setToolTip(tr("Сколько последних секунд повторяет Ctrl+R"));

    sbKeepDays = new QSpinBox(this);
    sbKeepDays->setObjectName(QStringLiteral("sbKeepDays"));
    sbKeepDays->setRange(0, AudioSettings::MaxKeepDays);
    sbKeepDays->setSpecialValueText(tr("всегда"));
    sbKeepDays->setValue(s.keepDays);
    sbKeepDays->setToolTip(tr("Записи старше стольких дней удаляются при запуске программы; 0 — хранить всегда"));

    lbFolder = new QLabel(tr("Записи хранятся в папке %1").arg(QDir::toNativeSeparators(service.folder())), this);
    lbFolder->setObjectName(QStringLiteral("lbFolder"));
    lbFolder->setWordWrap(true);
    lbFolder->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto *form = new QFormLayout;
    form->addRow(tr("Вход (звук приёмника):"), cbInput);
    form->addRow(tr("Уровень входа:"), levelRow);
    form->addRow(tr("Выход (для повтора):"), cbOutput);
    form->addRow(QString(), chRecord);
    form->addRow(tr("Повтор последних:"), sbReplay);
    form->addRow(tr("Хранить записи, дней:"), sbKeepDays);

    btOk = new QPushButton(tr("Сохранить"), this);
    btOk->setObjectName(QStringLiteral("btOk"));
    btOk->setDefault(true);
    btCancel = new QPushButton(tr("Отмена"), this);
    btCancel->setObjectName(QStringLiteral("btCancel"));
    btCancel->setAutoDefault(false);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btOk);
    buttons->addWidget(btCancel);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(lbFolder);
    layout->addStretch();
    layout->addLayout(buttons);
    setMinimumWidth(440);

    m_probe = new LevelProbe(this);
    connect(m_probe, &LevelProbe::levelChanged, this, &TAudioSetup::showLevel);
    connect(cbInput, &QComboBox::currentIndexChanged, this, [this] {
        if (isVisible())
            listenToInput();
    });
    // settings.ini that cannot be written: the box says why, and the window stays open.
    connect(btOk, &QPushButton::clicked, this, guarded(m_ctx.services.prompts, [this] { btOkClick(); }));
    connect(btCancel, &QPushButton::clicked, this, &QDialog::reject);
    showLevel(0.f);
    restorePlacement(*this, m_ctx.settingsPath, Section);
}

TAudioSetup::~TAudioSetup()
{
    // Runs from the destructor: a settings file that cannot be written must not end the program.
    runGuarded(m_ctx.services.prompts.get(), [this] { savePlacement(*this, m_ctx.settingsPath, Section); });
}

AudioSettings TAudioSetup::chosen() const
{
    AudioSettings s = m_service.settings();
    s.input = cbInput->currentData().toString();
    s.output = cbOutput->currentData().toString();
    s.record = chRecord->isChecked();
    s.replaySeconds = sbReplay->value();
    s.keepDays = sbKeepDays->value();
    return s;
}

void TAudioSetup::btOkClick()
{
    m_service.apply(chosen()); // throws when settings.ini cannot be written: the window stays open
    accept();
}

void TAudioSetup::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    listenToInput();
}

void TAudioSetup::hideEvent(QHideEvent *event)
{
    m_probe->stop();
    showLevel(0.f);
    QDialog::hideEvent(event);
}

void TAudioSetup::listenToInput()
{
    const QString id = cbInput->currentData().toString();
    if (!m_probe->listen(audiodevices::input(id))) {
        showLevel(0.f);
        lbLevel->setText(tr("нет"));
        pbLevel->setToolTip(tr("Устройство «%1» не удалось открыть").arg(cbInput->currentText()));
        return;
    }
    pbLevel->setToolTip(QString());
}

void TAudioSetup::showLevel(float value)
{
    pbLevel->setValue(level::meterPercent(value));
    const double db = level::decibels(value);
    lbLevel->setText(db <= -90.0
                         ? tr("−∞ дБ")
                         : tr("%1 дБ").arg(QString::number(db, 'f', 0).replace(QLatin1Char('-'), QChar(0x2212))));
}

} // namespace vireo
