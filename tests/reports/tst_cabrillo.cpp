// The Cabrillo window: its fields, lists and settings, the export with its stops and failures,
// whole report files byte for byte, and choosing a format in the format table.

#include "app/program.h"
#include "app/tmain.h"
#include "base/cp1251.h"
#include "db/database.h"
#include "db/log_table_model.h"
#include "db/qso_store.h"
#include "reports/ui/tfmcabrillo.h"
#include "stationinfo/reference_files.h"
#include "support/fake_desktop.h"
#include "support/qso_builder.h"
#include "support/scripted_services.h"
#include "support/temp_log.h"
#include "support/ui/main_controls.h"

#include <QAbstractTextDocumentLayout>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableView>
#include <QTextBlock>
#include <QTextEdit>
#include <QtTest>

#include <memory>

using namespace vireo;

namespace {

QsoRecord qso(const QString &freq, const QString &mode, const QString &data, const QString &time, const QString &call1,
              const QString &rst1, const QString &nr1, const QString &call2, const QString &rst2, const QString &nr2)
{
    return test::Qso::plain()
        .freq(freq)
        .mode(mode)
        .at(data, time)
        .heard(call1, rst1, nr1)
        .worked(call2, rst2, nr2)
        .radio(QStringLiteral("1"));
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return f.readAll();
}

// The report as the file must hold it: Windows-1251, CR LF after every line.
QByteArray fileBytes(const QStringList &lines)
{
    QByteArray out;
    for (const QString &l : lines)
        out += cp1251::encode(l) + "\r\n";
    return out;
}

// key=value pairs of one section of settings.ini, in file order.
QList<QPair<QString, QString>> section(const QString &path, const QString &name)
{
    QList<QPair<QString, QString>> pairs;
    const QStringList lines = cp1251::decode(readAll(path)).split(QStringLiteral("\r\n"));
    bool inside = false;
    for (const QString &l : lines) {
        if (l.startsWith(QLatin1Char('['))) {
            inside = l.compare(QLatin1Char('[') + name + QLatin1Char(']'), Qt::CaseInsensitive) == 0;
            continue;
        }
        const int eq = l.indexOf(QLatin1Char('='));
        if (inside && eq > 0)
            pairs.append({l.left(eq), l.mid(eq + 1)});
    }
    return pairs;
}

QStringList items(const QComboBox *combo)
{
    QStringList list;
    for (int i = 0; i < combo->count(); ++i)
        list << combo->itemText(i);
    return list;
}

// A log database and a Cabrillo window over it, in a fresh temporary directory.
struct Fixture {
    test::TestContext t;
    test::TempLog log{t.context.databasePath, QStringLiteral("cabrillo-test"), referenceFiles()};
    QsoStore *store = log.store.get();
    std::unique_ptr<TfmCabrillo> w;

    void create() { w = std::make_unique<TfmCabrillo>(t.context, *store, nullptr); }
    void destroy() { w.reset(); }
    // Answers Yes and picks the given file name.
    void answer(const QString &file)
    {
        t.prompts->answers = {true};
        t.prompts->fileNames = {file};
    }
};

QColor rowColour(QTextEdit *table, int row)
{
    const QTextBlock block = table->document()->findBlockByNumber(row);
    const QTextBlock::iterator it = block.begin();
    if (it.atEnd())
        return QColor(); // an empty row has no text to colour
    return it.fragment().charFormat().foreground().color();
}

void clickRow(QTextEdit *table, int row, Qt::MouseButton button = Qt::LeftButton)
{
    // Put the caret elsewhere first, so the click itself must move it.
    table->setTextCursor(QTextCursor(table->document()));
    const QTextBlock block = table->document()->findBlockByNumber(row);
    const QRectF r = table->document()->documentLayout()->blockBoundingRect(block);
    QScrollBar *bar = table->verticalScrollBar();
    if (r.bottom() > bar->value() + table->viewport()->height() || r.top() < bar->value())
        bar->setValue(int(r.top()) - table->viewport()->height() / 2);
    const QPoint at(int(r.left()) + 30, int(r.center().y()) - bar->value());
    QTest::mouseClick(table->viewport(), button, Qt::NoModifier, at);
}

} // namespace

class TestCabrillo : public QObject {
    Q_OBJECT
    // No test looks at the computer's own desktop applications.
    test::FakeDesktop m_desktop;
private slots:
    void firstRunAndSettingsAtExit();
    void settingsReadBack();
    void listsOffered();
    void exportWholeFile();
    void exportOtherFormats_data();
    void exportOtherFormats();
    void exportStops();
    void formatNumberNotWhole();
    void openAndWriteFailures();
    void reportOpensInTextEditor();
    void formatTableClicks();
    void menuShowsWindowAndGridFollows();
};

void TestCabrillo::firstRunAndSettingsAtExit()
{
    Fixture f;
    f.create();
    TfmCabrillo &w = *f.w;
    QCOMPARE(w.objectName(), QStringLiteral("fmCabrillo"));
    QCOMPARE(w.windowTitle(), QStringLiteral("Выгрузка в файл Cabrillo"));
    for (QLineEdit *e : {w.edCbrContest, w.edCbrName, w.edCbrMyCall, w.edCbrClub, w.edCbrEmail, w.edCbrLoc,
                         w.edCbrScore, w.edCbrSoaBox, w.edCbrOperator})
        QVERIFY2(e->text().isEmpty(), qPrintable(e->objectName()));
    // Every list starts empty, whatever it offers.
    for (QComboBox *c : {w.cbCbrCategoryAs, w.cbCbrCategoryBand, w.cbCbrCategoryMode, w.cbCbrCategoryPw,
                         w.cbCbrCategorySt, w.cbCbrCategoryTime, w.cbCbrCategoryTx, w.cbCbrCategoryOv, w.cbCbrOperator})
        QVERIFY2(c->currentText().isEmpty(), qPrintable(c->objectName()));
    QCOMPARE(w.edCbrAddres->toPlainText(), QString(2, QLatin1Char('\n')));
    QCOMPARE(w.edCbrOffTime->toPlainText(), QString(11, QLatin1Char('\n')));
    QCOMPARE(w.edFormatNr->text(), QStringLiteral("1"));
    QCOMPARE(w.btSave->text(), QStringLiteral("ВЫГРУЗИТЬ"));
    QCOMPARE(w.btCancel->text(), QStringLiteral("ОТМЕНА"));
    // Header fields stay out of the Tab order; the format field does not.
    QCOMPARE(w.edCbrMyCall->focusPolicy(), Qt::ClickFocus);
    QCOMPARE(w.cbCbrOperator->focusPolicy(), Qt::ClickFocus);
    QVERIFY(w.edCbrMyCall->font().bold());
    QVERIFY(w.edFormatNr->focusPolicy() & Qt::TabFocus);

    // Two off-time lines typed, five address lines typed: 12 and 3 keys are written.
    w.edCbrOffTime->setPlainText(QStringLiteral("2008-09-23 0800 2008-09-23 0900\n 2008-09-23 1000 2008-09-23 1100"));
    w.edCbrAddres->setPlainText(QStringLiteral("a1\na2\na3\na4\na5"));
    w.edCbrMyCall->setText(QStringLiteral("R3A-SWL"));
    f.destroy();

    const auto mySetting = section(f.t.context.settingsPath, QStringLiteral("MySetting"));
    QCOMPARE(mySetting, (QList<QPair<QString, QString>>{{"Contest", ""}, {"Call", "R3A-SWL"}}));
    QStringList keys, values;
    for (const auto &p : section(f.t.context.settingsPath, QStringLiteral("Cabrillo"))) {
        keys << p.first;
        values << p.second;
    }
    QStringList expectedKeys = {
        "MyName",       "Club",          "Email",           "Location",         "CategoryAssisted", "CategoryBand",
        "CategoryMode", "CategoryPower", "CategoryStation", "CategoryTransmit", "CategoryTime",     "CategoryOverlay",
        "ClaimedScore", "SoaBox",        "Address1",        "Address2",         "Address3",         "CategoryOperator",
        "Operators"};
    for (int i = 1; i <= 12; ++i)
        expectedKeys << QStringLiteral("OffTime%1").arg(i);
    QCOMPARE(keys, expectedKeys);
    QStringList expectedValues(expectedKeys.size());
    expectedValues[keys.indexOf("Address1")] = "a1";
    expectedValues[keys.indexOf("Address2")] = "a2";
    expectedValues[keys.indexOf("Address3")] = "a3";
    expectedValues[keys.indexOf("OffTime1")] = "2008-09-23 0800 2008-09-23 0900";
    expectedValues[keys.indexOf("OffTime2")] = " 2008-09-23 1000 2008-09-23 1100";
    QCOMPARE(values, expectedValues);
}

void TestCabrillo::settingsReadBack()
{
    Fixture f;
    f.create();
    TfmCabrillo &w = *f.w;
    w.edCbrContest->setText(QStringLiteral("RDXC"));
    w.edCbrName->setText(QStringLiteral("Иван Петров"));
    w.edCbrClub->setText(QStringLiteral("SRR"));
    w.edCbrEmail->setText(QStringLiteral("r3a@example.ru"));
    w.edCbrLoc->setText(QStringLiteral("MO"));
    w.edCbrScore->setText(QStringLiteral("1234"));
    w.edCbrSoaBox->setText(QStringLiteral("73!"));
    w.edCbrOperator->setText(QStringLiteral("R3A"));
    w.cbCbrCategorySt->setCurrentIndex(w.cbCbrCategorySt->findText(QStringLiteral("SCHOOL ")));
    w.cbCbrCategoryPw->setEditText(QStringLiteral("QRP "));
    w.cbCbrCategoryTx->setCurrentIndex(0);
    w.cbCbrOperator->setEditText(QStringLiteral("MY-OWN"));
    w.cbCbrCategoryOv->setCurrentIndex(1); // "YL"
    w.edCbrOffTime->setPlainText(QStringLiteral("x"));
    f.destroy();
    // Saved with the trailing blank...
    const auto cab = section(f.t.context.settingsPath, QStringLiteral("Cabrillo"));
    QVERIFY(cab.contains(qMakePair(QStringLiteral("CategoryStation"), QStringLiteral("SCHOOL "))));
    QVERIFY(cab.contains(qMakePair(QStringLiteral("CategoryTransmit"), QStringLiteral("SWL "))));

    // ...and read back without it at the next start.
    f.create();
    TfmCabrillo &v = *f.w;
    QCOMPARE(v.edCbrContest->text(), QStringLiteral("RDXC"));
    QCOMPARE(v.edCbrName->text(), QStringLiteral("Иван Петров"));
    QCOMPARE(v.edCbrClub->text(), QStringLiteral("SRR"));
    QCOMPARE(v.edCbrEmail->text(), QStringLiteral("r3a@example.ru"));
    QCOMPARE(v.edCbrLoc->text(), QStringLiteral("MO"));
    QCOMPARE(v.edCbrScore->text(), QStringLiteral("1234"));
    QCOMPARE(v.edCbrSoaBox->text(), QStringLiteral("73!"));
    QCOMPARE(v.edCbrOperator->text(), QStringLiteral("R3A"));
    QCOMPARE(v.cbCbrCategorySt->currentText(), QStringLiteral("SCHOOL"));
    QCOMPARE(v.cbCbrCategoryPw->currentText(), QStringLiteral("QRP"));
    QCOMPARE(v.cbCbrCategoryTx->currentText(), QStringLiteral("SWL"));
    QCOMPARE(v.cbCbrOperator->currentText(), QStringLiteral("MY-OWN"));
    // A value that is one of the items selects that item.
    QCOMPARE(v.cbCbrCategoryOv->currentIndex(), 1);
    QCOMPARE(v.cbCbrCategoryOv->currentText(), QStringLiteral("YL"));
    QCOMPARE(v.cbCbrCategoryBand->currentText(), QString());
    QCOMPARE(v.edCbrOffTime->toPlainText(), QStringLiteral("x") + QString(11, QLatin1Char('\n')));
    // The lists still offer exactly their items.
    QCOMPARE(v.cbCbrCategoryPw->count(), 4);

    // The tour window's contest name lands in the contest field.
    v.setContest(QStringLiteral("CQ-M"));
    QCOMPARE(v.edCbrContest->text(), QStringLiteral("CQ-M"));
}

void TestCabrillo::listsOffered()
{
    Fixture f;
    f.create();
    TfmCabrillo &w = *f.w;
    QCOMPARE(items(w.cbCbrCategoryAs), QStringList({" ", "ASSISTED", "NON-ASSISTED "}));
    QCOMPARE(items(w.cbCbrCategoryBand),
             QStringList({"ALL", "160M", "80M", "40M", "20M", "15M", "10M", "6M", "2M", "222", "432", "902", "1.2G "}));
    QCOMPARE(items(w.cbCbrCategoryMode), QStringList({"", "SSB", "CW", "DIGI", "MIXED"}));
    QCOMPARE(items(w.cbCbrCategoryPw), QStringList({"", "HIGH", "LOW", "QRP "}));
    QCOMPARE(items(w.cbCbrCategorySt),
             QStringList({"", "FIXED", "MOBILE", "PORTABLE", "ROVER", "EXPEDITION", "HQ", "SCHOOL "}));
    QCOMPARE(items(w.cbCbrCategoryTime), QStringList({" ", "6-HOURS", "12-HOURS", "24-HOURS "}));
    QCOMPARE(items(w.cbCbrCategoryTx), QStringList({"SWL ", "ONE", "TWO", "LIMITED", "UNLIMITED", ""}));
    QCOMPARE(items(w.cbCbrCategoryOv), QStringList({" ", "YL", "JR", "JR-13", "JR-15", "JR-18", "JR-19", "VETERAN",
                                                    "SPECIAL", "OVER-50", "OVER-100", "POLAR "}));
    QCOMPARE(items(w.cbCbrOperator), QStringList({"SINGLE-OP", "MULTI-OP", "MULTI-OP-2", "CHECKLOG"}));
    // Typed text is accepted and does not become an item.
    w.cbCbrCategoryMode->setFocus();
    QTest::keyClicks(w.cbCbrCategoryMode, QStringLiteral("FM"));
    QTest::keyClick(w.cbCbrCategoryMode, Qt::Key_Return);
    QCOMPARE(w.cbCbrCategoryMode->currentText(), QStringLiteral("FM"));
    QCOMPARE(w.cbCbrCategoryMode->count(), 5);
}

void TestCabrillo::exportWholeFile()
{
    Fixture f;
    f.store->append(QVector<QsoRecord>{
        qso("28009", "CW", "23.09.2008", "07:11", "UA1XYZ", "599", "001", "UA2XYZ", "599", "001"),
        qso("14025", "CW", "23.09.2008", "07:12", "R3A", "599", "001 SE", "UA3AA", "599", "002"),
        qso("3550", "PH", "24.09.2008", "23:59", "UA9XYZ", "", "001", "RA9AA", "59", "17"),
        qso("144", "FM", "25.09.2008", "00:00", "RK3A", "59", "1", "RK3B", "59", "2"),
        qso("144050", "CW", "25.09.2008", "00:01", "UA3DX", "599", "0001234", "UA3DY", "599", "5"),
        qso("14025.5", "RY", "26.09.2008", "12:30", "UA1ABC", "599", "12", "", "", ""),
        qso("14070", "PS", "26.09.2008", "12:31", "UA1ABD", "599", "13", "UA1ABE", "599", "14"),
        qso("14071", "SS", "26.09.2008", "12:32", "UA1ABF", "59", "15", "UA1ABG", "59", "16"),
    });
    f.create();
    TfmCabrillo &w = *f.w;
    w.edCbrContest->setText(QStringLiteral(" RDXC "));
    w.edCbrMyCall->setText(QStringLiteral("R3A-SWL"));
    w.edCbrName->setText(QStringLiteral("Иван"));
    w.edCbrLoc->setText(QStringLiteral("MO"));
    w.cbCbrOperator->setCurrentIndex(0);
    w.cbCbrCategoryPw->setCurrentIndex(3); // "QRP "
    w.cbCbrCategoryTx->setCurrentIndex(0); // "SWL "
    w.cbCbrCategoryTime->setCurrentIndex(0); // one blank: left out
    w.edCbrOffTime->setPlainText(QStringLiteral("2008-09-23 0800 2008-09-23 0900\n\n\n\n\n\n\n\n\n\n\n\nline 13"));
    w.edCbrAddres->setPlainText(QStringLiteral("ул. Мира, 1\n\nМосква\nРоссия"));

    QSignalSpy spy(&w, &TfmCabrillo::exported);
    const QString path = f.t.path(QStringLiteral("out.cbr"));
    f.answer(path);
    QTest::mouseClick(w.btSave, Qt::LeftButton);

    const QStringList expected = {
        "START-OF-LOG: 3.0",
        "CONTEST: RDXC",
        "CALLSIGN: R3A-SWL",
        "CATEGORY-OPERATOR: SINGLE-OP",
        "CATEGORY-POWER: QRP ",
        "CATEGORY-TRANSMITTE: SWL",
        "OFTIME: 2008-09-23 0800 2008-09-23 0900",
        "LOCATION: MO",
        "CREATED-BY: Tamarin Vireo v.1.5",
        "NAME: Иван",
        "ADDRESS: ул. Мира, 1",
        "ADDRESS: Москва",
        "QSO: 28009 CW 2008-09-23 0711 UA1XYZ        599 001    UA2XYZ        599 001    ",
        "QSO: 14025 CW 2008-09-23 0712 R3A           599 001SE  UA3AA         599 002    ",
        "QSO:  3550 PH 2008-09-24 2359 UA9XYZ        001        RA9AA         59  17     ",
        "QSO:   144 FM 2008-09-25 0000 RK3A          59  1      RK3B          59  2      ",
        "QSO: 144050 CW 2008-09-25 0001 UA3DX         599 000123 UA3DY         599 5      ",
        "QSO: 140255 RY 2008-09-26 1230 UA1ABC        599 12     -             -   -      ",
        "QSO: 14070 DG 2008-09-26 1231 UA1ABD        599 13     UA1ABE        599 14     ",
        "QSO: 14071 PH 2008-09-26 1232 UA1ABF        59  15     UA1ABG        59  16     ",
        "END-OF-LOG:",
    };
    const QByteArray bytes = readAll(path);
    // Kept for other Cabrillo readers to be tried on it by hand.
    if (const QString keep = qEnvironmentVariable("VIREO_TEST_OUTPUT_DIR"); !keep.isEmpty()) {
        QFile::remove(keep + QStringLiteral("/whole.cbr"));
        QVERIFY(QFile::copy(path, keep + QStringLiteral("/whole.cbr")));
    }
    QCOMPARE(cp1251::decode(bytes).split(QStringLiteral("\r\n")), expected + QStringList(QString()));
    QCOMPARE(bytes, fileBytes(expected));
    // The Cyrillic name in Windows-1251: "NAME: " then C8 E2 E0 ED.
    QVERIFY(bytes.contains(QByteArray("NAME: \xC8\xE2\xE0\xED\r\n")));
    QVERIFY(!bytes.contains("\r\r") && bytes.count('\n') == expected.size());

    QCOMPARE(f.t.prompts->texts(QStringLiteral("yesno")),
             QStringList(QStringLiteral("Выбран формат контрольного номера = \"1\"\n\r"
                                        "Если нужен другой, наведите курсор\n\r"
                                        "на нужную строку в таблице.\n\r\n\r"
                                        "Продолжить?")));
    QCOMPARE(f.t.prompts->texts(QStringLiteral("save")),
             QStringList(f.t.path(QStringLiteral("R3A-SWL.cbr")) + QLatin1Char('|')));
    QCOMPARE(
        f.t.prompts->texts(QStringLiteral("information")),
        QStringList(QStringLiteral("Выгрузка в файл  ") + path + QStringLiteral(" фомата \"CABRILLO\" произведена!")));
    // No text editor on the test's desktop: the file is shown in its folder, never handed to
    // whatever the desktop opens *.cbr with.
    QCOMPARE(f.t.shell->shownInFolder, QStringList{path});
    QVERIFY(f.t.shell->opened.isEmpty());
    QCOMPARE(spy.count(), 1);
    QCOMPARE(w.result(), int(QDialog::Accepted));

    // An empty log, replacing the file: the header and the end line only. A call of one blank
    // passes the check, names the file ".cbr" and is written as it stands.
    f.store->clear();
    f.t.prompts->shown.clear();
    w.edCbrMyCall->setText(QStringLiteral(" "));
    w.edCbrOffTime->clear();
    w.edCbrAddres->clear();
    w.edCbrName->clear();
    w.cbCbrCategoryPw->setEditText(QString());
    f.answer(path);
    w.btSaveClick();
    QCOMPARE(f.t.prompts->texts(QStringLiteral("save")),
             QStringList(f.t.path(QStringLiteral(".cbr")) + QLatin1Char('|')));
    QCOMPARE(readAll(path),
             fileBytes({"START-OF-LOG: 3.0", "CONTEST: RDXC", "CALLSIGN:  ", "CATEGORY-OPERATOR: SINGLE-OP",
                        "CATEGORY-TRANSMITTE: SWL", "LOCATION: MO", "CREATED-BY: Tamarin Vireo v.1.5", "END-OF-LOG:"}));
    QCOMPARE(spy.count(), 2);
}

void TestCabrillo::exportOtherFormats_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("line1");
    QTest::addColumn<QString>("line2");
    // Both records in every width class; the second has no worked station.
    const auto sp = [](int n) { return QString(n, QLatin1Char(' ')); };
    const QString head1 = QStringLiteral("QSO: 28009 CW 2008-09-23 0711 UA1XYZ        ");
    const QString head2 = QStringLiteral("QSO:  7012 CW 2008-09-23 0712 UA3XYZ        ");
    QTest::newRow("2 (width 11)") << "2" << head1 + "599001SE   UA2XYZ        123456     "
                                  << head2 + "07POISK    " + "-" + sp(13) + "-" + sp(10);
    QTest::newRow("7 (width 14)") << "7" << head1 + "599  001      UA2XYZ        1234" + sp(10)
                                  << head2 + "07   POISK    " + "-" + sp(13) + "-    -" + sp(8);
    QTest::newRow("11 (width 21)") << " 11 " << head1 + "599 001          SE  UA2XYZ        123" + sp(18)
                                   << head2 + "07  POI" + sp(14) + "-" + sp(13) + "-   -   -        -   ";
    QTest::newRow("15 (no exchanges)") << "15" << head1 + "UA2XYZ        " << head2 + "-" + sp(13);
}

void TestCabrillo::exportOtherFormats()
{
    QFETCH(QString, format);
    QFETCH(QString, line1);
    QFETCH(QString, line2);
    Fixture f;
    f.store->append(QVector<QsoRecord>{
        qso("28009", "CW", "23.09.2008", "07:11", "UA1XYZ", "599", "001 SE", "UA2XYZ", "", "123456"),
        qso("7012", "CW", "23.09.2008", "07:12", "UA3XYZ", "07", "POISK", "", "", ""),
    });
    f.create();
    f.w->edCbrContest->setText(QStringLiteral("TEST"));
    f.w->edCbrMyCall->setText(QStringLiteral("R3A"));
    f.w->edFormatNr->setText(format);
    const QString path = f.t.path(QStringLiteral("f.cbr"));
    f.answer(path);
    f.w->btSaveClick();
    QCOMPARE(readAll(path), fileBytes({"START-OF-LOG: 3.0", "CONTEST: TEST", "CALLSIGN: R3A",
                                       "CREATED-BY: Tamarin Vireo v.1.5", line1, line2, "END-OF-LOG:"}));
    QVERIFY(f.t.prompts->texts(QStringLiteral("yesno")).first().contains(QLatin1Char('"') + format + QLatin1Char('"')));
}

void TestCabrillo::exportStops()
{
    Fixture f;
    f.store->append(qso("14025", "CW", "23.09.2008", "07:11", "UA1XYZ", "599", "001", "UA2XYZ", "599", "001"));
    f.create();
    TfmCabrillo &w = *f.w;
    QSignalSpy spy(&w, &TfmCabrillo::exported);
    const QString path = f.t.path(QStringLiteral("R3A.cbr"));
    const QString missing = QStringLiteral("Выгрузка невозможна!\n\r"
                                           "Проверьте заполнение полей необходимых\n\r"
                                           "для выгрузки шапки Cabrillo/Ermak");

    // Call or contest empty: the message, nothing asked, nothing written.
    w.edCbrContest->setText(QStringLiteral("RDXC"));
    f.answer(path);
    w.btSaveClick();
    w.edCbrContest->clear();
    w.edCbrMyCall->setText(QStringLiteral("R3A"));
    w.btSaveClick();
    QCOMPARE(f.t.prompts->texts(QStringLiteral("information")), QStringList({missing, missing}));
    QVERIFY(f.t.prompts->texts(QStringLiteral("yesno")).isEmpty());

    // No to the confirmation: no dialog. A cancelled dialog: no file.
    w.edCbrContest->setText(QStringLiteral("RDXC"));
    f.t.prompts->shown.clear();
    f.t.prompts->answers = {false};
    w.btSaveClick();
    QCOMPARE(f.t.prompts->shown.size(), 1);
    QCOMPARE(f.t.prompts->shown.first().kind, QStringLiteral("yesno"));
    f.t.prompts->shown.clear();
    f.t.prompts->answers = {true};
    f.t.prompts->fileNames.clear();
    w.btSaveClick();
    QCOMPARE(f.t.prompts->shown.size(), 2);
    QCOMPARE(f.t.prompts->shown.last().kind, QStringLiteral("save"));

    QVERIFY(!QFile::exists(path));
    QCOMPARE(spy.count(), 0);
    QVERIFY(f.t.shell->opened.isEmpty() && f.t.shell->started.isEmpty() && f.t.shell->shownInFolder.isEmpty());
    QCOMPARE(w.result(), int(QDialog::Rejected));
    // The window keeps everything as it was.
    QCOMPARE(w.edCbrMyCall->text(), QStringLiteral("R3A"));
    QCOMPARE(w.edFormatNr->text(), QStringLiteral("1"));

    // Cancel closes without writing anything.
    f.t.prompts->shown.clear();
    QTest::mouseClick(w.btCancel, Qt::LeftButton);
    QCOMPARE(w.result(), int(QDialog::Rejected));
    QVERIFY(f.t.prompts->shown.isEmpty());
}

void TestCabrillo::formatNumberNotWhole()
{
    Fixture f;
    f.create();
    TfmCabrillo &w = *f.w;
    w.edCbrContest->setText(QStringLiteral("RDXC"));
    w.edCbrMyCall->setText(QStringLiteral("R3A"));
    const QString path = f.t.path(QStringLiteral("R3A.cbr"));
    for (const QString &bad : {QStringLiteral("abc"), QStringLiteral("1.5"), QString(), QStringLiteral("3a")}) {
        f.t.prompts->shown.clear();
        f.answer(path);
        w.edFormatNr->setText(bad);
        w.btSaveClick();
        QCOMPARE(f.t.prompts->shown.size(), 1);
        QCOMPARE(f.t.prompts->shown.first().kind, QStringLiteral("information"));
        QVERIFY2(f.t.prompts->shown.first().text.contains(QStringLiteral("не является целым числом")),
                 qPrintable(f.t.prompts->shown.first().text));
        QVERIFY(!QFile::exists(path));
    }
}

void TestCabrillo::openAndWriteFailures()
{
    Fixture f;
    QVector<QsoRecord> many;
    for (int i = 0; i < 300; ++i)
        many << qso("14025", "CW", "23.09.2008", "07:11", QStringLiteral("UA%1XYZ").arg(i), "599", QString::number(i),
                    "UA2XYZ", "599", "001");
    f.store->append(many);
    f.create();
    TfmCabrillo &w = *f.w;
    QSignalSpy spy(&w, &TfmCabrillo::exported);
    w.edCbrContest->setText(QStringLiteral("RDXC"));
    w.edCbrMyCall->setText(QStringLiteral("R3A"));

    // A folder that does not exist: the file cannot be created.
    f.answer(f.t.path(QStringLiteral("no/such/dir/R3A.cbr")));
    w.btSaveClick();
    QCOMPARE(f.t.prompts->shown.last().kind, QStringLiteral("error"));
    QCOMPARE(f.t.prompts->shown.last().caption, QStringLiteral("Ошибка"));
    QCOMPARE(f.t.prompts->shown.last().text, QStringLiteral("Произошла ошибка открытия файла"));

    // A full disk: the write error, never the success message.
    f.t.prompts->shown.clear();
    f.answer(QStringLiteral("/dev/full"));
    w.btSaveClick();
    QCOMPARE(f.t.prompts->shown.last().kind, QStringLiteral("error"));
    QCOMPARE(f.t.prompts->shown.last().caption, QStringLiteral("Ошибка"));
    QCOMPARE(f.t.prompts->shown.last().text, QStringLiteral("Произошла ошибка записи данных в файл"));
    QVERIFY(f.t.prompts->texts(QStringLiteral("information")).isEmpty());
    QVERIFY(f.t.shell->opened.isEmpty() && f.t.shell->started.isEmpty() && f.t.shell->shownInFolder.isEmpty());
    QCOMPARE(spy.count(), 0);
    QCOMPARE(w.result(), int(QDialog::Rejected));
}

void TestCabrillo::reportOpensInTextEditor()
{
    // A desktop like the listener's: *.cbr belongs to a comic-book reader, text/plain to an editor.
    test::FakeDesktop desktop;
    const QString comics = desktop.program(QStringLiteral("comics"));
    const QString editor = desktop.program(QStringLiteral("text-editor"));
    desktop.entry(QStringLiteral("comics.desktop"),
                  {"Exec=" + comics + " %U", "MimeType=application/vnd.comicbook-rar;application/x-cbr;"});
    desktop.entry(QStringLiteral("text-editor.desktop"), {"Exec=" + editor + " --new-window %U"});
    desktop.association(QStringLiteral("Default Applications"), QStringLiteral("application/vnd.comicbook-rar"),
                        QStringLiteral("comics.desktop"));
    desktop.association(QStringLiteral("Default Applications"), QStringLiteral("text/plain"),
                        QStringLiteral("text-editor.desktop"));

    Fixture f;
    f.store->append(qso("14025", "CW", "23.09.2008", "07:11", "UA1XYZ", "599", "001", "UA2XYZ", "599", "001"));
    f.create();
    f.w->edCbrContest->setText(QStringLiteral("RDXC"));
    f.w->edCbrMyCall->setText(QStringLiteral("R3A"));
    const QString path = f.t.path(QStringLiteral("R3A.cbr"));
    f.answer(path);
    f.w->btSaveClick();
    QCOMPARE(f.w->result(), int(QDialog::Accepted));
    QCOMPARE(f.t.shell->started,
             QList<QStringList>{(QStringList{editor, "--new-window", QUrl::fromLocalFile(path).toString()})});
    QVERIFY(f.t.shell->opened.isEmpty());
    QVERIFY(f.t.shell->shownInFolder.isEmpty());
}

void TestCabrillo::formatTableClicks()
{
    Fixture f;
    f.create();
    TfmCabrillo &w = *f.w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTextEdit *table = w.reFormat;
    QCOMPARE(table->document()->blockCount(), 64);
    QVERIFY(table->isReadOnly());
    QVERIFY(table->font().fixedPitch());
    const QColor red(255, 0, 0), blue(0, 0, 255), black(0, 0, 0);

    // Before any click nothing is highlighted.
    for (int row = 0; row < 64; ++row)
        QVERIFY(rowColour(table, row) != red && rowColour(table, row) != blue);

    struct Case {
        int row;
        int format;
        int first, last;
    };
    const Case cases[] = {{7, 1, 5, 7},    {9, 2, 9, 11},    {17, 3, 13, 19}, {22, 4, 21, 24},
                          {28, 5, 26, 28}, {31, 6, 30, 32},  {39, 7, 39, 41}, {46, 8, 43, 46},
                          {49, 9, 48, 50}, {54, 10, 52, 54}, {63, 11, 61, 63}};
    for (const Case &c : cases) {
        clickRow(table, c.row, c.row % 2 ? Qt::RightButton : Qt::LeftButton);
        QCOMPARE(w.edFormatNr->text(), QString::number(c.format));
        for (int row = 0; row < 64; ++row) {
            const QColor got = rowColour(table, row);
            if (!got.isValid())
                continue;
            const QColor want = row < c.first || row > c.last ? black : row <= c.first + 1 ? red : blue;
            QVERIFY2(got == want,
                     qPrintable(QStringLiteral("click %1, row %2: %3").arg(c.row).arg(row).arg(got.name())));
        }
        QCOMPARE(table->textCursor().position(), 1);
    }

    // The view stays on the clicked block instead of jumping to the top.
    QVERIFY(table->verticalScrollBar()->value() > 0);

    // A ruler, a caption or a blank row: format 1, nothing highlighted.
    for (int row : {0, 1, 3, 33, 56}) {
        clickRow(table, 15);
        QCOMPARE(w.edFormatNr->text(), QStringLiteral("3"));
        clickRow(table, row);
        QCOMPARE(w.edFormatNr->text(), QStringLiteral("1"));
        for (int r = 0; r < 64; ++r)
            QVERIFY(!rowColour(table, r).isValid() || rowColour(table, r) == black);
    }

    // Lines past the end of the table are ignored.
    w.PaintLine(65, red);
    w.PaintLine(0, red);
    w.PaintLine(64, red);
    QCOMPARE(rowColour(table, 63), red);
}

void TestCabrillo::menuShowsWindowAndGridFollows()
{
    test::TestContext t;
    const QString path = t.path(QStringLiteral("menu.cbr"));
    {
        Program p(t.context);
        TMain &m = p.main();
        const test::MainControls ui(m);
        const QVector<qint64> ids = m.qsos().append(QVector<QsoRecord>{
            qso("14025", "CW", "23.09.2008", "07:11", "UA1XYZ", "599", "001", "UA2XYZ", "599", "001"),
            qso("14026", "CW", "23.09.2008", "07:12", "UA3XYZ", "599", "002", "UA4XYZ", "599", "002"),
            qso("14027", "CW", "23.09.2008", "07:13", "UA5XYZ", "599", "003", "UA6XYZ", "599", "003"),
        });
        m.logModel().appended(ids);
        ui.DBGrid1->selectRow(0);
        QCOMPARE(ui.DBGrid1->currentIndex().row(), 0);
        t.prompts->answers = {true};
        t.prompts->fileNames = {path};
        int result = -1;
        t.prompts->onModal = [&](QDialog &d) {
            auto *w = qobject_cast<TfmCabrillo *>(&d);
            if (!w)
                return int(QDialog::Rejected);
            w->edCbrContest->setText(QStringLiteral("RDXC"));
            w->edCbrMyCall->setText(QStringLiteral("CAB-CALL"));
            w->btSave->click();
            result = w->result();
            return result;
        };
        ui.cbr2->trigger();
        QCOMPARE(result, int(QDialog::Accepted));
        QVERIFY(readAll(path).endsWith("END-OF-LOG:\r\n"));
        QCOMPARE(readAll(path).count("QSO: "), 3);
        // The grid shows the last record afterwards.
        QCOMPARE(ui.DBGrid1->currentIndex().row(), 2);
    }
    // At exit the main window writes its own call after the Cabrillo window's copy.
    const auto mySetting = section(t.context.settingsPath, QStringLiteral("MySetting"));
    bool callSeen = false;
    for (const auto &p : mySetting)
        if (p.first == QStringLiteral("Call")) {
            callSeen = true;
            QVERIFY(p.second != QStringLiteral("CAB-CALL"));
        }
    QVERIFY(callSeen);
}

QTEST_MAIN(TestCabrillo)
#include "tst_cabrillo.moc"
