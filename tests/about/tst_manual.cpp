// The user manual built by the build: a PDF that opens, with the manual's chapters; and the
// tool that writes it, on good and bad input.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Runs a program and returns its standard output; the exit code goes to *code.
QString run(const QString &program, const QStringList &args, int *code = nullptr)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000))
        return QString();
    if (code)
        *code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return QString::fromUtf8(p.readAllStandardOutput());
}

int pages(const QString &pdf)
{
    const QString info = run(QStringLiteral("pdfinfo"), {pdf});
    for (const QString &line : info.split(QLatin1Char('\n')))
        if (line.startsWith(QLatin1String("Pages:")))
            return line.mid(6).trimmed().toInt();
    return 0;
}

void writeText(const QString &path, const QByteArray &utf8)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(utf8);
}

// A red picture of the given size (PPM: no image library needed to write it).
void writeRedPicture(const QString &path, int width, int height)
{
    QByteArray red;
    for (int i = 0; i < width * height; ++i)
        red += QByteArray("\xff\x00\x00", 3);
    writeText(path, QStringLiteral("P6\n%1 %2\n255\n").arg(width).arg(height).toLatin1() + red);
}

} // namespace

class TestManual : public QObject {
    Q_OBJECT
private slots:
    void builtManualHasItsChapters()
    {
        const QString pdf = QStringLiteral(VIREO_MANUAL_PDF);
        QVERIFY2(QFile::exists(pdf), qPrintable(pdf));
        int code = -1;
        const QString text = run(QStringLiteral("pdftotext"),
                                 {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, QStringLiteral("-")}, &code);
        QCOMPARE(code, 0);
        for (const char *heading :
             {"руководство пользователя", "1. Установка", "2. Первый запуск", "3. Ввод связей на скорости",
              "4. Клавиши", "5. Туры соревнования", "6. Отчёты", "7. Управление приёмником", "8. Синхронизация времени",
              "Ctrl+Enter", "rigctld", "CAP_SYS_TIME"})
            QVERIFY2(text.contains(QString::fromUtf8(heading)), heading);
        // The title page and each of the chapters starts a page.
        QVERIFY2(pages(pdf) >= 9, qPrintable(QString::number(pages(pdf))));
    }

    // The English edition: its own title, the chapters' headings in English, and a chapter for
    // every chapter of the Russian manual, under the same file name.
    void builtEnglishManualHasItsChapters()
    {
        const QString pdf = QStringLiteral(VIREO_MANUAL_EN_PDF);
        QVERIFY2(QFile::exists(pdf), qPrintable(pdf));
        int code = -1;
        const QString text = run(QStringLiteral("pdftotext"),
                                 {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, QStringLiteral("-")}, &code);
        QCOMPARE(code, 0);
        for (const char *heading :
             {"Vireo: user manual", "1. Installation", "2. First start", "3. Entering QSOs at speed", "4. Keys",
              "5. Contest tours", "6. Reports", "7. Rig control (CAT)", "8. Clock synchronization", "Ctrl+Enter",
              "rigctld", "CAP_SYS_TIME", "Language=en"})
            QVERIFY2(text.contains(QString::fromUtf8(heading)), heading);
        const QStringList russian = QDir(QStringLiteral(VIREO_SOURCE_DIR "/docs/manual"))
                                        .entryList({QStringLiteral("*.md")}, QDir::Files, QDir::Name);
        const QStringList english = QDir(QStringLiteral(VIREO_SOURCE_DIR "/docs/manual/en"))
                                        .entryList({QStringLiteral("*.md")}, QDir::Files, QDir::Name);
        QCOMPARE(english, russian);
        // Each chapter starts a page.
        QVERIFY2(pages(pdf) >= english.size(), qPrintable(QString::number(pages(pdf))));
    }

    void toolStartsEachChapterOnANewPage()
    {
        QTemporaryDir dir;
        writeText(dir.filePath(QStringLiteral("a.md")), "# Первая\n\n- пункт списка\n- ещё\n");
        writeText(dir.filePath(QStringLiteral("b.md")), "# Вторая\n\n| а | б |\n|---|---|\n| 1 | 2 |\n");
        const QString out = dir.filePath(QStringLiteral("out.pdf"));
        int code = -1;
        run(QStringLiteral(VIREO_MANUAL_TOOL),
            {out, QStringLiteral("Проба"), dir.filePath(QStringLiteral("a.md")), dir.filePath(QStringLiteral("b.md"))},
            &code);
        QCOMPARE(code, 0);
        QCOMPARE(pages(out), 2);
        const QString second =
            run(QStringLiteral("pdftotext"), {QStringLiteral("-f"), QStringLiteral("2"), QStringLiteral("-l"),
                                              QStringLiteral("2"), out, QStringLiteral("-")});
        QVERIFY2(second.contains(QStringLiteral("Вторая")) && !second.contains(QStringLiteral("Первая")),
                 qPrintable(second));
    }

    // A picture is read beside its chapter and drawn into the PDF; a picture that is not
    // there stops the tool, as a chapter that is not there does.
    void toolDrawsPicturesBesideTheChapter()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("text")));
        writeRedPicture(dir.filePath(QStringLiteral("map.ppm")), 120, 80);
        writeText(dir.filePath(QStringLiteral("text/a.md")),
                  "# Карта\n\n![Окно карты](../map.ppm)\n\nТекст под рисунком.\n");
        const QString out = dir.filePath(QStringLiteral("out.pdf"));
        int code = -1;
        run(QStringLiteral(VIREO_MANUAL_TOOL),
            {out, QStringLiteral("Проба"), dir.filePath(QStringLiteral("text/a.md"))}, &code);
        QCOMPARE(code, 0);
        // pdfimages -list: two heading lines, then one line per picture.
        const QStringList images = run(QStringLiteral("pdfimages"), {QStringLiteral("-list"), out})
                                       .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(images.size(), 3);
        QVERIFY2(images.at(2).contains(QLatin1String(" 120 ")) && images.at(2).contains(QLatin1String(" 80 ")),
                 qPrintable(images.at(2)));

        writeText(dir.filePath(QStringLiteral("text/b.md")), "# Без рисунка\n\n![Нет его](gone.png)\n");
        QFile::remove(out);
        run(QStringLiteral(VIREO_MANUAL_TOOL),
            {out, QStringLiteral("Проба"), dir.filePath(QStringLiteral("text/b.md"))}, &code);
        QVERIFY(code != 0);
        QVERIFY(!QFile::exists(out));
    }

    // A translated edition's picture (a folder en/) not made yet: the original's picture, one
    // folder up, is drawn in its place; missing there too, the tool fails naming the wanted one.
    void toolFallsBackToTheOriginalPicture()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("shots/en")));
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("text")));
        writeRedPicture(dir.filePath(QStringLiteral("shots/map.ppm")), 60, 40);
        writeText(dir.filePath(QStringLiteral("text/a.md")), "# Map\n\n![Map](../shots/en/map.ppm)\n");
        const QString out = dir.filePath(QStringLiteral("out.pdf"));
        int code = -1;
        run(QStringLiteral(VIREO_MANUAL_TOOL), {out, QStringLiteral("Test"), dir.filePath(QStringLiteral("text/a.md"))},
            &code);
        QCOMPARE(code, 0);
        const QStringList images = run(QStringLiteral("pdfimages"), {QStringLiteral("-list"), out})
                                       .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(images.size(), 3);
        QVERIFY2(images.at(2).contains(QLatin1String(" 60 ")) && images.at(2).contains(QLatin1String(" 40 ")),
                 qPrintable(images.at(2)));

        // Only a folder en/ falls back: another folder's missing picture still stops the tool.
        writeText(dir.filePath(QStringLiteral("text/b.md")), "# Map\n\n![Map](../shots/de/map.ppm)\n");
        QFile::remove(out);
        QProcess p;
        p.start(QStringLiteral(VIREO_MANUAL_TOOL),
                {out, QStringLiteral("Test"), dir.filePath(QStringLiteral("text/b.md"))});
        QVERIFY(p.waitForFinished(60000));
        QVERIFY(p.exitCode() != 0);
        QVERIFY2(QString::fromLocal8Bit(p.readAllStandardError()).contains(QLatin1String("shots/de/map.ppm")),
                 "the message names the wanted picture");
        QVERIFY(!QFile::exists(out));
    }

    void toolLeavesNothingBehindOnBadInput()
    {
        QTemporaryDir dir;
        const QString out = dir.filePath(QStringLiteral("out.pdf"));
        writeText(dir.filePath(QStringLiteral("empty.md")), "  \n");
        int code = 0;
        run(QStringLiteral(VIREO_MANUAL_TOOL), {out, QStringLiteral("t"), dir.filePath(QStringLiteral("missing.md"))},
            &code);
        QVERIFY(code != 0);
        run(QStringLiteral(VIREO_MANUAL_TOOL), {out, QStringLiteral("t"), dir.filePath(QStringLiteral("empty.md"))},
            &code);
        QVERIFY(code != 0);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("empty.md")});
    }
};

QTEST_MAIN(TestManual)
#include "tst_manual.moc"
