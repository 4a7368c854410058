#include "about/taboutbox.h"

namespace vireo {

TAboutBox::TAboutBox(const AppContext &context)
    : QDialog(nullptr), m_ctx(context)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("О программе"));
    m_ctx.traceEvent(QStringLiteral("create AboutBox"));
}

TAboutBox::~TAboutBox()
{
    m_ctx.traceEvent(QStringLiteral("destroy AboutBox"));
}

} // namespace vireo
