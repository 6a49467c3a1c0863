// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExpectedResult.h"
#include "Ground.h"
#include "WorkedExample.h"

#include <QObject>
#include <QTest>

using namespace Velaro;
using namespace Velaro::Testing;

class TestGround : public QObject
{
    Q_OBJECT

private slots:
    void testPushback_data();
    void testPushback() { verifyComposer(Call::Pushback, Ground::pushback); }
    void testStartUpOrShutdown_data();
    void testStartUpOrShutdown()
    {
        verifyComposer(Call::StartUpOrShutdown, Ground::startUpOrShutdown);
    }
    void testTaxi_data();
    void testTaxi() { verifyComposer(Call::Taxi, Ground::taxi); }
    void testRunwayVacated_data();
    void testRunwayVacated() { verifyComposer(Call::RunwayVacated, Ground::runwayVacated); }
};

void TestGround::testPushback_data()
{
    addFormColumns<QString>();
    const FormValues north = withDirection(exampleForm(), "north", true);

    addRowUnaffectedBy(
        "north picked", north,
        "ULLP traffic, RA-12345, pushing back face north from stand 12, ULLP traffic",
        {Switch::Units, Switch::FlightPhase});
    addRowUnaffectedBy(
        "3 typed, no entry picked", withDirection(exampleForm(), "3", false),
        "ULLP traffic, RA-12345, pushing back to starting point 3 from stand 12, ULLP traffic",
        {Switch::Units, Switch::FlightPhase});
    QTest::newRow("nothing typed, no entry picked")
        << exampleForm()
        << "ULLP traffic, RA-12345, pushing back to starting point  from stand 12, ULLP traffic";
    QTest::newRow("south-west picked")
        << withDirection(exampleForm(), "south-west", true)
        << "ULLP traffic, RA-12345, pushing back face south-west from stand 12, ULLP traffic";
    QTest::newRow("lower-case text typed")
        << withDirection(exampleForm(), "b3", false)
        << "ULLP traffic, RA-12345, pushing back to starting point b3 from stand 12, ULLP traffic";
    QTest::newRow("picked entry's text erased")
        << withDirection(exampleForm(), "", true)
        << "ULLP traffic, RA-12345, pushing back face  from stand 12, ULLP traffic";
    QTest::newRow("empty stand")
        << withText(north, Field::Stand, "")
        << "ULLP traffic, RA-12345, pushing back face north from stand , ULLP traffic";
    QTest::newRow("every field empty")
        << blankForm() << " traffic, , pushing back to starting point  from stand ,  traffic";
}

void TestGround::testStartUpOrShutdown_data()
{
    addFormColumns<QString>();
    const FormValues arrival = inArrivalMode(exampleForm());

    addRowUnaffectedBy("start-up", exampleForm(),
                       "ULLP traffic, RA-12345, engines start up on stand 12, ULLP traffic",
                       {Switch::Units});
    addRowUnaffectedBy("shutdown", arrival,
                       "ULLP traffic, RA-12345, on stand 12, engines shutdown, ULLP traffic",
                       {Switch::Units});
    QTest::newRow("start-up, empty stand")
        << withText(exampleForm(), Field::Stand, "")
        << "ULLP traffic, RA-12345, engines start up on stand , ULLP traffic";
    QTest::newRow("shutdown, empty stand")
        << withText(arrival, Field::Stand, "")
        << "ULLP traffic, RA-12345, on stand , engines shutdown, ULLP traffic";
    QTest::newRow("shutdown, empty aerodrome")
        << withText(arrival, Field::Aerodrome, "")
        << " traffic, RA-12345, on stand 12, engines shutdown,  traffic";
    QTest::newRow("start-up, every field empty")
        << blankForm() << " traffic, , engines start up on stand ,  traffic";
    QTest::newRow("shutdown, every field empty")
        << inArrivalMode(blankForm()) << " traffic, , on stand , engines shutdown,  traffic";
}

void TestGround::testTaxi_data()
{
    addFormColumns<QString>();
    const FormValues arrival = inArrivalMode(exampleForm());
    const QString taxiOut =
        "ULLP traffic, RA-12345, taxiing via A C to holding point RWY28L, ULLP traffic";
    const QString taxiIn = "ULLP traffic, RA-12345, taxiing on stand 12 via A C, ULLP traffic";

    addRowUnaffectedBy("taxi out", exampleForm(), taxiOut, {Switch::Units});
    addRowUnaffectedBy("taxi in", arrival, taxiIn, {Switch::Units});
    QTest::newRow("taxi out, empty route")
        << withText(exampleForm(), Field::TaxiRoute, "")
        << "ULLP traffic, RA-12345, taxiing via  to holding point RWY28L, ULLP traffic";
    QTest::newRow("taxi out, empty runway")
        << withText(exampleForm(), Field::Runway, "")
        << "ULLP traffic, RA-12345, taxiing via A C to holding point RWY, ULLP traffic";
    QTest::newRow("taxi out, stand not read")
        << withText(exampleForm(), Field::Stand, "") << taxiOut;
    QTest::newRow("taxi in, empty stand")
        << withText(arrival, Field::Stand, "")
        << "ULLP traffic, RA-12345, taxiing on stand  via A C, ULLP traffic";
    QTest::newRow("taxi in, empty route")
        << withText(arrival, Field::TaxiRoute, "")
        << "ULLP traffic, RA-12345, taxiing on stand 12 via , ULLP traffic";
    QTest::newRow("taxi in, runway not read") << withText(arrival, Field::Runway, "") << taxiIn;
    QTest::newRow("taxi out, every field empty")
        << blankForm() << " traffic, , taxiing via  to holding point RWY,  traffic";
    QTest::newRow("taxi in, every field empty")
        << inArrivalMode(blankForm()) << " traffic, , taxiing on stand  via ,  traffic";
}

void TestGround::testRunwayVacated_data()
{
    addFormColumns<QString>();

    addRowUnaffectedBy("runway and taxiway", exampleForm(),
                       "ULLP traffic, RA-12345, RWY28L vacated on TWYB2, ULLP traffic",
                       {Switch::Units, Switch::FlightPhase});
    QTest::newRow("empty runway") << withText(exampleForm(), Field::Runway, "")
                                  << "ULLP traffic, RA-12345, RWY vacated on TWYB2, ULLP traffic";
    QTest::newRow("empty taxiway") << withText(exampleForm(), Field::Taxiway, "")
                                   << "ULLP traffic, RA-12345, RWY28L vacated on TWY, ULLP traffic";
    QTest::newRow("every field empty") << blankForm() << " traffic, , RWY vacated on TWY,  traffic";
}

QTEST_GUILESS_MAIN(TestGround)
#include "TestGround.moc"
