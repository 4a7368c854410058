#include "stationinfo/ui/position_fields.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace vireo {

PositionFields::PositionFields(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("PositionFields"));
    auto field = [this](const char *name, int maxLength, const QString &hint) {
        auto *e = new QLineEdit(this);
        e->setObjectName(QString::fromLatin1(name));
        e->setMaxLength(maxLength);
        e->setPlaceholderText(hint);
        return e;
    };
    edLocator = field("edLocator", 8, QStringLiteral("KO85ts"));
    edLat = field("edLat", 16, QStringLiteral("55.81"));
    edLon = field("edLon", 16, QStringLiteral("37.62"));
    lbPositionCheck = new QLabel(this);
    lbPositionCheck->setObjectName(QStringLiteral("lbPositionCheck"));
    lbPositionCheck->setWordWrap(true);
    lbPositionCheck->setMinimumHeight(2 * fontMetrics().height() + 2);
    lbPositionCheck->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto caption = [this](const QString &text, QLineEdit *buddy) {
        auto *l = new QLabel(text, this);
        l->setBuddy(buddy);
        return l;
    };
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(4);
    grid->addWidget(caption(tr("Локатор:"), edLocator), 0, 0);
    grid->addWidget(edLocator, 0, 1);
    grid->addWidget(caption(tr("Широта:"), edLat), 1, 0);
    grid->addWidget(edLat, 1, 1);
    grid->addWidget(caption(tr("Долгота:"), edLon), 2, 0);
    grid->addWidget(edLon, 2, 1);
    grid->addWidget(lbPositionCheck, 3, 0, 1, 2);
    grid->setColumnStretch(1, 1);

    connect(edLocator, &QLineEdit::textEdited, this, &PositionFields::locatorEdited);
    connect(edLat, &QLineEdit::textEdited, this, &PositionFields::degreesEdited);
    connect(edLon, &QLineEdit::textEdited, this, &PositionFields::degreesEdited);
}

void PositionFields::setPosition(const GeoPosition &position)
{
    edLat->setText(myposition::degreesText(position.latitude));
    edLon->setText(myposition::degreesText(position.longitude));
    edLocator->setText(myposition::locatorOf(position));
    m_fromLocator = false;
    m_shown = position;
    lbPositionCheck->clear();
}

bool PositionFields::isEmpty() const
{
    return edLocator->text().trimmed().isEmpty() && edLat->text().trimmed().isEmpty()
           && edLon->text().trimmed().isEmpty();
}

PositionInput PositionFields::input() const
{
    if (m_shown)
        return *m_shown;
    return m_fromLocator ? myposition::fromLocator(edLocator->text())
                         : myposition::fromDegrees(edLat->text(), edLon->text());
}

void PositionFields::locatorEdited()
{
    m_fromLocator = true;
    m_shown.reset();
    const PositionInput in = input();
    if (in.ok()) {
        edLat->setText(myposition::degreesText(in->latitude));
        edLon->setText(myposition::degreesText(in->longitude));
    }
    showCheck(in,
              in.ok() ? tr("Середина квадрата: широта %1, долгота %2.").arg(edLat->text(), edLon->text()) : QString());
}

void PositionFields::degreesEdited()
{
    m_fromLocator = false;
    m_shown.reset();
    const PositionInput in = input();
    if (in.ok())
        edLocator->setText(myposition::locatorOf(*in));
    showCheck(in, in.ok() ? tr("Локатор %1.").arg(edLocator->text()) : QString());
}

void PositionFields::showCheck(const PositionInput &input, const QString &otherForm)
{
    QPalette p = palette();
    if (!input.ok())
        p.setColor(QPalette::WindowText, QColor(176, 0, 0));
    lbPositionCheck->setPalette(p);
    lbPositionCheck->setText(input.ok() ? otherForm : input.errorText());
}

} // namespace vireo
