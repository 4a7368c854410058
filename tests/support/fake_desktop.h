#pragma once
// A desktop of the test's own: XDG folders in a temporary directory with .desktop entries,
// mimeapps.list and the programs they name (empty scripts that are never run), set in the
// environment while the object lives, so no lookup reads the computer's own desktop.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <utility>
#include <vector>

namespace vireo::test {

class FakeDesktop {
public:
    FakeDesktop();
    ~FakeDesktop();
    FakeDesktop(const FakeDesktop &) = delete;
    FakeDesktop &operator=(const FakeDesktop &) = delete;

    // An executable file in the desktop's bin folder; returns its absolute path.
    QString program(const QString &name);
    // A .desktop entry in the system applications folder (the user's with user = true). The
    // lines go into [Desktop Entry] after Type=Application and Name.
    void entry(const QString &id, const QStringList &lines, bool user = false);
    // A line in a mimeapps.list group: of the user's configuration folder, or of the system
    // applications folder with system = true.
    void association(const QString &group, const QString &mimeType, const QString &ids, bool system = false);

    QString root() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    std::vector<std::pair<QByteArray, QByteArray>> m_saved; // variable, value before ("" when unset)
    std::vector<QByteArray> m_unset;
};

} // namespace vireo::test
