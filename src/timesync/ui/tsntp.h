#pragma once
// TSntp: the list of time servers and setting the clock by SNTP.

#include "base/services.h"
#include "timesync/sntp_client.h"

#include <QDialog>

#include <functional>
#include <memory>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vireo {

class SntpClient;
class ServerStore;

class TSntp : public QDialog {
    Q_OBJECT
public:
    // The servers are the program's store of them, which outlives the window.
    TSntp(const AppContext &context, ServerStore &servers, QWidget *mainWindow);
    ~TSntp() override;

    // The server's UDP port: 123 in the program, a loopback port in tests.
    void setPort(quint16 port);
    // How long one exchange may take, in milliseconds.
    void setTimeoutMs(int ms);

    // The public name used while the setting is missing.
    static const QString DefaultServer;

    // ---- controls, named as the window's layout names them ----
    QGroupBox *GroupBox1 = nullptr;
    QComboBox *ComboBox1 = nullptr;
    QLabel *Label4 = nullptr;
    QLineEdit *Edit1 = nullptr;
    QLineEdit *Edit2 = nullptr;
    QPushButton *Button2 = nullptr; // Add
    QPushButton *Button3 = nullptr; // Delete
    QPushButton *Button5 = nullptr; // Synchronise
    QPushButton *Button1 = nullptr; // Save
    QPushButton *Button4 = nullptr; // Close

    // ---- handlers ----
    void FillServerList();
    void ComboBox1Change();
    void Edit1Change();
    void Button2Click();
    void Button3Click();
    void Button1Click();
    void Button4Click();
    void Button5Click();

    // True while an exchange is running.
    bool busy() const { return m_busy; }

signals:
    // Text for the fifth panel of the main window's status bar.
    void statusText(const QString &text);
    // An exchange started by "Синхронизировать" has ended; the window takes clicks again and
    // says how it went.
    void synchronisationEnded();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

private:
    void FormCreate();
    void buildControls();
    // The rest of "Синхронизировать", once the exchange has ended.
    void exchangeFinished(const SntpResult &result);
    // Sets the clock from a reply, or says why not.
    void applyResult(const SntpResult &result);

    AppContext m_ctx;
    QWidget *m_main;
    ServerStore &m_servers;
    SntpClient *m_client = nullptr;
    QString m_host; // the server of the exchange running
    bool m_filling = false; // selecting from code does not count as a change
    bool m_busy = false;
};

} // namespace vireo
