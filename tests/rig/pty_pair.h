#pragma once
// A pair of pseudo-terminals joined by socat, standing in for a radio's serial port: the test
// hands `device()` to the program and may talk on `other()` or leave it silent.

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <memory>

namespace vireo::test {

class PtyPair {
public:
    PtyPair()
    {
        m_socat.setProgram(QStringLiteral("socat"));
        m_socat.setArguments(
            {QStringLiteral("pty,raw,echo=0,link=") + device(), QStringLiteral("pty,raw,echo=0,link=") + other()});
        m_socat.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    }
    ~PtyPair()
    {
        if (m_socat.state() != QProcess::NotRunning) {
            m_socat.terminate();
            if (!m_socat.waitForFinished(3000)) {
                m_socat.kill();
                m_socat.waitForFinished(3000);
            }
        }
    }

    static bool available() { return !QStandardPaths::findExecutable(QStringLiteral("socat")).isEmpty(); }

    // Starts socat and waits until both ends exist.
    bool start()
    {
        m_socat.start();
        if (!m_socat.waitForStarted(5000))
            return false;
        for (int i = 0; i < 100; ++i) {
            if (QFileInfo::exists(device()) && QFileInfo::exists(other()))
                return true;
            QThread::msleep(20);
        }
        return false;
    }

    QString device() const { return m_dir.filePath(QStringLiteral("radio")); }
    QString other() const { return m_dir.filePath(QStringLiteral("far-end")); }
    // The /dev/pts node behind device().
    QString node() const { return QFileInfo(device()).canonicalFilePath(); }

private:
    QTemporaryDir m_dir;
    QProcess m_socat;
};

} // namespace vireo::test
