#pragma once
// The sound devices Qt Multimedia offers (through the system's sound server), by the ids that
// settings.ini keeps. An empty id stands for the system's default device.

#include <QAudioDevice>
#include <QString>
#include <QVector>

namespace vireo::audiodevices {

struct Choice {
    QString id; // empty: the default device
    QString description; // as the sound server names it
};

// The default device first (id empty, "По умолчанию: ..."), then every device.
QVector<Choice> inputs();
QVector<Choice> outputs();
// The device with the id (the default one for an empty id); a null device when there is none.
QAudioDevice input(const QString &id);
QAudioDevice output(const QString &id);
// How a device is named in messages: its description, or the id when it is not there.
QString inputName(const QString &id);

} // namespace vireo::audiodevices
