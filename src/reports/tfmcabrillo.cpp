#include "reports/tfmcabrillo.h"

namespace vireo {

TfmCabrillo::TfmCabrillo(const AppContext &context, QsoStore &qsos, QWidget *mainWindow)
    : QDialog(nullptr), m_ctx(context), m_qsos(qsos), m_main(mainWindow)
{
    setObjectName(QStringLiteral("fmCabrillo"));
    setWindowTitle(QStringLiteral("Выгрузка в файл Cabrillo"));
    m_ctx.traceEvent(QStringLiteral("create fmCabrillo"));
    FormCreate();
}

TfmCabrillo::~TfmCabrillo()
{
    FormDestroy();
    m_ctx.traceEvent(QStringLiteral("destroy fmCabrillo"));
}

void TfmCabrillo::setContest(const QString &) {}
void TfmCabrillo::FormCreate() {}
void TfmCabrillo::FormDestroy() {}

} // namespace vireo
