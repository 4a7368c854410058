// The English interface in the Help menu: the English edition of the manual is the one opened,
// and the about box speaks English. A program of its own, since a translator once installed
// stays for the rest of the process.

#include "about/ui/manual_link.h"
#include "about/ui/taboutbox.h"
#include "base/interface_language.h"
#include "support/scripted_services.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTest>

using namespace vireo;
using namespace vireo::test;

namespace {

// English for the test's length; Russian again however the test ends.
struct EnglishInterface {
    EnglishInterface() { installTranslations(*QCoreApplication::instance(), InterfaceLanguage::English); }
    ~EnglishInterface() { installTranslations(*QCoreApplication::instance(), InterfaceLanguage::Russian); }
};

bool writeFile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    return f.write("%PDF-1.4\n") > 0;
}

} // namespace

class TestAboutEnglish : public QObject {
    Q_OBJECT
private slots:
    void englishManualAndTexts()
    {
        TestContext t;
        QVERIFY(QDir(t.dir.path()).mkdir(QStringLiteral("share")));
        const QDir share(t.path(QStringLiteral("share")));
        t.context.sharedDataDir = share.path();
        QVERIFY(writeFile(share.filePath(QStringLiteral("manual.pdf"))));
        const QUrl russian = QUrl::fromLocalFile(share.absoluteFilePath(QStringLiteral("manual.pdf")));
        const QUrl english = QUrl::fromLocalFile(share.absoluteFilePath(QStringLiteral("manual-en.pdf")));
        {
            const EnglishInterface en;
            QCOMPARE(currentInterfaceLanguage(), InterfaceLanguage::English);

            // Only the Russian manual there: the English one is said to be missing, in English,
            // and the Russian one is not opened in its place.
            openManual(t.context);
            QVERIFY(t.shell->opened.isEmpty());
            const QStringList w = t.prompts->texts(QStringLiteral("warning"));
            QCOMPARE(w.size(), 1);
            QVERIFY2(w[0].startsWith(QStringLiteral("User manual not found")), qPrintable(w[0]));
            QVERIFY2(w[0].contains(QDir::toNativeSeparators(share.absoluteFilePath(QStringLiteral("manual-en.pdf")))),
                     qPrintable(w[0]));

            QVERIFY(writeFile(share.filePath(QStringLiteral("manual-en.pdf"))));
            t.prompts->shown.clear();
            openManual(t.context);
            QCOMPARE(t.shell->opened, QList<QUrl>{english});
            QVERIFY(t.prompts->shown.isEmpty());

            TAboutBox box(t.context);
            QCOMPARE(box.windowTitle(), QStringLiteral("About"));
            QCOMPARE(box.Label3->text(), QStringLiteral("© The authors of Vireo, 2017"));
            QCOMPARE(box.Comments->text(),
                     QStringLiteral(
                         "A program for logging what you hear in HF and VHF contests and for writing the report"));
            QVERIFY2(box.Folders->text().startsWith(QStringLiteral("Settings: ")), qPrintable(box.Folders->text()));
            QVERIFY2(box.Folders->text().contains(QStringLiteral("\nLog: ")), qPrintable(box.Folders->text()));
        }
        // Back in Russian: the Russian manual again.
        QCOMPARE(currentInterfaceLanguage(), InterfaceLanguage::Russian);
        t.shell->opened.clear();
        openManual(t.context);
        QCOMPARE(t.shell->opened, QList<QUrl>{russian});
    }
};

QTEST_MAIN(TestAboutEnglish)
#include "tst_about_english.moc"
