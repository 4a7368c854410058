// The partial-check window, the data refresh window and the listener's position.

#include "camera.h"
#include "scenes.h"

#include "app/program.h"
#include "app/tfmstart.h"
#include "app/tmain.h"
#include "db/qso_store.h"
#include "stationinfo/scp_data.h"
#include "support/qso_builder.h"
#include "support/scripted_services.h"
#include "support/ui/typing.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

namespace vireo::shots {

namespace {

QsoRecord qso(const QString &call1, const QString &call2, const QString &band = QStringLiteral("20M"))
{
    return test::Qso::typical().heard(call1, QStringLiteral("599"), QStringLiteral("001")).call2(call2).band(band);
}

// The program over a log of two QSOs on 14000 kHz, shown and active, with the partial-check
// window open once its list is read.
struct ScpProgram {
    test::TestContext t;
    std::unique_ptr<Program> program;
    TMain *m = nullptr;

    bool start()
    {
        program = std::make_unique<Program>(t.context);
        m = &program->main();
        named<QComboBox>(*m, "cbFreq")->setCurrentText(QStringLiteral("14000"));
        m->FreqToBand();
        m->qsos().append({qso(QStringLiteral("UA3ABC"), QStringLiteral("DL1ABC")),
                          qso(QStringLiteral("RA3ABX"), QString(), QStringLiteral("40M"))});
        m->show();
        trigger(*m, "actScp");
        if (!QTest::qWaitFor([this] { return m->scpData().loaded(); }, 60000))
            return false;
        m->activateWindow();
        static_cast<void>(QTest::qWaitForWindowActive(m, 20000)); // the focus only; the picture is the same without it
        return true;
    }
};

} // namespace

void scpWindow(Camera &camera)
{
    const QString file = QStringLiteral("scp_window.png");
    if (!camera.wants(file))
        return;
    ScpProgram p;
    if (!p.start())
        return camera.fail(file, QStringLiteral("the contest-call list was not read"));
    test::clearAndType(named<QLineEdit>(*p.m, "edCall1"), QStringLiteral("UA3AB"));
    camera.take(*named("Scp"), file);
}

void dataUpdateWindow(Camera &camera)
{
    const QString file = QStringLiteral("data_update.png");
    if (!camera.wants(file))
        return;
    ScpProgram p;
    if (!p.start())
        return camera.fail(file, QStringLiteral("the contest-call list was not read"));
    trigger(*p.m, "actDataUpdate");
    QWidget *w = named("DataUpdate");
    if (!w || !w->isVisible())
        return camera.fail(file, QStringLiteral("the data refresh window did not open"));
    camera.take(*w, file);
}

void myPositionWindow(Camera &camera)
{
    const QString sound = QStringLiteral("my_position.png"), wrong = QStringLiteral("my_position_error.png");
    if (!camera.wantsAny({sound, wrong}))
        return;
    test::TestContext t;
    {
        QFile f(t.context.settingsPath);
        if (!f.open(QIODevice::WriteOnly))
            return camera.fail(sound, QStringLiteral("settings.ini could not be written"));
        f.write("[MySetting]\r\nCall=UA3ABC\r\nContest=RDXC\r\n");
    }
    Program p(t.context);
    TMain &m = p.main();
    m.show();
    QTest::keyClicks(named<QLineEdit>(m, "edCall1"), QStringLiteral("JA1ABC"));
    trigger(m, "actMyPosition");
    QWidget *w = named("MyPosition");
    if (!w || !w->isVisible())
        return camera.fail(sound, QStringLiteral("the position window did not open"));
    // A locator shows its square's centre in degrees.
    test::typeOver(named<QLineEdit>(*w, "edLocator"), QStringLiteral("ko85tt"));
    camera.take(*w, sound);
    named<QPushButton>(*w, "btMyPositionSave")->click();

    // A wrong latitude is said under the fields.
    trigger(m, "actMyPosition");
    test::typeOver(named<QLineEdit>(*w, "edLat"), QStringLiteral("59,94"));
    test::typeOver(named<QLineEdit>(*w, "edLon"), QStringLiteral("30.31"));
    test::typeOver(named<QLineEdit>(*w, "edLat"), QStringLiteral("591.94"));
    camera.take(*w, wrong);
    named<QPushButton>(*w, "btMyPositionCancel")->click();
}

void firstRunPosition(Camera &camera)
{
    const QString file = QStringLiteral("first_run_position.png");
    if (!camera.wants(file))
        return;
    test::TestContext t;
    Program p(t.context);
    bool shown = false;
    t.prompts->onModal = [&](QDialog &d) {
        auto &start = static_cast<TfmStart &>(d);
        auto *edLocator = named<QLineEdit>(start, "edLocator");
        if (!edLocator)
            return int(QDialog::Rejected);
        start.edCall->setText(QStringLiteral("UA3ABC"));
        start.edContest->setText(QStringLiteral("RDXC"));
        // A wrong locator keeps the dialog open; the right one shows its square in degrees.
        QTest::keyClicks(edLocator, QStringLiteral("KO8S"));
        start.Button1Click();
        test::typeOver(edLocator, QStringLiteral("KO85"));
        start.show();
        camera.take(start, file);
        shown = true;
        start.hide();
        start.Button1Click();
        return start.result();
    };
    p.main().FormActivate();
    if (!shown)
        camera.fail(file, QStringLiteral("the first-run dialog was not shown"));
}

} // namespace vireo::shots
