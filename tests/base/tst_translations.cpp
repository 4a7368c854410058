// The English interface: every text of the code goes through tr() (or is marked as one that
// never changes with the language), every text of translations/en is translated by hand, keeps
// the placeholders of its Russian source, and the translation built into the program loads.

#include "base/interface_language.h"
#include "support/cyrillic.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTranslator>
#include <QXmlStreamReader>
#include <QtTest>

using namespace vireo;

using vireo::test::hasCyrillic;

namespace {

const QString SourceDir = QStringLiteral(VIREO_SOURCE_DIR);

// The placeholders of a text: %1..%99 and %n, each once, sorted.
QStringList placeholders(const QString &s)
{
    static const QRegularExpression re(QStringLiteral("%(\\d{1,2}|n)"));
    QSet<QString> found;
    for (auto it = re.globalMatch(s); it.hasNext();)
        found.insert(it.next().captured(0));
    QStringList list(found.begin(), found.end());
    list.sort();
    return list;
}

struct Message {
    QString file, context, source, comment;
    QStringList translations; // one, or the plural forms
    QString type; // "unfinished", "vanished", "obsolete" or empty
};

// The text of the element the reader stands on, with the characters lupdate writes as
// <byte value="xd"/> (a carriage return and the like) put back; the reader ends on its end.
QString elementText(QXmlStreamReader &xml)
{
    QString text;
    while (xml.readNext() != QXmlStreamReader::EndElement || xml.name() == QLatin1String("byte")) {
        if (xml.hasError() || xml.atEnd())
            break;
        if (xml.isCharacters())
            text += xml.text();
        else if (xml.isStartElement() && xml.name() == QLatin1String("byte")) {
            const QString value = xml.attributes().value(QLatin1String("value")).toString();
            bool ok = false;
            const uint code = value.startsWith(QLatin1Char('x')) ? value.mid(1).toUInt(&ok, 16) : value.toUInt(&ok);
            if (ok)
                text += QChar(code);
        }
    }
    return text;
}

QList<Message> readTs(const QString &path, QString *error)
{
    QList<Message> messages;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        *error = path + QStringLiteral(": cannot be read");
        return messages;
    }
    QXmlStreamReader xml(&f);
    QString context;
    Message m;
    bool numerus = false; // the message has plural forms, each a <numerusform>
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const auto name = xml.name();
            if (name == QLatin1String("TS")) {
                if (xml.attributes().value(QLatin1String("sourcelanguage")) != QLatin1String("ru_RU")
                    || xml.attributes().value(QLatin1String("language")) != QLatin1String("en_US"))
                    *error = path + QStringLiteral(": not a Russian to English file");
            } else if (name == QLatin1String("context"))
                context.clear();
            else if (name == QLatin1String("name") && context.isEmpty())
                context = elementText(xml);
            else if (name == QLatin1String("message")) {
                m = Message{QFileInfo(path).fileName(), context, {}, {}, {}, {}};
                numerus = xml.attributes().value(QLatin1String("numerus")) == QLatin1String("yes");
            } else if (name == QLatin1String("source"))
                m.source = elementText(xml);
            else if (name == QLatin1String("comment"))
                m.comment = elementText(xml);
            else if (name == QLatin1String("translation")) {
                m.type = xml.attributes().value(QLatin1String("type")).toString();
                if (!numerus)
                    m.translations << elementText(xml);
            } else if (name == QLatin1String("numerusform"))
                m.translations << elementText(xml);
        } else if (xml.isEndElement() && xml.name() == QLatin1String("message"))
            messages << m;
    }
    if (xml.hasError())
        *error = path + QStringLiteral(": ") + xml.errorString();
    return messages;
}

QList<Message> allMessages(QString *error)
{
    QList<Message> all;
    const QDir dir(SourceDir + QStringLiteral("/translations/en"));
    for (const QString &name : dir.entryList({QStringLiteral("*.ts")}, QDir::Files, QDir::Name)) {
        all += readTs(dir.filePath(name), error);
        if (!error->isEmpty())
            break;
    }
    return all;
}

// A string literal of the code that holds Russian text, where it stands.
struct Literal {
    QString file;
    int line = 0;
    QString text;
    QString call; // the name before the innermost open parenthesis around it
    bool marked = false; // an "untranslated:" comment on its line or the line before
};

// Reads a C++ file as a stream of tokens just far enough to find its string literals (plain,
// prefixed and raw), the comments, and the call each literal is an argument of.
QList<Literal> russianLiterals(const QString &path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    const QString s = QString::fromUtf8(f.readAll());
    QList<Literal> found;
    QSet<int> markedLines; // lines that carry an "untranslated:" comment
    QList<QString> openCalls; // per open parenthesis, the identifier before it
    QString lastIdentifier;
    int line = 1;
    const int n = int(s.size());
    for (int i = 0; i < n;) {
        const QChar c = s[i];
        if (c == QLatin1Char('\n')) {
            ++line;
            ++i;
            lastIdentifier.clear();
            continue;
        }
        if (s.mid(i, 2) == QLatin1String("//")) {
            const int end = s.indexOf(QLatin1Char('\n'), i);
            const QString comment = s.mid(i, end < 0 ? -1 : end - i);
            if (comment.contains(QLatin1String("untranslated:")))
                markedLines.insert(line);
            i = end < 0 ? n : end;
            continue;
        }
        if (s.mid(i, 2) == QLatin1String("/*")) {
            const int end = s.indexOf(QLatin1String("*/"), i + 2);
            const QString comment = s.mid(i, end < 0 ? -1 : end + 2 - i);
            if (comment.contains(QLatin1String("untranslated:")))
                markedLines.insert(line);
            line += int(comment.count(QLatin1Char('\n')));
            i = end < 0 ? n : end + 2;
            continue;
        }
        if (c == QLatin1Char('\'')) { // a character literal
            int j = i + 1;
            while (j < n && s[j] != QLatin1Char('\'') && s[j] != QLatin1Char('\n'))
                j += s[j] == QLatin1Char('\\') ? 2 : 1;
            i = j + 1;
            continue;
        }
        if (c == QLatin1Char('"')) {
            QString text;
            int j = i + 1;
            const bool raw = lastIdentifier.endsWith(QLatin1Char('R'));
            if (raw) {
                const int open = s.indexOf(QLatin1Char('('), j);
                const QString delimiter = QLatin1Char(')') + s.mid(j, open - j) + QLatin1Char('"');
                const int end = s.indexOf(delimiter, open);
                text = s.mid(open + 1, end - open - 1);
                j = end + int(delimiter.size());
            } else {
                while (j < n && s[j] != QLatin1Char('"') && s[j] != QLatin1Char('\n')) {
                    if (s[j] == QLatin1Char('\\'))
                        text += s[j++];
                    text += s[j++];
                }
                ++j;
            }
            if (hasCyrillic(text))
                found << Literal{path, line, text, openCalls.isEmpty() ? QString() : openCalls.last(), false};
            line += int(text.count(QLatin1Char('\n')));
            lastIdentifier.clear();
            i = j;
            continue;
        }
        if (c.isLetterOrNumber() || c == QLatin1Char('_')) {
            int j = i;
            while (j < n && (s[j].isLetterOrNumber() || s[j] == QLatin1Char('_')))
                ++j;
            lastIdentifier = s.mid(i, j - i);
            i = j;
            continue;
        }
        if (c == QLatin1Char('(') || c == QLatin1Char('{') || c == QLatin1Char('['))
            openCalls << (c == QLatin1Char('(') ? lastIdentifier : QString());
        else if ((c == QLatin1Char(')') || c == QLatin1Char('}') || c == QLatin1Char(']')) && !openCalls.isEmpty())
            openCalls.removeLast();
        if (!c.isSpace())
            lastIdentifier.clear();
        ++i;
    }
    for (Literal &l : found)
        l.marked = markedLines.contains(l.line) || markedLines.contains(l.line - 1);
    return found;
}

} // namespace

class TestTranslations : public QObject {
    Q_OBJECT
private slots:
    // Each text the listener may see is handed to tr() (or QCoreApplication::translate and the
    // QT_TRANSLATE_NOOP marks of a table); a text that must stay Russian whatever the
    // interface's language (what goes into a report file, a Russian keyboard's letters) says so
    // with an "untranslated:" comment and its reason.
    void everyRussianTextOfTheCodeGoesThroughTr()
    {
        static const QSet<QString> translating{QStringLiteral("tr"),
                                               QStringLiteral("translate"),
                                               QStringLiteral("QT_TR_NOOP"),
                                               QStringLiteral("QT_TR_N_NOOP"),
                                               QStringLiteral("QT_TRANSLATE_NOOP"),
                                               QStringLiteral("QT_TRANSLATE_N_NOOP"),
                                               QStringLiteral("QT_TRANSLATE_NOOP3")};
        QStringList untranslated;
        int literals = 0;
        QDirIterator it(SourceDir + QStringLiteral("/src"), {QStringLiteral("*.cpp"), QStringLiteral("*.h")},
                        QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            for (const Literal &l : russianLiterals(path)) {
                ++literals;
                if (!l.marked && !translating.contains(l.call))
                    untranslated << QStringLiteral("%1:%2: \"%3\"")
                                        .arg(QDir(SourceDir).relativeFilePath(l.file))
                                        .arg(l.line)
                                        .arg(l.text.left(60));
            }
        }
        QVERIFY(literals > 0); // the scanner finds the Russian texts at all
        QVERIFY2(untranslated.isEmpty(),
                 qPrintable(QStringLiteral("%1 Russian texts not handed to tr():\n").arg(untranslated.size())
                            + untranslated.join(QLatin1Char('\n'))));
    }

    // The scanner itself: a text in tr() passes, a bare one is found, a marked one is let be.
    void theScannerTellsTheCases()
    {
        QTemporaryDir dir;
        QFile f(dir.filePath(QStringLiteral("sample.cpp")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("// \"Журнал\" in a comment\n"
                "auto a = tr(\"Журнал\");\n"
                "auto b = QStringLiteral(\"Окна\");\n"
                "auto c = QCoreApplication::translate(\"ctx\",\n    \"Справка\");\n"
                "auto d = QStringLiteral(\"Лог\"); // untranslated: written into the file\n"
                "auto e = tr(\"a (\" \"b\") + QString(\"Счёт\");\n"
                "auto f = R\"x(Звук \"в кавычках\")x\";\n"
                "char g = '\"'; auto h = tr(\"Да\");\n");
        f.close();
        const QList<Literal> l = russianLiterals(f.fileName());
        QCOMPARE(l.size(), 7);
        QCOMPARE(l[0].call, QStringLiteral("tr"));
        QCOMPARE(l[1].call, QStringLiteral("QStringLiteral"));
        QCOMPARE(l[2].call, QStringLiteral("translate"));
        QCOMPARE(l[2].line, 5);
        QVERIFY(l[3].marked);
        QVERIFY(!l[1].marked);
        QCOMPARE(l[4].call, QStringLiteral("QString")); // "Счёт" outside the closed tr()
        QCOMPARE(l[5].text, QStringLiteral("Звук \"в кавычках\""));
        QCOMPARE(l[6].call, QStringLiteral("tr"));
        QCOMPARE(l[6].line, 9);
    }

    // Every text is translated: finished, in English, with the placeholders of its source.
    void everyTextIsTranslatedInEnglish()
    {
        QString error;
        const QList<Message> all = allMessages(&error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QStringList faults;
        for (const Message &m : all) {
            const QString where = QStringLiteral("%1 %2 \"%3\"").arg(m.file, m.context, m.source.left(60));
            if (m.type == QLatin1String("vanished") || m.type == QLatin1String("obsolete")) {
                faults << where + QStringLiteral(": no longer in the code");
                continue;
            }
            if (m.type == QLatin1String("unfinished") || m.translations.isEmpty()) {
                faults << where + QStringLiteral(": not translated");
                continue;
            }
            for (const QString &t : m.translations) {
                if (t.trimmed().isEmpty() && !m.source.trimmed().isEmpty())
                    faults << where + QStringLiteral(": empty translation");
                else if (hasCyrillic(t))
                    faults << where + QStringLiteral(": Russian left in \"%1\"").arg(t);
                else if (placeholders(t) != placeholders(m.source))
                    faults << where
                                  + QStringLiteral(": placeholders %1, the source has %2")
                                        .arg(placeholders(t).join(QLatin1Char(' ')),
                                             placeholders(m.source).join(QLatin1Char(' ')));
            }
        }
        QVERIFY2(faults.isEmpty(),
                 qPrintable(QStringLiteral("%1 faults:\n").arg(faults.size()) + faults.join(QLatin1Char('\n'))));
    }

    // The translation built into the program loads, and gives each text its English.
    void theBuiltTranslationLoadsAndTranslates()
    {
        QTranslator t;
        QVERIFY(t.load(QStringLiteral(":/i18n/vireo_en.qm")));
        QString error;
        const QList<Message> all = allMessages(&error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        int checked = 0;
        for (const Message &m : all) {
            if (m.translations.size() != 1 || m.type == QLatin1String("unfinished"))
                continue;
            QCOMPARE(t.translate(m.context.toUtf8().constData(), m.source.toUtf8().constData(),
                                 m.comment.isEmpty() ? nullptr : m.comment.toUtf8().constData()),
                     m.translations.first());
            ++checked;
        }
        qInfo("%d texts of %d checked in the built translation", checked, int(all.size()));
    }
};

QTEST_GUILESS_MAIN(TestTranslations)
#include "tst_translations.moc"
