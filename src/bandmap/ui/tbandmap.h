#pragma once
// TBandMap: the band map window ("BandMap"). The scale of the current band with the radio's
// frequency and the stations heard on it; the listener's time after which they go; a click on
// a station tunes the radio there (or sets the frequency box). It follows the log while shown.
// Its place, the listener's time and the zoom are kept in section BandMap of settings.ini.

#include "bandmap/band_map_rules.h"
#include "base/error.h"
#include "base/services.h"

#include <QWidget>

#include <functional>
#include <memory>

class QLabel;
class QSpinBox;
class QTimer;

namespace vireo {

class BandMap;
class BandMapTuner;
class BandScale;
class QsoStore;
class RigServer;

class TBandMap : public QWidget {
    Q_OBJECT
public:
    // server(): the rig server of the moment (nullptr without rig control); radio(): the radio
    // followed now (1 or 2).
    TBandMap(const AppContext &context, QsoStore &qsos, std::function<RigServer *()> server, std::function<int()> radio,
             QWidget *parent = nullptr);
    ~TBandMap() override;

    BandMap &map() { return *m_map; }
    BandMapTuner &tuner() { return *m_tuner; }
    BandScale *scale() const { return bsBandMap; }

    // The entry line's band, mode code and tour text.
    void setContext(const QString &band, const QString &modeCode, const QString &tour);
    // The frequency box's text (the radio's frequency when one is followed): the marker.
    void setFrequencyText(const QString &text);
    // Ctrl+PgUp (up) and Ctrl+PgDn: tunes to the next station above or below the frequency,
    // open or closed. Returns the station it tunes to, or the status-bar text of why there is
    // none (no station there, a frequency text that is no number, a log that cannot be read).
    Result<bandmap::Entry> step(const QString &frequencyText, bool up);
    // Tunes to the station of the map with this call, as a click on it does.
    void tuneTo(const QString &call);

    // The section of settings.ini and the bounds of the listener's time.
    static QString section() { return QStringLiteral("BandMap"); }

    QLabel *lbBandMapContext = nullptr;
    QSpinBox *seBandMapAge = nullptr;
    BandScale *bsBandMap = nullptr;
    QLabel *lbBandMapLegend = nullptr;
    QTimer *tmBandMap = nullptr; // ages and other programs' writes, while shown

signals:
    // The window was closed with its close box.
    void closed();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void FormCreate();
    void FormDestroy();
    void refresh();
    void spanBand();

    AppContext m_ctx;
    std::unique_ptr<BandMap> m_map;
    std::unique_ptr<BandMapTuner> m_tuner;
    QString m_frequencyText;
};

} // namespace vireo
