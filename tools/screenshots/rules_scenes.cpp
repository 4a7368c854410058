// The score window over an evening of the LZ DX Contest: stations of a dozen countries sending
// their ITU zones, the Bulgarians their districts, the same correspondents again and again.

#include "camera.h"
#include "scenes.h"

#include "app/program.h"
#include "contest/ui/tfmcontest.h"
#include "contest_rules/ui/tscore.h"
#include "support/ui/entry_window.h"

#include <QComboBox>
#include <QDir>
#include <QFile>

namespace vireo::shots {

namespace {

// The definitions where an install puts them beside the program.
bool installDefinitions(const QString &programDir)
{
    const QDir source(QStringLiteral(VIREO_SOURCE_DIR "/contests"));
    if (!QDir(programDir).mkpath(QStringLiteral("contests/shipped")))
        return false;
    for (const QString &name : source.entryList({QStringLiteral("*.json")}))
        if (!QFile::copy(source.filePath(name), QDir(programDir).filePath(QStringLiteral("contests/shipped/") + name)))
            return false;
    return true;
}

QVector<QsoRecord> lzDxEvening()
{
    static const char *const Calls[] = {"DL1AA", "G4BB",  "UA3CC", "UA9DD", "K1EE",  "JA1FF", "OK1GG",
                                        "SP9HH", "LZ1II", "LZ2JJ", "YU1KK", "HA5LL", "LZ3MM", "F5NN"};
    static const char *const Sent[] = {"28", "27", "29", "30", "08", "45", "28",
                                       "28", "BU", "SF", "28", "28", "VN", "27"};
    static const char *const Bands[] = {"80M", "40M", "20M", "15M"};
    static const char *const Freqs[] = {"3520", "7015", "14025", "21030"};
    QVector<QsoRecord> records;
    for (int i = 0; i < 480; ++i) {
        const int a = (i * 5 + i / 14) % 14, b = (i * 3 + 1) % 14;
        if (a == b)
            continue;
        const int band = (i / 60) % 4, minute = 12 * 60 + i / 2;
        QsoRecord r;
        r.freq = QString::fromLatin1(Freqs[band]);
        r.mode = QStringLiteral("CW");
        r.data = QStringLiteral("07.12.2025");
        r.time =
            QStringLiteral("%1:%2").arg(minute / 60, 2, 10, QLatin1Char('0')).arg(minute % 60, 2, 10, QLatin1Char('0'));
        r.call1 = QString::fromLatin1(Calls[a]);
        r.rst1 = QStringLiteral("599");
        r.nr1 = QString::fromLatin1(Sent[a]);
        r.call2 = QString::fromLatin1(Calls[b]);
        if (i % 5) { // the correspondent's number copied four times in five
            r.rst2 = QStringLiteral("599");
            r.nr2 = QString::fromLatin1(Sent[b]);
        }
        r.band = QString::fromLatin1(Bands[band]);
        r.tur = QStringLiteral("0");
        r.radio = QStringLiteral("1");
        records << r;
    }
    // Two records whose time was typed wrong in manual entry.
    records[40].time = QStringLiteral("25:10");
    records[200].data = QStringLiteral("31.11.2025");
    return records;
}

} // namespace

void scoreWindow(Camera &camera)
{
    const QString file = QStringLiteral("score_window.png");
    if (!camera.wants(file))
        return;
    test::EntryWindow w;
    if (!installDefinitions(w.t.context.programDir))
        return camera.fail(file, QStringLiteral("the definitions could not be copied"));
    w.seed(lzDxEvening());
    TfmContest &contest = w.program->contest();
    contest.reloadRules();
    const int lz = contest.cbRules->findData(QStringLiteral("lz-dx-2008.json"));
    if (lz < 0)
        return camera.fail(file, QStringLiteral("lz-dx-2008.json is not in the list"));
    contest.cbRules->setCurrentIndex(lz);
    emit contest.cbRules->activated(lz);
    trigger(*w.m, "actScore");
    auto *score = named<rules::TScore>("Score");
    if (!score || !score->isVisible())
        return camera.fail(file, QStringLiteral("the score window did not open"));
    score->resize(720, 620);
    camera.take(*score, file);
}

} // namespace vireo::shots
