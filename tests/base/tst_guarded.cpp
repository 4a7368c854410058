// The error convention: an Error or a Result carries the Russian text and the kind; the guarded
// call of the windows ends a handler at its error, keeps what it did before, and shows the text
// once in the error box.

#include "base/captions.h"
#include "base/error.h"
#include "base/ui/guarded.h"
#include "db/database_error.h"
#include "support/scripted_services.h"

#include <QtTest>

#include <sqlite3.h>

using namespace vireo;

class TestGuarded : public QObject {
    Q_OBJECT
private slots:
    void resultHoldsValueOrError()
    {
        const Result<int> good = 42;
        QVERIFY(good.ok());
        QCOMPARE(*good, 42);
        QCOMPARE(good.errorText(), QString());

        const Result<int> bad = Error(QStringLiteral("Число не введено."));
        QVERIFY(!bad);
        QCOMPARE(bad.errorText(), QStringLiteral("Число не введено."));
        QCOMPARE(bad.error().kind(), ErrorKind::Failure);
        // Taking the value of a failed result throws its error.
        try {
            (void)bad.value();
            QFAIL("no exception");
        } catch (const Error &e) {
            QCOMPARE(e.text(), QStringLiteral("Число не введено."));
        }

        // A database error passed along as a value keeps its kind.
        const Result<QString> refused = Error(DatabaseError(SQLITE_FULL, QStringLiteral("database or disk is full")));
        QCOMPARE(refused.error().kind(), ErrorKind::Database);
        QVERIFY(refused.errorText().startsWith(QStringLiteral("На диске нет места")));
    }

    void lineErrorNamesTheLine()
    {
        const LineError e(3, QStringLiteral("«hello» не похоже на позывной"));
        QCOMPARE(e.line(), 3);
        QCOMPARE(e.reason(), QStringLiteral("«hello» не похоже на позывной"));
        QCOMPARE(e.text(), QStringLiteral("Строка 3: «hello» не похоже на позывной."));
    }

    void guardedCallShowsTheErrorOnce()
    {
        test::ScriptedPrompts prompts;
        QStringList done;
        ErrorKind seen = ErrorKind::Failure;
        const bool finished = runGuarded(
            prompts,
            [&done] {
                done << QStringLiteral("first");
                throw DatabaseError(SQLITE_READONLY, QStringLiteral("attempt to write a readonly database"));
                done << QStringLiteral("second");
            },
            [&seen](const Error &e) { seen = e.kind(); });
        QVERIFY(!finished);
        QCOMPARE(done, QStringList{QStringLiteral("first")}); // ended at the error, what was done stays
        QCOMPARE(seen, ErrorKind::Database);
        QCOMPARE(prompts.shown.size(), 1);
        QCOMPARE(prompts.shown[0].kind, QStringLiteral("error"));
        QCOMPARE(prompts.shown[0].caption, errorCaption());
        QCOMPARE(prompts.shown[0].caption, QStringLiteral("Vireo"));
        QVERIFY2(
            prompts.shown[0].text.startsWith(QStringLiteral("Файл журнала или его папка доступны только для чтения")),
            qPrintable(prompts.shown[0].text));

        // A library's exception is shown with its own words; a handler that runs through shows nothing.
        prompts.shown.clear();
        QVERIFY(!runGuarded(prompts, [] { throw std::runtime_error("bad_alloc"); }));
        QCOMPARE(prompts.shown.size(), 1);
        QCOMPARE(prompts.shown[0].text, QStringLiteral("bad_alloc"));
        prompts.shown.clear();
        QVERIFY(runGuarded(prompts, [&done] { done << QStringLiteral("third"); }));
        QVERIFY(prompts.shown.isEmpty());
        QCOMPARE(done.last(), QStringLiteral("third"));

        // Without prompts (a window going after the seams) the error is only logged.
        QTest::ignoreMessage(QtWarningMsg, "error with no window to show it: Файл не записан.");
        QVERIFY(!runGuarded(static_cast<Prompts *>(nullptr), [] { throw Error(QStringLiteral("Файл не записан.")); }));
    }

    void guardedSlotRunsForAnySignal()
    {
        auto prompts = std::make_shared<test::ScriptedPrompts>();
        QObject sender;
        int runs = 0;
        QObject::connect(&sender, &QObject::objectNameChanged, &sender, guarded(prompts, [&runs] {
            if (++runs == 2)
                throw Error(QStringLiteral("Второй раз не вышло."));
        }));
        sender.setObjectName(QStringLiteral("a"));
        sender.setObjectName(QStringLiteral("b"));
        QCOMPARE(runs, 2);
        QCOMPARE(prompts->texts(QStringLiteral("error")), QStringList{QStringLiteral("Второй раз не вышло.")});
    }
};

QTEST_GUILESS_MAIN(TestGuarded)
#include "tst_guarded.moc"
