#pragma once
// TAboutBox: the product, its version and the maker's links.

#include "base/services.h"

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

namespace vireo {

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(const AppContext &context);
    ~TAboutBox() override;

    // The maker's addresses shown as links.
    static const QString WebSite;
    static const QString Email;
    // The makers' line, in the interface's language.
    static QString maker();

    // Link colours: blue at rest, red under the mouse.
    static QColor linkColour();
    static QColor hoverColour();

    // ---- controls ----
    QFrame *Panel1 = nullptr;
    QLabel *ProductName = nullptr;
    QLabel *Version = nullptr;
    QLabel *Label2 = nullptr; // web site
    QLabel *Label3 = nullptr; // maker's name
    QLabel *Label1 = nullptr; // contact e-mail
    QLabel *Comments = nullptr;
    QLabel *Folders = nullptr; // the settings file and the log this copy uses
    QPushButton *OKButton = nullptr;

    // ---- handlers ----
    void Label1MouseEnter();
    void Label1MouseLeave();
    void Label2MouseEnter();
    void Label2MouseLeave();
    void Label1Click();
    void Label2Click();
    void OKButtonClick();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void FormCreate();
    static void setTextColour(QLabel *label, const QColor &colour);

    AppContext m_ctx;
};

} // namespace vireo
