#pragma once
// The desktop's application for a kind of file, found as the freedesktop.org standards
// say (mimeapps.list, .desktop entries and their Exec lines), and opening a text file with it.

#include <QString>
#include <QStringList>

namespace vireo {

class Shell;

namespace desktop {

// Where the desktop keeps its associations and application entries, most important first.
struct XdgDirs {
    QStringList configDirs; // XDG_CONFIG_HOME, then XDG_CONFIG_DIRS
    QStringList dataDirs; // XDG_DATA_HOME, then XDG_DATA_DIRS
    QStringList desktops; // XDG_CURRENT_DESKTOP, lower case

    // As the environment sets them, with the XDG base-directory defaults for unset variables.
    static XdgDirs fromEnvironment();
};

// A program and its arguments, started without a shell.
struct Command {
    QString desktopId; // "org.gnome.TextEditor.desktop"
    QString program;
    QStringList arguments;

    bool isValid() const { return !program.isEmpty(); }
};

// The arguments of an Exec value for one file: split as desktop entries quote, the file
// codes (%f %F %u %U) replaced by the file, the other codes dropped; the file appended when the
// line has no file code. Empty for a line whose quotes do not close.
QStringList execArguments(const QString &exec, const QString &filePath);

// The command of the first application the desktop offers for the MIME type that can be
// started here: the default applications, then the added associations, then every entry that
// names the type. Entries that are hidden, need a terminal or name a program that is not
// installed are passed over. Invalid when there is none.
Command commandFor(const QString &mimeType, const QString &filePath, const XdgDirs &dirs);

// Opens the file with the desktop's text editor (the application for text/plain), whatever its
// name says it is; where no editor is found or it does not start, shows the file in its folder.
// Returns false only when nothing could be shown.
bool openAsText(Shell &shell, const QString &filePath, const XdgDirs &dirs = XdgDirs::fromEnvironment());

} // namespace desktop
} // namespace vireo
