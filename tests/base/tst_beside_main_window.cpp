// Where a secondary window first opens: beside the main window, never over its entry panel.

#include "base/beside_main_window.h"

#include <QtTest>

using namespace vireo;

namespace {

// A main window of the designed size at the given place, its entry panel 110 pixels high above
// a 20-pixel status bar.
BesideMainWindow around(const QRect &screen, const QPoint &mainAt)
{
    BesideMainWindow a;
    a.screen = screen;
    a.main = QRect(mainAt, QSize(604, 420));
    a.entryPanel = QRect(mainAt + QPoint(0, 420 - 20 - 110), QSize(604, 110));
    return a;
}

} // namespace

class BesideMainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void rightOfTheMainWindowWhereThereIsRoom()
    {
        BesideMainWindow a = around(QRect(0, 0, 1920, 1080), QPoint(100, 200));
        const QSize scp(240, 380);
        QCOMPARE(placeBesideMainWindow(scp, a), QPoint(708, 200));
        // A second window goes under the first one in the same column.
        a.taken << QRect(QPoint(708, 200), scp);
        QCOMPARE(placeBesideMainWindow(QSize(406, 230), a), QPoint(708, 584));
        // Near the bottom of the screen it moves up along the main window's edge.
        BesideMainWindow low = around(QRect(0, 0, 1920, 1080), QPoint(100, 800));
        QCOMPARE(placeBesideMainWindow(scp, low), QPoint(708, 1080 - 380));
    }

    void belowOrLeftWhereTheRightHasNoRoom()
    {
        // The main window against the right edge: below it if the screen is high enough.
        BesideMainWindow a = around(QRect(0, 0, 1366, 1024), QPoint(760, 40));
        QCOMPARE(placeBesideMainWindow(QSize(406, 230), a), QPoint(760, 464));
        // A short screen: left of it.
        BesideMainWindow b = around(QRect(0, 0, 1366, 768), QPoint(760, 170));
        QCOMPARE(placeBesideMainWindow(QSize(240, 380), b), QPoint(760 - 4 - 240, 170));
    }

    // Wherever the main window stands on common screens, a window of each designed size lies on
    // the screen and off the entry panel.
    void neverOverTheEntryPanel_data()
    {
        QTest::addColumn<QRect>("screen");
        QTest::addColumn<QSize>("window");
        for (const QRect &screen : {QRect(0, 0, 1920, 1080), QRect(0, 0, 1366, 768), QRect(0, 0, 1280, 1024),
                                    QRect(0, 0, 1024, 768), QRect(1920, 0, 1280, 1024)})
            for (const QSize &w : {QSize(240, 380), QSize(406, 230), QSize(640, 540)})
                QTest::addRow("%dx%d+%d, %dx%d", screen.width(), screen.height(), screen.x(), w.width(), w.height())
                    << screen << w;
    }
    void neverOverTheEntryPanel()
    {
        QFETCH(QRect, screen);
        QFETCH(QSize, window);
        int tried = 0;
        for (int x = screen.left(); x + 604 <= screen.right() + 1; x += 37)
            for (int y = screen.top(); y + 420 <= screen.bottom() + 1; y += 29) {
                BesideMainWindow a = around(screen, QPoint(x, y));
                // another window already open on the right
                a.taken << QRect(QPoint(x + 608, y), QSize(240, 380));
                const QRect placed(placeBesideMainWindow(window, a), window);
                const QString where = QStringLiteral("main at %1,%2").arg(x).arg(y);
                QVERIFY2(screen.contains(placed), qPrintable(where));
                ++tried;
                // Whether the screen has room beside the panel at all (a small screen may not).
                const QRect &p = a.entryPanel;
                const bool room = p.left() - screen.left() >= window.width() + a.gap
                                  || screen.right() - p.right() >= window.width() + a.gap
                                  || p.top() - screen.top() >= window.height() + a.gap
                                  || screen.bottom() - p.bottom() >= window.height() + a.gap;
                if (!room)
                    continue;
                QVERIFY2(!placed.intersects(p), qPrintable(where));
            }
        QVERIFY(tried > 100);
    }

    // A screen with no room anywhere beside it: at the right edge of the screen, above the panel.
    void noRoomAnywhere()
    {
        BesideMainWindow a = around(QRect(0, 0, 800, 800), QPoint(98, 190));
        const QRect placed(placeBesideMainWindow(QSize(240, 380), a), QSize(240, 380));
        QCOMPARE(placed.right(), 799);
        QVERIFY(!placed.intersects(a.entryPanel));
    }
};

QTEST_APPLESS_MAIN(BesideMainWindowTest)
#include "tst_beside_main_window.moc"
