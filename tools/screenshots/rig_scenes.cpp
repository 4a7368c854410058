// The rig set-up window as the listener sees it, in the program's font.

#include "camera.h"
#include "scenes.h"

#include "rig/hamlib_models.h"
#include "rig/ui/trigsetup.h"
#include "support/scripted_services.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>

#include <cerrno>

namespace vireo::shots {

namespace {

// Chooses a model in the window's list the way a listener does: search, then click.
bool pickModel(TRigSetupPage *page, const QString &search, int id)
{
    QTest::keyClicks(page->edFilter, search);
    for (int i = 0; i < page->lvModels->topLevelItemCount(); ++i) {
        QTreeWidgetItem *item = page->lvModels->topLevelItem(i);
        if (!item->isHidden() && item->data(0, Qt::UserRole).toInt() == id) {
            page->lvModels->setCurrentItem(item);
            return true;
        }
    }
    return false;
}

} // namespace

void rigSetupWindow(Camera &camera)
{
    const QString icom = QStringLiteral("rig_setup_icom.png"), permission = QStringLiteral("rig_setup_permission.png");
    if (!camera.wantsAny({icom, permission}))
        return;
    const QFont before = QApplication::font();
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    QApplication::setFont(font);
    {
        test::TestContext t;
        t.context.services.rigProcess.deviceAccess = [](const QString &) { return EACCES; };
        const QString byId = QStringLiteral("/dev/serial/by-id/usb-Silicon_Labs_CP2102_USB_to_UART_Bridge_Controller_"
                                            "IC-7300_03001234-if00-port0");
        TRigSetup w(t.context, {byId, QStringLiteral("/dev/ttyUSB0"), QStringLiteral("/dev/ttyACM0")});
        w.show();
        // rigctl lists the models in the background.
        static_cast<void>(QTest::qWaitFor([&w] { return w.modelListReady(); }, 20000));
        TRigSetupPage *page = w.page(1);
        page->rbOwn->click();
        if (!QTest::qWaitForWindowExposed(&w, 20000) || !pickModel(page, QStringLiteral("Icom"), 3073)) {
            camera.fail(icom, QStringLiteral("the IC-7300 is not in Hamlib's model list"));
        } else {
            page->cbDevice->setCurrentIndex(0);
            page->cbSpeed->setCurrentIndex(page->cbSpeed->findData(115200));
            camera.take(w, icom);
            // The check finds the device closed to the listener.
            page->btCheck->click();
            if (QTest::qWaitFor([page] { return page->btCheck->isEnabled(); }, 60000))
                camera.take(w, permission);
            else
                camera.fail(permission, QStringLiteral("the check did not end"));
        }
    }
    QApplication::setFont(before);
}

} // namespace vireo::shots
