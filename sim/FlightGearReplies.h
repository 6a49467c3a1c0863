// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FlightPhase.h"
#include "FormValues.h"
#include "Runway.h"

#include <QByteArray>
#include <QJsonValue>
#include <QList>
#include <QString>

#include <array>
#include <cstddef>
#include <optional>

// What FlightGear's web server answers, read into what the form needs. Nothing here
// touches the network: the link hands in the bodies it got.
namespace Velaro::FlightGear
{

// The properties the form is filled from and the flight is followed by.
enum class Property {
    Callsign,
    Online,
    ClosestAirport,
    // Set only where the flight started on a runway, and never updated after.
    StartRunway,
    StartAirport,
    ParkingPosition,
    WindFrom,
    IndicatedAltitude,
    PressureAltitude,
    Latitude,
    Longitude,
    HeightAboveGround,
    // True heading: FlightGear works out no track where its flight model is switched off.
    Heading,
    GroundSpeed,
    VerticalSpeed,
    WeightOnWheels,
    // The simulator's own clock, which stands still while it is paused.
    ElapsedTime,
    // The route manager's flight plan; the active waypoint is -1 until it is activated.
    ActiveWaypoint,
    RouteRemaining,
    DepartureAirport,
    DepartureRunway,
    DepartureProcedure,
    DestinationAirport,
    DestinationRunway,
    ArrivalProcedure,
    ApproachProcedure,
    CruiseAltitude,
    CruiseFlightLevel,
    // The simulator's UTC, as its cockpit clock shows it.
    Time,
};
inline constexpr std::size_t PropertyCount = 31;

inline constexpr std::array<const char*, PropertyCount> PropertyPaths{
    "/sim/multiplay/callsign",
    "/sim/multiplay/online",
    "/sim/airport/closest-airport-id",
    "/sim/atc/runway",
    "/sim/presets/airport-id",
    "/sim/presets/parkpos",
    "/environment/wind-from-heading-deg",
    "/instrumentation/altimeter/indicated-altitude-ft",
    "/instrumentation/altimeter/pressure-alt-ft",
    "/position/latitude-deg",
    "/position/longitude-deg",
    "/position/altitude-agl-ft",
    "/orientation/heading-deg",
    "/velocities/groundspeed-kt",
    "/velocities/vertical-speed-fps",
    "/gear/gear/wow",
    "/sim/time/elapsed-sec",
    "/autopilot/route-manager/current-wp",
    "/autopilot/route-manager/distance-remaining-nm",
    "/autopilot/route-manager/departure/airport",
    "/autopilot/route-manager/departure/runway",
    "/autopilot/route-manager/departure/sid",
    "/autopilot/route-manager/destination/airport",
    "/autopilot/route-manager/destination/runway",
    "/autopilot/route-manager/destination/star",
    "/autopilot/route-manager/destination/approach",
    "/autopilot/route-manager/cruise/altitude-ft",
    "/autopilot/route-manager/cruise/flight-level",
    "/sim/time/gmt",
};

// The waypoints of the route, read from the route manager's route/wp[i] nodes.
inline constexpr const char* RouteWaypointsPath = "/autopilot/route-manager/route/wp";

// What the link asks for. FlightGear answers one request a frame, however large the
// reply, and every request costs the link more than its reply: a node is asked for
// whole, with its children's values, wherever it holds several of the properties and
// little else, and what seldom changes in a flight is asked for at every fourth reading
// only, its values kept in between.
inline constexpr std::array<const char*, 7> FlightPaths{
    "/instrumentation/altimeter",
    "/position",
    "/orientation",
    "/velocities",
    "/gear/gear",
    "/sim/time",
    // With the waypoints of its route.
    "/autopilot/route-manager?d=3",
};
inline constexpr std::array<const char*, 6> SettingPaths{
    // FlightGear always has a callsign: a server that does not is another program.
    "/sim/multiplay/callsign", "/sim/multiplay/online", "/sim/airport/closest-airport-id",
    "/sim/atc/runway",         "/sim/presets",          "/environment/wind-from-heading-deg",
};
inline constexpr int SettingsEveryReadings = 4;

inline constexpr const char* ChatPath = "/sim/multiplay/chat";

// A property's value from the body of GET /json/PATH: a string, a finite number or a
// boolean. Absent for anything else, including a number FlightGear could not give
// (JSON null, or the bare inf and nan it writes) and a reply that is not FlightGear's.
std::optional<QJsonValue> propertyValue(const QByteArray& body);

// The body that sets a property's value (POST /json/PATH).
QByteArray valueBody(const QString& value);

// A waypoint of the route, as far as the route gives it.
struct RouteWaypoint {
    QString ident;
    std::optional<GeoPoint> position;
    std::optional<double> altitudeFt;

    bool operator==(const RouteWaypoint& other) const;
};

// The values of one reading of every property; a value not read is undefined.
class Reading
{
public:
    // Takes the values of every property in the body of GET /json/PATH, a property's or
    // a node's with its children; false where the body is not FlightGear's, or a
    // property in it has a value of no type it can have.
    bool take(const QByteArray& body);

    void set(Property property, const QJsonValue& value) { m_values[index(property)] = value; }
    // Takes the values an earlier reading read of the settings.
    void keepSettings(const Reading& earlier);
    const QJsonValue& value(Property property) const { return m_values[index(property)]; }

    // A text property's value; empty when it is not there or not text.
    QString text(Property property) const;
    // A number, also given as text (FlightGear gives untyped properties as strings).
    std::optional<double> number(Property property) const;
    std::optional<bool> flag(Property property) const;

    // The route's waypoints in order; empty without a route.
    const QList<RouteWaypoint>& waypoints() const { return m_waypoints; }

    bool operator==(const Reading& other) const
    {
        return m_values == other.m_values && m_waypoints == other.m_waypoints;
    }
    bool operator!=(const Reading& other) const { return !(*this == other); }

private:
    static constexpr std::size_t index(Property property)
    {
        return static_cast<std::size_t>(property);
    }
    void takeWaypointValue(int waypoint, QStringView name, const QJsonValue& value);

    std::array<QJsonValue, PropertyCount> m_values{};
    QList<RouteWaypoint> m_waypoints;
};

// The runways of the aerodrome in the body of GET /navdb?q=airport&id=ICAO, each end on
// its own, with its threshold where the reply outlines the runway; entries without an
// ident or a heading are left out. Absent when the body is not such a reply.
std::optional<QList<Runway>> runwaysOf(const QByteArray& body);

// What the altimeter shows, as the current level: metres rounded to 10 from the
// indicated altitude, or the flight level from the pressure altitude in three digits,
// none above FL999; never below zero.
std::optional<QString> currentLevel(const Reading& reading, bool imperial);

// A level as the form writes it: metres rounded to 10, or the flight level in three
// digits, none above FL999; never below zero. None for an altitude beyond any aircraft's.
std::optional<QString> levelOf(double feet, bool imperial);

// The fields the simulator knows, as the form should hold them, with the runway the
// flight is followed to use. The fields that come from the route are given empty where
// the route gives nothing for them, so that what the simulator wrote there before goes.
QList<FieldWrite> fieldsFrom(const Reading& reading, const QString& runwayInUse, bool imperial);

// The aircraft as the reading shows it, to follow the flight by.
AircraftState aircraftStateOf(const Reading& reading);

} // namespace Velaro::FlightGear
