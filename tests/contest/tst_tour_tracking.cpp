// Tour tracking across a restart: the TOUR box keeps its state in settings.ini, so a program
// started again in the middle of a tour files its QSOs in that tour.

#include "app/program.h"
#include "app/tmain.h"
#include "base/ini_file.h"
#include "db/tour_store.h"
#include "support/scripted_services.h"
#include "support/ui/main_controls.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QtTest>

#include <memory>

using namespace vireo;

namespace {

int trackingKey(const test::TestContext &t)
{
    return IniFile(t.context.settingsPath).readInteger(QStringLiteral("Main"), QStringLiteral("TourTracking"), -1);
}

} // namespace

class TestTourTracking : public QObject {
    Q_OBJECT
private slots:
    void restartInARunningTourKeepsTheTour()
    {
        test::TestContext t;
        t.clock->now = QDateTime(QDate(2026, 12, 8), QTime(20, 0, 0), Qt::UTC);
        {
            Program p(t.context);
            TMain &m = p.main();
            const test::MainControls ui(m);
            ui.Timer1->stop();
            TourRow r;
            r.tour = 1;
            r.dateBegin = QDate(2026, 12, 8);
            r.timeBegin = QTime(12, 0, 0);
            r.dateEnd = QDate(2026, 12, 9);
            r.timeEnd = QTime(11, 59, 59);
            m.tours().append(r);
            QVERIFY(!ui.chTour->isChecked()); // off on a first start
            QCOMPARE(trackingKey(t), -1);
            ui.chTour->click();
            // Kept at once: a program killed now still starts tracking.
            QCOMPARE(trackingKey(t), 1);
            QCOMPARE(t.prompts->texts(QStringLiteral("warning")).size(), 1); // no contest name
            m.Timer1Timer();
            QCOMPARE(ui.edTour->text(), QStringLiteral("1"));
        }

        // Started again after midnight, with no contest name still: the box is on, and no
        // warning box comes from the start.
        t.prompts->shown.clear();
        t.clock->now = QDateTime(QDate(2026, 12, 9), QTime(0, 15, 0), Qt::UTC);
        {
            Program p(t.context);
            TMain &m = p.main();
            const test::MainControls ui(m);
            ui.Timer1->stop();
            QVERIFY(ui.chTour->isChecked());
            QVERIFY(t.prompts->texts(QStringLiteral("warning")).isEmpty());
            m.Timer1Timer();
            QCOMPARE(ui.edTour->text(), QStringLiteral("1"));
            QCOMPARE(ui.ibTourTime->text(), QStringLiteral("11:44:59"));
            // Switched off: kept at once, and so at the next start.
            ui.chTour->click();
            QCOMPARE(trackingKey(t), 0);
        }
        {
            Program p(t.context);
            QVERIFY(!test::MainControls(p.main()).chTour->isChecked());
        }
        QCOMPARE(trackingKey(t), 0);
    }
};

QTEST_MAIN(TestTourTracking)
#include "tst_tour_tracking.moc"
