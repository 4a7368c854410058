#include "entry/ui/top_strip.h"

#include "base/ui/widget_kit.h"
#include "entry/band_plan.h"
#include "entry/ui/freq_box_edit.h"

#include <QAbstractItemView>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace vireo {

using kit::make;

TopStrip::TopStrip(QWidget *parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("Panel2"));
    setGeometry(1, 1, 602, 24);
    kit::setBackground(this, kit::silver());
    setFrameShape(QFrame::NoFrame);

    m_chTour = make<QCheckBox>(this, "chTour", QRect(4, 4, 55, 17));
    m_chTour->setText(QStringLiteral("TOUR:"));
    m_chTour->setFocusPolicy(Qt::NoFocus);
    m_edTour = make<QLineEdit>(this, "edTour", QRect(59, 3, 20, 17));
    m_edTour->setText(QStringLiteral("0"));
    m_edTour->setFrame(false);
    m_edTour->setFocusPolicy(Qt::ClickFocus);
    {
        QPalette pal = m_edTour->palette();
        pal.setColor(QPalette::Base, kit::silver());
        pal.setColor(QPalette::Text, QColor(0, 128, 0));
        m_edTour->setPalette(pal);
    }
    m_ibTourTime = kit::label(this, "ibTourTime", QStringLiteral("00:00:00"), QRect(81, 3, 62, 18));
    m_ibTourTime->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_ibTourTime->setStyleSheet(QStringLiteral("color: rgb(0,128,0); font-weight: bold;"));
    kit::label(this, "Label1", QStringLiteral("UTC:"), QRect(148, 5, 30, 15)); // the clock's caption
    m_lbUTC = kit::label(this, "lbUTC", QStringLiteral("00:00:00"), QRect(180, 3, 62, 18));
    m_lbUTC->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_lbUTC->setStyleSheet(QStringLiteral("color: rgb(0,0,255); font-weight: bold;"));

    m_cbFreq = make<QComboBox>(this, "cbFreq", QRect(250, 1, 79, 22));
    m_cbFreq->setEditable(true);
    m_freqEdit = new FreqBoxEdit(m_cbFreq);
    m_cbFreq->setLineEdit(m_freqEdit);
    m_cbFreq->setInsertPolicy(QComboBox::NoInsert); // a typed frequency is not added to the list
    m_cbFreq->addItems(bandplan::frequencyList());
    m_cbFreq->setEditText(QStringLiteral("14000"));
    m_cbFreq->setFocusPolicy(Qt::ClickFocus);
    m_edFreqEdit = make<QLineEdit>(this, "edFreqEdit", QRect(250, 1, 79, 22));
    kit::setBackground(m_edFreqEdit, kit::yellow());
    m_edFreqEdit->hide();

    m_cbMode = make<QComboBox>(this, "cbMode", QRect(330, 1, 53, 22));
    m_cbMode->setEditable(true);
    m_cbMode->addItems(bandplan::modeList());
    m_cbMode->setEditText(QStringLiteral("CW"));
    m_cbMode->setFocusPolicy(Qt::ClickFocus);
    m_cbModeEdit = make<QComboBox>(this, "cbModeEdit", QRect(330, 1, 53, 22));
    m_cbModeEdit->setEditable(true);
    m_cbModeEdit->addItems(bandplan::modeList());
    m_cbModeEdit->setEditText(QStringLiteral("CW"));
    kit::setBackground(m_cbModeEdit, kit::yellow());
    m_cbModeEdit->hide();
    // The boxes show mostly the code; their lists are wide enough for the whole entries.
    m_cbMode->view()->setMinimumWidth(170);
    m_cbModeEdit->view()->setMinimumWidth(170);

    m_chRst = make<QCheckBox>(this, "chRst", QRect(390, 4, 42, 17));
    m_chRst->setText(QStringLiteral("RST"));
    m_chRst->setChecked(true);
    m_chRst->setFocusPolicy(Qt::NoFocus);
    m_chCopy = make<QCheckBox>(this, "chCopy", QRect(438, 4, 57, 17));
    m_chCopy->setText(QStringLiteral("COPY"));
    m_chCopy->setFocusPolicy(Qt::NoFocus);
    // "COPY" is unavailable while a record is edited; its caption stays readable on the silver strip.
    QPalette copyPalette = m_chCopy->palette();
    copyPalette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(96, 96, 96));
    m_chCopy->setPalette(copyPalette);
    // The strip's check boxes have only a few pixels beyond their captions.
    for (QCheckBox *c : {m_chTour, m_chRst, m_chCopy})
        c->setFont(kit::narrowFont(12));

    QFont bold = font();
    bold.setBold(true);
    m_btRadio1 = make<QToolButton>(this, "btRdaio1", QRect(502, 2, 45, 20));
    m_btRadio1->setText(QStringLiteral("R-1"));
    m_btRadio1->setToolTip(tr("Радио-1"));
    m_btRadio2 = make<QToolButton>(this, "btRdaio2", QRect(548, 2, 45, 20));
    m_btRadio2->setText(QStringLiteral("R-2"));
    m_btRadio2->setToolTip(tr("Радио-2"));
    auto *radioGroup = new QButtonGroup(this);
    radioGroup->setObjectName(QStringLiteral("radioGroup"));
    radioGroup->setExclusive(true);
    for (QToolButton *b : {m_btRadio1, m_btRadio2}) {
        b->setCheckable(true);
        b->setFont(bold);
        b->setCursor(Qt::PointingHandCursor);
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoRaise(false);
        radioGroup->addButton(b);
    }
    m_btRadio1->setChecked(true);

    connect(m_chTour, &QCheckBox::clicked, this, &TopStrip::tourTrackingClicked);
    connect(m_cbFreq, &QComboBox::currentTextChanged, this, [this] {
        // A key typed into the box is told by frequencyTyped: while typing, the box may show a
        // completion the listener did not choose.
        if (!m_freqEdit->typing())
            emit frequencyChanged();
    });
    connect(m_freqEdit, &FreqBoxEdit::typed, this, &TopStrip::frequencyTyped);
    connect(m_cbMode, &QComboBox::textActivated, this, &TopStrip::modeChosen);
    connect(m_cbMode->lineEdit(), &QLineEdit::textEdited, this, &TopStrip::modeChosen);
    connect(m_edFreqEdit, &QLineEdit::textChanged, this, &TopStrip::editFrequencyChanged);
    connect(m_chRst, &QCheckBox::clicked, this, &TopStrip::reportsClicked);
    connect(m_chCopy, &QCheckBox::clicked, this, &TopStrip::manualEntryClicked);
    connect(m_cbFreq, &QComboBox::currentTextChanged, this, &TopStrip::shownChanged);
    connect(m_cbMode, &QComboBox::currentTextChanged, this, &TopStrip::shownChanged);
    connect(m_edTour, &QLineEdit::textChanged, this, &TopStrip::shownChanged);
    connect(m_btRadio1, &QToolButton::clicked, this, [this] { emit radioClicked(1); });
    connect(m_btRadio2, &QToolButton::clicked, this, [this] { emit radioClicked(2); });
}

bool TopStrip::tracksTours() const
{
    return m_chTour->isChecked();
}

void TopStrip::setTracksTours(bool on)
{
    m_chTour->setChecked(on);
}

QString TopStrip::tour() const
{
    return m_edTour->text();
}

void TopStrip::setTour(const QString &tour)
{
    m_edTour->setText(tour);
}

void TopStrip::setTimeLeft(const QString &text)
{
    m_ibTourTime->setText(text);
}

void TopStrip::setUtcSeconds(const QString &text)
{
    m_lbUTC->setText(text);
}

QString TopStrip::frequencyText() const
{
    return m_cbFreq->currentText();
}

void TopStrip::setFrequencyText(const QString &text)
{
    m_cbFreq->setEditText(text);
}

bool TopStrip::typingFrequency() const
{
    return m_freqEdit->typing();
}

QString TopStrip::modeText() const
{
    return m_cbMode->currentText();
}

void TopStrip::setModeText(const QString &text)
{
    m_cbMode->setEditText(text);
}

bool TopStrip::keepsReports() const
{
    return m_chRst->isChecked();
}

bool TopStrip::manualEntry() const
{
    return m_chCopy->isChecked();
}

void TopStrip::setManualEntryEnabled(bool enabled)
{
    m_chCopy->setEnabled(enabled);
}

int TopStrip::radio() const
{
    return m_btRadio2->isChecked() ? 2 : 1;
}

void TopStrip::setRadio(int radio)
{
    (radio == 2 ? m_btRadio2 : m_btRadio1)->setChecked(true);
}

void TopStrip::setRadioTip(int radio, const QString &tip)
{
    (radio == 2 ? m_btRadio2 : m_btRadio1)->setToolTip(tip);
}

void TopStrip::setRadioOnline(int radio, bool online)
{
    QToolButton *button = radio == 2 ? m_btRadio2 : m_btRadio1;
    const QColor colour = online ? QColor(0, 128, 0) : QColor(0, 0, 0);
    QPalette p = button->palette();
    p.setColor(QPalette::ButtonText, colour);
    p.setColor(QPalette::WindowText, colour);
    button->setPalette(p);
}

void TopStrip::showManualEntry(bool on)
{
    kit::setBackground(m_edTour, on ? kit::lightGreen() : kit::silver());
    for (QWidget *w : {static_cast<QWidget *>(m_cbMode), static_cast<QWidget *>(m_cbFreq)})
        kit::setBackground(w, on ? kit::lightGreen() : kit::windowColour());
}

void TopStrip::beginEdit(const QString &frequency, const QString &mode)
{
    m_cbModeEdit->setEditText(mode);
    m_edFreqEdit->setText(frequency);
    kit::setBackground(m_edTour, kit::yellow());
    m_cbMode->hide();
    m_cbFreq->hide();
    m_cbModeEdit->show();
    m_edFreqEdit->show();
}

void TopStrip::endEdit(const QString &frequency, const QString &mode)
{
    m_cbFreq->setEditText(frequency);
    m_cbMode->setEditText(mode);
    kit::setBackground(m_edTour, kit::silver());
    m_cbMode->show();
    m_cbFreq->show();
    m_cbModeEdit->hide();
    m_edFreqEdit->hide();
}

bool TopStrip::showsEditFrequency() const
{
    return m_edFreqEdit->isVisible();
}

QString TopStrip::editFrequencyText() const
{
    return m_edFreqEdit->text();
}

QString TopStrip::editModeText() const
{
    return m_cbModeEdit->currentText();
}

void TopStrip::setTourColour(const QColor &colour)
{
    kit::setBackground(m_edTour, colour);
}

QList<QWidget *> TopStrip::tabChain() const
{
    return {m_edFreqEdit, m_cbModeEdit};
}

} // namespace vireo
