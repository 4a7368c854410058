#pragma once
// The entry area under the log grid ("Panel1") and its entry line: the six station fields (heard
// station: call, report, control number; its correspondent: the same three), the date, time and
// band of a record typed or edited by hand, "F1" (swap the sides), "F2" (clear) and the three
// "OK" buttons (observation, manual entry, edit). It runs the keyboard flow between the fields
// and filters what is typed into them; what is to be saved it tells by its signals.

#include "entry/qso_entry.h"

#include <QFrame>

#include <functional>

class QComboBox;
class QEvent;
class QFocusEvent;
class QKeyEvent;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace vireo {

struct QsoRecord;

class EntryPanel : public QFrame {
    Q_OBJECT
public:
    // The entry line's options, as the strip, the station panel and the menu have them now.
    struct Options {
        bool columnLayout = false; // the fields in a column ("Установить окна ввода")
        bool reportsShown = true; // "RST"
        bool manualEntry = false; // "COPY"
        bool cursorRight = true; // a control number reached by key gets the cursor at its end
    };

    explicit EntryPanel(QWidget *parent);
    void setOptions(std::function<Options()> options) { m_options = std::move(options); }

    // ---- the station fields; side 1 is the heard station, side 2 its correspondent ----
    qsoentry::StationFields fields() const;
    QString call(int side) const;
    void setReport(int side, const QString &text); // an empty text clears it
    void setNumber(int side, const QString &text);
    void setCallColour(int side, const QColor &colour);
    // Puts a call chosen elsewhere (the partial check) into a call field, the cursor at its end.
    void chooseCall(int side, const QString &call);
    void focusCall1();
    // The worked station's report goes with its number: without the number it is not kept.
    void dropReportWithoutNumber();
    // Places the six fields for the layout and hides the reports when they are not kept.
    void placeFields(bool columnLayout, bool reportsShown);

    // ---- date, time and band of a record typed or edited by hand ----
    QString dateText() const; // as shown, mask blanks included
    QString timeText() const;
    QString editBandText() const;
    void setEditBand(const QString &band);
    void focusTime();

    // ---- modes ----
    // After an observation is saved: the calls and numbers go, the reports unless they are kept.
    void afterObservationSave(bool keepReports);
    // Manual entry ("COPY"): its own date and time, offered as the clock's, and its own "OK".
    void beginManualEntry(const QString &date, const QString &time);
    void endManualEntry();
    void afterManualSave();
    // Edit mode: a record's fields in yellow with its date, time and band, and the edit's "OK".
    void beginEdit(const QsoRecord &record);
    void endEdit();
    bool editing() const; // shown by the heard report's yellow
    bool showsEditDate() const; // the yellow date field is on screen
    void hideDateFields(); // date, time and band boxes (at the start)

    // The controls that take the focus by Tab, in order: the six fields, then the three "OK"
    // buttons; and the band box, which comes last.
    QList<QWidget *> tabChain() const;
    QWidget *bandBox() const;

signals:
    void saveClicked(); // the observation's "OK"
    void copySaveClicked(); // the manual entry's "OK"
    void editSaveClicked(); // the edit's "OK"
    void saveWanted(); // Ctrl+Enter in a field: the observation saved as it stands
    void callChanged(int side);
    void edited(); // a station field, the date or the time holds another text
    void logUndoWanted(); // Ctrl+Z in an empty station field
    void stepWanted(bool up); // Ctrl+PgUp, Ctrl+PgDn: to the next station of the band map

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool keyPress(QObject *watched, QKeyEvent *event);
    bool undoKey(QObject *watched, QKeyEvent *event);
    void swapSides(); // F1
    void clearAll(); // F2
    QLineEdit *field(int side, int column) const; // column 0 call, 1 report, 2 number
    QList<QLineEdit *> stationFields() const;
    Options options() const { return m_options ? m_options() : Options{}; }

    std::function<Options()> m_options;
    QLineEdit *m_edCall1 = nullptr, *m_edRst1 = nullptr, *m_edNr1 = nullptr;
    QLineEdit *m_edCall2 = nullptr, *m_edRst2 = nullptr, *m_edNr2 = nullptr;
    QLineEdit *m_edData = nullptr, *m_edTime = nullptr;
    QComboBox *m_cbBandEdit = nullptr;
    QToolButton *m_swap = nullptr; // "BitBtn1", F1
    QToolButton *m_clear = nullptr; // "BitBtn2", F2
    QPushButton *m_btSave = nullptr, *m_btEditSave = nullptr, *m_btCopySave = nullptr;
};

} // namespace vireo
