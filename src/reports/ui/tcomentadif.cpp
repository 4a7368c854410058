#include "reports/ui/tcomentadif.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vireo {

namespace {

QLabel *blueHint(const QString &name, const QString &text, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(name);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, Qt::blue);
    l->setPalette(p);
    return l;
}

} // namespace

TComentAdif::TComentAdif(const AppContext &context, QslMessage &qsl, QWidget *mainWindow)
    : QDialog(nullptr), m_ctx(context), m_qsl(qsl), m_main(mainWindow)
{
    setObjectName(QStringLiteral("ComentAdif"));
    setWindowTitle(tr("Комментарий"));
    setModal(true);

    GroupBox1 = new QGroupBox(tr("Текст комментария"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    rbQslSt = new QRadioButton(tr("Стандарт"), GroupBox1);
    rbQslSt->setObjectName(QStringLiteral("rbQslSt"));
    rbQslPr = new QRadioButton(tr("Произвольный"), GroupBox1);
    rbQslPr->setObjectName(QStringLiteral("rbQslPr"));
    Label1 = blueHint(QStringLiteral("Label1"), tr("\"You worked with\" + (станция-корреспондент)"), GroupBox1);
    Label2 = blueHint(QStringLiteral("Label2"), tr("Впишите собственное сообщение . . ."), GroupBox1);
    edQslEdit = new QLineEdit(GroupBox1);
    edQslEdit->setObjectName(QStringLiteral("edQslEdit"));
    edQslEdit->setMinimumWidth(360);

    auto *radios = new QHBoxLayout;
    radios->addWidget(rbQslSt);
    radios->addWidget(rbQslPr);
    radios->addStretch();
    auto *group = new QVBoxLayout(GroupBox1);
    group->addLayout(radios);
    group->addWidget(Label1);
    group->addWidget(Label2);
    group->addWidget(edQslEdit);

    Button1 = new QPushButton(tr("Сохранить"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button2 = new QPushButton(tr("Отмена"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button1->setAutoDefault(false);
    Button2->setAutoDefault(false);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);

    auto *root = new QVBoxLayout(this);
    root->addWidget(GroupBox1);
    root->addLayout(buttons);

    connect(rbQslSt, &QRadioButton::clicked, this, [this] { rbQslStClick(); });
    connect(rbQslPr, &QRadioButton::clicked, this, [this] { rbQslPrClick(); });
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });

    m_ctx.traceEvent(QStringLiteral("create ComentAdif"));
    FormCreate();
}

TComentAdif::~TComentAdif()
{
    m_ctx.traceEvent(QStringLiteral("destroy ComentAdif"));
}

QString TComentAdif::sampleText()
{
    return QStringLiteral("\"You worked with UA3ABC\"");
}

void TComentAdif::FormCreate()
{
    if (m_qsl.standard) {
        rbQslSt->setChecked(true);
        CheckedControl();
    } else {
        rbQslPr->setChecked(true);
        CheckedControl();
        edQslEdit->setText(m_qsl.ownText);
    }
}

void TComentAdif::CheckedControl()
{
    if (rbQslSt->isChecked()) {
        Label1->show();
        Label2->hide();
        edQslEdit->setText(sampleText());
        edQslEdit->setEnabled(false);
    } else {
        edQslEdit->setEnabled(true);
        edQslEdit->clear();
        Label1->hide();
        Label2->show();
    }
}

void TComentAdif::rbQslStClick()
{
    CheckedControl();
}

void TComentAdif::rbQslPrClick()
{
    CheckedControl();
}

void TComentAdif::Button1Click()
{
    if (rbQslSt->isChecked()) {
        m_qsl.standard = true;
        m_qsl.ownText.clear();
    } else {
        m_qsl.standard = false;
        m_qsl.ownText = edQslEdit->text();
    }
    accept();
}

void TComentAdif::Button2Click()
{
    reject();
}

void TComentAdif::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_main) {
        adjustSize();
        move(m_main->geometry().center() - rect().center());
    }
}

} // namespace vireo
