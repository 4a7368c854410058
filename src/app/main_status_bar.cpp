#include "app/main_status_bar.h"

#include "base/ui/widget_kit.h"

#include <QLabel>

namespace vireo {

MainStatusBar::MainStatusBar(QWidget *parent) : QStatusBar(parent)
{
    setObjectName(QStringLiteral("StatusBar1"));
    setSizeGripEnabled(false);
    // The longest texts (mode and clock messages, radio states, six-digit points) fit their panels.
    setFont(kit::narrowFont(11));
    // The date needs less than 65 pixels; the last panel takes the rest for its longest messages.
    const int widths[] = {60, 70, 70, 190, 0};
    for (int i = 0; i < 5; ++i) {
        auto *l = new QLabel(this);
        l->setObjectName(QStringLiteral("StatusPanel%1").arg(i + 1));
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Sunken);
        l->setContentsMargins(0, 0, 0, 0);
        l->setIndent(2);
        if (widths[i] > 0) {
            l->setFixedWidth(widths[i]);
            addWidget(l, 0);
        } else {
            addWidget(l, 1);
        }
        if (i < 3)
            l->setAlignment(Qt::AlignCenter);
        m_panels[i] = l;
    }
}

void MainStatusBar::setText(int panel, const QString &text)
{
    if (panel >= 1 && panel <= 5)
        m_panels[panel - 1]->setText(text);
}

QString MainStatusBar::text(int panel) const
{
    return panel >= 1 && panel <= 5 ? m_panels[panel - 1]->text() : QString();
}

void MainStatusBar::showDatabaseFault(const QString &text)
{
    setText(Notice, text);
    m_databaseFault = true;
}

void MainStatusBar::logWritable(const QStringList &storageNotices)
{
    QLabel *notice = m_panels[Notice - 1];
    if (m_databaseFault || storageNotices.contains(notice->text())) {
        m_databaseFault = false;
        notice->clear();
    }
}

} // namespace vireo
