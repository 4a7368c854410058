#include "contest/tfmcontest.h"

namespace vireo {

TfmContest::TfmContest(const AppContext &context, QWidget *mainWindow)
    : QDialog(nullptr), m_ctx(context), m_main(mainWindow)
{
    setObjectName(QStringLiteral("fmContest"));
    setWindowTitle(QStringLiteral("Настройка туров соревнования"));
    m_ctx.traceEvent(QStringLiteral("create fmContest"));
    FormCreate();
}

TfmContest::~TfmContest()
{
    FormDestroy();
    m_ctx.traceEvent(QStringLiteral("destroy fmContest"));
}

void TfmContest::FormCreate() {}
void TfmContest::FormDestroy() {}

} // namespace vireo
