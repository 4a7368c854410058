#pragma once
// The screenshot tool's camera: pictures of the program's windows saved under their file names
// in one folder, and the windows and controls of the running program found by their objectName.

#include <QApplication>
#include <QImage>
#include <QStringList>
#include <QWidget>

class QAction;

namespace vireo::shots {

class Camera {
public:
    // Pictures go to folder; with names given, only the pictures of those file names are taken.
    Camera(const QString &folder, const QStringList &only);

    bool wants(const QString &file) const;
    bool wantsAny(const QStringList &files) const;
    // The window as it is drawn once the events waiting have been handled.
    void take(QWidget &window, const QString &file);
    void take(const QImage &image, const QString &file);
    // A scene that could not set its window up: nothing is written for it.
    void fail(const QString &file, const QString &why);

    QStringList written, failures;

private:
    QString m_folder;
    QStringList m_only;
};

// The widget or action of this objectName under root, or among every window of the program.
template <typename T = QWidget>
T *named(const QObject &root, const char *name)
{
    if (root.objectName() == QLatin1String(name))
        if (auto *self = qobject_cast<T *>(const_cast<QObject *>(&root)))
            return self;
    return root.findChild<T *>(QLatin1String(name));
}

template <typename T = QWidget>
T *named(const char *name)
{
    for (QWidget *window : QApplication::topLevelWidgets())
        if (T *found = named<T>(*window, name))
            return found;
    return nullptr;
}

// Triggers the action of this objectName under root (a menu item of the main window).
bool trigger(const QObject &root, const char *action);
// Lets the event loop run for a moment (a chart lays itself out on it).
void settle(int ms = 50);

} // namespace vireo::shots
