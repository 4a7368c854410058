#include "reports/tcomentadif.h"

namespace vireo {

TComentAdif::TComentAdif(const AppContext &context, QslMessage &qsl, QWidget *mainWindow)
    : QDialog(nullptr), m_ctx(context), m_qsl(qsl), m_main(mainWindow)
{
    setObjectName(QStringLiteral("ComentAdif"));
    setWindowTitle(QStringLiteral("Комментарий"));
    m_ctx.traceEvent(QStringLiteral("create ComentAdif"));
    FormCreate();
}

TComentAdif::~TComentAdif()
{
    m_ctx.traceEvent(QStringLiteral("destroy ComentAdif"));
}

void TComentAdif::FormCreate() {}

} // namespace vireo
