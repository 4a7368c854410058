#pragma once
// "Проверить" of the set-up window: tries one radio's settings the way rig control would (its
// own rigctld started for a radio Vireo runs, the connection to a rigctld elsewhere) and says
// what the radio answered, or why it did not. Nothing here waits: the result comes as a signal.

#include "base/services.h"
#include "rig/rig_settings.h"

#include <QObject>

#include <memory>

class QTimer;

namespace vireo {

class RigctldServer;

class RigCheck : public QObject {
    Q_OBJECT
public:
    RigCheck(const RadioSetup &setup, const RigProcessSeam &seam, int timeoutMs = DefaultTimeoutMs,
             QObject *parent = nullptr);
    ~RigCheck() override; // ends a rigctld it started

    void start();
    bool running() const { return m_running; }

    static constexpr int DefaultTimeoutMs = 25000;

signals:
    // ok: the radio answered; text: "Радио отвечает: 14 025 кГц, CW" or the reason it did not.
    void finished(bool ok, const QString &text);

private:
    void done(bool ok, const QString &text);

    RadioSetup m_setup;
    RigProcessSeam m_seam;
    int m_timeoutMs;
    std::unique_ptr<RigctldServer> m_server;
    QTimer *m_timeout = nullptr;
    bool m_running = false;
};

} // namespace vireo
