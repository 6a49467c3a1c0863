// SPDX-License-Identifier: GPL-3.0-or-later
#include "FlightGearReplies.h"
#include "FormLayout.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

using namespace Velaro;
using namespace Velaro::FlightGear;

namespace
{

// One step of a flight flown in FlightGear by a script, as a poller read it then.
struct Step {
    QString name;
    Reading reading;
};

// The flight recorded in tests/sim/recorded/flights/NAME.jsonl. Each line holds the
// replies that changed since the one before; the reading takes every latest reply, its
// clock the flight's time.
QList<Step> recordedFlight(const QString& name)
{
    QFile file(QStringLiteral(VELARO_RECORDED_DIR "/flights/") + name + QStringLiteral(".jsonl"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<Step> steps;
    QHash<QString, QByteArray> latest;
    while (!file.atEnd()) {
        const QJsonObject line = QJsonDocument::fromJson(file.readLine()).object();
        const QJsonObject replies = line.value(QLatin1String("replies")).toObject();
        for (auto reply = replies.begin(); reply != replies.end(); ++reply)
            latest.insert(reply.key(), reply.value().toString().toUtf8());
        Step step{line.value(QLatin1String("step")).toString(), {}};
        for (const QByteArray& body : std::as_const(latest))
            step.reading.take(body);
        step.reading.set(Property::ElapsedTime, line.value(QLatin1String("t")));
        steps.append(step);
    }
    return steps;
}

QList<Runway> phnlRunways()
{
    QFile file(QStringLiteral(VELARO_RECORDED_DIR "/navdb-PHNL.json"));
    return file.open(QIODevice::ReadOnly) ? runwaysOf(file.readAll()).value_or(QList<Runway>())
                                          : QList<Runway>();
}

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
};

void TestFlightPhase::testNextCall_data()
{
    QTest::addColumn<QString>("flight");
    // The pilot says every call offered before this step but these; "-" for none of them.
    QTest::addColumn<QString>("unsaid");
    QTest::addColumn<bool>("pushbackChosen");
    QTest::addColumn<QString>("step");
    QTest::addColumn<QString>("phase");
    QTest::addColumn<QString>("next");
    QTest::addColumn<QString>("runway");
    QTest::addColumn<QString>("side");
}

// Flown to the last reading of a step, the flight is in that phase with that call next.
void TestFlightPhase::testNextCall()
{
    QFETCH(QString, flight);
    QFETCH(QString, unsaid);
    QFETCH(bool, pushbackChosen);
    QFETCH(QString, step);
    QFETCH(QString, phase);
    QFETCH(QString, next);
    QFETCH(QString, runway);
    QFETCH(QString, side);

    const QList<Step> steps = recordedFlight(flight);
    const QList<Runway> runways = phnlRunways();
    QVERIFY(!steps.isEmpty() && !runways.isEmpty());
    qsizetype last = -1;
    for (qsizetype i = 0; i < steps.size(); ++i) {
        if (steps[i].name == step)
            last = i;
    }
    QVERIFY2(last >= 0, qPrintable(step));

    FlightPhase follower;
    for (qsizetype i = 0; i <= last; ++i) {
        follower.update(aircraftStateOf(steps[i].reading), runways);
        const std::optional<Call> offered = follower.nextCall(pushbackChosen);
        if (i < last && offered && unsaid != QLatin1String("all") &&
            !unsaid.split(u' ').contains(nameOf(offered)))
            follower.announced(*offered);
    }
    QCOMPARE(FlightPhase::describe(follower.phase()), phase);
    QCOMPARE(nameOf(follower.nextCall(pushbackChosen)), next);
    QCOMPARE(follower.runwayInUse(), runway);
    const std::optional<bool> left = follower.isLeftPattern();
    QCOMPARE(left ? (*left ? QStringLiteral("left") : QStringLiteral("right")) : QStringLiteral("-"),
             side);
}

QTEST_GUILESS_MAIN(TestFlightPhase)
#include "TestFlightPhase.moc"
