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
constexpr int Margin = 12; // above the highest and below the lowest frequency
constexpr int ScaleWidth = 64; // the column of the frequencies
constexpr int LabelX = 84; // where the labels begin
constexpr int OutsideKHz = 2; // room kept beyond an entry or the marker outside the edges
constexpr int MaxCorrespondents = 3;

const QString MarkSign = QStringLiteral("\u25C7 "); // a hollow diamond

} // namespace

BandScale::BandScale(const BandMap &map, QWidget *parent) : QAbstractScrollArea(parent), m_map(map)
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
    const std::optional<qint64> was = m_marker;
    m_marker = khz;
    if (m_marker && (*m_marker - OutsideKHz < m_spanLow || *m_marker + OutsideKHz > m_spanHigh)) {
        relayout(true);
    } else {
        // The line where it was and where it is now.
        for (const std::optional<qint64> &at : {was, m_marker})
            if (at)
                viewport()->update(QRect(0, yOf(double(*at)) - 8, viewport()->width(), 17));
    }
    if (m_marker) {
        // Followed: the marker is kept away from the edges of the view.
        const int y = yOf(double(*m_marker));
        const int h = viewport()->height();
        if (y < h / 10 || y > h - h / 10)
            centreOn(*m_marker);
    }
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
    relayout(false);
}

void BandScale::updateScrollRange()
{
    QScrollBar *bar = verticalScrollBar();
    const int page = viewport()->height();
    bar->setPageStep(page);
    bar->setSingleStep(m_labelHeight);
    bar->setRange(0, std::max(0, contentHeight() - page));
}

QRect BandScale::boundsOf(const Label &label)
{
    // The label, its mark on the scale and the line between them, in content coordinates.
    return QRect(QPoint(ScaleWidth - 1, std::min(label.tickY, label.rect.top()) - 1),
                 QPoint(label.rect.right() + 1, std::max(label.tickY, label.rect.bottom()) + 1));
}

void BandScale::relayout(bool whole)
{
    const std::vector<Entry> &entries = m_map.entries();
    // The band's edges, widened to take in whatever lies outside them.
    const qint64 wasLow = m_spanLow, wasHigh = m_spanHigh;
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
    whole = whole || wasLow != m_spanLow || wasHigh != m_spanHigh;
    updateScrollRange();

    // From the top of the scale down: the highest frequency first.
    std::vector<Label> before;
    before.swap(m_labels);
    m_labels.reserve(entries.size());
    std::vector<int> wanted;
    wanted.reserve(entries.size());
    for (int i = int(entries.size()) - 1; i >= 0; --i) {
        Label label;
        label.call = entries[size_t(i)].call;
        label.entry = i;
        label.tickY = contentY(double(entries[size_t(i)].khz));
        wanted.push_back(label.tickY - m_labelHeight / 2);
        m_labels.push_back(std::move(label));
    }
    const std::vector<int> tops = bandmap::placeLabels(wanted, m_labelHeight, 0, contentHeight());
    // Images of labels no longer shown go now and then, all at once; those still shown are drawn
    // again the first time they are needed.
    if (m_images.size() > 2 * int(entries.size()) + 64)
        m_images.clear();
    QHash<QString, const Label *> old;
    old.reserve(int(before.size()));
    for (const Label &label : before)
        old.insert(label.call, &label);
    const qreal ratio = devicePixelRatioF();
    for (size_t k = 0; k < m_labels.size(); ++k) {
        Label &label = m_labels[k];
        const Entry &e = entries[size_t(label.entry)];
        label.fade = fadeStep(m_map.fadeOf(e));
        label.age = m_map.ageOf(e);
        label.shown = e;
        // A station that did not change keeps its image.
        const auto was = old.constFind(label.call);
        if (!whole && was != old.constEnd() && (*was)->age == label.age && (*was)->fade == label.fade
            && sameLook((*was)->shown, e))
            label.image = (*was)->image;
        else
            label.image = labelImage(e, m_map.ageTextOf(e), label.fade);
        label.rect = QRect(LabelX, tops[k], int(std::ceil(label.image.width() / ratio)), m_labelHeight);
    }
    if (whole) {
        viewport()->update();
        return;
    }
    // Only what moved or changed is painted again: after a save, the station saved.
    QRegion dirty;
    for (const Label &label : m_labels) {
        const auto it = old.constFind(label.call);
        if (it == old.constEnd()) {
            dirty += boundsOf(label);
            continue;
        }
        const Label &was = **it;
        if (was.rect != label.rect || was.tickY != label.tickY || was.image.cacheKey() != label.image.cacheKey()) {
            dirty += boundsOf(was);
            dirty += boundsOf(label);
        }
        old.erase(it);
    }
    for (const Label *gone : std::as_const(old))
        dirty += boundsOf(*gone);
    // A label that pushed many others along: one plain repaint costs less than clipping to each.
    if (dirty.rectCount() > 24)
        viewport()->update();
    else if (!dirty.isEmpty())
        viewport()->update(dirty.translated(0, -verticalScrollBar()->value()));
}

bool BandScale::sameLook(const Entry &a, const Entry &b)
{
    return a.call == b.call && a.marked == b.marked && a.repeat == b.repeat && a.correspondents == b.correspondents;
}

double BandScale::fadeStep(double fade)
{
    // In twentieths: a label is drawn anew a few times as it fades, not at every minute.
    return std::round(fade * 20) / 20;
}

QColor BandScale::faded(const QColor &colour, double fade) const
{
    const QColor ground = palette().color(QPalette::Base);
    auto mix = [fade](int ink, int base) { return int(std::lround(base + (ink - base) * fade)); };
    return QColor(mix(colour.red(), ground.red()), mix(colour.green(), ground.green()),
                  mix(colour.blue(), ground.blue()));
}

QImage BandScale::labelImage(const Entry &e, const QString &age, double fade)
{
    QString with;
    if (!e.correspondents.isEmpty()) {
        with = QStringLiteral("  ") + e.correspondents.mid(0, MaxCorrespondents).join(QStringLiteral(", "));
        if (e.correspondents.size() > MaxCorrespondents)
            with += QStringLiteral("…");
    }
    const QString call = (e.marked ? MarkSign : QString()) + e.call;
    const QString shownAge = QStringLiteral("  ") + age;
    const QString key = QStringLiteral("%1|%2|%3|%4|%5").arg(int(e.repeat)).arg(fade).arg(call, with, shownAge);
    const auto cached = m_images.constFind(key);
    if (cached != m_images.constEnd())
        return *cached;

    // Drawn once on the map's own ground with the fade mixed into its colours, so that a repaint
    // only copies it to the screen.
    QFont bold = font();
    bold.setBold(true);
    const QFontMetrics fmBold(bold), fm(font());
    const int callWidth = fmBold.horizontalAdvance(call);
    const int withWidth = with.isEmpty() ? 0 : fm.horizontalAdvance(with) + 2;
    const int ageWidth = fm.horizontalAdvance(shownAge) + 2;
    const QSize size(3 + callWidth + 4 + withWidth + ageWidth + 2, m_labelHeight);
    const qreal ratio = devicePixelRatioF();
    QImage image(QSize(int(std::ceil(size.width() * ratio)), int(std::ceil(size.height() * ratio))),
                 QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(palette().color(QPalette::Base));
    QPainter p(&image);
    int x = 3;
    if (e.repeat == bandmap::Repeat::Worked)
        p.fillRect(QRect(x - 2, 1, callWidth + 4, m_labelHeight - 2), faded(workedColour(), fade));
    p.setFont(bold);
    p.setPen(faded(e.repeat == bandmap::Repeat::Heard ? heardColour() : palette().color(QPalette::Text), fade));
    p.drawText(QRect(x, 0, callWidth, m_labelHeight), Qt::AlignLeft | Qt::AlignVCenter, call);
    x += callWidth + 4;
    p.setFont(font());
    if (!with.isEmpty()) {
        p.setPen(faded(QColor(48, 48, 48), fade));
        p.drawText(QRect(x, 0, withWidth, m_labelHeight), Qt::AlignLeft | Qt::AlignVCenter, with);
        x += withWidth;
    }
    p.setPen(faded(QColor(120, 120, 120), fade));
    p.drawText(QRect(x, 0, ageWidth, m_labelHeight), Qt::AlignLeft | Qt::AlignVCenter, shownAge);
    p.end();
    m_images.insert(key, image);
    return image;
}

void BandScale::changeEvent(QEvent *event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange) {
        m_labelHeight = fontMetrics().height() + 2;
        m_images.clear();
        relayout();
    }
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
    const int minor =
        major % 5 == 0 && major / 5 * ppk >= 5 ? major / 5 : (major % 2 == 0 && major / 2 * ppk >= 5 ? major / 2 : 0);
    const double hiKHz = khzAt(visible.top()) + 1, loKHz = khzAt(visible.bottom()) - 1;
    const int step = minor > 0 ? minor : major;
    for (qint64 k = qint64(std::floor(loKHz / step)) * step; k <= hiKHz; k += step) {
        if (k < m_spanLow || k > m_spanHigh)
            continue;
        const int y = contentY(double(k)) - scroll;
        const bool numbered = k % major == 0;
        p.drawLine(ScaleWidth - (numbered ? 8 : 4), y, ScaleWidth, y);
        if (numbered)
            p.drawText(QRect(2, y - m_labelHeight / 2, ScaleWidth - 12, m_labelHeight),
                       Qt::AlignRight | Qt::AlignVCenter, rig::frequencyText(k * 1000));
    }
}

void BandScale::drawLabel(QPainter &p, const Label &label) const
{
    const int scroll = verticalScrollBar()->value();
    const QRect r = label.rect.translated(0, -scroll);
    const int tickY = label.tickY - scroll;
    // Its frequency on the scale, and the line to the label where the label had to move.
    p.setPen(QPen(faded(QColor(64, 64, 64), label.fade), 1));
    p.drawLine(ScaleWidth + 1, tickY, ScaleWidth + 8, tickY);
    p.drawLine(ScaleWidth + 8, tickY, LabelX - 4, r.center().y());
    // On a ground of its own, so that the radio's line does not run through the text.
    p.drawImage(r.topLeft(), label.image);
}

void BandScale::paintEvent(QPaintEvent *event)
{
    QPainter p(viewport());
    const QRect visible = event->rect();
    drawScale(p, visible);
    // The radio's frequency across the map, under the labels, with its arrow on the scale.
    const bool marked = m_marker.has_value();
    const int markerY = marked ? yOf(double(*m_marker)) : 0;
    if (marked) {
        p.setPen(QPen(markerColour(), 2));
        p.drawLine(ScaleWidth, markerY, viewport()->width(), markerY);
    }
    const int scroll = verticalScrollBar()->value();
    const std::vector<Entry> &entries = m_map.entries();
    for (const Label &label : m_labels) {
        if (size_t(label.entry) >= entries.size() || entries[size_t(label.entry)].call != label.call)
            continue; // laid out before the entries changed; the next layout follows at once
        if (!event->region().intersects(boundsOf(label).translated(0, -scroll)))
            continue;
        drawLabel(p, label);
    }
    if (marked) {
        p.setPen(QPen(markerColour(), 2));
        p.drawLine(0, markerY, ScaleWidth, markerY);
        QPainterPath arrow;
        arrow.moveTo(ScaleWidth - 10, markerY - 6);
        arrow.lineTo(ScaleWidth, markerY);
        arrow.lineTo(ScaleWidth - 10, markerY + 6);
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
    lines << tr("%1: %2 кГц, %3 назад").arg(e.call, rig::frequencyText(e.khz * 1000), m_map.ageTextOf(e));
    if (!e.correspondents.isEmpty())
        lines << tr("С ним: %1").arg(e.correspondents.join(QStringLiteral(", ")));
    if (e.marked)
        lines << tr("Отмечен без связи");
    switch (e.repeat) {
    case bandmap::Repeat::Heard:
        lines << tr("Повтор: уже записан в этом туре");
        break;
    case bandmap::Repeat::Worked:
        lines << tr("Был корреспондентом в этом туре");
        break;
    case bandmap::Repeat::None:
        break;
    }
    lines << tr("Щелчок: перестроиться на эту частоту");
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
