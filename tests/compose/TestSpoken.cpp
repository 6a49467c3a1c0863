// SPDX-License-Identifier: GPL-3.0-or-later
#include "Composer.h"
#include "WorkedExample.h"

#include <QObject>
#include <QTest>

using namespace Velaro;
using namespace Velaro::Testing;

namespace
{

const QString NothingDelivered = QStringLiteral("(nothing delivered)");

// The spoken frame of the worked examples, ULLP and RA-12345.
QString framed(const QString& body)
{
    return "Uniform Lima Lima Papa traffic, Romeo Alfa one two three four five, " + body +
           ", Uniform Lima Lima Papa traffic";
}

// The rules on a blank frame: its empty aerodrome and callsign say nothing.
FormValues blankWith(const QList<FieldWrite>& texts)
{
    return withTexts(blankForm(), texts);
}

} // namespace

class TestSpoken : public QObject
{
    Q_OBJECT

private slots:
    void testSpoken_data();
    void testSpoken();
};

void TestSpoken::testSpoken_data()
{
    QTest::addColumn<Call>("call");
    QTest::addColumn<FormValues>("form");
    QTest::addColumn<QString>("spoken");

    const FormValues holding = withText(exampleForm(), Field::CurrentLevel, "1200");
    const FormValues levels = blankWith(
        {{Field::CurrentLevel, "3000"}, {Field::NextLevel, "3000"}, {Field::NextPoint, "RATOS"}});
    const QString liningUp = "traffic, lining up runway for departure, initial climb %1, traffic";

    QTest::newRow("pushback") << Call::Pushback << withDirection(exampleForm(), "north", true)
                              << framed("pushing back face north from stand one two");
    QTest::newRow("start-up") << Call::StartUpOrShutdown << exampleForm()
                              << framed("engines start up on stand one two");
    QTest::newRow("shutdown") << Call::StartUpOrShutdown << inArrivalMode(exampleForm())
                              << framed("on stand one two, engines shutdown");
    QTest::newRow("taxi out")
        << Call::Taxi << exampleForm()
        << framed("taxiing via Alfa Charlie to holding point runway two eight left");
    QTest::newRow("taxi in") << Call::Taxi << inArrivalMode(exampleForm())
                             << framed("taxiing on stand one two via Alfa Charlie");
    QTest::newRow("runway vacated") << Call::RunwayVacated << exampleForm()
                                    << framed("runway two eight left vacated on taxiway Bravo two");
    QTest::newRow("lining up") << Call::LiningUp << exampleForm()
                               << framed("lining up runway two eight left for KILO one Alfa "
                                         "departure, initial climb niner hundred metres");
    QTest::newRow("take-off") << Call::TakeOff << exampleForm()
                              << framed("departing runway two eight left");
    QTest::newRow("after take-off") << Call::AfterTakeOff << exampleForm() << framed("airborne");
    QTest::newRow("reporting point") << Call::ReportingPoint << exampleForm()
                                     << framed("ODIMO three thousand metres, climbing three "
                                               "thousand six hundred metres, direct to RATOS at "
                                               "three five");
    QTest::newRow("level change")
        << Call::LevelChange << exampleForm()
        << framed("three thousand metres, maintaining three thousand six hundred metres");
    QTest::newRow("approach descent")
        << Call::ApproachDescent << withText(exampleForm(), Field::NextLevel, "900")
        << framed("ODIMO three thousand metres, proceeding on ODIMO two Kilo for runway two eight "
                  "left approach, descending niner hundred metres");
    QTest::newRow("holding") << Call::Holding << holding
                             << framed("hold at ODIMO one thousand two hundred metres, inbound "
                                       "track zero niner five, left hand pattern, time one minute");
    QTest::newRow("crosswind") << Call::Crosswind << exampleForm() << framed("crosswind left");
    QTest::newRow("base") << Call::Base << exampleForm() << framed("turn base left");
    QTest::newRow("turning final")
        << Call::TurningFinal << exampleForm() << framed("turning final runway two eight left");
    QTest::newRow("final") << Call::Final << exampleForm() << framed("final runway two eight left");
    QTest::newRow("go around") << Call::GoAround << exampleForm() << framed("go around");

    QTest::newRow("whole thousands and hundreds")
        << Call::LiningUp << blankWith({{Field::InitialLevel, "3600"}})
        << liningUp.arg("three thousand six hundred metres");
    QTest::newRow("ten thousand") << Call::LiningUp << blankWith({{Field::InitialLevel, "10000"}})
                                  << liningUp.arg("one zero thousand metres");
    QTest::newRow("not whole hundreds")
        << Call::LiningUp << blankWith({{Field::InitialLevel, "2450"}})
        << liningUp.arg("two four five zero metres");
    QTest::newRow("metric level with a leading zero")
        << Call::LiningUp << blankWith({{Field::InitialLevel, "0900"}})
        << liningUp.arg("zero niner zero zero metres");
    QTest::newRow("decimal comma") << Call::LiningUp << blankWith({{Field::InitialLevel, "1500,5"}})
                                   << liningUp.arg("one five zero zero decimal five metres");
    QTest::newRow("decimal point") << Call::LiningUp << blankWith({{Field::InitialLevel, "1500.5"}})
                                   << liningUp.arg("one five zero zero decimal five metres");
    QTest::newRow("flight level") << Call::LiningUp
                                  << inImperialUnits(blankWith({{Field::InitialLevel, "070"}}))
                                  << liningUp.arg("flight level zero seven zero");
    QTest::newRow("flight level typed with its prefix")
        << Call::LiningUp << inImperialUnits(blankWith({{Field::InitialLevel, "FL070"}}))
        << liningUp.arg("flight level Foxtrot Lima zero seven zero");
    QTest::newRow("metric level not a number")
        << Call::LiningUp << blankWith({{Field::InitialLevel, "ABC"}})
        << liningUp.arg("Alfa Bravo Charlie metres");
    QTest::newRow("every field empty, neither metres nor the frame's fields")
        << Call::LiningUp << blankForm()
        << "traffic, lining up runway for departure, initial climb, traffic";
    QTest::newRow("empty level in imperial units")
        << Call::ApproachDescent << inImperialUnits(blankForm())
        << "traffic, proceeding on for runway approach, descending, traffic";
    QTest::newRow("runway on the right") << Call::TakeOff << blankWith({{Field::Runway, "09R"}})
                                         << "traffic, departing runway zero niner right, traffic";
    QTest::newRow("runway in the center") << Call::TakeOff << blankWith({{Field::Runway, "36C"}})
                                          << "traffic, departing runway three six center, traffic";
    QTest::newRow("runway without a side") << Call::TakeOff << blankWith({{Field::Runway, "4"}})
                                           << "traffic, departing runway four, traffic";
    QTest::newRow("runway not a designator")
        << Call::TakeOff << blankWith({{Field::Runway, "28 X"}})
        << "traffic, departing runway two eight X-ray, traffic";
    QTest::newRow("runway of three digits")
        << Call::TakeOff << blankWith({{Field::Runway, "280L"}})
        << "traffic, departing runway two eight zero Lima, traffic";
    QTest::newRow("runway of a side letter alone")
        << Call::TakeOff << blankWith({{Field::Runway, "L"}})
        << "traffic, departing runway Lima, traffic";
    QTest::newRow("runway side with a letter after it")
        << Call::TakeOff << blankWith({{Field::Runway, "28LX"}})
        << "traffic, departing runway two eight Lima X-ray, traffic";
    QTest::newRow("empty runway") << Call::TakeOff << withText(exampleForm(), Field::Runway, "")
                                  << framed("departing runway");
    QTest::newRow("empty stand") << Call::StartUpOrShutdown
                                 << inArrivalMode(withText(exampleForm(), Field::Stand, ""))
                                 << framed("on stand, engines shutdown");
    QTest::newRow("empty callsign")
        << Call::GoAround << withText(exampleForm(), Field::Callsign, "")
        << "Uniform Lima Lima Papa traffic, go around, Uniform Lima "
           "Lima Papa traffic";
    QTest::newRow("minutes past the hour")
        << Call::ReportingPoint << withText(levels, Field::EstimatedTime, "05")
        << "traffic, three thousand metres, direct to RATOS at "
           "zero five, traffic";
    QTest::newRow("no estimated time")
        << Call::ReportingPoint << levels
        << "traffic, three thousand metres, direct to RATOS, traffic";
    QTest::newRow("leg time of minutes, course digit by digit")
        << Call::Holding
        << blankWith(
               {{Field::CurrentLevel, "900"}, {Field::Course, "270"}, {Field::PatternLegTime, "2"}})
        << "traffic, hold at niner hundred metres, inbound track two seven zero, left hand "
           "pattern, time two minutes, traffic";
    QTest::newRow("leg time of ten minutes")
        << Call::Holding << withText(holding, Field::PatternLegTime, "10")
        << framed("hold at ODIMO one thousand two hundred metres, inbound track zero niner five, "
                  "left hand pattern, time one zero minutes");
    QTest::newRow("mixed tokens and punctuation")
        << Call::Taxi << blankWith({{Field::TaxiRoute, "A, B2 LIMA3"}})
        << "traffic, taxiing via Alfa Bravo two LIMA three to holding point runway, traffic";
    QTest::newRow("typed direction, lower case")
        << Call::Pushback << withDirection(blankForm(), "b3", false)
        << "traffic, pushing back to starting point Bravo three from stand, traffic";
    QTest::newRow("picked direction stays a word")
        << Call::Pushback << withDirection(blankForm(), "south-west", true)
        << "traffic, pushing back face south-west from stand, traffic";
    QTest::newRow("callsign of all 26 letters")
        << Call::GoAround << blankWith({{Field::Callsign, "ABCDEFGHIJKLMNOPQRSTUVWXYZ"}})
        << "traffic, Alfa Bravo Charlie Delta Echo Foxtrot Golf Hotel India Juliett Kilo Lima Mike "
           "November Oscar Papa Quebec Romeo Sierra Tango Uniform Victor Whiskey X-ray Yankee "
           "Zulu, go around, traffic";
    QTest::newRow("callsign with a dot between digits, no decimal")
        << Call::GoAround << blankWith({{Field::Callsign, "RA-12.34"}})
        << "traffic, Romeo Alfa one two three four, go around, traffic";
    QTest::newRow("three-letter aerodrome said as typed")
        << Call::GoAround << blankWith({{Field::Aerodrome, "LED"}})
        << "LED traffic, go around, LED traffic";
    QTest::newRow("aerodrome name and Cyrillic letters")
        << Call::GoAround
        << blankWith({{Field::Aerodrome, " ПУЛКОВО "}, {Field::Callsign, "РА-1234B"}})
        << "ПУЛКОВО traffic, РА one two three four Bravo, go around, ПУЛКОВО traffic";
    QTest::newRow("cut short before the word past 1000 characters")
        << Call::GoAround << withText(exampleForm(), Field::Callsign, QString(250, u'A'))
        << "Uniform Lima Lima Papa traffic," + QString(" Alfa").repeated(193) + " …";
    QTest::newRow("a line of exactly 1000 characters stays whole")
        << Call::GoAround << withText(exampleForm(), Field::Callsign, QString(184, u'A') + 'B')
        << "Uniform Lima Lima Papa traffic," + QString(" Alfa").repeated(184) +
               " Bravo, go around, Uniform Lima Lima Papa traffic";
    QTest::newRow("one word past 1000 characters, no blank before the cut")
        << Call::GoAround << blankWith({{Field::Aerodrome, QString(1001, u'A')}}) << "…";
    QTest::newRow("a stopped press says nothing")
        << Call::Holding << withText(holding, Field::Course, "O95") << NothingDelivered;
}

void TestSpoken::testSpoken()
{
    QFETCH(Call, call);
    QFETCH(FormValues, form);
    QFETCH(QString, spoken);

    QCOMPARE(speak(call, form).value_or(NothingDelivered), spoken);
}

QTEST_GUILESS_MAIN(TestSpoken)
#include "TestSpoken.moc"
