#include "app/trestore.h"

#include "app/logging.h"
#include "base/error.h"
#include "base/ini_file.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace vireo {

TRestore::TRestore(const QString &folder, const QVector<Item> &items, const QString &settingsPath, QWidget *parent)
    : QDialog(parent), m_settingsPath(settingsPath)
{
    setObjectName(QStringLiteral("Restore"));
    setWindowTitle(tr("Восстановление журнала из резервной копии"));
    auto *box = new QVBoxLayout(this);
    lbFolder = new QLabel(this);
    lbFolder->setObjectName(QStringLiteral("lbFolder"));
    lbFolder->setWordWrap(true);
    lbFolder->setText(items.isEmpty() ? tr("В папке %1 нет резервных копий журнала.").arg(folder)
                                      : tr("Резервные копии в папке %1, новые сверху:").arg(folder));
    box->addWidget(lbFolder);

    lvBackups = new QTreeWidget(this);
    lvBackups->setObjectName(QStringLiteral("lvBackups"));
    lvBackups->setColumnCount(2);
    lvBackups->setHeaderLabels({tr("Дата и время (UTC)"), QStringLiteral("QSO")});
    lvBackups->setRootIsDecorated(false);
    lvBackups->setAllColumnsShowFocus(true);
    lvBackups->header()->setStretchLastSection(false);
    lvBackups->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    lvBackups->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    for (const Item &item : items) {
        auto *row = new QTreeWidgetItem(lvBackups, {dateTimeText(item.utc), countText(item.qsos)});
        row->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    }
    box->addWidget(lvBackups, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    btRestore = new QPushButton(tr("Восстановить"), this);
    btRestore->setObjectName(QStringLiteral("btRestore"));
    btRestore->setDefault(true);
    btCancel = new QPushButton(tr("Отмена"), this);
    btCancel->setObjectName(QStringLiteral("btCancel"));
    buttons->addWidget(btRestore);
    buttons->addWidget(btCancel);
    box->addLayout(buttons);

    connect(btRestore, &QPushButton::clicked, this, &QDialog::accept);
    connect(btCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(lvBackups, &QTreeWidget::itemDoubleClicked, this, &QDialog::accept);
    connect(lvBackups, &QTreeWidget::currentItemChanged, this,
            [this] { btRestore->setEnabled(lvBackups->currentItem() != nullptr); });
    if (lvBackups->topLevelItemCount() > 0)
        lvBackups->setCurrentItem(lvBackups->topLevelItem(0));
    btRestore->setEnabled(lvBackups->currentItem() != nullptr);

    const IniFile ini(m_settingsPath);
    resize(ini.readInteger(QStringLiteral("Restore"), QStringLiteral("Width"), 420),
           ini.readInteger(QStringLiteral("Restore"), QStringLiteral("Height"), 320));
}

TRestore::~TRestore()
{
    try {
        IniFile ini(m_settingsPath);
        ini.writeInteger(QStringLiteral("Restore"), QStringLiteral("Width"), width());
        ini.writeInteger(QStringLiteral("Restore"), QStringLiteral("Height"), height());
    } catch (const std::exception &e) {
        // the size is a convenience; a read-only settings file must not stop the restore
        qCWarning(lcApp).noquote() << "restore window size not kept:" << errorText(e);
    }
}

int TRestore::chosen() const
{
    QTreeWidgetItem *item = lvBackups->currentItem();
    return item ? lvBackups->indexOfTopLevelItem(item) : -1;
}

QString TRestore::dateTimeText(const QDateTime &utc)
{
    return utc.toUTC().toString(QStringLiteral("dd.MM.yyyy HH:mm:ss"));
}

QString TRestore::countText(int qsos)
{
    return qsos < 0 ? tr("копия повреждена") : QString::number(qsos);
}

} // namespace vireo
