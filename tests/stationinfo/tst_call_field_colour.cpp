// The colours the call field is painted in for each state of the duplicate check.

#include "stationinfo/ui/call_field_colour.h"

#include <QtTest>

using namespace vireo;

class TestCallFieldColour : public QObject {
    Q_OBJECT
private slots:
    void fieldColours();
};

void TestCallFieldColour::fieldColours()
{
    using dupe::FieldColour;
    const QColor window(1, 2, 3);
    QCOMPARE(dupe::rgb(FieldColour::Red, window), QColor(255, 0, 0));
    QCOMPARE(dupe::rgb(FieldColour::Aqua, window), QColor(0, 255, 255));
    QCOMPARE(dupe::rgb(FieldColour::Yellow, window), QColor(255, 255, 0));
    QCOMPARE(dupe::rgb(FieldColour::LightGreen, window), QColor(192, 220, 192));
    QCOMPARE(dupe::rgb(FieldColour::Window, window), window);
}

QTEST_MAIN(TestCallFieldColour)
#include "tst_call_field_colour.moc"
