#include "stationinfo/ui/tdataupdate.h"

#include "base/error.h"
#include "base/ui/guarded.h"
#include "db/database.h"
#include "db/scp_store.h"
#include "stationinfo/data_refresh.h"
#include "stationinfo/reference_files.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

#include <functional>
#include <tuple>

namespace vireo {

namespace {

QString orUnknown(const QString &s)
{
    return s.isEmpty() ? QCoreApplication::translate("vireo::TDataUpdate", "не записана") : s;
}

QString number(int n)
{
    return QLocale().toString(n);
}

} // namespace

TDataUpdate::TDataUpdate(const AppContext &context, QSqlDatabase db, QWidget *parent)
    : QWidget(parent, Qt::Window), m_ctx(context), m_store(db)
{
    setObjectName(QStringLiteral("DataUpdate"));
    setWindowTitle(tr("Обновление данных стран и позывных"));

    auto *inUse = new QGroupBox(tr("Данные в работе"), this);
    inUse->setObjectName(QStringLiteral("gbInUse"));
    lbCtyVersion = new QLabel(inUse);
    lbCtyVersion->setObjectName(QStringLiteral("lbCtyVersion"));
    lbScpRelease = new QLabel(inUse);
    lbScpRelease->setObjectName(QStringLiteral("lbScpRelease"));
    lbCounts = new QLabel(inUse);
    lbCounts->setObjectName(QStringLiteral("lbCounts"));
    auto *inUseLayout = new QVBoxLayout(inUse);
    inUseLayout->addWidget(lbCtyVersion);
    inUseLayout->addWidget(lbScpRelease);
    inUseLayout->addWidget(lbCounts);

    auto *files = new QGroupBox(tr("Новые файлы"), this);
    files->setObjectName(QStringLiteral("gbFiles"));
    auto *grid = new QGridLayout(files);
    auto row = [files, grid](int r, const QString &caption, const char *edit, const char *button,
                             const QString &preset) {
        grid->addWidget(new QLabel(caption, files), r, 0);
        auto *e = new QLineEdit(preset, files);
        e->setObjectName(QString::fromLatin1(edit));
        e->setMinimumWidth(280);
        grid->addWidget(e, r, 1);
        auto *b = new QPushButton(tr("Выбрать…"), files);
        b->setObjectName(QString::fromLatin1(button));
        grid->addWidget(b, r, 2);
        return std::pair{e, b};
    };
    std::tie(edCtyFile, btCtyFile) = row(0, tr("Страны (cty.dat):"), "edCtyFile", "btCtyFile", defaultCtyPath());
    std::tie(edScpFile, btScpFile) = row(1, tr("Позывные (MASTER.SCP):"), "edScpFile", "btScpFile", defaultScpPath());
    auto *hint = new QLabel(tr("Свежие файлы: country-files.com (cty.dat) и supercheckpartial.com"
                               " (MASTER.SCP). Справочник позывных (Callbook) не меняется."),
                            files);
    hint->setWordWrap(true);
    grid->addWidget(hint, 2, 0, 1, 3);

    lbResult = new QLabel(this);
    lbResult->setObjectName(QStringLiteral("lbResult"));
    lbResult->setWordWrap(true);

    btUpdate = new QPushButton(tr("Обновить"), this);
    btUpdate->setObjectName(QStringLiteral("btUpdate"));
    btClose = new QPushButton(tr("Закрыть"), this);
    btClose->setObjectName(QStringLiteral("btClose"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btUpdate);
    buttons->addWidget(btClose);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(inUse);
    layout->addWidget(files);
    layout->addWidget(lbResult);
    layout->addLayout(buttons);

    connect(btCtyFile, &QPushButton::clicked, this, guarded(m_ctx.services.prompts, [this] {
                browse(edCtyFile, tr("Файл стран cty.dat"), tr("cty.dat (*.dat);;Все файлы (*)"));
            }));
    connect(btScpFile, &QPushButton::clicked, this, guarded(m_ctx.services.prompts, [this] {
                browse(edScpFile, tr("Файл позывных MASTER.SCP"), tr("MASTER.SCP (*.scp *.SCP);;Все файлы (*)"));
            }));
    connect(btUpdate, &QPushButton::clicked, this, guarded(m_ctx.services.prompts, [this] { btUpdateClick(); }));
    connect(btClose, &QPushButton::clicked, this, &QWidget::hide);
}

void TDataUpdate::showInfo()
{
    const ReferenceInfo info = m_store.info();
    lbCtyVersion->setText(tr("Версия cty.dat: %1").arg(orUnknown(info.ctyVersion)));
    lbScpRelease->setText(tr("Версия MASTER.SCP: %1").arg(orUnknown(info.scpRelease)));
    lbCounts->setText(tr("Стран: %1, префиксов: %2, позывных: %3")
                          .arg(number(info.entities), number(info.prefixes), number(info.calls)));
}

void TDataUpdate::browse(QLineEdit *field, const QString &title, const QString &filter)
{
    const QString current = field->text().trimmed();
    const QString dir =
        current.isEmpty() ? QFileInfo(defaultCtyPath()).absolutePath() : QFileInfo(current).absolutePath();
    const QString chosen = m_ctx.services.prompts->openFileName(title, dir, filter);
    if (!chosen.isEmpty())
        field->setText(chosen);
}

void TDataUpdate::btUpdateClick()
{
    lbResult->setText(QString());
    lbResult->setText(refreshReferenceData(m_store, edCtyFile->text().trimmed(), edScpFile->text().trimmed()));
    showInfo();
    emit updated();
}

} // namespace vireo
