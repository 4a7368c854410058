#include "support/fake_desktop.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace vireo::test {

namespace {

void append(const QString &path, const QString &text)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (f.open(QIODevice::Append))
        f.write(text.toUtf8());
}

} // namespace

FakeDesktop::FakeDesktop()
{
    const QString r = m_dir.path();
    const std::pair<const char *, QString> vars[] = {
        {"XDG_CONFIG_HOME", r + QStringLiteral("/config")},
        {"XDG_CONFIG_DIRS", r + QStringLiteral("/etc-xdg")},
        {"XDG_DATA_HOME", r + QStringLiteral("/home-share")},
        {"XDG_DATA_DIRS", r + QStringLiteral("/usr-share")},
    };
    for (const auto &[name, value] : vars) {
        m_saved.emplace_back(name, qgetenv(name));
        if (!qEnvironmentVariableIsSet(name))
            m_unset.emplace_back(name);
        qputenv(name, value.toUtf8());
    }
    m_saved.emplace_back("XDG_CURRENT_DESKTOP", qgetenv("XDG_CURRENT_DESKTOP"));
    if (!qEnvironmentVariableIsSet("XDG_CURRENT_DESKTOP"))
        m_unset.emplace_back("XDG_CURRENT_DESKTOP");
    qunsetenv("XDG_CURRENT_DESKTOP");
}

FakeDesktop::~FakeDesktop()
{
    for (const auto &[name, value] : m_saved)
        qputenv(name.constData(), value);
    for (const QByteArray &name : m_unset)
        qunsetenv(name.constData());
}

QString FakeDesktop::program(const QString &name)
{
    const QString path = m_dir.filePath(QStringLiteral("bin/") + name);
    append(path, QStringLiteral("#!/bin/sh\nexit 0\n"));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

void FakeDesktop::entry(const QString &id, const QStringList &lines, bool user)
{
    const QString dir =
        m_dir.filePath(user ? QStringLiteral("home-share/applications") : QStringLiteral("usr-share/applications"));
    append(dir + QLatin1Char('/') + id, QStringLiteral("[Desktop Entry]\nType=Application\nName=") + id
                                            + QLatin1Char('\n') + lines.join(QLatin1Char('\n')) + QLatin1Char('\n'));
}

void FakeDesktop::association(const QString &group, const QString &mimeType, const QString &ids, bool system)
{
    const QString path = m_dir.filePath(system ? QStringLiteral("usr-share/applications/mimeapps.list")
                                               : QStringLiteral("config/mimeapps.list"));
    append(path,
           QLatin1Char('[') + group + QStringLiteral("]\n") + mimeType + QLatin1Char('=') + ids + QLatin1Char('\n'));
}

} // namespace vireo::test
