// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FormValues.h"

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

// The properties the form is filled from.
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
};
inline constexpr std::size_t PropertyCount = 9;

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
};

inline constexpr const char* ChatPath = "/sim/multiplay/chat";

// A property's value from the body of GET /json/PATH: a string, a finite number or a
// boolean. Absent for anything else, including a number FlightGear could not give
// (JSON null) and a reply that is not FlightGear's.
std::optional<QJsonValue> propertyValue(const QByteArray& body);

// The body that sets a property's value (POST /json/PATH).
QByteArray valueBody(const QString& value);

// The values of one reading of every property; a value not read is undefined.
class Reading
{
public:
    void set(Property property, const QJsonValue& value) { m_values[index(property)] = value; }
    const QJsonValue& value(Property property) const { return m_values[index(property)]; }

    // A text property's value; empty when it is not there or not text.
    QString text(Property property) const;
    // A number, also given as text (FlightGear gives untyped properties as strings).
    std::optional<double> number(Property property) const;
    std::optional<bool> flag(Property property) const;

    bool operator==(const Reading& other) const { return m_values == other.m_values; }
    bool operator!=(const Reading& other) const { return !(*this == other); }

private:
    static constexpr std::size_t index(Property property)
    {
        return static_cast<std::size_t>(property);
    }

    std::array<QJsonValue, PropertyCount> m_values{};
};

struct Runway {
    QString ident;
    double headingDeg;
    double lengthM;
};

// The runways of the aerodrome in the body of GET /navdb?q=airport&id=ICAO, each end on
// its own; entries without an ident or a heading are left out. Absent when the body
// is not such a reply.
std::optional<QList<Runway>> runwaysOf(const QByteArray& body);

// The runway most into the wind blowing from that heading; of parallel runways, the
// longest.
std::optional<QString> runwayIntoWind(const QList<Runway>& runways, double windFromDeg);

// What the altimeter shows, as the current level: metres rounded to 10 from the
// indicated altitude, or the flight level from the pressure altitude in three digits,
// none above FL999; never below zero.
std::optional<QString> currentLevel(const Reading& reading, bool imperial);

// The fields the simulator knows, as the form should hold them. The runway comes from
// where the flight started while it is still at that aerodrome; elsewhere it is the
// one most into the wind of the runways given for the closest aerodrome.
QList<FieldWrite> fieldsFrom(const Reading& reading, const QList<Runway>& runways, bool imperial);

} // namespace Velaro::FlightGear
