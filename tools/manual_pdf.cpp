// Turns the user manual, a set of Markdown chapters, into one PDF file.
//
//   vireo_manual OUTPUT.pdf TITLE CHAPTER.md...
//
// Each chapter starts on a new page; pages are numbered at the foot. The file is written
// under a temporary name and renamed at the end, so a failed run leaves no half-written PDF.

#include <QFile>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextList>
#include <QTextStream>

#include <cstdio>

namespace {

int fail(const QString &text)
{
    std::fprintf(stderr, "vireo_manual: %s\n", text.toLocal8Bit().constData());
    return 1;
}

} // namespace

int main(int argc, char *argv[])
{
    // Fonts need a GUI application, not a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const QStringList args = app.arguments().mid(1);
    if (args.size() < 3)
        return fail(QStringLiteral("usage: vireo_manual OUTPUT.pdf TITLE CHAPTER.md..."));
    const QString output = args[0];
    const QString title = args[1];

    QTextDocument document;
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(10.5);
    document.setDefaultFont(font);
    document.setDefaultStyleSheet(QStringLiteral("code { font-family: 'DejaVu Sans Mono'; }"));
    document.setMetaInformation(QTextDocument::DocumentTitle, title);
    QTextCursor cursor(&document);

    bool first = true;
    for (const QString &path : args.mid(2)) {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            return fail(QStringLiteral("cannot read %1: %2").arg(path, f.errorString()));
        const QString markdown = QString::fromUtf8(f.readAll());
        if (markdown.trimmed().isEmpty())
            return fail(QStringLiteral("empty chapter %1").arg(path));

        QTextDocument chapter;
        chapter.setMarkdown(markdown, QTextDocument::MarkdownDialectGitHub);
        if (!first) {
            // A plain block, out of any list the previous chapter ended with.
            cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
            if (QTextList *list = cursor.currentList())
                list->remove(cursor.block());
        }
        const int start = cursor.position();
        cursor.insertFragment(QTextDocumentFragment(&chapter));
        if (!first) {
            QTextCursor head(document.findBlock(start));
            QTextBlockFormat format = head.blockFormat();
            format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            head.setBlockFormat(format);
        }
        first = false;
    }

    QSaveFile file(output);
    if (!file.open(QIODevice::WriteOnly))
        return fail(QStringLiteral("cannot write %1: %2").arg(output, file.errorString()));
    {
        QPdfWriter pdf(&file);
        pdf.setTitle(title);
        pdf.setCreator(QStringLiteral("Vireo"));
        pdf.setResolution(300);
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        document.print(&pdf);
    }
    if (!file.commit())
        return fail(QStringLiteral("cannot write %1: %2").arg(output, file.errorString()));
    return 0;
}
