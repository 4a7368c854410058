// The interface in English, as a listener who chose it meets it: with the English translation
// installed, the whole program is started with contest rules chosen, every command of every menu
// is given, every window and dialog it opens is walked, and every text on screen (captions,
// titles, tips, lists, grid titles and cells, the status bar, menus) and every message box holds
// no Russian letter; every caption of those windows still fits its room.

#include "app/program.h"
#include "app/tmain.h"
#include "base/ini_file.h"
#include "base/interface_language.h"
#include "contest_rules/rules_log.h"
#include "db/qso_store.h"
#include "support/cyrillic.h"
#include "support/scripted_services.h"
#include "support/ui/text_room.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

#include <memory>

using namespace vireo;

using vireo::test::hasCyrillic;

namespace {

// The object path of a control, for the failure's message.
QString pathOf(const QObject *o)
{
    QStringList names;
    for (; o; o = o->parent())
        names.prepend(o->objectName().isEmpty() ? QString::fromLatin1(o->metaObject()->className()) : o->objectName());
    return names.join(QLatin1Char('/'));
}

class RussianFinder {
public:
    QStringList found;

    void text(const QObject *where, const char *what, const QString &text)
    {
        // Each language is offered by its own name.
        if (text == QStringLiteral("Русский") && where->objectName() == QLatin1String("actLanguageRu"))
            return;
        if (hasCyrillic(text)) {
            const QString line = QStringLiteral("%1 %2: \"%3\"").arg(pathOf(where), QLatin1String(what), text);
            if (!found.contains(line))
                found << line;
        }
    }

    void menu(const QMenu *m)
    {
        text(m, "title", m->title());
        actions(m, m->actions());
    }

    void actions(const QObject *owner, const QList<QAction *> &list)
    {
        for (const QAction *a : list) {
            text(a->objectName().isEmpty() ? owner : a, "action", a->text());
            text(a->objectName().isEmpty() ? owner : a, "action tip", a->toolTip());
            if (a->menu())
                menu(a->menu());
        }
    }

    void model(const QAbstractItemView *view)
    {
        const QAbstractItemModel *m = view->model();
        if (!m)
            return;
        for (int c = 0; c < m->columnCount(); ++c) {
            text(view, "column title", m->headerData(c, Qt::Horizontal).toString());
            text(view, "column tip", m->headerData(c, Qt::Horizontal, Qt::ToolTipRole).toString());
        }
        for (int r = 0; r < std::min(m->rowCount(), 60); ++r) {
            text(view, "row title", m->headerData(r, Qt::Vertical).toString());
            for (int c = 0; c < m->columnCount(); ++c) {
                const QModelIndex i = m->index(r, c);
                text(view, "cell", i.data().toString());
                text(view, "cell tip", i.data(Qt::ToolTipRole).toString());
            }
        }
    }

    void widget(const QWidget *w)
    {
        if (w->isWindow())
            text(w, "title", w->windowTitle());
        text(w, "tip", w->toolTip());
        text(w, "status tip", w->statusTip());
        text(w, "what's this", w->whatsThis());
        if (auto *l = qobject_cast<const QLabel *>(w))
            text(w, "text", l->text());
        else if (auto *b = qobject_cast<const QAbstractButton *>(w))
            text(w, "text", b->text());
        else if (auto *g = qobject_cast<const QGroupBox *>(w))
            text(w, "title", g->title());
        else if (auto *e = qobject_cast<const QLineEdit *>(w))
            text(w, "placeholder", e->placeholderText());
        else if (auto *c = qobject_cast<const QComboBox *>(w)) {
            for (int i = 0; i < c->count(); ++i)
                text(w, "item", c->itemText(i));
        } else if (auto *t = qobject_cast<const QTabWidget *>(w)) {
            for (int i = 0; i < t->count(); ++i)
                text(w, "tab", t->tabText(i));
        } else if (auto *v = qobject_cast<const QAbstractItemView *>(w))
            model(v);
        else if (auto *m = qobject_cast<const QMenu *>(w))
            menu(m);
        actions(w, w->actions());
    }

    void window(const QWidget *top)
    {
        widget(top);
        for (const QWidget *w : top->findChildren<QWidget *>())
            widget(w);
    }
};

// Records a log of a contest morning, the last record of UA3AA its eleventh on 20M (refused by
// the rules), so that the score, statistics and check windows have lines to show.
QVector<QsoRecord> morningLog()
{
    QVector<QsoRecord> log;
    for (int i = 0; i < 11; ++i)
        log << test::qso(0, QStringLiteral("UA3AA"), QStringLiteral("DL%1AA").arg(i), QStringLiteral("20M"),
                         QStringLiteral("06:%1").arg(i, 2, 10, QLatin1Char('0')), QStringLiteral("001"),
                         QStringLiteral("015"), QStringLiteral("CW"), QStringLiteral("1"),
                         QStringLiteral("05.03.2026"));
    log << test::qso(0, QStringLiteral("JA1XYZ"), QStringLiteral("K1ABC"), QStringLiteral("40M"),
                     QStringLiteral("06:30"), QStringLiteral("599"), QString(), QStringLiteral("SSB"),
                     QStringLiteral("1"), QStringLiteral("05.03.2026"));
    return log;
}

} // namespace

class TestEnglishInterface : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        const QStringList missing = installTranslations(*QCoreApplication::instance(), InterfaceLanguage::English);
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QStringLiteral(", "))));
        QCOMPARE(currentInterfaceLanguage(), InterfaceLanguage::English);
    }

    void everyWindowMenuAndMessageInEnglish()
    {
        test::TestContext t;
        test::writeKnownListener(t.context.settingsPath);
        test::installShippedDefinitions(t.context.programDir);
        IniFile(t.context.settingsPath)
            .writeString(QStringLiteral("Contest"), QStringLiteral("Rules"), QStringLiteral("cq-m-2018.json"));
        RussianFinder finder;
        QStringList cut;
        // Each modal dialog is walked as it would open, then turned down.
        t.prompts->onModal = [&finder, &cut](QDialog &d) {
            d.show();
            finder.window(&d);
            cut += test::textsThatDoNotFit(&d);
            d.hide();
            return int(QDialog::Rejected);
        };
        auto program = std::make_unique<Program>(t.context);
        TMain &m = program->main();
        m.qsos().append(morningLog());
        m.show();
        QVERIFY(QTest::qWaitForWindowExposed(&m));
        m.Timer1Timer();

        // Every command of every menu, but leaving the program and setting the clock over the
        // network; the questions are answered No, the file dialogs cancelled.
        QList<QAction *> commands;
        const std::function<void(const QList<QAction *> &)> gather = [&](const QList<QAction *> &list) {
            for (QAction *a : list) {
                if (a->menu())
                    gather(a->menu()->actions());
                else if (!a->isSeparator() && a->objectName() != QLatin1String("N9")
                         && a->objectName() != QLatin1String("N14"))
                    commands << a;
            }
        };
        gather(m.menuBar()->actions());
        QVERIFY2(commands.size() > 25, qPrintable(QString::number(commands.size())));
        for (QAction *a : commands) {
            if (!a->isEnabled())
                continue;
            a->trigger();
            QCoreApplication::sendPostedEvents();
        }
        // The popup of the grid.
        for (QMenu *popup : m.findChildren<QMenu *>())
            finder.menu(popup);

        int windows = 0;
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (!w->isVisible() || qobject_cast<QMenu *>(w))
                continue;
            ++windows;
            finder.window(w);
            cut += test::textsThatDoNotFit(w);
        }
        QVERIFY(windows >= 5);
        for (const test::Shown &s : t.prompts->shown) {
            finder.text(&m, qPrintable(QStringLiteral("%1 box caption").arg(s.kind)), s.caption);
            finder.text(&m, qPrintable(QStringLiteral("%1 box").arg(s.kind)), s.text);
        }
        QVERIFY(!t.prompts->shown.isEmpty());
        QVERIFY2(finder.found.isEmpty(), qPrintable(QStringLiteral("%1 texts in Russian:\n").arg(finder.found.size())
                                                    + finder.found.join(QLatin1Char('\n'))));
        cut.removeDuplicates();
        QVERIFY2(cut.isEmpty(),
                 qPrintable(QStringLiteral("%1 texts cut:\n").arg(cut.size()) + cut.join(QLatin1Char('\n'))));
    }
};

QTEST_MAIN(TestEnglishInterface)
#include "tst_english_interface.moc"
