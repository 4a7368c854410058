// The main window over a contest and the Cabrillo export window: the pictures the README and
// the manual open with.

#include "camera.h"
#include "scenes.h"

#include "app/program.h"
#include "app/tmain.h"
#include "reports/ui/tfmcabrillo.h"
#include "support/sample_logs.h"
#include "support/ui/entry_window.h"
#include "support/ui/typing.h"

#include <QLineEdit>

namespace vireo::shots {

namespace {
const QString MainWindow = QStringLiteral("main_window.png");
const QString CabrilloWindow = QStringLiteral("cabrillo_window.png");
} // namespace

void mainWindowInUse(Camera &camera)
{
    if (!camera.wantsAny({MainWindow, CabrilloWindow}))
        return;
    test::EntryWindow w;
    TMain &m = *w.m;
    w.seed(test::twoTourContest());
    m.setMyPosition(55.75, 37.62); // Moscow
    m.selectLastRow();
    // A station being typed: its country, zones, distance and azimuth shown.
    QLineEdit *edCall1 = named<QLineEdit>(m, "edCall1");
    edCall1->setFocus();
    test::type(QStringLiteral("DL1ABC"));
    camera.take(m, MainWindow);

    TfmCabrillo &cabrillo = w.program->cabrillo();
    cabrillo.show();
    camera.take(cabrillo, CabrilloWindow);
    cabrillo.hide();
}

} // namespace vireo::shots
