#include "stationinfo/trptqso.h"

namespace vireo {

TRptQso::TRptQso(const AppContext &context)
    : QWidget(nullptr), m_ctx(context)
{
    setObjectName(QStringLiteral("RptQso"));
    setWindowTitle(QStringLiteral("Повторные связи"));
    m_ctx.traceEvent(QStringLiteral("create RptQso"));
    FormCreate();
}

TRptQso::~TRptQso()
{
    FormDestroy();
    m_ctx.traceEvent(QStringLiteral("destroy RptQso"));
}

void TRptQso::FormCreate() {}
void TRptQso::FormDestroy() {}

} // namespace vireo
