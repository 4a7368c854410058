#include "camera.h"

#include <QAction>
#include <QDir>
#include <QTest>

namespace vireo::shots {

Camera::Camera(const QString &folder, const QStringList &only) : m_folder(folder), m_only(only) {}

bool Camera::wants(const QString &file) const
{
    return m_only.isEmpty() || m_only.contains(file);
}

bool Camera::wantsAny(const QStringList &files) const
{
    for (const QString &f : files)
        if (wants(f))
            return true;
    return false;
}

void Camera::take(QWidget &window, const QString &file)
{
    if (!wants(file))
        return;
    settle(300); // fades of the line edits' buttons and the like run to their end
    take(window.grab().toImage(), file);
}

void Camera::take(const QImage &image, const QString &file)
{
    if (!wants(file))
        return;
    const QString path = QDir(m_folder).filePath(file);
    if (image.isNull() || !image.save(path))
        fail(file, QStringLiteral("could not write %1").arg(path));
    else
        written << file;
}

void Camera::fail(const QString &file, const QString &why)
{
    failures << file + QStringLiteral(": ") + why;
}

bool trigger(const QObject &root, const char *action)
{
    QAction *a = named<QAction>(root, action);
    if (a)
        a->trigger();
    return a;
}

void settle(int ms)
{
    QApplication::processEvents();
    QTest::qWait(ms);
    QApplication::processEvents();
}

} // namespace vireo::shots
