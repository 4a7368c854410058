#include "support/scripted_services.h"

#include "base/ini_file.h"
#include "rig/rig_server.h"

#include <QDialog>

namespace vireo::test {

int ScriptedPrompts::showModal(QDialog &dialog)
{
    shown.append({QStringLiteral("modal"), dialog.objectName(), dialog.windowTitle()});
    return onModal ? onModal(dialog) : QDialog::Rejected;
}

TestContext::TestContext()
{
    context.programDir = dir.path();
    context.settingsPath = dir.filePath(QStringLiteral("settings.ini"));
    context.databasePath = dir.filePath(QStringLiteral("vireolog.db"));
    context.services.prompts = prompts;
    context.services.utcClock = clock;
    context.services.systemClock = systemClock;
    context.services.shell = shell;
    context.services.relauncher = relauncher;
    context.services.rigServerFactory = [] { return std::unique_ptr<RigServer>(); };
    context.trace = [this](const QString &event) { trace << event; };
}

void writeKnownListener(const QString &settingsPath)
{
    IniFile ini(settingsPath);
    ini.writeString(QStringLiteral("MySetting"), QStringLiteral("Call"), QStringLiteral("UA1SWL"));
    ini.writeString(QStringLiteral("MySetting"), QStringLiteral("Contest"), QStringLiteral("TEST"));
}

} // namespace vireo::test
