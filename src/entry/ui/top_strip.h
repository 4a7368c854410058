#pragma once
// The top strip of the entry area ("Panel2"): tour tracking and the tour, the time left in it,
// the UTC clock, the frequency and mode boxes (and their twins for the record being edited),
// "RST", "COPY" and the two radio buttons.

#include <QFrame>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QToolButton;
class QWidget;

namespace vireo {

class FreqBoxEdit;

class TopStrip : public QFrame {
    Q_OBJECT
public:
    explicit TopStrip(QWidget *parent);

    // ---- tour and clock ----
    bool tracksTours() const;
    void setTracksTours(bool on); // quietly, without the click's signal
    QString tour() const;
    void setTour(const QString &tour);
    void setTimeLeft(const QString &text);
    void setUtcSeconds(const QString &text);

    // ---- frequency and mode ----
    QString frequencyText() const;
    void setFrequencyText(const QString &text);
    // True while a key typed into the frequency box is being handled (its completion included).
    bool typingFrequency() const;
    QString modeText() const;
    void setModeText(const QString &text);

    // ---- options of the entry line ----
    bool keepsReports() const; // "RST"
    bool manualEntry() const; // "COPY"
    void setManualEntryEnabled(bool enabled);

    // ---- radios ----
    int radio() const; // 1 or 2
    void setRadio(int radio);
    void setRadioTip(int radio, const QString &tip);
    void setRadioOnline(int radio, bool online);

    // ---- modes of the entry line ----
    // Manual entry: the strip's fields turn light green (or back).
    void showManualEntry(bool on);
    // Edit mode: the record's own frequency and mode replace the boxes, the tour turns yellow.
    void beginEdit(const QString &frequency, const QString &mode);
    // The boxes come back with the texts they had before the edit.
    void endEdit(const QString &frequency, const QString &mode);
    bool showsEditFrequency() const;
    QString editFrequencyText() const;
    QString editModeText() const;
    void setTourColour(const QColor &colour);

    // The controls that take the focus by Tab, in order (the edit twins).
    QList<QWidget *> tabChain() const;

signals:
    void tourTrackingClicked();
    void frequencyChanged(); // the box's text, not while a key is typed
    void frequencyTyped(const QString &text); // what the listener typed, key by key
    void modeChosen();
    void editFrequencyChanged();
    void reportsClicked();
    void manualEntryClicked();
    void radioClicked(int radio);
    // The frequency box, the mode box or the tour shows another text (also key by key).
    void shownChanged();

private:
    QCheckBox *m_chTour = nullptr;
    QLineEdit *m_edTour = nullptr;
    QLabel *m_ibTourTime = nullptr;
    QLabel *m_lbUTC = nullptr;
    QComboBox *m_cbFreq = nullptr;
    FreqBoxEdit *m_freqEdit = nullptr;
    QLineEdit *m_edFreqEdit = nullptr;
    QComboBox *m_cbMode = nullptr;
    QComboBox *m_cbModeEdit = nullptr;
    QCheckBox *m_chRst = nullptr;
    QCheckBox *m_chCopy = nullptr;
    QToolButton *m_btRadio1 = nullptr; // objectName "btRdaio1", as settings scripts know it
    QToolButton *m_btRadio2 = nullptr; // objectName "btRdaio2"
};

} // namespace vireo
