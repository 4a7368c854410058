// The secondary windows of the real program on a 1366 by 768 screen: on first opening they go
// beside the main window and off its entry panel, a stored place is kept, and a window that was
// not opened in a run is placed anew the next time.

#include "analysis/ui/tstats.h"
#include "app/program.h"
#include "app/tmain.h"
#include "base/ini_file.h"
#include "stationinfo/ui/trptqso.h"
#include "stationinfo/ui/tscp.h"
#include "support/scripted_services.h"
#include "support/ui/main_controls.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFrame>
#include <QScreen>
#include <QtTest>

using namespace vireo;

namespace {

QRect entryPanel(TMain &m)
{
    const test::MainControls ui(m);
    return QRect(ui.Panel1->mapToGlobal(QPoint(0, 0)), ui.Panel1->size());
}

void writeSettings(const QString &path, const QByteArray &text)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(text);
}

} // namespace

class WindowPlacementTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QCOMPARE(QGuiApplication::primaryScreen()->availableGeometry(), QRect(0, 0, 1366, 768)); }

    void firstOpeningBesideTheMainWindow()
    {
        test::TestContext t;
        writeSettings(t.context.settingsPath,
                      "[MySetting]\r\nCall=UA3ABC\r\nContest=RDXC\r\n[Main]\r\nLeft=0\r\nTop=0\r\n");
        QRect scpPlace, repeatsPlace;
        {
            Program p(t.context);
            TMain &m = p.main();
            const test::MainControls ui(m);
            m.show();
            QCOMPARE(m.pos(), QPoint(0, 0));
            const QRect panel = entryPanel(m);
            const QRect screen = m.screen()->availableGeometry();

            ui.actScp->trigger();
            scpPlace = ui.scpWindow->frameGeometry();
            QCOMPARE(scpPlace.topLeft(), QPoint(m.frameGeometry().right() + 1 + 4, m.frameGeometry().top()));
            ui.N17->trigger();
            const QRect repeats = p.rptQso().frameGeometry();
            repeatsPlace = repeats;
            ui.actStats->trigger();
            const QRect stats = ui.stats->frameGeometry();
            for (const QRect &r : {scpPlace, repeats, stats}) {
                QVERIFY2(screen.contains(r), qPrintable(QStringLiteral("%1,%2").arg(r.x()).arg(r.y())));
                QVERIFY2(!r.intersects(panel), qPrintable(QStringLiteral("%1,%2").arg(r.x()).arg(r.y())));
            }
            QVERIFY(!repeats.intersects(scpPlace)); // room for both beside the main window

            // Shown again: where it was, not placed anew.
            ui.scpWindow->move(700, 20);
            ui.actScp->trigger();
            ui.actScp->trigger();
            QCOMPARE(ui.scpWindow->pos(), QPoint(700, 20));
            ui.N17->trigger(); // the repeats window is closed at exit
        }
        IniFile ini(t.context.settingsPath);
        QCOMPARE(ini.readInteger(QStringLiteral("Scp"), QStringLiteral("Left"), -5), 700);
        QCOMPARE(ini.readInteger(QStringLiteral("Scp"), QStringLiteral("Top"), -5), 20);

        // The next run: the stored places hold.
        {
            Program p(t.context);
            TMain &m = p.main();
            const test::MainControls ui(m);
            m.show();
            ui.actScp->trigger();
            QCOMPARE(ui.scpWindow->pos(), QPoint(700, 20));
            ui.N17->trigger();
            QCOMPARE(p.rptQso().frameGeometry(), repeatsPlace);
            ui.N17->trigger();
        }
    }

    // A window that was not opened in a run does not keep the centred place it was made with.
    void notOpenedIsPlacedAnew()
    {
        test::TestContext t;
        writeSettings(t.context.settingsPath,
                      "[MySetting]\r\nCall=UA3ABC\r\nContest=RDXC\r\n[Main]\r\nLeft=0\r\nTop=0\r\n");
        {
            Program p(t.context);
            p.main().show();
        }
        IniFile ini(t.context.settingsPath);
        for (const char *section : {"Scp", "RptQso", "Stats"})
            QCOMPARE(ini.readInteger(QLatin1String(section), QStringLiteral("Left"), -5), -1);
        QVERIFY(ini.readInteger(QStringLiteral("Stats"), QStringLiteral("Width"), -5) > 0);
        Program p(t.context);
        TMain &m = p.main();
        const test::MainControls ui(m);
        m.show();
        ui.N17->trigger();
        QVERIFY(!p.rptQso().frameGeometry().intersects(entryPanel(m)));
        QCOMPARE(p.rptQso().x(), m.frameGeometry().right() + 1 + 4);
        ui.N17->trigger();
    }
};

int main(int argc, char *argv[])
{
    // The offscreen platform's screen is 800 by 800 unless told otherwise: make it a common
    // laptop screen.
    QTemporaryDir dir;
    const QString config = dir.filePath(QStringLiteral("screens.json"));
    QFile f(config);
    if (f.open(QIODevice::WriteOnly))
        f.write(R"({"screens": [{"name": "laptop", "x": 0, "y": 0, "width": 1366, "height": 768,)"
                R"( "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    f.close();
    if (qEnvironmentVariable("QT_QPA_PLATFORM") == QLatin1String("offscreen"))
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.toLocal8Bit());
    QApplication app(argc, argv);
    WindowPlacementTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_window_placement.moc"
