#include "rig/model_list_loader.h"

#include <QCoreApplication>
#include <QTimer>

namespace vireo::rig {

namespace {

QString notInstalledText()
{
    return QCoreApplication::translate(
        "vireo::rig::ModelListLoader",
        "Программа rigctl не найдена. Установите пакет Hamlib: sudo apt install libhamlib-utils");
}

QString noListText()
{
    return QCoreApplication::translate("vireo::rig::ModelListLoader", "Программа rigctl не выдала список моделей.");
}

} // namespace

ModelListLoader::ModelListLoader(QObject *parent) : QObject(parent)
{
    m_timeout = new QTimer(this);
    m_timeout->setSingleShot(true);
    connect(m_timeout, &QTimer::timeout, this, [this] { done({}, noListText()); });
}

ModelListLoader::~ModelListLoader()
{
    if (m_process) {
        m_process->disconnect(this);
        m_process->kill();
        m_process->waitForFinished(1000); // gone at once after a kill: leaves no zombie behind
    }
}

void ModelListLoader::start(const QString &rigctl)
{
    if (m_running)
        return;
    m_running = true;
    m_process = new QProcess(this);
    m_process->setProgram(rigctl);
    m_process->setArguments({QStringLiteral("-l")});
    m_process->setProcessChannelMode(QProcess::SeparateChannels);
    m_process->setStandardInputFile(QProcess::nullDevice());
    connect(m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError e) {
        if (e == QProcess::FailedToStart)
            done({}, notInstalledText());
    });
    connect(m_process, &QProcess::finished, this, [this] {
        const QList<HamlibModel> models = parseModelList(QString::fromLocal8Bit(m_process->readAllStandardOutput()));
        done(models, models.isEmpty() ? noListText() : QString());
    });
    m_timeout->start(TimeoutMs);
    m_process->start();
}

void ModelListLoader::done(const QList<HamlibModel> &models, const QString &error)
{
    if (!m_running)
        return;
    m_running = false;
    m_timeout->stop();
    if (m_process) {
        m_process->disconnect(this);
        if (m_process->state() != QProcess::NotRunning) {
            m_process->kill();
            m_process->waitForFinished(1000);
        }
        m_process->deleteLater(); // not taken apart inside its own signal
        m_process = nullptr;
    }
    // From an event of its own: a program that cannot be started may be said inside start().
    QMetaObject::invokeMethod(
        this, [this, models, error] { emit loaded(models, error); }, Qt::QueuedConnection);
}

} // namespace vireo::rig
