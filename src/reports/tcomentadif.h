#pragma once
// TComentAdif: the QSL message of the ADIF export.

#include "base/services.h"
#include "reports/qsl_message.h"

#include <QDialog>

namespace vireo {

class TComentAdif : public QDialog {
    Q_OBJECT
public:
    // qsl is the main window's QSL message settings, read at creation and changed by Save.
    TComentAdif(const AppContext &context, QslMessage &qsl, QWidget *mainWindow);
    ~TComentAdif() override;

private:
    void FormCreate();

    AppContext m_ctx;
    QslMessage &m_qsl;
    QWidget *m_main;
};

} // namespace vireo
