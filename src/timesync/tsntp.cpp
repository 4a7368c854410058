#include "timesync/tsntp.h"

namespace vireo {

TSntp::TSntp(const AppContext &context, QWidget *mainWindow)
    : QDialog(nullptr), m_ctx(context), m_main(mainWindow)
{
    setObjectName(QStringLiteral("Sntp"));
    setWindowTitle(QStringLiteral("Выбор сервера времени"));
    m_ctx.traceEvent(QStringLiteral("create Sntp"));
    FormCreate();
}

TSntp::~TSntp()
{
    m_ctx.traceEvent(QStringLiteral("destroy Sntp"));
}

void TSntp::FormCreate() {}

} // namespace vireo
