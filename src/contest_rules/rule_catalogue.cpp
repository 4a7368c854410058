#include "contest_rules/rule_catalogue.h"

#include "base/error.h"
#include "base/ini_file.h"
#include "contest_rules/logging.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSet>

#include <algorithm>

namespace vireo::rules {

QString ownFolder(const QString &programDir)
{
    return QDir(programDir).filePath(QStringLiteral("contests"));
}

QString shippedFolder(const QString &programDir)
{
    return QDir(programDir).filePath(QStringLiteral("contests/shipped"));
}

Catalogue Catalogue::read(const QStringList &folders)
{
    Catalogue c;
    QSet<QString> seen;
    for (const QString &folder : folders) {
        const QDir dir(folder);
        if (!dir.exists())
            continue;
        const QStringList names = dir.entryList({QStringLiteral("*.json")}, QDir::Files | QDir::Readable, QDir::Name);
        for (const QString &name : names) {
            if (seen.contains(name))
                continue;
            seen.insert(name);
            QFile file(dir.filePath(name));
            if (!file.open(QIODevice::ReadOnly)) {
                c.m_errors << QCoreApplication::translate("vireo::RuleFile", "Файл правил «%1» не открывается: %2.")
                                  .arg(name, file.errorString());
                continue;
            }
            // A definition is a page of text; anything much larger is not one.
            constexpr qint64 MaxSize = 1024 * 1024;
            if (file.size() > MaxSize) {
                c.m_errors << QCoreApplication::translate("vireo::RuleFile",
                                                          "Файл правил «%1» больше 1 МБ: это не описание соревнования.")
                                  .arg(name);
                continue;
            }
            const Result<Definition> r = parseDefinition(file.readAll(), name);
            if (r.ok())
                c.m_definitions << *r;
            else
                c.m_errors << r.errorText();
        }
    }
    std::sort(c.m_definitions.begin(), c.m_definitions.end(), [](const Definition &a, const Definition &b) {
        const int byName = QString::localeAwareCompare(a.name, b.name);
        return byName != 0 ? byName < 0 : a.fileName < b.fileName;
    });
    return c;
}

Catalogue Catalogue::readBeside(const QString &programDir, const QString &sharedDir)
{
    return read({ownFolder(programDir), shippedFolder(sharedDir.isEmpty() ? programDir : sharedDir)});
}

std::optional<Definition> Catalogue::find(const QString &fileName) const
{
    for (const Definition &d : m_definitions)
        if (d.fileName == fileName)
            return d;
    return std::nullopt;
}

QString readChosen(const QString &settingsPath)
{
    try {
        return IniFile(settingsPath).readString(QStringLiteral("Contest"), QStringLiteral("Rules"), QString());
    } catch (const std::exception &e) {
        // an unreadable settings file reads as missing
        qCWarning(lcContestRules).noquote() << "the chosen rules not read:" << errorText(e);
        return QString();
    }
}

void writeChosen(const QString &settingsPath, const QString &fileName)
{
    IniFile ini(settingsPath);
    ini.writeString(QStringLiteral("Contest"), QStringLiteral("Rules"), fileName);
}

} // namespace vireo::rules
