#pragma once
// TComentAdif: the QSL message of the ADIF export.

#include "base/services.h"
#include "reports/qsl_message.h"

#include <QDialog>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace vireo {

class TComentAdif : public QDialog {
    Q_OBJECT
public:
    // qsl is the main window's QSL message settings, read at creation and changed by Save.
    TComentAdif(const AppContext &context, QslMessage &qsl, QWidget *mainWindow);
    ~TComentAdif() override;

    // The sample shown while "Стандарт" is selected; an illustration only.
    static QString sampleText();

    // Shows the controls of the selected kind of message.
    void CheckedControl();
    void rbQslStClick();
    void rbQslPrClick();
    void Button1Click(); // "Сохранить"
    void Button2Click(); // "Отмена"

    QGroupBox *GroupBox1 = nullptr;
    QRadioButton *rbQslSt = nullptr;
    QRadioButton *rbQslPr = nullptr;
    QLabel *Label1 = nullptr; // hint of the standard message
    QLabel *Label2 = nullptr; // hint of the own message
    QLineEdit *edQslEdit = nullptr;
    QPushButton *Button1 = nullptr;
    QPushButton *Button2 = nullptr;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormCreate();

    AppContext m_ctx;
    QslMessage &m_qsl;
    QWidget *m_main;
};

} // namespace vireo
