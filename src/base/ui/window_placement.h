#pragma once
// Where a secondary window stands: Left, Top, Width and Height in its own section of the settings
// file. Only windows include this header (it needs Qt's widget and screen classes).

#include "base/beside_main_window.h"
#include "base/ini_file.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>

namespace vireo {

namespace placement {
// Set on a window that stands where the listener (or its first showing) put it; a window
// without it writes Left as -1, so that it is placed anew when it first opens.
constexpr const char *Placed = "vireoPlaced";
} // namespace placement

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
    w.setProperty(placement::Placed, true);
}

// Writes the window's place into the section; throws vireo::Error when the file cannot be written.
// A window that was neither placed from the file nor shown in this run writes Left as -1.
template <typename Window>
void savePlacement(const Window &w, const QString &settingsPath, const QString &section)
{
    IniFile ini(settingsPath);
    ini.writeInteger(section, QStringLiteral("Left"), w.property(placement::Placed).toBool() ? w.x() : -1);
    ini.writeInteger(section, QStringLiteral("Top"), w.y());
    ini.writeInteger(section, QStringLiteral("Height"), w.height());
    ini.writeInteger(section, QStringLiteral("Width"), w.width());
}

// Watches a secondary window until it is first shown; if it had no stored place, it goes beside
// the main window then (placeBesideMainWindow), before it appears on the screen.
class FirstShowPlacement : public QObject {
public:
    FirstShowPlacement(QWidget &window, const QWidget &main, const QWidget &entryPanel)
        : QObject(&window), m_window(window), m_main(main), m_entryPanel(entryPanel)
    {
        window.installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == &m_window && event->type() == QEvent::Show) {
            m_window.removeEventFilter(this);
            if (!m_window.property(placement::Placed).toBool())
                place();
            m_window.setProperty(placement::Placed, true);
            deleteLater();
        }
        return false;
    }

private:
    void place()
    {
        const QScreen *screen = m_main.screen() ? m_main.screen() : QGuiApplication::primaryScreen();
        if (!screen)
            return;
        BesideMainWindow around;
        around.screen = screen->availableGeometry();
        around.main = m_main.frameGeometry();
        around.entryPanel = QRect(m_entryPanel.mapToGlobal(QPoint(0, 0)), m_entryPanel.size());
        for (const QWidget *top : QApplication::topLevelWidgets())
            if (top != &m_window && top != &m_main && top->isVisible()
                && (top->windowType() == Qt::Window || top->windowType() == Qt::Dialog))
                around.taken << top->frameGeometry();
        // The window's frame is not made yet: take the main window's.
        const QRect inner = m_main.geometry();
        const QSize frame =
            m_window.size() + QSize(around.main.width() - inner.width(), around.main.height() - inner.height());
        m_window.move(placeBesideMainWindow(frame, around));
    }

    QWidget &m_window;
    const QWidget &m_main;
    const QWidget &m_entryPanel;
};

// The window goes beside the main window when it is first shown, unless its place was stored.
inline void placeBesideMainOnFirstShow(QWidget &window, const QWidget &main, const QWidget &entryPanel)
{
    new FirstShowPlacement(window, main, entryPanel);
}

} // namespace vireo
