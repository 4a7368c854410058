#pragma once
// The drawn band map: a vertical frequency scale, high frequencies at the top, the radio's
// frequency marked across it and the map's entries as labels beside it. The wheel zooms about
// the frequency under the pointer; the scroll bar and the radio move it; a click on a label
// asks for that station.

#include "bandmap/band_map_rules.h"

#include <QAbstractScrollArea>
#include <QHash>
#include <QImage>
#include <QRect>

#include <optional>
#include <vector>

namespace vireo {

class BandMap;

class BandScale : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit BandScale(const BandMap &map, QWidget *parent = nullptr);

    // The frequencies the scale spans at least (the band's edges); entries and the marker
    // outside them widen it.
    void setSpan(qint64 lowKHz, qint64 highKHz);
    // The radio's frequency (or the frequency box's); nothing: no marker. The scale scrolls to
    // keep it in sight.
    void setMarker(std::optional<qint64> khz);
    std::optional<qint64> marker() const { return m_marker; }

    // Zoom steps of 1.25 from the default; clamped to MinZoom..MaxZoom.
    static constexpr int MinZoom = -10;
    static constexpr int MaxZoom = 12;
    void setZoom(int level);
    int zoom() const { return m_zoom; }
    double pixelsPerKHz() const;

    // The map's entries changed: lay the labels out anew.
    void entriesChanged();

    // Where things are, in the viewport's coordinates (for tests and the window).
    int yOf(double khz) const;
    double khzAt(int y) const;
    // The label of the entry with this call, empty when it has none.
    QRect labelRect(const QString &call) const;
    // The call whose label is at the point, empty when none.
    QString callAt(const QPoint &viewportPoint) const;
    // Scrolls so that the frequency stands in the middle.
    void centreOn(qint64 khz);

    static QColor heardColour() { return QColor(255, 0, 0); }
    static QColor workedColour() { return QColor(0, 255, 255); }
    static QColor markerColour() { return QColor(0, 96, 224); }

signals:
    void entryClicked(const QString &call);
    void zoomChanged(int level);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    bool viewportEvent(QEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    struct Label {
        QString call;
        int entry = 0; // index into the map's entries
        int tickY = 0; // of its frequency, in content coordinates
        QRect rect; // in content coordinates
        QImage image; // the call, its correspondents and its age, drawn once (shared with the cache)
        double fade = 1;
        int age = 0; // minutes, when drawn
        bandmap::Entry shown; // as drawn
    };
    // whole: the scale itself moved (span, zoom, size), so everything is painted again.
    void relayout(bool whole = true);
    static QRect boundsOf(const Label &label);
    void updateScrollRange();
    qint64 lowEdge() const;
    qint64 highEdge() const;
    int contentY(double khz) const;
    int contentHeight() const;
    QString tooltipOf(const bandmap::Entry &entry) const;
    void drawScale(QPainter &p, const QRect &visible) const;
    void drawLabel(QPainter &p, const Label &label) const;
    const Label *labelAt(const QPoint &viewportPoint) const;
    // A label is drawn into an image once and kept while it stays the same, so that a repaint
    // only puts images on the screen and a save draws the one label it changed.
    QImage labelImage(const bandmap::Entry &entry, const QString &age, double fade);
    static double fadeStep(double fade);
    static bool sameLook(const bandmap::Entry &a, const bandmap::Entry &b);
    QColor faded(const QColor &colour, double fade) const;
    void changeEvent(QEvent *event) override;

    const BandMap &m_map;
    qint64 m_low = 14000, m_high = 14350; // the band's edges
    qint64 m_spanLow = 14000, m_spanHigh = 14350; // with what lies outside them
    std::optional<qint64> m_marker;
    int m_zoom = 0;
    std::vector<Label> m_labels;
    int m_labelHeight = 16;
    QHash<QString, QImage> m_images;
};

} // namespace vireo
