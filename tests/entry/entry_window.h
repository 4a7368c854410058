#pragma once
// The real main window in a fresh folder, shown offscreen and active, with the clock ticked once
// at the scripted time (05.03.2026 07:04:09 UTC), and a keyboard that types into whatever has
// the focus, as a listener does.

#include "app/program.h"
#include "app/tmain.h"
#include "base/ini_file.h"
#include "db/log_table_model.h"
#include "db/qso_store.h"
#include "support/main_controls.h"
#include "support/scripted_services.h"

#include <QApplication>
#include <QItemSelectionModel>
#include <QKeyEvent>
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
        IniFile ini(t.context.settingsPath);
        ini.writeString(QStringLiteral("MySetting"), QStringLiteral("Call"), QStringLiteral("UA1SWL"));
        ini.writeString(QStringLiteral("MySetting"), QStringLiteral("Contest"), QStringLiteral("TEST"));
        if (columnLayout) {
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

inline QWidget *focused()
{
    return QApplication::focusWidget();
}

// Types each character into the focused widget as one key press with that text (so Cyrillic
// letters arrive as they do with the Russian keyboard layout).
inline void type(const QString &text)
{
    for (const QChar c : text) {
        QWidget *w = focused();
        QKeyEvent press(QEvent::KeyPress, c.toUpper().unicode(), Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, c.toUpper().unicode(), Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &release);
    }
}

inline void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(focused(), key, modifiers);
}

inline QsoRecord record(const QString &call1, const QString &nr1, const QString &call2, const QString &nr2)
{
    QsoRecord r;
    r.freq = QStringLiteral("14000");
    r.mode = QStringLiteral("CW");
    r.data = QStringLiteral("04.03.2026");
    r.time = QStringLiteral("18:30");
    r.call1 = call1;
    r.rst1 = QStringLiteral("599");
    r.nr1 = nr1;
    r.call2 = call2;
    r.rst2 = nr2.isEmpty() ? QString() : QStringLiteral("599");
    r.nr2 = nr2;
    r.band = QStringLiteral("20M");
    r.tur = QStringLiteral("1");
    r.radio = QStringLiteral("1");
    return r;
}

} // namespace vireo::test
