// A written ADIF file read back by a reader of its own that goes by the written bytes, as other
// programs' readers do: every <NAME:length> takes exactly length bytes, so a length that does not
// match what was written swallows or cuts the next field.

#include "db/database.h"
#include "db/qso_store.h"
#include "reports/adif_writer.h"
#include "support/qso_builder.h"
#include "support/temp_log.h"

#include <QFile>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>

#include <map>

using namespace vireo;

namespace {

using Fields = std::map<QByteArray, QString>;

// Reads the records after <EOH>. Values are Windows-1251 bytes. Returns false with a reason on
// anything a strict reader would stumble on: text between fields, a length running past the
// line, a record without <EOR>.
bool readAdif(const QByteArray &file, QVector<Fields> &records, QString &why)
{
    const qsizetype eoh = file.indexOf("<EOH>");
    if (eoh < 0) {
        why = QStringLiteral("no <EOH>");
        return false;
    }
    QStringDecoder cp1251("windows-1251");
    qsizetype pos = eoh + 5;
    Fields current;
    for (;;) {
        while (pos < file.size() && (file[pos] == '\r' || file[pos] == '\n'))
            ++pos;
        if (pos >= file.size())
            break;
        if (file[pos] != '<') {
            why = QStringLiteral("stray byte at %1: %2").arg(pos).arg(QString::fromLatin1(file.mid(pos, 20)));
            return false;
        }
        const qsizetype close = file.indexOf('>', pos);
        if (close < 0) {
            why = QStringLiteral("unclosed tag at %1").arg(pos);
            return false;
        }
        const QByteArray tag = file.mid(pos + 1, close - pos - 1);
        pos = close + 1;
        if (tag.toUpper() == "EOR") {
            records.append(current);
            current.clear();
            continue;
        }
        const QList<QByteArray> parts = tag.split(':');
        bool ok = false;
        const int length = parts.size() >= 2 ? parts.at(1).toInt(&ok) : -1;
        if (!ok || length < 0) {
            why = QStringLiteral("bad tag <%1>").arg(QString::fromLatin1(tag));
            return false;
        }
        const QByteArray value = file.mid(pos, length);
        if (value.size() != length || value.contains('\n')) {
            why = QStringLiteral("<%1> runs past its line").arg(QString::fromLatin1(tag));
            return false;
        }
        current[parts.at(0).toUpper()] = cp1251.decode(value);
        pos += length;
    }
    if (!current.empty()) {
        why = QStringLiteral("last record without <EOR>");
        return false;
    }
    return true;
}

QsoRecord record(const QString &call1, const QString &nr1, const QString &call2,
                 const QString &mode = QStringLiteral("CW"))
{
    return test::Qso::typical()
        .freq(QStringLiteral("14025"))
        .mode(mode)
        .heard(call1, QStringLiteral("599"), nr1)
        .call2(call2)
        .tur(QStringLiteral("1"));
}

} // namespace

class TestAdifReader : public QObject {
    Q_OBJECT
private slots:
    void writtenLengthCountsCharacters();
    void everyFieldComesBack();
    void everyModeComesBack();
};

void TestAdifReader::writtenLengthCountsCharacters()
{
    QCOMPARE(adif::writtenLength(QString()), 0);
    QCOMPARE(adif::writtenLength(QStringLiteral("Привет")), 6);
    QCOMPARE(adif::writtenLength(QStringLiteral("73 \U0001F600!")), 5); // an emoji: one "?"
    QCOMPARE(adif::writtenLength(QStringLiteral("\U0001D11E\U0001F600")), 2); // two in a row
    QCOMPARE(adif::writtenLength(QStringLiteral("中")), 1); // in the BMP, not in the code page
    // A lone surrogate is still one character written.
    QCOMPARE(adif::writtenLength(QString(QChar(0xD83D)) + QStringLiteral("x")), 2);
    QCOMPARE(adif::field(QStringLiteral("QSLMSG"), QStringLiteral("\U0001F600")),
             QStringLiteral("<QSLMSG:1>\U0001F600"));
}

void TestAdifReader::everyFieldComesBack()
{
    QTemporaryDir dir;
    test::TempLog file(dir.filePath("log.db"), QStringLiteral("adifReader"));
    QsoStore &store = *file.store;
    store.append({
        record(QStringLiteral("UA3ABC"), QStringLiteral("17 \U0001F4E1"), QStringLiteral("DL1XYZ")),
        record(QStringLiteral("R3A\U0001F600"), QStringLiteral("\U0001D11E\U0001D11E"), QString()),
        record(QStringLiteral("OK1AA"), QStringLiteral("中 5"), QStringLiteral("ЁЖ")),
        record(QStringLiteral("OH2XX"), QStringLiteral("017"), QStringLiteral("ES1AA"), QStringLiteral("PS")),
        record(QStringLiteral("OH2XY"), QStringLiteral("KP20"), QString(), QStringLiteral("DI")),
    });

    const QString path = dir.filePath("out.adi");
    const QString message = QStringLiteral("Спасибо \U0001F600 за QSO \U0001F4FB 73!");
    QCOMPARE(adif::writeFile(path, store, QStringLiteral("R2A\U0001F60A-456"), QStringLiteral("Кубок \U0001F3C6"),
                             QslMessage{false, message}, QDateTime(QDate(2026, 3, 5), QTime(10, 4, 9)), QLocale::c()),
             WriteResult::Ok);
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    // Kept for other ADIF readers to be tried on it by hand.
    if (const QString keep = qEnvironmentVariable("VIREO_TEST_OUTPUT_DIR"); !keep.isEmpty()) {
        QFile::remove(keep + QStringLiteral("/supplementary.adi"));
        QVERIFY(QFile::copy(path, keep + QStringLiteral("/supplementary.adi")));
    }

    QVector<Fields> recs;
    QString why;
    QVERIFY2(readAdif(bytes, recs, why), qPrintable(why));
    QCOMPARE(recs.size(), 5);

    // Each character the code page lacks comes back as one "?", and nothing else is lost.
    const char *const names[] = {"OPERATOR", "SWL",  "CONTEST_ID", "CALL",     "QSO_DATE", "TIME_ON",
                                 "FREQ",     "BAND", "MODE",       "RST_RCVD", "QSLMSG"};
    const int extra[] = {1, 1, 1, 2, 2}; // SRX or SRX_STRING; SUBMODE; COMMENT
    for (int i = 0; i < recs.size(); ++i) {
        const Fields &r = recs.at(i);
        QCOMPARE(int(r.size()), 11 + extra[i]);
        for (const char *n : names)
            QVERIFY2(r.count(n) == 1, n);
        QCOMPARE(r.at("OPERATOR"), QStringLiteral("R2A?-456"));
        QCOMPARE(r.at("SWL"), QStringLiteral("Y"));
        QCOMPARE(r.at("CONTEST_ID"), QStringLiteral("Кубок ?"));
        QCOMPARE(r.at("QSO_DATE"), QStringLiteral("20260305"));
        QCOMPARE(r.at("TIME_ON"), QStringLiteral("0704"));
        QCOMPARE(r.at("FREQ"), QStringLiteral("14.025"));
        QCOMPARE(r.at("BAND"), QStringLiteral("20M"));
        QCOMPARE(r.at("RST_RCVD"), QStringLiteral("599"));
        QCOMPARE(r.at("QSLMSG"), QStringLiteral("Спасибо ? за QSO ? 73!"));
    }
    // Exchanges that are not plain numbers stay out of the integer field.
    QCOMPARE(recs[0].at("CALL"), QStringLiteral("UA3ABC"));
    QCOMPARE(recs[0].at("SRX_STRING"), QStringLiteral("17 ?"));
    QCOMPARE(recs[1].at("CALL"), QStringLiteral("R3A?"));
    QCOMPARE(recs[1].at("SRX_STRING"), QStringLiteral("??"));
    QCOMPARE(recs[2].at("CALL"), QStringLiteral("OK1AA"));
    QCOMPARE(recs[2].at("SRX_STRING"), QStringLiteral("? 5"));
    QCOMPARE(recs[3].at("SRX"), QStringLiteral("017"));
    for (int i = 0; i < 3; ++i)
        QCOMPARE(recs[i].at("MODE"), QStringLiteral("CW"));
    QCOMPARE(recs[3].at("MODE"), QStringLiteral("PSK"));
    QCOMPARE(recs[3].at("SUBMODE"), QStringLiteral("PSK31"));
    QCOMPARE(recs[4].at("MODE"), QStringLiteral("RTTY"));
    QCOMPARE(recs[4].at("SRX_STRING"), QStringLiteral("KP20"));
    QCOMPARE(recs[4].at("COMMENT"), QStringLiteral("Vireo mode DI"));
}

void TestAdifReader::everyModeComesBack()
{
    // One record per code of the mode list, then what is typed or comes from the radio.
    const QStringList codes = {"CW", "PH", "PS", "PM", "PO", "RY", "AM", "AX", "CO", "DO", "FM",
                               "HE", "MF", "OL", "PT", "RM", "TH", "TV", "SS", "DI", "XY"};
    const QStringList modes = {"CW",  "SSB",      "PSK",    "PSK",  "PSK",  "RTTY", "TOR",
                               "PKT", "CONTESTI", "DOMINO", "FM",   "HELL", "MFSK", "OLIVIA",
                               "PAC", "RTTYM",    "THRB",   "SSTV", "SSB",  "RTTY", ""};
    QTemporaryDir dir;
    test::TempLog file(dir.filePath("log.db"), QStringLiteral("adifModes"));
    QsoStore &store = *file.store;
    QVector<QsoRecord> log;
    for (int i = 0; i < codes.size(); ++i)
        log << record(QStringLiteral("UA%1ABC").arg(i % 10), i % 2 ? QStringLiteral("KO85") : QString::number(i + 1),
                      QStringLiteral("RK9XYZ"), codes.at(i));
    store.append(log);
    const QString path = dir.filePath("modes.adi");
    QCOMPARE(adif::writeFile(path, store, QStringLiteral("R2A"), QStringLiteral("RDXC"), QslMessage{true, QString()},
                             QDateTime(QDate(2026, 3, 5), QTime(10, 4, 9)), QLocale::c()),
             WriteResult::Ok);
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    if (const QString keep = qEnvironmentVariable("VIREO_TEST_OUTPUT_DIR"); !keep.isEmpty()) {
        QFile::remove(keep + QStringLiteral("/modes.adi"));
        QVERIFY(QFile::copy(path, keep + QStringLiteral("/modes.adi")));
    }
    QVector<Fields> recs;
    QString why;
    QVERIFY2(readAdif(bytes, recs, why), qPrintable(why));
    QCOMPARE(recs.size(), codes.size());
    for (int i = 0; i < recs.size(); ++i) {
        const Fields &r = recs.at(i);
        QCOMPARE(r.at("MODE"), modes.at(i));
        QCOMPARE(r.count("SRX") + r.count("SRX_STRING"), size_t(1));
        QCOMPARE(r.count("SRX_STRING") ? r.at("SRX_STRING") : r.at("SRX"), log.at(i).nr1);
        QCOMPARE(r.count("SRX_STRING"), size_t(i % 2));
    }
    QCOMPARE(recs[2].at("SUBMODE"), QStringLiteral("PSK31"));
    QCOMPARE(recs[12].at("SUBMODE"), QStringLiteral("MFSK16"));
    QCOMPARE(recs[19].at("COMMENT"), QStringLiteral("Vireo mode DI"));
    QCOMPARE(recs[20].at("COMMENT"), QStringLiteral("Vireo mode XY"));
}

QTEST_GUILESS_MAIN(TestAdifReader)
#include "tst_adif_reader.moc"
