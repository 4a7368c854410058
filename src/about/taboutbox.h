#pragma once
// TAboutBox: the product, its version and the maker's links.

#include "base/services.h"

#include <QDialog>

namespace vireo {

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(const AppContext &context);
    ~TAboutBox() override;

private:
    AppContext m_ctx;
};

} // namespace vireo
