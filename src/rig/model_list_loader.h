#pragma once
// "rigctl -l" run in the background for the set-up window: the window stays usable while
// Hamlib lists its models, and hears of the list (or why there is none) by a signal.

#include "rig/hamlib_models.h"

#include <QObject>
#include <QProcess>

class QTimer;

namespace vireo::rig {

class ModelListLoader : public QObject {
    Q_OBJECT
public:
    explicit ModelListLoader(QObject *parent = nullptr);
    ~ModelListLoader() override; // ends a rigctl still running

    // Starts "<rigctl> -l"; loaded() follows from the event loop, never from within this call.
    // Does nothing while a listing runs.
    void start(const QString &rigctl = QStringLiteral("rigctl"));
    bool running() const { return m_running; }

    // How long the listing may take before it is given up.
    static constexpr int TimeoutMs = 10000;

signals:
    // The models in the order of the listing; on failure the list is empty and error says why
    // in Russian.
    void loaded(const QList<vireo::rig::HamlibModel> &models, const QString &error);

private:
    void done(const QList<HamlibModel> &models, const QString &error);

    QProcess *m_process = nullptr;
    QTimer *m_timeout = nullptr;
    bool m_running = false;
};

} // namespace vireo::rig
