// SPDX-License-Identifier: GPL-3.0-or-later
#include "FormLayout.h"
#include "RecordedFlight.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

using namespace Velaro;
using namespace Velaro::FlightGear;
using namespace RecordedFlight;

namespace
{

QString nameOf(std::optional<Call> call)
{
    for (const FormLayout::ButtonEntry& entry : FormLayout::Buttons) {
        if (call == entry.call)
            return QLatin1String(entry.name);
    }
    return QStringLiteral("none");
}

} // namespace

// The phase of flight and the call that comes next, from flights flown in FlightGear.
class TestFlightPhase : public QObject
{
    Q_OBJECT

private slots:
    void testNextCall_data();
    void testNextCall();
    void testHeadingDifference_data();
    void testHeadingDifference();
};

void TestFlightPhase::testNextCall_data()
{
    QTest::addColumn<QString>("flight");
    // Flown to the end of this step, NAME#2 its second time, NAME+N to its Nth reading
    // after the first.
    QTest::addColumn<QString>("step");
    // The pilot says every call offered before the last reading, but in these steps and
    // in the last one unless "said in it" is among them.
    QTest::addColumn<QStringList>("quiet");
    QTest::addColumn<bool>("pushbackChosen");
    // The switches the pilot sets himself, as SWITCH:STEP, the switch arrival or side.
    QTest::addColumn<QStringList>("pilotSets");
    QTest::addColumn<QString>("phase");
    QTest::addColumn<QString>("next");
    QTest::addColumn<QString>("runway");
    // The mode and the side of the circuit the flight shows.
    QTest::addColumn<QString>("shown");

    const auto steps = [](const char* names) {
        return QString::fromUtf8(names).split(u',', Qt::SkipEmptyParts);
    };
    const QString left = QStringLiteral("left-circuit");
    const QString right = QStringLiteral("right-circuit");
    const QString enRoute = QStringLiteral("en-route");
    // clang-format off
    QTest::newRow("at the stand: start-up") << left << "stand" << steps("") << false << steps("") << "at its stand" << "engines" << "22L" << "departure";
    QTest::newRow("a pushback chosen first") << left << "stand" << steps("") << true << steps("") << "at its stand" << "pushback" << "22L" << "departure";
    QTest::newRow("taxiing out") << left << "taxi" << steps("") << false << steps("") << "taxiing out to the runway" << "taxi" << "22L" << "departure";
    QTest::newRow("taxi said: none at the holding point") << left << "holding point" << steps("") << false << steps("") << "taxiing out to the runway" << "none" << "22L" << "departure";
    QTest::newRow("entering the runway: its own") << left << "lining up" << steps("") << false << steps("") << "at the runway" << "lineup" << "26L" << "departure";
    QTest::newRow("take-off roll") << left << "take-off roll" << steps("") << false << steps("") << "rolling for take-off" << "takeoff" << "26L" << "departure";
    QTest::newRow("climbing away") << left << "airborne" << steps("") << false << steps("") << "climbing away after take-off" << "airborne" << "26L" << "departure";
    QTest::newRow("crosswind, turned left") << left << "crosswind" << steps("") << false << steps("") << "on the crosswind leg" << "crosswind" << "26L" << "departure left";
    QTest::newRow("downwind: no call") << left << "downwind" << steps("") << false << steps("") << "on the downwind leg" << "none" << "26L" << "departure left";
    QTest::newRow("base") << left << "base" << steps("") << false << steps("") << "on the base leg" << "base" << "26L" << "departure left";
    QTest::newRow("turning final") << left << "turning final+4" << steps("") << false << steps("") << "turning final" << "turning-final" << "26L" << "departure left";
    QTest::newRow("final") << left << "final" << steps("turning final") << false << steps("") << "on final" << "final" << "26L" << "departure left";
    QTest::newRow("go-around") << left << "go-around" << steps("") << false << steps("") << "going around" << "go-around" << "26L" << "departure left";
    QTest::newRow("crosswind again, not airborne") << left << "crosswind#2" << steps("") << false << steps("") << "on the crosswind leg" << "crosswind" << "26L" << "departure left";
    QTest::newRow("crosswind forgotten: base next") << left << "base" << steps("crosswind,downwind") << false << steps("") << "on the base leg" << "base" << "26L" << "departure left";
    QTest::newRow("landing roll: arriving") << left << "landing roll+3" << steps("") << false << steps("") << "on the landing roll" << "none" << "26L" << "arrival left";
    QTest::newRow("vacated") << left << "vacated" << steps("landing roll") << false << steps("") << "off the runway after landing" << "vacated" << "26L" << "arrival left";
    QTest::newRow("taxiing in") << left << "taxi in" << steps("") << false << steps("") << "taxiing in to its stand" << "taxi" << "26L" << "arrival left";
    QTest::newRow("at the stand: shutdown") << left << "at stand" << steps("") << false << steps("") << "at its stand after landing" << "engines" << "26L" << "arrival left";
    QTest::newRow("right: crosswind") << right << "crosswind" << steps("") << false << steps("") << "on the crosswind leg" << "crosswind" << "26L" << "departure right";
    QTest::newRow("right: base") << right << "base" << steps("") << false << steps("") << "on the base leg" << "base" << "26L" << "departure right";
    QTest::newRow("right: final") << right << "final" << steps("turning final") << false << steps("") << "on final" << "final" << "26L" << "departure right";
    QTest::newRow("the pilot's arrival wins") << left << "landing roll+3" << steps("") << false << steps("arrival:final") << "on the landing roll" << "none" << "26L" << "pilot's left";
    QTest::newRow("the pilot's side wins") << left << "crosswind" << steps("") << false << steps("side:airborne") << "on the crosswind leg" << "crosswind" << "26L" << "departure";
    QTest::newRow("the next flight is the link's again") << left << "at stand" << steps("said in it") << false << steps("arrival:final,side:base") << "at its stand" << "engines" << "22L" << "departure";
    QTest::newRow("the next circuit's side is the link's again") << left + ",right-circuit" << "crosswind#3" << steps("") << false << steps("side:base") << "on the crosswind leg" << "crosswind" << "26L" << "departure right";
    QTest::newRow("en route, cruising: none") << enRoute << "cruise" << steps("") << false << steps("") << "en route between reporting points" << "none" << "22L" << "departure left";
    QTest::newRow("a reporting point passed") << enRoute << "level change+2" << steps("") << false << steps("") << "past a reporting point" << "report" << "22L" << "departure left";
    QTest::newRow("climbing to the next level") << enRoute << "level change" << steps("") << false << steps("") << "leaving its level" << "level" << "22L" << "departure left";
    QTest::newRow("descending to the destination") << enRoute << "descent" << steps("") << false << steps("") << "descending towards its destination" << "descent" << "03" << "departure left";
    // clang-format on
}

// Flown to the last reading of a step, the flight is in that phase with that call next.
void TestFlightPhase::testNextCall()
{
    QFETCH(QString, flight);
    QFETCH(QString, step);
    QFETCH(QStringList, quiet);
    QFETCH(bool, pushbackChosen);
    QFETCH(QStringList, pilotSets);
    QFETCH(QString, phase);
    QFETCH(QString, next);
    QFETCH(QString, runway);
    QFETCH(QString, shown);

    // Flights named one after another are flown in turn, the clock running on.
    QList<Step> steps;
    for (const QString& name : flight.split(u',')) {
        const double flown =
            steps.isEmpty() ? 0 : *steps.last().reading.number(Property::ElapsedTime);
        for (Step next : recordedFlight(name)) {
            next.reading.set(Property::ElapsedTime,
                             flown + *next.reading.number(Property::ElapsedTime));
            steps.append(next);
        }
    }
    const QList<Runway> runways = phnlRunways();
    QVERIFY(!steps.isEmpty() && !runways.isEmpty());
    // The last reading of the step's nth time, or the reading so far after its first.
    const QString name = step.section(u'#', 0, 0).section(u'+', 0, 0);
    int times = std::max(1, step.section(u'#', 1).toInt());
    const int after = step.contains(u'+') ? step.section(u'+', 1).toInt() : -1;
    qsizetype first = -1;
    qsizetype last = -1;
    for (qsizetype i = 0; i < steps.size() && times > 0; ++i) {
        if (steps[i].name != name) {
            times -= first >= 0 ? 1 : 0;
            first = times > 0 ? -1 : first;
            continue;
        }
        first = first >= 0 ? first : i;
        last = after >= 0 ? first + after : i;
    }
    QVERIFY2(last >= 0 && last < steps.size() && steps[last].name == name, qPrintable(step));

    FlightPhase follower;
    for (qsizetype i = 0; i <= last; ++i) {
        follower.update(aircraftStateOf(steps[i].reading), runways);
        if (pilotSets.contains(QStringLiteral("arrival:") + steps[i].name))
            follower.pilotSetArrival();
        if (pilotSets.contains(QStringLiteral("side:") + steps[i].name))
            follower.pilotSetPatternSide();
        const std::optional<Call> offered = follower.nextCall(pushbackChosen);
        const bool saying = i < last && !quiet.contains(steps[i].name) &&
                            (steps[i].name != name || quiet.contains(QStringLiteral("said in it")));
        if (offered && saying)
            follower.announced(*offered);
    }
    QCOMPARE(FlightPhase::describe(follower.phase()), phase);
    QCOMPARE(nameOf(follower.nextCall(pushbackChosen)), next);
    QCOMPARE(follower.runwayInUse(), runway);
    const std::optional<bool> arrival = follower.arrivalShown();
    const std::optional<bool> leftPattern = follower.leftPatternShown();
    QStringList actuallyShown{!arrival   ? QStringLiteral("pilot's")
                              : *arrival ? QStringLiteral("arrival")
                                         : QStringLiteral("departure")};
    if (leftPattern)
        actuallyShown << (*leftPattern ? QStringLiteral("left") : QStringLiteral("right"));
    QCOMPARE(actuallyShown.join(u' '), shown);
}

void TestFlightPhase::testHeadingDifference_data()
{
    QTest::addColumn<double>("from");
    QTest::addColumn<double>("to");
    QTest::addColumn<double>("turn");
    QTest::newRow("right across north") << 350.0 << 10.0 << 20.0;
    QTest::newRow("left across north") << 10.0 << 350.0 << -20.0;
    QTest::newRow("left, just short of a half turn") << 179.5 << 0.0 << -179.5;
    QTest::newRow("left, just past a half turn") << 180.5 << 0.0 << 179.5;
    QTest::newRow("right, just short of a half turn") << 0.0 << 179.5 << 179.5;
    QTest::newRow("right, just past a half turn") << 0.0 << 180.5 << -179.5;
}

// The turn from one heading to another, the short way round.
void TestFlightPhase::testHeadingDifference()
{
    QFETCH(double, from);
    QFETCH(double, to);
    QFETCH(double, turn);
    QCOMPARE(headingDifference(from, to), turn);
}

QTEST_GUILESS_MAIN(TestFlightPhase)
#include "TestFlightPhase.moc"
