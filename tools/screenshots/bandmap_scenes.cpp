// The band map over the last hour of a contest on 20 m CW, with two stations marked without a
// QSO and the radio's frequency between them (tests/bandmap/tst_band_map_window.cpp).

#include "camera.h"
#include "scenes.h"

#include "bandmap/band_map.h"
#include "bandmap/ui/band_scale.h"
#include "bandmap/ui/tbandmap.h"
#include "db/database.h"
#include "db/qso_store.h"
#include "support/sample_logs.h"
#include "support/scripted_services.h"

#include <QTest>

namespace vireo::shots {

void bandMapWindow(Camera &camera)
{
    const QString file = QStringLiteral("bandmap.png");
    if (!camera.wants(file))
        return;
    test::TestContext t;
    Database::prepareFile(t.context.databasePath);
    Database db(t.context.databasePath, QStringLiteral("shots-bandmap"));
    QsoStore store(db.connection());
    store.append(test::contestHourOn20m());
    {
        TBandMap w(
            t.context, store, [] { return nullptr; }, [] { return 1; });
        w.setContext(QStringLiteral("20M"), QStringLiteral("CW"), QStringLiteral("0"));
        const bool marked = w.map().mark(QStringLiteral("UA6LV"), QStringLiteral("14 046")).ok()
                            && w.map().mark(QStringLiteral("RV3FT"), QStringLiteral("14 019")).ok();
        w.resize(360, 560);
        w.show();
        if (!marked || !QTest::qWaitForWindowExposed(&w)) {
            camera.fail(file, QStringLiteral("the band map did not open with its marks"));
            return;
        }
        w.setFrequencyText(QStringLiteral("14 037"));
        w.bsBandMap->centreOn(14040);
        camera.take(w, file);
    }
}

} // namespace vireo::shots
