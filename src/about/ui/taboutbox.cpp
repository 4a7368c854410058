#include "about/ui/taboutbox.h"

#include "base/product.h"

#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QUrl>
#include <QVBoxLayout>

namespace vireo {

const QString TAboutBox::WebSite = product::webSite();
const QString TAboutBox::Email = product::email();

QString TAboutBox::maker()
{
    return tr("© Авторы программы Vireo, 2017");
}

QColor TAboutBox::linkColour()
{
    return QColor(0, 0, 255);
}

QColor TAboutBox::hoverColour()
{
    return QColor(255, 0, 0);
}

TAboutBox::TAboutBox(const AppContext &context) : QDialog(nullptr), m_ctx(context)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(tr("О программе"));
    m_ctx.traceEvent(QStringLiteral("create AboutBox"));

    auto name = [](QWidget *w, const char *n) { w->setObjectName(QLatin1String(n)); };

    Panel1 = new QFrame(this);
    name(Panel1, "Panel1");
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setLineWidth(2);

    ProductName = new QLabel(QStringLiteral("Vireo"), Panel1);
    name(ProductName, "ProductName");
    QFont big = ProductName->font();
    // The interface font may be set in pixels or in points.
    if (big.pixelSize() > 0)
        big.setPixelSize(qRound(big.pixelSize() * 2.2));
    else
        big.setPointSizeF(big.pointSizeF() * 2.2);
    big.setBold(true);
    ProductName->setFont(big);
    ProductName->setAlignment(Qt::AlignCenter);
    setTextColour(ProductName, linkColour());

    Version = new QLabel(QStringLiteral("Version: 1.5.0.1     01.2017"), Panel1);
    name(Version, "Version");
    Version->setAlignment(Qt::AlignCenter);

    Label2 = new QLabel(WebSite, Panel1);
    name(Label2, "Label2");
    Label2->setAlignment(Qt::AlignCenter);

    Label3 = new QLabel(maker(), Panel1);
    name(Label3, "Label3");
    Label3->setAlignment(Qt::AlignCenter);

    Label1 = new QLabel(QStringLiteral("contact: ") + Email, Panel1);
    name(Label1, "Label1");
    Label1->setAlignment(Qt::AlignCenter);

    Comments = new QLabel(tr("Программа для ведения лога наблюдений в соревнованиях на КВ, УКВ "
                             "диапазонах и составления отчета"),
                          Panel1);
    name(Comments, "Comments");
    Comments->setAlignment(Qt::AlignCenter);
    Comments->setWordWrap(true);

    // Which files this copy uses: beside the program, or the XDG folders of an installed package.
    Folders = new QLabel(tr("Настройки: %1\nЖурнал: %2")
                             .arg(QDir::toNativeSeparators(m_ctx.settingsPath),
                                  QDir::toNativeSeparators(QFileInfo(m_ctx.databasePath).absoluteFilePath())),
                         Panel1);
    name(Folders, "Folders");
    Folders->setAlignment(Qt::AlignCenter);
    Folders->setWordWrap(true);
    Folders->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto *panel = new QVBoxLayout(Panel1);
    panel->setContentsMargins(16, 12, 16, 12);
    panel->setSpacing(8);
    for (QLabel *l : {ProductName, Version, Label2, Label3, Label1, Comments, Folders})
        panel->addWidget(l);

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    name(OKButton, "OKButton");
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, [this] { OKButtonClick(); });

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OKButton);
    buttons->addStretch(1);

    auto *outer = new QVBoxLayout(this);
    outer->addWidget(Panel1);
    outer->addLayout(buttons);
    outer->setSizeConstraint(QLayout::SetFixedSize);
    Comments->setFixedWidth(320);
    Folders->setFixedWidth(320);

    FormCreate();
}

TAboutBox::~TAboutBox()
{
    m_ctx.traceEvent(QStringLiteral("destroy AboutBox"));
}

void TAboutBox::FormCreate()
{
    for (QLabel *link : {Label1, Label2}) {
        link->setCursor(Qt::PointingHandCursor);
        setTextColour(link, linkColour());
        link->installEventFilter(this);
    }
}

void TAboutBox::setTextColour(QLabel *label, const QColor &colour)
{
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, colour);
    label->setPalette(p);
}

void TAboutBox::Label1MouseEnter()
{
    setTextColour(Label1, hoverColour());
}
void TAboutBox::Label1MouseLeave()
{
    setTextColour(Label1, linkColour());
}
void TAboutBox::Label2MouseEnter()
{
    setTextColour(Label2, hoverColour());
}
void TAboutBox::Label2MouseLeave()
{
    setTextColour(Label2, linkColour());
}

void TAboutBox::Label1Click()
{
    m_ctx.services.shell->openUrl(QUrl(QStringLiteral("mailto:") + Email));
}

void TAboutBox::Label2Click()
{
    m_ctx.services.shell->openUrl(QUrl(WebSite));
}

void TAboutBox::OKButtonClick()
{
    accept();
}

bool TAboutBox::eventFilter(QObject *watched, QEvent *event)
{
    const bool site = watched == Label2;
    if (watched == Label1 || site) {
        switch (event->type()) {
        case QEvent::Enter:
            site ? Label2MouseEnter() : Label1MouseEnter();
            break;
        case QEvent::Leave:
            site ? Label2MouseLeave() : Label1MouseLeave();
            break;
        case QEvent::MouseButtonRelease:
            if (static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
                site ? Label2Click() : Label1Click();
                return true;
            }
            break;
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TAboutBox::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (QScreen *s = screen() ? screen() : QGuiApplication::primaryScreen()) {
        const QRect area = s->availableGeometry();
        move(area.center() - QPoint(frameGeometry().width() / 2, frameGeometry().height() / 2));
    }
}

} // namespace vireo
