#pragma once
// TRptQso: the repeats window, listing every earlier record of the call being typed.

#include "base/services.h"

#include <QWidget>

namespace vireo {

class TRptQso : public QWidget {
    Q_OBJECT
public:
    explicit TRptQso(const AppContext &context);
    ~TRptQso() override;

signals:
    // The window was closed with its close box.
    void closed();

private:
    void FormCreate();
    void FormDestroy();

    AppContext m_ctx;
};

} // namespace vireo
