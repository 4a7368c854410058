// Undo from the menu, the grid and the entry fields, the copies written at start and exit, and
// restoring the log from a copy in the main window.

#include "app/backup_scheduler.h"
#include "app/trestore.h"
#include "db/log_backup.h"
#include "db/undo_journal.h"
#include "support/ui/entry_window.h"
#include "support/ui/main_controls.h"

#include <QAction>
#include <QFile>
#include <QPushButton>
#include <QTreeWidget>

using namespace vireo;
using namespace vireo::test;

namespace {

QVector<QsoRecord> seedRecords()
{
    return {record(QStringLiteral("OK1AA"), QStringLiteral("1"), QString(), QString()),
            record(QStringLiteral("OK2BB"), QStringLiteral("2"), QStringLiteral("OK3CC"), QStringLiteral("3")),
            record(QStringLiteral("OK4DD"), QStringLiteral("4"), QString(), QString()),
            record(QStringLiteral("OK5EE"), QStringLiteral("5"), QStringLiteral("OK6FF"), QStringLiteral("6"))};
}

void verifySame(const QVector<QsoRecord> &a, const QVector<QsoRecord> &b)
{
    QCOMPARE(a.size(), b.size());
    for (int i = 0; i < a.size(); ++i) {
        QCOMPARE(a[i].id, b[i].id);
        QVERIFY(a[i] == b[i]);
    }
}

void typeQso(TMain &m, const QString &call, const QString &nr)
{
    fill(m, {{"edCall1", call}, {"edNr1", nr}});
    m.SaveQso();
}

} // namespace

class UndoRestoreTest : public QObject {
    Q_OBJECT
private slots:
    void undoFromMenuGridAndFields();
    void fieldWithTextKeepsItsOwnUndo();
    void undoOfClearAndEdit();
    void copiesAtStartAndExit();
    void restoreChosenCopy();
    void damagedCopyRefused();
};

void UndoRestoreTest::undoFromMenuGridAndFields()
{
    EntryWindow w;
    TMain &m = *w.m;
    const test::MainControls ui(m);
    QCOMPARE(ui.actUndo->objectName(), QStringLiteral("actUndo"));
    QCOMPARE(ui.actUndo->text(), QStringLiteral("Отменить"));
    QVERIFY(!ui.actUndo->isEnabled());
    QCOMPARE(ui.actUndo->shortcut(), QKeySequence(QStringLiteral("Ctrl+Z")));
    w.seed(seedRecords());
    const QVector<QsoRecord> seeded = w.records();

    typeQso(m, QStringLiteral("UA1ABC"), QStringLiteral("15"));
    QCOMPARE(w.records().size(), 5);
    QCOMPARE(ui.actUndo->text(), QStringLiteral("Отменить запись QSO UA1ABC"));
    QVERIFY(ui.actUndo->isEnabled());

    // Ctrl+Delete on the grid deletes the second record at once.
    ui.DBGrid1->setFocus();
    ui.DBGrid1->selectRow(1);
    press(Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(w.records().size(), 4);
    QCOMPARE(ui.actUndo->text(), QStringLiteral("Отменить удаление OK2BB"));
    QCOMPARE(m.statusText(2), QStringLiteral("QSO: 4"));

    // Ctrl+Z on the grid brings it back with its key, selected; the counters follow.
    ui.DBGrid1->selectRow(3);
    press(Qt::Key_Z, Qt::ControlModifier);
    QVector<QsoRecord> all = w.records();
    QCOMPARE(all.size(), 5);
    verifySame(all.mid(0, 4), seeded);
    QCOMPARE(w.selectedRow(), 1);
    QCOMPARE(m.logModel().recordAt(1).call1, QStringLiteral("OK2BB"));
    QCOMPARE(m.statusText(2), QStringLiteral("QSO: 5"));
    QCOMPARE(m.statusText(3), QStringLiteral("Points: 9"));
    QCOMPARE(ui.actUndo->text(), QStringLiteral("Отменить запись QSO UA1ABC"));

    // Ctrl+Z in the empty call field takes back the save.
    ui.edCall1->setFocus();
    QVERIFY(ui.edCall1->text().isEmpty());
    press(Qt::Key_Z, Qt::ControlModifier);
    verifySame(w.records(), seeded);
    QCOMPARE(m.statusText(2), QStringLiteral("QSO: 4"));
    QCOMPARE(m.statusText(3), QStringLiteral("Points: 8"));
    QCOMPARE(focused(), ui.edCall1);
    // Next comes the test's own seeding, four records appended at once.
    QCOMPARE(ui.actUndo->text(), QStringLiteral("Отменить запись QSO OK1AA"));

    // The pop-up delete is undone from the menu.
    ui.DBGrid1->selectRow(2);
    ui.N13->trigger();
    QCOMPARE(ui.actUndo->text(), QStringLiteral("Отменить удаление OK4DD"));
    ui.actUndo->trigger();
    verifySame(w.records(), seeded);
    QCOMPARE(w.selectedRow(), 2);

    // Back to the log as found at start: nothing left, and Ctrl+Z changes nothing more.
    ui.actUndo->trigger();
    QVERIFY(w.records().isEmpty());
    QCOMPARE(m.statusText(2), QStringLiteral("QSO: 0"));
    QCOMPARE(ui.actUndo->text(), QStringLiteral("Отменить"));
    QVERIFY(!ui.actUndo->isEnabled());
    ui.edCall1->setFocus();
    press(Qt::Key_Z, Qt::ControlModifier);
    ui.actUndo->trigger();
    QVERIFY(w.records().isEmpty());
}

void UndoRestoreTest::fieldWithTextKeepsItsOwnUndo()
{
    EntryWindow w;
    TMain &m = *w.m;
    const test::MainControls ui(m);
    w.seed(seedRecords());
    typeQso(m, QStringLiteral("UA1ABC"), QStringLiteral("15"));
    QCOMPARE(w.records().size(), 5);

    ui.edCall1->setFocus();
    type(QStringLiteral("DL"));
    type(QStringLiteral("5"));
    QCOMPARE(ui.edCall1->text(), QStringLiteral("DL5"));
    press(Qt::Key_Z, Qt::ControlModifier);
    // The field took back its own typing; the log is as it was.
    QVERIFY(ui.edCall1->text() != QStringLiteral("DL5"));
    QCOMPARE(w.records().size(), 5);
    QVERIFY(ui.actUndo->isEnabled());

    // The same in the worked number field.
    ui.edNr2->setFocus();
    type(QStringLiteral("12"));
    press(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(w.records().size(), 5);
    ui.edCall1->clear();
    ui.edNr2->clear();
    ui.edNr2->setFocus();
    press(Qt::Key_Z, Qt::ControlModifier); // now empty: the log's undo
    QCOMPARE(w.records().size(), 4);
}

void UndoRestoreTest::undoOfClearAndEdit()
{
    EntryWindow w;
    TMain &m = *w.m;
    const test::MainControls ui(m);
    w.seed(seedRecords());
    const QVector<QsoRecord> seeded = w.records();

    // An edit, then a clear; undone newest first.
    ui.DBGrid1->selectRow(2);
    ui.N12->trigger();
    QVERIFY(m.editMode());
    QVERIFY(!ui.mnLogAction->isEnabled());
    ui.edCall1->clear();
    press(Qt::Key_Z, Qt::ControlModifier); // no undo in the middle of an edit
    QVERIFY(m.editMode());
    ui.edCall1->setText(QStringLiteral("OK4XX"));
    ui.btEditSave->click();
    QVERIFY(!m.editMode());
    QCOMPARE(ui.actUndo->text(), QStringLiteral("Отменить правку OK4XX"));

    w.t.prompts->answers = {true};
    ui.N7->trigger();
    QCOMPARE(w.records().size(), 0);
    QCOMPARE(ui.actUndo->text(), QStringLiteral("Отменить очистку журнала"));
    QCOMPARE(m.statusText(2), QStringLiteral("QSO: 0"));

    ui.actUndo->trigger();
    QVector<QsoRecord> all = w.records();
    QCOMPARE(all.size(), 4);
    QCOMPARE(all[2].call1, QStringLiteral("OK4XX"));
    QCOMPARE(m.logModel().rowCount(), 4);
    QCOMPARE(m.statusText(2), QStringLiteral("QSO: 4"));
    QCOMPARE(m.statusText(3), QStringLiteral("Points: 8"));
    QCOMPARE(ui.actUndo->text(), QStringLiteral("Отменить правку OK4XX"));

    ui.actUndo->trigger();
    verifySame(w.records(), seeded);
    QCOMPARE(w.selectedRow(), 2);
    QCOMPARE(m.logModel().recordAt(2).call1, QStringLiteral("OK4DD"));
}

void UndoRestoreTest::copiesAtStartAndExit()
{
    QString log;
    QString folder;
    {
        EntryWindow w;
        TMain &m = *w.m;
        const test::MainControls ui(m);
        log = w.t.context.databasePath;
        folder = logbackup::folderOf(log);
        QCOMPARE(ui.backups->settings().intervalMinutes, 10);
        QCOMPARE(ui.backups->settings().keep, 20);
        ui.backups->waitIdle();
        QCOMPARE(logbackup::list(log).size(), 1); // the log as found at start
        QVERIFY(!ui.backups->changed());

        w.seed(seedRecords());
        QVERIFY(ui.backups->changed());
        ui.backups->tick(); // what the timer does every Interval minutes
        ui.backups->waitIdle();
        QCOMPARE(logbackup::list(log).size(), 2);
        QCOMPARE(logbackup::qsoCount(logbackup::list(log).first().path), 4);
        ui.backups->tick(); // unchanged since: no copy
        ui.backups->waitIdle();
        QCOMPARE(logbackup::list(log).size(), 2);

        typeQso(m, QStringLiteral("UA1ABC"), QStringLiteral("15"));
        w.program.reset(); // exit
        const QVector<logbackup::Copy> copies = logbackup::list(log);
        QCOMPARE(copies.size(), 3);
        QCOMPARE(logbackup::qsoCount(copies.first().path), 5);
        {
            // The keys are in the file after the first run, for the listener to change.
            const IniFile written(w.t.context.settingsPath);
            QCOMPARE(written.readString(QStringLiteral("Backup"), QStringLiteral("Interval"), QString()),
                     QStringLiteral("10"));
            QCOMPARE(written.readString(QStringLiteral("Backup"), QStringLiteral("Keep"), QString()),
                     QStringLiteral("20"));
        }

        // Interval=0: no automatic copies; Keep limits what stays.
        IniFile ini(w.t.context.settingsPath);
        ini.writeInteger(QStringLiteral("Backup"), QStringLiteral("Interval"), 0);
        ini.writeInteger(QStringLiteral("Backup"), QStringLiteral("Keep"), 2);
        const BackupScheduler::Settings s = BackupScheduler::read(w.t.context.settingsPath);
        QCOMPARE(s.intervalMinutes, 0);
        QCOMPARE(s.keep, 2);
        w.program = std::make_unique<Program>(w.t.context);
        test::MainControls(w.program->main()).backups->waitIdle();
        w.program->main().qsos().clear();
        w.program.reset();
        QCOMPARE(logbackup::list(log).size(), 3);
        QCOMPARE(BackupScheduler::read(w.t.context.settingsPath).intervalMinutes, 0); // kept as the listener set it
        QCOMPARE(BackupScheduler::read(w.t.context.settingsPath).keep, 2);
    }
}

void UndoRestoreTest::restoreChosenCopy()
{
    EntryWindow w;
    TMain &m = *w.m;
    const test::MainControls ui(m);
    ui.backups->waitIdle();
    w.seed(seedRecords());
    const QVector<QsoRecord> seeded = w.records();
    w.t.clock->now = QDateTime(QDate(2026, 3, 5), QTime(8, 15, 30), Qt::UTC);
    const QString copy = ui.backups->copyNow();
    const int copiesBefore = int(logbackup::list(w.t.context.databasePath).size());
    QCOMPARE(copiesBefore, 2);

    typeQso(m, QStringLiteral("UA1ABC"), QStringLiteral("15"));
    ui.DBGrid1->selectRow(0);
    ui.N13->trigger();
    QCOMPARE(w.records().size(), 4);

    // The window lists the copies newest first with their QSOs; the listener picks the newest.
    QStringList rows;
    w.t.prompts->onModal = [&rows](QDialog &d) {
        auto *list = d.findChild<QTreeWidget *>(QStringLiteral("lvBackups"));
        if (!list)
            return int(QDialog::Rejected);
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            rows << list->topLevelItem(i)->text(0) + QLatin1Char('|') + list->topLevelItem(i)->text(1);
        list->setCurrentItem(list->topLevelItem(0));
        d.findChild<QPushButton *>(QStringLiteral("btRestore"))->click();
        return d.result();
    };
    w.t.prompts->answers = {true};
    w.t.clock->now = QDateTime(QDate(2026, 3, 5), QTime(9, 0, 0), Qt::UTC);
    ui.actRestore->trigger();
    QCOMPARE(rows, (QStringList{QStringLiteral("05.03.2026 08:15:30|4"), QStringLiteral("05.03.2026 07:04:09|0")}));
    QCOMPARE(w.t.prompts->texts(QStringLiteral("yesno")).last(),
             QStringLiteral("Заменить журнал резервной копией от 05.03.2026 08:15:30 UTC (QSO: 4)?\n"
                            "Текущий журнал будет сохранён как ещё одна резервная копия."));
    QVERIFY(w.t.prompts->texts(QStringLiteral("error")).isEmpty());

    verifySame(w.records(), seeded);
    QCOMPARE(m.logModel().rowCount(), 4);
    QCOMPARE(m.statusText(2), QStringLiteral("QSO: 4"));
    QCOMPARE(m.statusText(3), QStringLiteral("Points: 8"));
    QCOMPARE(m.statusText(5), QStringLiteral("Журнал восстановлен из копии от 05.03.2026 08:15:30 UTC"));
    QVERIFY(!ui.actUndo->isEnabled());
    // The replaced log was saved first as one more copy.
    const QVector<logbackup::Copy> copies = logbackup::list(w.t.context.databasePath);
    QCOMPARE(copies.size(), copiesBefore + 1);
    QCOMPARE(copies.first().utc, QDateTime(QDate(2026, 3, 5), QTime(9, 0, 0), Qt::UTC));
    QCOMPARE(logbackup::qsoCount(copies.first().path), 4);
    QVERIFY(copies.first().path != copy);

    // Work goes on in the restored log, undo included.
    typeQso(m, QStringLiteral("RA9ZZ"), QStringLiteral("7"));
    QCOMPARE(ui.actUndo->text(), QStringLiteral("Отменить запись QSO RA9ZZ"));
    ui.actUndo->trigger();
    verifySame(w.records(), seeded);

    // "No" to the question changes nothing.
    w.t.prompts->answers = {false};
    ui.N13->trigger();
    ui.actRestore->trigger();
    QCOMPARE(w.records().size(), 3);
}

void UndoRestoreTest::damagedCopyRefused()
{
    EntryWindow w;
    TMain &m = *w.m;
    const test::MainControls ui(m);
    ui.backups->waitIdle();
    w.seed(seedRecords());
    const QVector<QsoRecord> seeded = w.records();
    const QString folder = logbackup::folderOf(w.t.context.databasePath);
    {
        QFile f(folder + QStringLiteral("/vireolog-20260305-100000.db"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(5000, '\x07'));
    }
    QStringList rows;
    w.t.prompts->onModal = [&rows](QDialog &d) {
        auto *list = d.findChild<QTreeWidget *>(QStringLiteral("lvBackups"));
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            rows << list->topLevelItem(i)->text(1);
        list->setCurrentItem(list->topLevelItem(0));
        return int(QDialog::Accepted);
    };
    w.t.prompts->answers = {true};
    const int copies = int(logbackup::list(w.t.context.databasePath).size());
    ui.actRestore->trigger();
    QCOMPARE(rows.first(), QStringLiteral("копия повреждена"));
    QCOMPARE(w.t.prompts->texts(QStringLiteral("error")),
             QStringList{QStringLiteral("Резервная копия vireolog-20260305-100000.db повреждена: "
                                        "файл не является базой данных.\nЖурнал не изменён.")});
    verifySame(w.records(), seeded);
    QCOMPARE(m.statusText(2), QStringLiteral("QSO: 4"));
    QCOMPARE(int(logbackup::list(w.t.context.databasePath).size()), copies); // nothing saved or removed
}

QTEST_MAIN(UndoRestoreTest)
#include "tst_undo_restore.moc"
