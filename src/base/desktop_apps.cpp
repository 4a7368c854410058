#include "base/desktop_apps.h"

#include "base/services.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QStandardPaths>
#include <QUrl>

namespace vireo::desktop {

namespace {

using Group = QHash<QString, QString>;

// The string escapes of a key file value: \s \n \t \r \\.
QString unescape(const QString &value)
{
    QString out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c != QLatin1Char('\\') || i + 1 == value.size()) {
            out += c;
            continue;
        }
        const QChar n = value.at(++i);
        if (n == QLatin1Char('s'))
            out += QLatin1Char(' ');
        else if (n == QLatin1Char('n'))
            out += QLatin1Char('\n');
        else if (n == QLatin1Char('t'))
            out += QLatin1Char('\t');
        else if (n == QLatin1Char('r'))
            out += QLatin1Char('\r');
        else if (n == QLatin1Char('\\'))
            out += QLatin1Char('\\');
        else
            out += QLatin1Char('\\') + n;
    }
    return out;
}

// The groups of a key file (UTF-8); keys with a locale ("Name[ru]") are left out.
QHash<QString, Group> readKeyFile(const QString &path)
{
    QHash<QString, Group> groups;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return groups;
    QString current;
    const QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
    for (const QString &raw : lines) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            current = line.mid(1, line.size() - 2);
            groups[current];
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0 || current.isEmpty())
            continue;
        const QString key = line.left(eq).trimmed();
        if (key.contains(QLatin1Char('[')))
            continue;
        groups[current].insert(key, unescape(line.mid(eq + 1).trimmed()));
    }
    return groups;
}

QStringList listValue(const Group &group, const QString &key)
{
    QStringList out;
    for (const QString &item : group.value(key).split(QLatin1Char(';'), Qt::SkipEmptyParts))
        out << item.trimmed();
    return out;
}

QStringList envDirs(const char *name, const QStringList &defaults)
{
    const QString value = qEnvironmentVariable(name);
    const QStringList dirs = value.split(QLatin1Char(':'), Qt::SkipEmptyParts);
    return dirs.isEmpty() ? defaults : dirs;
}

QString envDir(const char *name, const QString &fallback)
{
    const QString value = qEnvironmentVariable(name);
    return value.isEmpty() ? fallback : value;
}

// The mimeapps.list files in the order they count.
QStringList mimeAppsLists(const XdgDirs &dirs)
{
    QStringList files;
    auto add = [&](const QString &dir) {
        for (const QString &d : dirs.desktops)
            files << dir + QLatin1Char('/') + d + QStringLiteral("-mimeapps.list");
        files << dir + QStringLiteral("/mimeapps.list");
    };
    for (const QString &dir : dirs.configDirs)
        add(dir);
    for (const QString &dir : dirs.dataDirs)
        add(dir + QStringLiteral("/applications"));
    return files;
}

QString desktopFile(const QString &id, const XdgDirs &dirs)
{
    for (const QString &dir : dirs.dataDirs) {
        const QString path = dir + QStringLiteral("/applications/") + id;
        if (QFileInfo(path).isFile())
            return path;
    }
    return QString();
}

bool installed(const QString &program)
{
    if (program.isEmpty())
        return false;
    if (program.contains(QLatin1Char('/'))) {
        const QFileInfo info(program);
        return info.isFile() && info.isExecutable();
    }
    return !QStandardPaths::findExecutable(program).isEmpty();
}

// The command of one entry, or an invalid one when the entry cannot open the file here.
Command entryCommand(const QString &id, const QString &filePath, const XdgDirs &dirs)
{
    const QString path = desktopFile(id, dirs);
    if (path.isEmpty())
        return {};
    const Group entry = readKeyFile(path).value(QStringLiteral("Desktop Entry"));
    auto isTrue = [&](const char *key) { return entry.value(QString::fromLatin1(key)) == QLatin1String("true"); };
    if (entry.value(QStringLiteral("Type"), QStringLiteral("Application")) != QLatin1String("Application")
        || isTrue("Hidden") || isTrue("Terminal"))
        return {};
    const QString tryExec = entry.value(QStringLiteral("TryExec"));
    if (!tryExec.isEmpty() && !installed(tryExec))
        return {};
    const QStringList args = execArguments(entry.value(QStringLiteral("Exec")), filePath);
    if (args.isEmpty() || !installed(args.first()))
        return {};
    return {id, args.first(), args.mid(1)};
}

} // namespace

XdgDirs XdgDirs::fromEnvironment()
{
    const QString home = QDir::homePath();
    XdgDirs d;
    d.configDirs << envDir("XDG_CONFIG_HOME", home + QStringLiteral("/.config"))
                 << envDirs("XDG_CONFIG_DIRS", {QStringLiteral("/etc/xdg")});
    d.dataDirs << envDir("XDG_DATA_HOME", home + QStringLiteral("/.local/share"))
               << envDirs("XDG_DATA_DIRS", {QStringLiteral("/usr/local/share"), QStringLiteral("/usr/share")});
    for (const QString &name : qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(QLatin1Char(':'), Qt::SkipEmptyParts))
        d.desktops << name.toLower();
    return d;
}

QStringList execArguments(const QString &exec, const QString &filePath)
{
    // Split first: blanks separate arguments outside double quotes; inside them a backslash
    // takes the next character literally.
    QStringList words;
    QString word;
    bool inWord = false;
    bool quoted = false;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        const QChar c = exec.at(i);
        if (quoted) {
            if (c == QLatin1Char('\\') && i + 1 < exec.size())
                word += exec.at(++i);
            else if (c == QLatin1Char('"'))
                quoted = false;
            else
                word += c;
        } else if (c == QLatin1Char('"')) {
            quoted = true;
            inWord = true;
        } else if (c == QLatin1Char(' ') || c == QLatin1Char('\t')) {
            if (inWord)
                words << word;
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (quoted)
        return {};
    if (inWord)
        words << word;

    // Then the field codes.
    const QString url = QUrl::fromLocalFile(filePath).toString(QUrl::FullyEncoded);
    bool hasFile = false;
    QStringList args;
    for (const QString &w : std::as_const(words)) {
        QString out;
        bool dropped = false;
        for (qsizetype i = 0; i < w.size(); ++i) {
            if (w.at(i) != QLatin1Char('%') || i + 1 == w.size()) {
                out += w.at(i);
                continue;
            }
            const QChar code = w.at(++i);
            if (code == QLatin1Char('%')) {
                out += QLatin1Char('%');
            } else if (code == QLatin1Char('f') || code == QLatin1Char('F')) {
                out += filePath;
                hasFile = true;
            } else if (code == QLatin1Char('u') || code == QLatin1Char('U')) {
                out += url;
                hasFile = true;
            } else {
                dropped = true; // %i %c %k and the deprecated codes
            }
        }
        if (!(dropped && out.isEmpty()))
            args << out;
    }
    if (!args.isEmpty() && !hasFile)
        args << filePath;
    return args;
}

Command commandFor(const QString &mimeType, const QString &filePath, const XdgDirs &dirs)
{
    QStringList defaults, added, removed;
    for (const QString &list : mimeAppsLists(dirs)) {
        const QHash<QString, Group> groups = readKeyFile(list);
        defaults << listValue(groups.value(QStringLiteral("Default Applications")), mimeType);
        added << listValue(groups.value(QStringLiteral("Added Associations")), mimeType);
        removed << listValue(groups.value(QStringLiteral("Removed Associations")), mimeType);
    }
    QStringList candidates = defaults;
    for (const QString &id : std::as_const(added))
        if (!removed.contains(id))
            candidates << id;
    for (const QString &dir : dirs.dataDirs) {
        const QDir apps(dir + QStringLiteral("/applications"));
        for (const QString &name : apps.entryList({QStringLiteral("*.desktop")}, QDir::Files, QDir::Name)) {
            if (removed.contains(name) || candidates.contains(name))
                continue;
            const Group entry = readKeyFile(apps.filePath(name)).value(QStringLiteral("Desktop Entry"));
            if (listValue(entry, QStringLiteral("MimeType")).contains(mimeType))
                candidates << name;
        }
    }
    for (const QString &id : std::as_const(candidates))
        if (const Command c = entryCommand(id, filePath, dirs); c.isValid())
            return c;
    return {};
}

bool openAsText(Shell &shell, const QString &filePath, const XdgDirs &dirs)
{
    const Command editor = commandFor(QStringLiteral("text/plain"), filePath, dirs);
    if (editor.isValid() && shell.startProgram(editor.program, editor.arguments))
        return true;
    return shell.showInFolder(filePath);
}

} // namespace vireo::desktop
