// SPDX-License-Identifier: GPL-3.0-or-later
#include "Circuit.h"
#include "ExpectedResult.h"
#include "WorkedExample.h"

#include <QObject>
#include <QTest>

using namespace Velaro;
using namespace Velaro::Testing;

class TestCircuit : public QObject
{
    Q_OBJECT

private slots:
    void testCrosswind_data();
    void testCrosswind() { verifyComposer(Call::Crosswind, Circuit::crosswind); }
    void testBase_data();
    void testBase() { verifyComposer(Call::Base, Circuit::base); }
    void testTurningFinal_data();
    void testTurningFinal() { verifyComposer(Call::TurningFinal, Circuit::turningFinal); }
    void testFinal_data();
    void testFinal() { verifyComposer(Call::Final, Circuit::finalApproach); }
    void testGoAround_data();
    void testGoAround() { verifyComposer(Call::GoAround, Circuit::goAround); }
};

void TestCircuit::testCrosswind_data()
{
    addFormColumns<QString>();

    addRowUnaffectedBy("pattern side as at start", exampleForm(),
                       "ULLP traffic, RA-12345, crosswind left, ULLP traffic",
                       {Switch::Units, Switch::FlightPhase});
    addRowUnaffectedBy("right-hand pattern", withRightPattern(exampleForm()),
                       "ULLP traffic, RA-12345, crosswind right, ULLP traffic",
                       {Switch::Units, Switch::FlightPhase});
    QTest::newRow("every field empty, left-hand pattern")
        << blankForm() << " traffic, , crosswind left,  traffic";
    QTest::newRow("every field empty, right-hand pattern")
        << withRightPattern(blankForm()) << " traffic, , crosswind right,  traffic";
}

void TestCircuit::testBase_data()
{
    addFormColumns<QString>();

    addRowUnaffectedBy("pattern side as at start", exampleForm(),
                       "ULLP traffic, RA-12345, turn base left, ULLP traffic",
                       {Switch::Units, Switch::FlightPhase});
    addRowUnaffectedBy("right-hand pattern", withRightPattern(exampleForm()),
                       "ULLP traffic, RA-12345, turn base right, ULLP traffic",
                       {Switch::Units, Switch::FlightPhase});
    QTest::newRow("every field empty") << blankForm() << " traffic, , turn base left,  traffic";
}

void TestCircuit::testTurningFinal_data()
{
    addFormColumns<QString>();

    addRowUnaffectedBy("runway", exampleForm(),
                       "ULLP traffic, RA-12345, turning final RWY28L, ULLP traffic",
                       {Switch::Units, Switch::FlightPhase, Switch::PatternSide});
    QTest::newRow("empty runway") << withText(exampleForm(), Field::Runway, "")
                                  << "ULLP traffic, RA-12345, turning final RWY, ULLP traffic";
}

void TestCircuit::testFinal_data()
{
    addFormColumns<QString>();

    addRowUnaffectedBy("runway", exampleForm(),
                       "ULLP traffic, RA-12345, final RWY28L, ULLP traffic",
                       {Switch::Units, Switch::FlightPhase, Switch::PatternSide});
    QTest::newRow("empty runway") << withText(exampleForm(), Field::Runway, "")
                                  << "ULLP traffic, RA-12345, final RWY, ULLP traffic";
}

void TestCircuit::testGoAround_data()
{
    addFormColumns<QString>();

    addRowUnaffectedBy("aerodrome and callsign", exampleForm(),
                       "ULLP traffic, RA-12345, go around, ULLP traffic",
                       {Switch::Units, Switch::FlightPhase, Switch::PatternSide});
    QTest::newRow("every field empty") << blankForm() << " traffic, , go around,  traffic";
}

QTEST_GUILESS_MAIN(TestCircuit)
#include "TestCircuit.moc"
