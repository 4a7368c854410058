#pragma once
// TfmCabrillo: the Cabrillo header, the exchange format table and the export.

#include "base/services.h"

#include <QColor>
#include <QDialog>

#include <functional>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTextEdit;

namespace vireo {

class QsoStore;

namespace cabrillo {
struct Header;
}

class TfmCabrillo : public QDialog {
    Q_OBJECT
public:
    TfmCabrillo(const AppContext &context, QsoStore &qsos, QWidget *mainWindow);
    ~TfmCabrillo() override;

    // The tour window hands the contest name over.
    void setContest(const QString &name);

    // ---- contest rules ----
    // The CONTEST: value of the rules chosen in the tour window: it replaces the field's text
    // unless the listener typed his own there.
    void followRulesContest(const QString &contest);
    // Where the claimed score of the chosen rules comes from (nothing: no rules chosen). The
    // field takes it when the window opens and before an export, unless the listener typed his own.
    void setClaimedScoreSource(std::function<std::optional<qint64>()> source);
    void refreshClaimedScore();

    // Header fields (left column).
    QLineEdit *edCbrContest = nullptr;
    QLineEdit *edCbrName = nullptr;
    QLineEdit *edCbrMyCall = nullptr;
    QLineEdit *edCbrClub = nullptr;
    QLineEdit *edCbrEmail = nullptr;
    QLineEdit *edCbrLoc = nullptr;
    QLineEdit *edCbrScore = nullptr;
    QLineEdit *edCbrSoaBox = nullptr;
    // Category lists (middle column).
    QComboBox *cbCbrCategoryAs = nullptr;
    QComboBox *cbCbrCategoryBand = nullptr;
    QComboBox *cbCbrCategoryMode = nullptr;
    QComboBox *cbCbrCategoryPw = nullptr;
    QComboBox *cbCbrCategorySt = nullptr;
    QComboBox *cbCbrCategoryTime = nullptr;
    QComboBox *cbCbrCategoryTx = nullptr;
    QComboBox *cbCbrCategoryOv = nullptr;
    QComboBox *cbCbrOperator = nullptr;
    // Right column.
    QLineEdit *edCbrOperator = nullptr;
    QPlainTextEdit *edCbrOffTime = nullptr;
    QPlainTextEdit *edCbrAddres = nullptr;
    // Exchange format and export.
    QLabel *lbFormatNr = nullptr;
    QLineEdit *edFormatNr = nullptr;
    QTextEdit *reFormat = nullptr;
    QPushButton *btSave = nullptr;
    QPushButton *btCancel = nullptr;

    void btSaveClick();
    void btCancelClick();
    // A mouse button went down on the format table; the caret already stands on the clicked row.
    void reFormatMouseDown();
    // Sets the text colour of one line (1-based) of the format table.
    void PaintLine(int line, const QColor &colour);
    // Chooses the format whose block holds the 0-based row and highlights that block.
    void SelectFormat(int row);
    void ExportCabrillo();

signals:
    // A report was written; the main window shows the last record.
    void exported();

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormCreate();
    void FormDestroy();
    void buildControls();
    cabrillo::Header header() const;

    AppContext m_ctx;
    QsoStore &m_qsos;
    QWidget *m_main;
    QString m_contestGiven; // the CONTEST: text last put in the field by the program
    QString m_scoreByRules; // the claimed score last put in the field from the rules
    std::function<std::optional<qint64>()> m_claimedScore;
};

} // namespace vireo
