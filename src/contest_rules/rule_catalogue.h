#pragma once
// The contest definitions the listener can choose from: the *.json files of the listener's own
// folder (contests/ beside the program) and of the folder the install puts the shipped ones in
// (contests/shipped). A file of the listener's own wins over a shipped file of the same name. A
// file that does not read is left out with its message; the others stay usable.

#include "contest_rules/rule_definition.h"

#include <QString>
#include <QStringList>
#include <QVector>

#include <optional>

namespace vireo::rules {

// The two folders beside the program.
QString ownFolder(const QString &programDir); // programDir/contests
QString shippedFolder(const QString &programDir); // programDir/contests/shipped

class Catalogue {
public:
    // Reads every *.json file of the folders; the first folder wins for a file name found in more
    // than one. Folders that do not exist are skipped.
    static Catalogue read(const QStringList &folders);
    // The listener's own definitions in programDir/contests, then the shipped ones in
    // sharedDir/contests/shipped (sharedDir: the program's shipped files; empty: programDir).
    static Catalogue readBeside(const QString &programDir, const QString &sharedDir = QString());

    // Usable definitions, by file name.
    const QVector<Definition> &definitions() const { return m_definitions; }
    // One Russian message for each file that was refused (with its name, line and key).
    const QStringList &errors() const { return m_errors; }

    std::optional<Definition> find(const QString &fileName) const;

private:
    QVector<Definition> m_definitions;
    QStringList m_errors;
};

// The choice kept in the settings file: key Rules of section Contest, the definition's file name;
// empty for "no rules".
QString readChosen(const QString &settingsPath);
// Throws vireo::Error when the file cannot be written.
void writeChosen(const QString &settingsPath, const QString &fileName);

} // namespace vireo::rules
