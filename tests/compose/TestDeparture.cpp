// SPDX-License-Identifier: GPL-3.0-or-later
#include "Departure.h"
#include "ExpectedResult.h"
#include "WorkedExample.h"

#include <QObject>
#include <QTest>

using namespace Velaro;
using namespace Velaro::Testing;

class TestDeparture : public QObject
{
    Q_OBJECT

private slots:
    void testLiningUp_data();
    void testLiningUp() { verifyComposer(Call::LiningUp, Departure::liningUp); }
    void testTakeOff_data();
    void testTakeOff() { verifyComposer(Call::TakeOff, Departure::takeOff); }
    void testAfterTakeOff_data();
    void testAfterTakeOff() { verifyComposer(Call::AfterTakeOff, Departure::afterTakeOff); }
};

void TestDeparture::testLiningUp_data()
{
    addFormColumns<QString>();
    const FormValues imperial = inImperialUnits(exampleForm());

    addRowUnaffectedBy("metric", exampleForm(),
                       "ULLP traffic, RA-12345, lining up RWY28L for KILO 1A departure, initial "
                       "climb 900m, ULLP traffic",
                       {Switch::FlightPhase});
    addRowUnaffectedBy("imperial, leading zero kept",
                       withText(imperial, Field::InitialLevel, "070"),
                       "ULLP traffic, RA-12345, lining up RWY28L for KILO 1A departure, initial "
                       "climb FL070, ULLP traffic",
                       {Switch::FlightPhase});
    QTest::newRow("imperial, same level text")
        << imperial
        << "ULLP traffic, RA-12345, lining up RWY28L for KILO 1A departure, initial climb FL900, "
           "ULLP traffic";
    QTest::newRow("metric, leading zero kept")
        << withText(exampleForm(), Field::InitialLevel, "070")
        << "ULLP traffic, RA-12345, lining up RWY28L for KILO 1A departure, initial climb 070m, "
           "ULLP traffic";
    QTest::newRow("metric, empty initial level")
        << withText(exampleForm(), Field::InitialLevel, "")
        << "ULLP traffic, RA-12345, lining up RWY28L for KILO 1A departure, initial climb m, "
           "ULLP traffic";
    QTest::newRow("imperial, empty initial level")
        << withText(imperial, Field::InitialLevel, "")
        << "ULLP traffic, RA-12345, lining up RWY28L for KILO 1A departure, initial climb FL, "
           "ULLP traffic";
    QTest::newRow("imperial, level typed with its prefix")
        << withText(imperial, Field::InitialLevel, "FL070")
        << "ULLP traffic, RA-12345, lining up RWY28L for KILO 1A departure, initial climb "
           "FLFL070, ULLP traffic";
    QTest::newRow("empty departure procedure")
        << withText(exampleForm(), Field::DepartureProcedure, "")
        << "ULLP traffic, RA-12345, lining up RWY28L for  departure, initial climb 900m, ULLP "
           "traffic";
    QTest::newRow("empty runway")
        << withText(exampleForm(), Field::Runway, "")
        << "ULLP traffic, RA-12345, lining up RWY for KILO 1A departure, initial climb 900m, ULLP "
           "traffic";
    QTest::newRow("every field empty")
        << blankForm() << " traffic, , lining up RWY for  departure, initial climb m,  traffic";
}

void TestDeparture::testTakeOff_data()
{
    addFormColumns<QString>();

    addRowUnaffectedBy("runway", exampleForm(),
                       "ULLP traffic, RA-12345, departing RWY28L, ULLP traffic",
                       {Switch::Units, Switch::FlightPhase});
    QTest::newRow("empty runway") << withText(exampleForm(), Field::Runway, "")
                                  << "ULLP traffic, RA-12345, departing RWY, ULLP traffic";
    QTest::newRow("every field empty") << blankForm() << " traffic, , departing RWY,  traffic";
}

void TestDeparture::testAfterTakeOff_data()
{
    addFormColumns<QString>();

    addRowUnaffectedBy("aerodrome and callsign", exampleForm(),
                       "ULLP traffic, RA-12345, airborn, ULLP traffic",
                       {Switch::Units, Switch::FlightPhase});
    QTest::newRow("empty aerodrome")
        << withText(exampleForm(), Field::Aerodrome, "") << " traffic, RA-12345, airborn,  traffic";
    QTest::newRow("every field empty") << blankForm() << " traffic, , airborn,  traffic";
}

QTEST_GUILESS_MAIN(TestDeparture)
#include "TestDeparture.moc"
