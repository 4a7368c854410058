// The partial-check window over the real contest-call list and a log made here: what it lists
// while a call is typed, bold and red rows, the near calls, Alt+n and double-click completion,
// following the log, its placement, and the data refresh window.

#include "app/program.h"
#include "app/tmain.h"
#include "base/ini_file.h"
#include "base/ui/widget_kit.h"
#include "db/database.h"
#include "db/qso_store.h"
#include "stationinfo/reference_files.h"
#include "stationinfo/scp_data.h"
#include "stationinfo/scp_file.h"
#include "stationinfo/ui/scp_list_model.h"
#include "stationinfo/ui/tdataupdate.h"
#include "stationinfo/ui/tscp.h"
#include "support/qso_builder.h"
#include "support/scripted_services.h"
#include "support/ui/main_controls.h"
#include "support/ui/typing.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QSemaphore>
#include <QtTest>

#include <memory>

using namespace vireo;

namespace {

QsoRecord qso(const QString &call1, const QString &call2, const QString &band = QStringLiteral("20M"))
{
    return test::Qso::typical().heard(call1, QStringLiteral("599"), QStringLiteral("001")).call2(call2).band(band);
}

QStringList masterCalls()
{
    QFile f(defaultScpPath());
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return readScp(f.readAll()).calls;
}

QStringList rows(const ScpListModel &model)
{
    QStringList out;
    for (int r = 0; r < model.rowCount(); ++r)
        out << model.index(r).data().toString();
    return out;
}

// The calls of the list that contain the fragment, sorted, each once.
QStringList containing(const QStringList &calls, const QString &fragment)
{
    QStringList out = calls.filter(fragment);
    out.sort();
    out.removeDuplicates();
    return out;
}

// Typing here replaces a field's text.
constexpr auto &type = test::clearAndType;

int rowOf(const ScpListModel &model, const QString &call)
{
    return int(rows(model).indexOf(call));
}

} // namespace

class TestScpWindow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void listsWhileTyping();
    void completionByAltAndDoubleClick();
    void followsTheLog();
    void toggleAndPlacement();
    void dataRefreshWindow();
    void readInTheBackground();
    void hintWhileTheListIsRead();

private:
    void start();
    TMain &main() { return m_program->main(); }
    TScp &scp() { return *test::MainControls(main()).scpWindow; }

    std::unique_ptr<test::TestContext> m_t;
    std::unique_ptr<Program> m_program;
};

void TestScpWindow::init()
{
    m_t = std::make_unique<test::TestContext>();
}

void TestScpWindow::cleanup()
{
    m_program.reset();
    m_t.reset();
}

void TestScpWindow::start()
{
    m_program = std::make_unique<Program>(m_t->context);
    TMain &m = main();
    const test::MainControls ui(m);
    ui.cbFreq->setCurrentText(QStringLiteral("14000"));
    m.FreqToBand();
    QCOMPARE(m.currentBand, QStringLiteral("20M"));
    m.qsos().append({qso(QStringLiteral("UA3ABC"), QStringLiteral("DL1ABC")), // repeats now
                     qso(QStringLiteral("RA3ABX"), QString(), QStringLiteral("40M"))}); // other band
    m.show();
    ui.actScp->trigger();
    QVERIFY(scp().isVisible());
    QVERIFY(ui.actScp->isChecked());
    QTRY_VERIFY(m.scpData().loaded()); // read in the background once the window opened
    m.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&m));
}

void TestScpWindow::listsWhileTyping()
{
    start();
    TMain &m = main();
    const test::MainControls ui(m);
    const QStringList known = masterCalls() + QStringList{"UA3ABC", "DL1ABC", "RA3ABX"};
    QCOMPARE(scp().lvScp->objectName(), QStringLiteral("lvScp"));
    QCOMPARE(scp().objectName(), QStringLiteral("Scp"));

    // One character lists nothing; from two on, every call that holds the text anywhere.
    for (const QString &typed : {QStringLiteral("A3AB"), QStringLiteral("3AB"), QStringLiteral("BC")}) {
        ui.edCall1->clear();
        QTest::keyClicks(ui.edCall1, typed.left(1));
        QCOMPARE(scp().matchModel().rowCount(), 0);
        QTest::keyClicks(ui.edCall1, typed.mid(1));
        QCOMPARE(rows(scp().matchModel()), containing(known, typed));
    }

    type(ui.edCall1, QStringLiteral("A3AB"));
    const ScpListModel &list = scp().matchModel();
    for (int r = 0; r < list.rowCount(); ++r) {
        const QModelIndex i = list.index(r);
        const QString call = i.data().toString();
        const bool inLog = call == QLatin1String("UA3ABC") || call == QLatin1String("RA3ABX");
        const bool repeat = call == QLatin1String("UA3ABC");
        QCOMPARE(i.data(Qt::FontRole).value<QFont>().bold(), inLog);
        QCOMPARE(i.data(Qt::ForegroundRole).value<QColor>() == QColor(255, 0, 0), repeat);
        QCOMPARE(i.data(ScpListModel::FragmentRole).toString(), QStringLiteral("A3AB"));
        QCOMPARE(i.data(ScpListModel::NumberRole).toInt(), r < 9 ? r + 1 : 0);
    }
    QVERIFY(rowOf(list, QStringLiteral("UA3ABC")) >= 0);
    type(ui.edCall1, QStringLiteral("UA3AB"));

    // The worked side lists the same way; red follows band, mode and tour of the entry line.
    type(ui.edCall2, QStringLiteral("DL1AB"));
    QCOMPARE(rows(scp().matchModel()), containing(known, QStringLiteral("DL1AB")));
    const int dl = rowOf(scp().matchModel(), QStringLiteral("DL1ABC"));
    QCOMPARE(scp().matchModel().index(dl).data(ScpListModel::RepeatRole).toBool(), true);
    ui.cbFreq->setCurrentText(QStringLiteral("7000"));
    type(ui.edCall2, QStringLiteral("DL1AB"));
    QCOMPARE(scp().matchModel().index(dl).data(ScpListModel::RepeatRole).toBool(), false);
    QCOMPARE(scp().matchModel().index(dl).data(ScpListModel::InLogRole).toBool(), true);
    ui.cbFreq->setCurrentText(QStringLiteral("14000"));

    // Near calls: one changed, missing or extra character.
    type(ui.edCall1, QStringLiteral("UA3ABD"));
    QStringList near;
    for (const QString &c : known) {
        if (c == QLatin1String("UA3ABD"))
            continue;
        const bool changed = c.size() == 6 && [&] {
            int d = 0;
            for (int i = 0; i < 6; ++i)
                d += c.at(i) != QStringLiteral("UA3ABD").at(i);
            return d == 1;
        }();
        bool missingOrExtra = false;
        for (int i = 0; i < 7 && !missingOrExtra; ++i) {
            missingOrExtra = (c.size() == 5 && QStringLiteral("UA3ABD").remove(i, 1) == c)
                             || (c.size() == 7 && QString(c).remove(i, 1) == QLatin1String("UA3ABD"));
        }
        if (changed || missingOrExtra)
            near << c;
    }
    near.sort();
    near.removeDuplicates();
    QCOMPARE(rows(scp().nearModel()), near);
    QVERIFY(near.contains(QStringLiteral("UA3ABC")));
    QVERIFY(near.contains(QStringLiteral("UA3AB")));
}

void TestScpWindow::completionByAltAndDoubleClick()
{
    start();
    TMain &m = main();
    const test::MainControls ui(m);
    ui.edCall1->setFocus();
    QTest::keyClicks(ui.edCall1, QStringLiteral("A3AB"));
    const int n = rowOf(scp().matchModel(), QStringLiteral("UA3ABC")) + 1;
    QVERIFY(n >= 1 && n <= 9);
    QTest::keyClick(ui.edCall1, Qt::Key(Qt::Key_0 + n), Qt::AltModifier);
    QCOMPARE(ui.edCall1->text(), QStringLiteral("UA3ABC"));
    // The whole change handler ran for it: a repeat in this band, mode and tour, looked up.
    QCOMPARE(kit::background(ui.edCall1), QColor(255, 0, 0));
    QCOMPARE(m.lookupCall, QStringLiteral("UA3ABC"));
    QCOMPARE(m.heardCount, 1);
    QVERIFY(!ui.lbDxccRpt->text().isEmpty());
    QCOMPARE(rows(scp().matchModel()), containing(masterCalls() + QStringList{"UA3ABC"}, QStringLiteral("UA3ABC")));

    // A number past the list does nothing.
    QTest::keyClicks(ui.edCall2, QStringLiteral("QQ9QQ"));
    QCOMPARE(scp().callForNumber(1), QString());
    const QString before = ui.edCall2->text();
    QTest::keyClick(ui.edCall2, Qt::Key_9, Qt::AltModifier);
    QCOMPARE(ui.edCall2->text(), before);

    // A double click on a near call puts it into the field it was typed in: the worked one.
    type(ui.edCall2, QStringLiteral("DL1ABD"));
    const int row = rowOf(scp().nearModel(), QStringLiteral("DL1ABC"));
    QVERIFY(row >= 0);
    QListView *view = scp().lvScpNear;
    const QRect rect = view->visualRect(scp().nearModel().index(row));
    QVERIFY(!rect.isEmpty());
    // A double click as the system delivers it: press and release, then the double click.
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, rect.center());
    QCOMPARE(ui.edCall2->text(), QStringLiteral("DL1ABC"));
    QCOMPARE(ui.edCall1->text(), QStringLiteral("UA3ABC"));
    QCOMPARE(m.lookupCall, QStringLiteral("DL1ABC"));
    QCOMPARE(kit::background(ui.edCall2), QColor(0, 255, 255)); // worked in this band: aqua
}

void TestScpWindow::followsTheLog()
{
    start();
    TMain &m = main();
    const test::MainControls ui(m);
    type(ui.edCall1, QStringLiteral("ZZ9ZZQ"));
    QCOMPARE(scp().matchModel().rowCount(), 0);
    // Saved twice, then one deleted: still listed, bold and red.
    const QVector<qint64> ids =
        m.qsos().append({qso(QStringLiteral("ZZ9ZZQ"), QString()), qso(QStringLiteral("ZZ9ZZQ"), QString())});
    type(ui.edCall1, QStringLiteral("9ZZQ"));
    QCOMPARE(rows(scp().matchModel()), (QStringList{"ZZ9ZZQ"}));
    m.qsos().remove(ids[0]);
    type(ui.edCall1, QStringLiteral("9ZZQ"));
    QCOMPARE(rows(scp().matchModel()), (QStringList{"ZZ9ZZQ"}));
    QVERIFY(scp().matchModel().index(0).data(ScpListModel::RepeatRole).toBool());
    // Edited into another band: no longer red, still bold.
    QsoRecord r = m.qsos().byId(ids[1]);
    r.band = QStringLiteral("80M");
    m.qsos().update(r);
    type(ui.edCall1, QStringLiteral("9ZZQ"));
    QVERIFY(!scp().matchModel().index(0).data(ScpListModel::RepeatRole).toBool());
    QVERIFY(scp().matchModel().index(0).data(ScpListModel::InLogRole).toBool());
    // Deleted: gone. Cleared log: the log's calls are gone, the list's stay.
    m.qsos().remove(ids[1]);
    type(ui.edCall1, QStringLiteral("9ZZQ"));
    QCOMPARE(scp().matchModel().rowCount(), 0);
    m.qsos().clear();
    type(ui.edCall1, QStringLiteral("A3AB"));
    // The whole log changed: read again in the background, listed when it is in place.
    QTRY_COMPARE(rows(scp().matchModel()), containing(masterCalls(), QStringLiteral("A3AB")));
}

void TestScpWindow::toggleAndPlacement()
{
    start();
    TMain &m = main();
    const test::MainControls ui(m);
    QCOMPARE(scp().windowTitle(), QStringLiteral("Частичный поиск позывных"));
    ui.actScp->trigger();
    QVERIFY(!scp().isVisible());
    QVERIFY(!ui.actScp->isChecked());
    // While it is closed nothing is listed; opening it lists the call in the field.
    type(ui.edCall1, QStringLiteral("A3AB"));
    QCOMPARE(scp().matchModel().rowCount(), 0);
    ui.actScp->trigger();
    QVERIFY(scp().matchModel().rowCount() > 0);
    scp().close();
    QVERIFY(!ui.actScp->isChecked());

    m_program.reset();

    // Placement from section Scp; written back when the program ends.
    {
        IniFile ini(m_t->context.settingsPath);
        ini.writeInteger(QStringLiteral("Scp"), QStringLiteral("Left"), 123);
        ini.writeInteger(QStringLiteral("Scp"), QStringLiteral("Top"), 145);
        ini.writeInteger(QStringLiteral("Scp"), QStringLiteral("Width"), 260);
        ini.writeInteger(QStringLiteral("Scp"), QStringLiteral("Height"), 400);
    }
    m_program = std::make_unique<Program>(m_t->context);
    QCOMPARE(scp().pos(), QPoint(123, 145));
    QCOMPARE(scp().size(), QSize(260, 400));
    QVERIFY(!scp().isVisible()); // each run starts with the window closed
    QVERIFY(!test::MainControls(main()).actScp->isChecked());
    scp().move(77, 88);
    scp().resize(300, 420);
    m_program.reset();
    IniFile ini(m_t->context.settingsPath);
    QCOMPARE(ini.readInteger(QStringLiteral("Scp"), QStringLiteral("Left"), -1), 77);
    QCOMPARE(ini.readInteger(QStringLiteral("Scp"), QStringLiteral("Top"), -1), 88);
    QCOMPARE(ini.readInteger(QStringLiteral("Scp"), QStringLiteral("Width"), -1), 300);
    QCOMPARE(ini.readInteger(QStringLiteral("Scp"), QStringLiteral("Height"), -1), 420);
}

void TestScpWindow::dataRefreshWindow()
{
    start();
    TMain &m = main();
    const test::MainControls ui(m);
    ui.actDataUpdate->trigger();
    TDataUpdate *w = test::control<TDataUpdate>(&m, "DataUpdate");
    QVERIFY(w && w->isVisible());
    QCOMPARE(w->objectName(), QStringLiteral("DataUpdate"));
    QCOMPARE(w->lbCtyVersion->text(), QStringLiteral("Версия cty.dat: VER20230502"));
    QCOMPARE(w->lbScpRelease->text(), QStringLiteral("Версия MASTER.SCP: Release 2023.05.02.00"));
    QVERIFY2(w->lbCounts->text().startsWith(QStringLiteral("Стран: ")), qPrintable(w->lbCounts->text()));
    QCOMPARE(w->edCtyFile->text(), defaultCtyPath());
    QCOMPARE(w->edScpFile->text(), defaultScpPath());

    // Files are chosen through the open dialog, starting in the installed data's folder.
    const QString cty = m_t->path(QStringLiteral("cty.dat"));
    const QString scpFile = m_t->path(QStringLiteral("MASTER.SCP"));
    m_t->prompts->fileNames = QStringList{cty, scpFile};
    w->btCtyFile->click();
    w->btScpFile->click();
    QCOMPARE(w->edCtyFile->text(), cty);
    QCOMPARE(w->edScpFile->text(), scpFile);
    const QStringList opened = m_t->prompts->texts(QStringLiteral("open"));
    QCOMPARE(opened.size(), 2);
    QVERIFY2(opened[0].startsWith(QStringLiteral("/usr/share/hamradio-files|")), qPrintable(opened[0]));

    // A truncated country file: an error naming file and line, nothing changed.
    auto write = [](const QString &path, const QByteArray &bytes) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    };
    write(cty, "Malta:                    15:  28:  EU:   35.88:   -14.50:    -1.0:  9H:\n"
               "    9H,=VER20991231;\n"
               "Sicily:                   15:  28:  EU:   37.50:   -14.00:\n");
    write(scpFile, "# Release 2099.12.31.00\n9H1AA\nUA3ABQ\n");
    const QString countsBefore = w->lbCounts->text();
    w->btUpdate->click();
    QCOMPARE(
        m_t->prompts->texts(QStringLiteral("error")),
        QStringList{
            QStringLiteral("Файл %1, строка 3: файл обрывается посреди записи страны.\nДанные не изменены.").arg(cty)});
    QCOMPARE(m_t->prompts->shown.last().caption, QStringLiteral("Vireo"));
    QCOMPARE(w->lbCounts->text(), countsBefore);
    type(ui.edCall1, QStringLiteral("A3AB"));
    QCOMPARE(rows(scp().matchModel()),
             containing(masterCalls() + QStringList{"UA3ABC", "RA3ABX"}, QStringLiteral("A3AB")));

    // Good files: replaced, shown, and the partial check lists the new calls at once.
    write(cty, "Malta:                    15:  28:  EU:   35.88:   -14.50:    -1.0:  9H:\n"
               "    9H,=VER20991231;\n");
    w->btUpdate->click();
    QCOMPARE(m_t->prompts->texts(QStringLiteral("error")).size(), 1);
    QCOMPARE(w->lbCtyVersion->text(), QStringLiteral("Версия cty.dat: VER20991231"));
    QCOMPARE(w->lbScpRelease->text(), QStringLiteral("Версия MASTER.SCP: Release 2099.12.31.00"));
    QCOMPARE(w->lbCounts->text(), QStringLiteral("Стран: 1, префиксов: 1, позывных: 2"));
    QTRY_COMPARE(rows(scp().matchModel()), (QStringList{"RA3ABX", "UA3ABC", "UA3ABQ"}));
    type(ui.edCall1, QStringLiteral("9H1A"));
    QCOMPARE(ui.lbDxccRpt->text(), QStringLiteral("9H"));
}

// The index is read on a worker thread: typing goes on meanwhile, records saved during the read
// are listed after it, and a deletion during the read makes it read again.
void TestScpWindow::readInTheBackground()
{
    m_program = std::make_unique<Program>(m_t->context);
    TMain &m = main();
    const test::MainControls ui(m);
    const QVector<qint64> ids = m.qsos().append(QVector<QsoRecord>{qso(QStringLiteral("QQ1QQQ"), QString())});
    QSemaphore go;
    m.scpData().setBeforeReadHook([&go] { go.acquire(); });
    m.show();
    ui.actScp->trigger();
    QVERIFY(m.scpData().reading());
    type(ui.edCall1, QStringLiteral("A3AB"));
    QCOMPARE(scp().matchModel().rowCount(), 0); // not read yet: nothing listed, nothing waited for
    m.qsos().append({qso(QStringLiteral("ZZ9ZZQ"), QString())});
    go.release();
    // In place: the lists of what was typed appear by themselves.
    QTRY_COMPARE(rows(scp().matchModel()), containing(masterCalls() + QStringList{"QQ1QQQ"}, QStringLiteral("A3AB")));
    type(ui.edCall1, QStringLiteral("9ZZQ"));
    QCOMPARE(rows(scp().matchModel()), (QStringList{"ZZ9ZZQ"}));

    // Deleted while the log is read: read again, and the call is gone.
    m.scpData().reload();
    type(ui.edCall1, QStringLiteral("Q1QQ"));
    QVERIFY(m.scpData().reading());
    m.qsos().remove(ids[0]);
    go.release(2); // the first read and the one after it
    QTRY_VERIFY(m.scpData().loaded());
    QVERIFY(!m.scpData().reading());
    QCOMPARE(rows(scp().matchModel()), QStringList());
    QCOMPARE(m.scpData().index().logCount(QStringLiteral("QQ1QQQ")), 0);
    QCOMPARE(m.scpData().index().logCount(QStringLiteral("ZZ9ZZQ")), 1);
    m.scpData().setBeforeReadHook({});
}

// After an import the index is read anew: with a call typed, the window says so instead of
// asking for more characters, and lists the calls once the read is done.
void TestScpWindow::hintWhileTheListIsRead()
{
    m_program = std::make_unique<Program>(m_t->context);
    TMain &m = main();
    const test::MainControls ui(m);
    m.show();
    ui.actScp->trigger();
    QTRY_VERIFY(m.scpData().loaded());
    type(ui.edCall1, QStringLiteral("A"));
    QCOMPARE(scp().lbScpCount->text(), QStringLiteral("Наберите не меньше двух знаков"));
    type(ui.edCall1, QStringLiteral("A3AB"));
    QVERIFY(scp().matchModel().rowCount() > 0);

    QSemaphore go;
    m.scpData().setBeforeReadHook([&go] { go.acquire(); });
    QVector<QsoRecord> batch{qso(QStringLiteral("UA3ABZ"), QString())};
    m.qsos().import(false, [&batch](QsoRecord &r) {
        if (batch.isEmpty())
            return false;
        r = batch.takeFirst();
        return true;
    });
    QCOMPARE(scp().lbScpCount->text(), QStringLiteral("Читается список позывных…"));
    QCOMPARE(scp().matchModel().rowCount(), 0);
    QTRY_VERIFY(m.scpData().reading());
    QCOMPARE(scp().lbScpCount->text(), QStringLiteral("Читается список позывных…"));
    // Typing on while the read goes on keeps the hint; fewer than two characters ask for more.
    type(ui.edCall1, QStringLiteral("A3ABZ"));
    QCOMPARE(scp().lbScpCount->text(), QStringLiteral("Читается список позывных…"));
    type(ui.edCall1, QStringLiteral("U"));
    QCOMPARE(scp().lbScpCount->text(), QStringLiteral("Наберите не меньше двух знаков"));
    type(ui.edCall1, QStringLiteral("A3ABZ"));
    go.release();
    QTRY_COMPARE(rows(scp().matchModel()), containing(masterCalls() + QStringList{"UA3ABZ"}, QStringLiteral("A3ABZ")));
    QCOMPARE(scp().lbScpCount->text(), QStringLiteral("«A3ABZ»: найдено %1").arg(scp().matchModel().rowCount()));
    m.scpData().setBeforeReadHook({});
}

QTEST_MAIN(TestScpWindow)
#include "tst_scp_window.moc"
