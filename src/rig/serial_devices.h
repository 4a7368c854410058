#pragma once
// The serial devices a radio may hang on, and whether this user may open one.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace vireo::rig {

// The devices under root ("/" normally; tests pass a folder of their own): first the stable
// names of /dev/serial/by-id/*, then /dev/ttyUSB* and /dev/ttyACM*, each group sorted.
QStringList serialDevices(const QString &root = QStringLiteral("/"));

// For /dev/serial/by-id names, the device they point to ("/dev/ttyUSB0"); otherwise empty.
QString deviceTarget(const QString &device);

// 0 when the device exists and this user may read and write it, otherwise the errno that says
// why not (ENOENT, EACCES, ...). Only looks: the device is not opened, so a radio keyed by the
// control lines of its port is not disturbed. Takes the encoded path so it can run after fork().
int deviceAccessError(const QByteArray &encodedPath);
int deviceAccessError(const QString &device);

} // namespace vireo::rig
