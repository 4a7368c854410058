#include "audio/ui/audio_devices.h"

#include <QCoreApplication>
#include <QMediaDevices>

namespace vireo::audiodevices {

namespace {

QVector<Choice> list(const QList<QAudioDevice> &devices, const QAudioDevice &fallback)
{
    QVector<Choice> choices;
    choices.append(
        {QString(),
         fallback.isNull()
             ? QCoreApplication::translate("vireo::AudioDevices", "По умолчанию")
             : QCoreApplication::translate("vireo::AudioDevices", "По умолчанию: %1").arg(fallback.description())});
    for (const QAudioDevice &d : devices)
        choices.append({QString::fromUtf8(d.id()), d.description()});
    return choices;
}

QAudioDevice find(const QList<QAudioDevice> &devices, const QAudioDevice &fallback, const QString &id)
{
    if (id.isEmpty())
        return fallback;
    for (const QAudioDevice &d : devices)
        if (QString::fromUtf8(d.id()) == id)
            return d;
    return QAudioDevice();
}

} // namespace

QVector<Choice> inputs()
{
    return list(QMediaDevices::audioInputs(), QMediaDevices::defaultAudioInput());
}

QVector<Choice> outputs()
{
    return list(QMediaDevices::audioOutputs(), QMediaDevices::defaultAudioOutput());
}

QAudioDevice input(const QString &id)
{
    return find(QMediaDevices::audioInputs(), QMediaDevices::defaultAudioInput(), id);
}

QAudioDevice output(const QString &id)
{
    return find(QMediaDevices::audioOutputs(), QMediaDevices::defaultAudioOutput(), id);
}

QString inputName(const QString &id)
{
    const QAudioDevice d = input(id);
    if (!d.isNull())
        return d.description();
    return id.isEmpty() ? QCoreApplication::translate("vireo::AudioDevices", "по умолчанию") : id;
}

} // namespace vireo::audiodevices
