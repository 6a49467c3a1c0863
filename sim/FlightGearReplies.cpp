// SPDX-License-Identifier: GPL-3.0-or-later
#include "FlightGearReplies.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cmath>

namespace Velaro::FlightGear
{

namespace
{

constexpr double MetresPerFoot = 0.3048;
constexpr double MetresPerNm = 1852;
// The height above ground of an aircraft standing on its wheels: that of the point its
// position is given for, 4 ft in the c172p.
constexpr double OnGroundBelowFt = 5;

// FlightGear writes a number it cannot give as a bare inf or nan, which is not JSON and
// would cost the whole reply: they become null, outside strings.
QByteArray withoutBareNumbers(const QByteArray& body)
{
    QByteArray json;
    json.reserve(body.size());
    bool inString = false;
    for (qsizetype i = 0; i < body.size(); ++i) {
        const char c = body[i];
        if (inString) {
            json += c;
            if (c == '\\' && i + 1 < body.size())
                json += body[++i];
            else if (c == '"')
                inString = false;
            continue;
        }
        if (c == '"')
            inString = true;
        const QByteArrayView rest = QByteArrayView(body).sliced(i);
        if (rest.startsWith("inf") || rest.startsWith("nan")) {
            json += "null";
            i += 2;
        } else if (rest.startsWith("-inf") || rest.startsWith("-nan")) {
            json += "null";
            i += 3;
        } else {
            json += c;
        }
    }
    return json;
}

std::optional<QJsonObject> objectOf(const QByteArray& body)
{
    const QJsonDocument document = QJsonDocument::fromJson(withoutBareNumbers(body));
    if (!document.isObject())
        return std::nullopt;
    return document.object();
}

// A runway's outline as the aerodrome's reply draws it: the middle of each end, and
// how wide it is.
struct Outline {
    GeoPoint firstEnd;
    GeoPoint secondEnd;
};

std::optional<GeoPoint> pointOf(const QJsonValue& coordinates)
{
    const QJsonArray lonLat = coordinates.toArray();
    if (lonLat.size() < 2 || !lonLat[0].isDouble() || !lonLat[1].isDouble())
        return std::nullopt;
    return GeoPoint{lonLat[1].toDouble(), lonLat[0].toDouble()};
}

GeoPoint midpoint(const GeoPoint& a, const GeoPoint& b)
{
    return {(a.latitudeDeg + b.latitudeDeg) / 2,
            a.longitudeDeg + headingDifference(a.longitudeDeg, b.longitudeDeg) / 2};
}

// Each runway is drawn as a polygon whose ring starts with the two corners of one end
// and goes on with the two of the other.
QList<Outline> outlinesOf(const QJsonObject& feature)
{
    QList<Outline> outlines;
    const QJsonArray shapes = feature.value(QLatin1String("geometry"))
                                  .toObject()
                                  .value(QLatin1String("geometries"))
                                  .toArray();
    for (const QJsonValue& each : shapes) {
        const QJsonObject shape = each.toObject();
        if (shape.value(QLatin1String("type")).toString() != QLatin1String("Polygon"))
            continue;
        const QJsonArray ring =
            shape.value(QLatin1String("coordinates")).toArray().first().toArray();
        std::array<std::optional<GeoPoint>, 4> corners;
        for (int i = 0; i < 4; ++i)
            corners[i] = pointOf(ring.at(i));
        if (std::all_of(corners.begin(), corners.end(),
                        [](const auto& c) { return c.has_value(); }))
            outlines.append(
                {midpoint(*corners[0], *corners[1]), midpoint(*corners[2], *corners[3])});
    }
    return outlines;
}

// The threshold of the runway whose outline runs along its heading for its length; of
// parallel outlines, the one on the side its letter names.
std::optional<GeoPoint> thresholdOf(const Runway& runway, const QList<Outline>& outlines)
{
    struct Candidate {
        GeoPoint threshold;
        double acrossM;
    };
    QList<Candidate> candidates;
    const Runway probe{runway.ident, runway.headingDeg, runway.lengthM, 0, GeoPoint{}};
    for (const Outline& outline : outlines) {
        for (const auto& [from, to] : {std::pair(outline.firstEnd, outline.secondEnd),
                                       std::pair(outline.secondEnd, outline.firstEnd)}) {
            Runway along = probe;
            along.threshold = from;
            const RunwayOffset farEnd = *along.offsetOf(to);
            const bool sameLength =
                std::abs(farEnd.alongM - runway.lengthM) <= runway.lengthM * 0.02 + 15;
            // Within 5 degrees of the heading.
            const bool sameHeading = std::abs(farEnd.acrossM) <= farEnd.alongM * 0.09;
            if (sameLength && sameHeading)
                candidates.append({from, 0});
        }
    }
    if (candidates.isEmpty())
        return std::nullopt;
    // Parallel runways: ordered from left to right as seen along the heading.
    Runway reference = probe;
    reference.threshold = candidates.first().threshold;
    for (Candidate& candidate : candidates)
        candidate.acrossM = reference.offsetOf(candidate.threshold)->acrossM;
    std::sort(candidates.begin(), candidates.end(),
              [](const Candidate& a, const Candidate& b) { return a.acrossM < b.acrossM; });
    const QChar side = runway.ident.isEmpty() ? QChar() : runway.ident.back().toUpper();
    if (side == u'R')
        return candidates.last().threshold;
    if (side == u'C')
        return candidates[candidates.size() / 2].threshold;
    return candidates.first().threshold;
}

} // namespace

namespace
{

std::optional<QJsonValue> valueOf(const QJsonObject& property)
{
    const QJsonValue value = property.value(QLatin1String("value"));
    if (value.isString() || value.isBool() || (value.isDouble() && std::isfinite(value.toDouble())))
        return value;
    return std::nullopt;
}

// FlightGear names the first of several nodes of a name without its index.
QString withoutFirstIndex(QString path)
{
    return path.replace(QLatin1String("[0]"), QLatin1String(""));
}

} // namespace

std::optional<QJsonValue> propertyValue(const QByteArray& body)
{
    const std::optional<QJsonObject> property = objectOf(body);
    return property ? valueOf(*property) : std::nullopt;
}

bool Reading::take(const QByteArray& body)
{
    const std::optional<QJsonObject> node = objectOf(body);
    if (!node || !node->value(QLatin1String("path")).isString())
        return false;
    const QString waypoints = QLatin1String(RouteWaypointsPath);
    const QString routeLength = waypoints.chopped(2) + QStringLiteral("num");
    bool understood = true;
    // The route a reply lists replaces the one read before; one that says it has no
    // waypoints leaves none.
    QList<RouteWaypoint> listed;
    std::swap(listed, m_waypoints);
    bool routeListed = false;
    QList<QJsonObject> nodes{*node};
    while (!nodes.isEmpty()) {
        const QJsonObject each = nodes.takeLast();
        const QString path = withoutFirstIndex(each.value(QLatin1String("path")).toString());
        const auto known = std::find(PropertyPaths.begin(), PropertyPaths.end(), path);
        if (known != PropertyPaths.end()) {
            const std::optional<QJsonValue> value = valueOf(each);
            if (value)
                set(static_cast<Property>(known - PropertyPaths.begin()), *value);
            understood = understood && value;
        } else if (path == routeLength && each.value(QLatin1String("value")).toInt(-1) == 0) {
            routeListed = true;
        } else if (path.startsWith(waypoints)) {
            // wp/NAME for the first, wp[i]/NAME for the others.
            const QStringView rest = QStringView(path).mid(waypoints.size());
            const qsizetype slash = rest.indexOf(u'/');
            const int waypoint =
                rest.startsWith(u'[') ? rest.mid(1, rest.indexOf(u']') - 1).toInt() : 0;
            if (slash >= 0 && (rest.startsWith(u'/') || rest.startsWith(u'['))) {
                routeListed = true;
                takeWaypointValue(waypoint, rest.mid(slash + 1),
                                  each.value(QLatin1String("value")));
            }
        }
        for (const QJsonValue& child : each.value(QLatin1String("children")).toArray())
            nodes.append(child.toObject());
    }
    if (!routeListed)
        std::swap(listed, m_waypoints);
    return understood;
}

void Reading::keepSettings(const Reading& earlier)
{
    for (std::size_t i = 0; i < PropertyCount; ++i) {
        const QLatin1String path(PropertyPaths[i]);
        const bool setting =
            std::any_of(SettingPaths.begin(), SettingPaths.end(), [&path](const char* node) {
                return path == QLatin1String(node) ||
                       path.startsWith(QLatin1String(node) + QLatin1Char('/'));
            });
        if (setting)
            m_values[i] = earlier.m_values[i];
    }
}

void Reading::takeWaypointValue(int waypoint, QStringView name, const QJsonValue& value)
{
    // Routes of more than this are not flown with VELARO at hand.
    constexpr int MaxWaypoints = 1000;
    if (waypoint < 0 || waypoint >= MaxWaypoints)
        return;
    if (m_waypoints.size() <= waypoint)
        m_waypoints.resize(waypoint + 1);
    RouteWaypoint& taken = m_waypoints[waypoint];
    const bool number = value.isDouble() && std::isfinite(value.toDouble());
    if (name == u"id" && value.isString()) {
        taken.ident = value.toString().trimmed();
    } else if (name == u"altitude-ft" && number) {
        // FlightGear gives -9999.9 for a waypoint without an altitude.
        // mutants: equivalent boundary: no waypoint is at -1000 ft exactly
        if (value.toDouble() > -1000)
            taken.altitudeFt = value.toDouble();
    } else if ((name == u"latitude-deg" || name == u"longitude-deg") && number) {
        GeoPoint position = taken.position.value_or(GeoPoint{});
        (name == u"latitude-deg" ? position.latitudeDeg : position.longitudeDeg) = value.toDouble();
        taken.position = position;
    }
}

bool RouteWaypoint::operator==(const RouteWaypoint& other) const
{
    const auto at = [](const std::optional<GeoPoint>& point) {
        return point ? std::pair(point->latitudeDeg, point->longitudeDeg)
                     : std::pair(qQNaN(), qQNaN());
    };
    return ident == other.ident && altitudeFt == other.altitudeFt &&
           (position.has_value() == other.position.has_value()) &&
           (!position || at(position) == at(other.position));
}

QByteArray valueBody(const QString& value)
{
    return QJsonDocument(QJsonObject{{QLatin1String("value"), value}})
        .toJson(QJsonDocument::Compact);
}

QString Reading::text(Property property) const
{
    return value(property).toString();
}

std::optional<double> Reading::number(Property property) const
{
    const QJsonValue& given = value(property);
    if (given.isDouble())
        return given.toDouble();
    bool isNumber = false;
    const double parsed = given.toString().trimmed().toDouble(&isNumber);
    if (isNumber && std::isfinite(parsed))
        return parsed;
    return std::nullopt;
}

std::optional<bool> Reading::flag(Property property) const
{
    const QJsonValue& given = value(property);
    if (given.isBool())
        return given.toBool();
    if (const std::optional<double> asNumber = number(property))
        return *asNumber != 0;
    const QString asText = given.toString().trimmed();
    if (asText.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return true;
    if (asText.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        return false;
    return std::nullopt;
}

std::optional<QList<Runway>> runwaysOf(const QByteArray& body)
{
    const std::optional<QJsonObject> collection = objectOf(body);
    if (!collection || !collection->value(QLatin1String("features")).isArray())
        return std::nullopt;
    QList<Runway> runways;
    const QJsonArray features = collection->value(QLatin1String("features")).toArray();
    if (features.isEmpty())
        return runways;
    const QJsonObject airport = features.first().toObject();
    const QJsonArray entries = airport.value(QLatin1String("properties"))
                                   .toObject()
                                   .value(QLatin1String("runways"))
                                   .toArray();
    const QList<Outline> outlines = outlinesOf(airport);
    for (const QJsonValue& each : entries) {
        const QJsonObject entry = each.toObject();
        const QString ident = entry.value(QLatin1String("id")).toString().trimmed();
        const QJsonValue heading = entry.value(QLatin1String("heading_deg"));
        if (ident.isEmpty() || !heading.isDouble() || !std::isfinite(heading.toDouble()))
            continue;
        const auto metres = [&entry](const char* key) {
            const double value = entry.value(QLatin1String(key)).toDouble();
            return std::isfinite(value) && value > 0 ? value : 0.0;
        };
        Runway runway{ident, heading.toDouble(), metres("length_m"), metres("width_m"),
                      std::nullopt};
        runway.threshold = thresholdOf(runway, outlines);
        runways.append(runway);
    }
    return runways;
}

std::optional<QString> levelOf(double feet, bool imperial)
{
    if (std::abs(feet) > 1e6)
        return std::nullopt;
    if (imperial) {
        const long hundreds = std::max(0L, std::lround(feet / 100));
        // A flight level has three digits: from 99,950 ft up there is none.
        if (hundreds > 999)
            return std::nullopt;
        return QStringLiteral("%1").arg(hundreds, 3, 10, QLatin1Char('0'));
    }
    const long metres = std::max(0L, std::lround(feet * MetresPerFoot / 10) * 10);
    return QString::number(metres);
}

std::optional<QString> currentLevel(const Reading& reading, bool imperial)
{
    const std::optional<double> feet =
        reading.number(imperial ? Property::PressureAltitude : Property::IndicatedAltitude);
    return feet ? levelOf(*feet, imperial) : std::nullopt;
}

namespace
{

bool atStartAerodrome(const Reading& reading)
{
    const QString aerodrome = reading.text(Property::ClosestAirport);
    return !aerodrome.isEmpty() &&
           aerodrome.compare(reading.text(Property::StartAirport), Qt::CaseInsensitive) == 0;
}

} // namespace

namespace
{

// A runway of the route's own aerodromes is one of its legs, named AIRPORT-RUNWAY: no
// point to report.
bool isRunwayLeg(const Reading& reading, const QString& ident)
{
    for (const Property airport : {Property::DepartureAirport, Property::DestinationAirport}) {
        const QString aerodrome = reading.text(airport).trimmed();
        if (!aerodrome.isEmpty() && ident.startsWith(aerodrome + QLatin1Char('-')))
            return true;
    }
    return false;
}

QString pointName(const Reading& reading, int waypoint)
{
    const QList<RouteWaypoint>& route = reading.waypoints();
    if (waypoint < 0 || waypoint >= route.size() || isRunwayLeg(reading, route[waypoint].ident))
        return {};
    return route[waypoint].ident;
}

// The minute of the hour, by the simulator's clock, at which the aircraft reaches the
// active waypoint at its ground speed; none on the ground or heading away from it.
QString estimatedMinute(const Reading& reading, const AircraftState& aircraft)
{
    constexpr double MovingKt = 10;
    const QList<RouteWaypoint>& route = reading.waypoints();
    const int active = aircraft.activeWaypoint;
    // FlightGear writes its UTC without a zone.
    QDateTime now = QDateTime::fromString(reading.text(Property::Time), Qt::ISODate);
    now.setTimeSpec(Qt::UTC);
    if (aircraft.onGround || aircraft.groundSpeedKt < MovingKt || !aircraft.position ||
        active < 0 || active >= route.size() || !route[active].position || !now.isValid())
        return {};
    const GeoPoint& to = *route[active].position;
    const GeoPoint& from = *aircraft.position;
    if (std::abs(headingDifference(aircraft.headingDeg, bearingDeg(from, to))) > 90)
        return {};
    const double seconds = distanceM(from, to) / MetresPerNm / aircraft.groundSpeedKt * 3600;
    return now.addSecs(std::llround(seconds)).toString(QStringLiteral("mm"));
}

// The active waypoint's altitude, else the route's cruise.
std::optional<double> nextAltitudeFt(const Reading& reading, int active)
{
    const QList<RouteWaypoint>& route = reading.waypoints();
    if (active >= 0 && active < route.size() && route[active].altitudeFt)
        return route[active].altitudeFt;
    if (const std::optional<double> cruise = reading.number(Property::CruiseAltitude);
        cruise && *cruise > 0)
        return cruise;
    const std::optional<double> flightLevel = reading.number(Property::CruiseFlightLevel);
    return flightLevel && *flightLevel > 0 ? std::optional<double>(*flightLevel * 100)
                                           : std::nullopt;
}

// The first altitude of the route after its departure.
std::optional<double> initialAltitudeFt(const Reading& reading)
{
    const QList<RouteWaypoint>& route = reading.waypoints();
    for (qsizetype i = 1; i < route.size(); ++i) {
        if (route[i].altitudeFt)
            return route[i].altitudeFt;
    }
    return std::nullopt;
}

} // namespace

QList<FieldWrite> fieldsFrom(const Reading& reading, const QString& runwayInUse, bool imperial)
{
    QList<FieldWrite> fields;
    const auto add = [&fields](Field field, const QString& text) {
        if (!text.trimmed().isEmpty())
            fields.append({field, text});
    };
    add(Field::Callsign, reading.text(Property::Callsign));
    add(Field::Aerodrome, reading.text(Property::ClosestAirport));
    add(Field::Runway, runwayInUse);
    if (atStartAerodrome(reading))
        add(Field::Stand, reading.text(Property::ParkingPosition));
    add(Field::CurrentLevel, currentLevel(reading, imperial).value_or(QString()));

    // From the route: given empty where it gives nothing.
    const AircraftState aircraft = aircraftStateOf(reading);
    const auto level = [imperial](std::optional<double> feet) {
        return feet ? levelOf(*feet, imperial).value_or(QString()) : QString();
    };
    const QString departure = reading.text(Property::DepartureAirport).trimmed();
    const bool atDeparture =
        !departure.isEmpty() && departure.compare(aircraft.aerodrome, Qt::CaseInsensitive) == 0;
    const QString approach = reading.text(Property::ApproachProcedure).trimmed();
    const QList<FieldWrite> fromRoute{
        {Field::DepartureProcedure,
         atDeparture ? reading.text(Property::DepartureProcedure).trimmed() : QString()},
        {Field::ApproachProcedure,
         approach.isEmpty() ? reading.text(Property::ArrivalProcedure).trimmed() : approach},
        {Field::CurrentPoint, pointName(reading, aircraft.activeWaypoint - 1)},
        {Field::NextPoint, pointName(reading, aircraft.activeWaypoint)},
        {Field::EstimatedTime, estimatedMinute(reading, aircraft)},
        {Field::NextLevel, level(nextAltitudeFt(reading, aircraft.activeWaypoint))},
        {Field::InitialLevel, level(initialAltitudeFt(reading))},
    };
    return fields + fromRoute;
}

AircraftState aircraftStateOf(const Reading& reading)
{
    AircraftState state;
    const auto number = [&reading](Property property) {
        return reading.number(property).value_or(0.0);
    };
    state.timeMs = std::llround(number(Property::ElapsedTime) * 1000);
    const std::optional<double> latitude = reading.number(Property::Latitude);
    const std::optional<double> longitude = reading.number(Property::Longitude);
    if (latitude && longitude)
        state.position = GeoPoint{*latitude, *longitude};
    state.headingDeg = number(Property::Heading);
    state.groundSpeedKt = number(Property::GroundSpeed);
    state.verticalSpeedFpm = number(Property::VerticalSpeed) * 60;
    state.altitudeFt = number(Property::IndicatedAltitude);
    const std::optional<double> height = reading.number(Property::HeightAboveGround);
    state.heightAboveGroundFt = height.value_or(0);
    // The first gear is the nose wheel in many aircraft, off the ground before the main
    // wheels on a take-off and after them on a landing: the height tells as well.
    const std::optional<bool> weightOnWheels = reading.flag(Property::WeightOnWheels);
    state.onGround = weightOnWheels.value_or(!height) || (height && *height < OnGroundBelowFt);
    state.aerodrome = reading.text(Property::ClosestAirport);
    state.windFromDeg = reading.number(Property::WindFrom);
    state.startRunway = reading.text(Property::StartRunway).trimmed();
    state.atStartAerodrome = atStartAerodrome(reading);
    for (const auto& [airport, runway] :
         {std::pair(Property::DepartureAirport, Property::DepartureRunway),
          std::pair(Property::DestinationAirport, Property::DestinationRunway)}) {
        const QString aerodrome = reading.text(airport).trimmed();
        if (!aerodrome.isEmpty() && aerodrome.compare(state.aerodrome, Qt::CaseInsensitive) == 0)
            state.routeRunway = reading.text(runway).trimmed();
    }
    state.destinationRunway = reading.text(Property::DestinationRunway).trimmed();
    state.activeWaypoint =
        static_cast<int>(std::lround(reading.number(Property::ActiveWaypoint).value_or(-1)));
    if (state.activeWaypoint >= 0)
        state.routeRemainingNm = reading.number(Property::RouteRemaining);
    return state;
}

} // namespace Velaro::FlightGear
