// SPDX-License-Identifier: GPL-3.0-or-later
#include "BusInterface.h"
#include "FlightGearBinding.h"
#include "MainWindowTest.h"
#include "NextCallMark.h"
#include "RemotePress.h"
#include "StandInFlightGear.h"
#include "WrappingButton.h"

#include <QDBusConnection>
#include <QDBusPendingCall>
#include <QPushButton>
#include <QSignalSpy>

using Velaro::FlightGear::Property;
using PropertyValues = QList<std::pair<Property, QByteArray>>;
Q_DECLARE_METATYPE(PropertyValues)

namespace
{

const QString Caption = QStringLiteral("Генератор сообщений VELARO");
const QString TakeOff = QStringLiteral("PHNL traffic, RA1234, departing RWY26L, PHNL traffic");

QByteArray recorded(const QString& name)
{
    QFile file(QStringLiteral(VELARO_RECORDED_DIR "/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The fields as "name=text" in the catalogue's order.
QString described(const QList<Velaro::FieldWrite>& writes)
{
    QStringList described;
    for (const auto& entry : Velaro::FormLayout::Fields) {
        for (const Velaro::FieldWrite& write : writes) {
            if (entry.role == write.field && !write.text.isEmpty())
                described << QLatin1String(entry.name) + QLatin1Char('=') + write.text;
        }
    }
    return described.join(QLatin1Char(' '));
}

} // namespace

// The link to FlightGear: the fields from what a real FlightGear answered, and the window
// linked to a stand-in of it that answers the same, then fails in every way it can.
class TestFlightGear : public MainWindowTest
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void testFields_data();
    void testFields();
    void testPilotWins();
    void testFault_data();
    void testFault();
    void testPressFromAfar_data();
    void testPressFromAfar();
    void testNextCallMark();
    void testRoute();

private:
    void waitForTitle(const QString& suffix);
    // Puts the aircraft at stand T2-C4, where the start-up comes next.
    void standAtTheStand();

    std::unique_ptr<StandInFlightGear> m_standIn;
    std::unique_ptr<Velaro::FlightGear::Link> m_link;
    Velaro::FlightGearBinding* m_binding = nullptr;
};

void TestFlightGear::init()
{
    MainWindowTest::init();
    m_standIn = std::make_unique<StandInFlightGear>();
    m_standIn->answerAsRecorded();
    QVERIFY(m_standIn->start());
    m_link = std::make_unique<Velaro::FlightGear::Link>();
    m_binding = new Velaro::FlightGearBinding(*m_window, *m_link);
}

void TestFlightGear::cleanup()
{
    // Gone before the window, as in the program: closing, the window still tells the
    // binding of a field the simulator filled while it had the focus.
    delete m_binding;
    MainWindowTest::cleanup();
    m_link.reset();
    m_standIn.reset();
}

void TestFlightGear::waitForTitle(const QString& suffix)
{
    QTRY_COMPARE_WITH_TIMEOUT(m_window->windowTitle(),
                              suffix.isEmpty() ? Caption : Caption + QStringLiteral(" — ") + suffix,
                              3 * Velaro::FlightGear::Link::RequestMilliseconds);
}

void TestFlightGear::standAtTheStand()
{
    for (const auto& [path, value] : {std::pair("/position/latitude-deg", 21.328867),
                                      std::pair("/position/longitude-deg", -157.923317),
                                      std::pair("/position/altitude-agl-ft", 4.05)})
        m_standIn->setValue(QLatin1String(path), value);
}

void TestFlightGear::testFields_data()
{
    QTest::addColumn<PropertyValues>("changes");
    QTest::addColumn<QByteArray>("airport");
    QTest::addColumn<bool>("imperial");
    // With the route recorded from FlightGear's route manager: PHNL 26L, CKH at 3000 ft, a
    // point at 7000 ft, MKK at 5000 ft, PHNY 03, cruising at 7000 ft, activated at the
    // holding point; its ete read inf.
    QTest::addColumn<bool>("routed");
    QTest::addColumn<QString>("expected");

    const QByteArray phnl = recorded(QStringLiteral("navdb-PHNL.json"));
    const QByteArray away = "\"KSFO\"";
    // clang-format off
    QTest::newRow("on the runway at PHNL") << PropertyValues{} << phnl << false << false << "callsign=RA1234 aerodrome=PHNL runway=26L current-level=0";
    QTest::newRow("imperial, on the ground") << PropertyValues{} << phnl << true << false << "callsign=RA1234 aerodrome=PHNL runway=26L current-level=000";
    QTest::newRow("below zero, metric") << PropertyValues{{Property::IndicatedAltitude, "-37"}} << phnl << false << false << "callsign=RA1234 aerodrome=PHNL runway=26L current-level=0";
    QTest::newRow("below zero, imperial") << PropertyValues{{Property::PressureAltitude, "-37"}} << phnl << true << false << "callsign=RA1234 aerodrome=PHNL runway=26L current-level=000";
    QTest::newRow("metres rounded to 10") << PropertyValues{{Property::IndicatedAltitude, "2970.4"}} << phnl << false << false << "callsign=RA1234 aerodrome=PHNL runway=26L current-level=910";
    QTest::newRow("flight level") << PropertyValues{{Property::PressureAltitude, "4451"}} << phnl << true << false << "callsign=RA1234 aerodrome=PHNL runway=26L current-level=045";
    QTest::newRow("above FL999: none") << PropertyValues{{Property::PressureAltitude, "99950"}} << phnl << true << false << "callsign=RA1234 aerodrome=PHNL runway=26L";
    QTest::newRow("FL999") << PropertyValues{{Property::PressureAltitude, "99949"}} << phnl << true << false << "callsign=RA1234 aerodrome=PHNL runway=26L current-level=999";
    QTest::newRow("1,000,000 ft, metric") << PropertyValues{{Property::IndicatedAltitude, "1000000"}} << phnl << false << false << "callsign=RA1234 aerodrome=PHNL runway=26L current-level=304800";
    QTest::newRow("-2,000,000 ft: none") << PropertyValues{{Property::IndicatedAltitude, "-2000000"}} << phnl << false << false << "callsign=RA1234 aerodrome=PHNL runway=26L";
    QTest::newRow("altitude given as text") << PropertyValues{{Property::IndicatedAltitude, "\" 2953 \""}} << phnl << false << false << "callsign=RA1234 aerodrome=PHNL runway=26L current-level=900";
    QTest::newRow("parked at the start") << PropertyValues{{Property::ParkingPosition, "\"T2-G7\""}} << phnl << false << false << "callsign=RA1234 aerodrome=PHNL runway=26L stand=T2-G7 current-level=0";
    QTest::newRow("parked at the start, named in small letters") << PropertyValues{{Property::StartAirport, "\"phnl\""}, {Property::ParkingPosition, "\"T2-G7\""}} << phnl << false << false << "callsign=RA1234 aerodrome=PHNL runway=26L stand=T2-G7 current-level=0";
    QTest::newRow("parked, no aerodrome named: no stand") << PropertyValues{{Property::ClosestAirport, "\"\""}, {Property::StartAirport, "\"\""}, {Property::ParkingPosition, "\"T2-G7\""}} << phnl << false << false << "callsign=RA1234 runway=26R current-level=0";
    QTest::newRow("elsewhere, wind 265: longer of 26L/26R") << PropertyValues{{Property::StartAirport, away}, {Property::WindFrom, "265"}, {Property::ParkingPosition, "\"T2-G7\""}} << phnl << false << false << "callsign=RA1234 aerodrome=PHNL runway=26R current-level=0";
    QTest::newRow("elsewhere, wind 045: longer of 04L/04R") << PropertyValues{{Property::StartAirport, away}, {Property::WindFrom, "45"}} << phnl << false << false << "callsign=RA1234 aerodrome=PHNL runway=04R current-level=0";
    QTest::newRow("elsewhere, wind 100: 08L/08R") << PropertyValues{{Property::StartAirport, away}, {Property::WindFrom, "100"}} << phnl << false << false << "callsign=RA1234 aerodrome=PHNL runway=08L current-level=0";
    QTest::newRow("elsewhere, no wind") << PropertyValues{{Property::StartAirport, away}, {Property::WindFrom, "null"}} << phnl << false << false << "callsign=RA1234 aerodrome=PHNL current-level=0";
    QTest::newRow("elsewhere, parallel of one length: the first listed") << PropertyValues{{Property::StartAirport, away}, {Property::WindFrom, "100"}} << QByteArray(R"({"features":[{"properties":{"runways":[{"id":"08L","heading_deg":80,"length_m":3000},{"id":"08R","heading_deg":80,"length_m":3000}]}}]})") << false << false << "callsign=RA1234 aerodrome=PHNL runway=08L current-level=0";
    QTest::newRow("elsewhere, a runway without an ident: left out") << PropertyValues{{Property::StartAirport, away}, {Property::WindFrom, "265"}} << QByteArray(R"({"features":[{"properties":{"runways":[{"id":" ","heading_deg":265},{"id":"26","heading_deg":260}]}}]})") << false << false << "callsign=RA1234 aerodrome=PHNL runway=26 current-level=0";
    QTest::newRow("elsewhere, no runways") << PropertyValues{{Property::StartAirport, away}} << QByteArray(R"({"type":"FeatureCollection","features":[{"properties":{"runways":[]}}]})") << false << false << "callsign=RA1234 aerodrome=PHNL current-level=0";
    QTest::newRow("elsewhere, garbled airport") << PropertyValues{{Property::StartAirport, away}} << QByteArray("{\"features\":[{\"properties\":{\"runways\":[{\"id\":7}") << false << false << "callsign=RA1234 aerodrome=PHNL current-level=0";
    const PropertyValues pastCKH{{Property::ActiveWaypoint, "2"}, {Property::Latitude, "21.265111"}, {Property::Longitude, "-157.702972"}, {Property::Heading, "103"}, {Property::GroundSpeed, "100"}, {Property::HeightAboveGround, "3000"}, {Property::Time, "\"2026-12-08T22:23:43\""}};
    const QString fromPHNL = QStringLiteral("callsign=RA1234 aerodrome=PHNL runway=26L");
    QTest::newRow("route at the holding point") << PropertyValues{} << phnl << false << true << fromPHNL + " initial-level=910 current-level=0 next-level=2130";
    QTest::newRow("route past CKH at 100 kt") << pastCKH << phnl << false << true << fromPHNL + " initial-level=910 current-point=CKH next-point=W157N021 estimated-time=34 current-level=0 next-level=2130";
    QTest::newRow("route past CKH, imperial") << pastCKH << phnl << true << true << fromPHNL + " initial-level=030 current-point=CKH next-point=W157N021 estimated-time=34 current-level=000 next-level=070";
    QTest::newRow("route past CKH, heading away") << pastCKH + PropertyValues{{Property::Heading, "283"}} << phnl << false << true << fromPHNL + " initial-level=910 current-point=CKH next-point=W157N021 current-level=0 next-level=2130";
    QTest::newRow("route past midnight") << pastCKH + PropertyValues{{Property::Time, "\"2026-12-08T23:59:43\""}} << phnl << false << true << fromPHNL + " initial-level=910 current-point=CKH next-point=W157N021 estimated-time=10 current-level=0 next-level=2130";
    QTest::newRow("route with procedures named") << PropertyValues{{Property::DepartureProcedure, "\"KEOLA1\""}, {Property::ArrivalProcedure, "\"LNY1\""}} << phnl << false << true << fromPHNL + " departure-procedure=KEOLA1 initial-level=910 current-level=0 next-level=2130 approach-procedure=LNY1";
    QTest::newRow("route's approach over its arrival") << PropertyValues{{Property::ArrivalProcedure, "\"LNY1\""}, {Property::ApproachProcedure, "\"R03\""}} << phnl << false << true << fromPHNL + " initial-level=910 current-level=0 next-level=2130 approach-procedure=R03";
    QTest::newRow("route: the destination's runway there") << PropertyValues{{Property::ClosestAirport, "\"PHNY\""}, {Property::StartAirport, away}} << QByteArray() << false << true << "callsign=RA1234 aerodrome=PHNY runway=03 initial-level=910 current-level=0 next-level=2130";
    QTest::newRow("wrong types and nothing") << PropertyValues{{Property::Callsign, "42"}, {Property::ClosestAirport, "[]"}, {Property::IndicatedAltitude, "true"}} << QByteArray() << false << false << "";
    // clang-format on
}

void TestFlightGear::testFields()
{
    QFETCH(PropertyValues, changes);
    QFETCH(QByteArray, airport);
    QFETCH(bool, imperial);
    QFETCH(bool, routed);
    QFETCH(QString, expected);

    Velaro::FlightGear::Reading reading;
    if (routed) {
        reading.take(recorded(QStringLiteral("route-manager-active-stopped.json")));
        reading.take(recorded(QStringLiteral("route-PHNL-PHNY.json")));
    }
    for (std::size_t i = 0; i < Velaro::FlightGear::PropertyCount; ++i) {
        const QByteArray body =
            recorded(QStringLiteral("json") + QLatin1String(Velaro::FlightGear::PropertyPaths[i]));
        if (const auto value = Velaro::FlightGear::propertyValue(body))
            reading.set(static_cast<Property>(i), *value);
    }
    for (const auto& [property, value] : changes) {
        reading.set(property, Velaro::FlightGear::propertyValue("{\"value\":" + value + "}")
                                  .value_or(QJsonValue(QJsonValue::Undefined)));
    }
    const auto runways =
        Velaro::FlightGear::runwaysOf(airport).value_or(QList<Velaro::FlightGear::Runway>());
    Velaro::FlightGear::FlightPhase flight;
    flight.update(Velaro::FlightGear::aircraftStateOf(reading), runways);
    QCOMPARE(described(Velaro::FlightGear::fieldsFrom(reading, flight.runwayInUse(), imperial)),
             expected);
}

// Fields fill themselves, marked as the simulator's; what the pilot types stays until he
// empties the field; a call goes to the chat once on the clipboard.
void TestFlightGear::testPilotWins()
{
    m_binding->linkTo(m_standIn->url());
    waitForTitle(QStringLiteral("FlightGear, не в сети"));
    QTRY_COMPARE(m_driver->text(Field::Runway), QStringLiteral("26L"));
    QCOMPARE(m_driver->text(Field::Callsign), QStringLiteral("RA1234"));
    QCOMPARE(m_driver->edit(Field::Runway)->accessibleDescription(),
             QStringLiteral("Из FlightGear"));
    QVERIFY(m_driver->edit(Field::Runway)->font().italic());
    QVERIFY(m_driver->edit(Field::Runway)->toolTip().startsWith(QStringLiteral("Из FlightGear:")));

    m_driver->type(Field::Runway, "8r");
    m_standIn->answerValue(Property::IndicatedAltitude, "2953");
    QTRY_COMPARE(m_driver->text(Field::CurrentLevel), QStringLiteral("900"));
    QCOMPARE(m_driver->text(Field::Runway), QStringLiteral("8R"));
    QVERIFY(!m_driver->edit(Field::Runway)->font().italic());
    QCOMPARE(m_driver->edit(Field::Runway)->accessibleDescription(), QString());

    m_driver->type(Field::Aerodrome, "ULLP");
    m_driver->type(Field::Runway, "");
    m_standIn->answerValue(Property::IndicatedAltitude, "3000");
    QTRY_COMPARE(m_driver->text(Field::CurrentLevel), QStringLiteral("910"));
    QCOMPARE(m_driver->text(Field::Runway), QString());
    QTest::keyClick(m_driver->edit(Field::Runway), Qt::Key_Tab);
    QTRY_COMPARE(m_driver->text(Field::Runway), QStringLiteral("26L"));
    QCOMPARE(m_driver->text(Field::Aerodrome), QStringLiteral("ULLP"));

    QCOMPARE(m_driver->press(Call::TakeOff),
             QStringLiteral("ULLP traffic, RA1234, departing RWY26L, ULLP traffic"));
    QTRY_COMPARE(m_standIn->chatPosts,
                 QList<QByteArray>{Velaro::FlightGear::valueBody(
                     QStringLiteral("ULLP traffic, RA1234, departing RWY26L, ULLP traffic"))});

    m_driver->menuItem(MenuCommand::FlightGear)->trigger();
    waitForTitle({});
    QVERIFY(!m_driver->edit(Field::Callsign)->font().italic());
}

void TestFlightGear::testFault_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("state");

    QTest::newRow("quits") << "quits"
                           << "FlightGear: нет связи"
                           << "Нет ответа с *: связь восстановится сама";
    QTest::newRow("hangs") << "hangs"
                           << "FlightGear: нет связи"
                           << "Нет ответа с *";
    QTest::newRow("garbage") << "garbage"
                             << "FlightGear: непонятный ответ"
                             << "С * отвечает не FlightGear*";
    QTest::newRow("huge reply") << "huge"
                                << "FlightGear: непонятный ответ"
                                << "С * отвечает не FlightGear*";
    QTest::newRow("another web server") << "another"
                                        << "FlightGear: непонятный ответ"
                                        << "С * отвечает не FlightGear*";
    QTest::newRow("chat refused") << "chat"
                                  << "FlightGear: вызов не попал в чат"
                                  << "Вызов не попал в чат: FlightGear at * refused it: *";
}

// FlightGear fails: the title says so, the fields keep what they hold, calls still reach
// the clipboard, and the link comes back by itself.
void TestFlightGear::testFault()
{
    QFETCH(QString, fault);
    QFETCH(QString, title);
    QFETCH(QString, state);

    m_standIn->answerValue(Property::Online, "true");
    m_binding->linkTo(m_standIn->url());
    waitForTitle(QStringLiteral("FlightGear"));
    QTRY_COMPARE(m_driver->text(Field::Runway), QStringLiteral("26L"));
    m_driver->type(Field::Aerodrome, "ULLP");

    const quint16 port = m_standIn->url().port();
    if (fault == QLatin1String("quits"))
        m_standIn->quit();
    else if (fault == QLatin1String("hangs"))
        m_standIn->setSilent(true);
    else if (fault == QLatin1String("garbage"))
        m_standIn->answerValue(Property::Callsign, "\"RA1234\",}{");
    else if (fault == QLatin1String("huge"))
        m_standIn->answerValue(Property::Callsign, '"' + QByteArray(100'000, 'X') + '"');
    else if (fault == QLatin1String("another")) {
        for (const char* path : Velaro::FlightGear::PropertyPaths)
            m_standIn->forget(QLatin1String(path));
    } else
        m_standIn->answer(QLatin1String(Velaro::FlightGear::ChatPath), "{}", 404);

    const QString call = QStringLiteral("ULLP traffic, RA1234, departing RWY26L, ULLP traffic");
    QCOMPARE(m_driver->press(Call::TakeOff), call);
    waitForTitle(title);
    QVERIFY2(QRegularExpression(QRegularExpression::wildcardToRegularExpression(
                                    state, QRegularExpression::UnanchoredWildcardConversion))
                 .match(m_driver->menuItem(MenuCommand::FlightGearState)->text())
                 .hasMatch(),
             qPrintable(m_driver->menuItem(MenuCommand::FlightGearState)->text()));
    QCOMPARE(m_driver->text(Field::Callsign), QStringLiteral("RA1234"));
    QCOMPARE(m_driver->text(Field::Aerodrome), QStringLiteral("ULLP"));
    QCOMPARE(m_driver->press(Call::TakeOff), call);

    m_standIn->quit();
    m_standIn->answerAsRecorded();
    m_standIn->answerValue(Property::Online, "true");
    m_standIn->setSilent(false);
    QVERIFY(m_standIn->start(port));
    QCOMPARE(m_driver->press(Call::TakeOff), call);
    waitForTitle(QStringLiteral("FlightGear"));
}

void TestFlightGear::testPressFromAfar_data()
{
    // In turn; "press" is another program's, over the session bus.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("answers");

    // clang-format off
    QTest::newRow("offline: the note once a link") << QStringList{"press", "press", "link off", "link on", "press"} << QStringList{"delivered, noted", "delivered", "delivered, noted"};
    QTest::newRow("online, said as 1: no note") << QStringList{"online 1", "press"} << QStringList{"delivered"};
    QTest::newRow("offline, said as text: noted") << QStringList{"online true", "offline \"false\"", "press"} << QStringList{"delivered, noted"};
    QTest::newRow("online unanswered: no note") << QStringList{"online", "press"} << QStringList{"delivered"};
    QTest::newRow("FlightGear hangs, the clipboard is slow") << QStringList{"hang", "slow clipboard", "press"} << QStringList{"NotInChat"};
    QTest::newRow("a post overtaken by a press unlinked") << QStringList{"hang", "press", "link off", "press"} << QStringList{"NotInChat", "delivered"};
    QTest::newRow("next, with no position: none") << QStringList{"press next"} << QStringList{"NoCallNext"};
    QTest::newRow("next at the stand: the start-up") << QStringList{"at the stand", "press next", "press next"} << QStringList{"delivered, noted", "NoCallNext"};
    QTest::newRow("next unlinked: none") << QStringList{"at the stand", "link off", "press next"} << QStringList{"NoCallNext"};
    // clang-format on
}

// A press from another program answers for its own call's post to the chat, within the
// caller's second whatever FlightGear does.
void TestFlightGear::testPressFromAfar()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, answers);

    using namespace Velaro::BusInterface;
    const Velaro::NextCallMark next(*m_window, *m_binding);
    const Velaro::RemotePress remotePress(*m_window, m_binding, &next);
    m_window->update();
    QTRY_VERIFY(QDBusConnection::sessionBus().objectRegisteredAt(ObjectPath));
    m_binding->linkTo(m_standIn->url());
    waitForTitle(QStringLiteral("FlightGear, не в сети"));
    QDBusConnection caller = QDBusConnection::connectToBus(QDBusConnection::SessionBus, "caller");
    const QObject slowClipboard;
    QList<QDBusPendingCall> presses;
    for (const QString& step : steps) {
        if (step == QLatin1String("press next")) {
            presses << caller.asyncCall(
                QDBusMessage::createMethodCall(Service, ObjectPath, Interface, "Press") << "next",
                AnswerMilliseconds);
            QTRY_VERIFY(presses.last().isFinished());
        } else if (step == QLatin1String("at the stand")) {
            standAtTheStand();
            QTRY_COMPARE(next.marked(), std::optional<Call>(Call::StartUpOrShutdown));
        } else if (step == QLatin1String("press")) {
            QGuiApplication::clipboard()->clear();
            presses << caller.asyncCall(
                QDBusMessage::createMethodCall(Service, ObjectPath, Interface, "Press")
                    << "takeoff",
                AnswerMilliseconds);
            QTRY_COMPARE(QGuiApplication::clipboard()->text(), TakeOff);
        } else if (step.startsWith(QLatin1String("online")) ||
                   step.startsWith(QLatin1String("offline"))) {
            const QByteArray value = step.section(u' ', 1).toUtf8();
            if (value.isEmpty())
                m_standIn->forget(QLatin1String(
                    Velaro::FlightGear::PropertyPaths[static_cast<std::size_t>(Property::Online)]));
            else
                m_standIn->answerValue(Property::Online, value);
            waitForTitle(step.startsWith(QLatin1String("online"))
                             ? QStringLiteral("FlightGear")
                             : QStringLiteral("FlightGear, не в сети"));
        } else if (step == QLatin1String("hang"))
            m_standIn->setSilent(true);
        else if (step == QLatin1String("slow clipboard"))
            connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, &slowClipboard,
                    [] { QThread::msleep(300); });
        else
            m_driver->menuItem(MenuCommand::FlightGear)->trigger();
        if (step == QLatin1String("link on"))
            waitForTitle(QStringLiteral("FlightGear, не в сети"));
    }
    QStringList answered;
    for (const QDBusPendingCall& press : presses) {
        QTRY_VERIFY(press.isFinished());
        const QDBusMessage reply = press.reply();
        answered << (reply.type() == QDBusMessage::ErrorMessage
                         ? reply.errorName().section(u'.', -1)
                     : reply.arguments().value(1).toString().isEmpty() ? "delivered"
                                                                       : "delivered, noted");
    }
    QCOMPARE(answered, answers);
}

// The call that comes next is the window's default button, named so first in its
// description, and Enter in a field presses it; the pilot's own setting of a switch holds.
void TestFlightGear::testNextCallMark()
{
    const Velaro::NextCallMark next(*m_window, *m_binding);
    standAtTheStand();
    m_binding->linkTo(m_standIn->url());
    auto* startUp = qobject_cast<QPushButton*>(m_driver->button(Call::StartUpOrShutdown));
    QTRY_VERIFY(startUp->isDefault());
    QVERIFY(
        startUp->accessibleDescription().startsWith(QStringLiteral("Следующий вызов: Enter\n")));
    QVERIFY(!qobject_cast<QPushButton*>(m_driver->button(Call::Taxi))->isDefault());
    // Marked by a bar in the selection's colour along the bottom of its caption.
    const QPoint barMiddle(startUp->width() / 2,
                           static_cast<Velaro::WrappingButton*>(startUp)->captionRect().bottom());
    QCOMPARE(startUp->grab().toImage().pixelColor(barMiddle),
             startUp->palette().color(QPalette::Highlight));

    m_driver->choose({Option::Arrival});
    QTest::keyClick(m_driver->edit(Field::Callsign), Qt::Key_Return);
    QCOMPARE(QGuiApplication::clipboard()->text(),
             QStringLiteral("PHNL traffic, RA1234, on stand , engines shutdown, PHNL traffic"));
    QVERIFY(!startUp->isDefault());
    QVERIFY(!startUp->accessibleDescription().startsWith(QStringLiteral("Следующий")));
    const QSignalSpy readings(m_link.get(), &Velaro::FlightGear::Link::readingChanged);
    QTRY_VERIFY(readings.count() >= 2);
    QVERIFY(m_driver->option(Option::Arrival)->isChecked());
}

// The route fills the reporting points as the aircraft flies it; a report moves the next
// point into the current one, and the next fills once the route has moved on; the
// pilot's level stays, and a route deleted in flight takes only what it filled.
void TestFlightGear::testRoute()
{
    m_standIn->takeReply(recorded(QStringLiteral("route-manager-active-stopped.json")));
    m_standIn->takeReply(recorded(QStringLiteral("route-PHNL-PHNY.json")));
    const auto flyTo = [this](int waypoint) {
        m_standIn->setValue(QStringLiteral("/autopilot/route-manager/current-wp"), waypoint);
    };
    flyTo(2);
    m_binding->linkTo(m_standIn->url());
    QTRY_COMPARE(m_driver->text(Field::NextPoint), QStringLiteral("W157N021"));
    QCOMPARE(m_driver->text(Field::CurrentPoint), QStringLiteral("CKH"));
    m_driver->type(Field::NextLevel, "1500");

    m_driver->click(Call::ReportingPoint);
    QCOMPARE(m_driver->text(Field::CurrentPoint), QStringLiteral("W157N021"));
    const QSignalSpy readings(m_link.get(), &Velaro::FlightGear::Link::readingChanged);
    QTRY_VERIFY(readings.count() >= 2);
    QCOMPARE(m_driver->text(Field::NextPoint), QString());
    flyTo(3);
    QTRY_COMPARE(m_driver->text(Field::NextPoint), QStringLiteral("MKK"));

    m_standIn->forget(QStringLiteral("/autopilot/route-manager/route"));
    flyTo(-1);
    QTRY_COMPARE(m_driver->text(Field::NextPoint), QString());
    QCOMPARE(m_driver->text(Field::CurrentPoint), QStringLiteral("W157N021"));
    QCOMPARE(m_driver->text(Field::NextLevel), QStringLiteral("1500"));
}

QTEST_MAIN(TestFlightGear)
#include "TestFlightGear.moc"
