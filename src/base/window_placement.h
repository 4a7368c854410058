#pragma once
// Where a secondary window stands: Left, Top, Width and Height in its own section of the settings
// file. Only windows include this header (it needs Qt's widget and screen classes).

#include "base/ini_file.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>

namespace vireo {

// Puts the window where the section says; a section without Left (the first run) centres it on
// the screen at its present size.
template <typename Window>
void restorePlacement(Window &w, const QString &settingsPath, const QString &section)
{
    const IniFile ini(settingsPath);
    const int left = ini.readInteger(section, QStringLiteral("Left"), -1);
    if (left == -1) {
        const QScreen *screen = QGuiApplication::primaryScreen();
        const QRect area = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
        w.move((area.width() - w.width()) / 2, (area.height() - w.height()) / 2);
        return;
    }
    const int top = ini.readInteger(section, QStringLiteral("Top"), w.y());
    const int width = ini.readInteger(section, QStringLiteral("Width"), w.width());
    const int height = ini.readInteger(section, QStringLiteral("Height"), w.height());
    w.move(left, top);
    w.resize(width, height);
}

// Writes the window's place into the section; throws vireo::Error when the file cannot be written.
template <typename Window>
void savePlacement(const Window &w, const QString &settingsPath, const QString &section)
{
    IniFile ini(settingsPath);
    ini.writeInteger(section, QStringLiteral("Left"), w.x());
    ini.writeInteger(section, QStringLiteral("Top"), w.y());
    ini.writeInteger(section, QStringLiteral("Height"), w.height());
    ini.writeInteger(section, QStringLiteral("Width"), w.width());
}

} // namespace vireo
