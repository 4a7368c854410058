#pragma once
// The main window's status bar ("StatusBar1") and its five panels, "StatusPanel1".."StatusPanel5".

#include <QStatusBar>

class QLabel;

namespace vireo {

class MainStatusBar : public QStatusBar {
    Q_OBJECT
public:
    enum Panel {
        Date = 1, // the UTC date of the clock
        Qso = 2, // the records of the log
        Points = 3, // the log's points
        Radio1 = 4, // radio 1's state
        Notice = 5, // radio 2's state, and the messages of the entry modes, the log and the clock
    };

    explicit MainStatusBar(QWidget *parent);

    void setText(int panel, const QString &text); // panels 1..5; others are ignored
    QString text(int panel) const;

    // A fault of the log stays in the notice panel after its box is closed, until the log's next
    // write goes through.
    void showDatabaseFault(const QString &text);
    // After a write went through: a fault, or the notice that the log cannot be written, goes.
    void logWritable(const QStringList &storageNotices);

private:
    QLabel *m_panels[5] = {};
    bool m_databaseFault = false;
};

} // namespace vireo
