#include "stationinfo/ui/station_panel.h"

#include "base/ui/widget_kit.h"
#include "stationinfo/station_lookup.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace vireo {

using kit::make;

StationPanel::StationPanel(QWidget *parent) : QObject(parent)
{
    QFont bold = parent->font();
    bold.setBold(true);
    m_group = make<QFrame>(parent, "GroupBox1", QRect(2, 25, 600, 22));
    m_group->setFrameShape(QFrame::NoFrame);
    m_clear = make<QPushButton>(m_group, "Button1", QRect(3, 3, 20, 17));
    m_clear->setText(QStringLiteral("X"));
    m_clear->setFont(bold);
    m_clear->setToolTip(tr("Снять автозахват"));
    auto *captureGroup = new QButtonGroup(m_group);
    captureGroup->setObjectName(QStringLiteral("captureGroup"));
    captureGroup->setExclusive(false); // "X" must be able to uncheck them all
    struct Rb {
        QRadioButton **target;
        const char *name;
        const char *caption;
        int width;
    };
    // LOC takes an 8-character locator whole; STATE gives it the room.
    const Rb rbs[] = {{&m_rbCQ, "rbCQ", "CQ:", 59},           {&m_rbITU, "rbITU", "ITU:", 67},
                      {&m_rbRU, "rbRU", "RU:", 51},           {&m_rbLoc, "rbLoc", "LOC:", 113},
                      {&m_rbState, "rbState", "STATE:", 107}, {&m_rbDeg, "rbDeg", "DEG:", 105}};
    int x = 26;
    for (const Rb &r : rbs) {
        auto *b = make<QRadioButton>(m_group, r.name, QRect(x, 2, r.width, 19));
        b->setText(QString::fromLatin1(r.caption));
        b->setFont(kit::monoFont(12));
        b->setToolTip(tr("Автозахват"));
        b->setAutoExclusive(false);
        b->setAutoFillBackground(true);
        captureGroup->addButton(b);
        *r.target = b;
        x += r.width + 1;
    }
    m_chLR = make<QCheckBox>(m_group, "chLR", QRect(x + 2, 3, 600 - x - 4, 17));
    m_chLR->setText(tr("Справа"));
    m_chLR->setFont(kit::narrowFont(11)); // "Справа" whole in the room the capture buttons leave
    m_chLR->setChecked(true);
    m_chLR->setToolTip(tr("Установка курсора в контрольном номере [cлева/справа]"));

    m_info = make<QFrame>(parent, "Panel3", QRect(4, 47, 143, 60));
    m_info->setFrameShape(QFrame::StyledPanel);
    // Distances of five digits and the longest country names fit the small panel. Label2..Label5
    // are the captions of the values.
    const QFont info = kit::narrowFont(11);
    const QString red = QStringLiteral("color: rgb(128,0,0);");
    kit::label(m_info, "Label2", QStringLiteral("DX:"), QRect(3, 2, 20, 13))->setFont(info);
    m_lbDxccRpt = kit::label(m_info, "lbDxccRpt", QString(), QRect(23, 2, 40, 13));
    kit::label(m_info, "Label3", QStringLiteral("PREF:"), QRect(64, 2, 32, 13))->setFont(info);
    m_lbPrefix = kit::label(m_info, "lbPrefix", QString(), QRect(96, 2, 45, 13));
    kit::label(m_info, "Label4", QStringLiteral("CONT:"), QRect(3, 15, 34, 13))->setFont(info);
    m_lbContinentRpt = kit::label(m_info, "lbContinentRpt", QString(), QRect(37, 15, 20, 13));
    kit::label(m_info, "Label5", QStringLiteral("DIST:"), QRect(58, 15, 29, 13))->setFont(info);
    m_lbDistance = kit::label(m_info, "lbDistance", QStringLiteral("0 km"), QRect(87, 15, 55, 13));
    m_lbCountry = kit::label(m_info, "lbCountry", QString(), QRect(3, 29, 138, 28));
    m_lbCountry->setWordWrap(true);
    m_lbCountry->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    for (QLabel *l : {m_lbDxccRpt, m_lbPrefix, m_lbContinentRpt, m_lbDistance, m_lbCountry}) {
        l->setFont(info);
        l->setStyleSheet(red);
    }

    // The group is not exclusive so that "X" can clear it; a click keeps exactly the clicked one.
    for (QRadioButton *b : buttons()) {
        connect(b, &QRadioButton::clicked, this, [this, b] {
            for (QRadioButton *other : buttons())
                other->setChecked(other == b);
            colourButtons();
        });
    }
    connect(m_clear, &QPushButton::clicked, this, [this] {
        for (QRadioButton *b : buttons())
            b->setChecked(false);
        colourButtons();
        emit captureCleared();
    });
    connect(m_chLR, &QCheckBox::clicked, this, [this] { setCursorRight(m_chLR->isChecked()); });
}

std::array<QRadioButton *, 6> StationPanel::buttons() const
{
    return {m_rbCQ, m_rbITU, m_rbRU, m_rbLoc, m_rbState, m_rbDeg};
}

void StationPanel::show(const StationDisplay &d)
{
    if (d.reset) {
        clear();
        return;
    }
    m_lbDxccRpt->setText(d.dxcc);
    m_lbPrefix->setText(d.prefix);
    m_rbCQ->setText(d.cq);
    m_rbITU->setText(d.itu);
    m_rbState->setText(d.state);
    m_lbContinentRpt->setText(d.continent);
    m_lbDistance->setText(d.distance);
    m_rbDeg->setText(d.deg);
    m_lbCountry->setText(d.country);
    if (d.ru)
        m_rbRU->setText(*d.ru);
    m_rbLoc->setText(d.loc);
}

void StationPanel::clear()
{
    const StationDisplay d = StationDisplay::cleared();
    m_lbDxccRpt->setText(d.dxcc);
    m_lbContinentRpt->setText(d.continent);
    m_rbCQ->setText(d.cq);
    m_rbRU->setText(*d.ru);
    m_rbITU->setText(d.itu);
    m_rbState->setText(d.state);
    m_rbLoc->setText(d.loc);
    m_rbDeg->setText(d.deg);
    m_lbCountry->setText(d.country);
    m_lbPrefix->setText(d.prefix);
    m_lbDistance->setText(d.distance);
}

std::optional<QString> StationPanel::captured() const
{
    capture::Button state[6];
    const auto rbs = buttons();
    for (int i = 0; i < 6; ++i)
        state[i] = capture::Button{rbs[size_t(i)]->isChecked(), rbs[size_t(i)]->text()};
    return capture::copyValue(state);
}

bool StationPanel::cursorRight() const
{
    return m_chLR->isChecked();
}

void StationPanel::setCursorRight(bool right)
{
    m_chLR->setChecked(right);
    m_chLR->setText(right ? tr("Справа") : tr("Слева"));
}

void StationPanel::setInformationVisible(bool visible)
{
    m_info->setVisible(visible);
}

QWidget *StationPanel::informationFrame() const
{
    return m_info;
}

void StationPanel::colourButtons()
{
    const QColor face = QApplication::palette().color(QPalette::Button);
    for (QRadioButton *b : buttons()) {
        QPalette p = b->palette();
        p.setColor(b->backgroundRole(), b->isChecked() ? kit::yellow() : face);
        b->setPalette(p);
    }
}

QList<QWidget *> StationPanel::tabChain() const
{
    return {m_clear, m_rbCQ, m_rbITU, m_rbRU, m_rbLoc, m_rbState, m_rbDeg, m_chLR};
}

} // namespace vireo
