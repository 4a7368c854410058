// Turns the user manual, a set of Markdown chapters, into one PDF file.
//
//   vireo_manual OUTPUT.pdf TITLE CHAPTER.md...
//
// Each chapter starts on a new page; pages are numbered at the foot. Pictures (![text](file.png))
// are read from paths relative to their chapter's file; a picture of a translated edition
// (screenshots/en/NAME.png) that has not been made yet is taken from the folder above
// (screenshots/NAME.png), the picture of the original edition. The file is written under a temporary
// name and renamed at the end, so a failed run (a chapter or a picture that cannot be read)
// leaves no half-written PDF.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
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

// Gives each picture of the chapter to the document under its full path, so that pictures of
// the same name in different folders stay apart. Returns the path of a picture that cannot be
// read, empty when all can.
QString takePictures(QTextDocument &chapter, const QString &chapterPath, QTextDocument &document)
{
    const QDir folder = QFileInfo(chapterPath).absoluteDir();
    struct Picture {
        int position, length;
        QTextImageFormat format;
    };
    QList<Picture> pictures;
    for (QTextBlock block = chapter.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (it.fragment().isValid() && it.fragment().charFormat().isImageFormat())
                pictures.append(
                    {it.fragment().position(), it.fragment().length(), it.fragment().charFormat().toImageFormat()});
    for (Picture &picture : pictures) {
        QString path = QDir::cleanPath(folder.absoluteFilePath(picture.format.name()));
        const QFileInfo wanted(path);
        if (!wanted.exists() && wanted.dir().dirName() == QLatin1String("en"))
            path = QDir::cleanPath(wanted.dir().absoluteFilePath(QStringLiteral("../") + wanted.fileName()));
        const QImage image(path);
        if (image.isNull())
            return QDir::cleanPath(folder.absoluteFilePath(picture.format.name()));
        const QUrl name = QUrl::fromLocalFile(path);
        document.addResource(QTextDocument::ImageResource, name, image);
        picture.format.setName(name.toString());
        QTextCursor cursor(&chapter);
        cursor.setPosition(picture.position);
        cursor.setPosition(picture.position + picture.length, QTextCursor::KeepAnchor);
        cursor.setCharFormat(picture.format);
    }
    return QString();
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
        const QString missing = takePictures(chapter, path, document);
        if (!missing.isEmpty())
            return fail(QStringLiteral("cannot read the picture %1 of %2").arg(missing, path));
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
