#include "app/tfmstart.h"

#include "base/error.h"
#include "base/ui/guarded.h"
#include "stationinfo/my_position.h"
#include "stationinfo/ui/position_fields.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vireo {

TfmStart::TfmStart(const AppContext &context, QWidget *mainWindow)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_ctx(context), m_main(mainWindow)
{
    setObjectName(QStringLiteral("fmStart"));
    setWindowTitle(tr("Первый запуск программы"));
    setFixedSize(330, 300);
    setModal(true);
    auto *l1 = new QLabel(tr("Позывной:"), this);
    l1->setObjectName(QStringLiteral("Label1"));
    l1->setGeometry(16, 18, 80, 20);
    edCall = new QLineEdit(this);
    edCall->setObjectName(QStringLiteral("edCall"));
    edCall->setGeometry(100, 16, 210, 24);
    auto *l2 = new QLabel(QStringLiteral("Contest:"), this);
    l2->setObjectName(QStringLiteral("Label2"));
    l2->setGeometry(16, 52, 80, 20);
    edContest = new QLineEdit(QStringLiteral("Contest"), this);
    edContest->setObjectName(QStringLiteral("edContest"));
    edContest->setGeometry(100, 50, 210, 24);
    // Where the listener is, for distances and bearings; may be left empty and set later.
    auto *place = new QGroupBox(tr("Моё местоположение (можно указать позже)"), this);
    place->setObjectName(QStringLiteral("gbMyPosition"));
    place->setGeometry(16, 84, 298, 164);
    position = new PositionFields(place);
    auto *placeLayout = new QVBoxLayout(place);
    placeLayout->addWidget(position);
    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(125, 260, 80, 28);
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &TfmStart::Button1Click);
    m_ctx.traceEvent(QStringLiteral("create fmStart"));
}

TfmStart::~TfmStart()
{
    m_ctx.traceEvent(QStringLiteral("destroy fmStart"));
}

void TfmStart::showEvent(QShowEvent *event)
{
    if (m_main)
        move(m_main->geometry().center() - rect().center());
    QDialog::showEvent(event);
}

void TfmStart::Button1Click()
{
    const QString call = edCall->text();
    const QString contest = edContest->text();
    // A position typed is checked first and written at once; the dialog stays open on an error.
    if (!position->isEmpty()) {
        const bool written = runGuarded(*m_ctx.services.prompts, [this] {
            const GeoPosition chosen = position->input().value();
            myposition::write(m_ctx.settingsPath, chosen);
            emit positionChosen(chosen);
        });
        if (!written)
            return;
    }
    m_ctx.services.prompts->information(
        tr("  Необходим перезапуск программы.\n\rПосле закрытия окна программа запустится вновь."));
    accept();
    emit accepted(call, contest);
}

} // namespace vireo
