#include "bandmap/ui/band_scale.h"

#include "bandmap/band_map.h"
#include "bandmap/band_map_layout.h"
#include "rig/rig_display.h"

#include <QHelpEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScrollBar>
#include <QToolTip>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace vireo {

using bandmap::Entry;

namespace {

constexpr double BasePixelsPerKHz = 5.0;
constexpr double ZoomStep = 1.25;
constexpr int Margin = 12;      // above the highest and below the lowest frequency
constexpr int ScaleWidth = 64;  // the column of the frequencies
constexpr int LabelX = 84;      // where the labels begin
constexpr int OutsideKHz = 2;   // room kept beyond an entry or the marker outside the edges
constexpr int MaxCorrespondents = 3;

const QString MarkSign = QStringLiteral("\u25C7 "); // a hollow diamond

} // namespace

BandScale::BandScale(const BandMap &map, QWidget *parent)
    : QAbstractScrollArea(parent), m_map(map)
{
    setObjectName(QStringLiteral("BandScale"));
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    viewport()->setMouseTracking(true);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    setFocusPolicy(Qt::NoFocus); // the listener types in the main window
    m_labelHeight = fontMetrics().height() + 2;
    relayout();
}

double BandScale::pixelsPerKHz() const
{
    return BasePixelsPerKHz * std::pow(ZoomStep, m_zoom);
}

qint64 BandScale::lowEdge() const
{
    return m_spanLow;
}

qint64 BandScale::highEdge() const
{
    return m_spanHigh;
}

int BandScale::contentY(double khz) const
{
    return Margin + int(std::lround((double(m_spanHigh) - khz) * pixelsPerKHz()));
}

int BandScale::contentHeight() const
{
    return contentY(double(m_spanLow)) + Margin;
}

int BandScale::yOf(double khz) const
{
    return contentY(khz) - verticalScrollBar()->value();
}

double BandScale::khzAt(int y) const
{
    return double(m_spanHigh) - double(y + verticalScrollBar()->value() - Margin) / pixelsPerKHz();
}

void BandScale::setSpan(qint64 lowKHz, qint64 highKHz)
{
    if (highKHz <= lowKHz)
        highKHz = lowKHz + 1;
    if (lowKHz == m_low && highKHz == m_high)
        return;
    m_low = lowKHz;
    m_high = highKHz;
    relayout();
    if (m_marker)
        centreOn(*m_marker);
    else
        centreOn((m_low + m_high) / 2);
}

void BandScale::setMarker(std::optional<qint64> khz)
{
    if (khz == m_marker)
        return;
    m_marker = khz;
    relayout();
    if (m_marker) {
        // Followed: the marker is kept away from the edges of the view.
        const int y = yOf(double(*m_marker));
        const int h = viewport()->height();
        if (y < h / 10 || y > h - h / 10)
            centreOn(*m_marker);
    }
    viewport()->update();
}

void BandScale::setZoom(int level)
{
    level = std::clamp(level, MinZoom, MaxZoom);
    if (level == m_zoom)
        return;
    m_zoom = level;
    relayout();
    emit zoomChanged(m_zoom);
}

void BandScale::centreOn(qint64 khz)
{
    verticalScrollBar()->setValue(contentY(double(khz)) - viewport()->height() / 2);
    viewport()->update();
}

void BandScale::entriesChanged()
{
    relayout();
}

void BandScale::updateScrollRange()
{
    QScrollBar *bar = verticalScrollBar();
    const int page = viewport()->height();
    bar->setPageStep(page);
    bar->setSingleStep(m_labelHeight);
    bar->setRange(0, std::max(0, contentHeight() - page));
}

void BandScale::relayout()
{
    const std::vector<Entry> &entries = m_map.entries();
    // The band's edges, widened to take in whatever lies outside them.
    m_spanLow = m_low;
    m_spanHigh = m_high;
    if (!entries.empty()) {
        m_spanLow = std::min(m_spanLow, entries.front().khz - OutsideKHz);
        m_spanHigh = std::max(m_spanHigh, entries.back().khz + OutsideKHz);
    }
    if (m_marker) {
        m_spanLow = std::min(m_spanLow, *m_marker - OutsideKHz);
        m_spanHigh = std::max(m_spanHigh, *m_marker + OutsideKHz);
    }
    updateScrollRange();

    // From the top of the scale down: the highest frequency first.
    m_labels.clear();
    m_labels.reserve(entries.size());
    std::vector<int> wanted;
    wanted.reserve(entries.size());
    for (int i = int(entries.size()) - 1; i >= 0; --i) {
        const int tick = contentY(double(entries[size_t(i)].khz));
        m_labels.push_back(Label{entries[size_t(i)].call, i, tick, QRect()});
        wanted.push_back(tick - m_labelHeight / 2);
    }
    const std::vector<int> tops = bandmap::placeLabels(wanted, m_labelHeight, 0, contentHeight());
    QFont bold = font();
    bold.setBold(true);
    const QFontMetrics fmBold(bold), fm(font());
    for (size_t k = 0; k < m_labels.size(); ++k) {
        const Entry &e = entries[size_t(m_labels[k].entry)];
        int width = fmBold.horizontalAdvance((e.marked ? MarkSign : QString()) + e.call) + 8
                  + fm.horizontalAdvance(m_map.ageTextOf(e));
        if (!e.correspondents.isEmpty())
            width += fm.horizontalAdvance(QStringLiteral("  ") + e.correspondents.mid(0, MaxCorrespondents).join(QStringLiteral(", "))) + 4;
        m_labels[k].rect = QRect(LabelX, tops[k], width + 6, m_labelHeight);
    }
    viewport()->update();
}

void BandScale::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollRange();
}

void BandScale::scrollContentsBy(int, int)
{
    viewport()->update();
}

void BandScale::drawScale(QPainter &p, const QRect &visible) const
{
    const double ppk = pixelsPerKHz();
    const int scroll = verticalScrollBar()->value();
    // Outside the band's edges the ground is grey.
    const QColor outside(232, 232, 232);
    const int top = contentY(double(m_high)) - scroll, bottom = contentY(double(m_low)) - scroll;
    if (top > visible.top())
        p.fillRect(QRect(0, visible.top(), visible.width(), top - visible.top()), outside);
    if (bottom < visible.bottom())
        p.fillRect(QRect(0, bottom, visible.width(), visible.bottom() - bottom + 1), outside);
    p.fillRect(QRect(0, visible.top(), ScaleWidth, visible.height()), QColor(246, 246, 240));
    p.setPen(QColor(96, 96, 96));
    p.drawLine(ScaleWidth, visible.top(), ScaleWidth, visible.bottom());

    // Numbered ticks far enough apart to be read, smaller ones between them.
    static const int Steps[] = {1, 2, 5, 10, 20, 50, 100, 200, 500, 1000, 2000, 5000};
    int major = Steps[std::size(Steps) - 1];
    for (int s : Steps) {
        if (s * ppk >= 2.5 * m_labelHeight) {
            major = s;
            break;
        }
    }
    const int minor = major % 5 == 0 && major / 5 * ppk >= 5 ? major / 5 : (major % 2 == 0 && major / 2 * ppk >= 5 ? major / 2 : 0);
    const double hiKHz = khzAt(visible.top()) + 1, loKHz = khzAt(visible.bottom()) - 1;
    const int step = minor > 0 ? minor : major;
    for (qint64 k = qint64(std::floor(loKHz / step)) * step; k <= hiKHz; k += step) {
        if (k < m_spanLow || k > m_spanHigh)
            continue;
        const int y = contentY(double(k)) - scroll;
        const bool numbered = k % major == 0;
        p.drawLine(ScaleWidth - (numbered ? 8 : 4), y, ScaleWidth, y);
        if (numbered)
            p.drawText(QRect(2, y - m_labelHeight / 2, ScaleWidth - 12, m_labelHeight), Qt::AlignRight | Qt::AlignVCenter,
                       rig::frequencyText(k * 1000));
    }
}

void BandScale::drawLabel(QPainter &p, const Label &label) const
{
    const Entry &e = m_map.entries()[size_t(label.entry)];
    const int scroll = verticalScrollBar()->value();
    const QRect r = label.rect.translated(0, -scroll);
    const int tickY = label.tickY - scroll;
    p.save();
    // On a ground of its own, so that the radio's line does not run through the text.
    p.fillRect(r, palette().color(QPalette::Base));
    p.setOpacity(m_map.fadeOf(e));
    // Its frequency on the scale, and the line to the label where the label had to move.
    p.setPen(QPen(QColor(64, 64, 64), 1));
    p.drawLine(ScaleWidth + 1, tickY, ScaleWidth + 8, tickY);
    p.drawLine(ScaleWidth + 8, tickY, LabelX - 4, r.center().y());

    QFont bold = font();
    bold.setBold(true);
    const QFontMetrics fmBold(bold), fm(font());
    int x = r.left() + 3;
    const QString call = (e.marked ? MarkSign : QString()) + e.call;
    const int callWidth = fmBold.horizontalAdvance(call);
    if (e.repeat == bandmap::Repeat::Worked)
        p.fillRect(QRect(x - 2, r.top() + 1, callWidth + 4, r.height() - 2), workedColour());
    p.setFont(bold);
    p.setPen(e.repeat == bandmap::Repeat::Heard ? heardColour() : palette().color(QPalette::Text));
    p.drawText(QRect(x, r.top(), callWidth, r.height()), Qt::AlignLeft | Qt::AlignVCenter, call);
    x += callWidth + 4;
    p.setFont(font());
    if (!e.correspondents.isEmpty()) {
        QString with = e.correspondents.mid(0, MaxCorrespondents).join(QStringLiteral(", "));
        if (e.correspondents.size() > MaxCorrespondents)
            with += QStringLiteral("…");
        with.prepend(QStringLiteral("  "));
        const int w = fm.horizontalAdvance(with);
        p.setPen(QColor(48, 48, 48));
        p.drawText(QRect(x, r.top(), w, r.height()), Qt::AlignLeft | Qt::AlignVCenter, with);
        x += w + 4;
    }
    const QString age = QStringLiteral("  ") + m_map.ageTextOf(e);
    p.setPen(QColor(120, 120, 120));
    p.drawText(QRect(x, r.top(), fm.horizontalAdvance(age) + 2, r.height()), Qt::AlignLeft | Qt::AlignVCenter, age);
    p.restore();
}

void BandScale::paintEvent(QPaintEvent *event)
{
    QPainter p(viewport());
    const QRect visible = event->rect();
    drawScale(p, visible);
    // The radio's frequency across the map, under the labels, with its arrow on the scale.
    const std::optional<int> markerY = m_marker ? std::optional<int>(yOf(double(*m_marker))) : std::nullopt;
    if (markerY) {
        p.setPen(QPen(markerColour(), 2));
        p.drawLine(ScaleWidth, *markerY, viewport()->width(), *markerY);
    }
    const int scroll = verticalScrollBar()->value();
    const std::vector<Entry> &entries = m_map.entries();
    for (const Label &label : m_labels) {
        if (size_t(label.entry) >= entries.size() || entries[size_t(label.entry)].call != label.call)
            continue; // laid out before the entries changed; the next layout follows at once
        const QRect r = label.rect.translated(0, -scroll);
        const int tickY = label.tickY - scroll;
        if (std::max(r.bottom(), tickY) < visible.top() || std::min(r.top(), tickY) > visible.bottom())
            continue;
        drawLabel(p, label);
    }
    if (markerY) {
        p.setPen(QPen(markerColour(), 2));
        p.drawLine(0, *markerY, ScaleWidth, *markerY);
        QPainterPath arrow;
        arrow.moveTo(ScaleWidth - 10, *markerY - 6);
        arrow.lineTo(ScaleWidth, *markerY);
        arrow.lineTo(ScaleWidth - 10, *markerY + 6);
        arrow.closeSubpath();
        p.fillPath(arrow, markerColour());
    }
}

const BandScale::Label *BandScale::labelAt(const QPoint &viewportPoint) const
{
    const QPoint content = viewportPoint + QPoint(0, verticalScrollBar()->value());
    for (const Label &label : m_labels)
        if (label.rect.contains(content))
            return &label;
    return nullptr;
}

QRect BandScale::labelRect(const QString &call) const
{
    for (const Label &label : m_labels)
        if (label.call == call)
            return label.rect.translated(0, -verticalScrollBar()->value());
    return {};
}

QString BandScale::callAt(const QPoint &viewportPoint) const
{
    const Label *label = labelAt(viewportPoint);
    return label ? label->call : QString();
}

void BandScale::wheelEvent(QWheelEvent *event)
{
    const int steps = event->angleDelta().y() / 120;
    if (steps == 0) {
        event->accept();
        return;
    }
    // The frequency under the pointer stays where it is.
    const int y = int(event->position().y());
    const double khz = khzAt(y);
    setZoom(m_zoom + steps);
    verticalScrollBar()->setValue(contentY(khz) - y);
    event->accept();
}

void BandScale::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    if (const Label *label = labelAt(event->position().toPoint()))
        emit entryClicked(label->call);
    event->accept();
}

void BandScale::mouseMoveEvent(QMouseEvent *event)
{
    viewport()->setCursor(labelAt(event->position().toPoint()) ? Qt::PointingHandCursor : Qt::ArrowCursor);
    QAbstractScrollArea::mouseMoveEvent(event);
}

QString BandScale::tooltipOf(const Entry &e) const
{
    QStringList lines;
    lines << QStringLiteral("%1: %2 кГц, %3 назад").arg(e.call, rig::frequencyText(e.khz * 1000), m_map.ageTextOf(e));
    if (!e.correspondents.isEmpty())
        lines << QStringLiteral("С ним: ") + e.correspondents.join(QStringLiteral(", "));
    if (e.marked)
        lines << QStringLiteral("Отмечен без связи");
    switch (e.repeat) {
    case bandmap::Repeat::Heard: lines << QStringLiteral("Повтор: уже записан в этом туре"); break;
    case bandmap::Repeat::Worked: lines << QStringLiteral("Был корреспондентом в этом туре"); break;
    case bandmap::Repeat::None: break;
    }
    lines << QStringLiteral("Щелчок: перестроиться на эту частоту");
    return lines.join(QLatin1Char('\n'));
}

bool BandScale::viewportEvent(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        const Label *label = labelAt(help->pos());
        if (label && size_t(label->entry) < m_map.entries().size())
            QToolTip::showText(help->globalPos(), tooltipOf(m_map.entries()[size_t(label->entry)]), viewport());
        else
            QToolTip::hideText();
        return true;
    }
    return QAbstractScrollArea::viewportEvent(event);
}

} // namespace vireo
