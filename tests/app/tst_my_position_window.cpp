// The listener's own position in the real program: the window "Моё местоположение" and the
// first-run dialog check what is typed, show the other form, write MyPosition at once, and the
// station panel measures from the new place without a restart.

#include "app/program.h"
#include "app/tfmstart.h"
#include "app/tmain.h"
#include "base/ini_file.h"
#include "stationinfo/my_position.h"
#include "stationinfo/station_lookup.h"
#include "stationinfo/ui/position_fields.h"
#include "stationinfo/ui/tmyposition.h"
#include "support/scripted_services.h"
#include "support/ui/main_controls.h"
#include "support/ui/typing.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QtTest>

using namespace vireo;

namespace {

GeoPosition stored(const QString &settingsPath)
{
    return myposition::read(settingsPath);
}

// Typing here goes over a field's whole text, as a listener does.
constexpr auto &type = test::typeOver;

} // namespace

class MyPositionWindowTest : public QObject {
    Q_OBJECT
private slots:
    void setFromTheSettingsMenu()
    {
        test::TestContext t;
        {
            QFile f(t.context.settingsPath);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("[MySetting]\r\nCall=UA3ABC\r\nContest=RDXC\r\n");
        }
        Program p(t.context);
        TMain &m = p.main();
        const test::MainControls ui(m);
        m.show();
        QTest::keyClicks(ui.edCall1, QStringLiteral("JA1ABC"));
        const QString fromZero = ui.lbDistance->text();
        QCOMPARE(fromZero, StationLookup(m.references()).lookup(QStringLiteral("JA1ABC"), 0, 0).distance);

        QCOMPARE(ui.actMyPosition->text(), QStringLiteral("Моё местоположение…"));
        QVERIFY(ui.mnSettings->actions().contains(ui.actMyPosition));
        ui.actMyPosition->trigger();
        auto *w = m.findChild<TMyPosition *>(QStringLiteral("MyPosition"));
        QVERIFY(w && w->isVisible());
        QCOMPARE(w->windowTitle(), QStringLiteral("Моё местоположение"));
        auto *edLocator = w->findChild<QLineEdit *>(QStringLiteral("edLocator"));
        auto *edLat = w->findChild<QLineEdit *>(QStringLiteral("edLat"));
        auto *edLon = w->findChild<QLineEdit *>(QStringLiteral("edLon"));
        QVERIFY(edLocator && edLat && edLon);
        QCOMPARE(edLat->text(), QStringLiteral("0"));
        QCOMPARE(edLocator->text(), QStringLiteral("JJ00aa"));

        // A locator shows its square's centre in degrees; saving writes the file at once and
        // the panel measures from there.
        type(edLocator, QStringLiteral("ko85tt"));
        QCOMPARE(edLat->text(), QStringLiteral("55.8125"));
        QCOMPARE(edLon->text(), QStringLiteral("37.625"));
        QCOMPARE(w->fields->lbPositionCheck->text(),
                 QStringLiteral("Середина квадрата: широта 55.8125, долгота 37.625."));
        w->btMyPositionSave->click();
        QVERIFY(!w->isVisible());
        QCOMPARE(stored(t.context.settingsPath), (GeoPosition{55.8125, 37.625}));
        QCOMPARE(m.myLatitude, 55.8125);
        const QString fromMoscow =
            StationLookup(m.references()).lookup(QStringLiteral("JA1ABC"), 55.8125, 37.625).distance;
        QVERIFY(fromMoscow != fromZero);
        QCOMPARE(ui.lbDistance->text(), fromMoscow);

        // Degrees show their locator; a wrong value is said under the fields and in a box on
        // saving, and nothing changes.
        ui.actMyPosition->trigger();
        QCOMPARE(edLocator->text(), QStringLiteral("KO85tt"));
        type(edLat, QStringLiteral("59,94"));
        type(edLon, QStringLiteral("30.31"));
        QCOMPARE(edLocator->text(), myposition::locatorOf({59.94, 30.31}));
        QCOMPARE(w->fields->lbPositionCheck->text(), QStringLiteral("Локатор %1.").arg(edLocator->text()));
        type(edLat, QStringLiteral("591.94"));
        const QString error = QStringLiteral("Широта должна быть от -90 до 90 градусов; введено 591.94.");
        QCOMPARE(w->fields->lbPositionCheck->text(), error);
        w->btMyPositionSave->click();
        QCOMPARE(t.prompts->texts(QStringLiteral("error")), QStringList{error});
        QCOMPARE(t.prompts->shown.last().caption, QStringLiteral("Vireo"));
        QVERIFY(w->isVisible());
        QCOMPARE(stored(t.context.settingsPath), (GeoPosition{55.8125, 37.625}));
        // Cancel leaves everything as it was.
        type(edLat, QStringLiteral("59.94"));
        w->btMyPositionCancel->click();
        QVERIFY(!w->isVisible());
        QCOMPARE(m.myLatitude, 55.8125);
        QCOMPARE(ui.lbDistance->text(), fromMoscow);
        QCOMPARE(stored(t.context.settingsPath), (GeoPosition{55.8125, 37.625}));

        // Saved untouched, a position with more digits than the fields show stays as it was.
        m.setMyPosition(55.0 + 1.0 / 3, 37.625);
        ui.actMyPosition->trigger();
        QCOMPARE(edLat->text(), QStringLiteral("55.33333"));
        w->btMyPositionSave->click();
        QVERIFY(!w->isVisible());
        QVERIFY(std::abs(stored(t.context.settingsPath).latitude - (55.0 + 1.0 / 3)) < 1e-12);

        // A locator that does not read.
        ui.actMyPosition->trigger();
        type(edLocator, QStringLiteral("KO8"));
        w->btMyPositionSave->click();
        QCOMPARE(t.prompts->texts(QStringLiteral("error")).last(),
                 QStringLiteral("Локатор состоит из 4, 6 или 8 знаков, например KO85 или KO85TS; введено 3: «KO8»."));
        w->btMyPositionCancel->click();
    }

    void setInTheFirstRunDialog()
    {
        test::TestContext t;
        GeoPosition atOnce;
        QString latShown;
        {
            Program p(t.context);
            TMain &m = p.main();
            int tries = 0;
            t.prompts->onModal = [&](QDialog &d) {
                auto &start = static_cast<TfmStart &>(d);
                auto *edLocator = start.findChild<QLineEdit *>(QStringLiteral("edLocator"));
                auto *edLat = start.findChild<QLineEdit *>(QStringLiteral("edLat"));
                if (!edLocator || !edLat)
                    return int(QDialog::Rejected);
                start.edCall->setText(QStringLiteral("UA3ABC"));
                start.edContest->setText(QStringLiteral("RDXC"));
                // A wrong locator keeps the dialog open with a box that says why.
                QTest::keyClicks(edLocator, QStringLiteral("KO8S"));
                start.Button1Click();
                ++tries;
                if (start.result() == QDialog::Accepted)
                    return int(QDialog::Accepted);
                type(edLocator, QStringLiteral("KO85"));
                latShown = edLat->text();
                start.Button1Click();
                ++tries;
                atOnce = stored(t.context.settingsPath);
                return start.result();
            };
            m.FormActivate();
            QCOMPARE(tries, 2);
            QCOMPARE(latShown, QStringLiteral("55.5"));
            QCOMPARE(t.prompts->texts(QStringLiteral("error")),
                     QStringList{QStringLiteral("В локаторе «KO8S» 4-й знак («S») должен быть цифрой.")});
            QCOMPARE(m.myLatitude, 55.5);
            QCOMPARE(m.myLongitude, 37.0);
        }
        QCOMPARE(atOnce, (GeoPosition{55.5, 37.0}));
        QCOMPARE(stored(t.context.settingsPath), (GeoPosition{55.5, 37.0}));
        QCOMPARE(t.relauncher->started.size(), 1);
    }

    // Left empty, the dialog goes on as before and the position stays 0, 0.
    void firstRunWithoutAPosition()
    {
        test::TestContext t;
        {
            Program p(t.context);
            t.prompts->onModal = [](QDialog &d) {
                auto &start = static_cast<TfmStart &>(d);
                start.edCall->setText(QStringLiteral("UA3ABC"));
                start.Button1Click();
                return start.result();
            };
            p.main().FormActivate();
            QCOMPARE(t.prompts->texts(QStringLiteral("error")), QStringList());
        }
        QCOMPARE(IniFile(t.context.settingsPath)
                     .readString(QStringLiteral("MyPosition"), QStringLiteral("Latitude"), QString()),
                 QStringLiteral("0"));
    }
};

QTEST_MAIN(MyPositionWindowTest)
#include "tst_my_position_window.moc"
