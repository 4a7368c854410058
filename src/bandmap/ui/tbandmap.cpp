#include "bandmap/ui/tbandmap.h"

#include "bandmap/band_map.h"
#include "bandmap/band_map_tuner.h"
#include "bandmap/logging.h"
#include "bandmap/ui/band_scale.h"
#include "base/ini_file.h"
#include "base/ui/guarded.h"
#include "base/ui/window_placement.h"
#include "entry/band_plan.h"
#include "rig/rig_display.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

namespace vireo {

namespace {
constexpr int DesignedWidth = 330;
constexpr int DesignedHeight = 560;
// Often enough for the ages to move on with the minute and for another program's QSOs to show
// within a few seconds; each look is one statement that reads a counter of the file.
constexpr int TickMs = 3000;
} // namespace

TBandMap::TBandMap(const AppContext &context, QsoStore &qsos, std::function<RigServer *()> server,
                   std::function<int()> radio, QWidget *parent)
    : QWidget(parent, Qt::Window), m_ctx(context)
{
    setObjectName(QStringLiteral("BandMap"));
    setWindowTitle(tr("Карта диапазона"));
    // Opening the map leaves the keyboard where the listener types.
    setAttribute(Qt::WA_ShowWithoutActivating);
    m_map = std::make_unique<BandMap>(qsos, *m_ctx.services.utcClock);
    m_tuner = std::make_unique<BandMapTuner>(std::move(server), std::move(radio));

    lbBandMapContext = new QLabel(this);
    lbBandMapContext->setObjectName(QStringLiteral("lbBandMapContext"));
    seBandMapAge = new QSpinBox(this);
    seBandMapAge->setObjectName(QStringLiteral("seBandMapAge"));
    seBandMapAge->setRange(bandmap::MinMaxAgeMinutes, bandmap::MaxMaxAgeMinutes);
    seBandMapAge->setSingleStep(5);
    seBandMapAge->setPrefix(tr("хранить "));
    seBandMapAge->setSuffix(tr(" мин"));
    seBandMapAge->setToolTip(tr("Сколько минут станция остаётся на карте после последней связи или отметки"));
    seBandMapAge->setFocusPolicy(Qt::ClickFocus);
    bsBandMap = new BandScale(*m_map, this);
    lbBandMapLegend = new QLabel(this);
    lbBandMapLegend->setObjectName(QStringLiteral("lbBandMapLegend"));
    lbBandMapLegend->setWordWrap(true);
    lbBandMapLegend->setText(tr("<span style=\"color:#ff0000\"><b>красный</b></span> — уже записан в этом туре; "
                                "<span style=\"background-color:#00ffff\">голубой</span> — был корреспондентом; "
                                "◇ — отмечен без связи (Ctrl+M). Щелчок по станции — перестроиться на неё."));
    QFont small = lbBandMapLegend->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    lbBandMapLegend->setFont(small);

    auto *top = new QHBoxLayout;
    top->setContentsMargins(0, 0, 0, 0);
    top->addWidget(lbBandMapContext, 1);
    top->addWidget(seBandMapAge);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(3);
    layout->addLayout(top);
    layout->addWidget(bsBandMap, 1);
    layout->addWidget(lbBandMapLegend);

    tmBandMap = new QTimer(this);
    tmBandMap->setObjectName(QStringLiteral("tmBandMap"));
    tmBandMap->setInterval(TickMs);
    const std::shared_ptr<Prompts> prompts = m_ctx.services.prompts;
    connect(tmBandMap, &QTimer::timeout, this, guarded(prompts, [this] { m_map->tick(); }));
    connect(m_map.get(), &BandMap::changed, this, &TBandMap::refresh);
    connect(bsBandMap, &BandScale::entryClicked, this,
            [this, prompts](const QString &call) { runGuarded(prompts.get(), [this, call] { tuneTo(call); }); });
    connect(seBandMapAge, qOverload<int>(&QSpinBox::valueChanged), this, [this, prompts](int minutes) {
        runGuarded(prompts.get(), [this, minutes] { m_map->setMaxAgeMinutes(minutes); });
    });

    resize(DesignedWidth, DesignedHeight);
    FormCreate();
    refresh();
}

TBandMap::~TBandMap()
{
    FormDestroy();
}

void TBandMap::FormCreate()
{
    restorePlacement(*this, m_ctx.settingsPath, section());
    const IniFile ini(m_ctx.settingsPath);
    const int age =
        bandmap::clampMaxAge(ini.readInteger(section(), QStringLiteral("MaxAge"), bandmap::DefaultMaxAgeMinutes));
    m_map->setMaxAgeMinutes(age);
    seBandMapAge->setValue(age);
    bsBandMap->setZoom(ini.readInteger(section(), QStringLiteral("Zoom"), 0));
}

void TBandMap::FormDestroy()
{
    // Runs from the destructor, as the program ends: a settings file that cannot be written
    // must not stop it, and there is no one left to tell but the log category.
    try {
        savePlacement(*this, m_ctx.settingsPath, section());
        IniFile ini(m_ctx.settingsPath);
        ini.writeInteger(section(), QStringLiteral("MaxAge"), m_map->maxAgeMinutes());
        ini.writeInteger(section(), QStringLiteral("Zoom"), bsBandMap->zoom());
    } catch (const std::exception &e) {
        qCWarning(lcBandMap).noquote() << "band map's place and settings not kept:" << errorText(e);
    }
}

void TBandMap::setContext(const QString &band, const QString &modeCode, const QString &tour)
{
    const bandmap::Context c{band, modeCode, tour};
    if (c == m_map->context())
        return;
    m_map->setContext(c);
    spanBand();
    refresh();
}

void TBandMap::spanBand()
{
    // The band plan's edges; a band without them spans what stands on it.
    if (const auto edges = bandplan::bandEdges(m_map->context().band)) {
        bsBandMap->setSpan(edges->lowKHz, edges->highKHz);
        return;
    }
    qint64 low = 0, high = 0;
    if (!m_map->entries().empty()) {
        low = m_map->entries().front().khz;
        high = m_map->entries().back().khz;
    } else if (bsBandMap->marker()) {
        low = high = *bsBandMap->marker();
    }
    bsBandMap->setSpan(low - 10, high + 10);
}

void TBandMap::setFrequencyText(const QString &text)
{
    m_frequencyText = text;
    bsBandMap->setMarker(bandmap::khzOf(text));
}

void TBandMap::refresh()
{
    const bandmap::Context &c = m_map->context();
    if (c.band.isEmpty()) {
        lbBandMapContext->setText(tr("Диапазон не выбран"));
    } else {
        const QString stations = isVisible() ? tr(": станций %n", nullptr, int(m_map->entries().size())) : QString();
        lbBandMapContext->setText(tr("%1, %2, тур %3%4").arg(c.band, c.mode, c.tour, stations));
    }
    bsBandMap->entriesChanged();
}

void TBandMap::tuneTo(const QString &call)
{
    if (const bandmap::Entry *e = m_map->entryOf(call))
        m_tuner->tune(*e, m_map->context().mode);
}

Result<bandmap::Entry> TBandMap::step(const QString &frequencyText, bool up)
{
    const auto khz = bandmap::khzOf(frequencyText);
    if (!khz)
        return Error(tr("Частота «%1» не число: не от чего искать станцию на карте.").arg(frequencyText.trimmed()));
    std::optional<bandmap::Entry> e;
    try {
        e = m_map->step(*khz, up);
    } catch (const std::exception &ex) {
        return asError(ex);
    }
    if (!e)
        return Error(up ? tr("Выше %1 кГц на карте станций нет.").arg(rig::frequencyText(*khz * 1000))
                        : tr("Ниже %1 кГц на карте станций нет.").arg(rig::frequencyText(*khz * 1000)));
    m_tuner->tune(*e, m_map->context().mode);
    return *e;
}

void TBandMap::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    m_map->setActive(true);
    spanBand();
    refresh();
    // The radio's frequency in the middle; without one, the middle of the stations heard.
    const std::vector<bandmap::Entry> &entries = m_map->entries();
    if (bsBandMap->marker())
        bsBandMap->centreOn(*bsBandMap->marker());
    else if (!entries.empty())
        bsBandMap->centreOn(entries[entries.size() / 2].khz);
    tmBandMap->start();
}

void TBandMap::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    if (event->spontaneous())
        return; // minimised: still open
    // Closed, the map follows nothing and holds nothing.
    tmBandMap->stop();
    m_map->setActive(false);
}

void TBandMap::closeEvent(QCloseEvent *event)
{
    // Closing only hides the window.
    event->accept();
    emit closed();
}

} // namespace vireo
