// The band map window: its controls and place, the scale of the band with the stations drawn
// (repeats as such, aged ones fainter), the wheel's zoom, the marker that the scale follows, and
// a click or Ctrl+PgUp/PgDn without a radio setting the frequency box; in the program, the map
// following the entry line.

#include "band_map_log.h"

#include "bandmap/band_map.h"
#include "bandmap/band_map_tuner.h"
#include "bandmap/ui/band_scale.h"
#include "bandmap/ui/tbandmap.h"
#include "base/ini_file.h"
#include "base/ui/window_placement.h"
#include "rig/rig_server.h"
#include "rig/rigctld_client.h"
#include "support/sample_logs.h"
#include "support/ui/entry_window.h"
#include "support/ui/main_controls.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTimer>
#include <QWheelEvent>
#include <QtTest>

using namespace vireo;
using test::heardAt;

namespace {

std::unique_ptr<TBandMap> window(test::BandMapLog &log, std::function<RigServer *()> server = {})
{
    auto w = std::make_unique<TBandMap>(log.t.context, *log.store, std::move(server), [] { return 1; });
    w->setContext(QStringLiteral("20M"), QStringLiteral("CW"), QStringLiteral("0"));
    return w;
}

// How many pixels of the label's rectangle have this colour, more or less.
int pixelsOf(const QImage &image, const QRect &r, const QColor &colour)
{
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (qAbs(c.red() - colour.red()) < 40 && qAbs(c.green() - colour.green()) < 40
                && qAbs(c.blue() - colour.blue()) < 40)
                ++n;
        }
    return n;
}

// The darkest pixel of the rectangle (0 black .. 255 white): the call's ink.
int darkest(const QImage &image, const QRect &r)
{
    int d = 255;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            d = std::min(d, qGray(image.pixel(x, y)));
    return d;
}

void click(BandScale &scale, const QRect &label)
{
    QTest::mouseClick(scale.viewport(), Qt::LeftButton, {}, label.center());
}

} // namespace

class TestBandMapWindow : public QObject {
    Q_OBJECT
private slots:
    // The controls by name, the listener's time, and the place, time and zoom kept in
    // section BandMap of settings.ini.
    void controlsAndSettings()
    {
        test::BandMapLog log;
        log.store->append({heardAt(QStringLiteral("UA3ABC"), QStringLiteral("14025"), QStringLiteral("07:00")),
                           heardAt(QStringLiteral("DL1XX"), QStringLiteral("14012"), QStringLiteral("06:30"))});
        {
            auto w = window(log);
            QCOMPARE(w->objectName(), QStringLiteral("BandMap"));
            QCOMPARE(w->windowTitle(), QStringLiteral("Карта диапазона"));
            QCOMPARE(w->findChild<BandScale *>(QStringLiteral("BandScale")), w->bsBandMap);
            QCOMPARE(w->findChild<QSpinBox *>(QStringLiteral("seBandMapAge"))->value(), 60);
            QCOMPARE(w->lbBandMapContext->text(), QStringLiteral("20M, CW, тур 0"));
            QVERIFY(!w->map().isActive());
            w->show();
            QVERIFY(QTest::qWaitForWindowExposed(w.get()));
            QVERIFY(w->map().isActive());
            QVERIFY(w->tmBandMap->isActive());
            QCOMPARE(w->lbBandMapContext->text(), QStringLiteral("20M, CW, тур 0: станций 2"));

            // A shorter time: DL1XX, 34 minutes ago, goes.
            w->seBandMapAge->setValue(30);
            QCOMPARE(w->map().maxAgeMinutes(), 30);
            QCOMPARE(w->lbBandMapContext->text(), QStringLiteral("20M, CW, тур 0: станций 1"));
            w->bsBandMap->setZoom(3);
            // Shown beside the main window for the first time, the window counts as placed
            // (base/ui/window_placement.h), as the main window's wiring does it.
            w->setProperty(placement::Placed, true);
            w->move(40, 50);
            w->resize(340, 500);

            // Closing hides it, and a closed map follows nothing.
            QSignalSpy closed(w.get(), &TBandMap::closed);
            w->close();
            QCOMPARE(closed.count(), 1);
            QVERIFY(!w->isVisible());
            QVERIFY(!w->map().isActive());
            QVERIFY(!w->tmBandMap->isActive());
            QVERIFY(w->map().entries().empty());
        }
        IniFile ini(log.t.context.settingsPath);
        QCOMPARE(ini.readInteger(QStringLiteral("BandMap"), QStringLiteral("MaxAge"), 0), 30);
        QCOMPARE(ini.readInteger(QStringLiteral("BandMap"), QStringLiteral("Zoom"), 0), 3);
        QCOMPARE(ini.readInteger(QStringLiteral("BandMap"), QStringLiteral("Width"), 0), 340);
        QCOMPARE(ini.readInteger(QStringLiteral("BandMap"), QStringLiteral("Height"), 0), 500);
        QVERIFY(ini.readInteger(QStringLiteral("BandMap"), QStringLiteral("Left"), -1) != -1);

        auto again = window(log);
        QCOMPARE(again->seBandMapAge->value(), 30);
        QCOMPARE(again->map().maxAgeMinutes(), 30);
        QCOMPARE(again->bsBandMap->zoom(), 3);
        QCOMPARE(again->size(), QSize(340, 500));

        // A time outside the bounds in the file is brought inside them.
        ini.writeInteger(QStringLiteral("BandMap"), QStringLiteral("MaxAge"), 100000);
        auto bounded = window(log);
        QCOMPARE(bounded->map().maxAgeMinutes(), bandmap::MaxMaxAgeMinutes);
    }

    // The stations drawn beside the scale: higher ones higher up, heard repeats in red, a mark
    // of a station logged as correspondent on aqua, an old one fainter than a new one.
    void stationsDrawn()
    {
        test::BandMapLog log;
        log.store->append({heardAt(QStringLiteral("UA3ABC"), QStringLiteral("14025"), QStringLiteral("07:01"))
                               .call2(QStringLiteral("RW1A")),
                           heardAt(QStringLiteral("G4AAA"), QStringLiteral("14035"), QStringLiteral("06:15")),
                           heardAt(QStringLiteral("DL1XX"), QStringLiteral("14031"), QStringLiteral("07:02"))
                               .call2(QStringLiteral("OK1AB"))});
        auto w = window(log);
        QVERIFY(w->map().mark(QStringLiteral("OK1AB"), QStringLiteral("14029")).ok());
        QVERIFY(w->map().mark(QStringLiteral("SP9ZZ"), QStringLiteral("14020")).ok());
        w->resize(360, 520);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        BandScale &scale = *w->bsBandMap;
        scale.centreOn(14028);
        QApplication::processEvents();

        const QRect ua = scale.labelRect(QStringLiteral("UA3ABC")), g4 = scale.labelRect(QStringLiteral("G4AAA"));
        const QRect ok = scale.labelRect(QStringLiteral("OK1AB")), sp = scale.labelRect(QStringLiteral("SP9ZZ"));
        for (const QRect &r : {ua, g4, ok, sp})
            QVERIFY(scale.viewport()->rect().contains(r));
        QVERIFY(g4.top() < ok.top() && ok.top() < ua.top() && ua.top() < sp.top());
        QVERIFY(scale.yOf(14350) < scale.yOf(14000));
        // Labels never cover one another.
        for (const QRect &a : {ua, g4, ok, sp})
            for (const QRect &b : {ua, g4, ok, sp})
                QVERIFY(a == b || !a.intersects(b));

        const QImage image = scale.viewport()->grab().toImage();
        QVERIFY(pixelsOf(image, ua, BandScale::heardColour()) > 10);
        QCOMPARE(pixelsOf(image, sp, BandScale::heardColour()), 0);
        QVERIFY(pixelsOf(image, ok, BandScale::workedColour()) > 20);
        QCOMPARE(pixelsOf(image, sp, BandScale::workedColour()), 0);
        // G4AAA, 49 minutes ago of 60, is drawn fainter than SP9ZZ marked just now.
        QVERIFY2(darkest(image, g4) > darkest(image, sp) + 60,
                 qPrintable(QStringLiteral("%1 %2").arg(darkest(image, g4)).arg(darkest(image, sp))));
        // The stations' calls are where the pointer finds them.
        QCOMPARE(scale.callAt(ua.center()), QStringLiteral("UA3ABC"));
        QCOMPARE(scale.callAt(QPoint(2, 2)), QString());

        // A new QSO shows at once, without reading the band again.
        log.store->append(heardAt(QStringLiteral("RA9B"), QStringLiteral("14027"), QStringLiteral("07:04")));
        QVERIFY(!scale.labelRect(QStringLiteral("RA9B")).isEmpty());
        QCOMPARE(w->lbBandMapContext->text(), QStringLiteral("20M, CW, тур 0: станций 6"));
    }

    // The wheel zooms about the frequency under the pointer; the scale follows the marker.
    void zoomAndMarker()
    {
        test::BandMapLog log;
        log.store->append(heardAt(QStringLiteral("UA3ABC"), QStringLiteral("14025"), QStringLiteral("07:01")));
        auto w = window(log);
        w->resize(330, 480);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        BandScale &scale = *w->bsBandMap;
        QWidget *vp = scale.viewport();
        scale.centreOn(14100);
        const QPoint at(150, vp->height() / 3);
        const double under = scale.khzAt(at.y());
        const double ppk = scale.pixelsPerKHz();
        QSignalSpy zoomed(&scale, &BandScale::zoomChanged);
        QWheelEvent up(at, vp->mapToGlobal(at), QPoint(), QPoint(0, 240), Qt::NoButton, Qt::NoModifier,
                       Qt::NoScrollPhase, false);
        QApplication::sendEvent(vp, &up);
        QCOMPARE(zoomed.count(), 1);
        QCOMPARE(scale.zoom(), 2);
        QVERIFY(qAbs(scale.pixelsPerKHz() - ppk * 1.25 * 1.25) < 1e-9);
        QVERIFY(qAbs(scale.khzAt(at.y()) - under) < 1.0 / scale.pixelsPerKHz() + 1e-9);
        QWheelEvent down(at, vp->mapToGlobal(at), QPoint(), QPoint(0, -120 * 40), Qt::NoButton, Qt::NoModifier,
                         Qt::NoScrollPhase, false);
        QApplication::sendEvent(vp, &down);
        QCOMPARE(scale.zoom(), BandScale::MinZoom);

        // The marker: the radio's frequency; out of sight, the scale scrolls to it.
        scale.setZoom(4);
        scale.centreOn(14300);
        w->setFrequencyText(QStringLiteral("14 025"));
        QCOMPARE(scale.marker(), std::optional<qint64>(14025));
        const int y = scale.yOf(14025);
        QVERIFY2(y > vp->height() / 10 && y < vp->height() - vp->height() / 10, qPrintable(QString::number(y)));
        // A small move within sight does not scroll.
        const int scrolled = scale.verticalScrollBar()->value();
        w->setFrequencyText(QStringLiteral("14 026"));
        QCOMPARE(scale.verticalScrollBar()->value(), scrolled);
        // A text that is no frequency: no marker.
        w->setFrequencyText(QStringLiteral(" R1 OFF"));
        QCOMPARE(scale.marker(), std::nullopt);

        // A band without edges in the band plan spans what stands on it.
        log.store->append(heardAt(QStringLiteral("W1AW"), QStringLiteral("222100"), QStringLiteral("07:02"))
                              .band(QStringLiteral("222")));
        w->setContext(QStringLiteral("222"), QStringLiteral("CW"), QStringLiteral("0"));
        const QRect r = scale.labelRect(QStringLiteral("W1AW"));
        QVERIFY(!r.isEmpty());
        QVERIFY(vp->rect().intersects(r));
    }

    // Without a radio a click, Ctrl+PgUp and Ctrl+PgDn set the frequency box; the call is not
    // typed for the listener (nothing but the frequency box is asked for).
    void withoutARadioTheFrequencyBox()
    {
        test::BandMapLog log;
        log.store->append({heardAt(QStringLiteral("UA3ABC"), QStringLiteral("14025"), QStringLiteral("07:01")),
                           heardAt(QStringLiteral("DL1XX"), QStringLiteral("14 012"), QStringLiteral("07:02"))});
        // Rig control with no radio set up counts as no radio.
        auto none = makeRigctldServer(log.t.context.settingsPath);
        RigServer *server = none.get();
        auto w = window(log, [server] { return server; });
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        QSignalSpy box(&w->tuner(), &BandMapTuner::frequencyBoxWanted);
        QSignalSpy refused(&w->tuner(), &BandMapTuner::refused);
        w->bsBandMap->centreOn(14020);
        click(*w->bsBandMap, w->bsBandMap->labelRect(QStringLiteral("UA3ABC")));
        QCOMPARE(box.count(), 1);
        QCOMPARE(box.takeFirst().at(0).toString(), QStringLiteral("14025"));

        QCOMPARE(w->step(QStringLiteral("14 025"), false)->call, QStringLiteral("DL1XX"));
        QCOMPARE(box.takeFirst().at(0).toString(), QStringLiteral("14012"));
        QCOMPARE(w->step(QStringLiteral("14012"), true)->call, QStringLiteral("UA3ABC"));
        QCOMPARE(box.takeFirst().at(0).toString(), QStringLiteral("14025"));
        QCOMPARE(w->step(QStringLiteral("14025"), true).errorText(),
                 QStringLiteral("Выше 14 025 кГц на карте станций нет."));
        QCOMPARE(w->step(QStringLiteral("14012"), false).errorText(),
                 QStringLiteral("Ниже 14 012 кГц на карте станций нет."));
        QCOMPARE(w->step(QStringLiteral(" R1 OFF"), true).errorText(),
                 QStringLiteral("Частота «R1 OFF» не число: не от чего искать станцию на карте."));
        QVERIFY(box.isEmpty());
        QVERIFY(refused.isEmpty());

        // With the window closed the steps still work; without any rig control, the box too.
        w->close();
        auto bare = window(log);
        QSignalSpy bareBox(&bare->tuner(), &BandMapTuner::frequencyBoxWanted);
        QCOMPARE(bare->step(QStringLiteral("14000"), true)->call, QStringLiteral("DL1XX"));
        QCOMPARE(bareBox.takeFirst().at(0).toString(), QStringLiteral("14012"));
    }

    // A contest hour on a crowded band: every station and mark has its label, none covers
    // another, and the oldest are the faintest.
    void aContestHour()
    {
        test::BandMapLog log;
        log.store->append(test::contestHourOn20m());
        auto w = window(log);
        QVERIFY(w->map().mark(QStringLiteral("UA6LV"), QStringLiteral("14 046")).ok());
        QVERIFY(w->map().mark(QStringLiteral("RV3FT"), QStringLiteral("14 019")).ok());
        w->resize(360, 560);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        QCOMPARE(int(w->map().entries().size()), 18);
        QList<QRect> labels;
        for (const bandmap::Entry &e : w->map().entries()) {
            const QRect r = w->bsBandMap->labelRect(e.call);
            QVERIFY2(!r.isEmpty(), qPrintable(e.call));
            for (const QRect &other : std::as_const(labels))
                QVERIFY2(!r.intersects(other), qPrintable(e.call));
            labels << r;
        }
        // UA3ABC, heard at 06:09, has faded; RZ3AV at 06:54 has not.
        QVERIFY(w->map().fadeOf(*w->map().entryOf(QStringLiteral("UA3ABC"))) < 0.5);
        QCOMPARE(w->map().fadeOf(*w->map().entryOf(QStringLiteral("RZ3AV"))), 1.0);
    }

    // In the program the map follows the entry line's band, mode, tour and frequency box, and
    // a station clicked without a radio goes into the frequency box, whose band is taken.
    void followsTheEntryLine()
    {
        test::EntryWindow w;
        const test::MainControls ui(*w.m);
        TBandMap &map = w.program->bandMap();
        QVERIFY(!map.isVisible());
        w.seed({heardAt(QStringLiteral("UA3ABC"), QStringLiteral("14025"), QStringLiteral("07:01")),
                heardAt(QStringLiteral("DL1XX"), QStringLiteral("7012"), QStringLiteral("07:02"))
                    .band(QStringLiteral("40M"))});
        ui.cbFreq->setCurrentText(QStringLiteral("7000"));
        QCOMPARE(map.map().context(),
                 (bandmap::Context{QStringLiteral("40M"), QStringLiteral("CW"), QStringLiteral("0")}));
        QCOMPARE(map.scale()->marker(), std::optional<qint64>(7000));
        ui.cbFreq->setCurrentText(QStringLiteral("14000"));
        QCOMPARE(map.map().context().band, QStringLiteral("20M"));
        map.show();
        QVERIFY(QTest::qWaitForWindowExposed(&map));
        QCOMPARE(map.lbBandMapContext->text(), QStringLiteral("20M, CW, тур 0: станций 1"));

        // The map made active, as a click on it does with a window manager: the keyboard comes
        // back to the entry line after the click.
        map.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&map));
        map.bsBandMap->centreOn(14025);
        click(*map.bsBandMap, map.bsBandMap->labelRect(QStringLiteral("UA3ABC")));
        QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget *>(w.m));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(ui.edCall1));
        QCOMPARE(ui.cbFreq->currentText(), QStringLiteral("14025"));
        QCOMPARE(w.m->currentBand, QStringLiteral("20M"));
        QCOMPARE(map.scale()->marker(), std::optional<qint64>(14025));
        QVERIFY(ui.edCall1->text().isEmpty()); // the call is the listener's to type

        // Another mode is another map.
        ui.cbMode->setCurrentText(QStringLiteral("PH (SSB)"));
        QCOMPARE(map.map().context().mode, QStringLiteral("PH"));
        QCOMPARE(map.lbBandMapContext->text(), QStringLiteral("20M, PH, тур 0: станций 0"));
    }

    // As the listener reaches it: "Окна" -> "Карта диапазона" shows and hides it with its mark,
    // Ctrl+M in the call field marks the call typed without a QSO, Ctrl+PgUp/PgDn from the
    // fields tune to the next station (the frequency box without a radio), and what cannot be
    // done is said in the notice panel.
    void menuAndKeys()
    {
        test::EntryWindow w;
        const test::MainControls ui(*w.m);
        TBandMap &map = w.program->bandMap();
        QAction *toggle = test::control<QAction>(w.m, "actBandMap");
        QCOMPARE(toggle->text(), QStringLiteral("Карта диапазона"));
        QVERIFY(toggle->isCheckable() && !toggle->isChecked());
        toggle->trigger();
        QVERIFY(map.isVisible());
        QVERIFY(toggle->isChecked());
        toggle->trigger();
        QVERIFY(!map.isVisible());
        QVERIFY(!toggle->isChecked());

        w.seed({heardAt(QStringLiteral("DL1XX"), QStringLiteral("14012"), QStringLiteral("07:01"))});
        ui.cbFreq->setCurrentText(QStringLiteral("14025"));
        ui.edCall1->setFocus();
        QTest::keyClick(ui.edCall1, Qt::Key_M, Qt::ControlModifier);
        QCOMPARE(ui.StatusPanels[4]->text(),
                 QStringLiteral("Нечего отмечать: наберите позывной услышанной станции, затем Ctrl+M."));
        QTest::keyClicks(ui.edCall1, QStringLiteral("UA3ABC"));
        QTest::keyClick(ui.edCall1, Qt::Key_M, Qt::ControlModifier);
        QVERIFY2(ui.StatusPanels[4]->text().startsWith(QStringLiteral("UA3ABC отмечен на карте")),
                 qPrintable(ui.StatusPanels[4]->text()));
        QCOMPARE(ui.edCall1->text(), QStringLiteral("UA3ABC")); // the fields stay as they are
        QCOMPARE(w.m->qsos().count(), 1); // and no QSO is written

        QTest::keyClick(ui.edCall1, Qt::Key_PageDown, Qt::ControlModifier);
        QCOMPARE(ui.cbFreq->currentText(), QStringLiteral("14012"));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(ui.edCall1));
        QTest::keyClick(ui.edCall1, Qt::Key_PageDown, Qt::ControlModifier);
        QCOMPARE(ui.cbFreq->currentText(), QStringLiteral("14012"));
        QVERIFY(!ui.StatusPanels[4]->text().isEmpty());
        // Up again, to the station just marked: the keys work with the window closed.
        QTest::keyClick(ui.edCall1, Qt::Key_PageUp, Qt::ControlModifier);
        QCOMPARE(ui.cbFreq->currentText(), QStringLiteral("14025"));
        toggle->trigger();
        QVERIFY(map.map().entryOf(QStringLiteral("UA3ABC")));
    }
};

QTEST_MAIN(TestBandMapWindow)
#include "tst_band_map_window.moc"
