#pragma once
// TRestore: the list of the log's backup copies, newest first, each with its UTC date and time and
// its number of QSOs; the listener picks the one to restore.

#include <QDateTime>
#include <QDialog>
#include <QVector>

class QLabel;
class QPushButton;
class QTreeWidget;

namespace vireo {

class TRestore : public QDialog {
    Q_OBJECT
public:
    struct Item {
        QDateTime utc;
        int qsos = -1; // -1: the copy cannot be read
    };
    TRestore(const QString &folder, const QVector<Item> &items, const QString &settingsPath, QWidget *parent = nullptr);
    ~TRestore() override;

    // Row of the chosen copy in the list given, or -1.
    int chosen() const;
    // "08.12.2026 14:30:05"
    static QString dateTimeText(const QDateTime &utc);
    // The number of QSOs, or "копия повреждена".
    static QString countText(int qsos);

    QLabel *lbFolder = nullptr;
    QTreeWidget *lvBackups = nullptr;
    QPushButton *btRestore = nullptr;
    QPushButton *btCancel = nullptr;

private:
    QString m_settingsPath;
};

} // namespace vireo
