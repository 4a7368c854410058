#pragma once
// The real main window in a fresh folder, shown offscreen and active, with the clock ticked once
// at the scripted time (05.03.2026 07:04:09 UTC), and a keyboard that types into whatever has
// the focus, as a listener does (support/typing.h).

#include "app/program.h"
#include "app/tmain.h"
#include "base/ini_file.h"
#include "db/log_table_model.h"
#include "db/qso_store.h"
#include "support/sample_logs.h"
#include "support/scripted_services.h"
#include "support/ui/main_controls.h"
#include "support/ui/typing.h"

#include <QApplication>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QTableView>
#include <QTimer>
#include <QtTest>

#include <memory>

namespace vireo::test {

struct EntryWindow {
    TestContext t;
    std::unique_ptr<Program> program;
    TMain *m = nullptr;

    explicit EntryWindow(bool columnLayout = false)
    {
        writeKnownListener(t.context.settingsPath);
        if (columnLayout) {
            IniFile ini(t.context.settingsPath);
            ini.writeInteger(QStringLiteral("Main"), QStringLiteral("Left"), 10);
            ini.writeInteger(QStringLiteral("Main"), QStringLiteral("Top"), 10);
            ini.writeInteger(QStringLiteral("Main"), QStringLiteral("Position"), 1);
        }
        program = std::make_unique<Program>(t.context);
        m = &program->main();
        MainControls(*m).Timer1->stop(); // the test ticks the clock itself
        m->show();
        m->activateWindow();
        if (!QTest::qWaitForWindowActive(m))
            qWarning("main window not active");
        m->Timer1Timer();
        MainControls(*m).edCall1->setFocus();
    }

    QVector<QsoRecord> records()
    {
        QVector<QsoRecord> all;
        m->qsos().forEach([&all](const QsoRecord &r) { all.append(r); });
        return all;
    }

    // Records put straight into the log, as if filed earlier; the grid shows them.
    QVector<qint64> seed(const QVector<QsoRecord> &rs)
    {
        const QVector<qint64> ids = m->qsos().append(rs);
        m->logModel().reload();
        m->RefreshCounters();
        return ids;
    }

    int selectedRow() const
    {
        const QModelIndexList rows = MainControls(*m).DBGrid1->selectionModel()->selectedRows();
        return rows.isEmpty() ? -1 : rows.first().row();
    }
};

} // namespace vireo::test
