// SPDX-License-Identifier: GPL-3.0-or-later
#include "FlightGearReplies.h"

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

std::optional<QJsonObject> objectOf(const QByteArray& body)
{
    const QJsonDocument document = QJsonDocument::fromJson(body);
    if (!document.isObject())
        return std::nullopt;
    return document.object();
}

// The number a runway is called by, without its side letter: parallel runways share it.
QStringView runwayNumber(const QString& ident)
{
    const auto firstLetter =
        std::find_if(ident.begin(), ident.end(), [](QChar c) { return !c.isDigit(); });
    return QStringView(ident).left(firstLetter - ident.begin());
}

} // namespace

std::optional<QJsonValue> propertyValue(const QByteArray& body)
{
    const std::optional<QJsonObject> property = objectOf(body);
    if (!property)
        return std::nullopt;
    const QJsonValue value = property->value(QLatin1String("value"));
    if (value.isString() || value.isBool() || (value.isDouble() && std::isfinite(value.toDouble())))
        return value;
    return std::nullopt;
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
    const QJsonArray entries = features.first()
                                   .toObject()
                                   .value(QLatin1String("properties"))
                                   .toObject()
                                   .value(QLatin1String("runways"))
                                   .toArray();
    for (const QJsonValue& each : entries) {
        const QJsonObject entry = each.toObject();
        const QString ident = entry.value(QLatin1String("id")).toString().trimmed();
        const QJsonValue heading = entry.value(QLatin1String("heading_deg"));
        if (ident.isEmpty() || !heading.isDouble() || !std::isfinite(heading.toDouble()))
            continue;
        const double length = entry.value(QLatin1String("length_m")).toDouble();
        runways.append({ident, heading.toDouble(), std::isfinite(length) ? length : 0.0});
    }
    return runways;
}

std::optional<QString> runwayIntoWind(const QList<Runway>& runways, double windFromDeg)
{
    constexpr double RadiansPerDegree = 3.14159265358979323846 / 180.0;
    const auto headwind = [windFromDeg](const Runway& runway) {
        return std::cos((windFromDeg - runway.headingDeg) * RadiansPerDegree);
    };
    const auto mostIntoWind =
        std::max_element(runways.begin(), runways.end(), [&](const Runway& a, const Runway& b) {
            return headwind(a) < headwind(b);
        });
    if (mostIntoWind == runways.end())
        return std::nullopt;
    const QStringView number = runwayNumber(mostIntoWind->ident);
    const Runway* longest = &*mostIntoWind;
    for (const Runway& runway : runways) {
        if (!number.isEmpty() && runwayNumber(runway.ident) == number &&
            runway.lengthM > longest->lengthM)
            longest = &runway;
    }
    return longest->ident;
}

std::optional<QString> currentLevel(const Reading& reading, bool imperial)
{
    const std::optional<double> feet =
        reading.number(imperial ? Property::PressureAltitude : Property::IndicatedAltitude);
    // Far beyond any altimeter: what is left is not a reading.
    if (!feet || std::abs(*feet) > 1e6)
        return std::nullopt;
    if (imperial) {
        const long hundreds = std::max(0L, std::lround(*feet / 100));
        // A flight level has three digits: from 99,950 ft up the altimeter names none.
        if (hundreds > 999)
            return std::nullopt;
        return QStringLiteral("%1").arg(hundreds, 3, 10, QLatin1Char('0'));
    }
    const long metres = std::max(0L, std::lround(*feet * MetresPerFoot / 10) * 10);
    return QString::number(metres);
}

QList<FieldWrite> fieldsFrom(const Reading& reading, const QList<Runway>& runways, bool imperial)
{
    QList<FieldWrite> fields;
    const auto add = [&fields](Field field, const QString& text) {
        if (!text.trimmed().isEmpty())
            fields.append({field, text});
    };
    add(Field::Callsign, reading.text(Property::Callsign));
    const QString aerodrome = reading.text(Property::ClosestAirport);
    add(Field::Aerodrome, aerodrome);

    const bool atStart =
        !aerodrome.isEmpty() &&
        aerodrome.compare(reading.text(Property::StartAirport), Qt::CaseInsensitive) == 0;
    const QString startRunway = reading.text(Property::StartRunway);
    const std::optional<double> wind = reading.number(Property::WindFrom);
    if (atStart && !startRunway.trimmed().isEmpty())
        add(Field::Runway, startRunway);
    else if (wind)
        add(Field::Runway, runwayIntoWind(runways, *wind).value_or(QString()));
    if (atStart)
        add(Field::Stand, reading.text(Property::ParkingPosition));
    add(Field::CurrentLevel, currentLevel(reading, imperial).value_or(QString()));
    return fields;
}

} // namespace Velaro::FlightGear
