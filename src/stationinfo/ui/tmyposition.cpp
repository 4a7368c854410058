#include "stationinfo/ui/tmyposition.h"

#include "base/error.h"
#include "base/ui/guarded.h"
#include "stationinfo/ui/position_fields.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vireo {

TMyPosition::TMyPosition(const AppContext &context, QWidget *parent) : QDialog(parent), m_ctx(context)
{
    setObjectName(QStringLiteral("MyPosition"));
    setWindowTitle(tr("Моё местоположение"));
    auto *hint = new QLabel(tr("Введите QTH-локатор (4, 6 или 8 знаков) или широту и долготу в "
                               "градусах (север и восток со знаком плюс). От этого места "
                               "считаются расстояние и азимут до станций."),
                            this);
    hint->setObjectName(QStringLiteral("lbMyPositionHint"));
    hint->setWordWrap(true);
    fields = new PositionFields(this);
    btMyPositionSave = new QPushButton(tr("Сохранить"), this);
    btMyPositionSave->setObjectName(QStringLiteral("btMyPositionSave"));
    btMyPositionSave->setDefault(true);
    btMyPositionCancel = new QPushButton(tr("Отмена"), this);
    btMyPositionCancel->setObjectName(QStringLiteral("btMyPositionCancel"));

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btMyPositionSave);
    buttons->addWidget(btMyPositionCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(hint);
    layout->addWidget(fields);
    layout->addStretch();
    layout->addLayout(buttons);
    setMinimumWidth(360);

    connect(btMyPositionSave, &QPushButton::clicked, this,
            guarded(m_ctx.services.prompts, [this] { btMyPositionSaveClick(); }));
    connect(btMyPositionCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TMyPosition::showPosition(const GeoPosition &position)
{
    fields->setPosition(position);
    show();
    raise();
    activateWindow();
    fields->edLocator->setFocus();
    fields->edLocator->selectAll();
}

void TMyPosition::btMyPositionSaveClick()
{
    // A position that does not read ends here, in the error box.
    const GeoPosition position = fields->input().value();
    // Written before anything else changes: a file that cannot be written leaves all as it was.
    myposition::write(m_ctx.settingsPath, position);
    emit saved(position);
    accept();
}

} // namespace vireo
