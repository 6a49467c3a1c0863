// SPDX-License-Identifier: GPL-3.0-or-later
// Reads the fuzzer's bytes as FlightGear's web server would have answered them: the whole
// input as one property's reply and as an aerodrome's, and line by line as a reading,
// every line a reply of a property or a node and the last one the aerodrome of the
// reading as well, followed through the phase of flight. The imperial flag and a wind
// come from the last bytes, which stay part of the replies as well, so that a reply
// recorded from FlightGear is a seed as it is. Besides the sanitizers' own checks it
// aborts when
// - a property's value is accepted that is not text, a boolean or a finite number,
// - a runway is read without an ident, with blanks around it, or with a heading, length
//   or width that is not finite,
// - the runway into the wind is not one of the runways given, or is missing though
//   some were given,
// - a current level is not all digits, an imperial one not exactly three of them, or a
//   metric one not a multiple of ten written plainly,
// - the fields read hold a field twice, an empty text where the field does not come
//   from the route, a runway that is neither where the flight started, nor the route's,
//   nor one of the aerodrome's, another current level, a next or initial level that is
//   no level, or an estimated time that is not a minute of the hour.

#include "FlightGearReplies.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace
{

using namespace Velaro;
using namespace Velaro::FlightGear;

[[noreturn]] void fail(const char* what, const QString& text)
{
    std::fprintf(stderr, "%s: \"%s\"\n", what, text.toUtf8().constData());
    std::abort();
}

std::optional<QJsonValue> checkedValue(const QByteArray& body)
{
    const std::optional<QJsonValue> value = propertyValue(body);
    if (value && !value->isString() && !value->isBool() &&
        !(value->isDouble() && std::isfinite(value->toDouble())))
        fail("A property's value is accepted that is no text, boolean or finite number",
             QString::fromUtf8(body.left(200)));
    return value;
}

QList<Runway> checkedRunways(const QByteArray& body)
{
    const QList<Runway> runways = runwaysOf(body).value_or(QList<Runway>());
    for (const Runway& runway : runways) {
        if (runway.ident.isEmpty() || runway.ident != runway.ident.trimmed())
            fail("A runway is read with an empty or blank-edged ident", runway.ident);
        if (!std::isfinite(runway.headingDeg) || !std::isfinite(runway.lengthM) ||
            !std::isfinite(runway.widthM))
            fail("A runway is read with a heading, length or width that is not finite",
                 runway.ident);
    }
    return runways;
}

bool isIdentOf(const QList<Runway>& runways, const QString& ident)
{
    return std::any_of(runways.begin(), runways.end(),
                       [&ident](const Runway& runway) { return runway.ident == ident; });
}

void checkRunwayIntoWind(const QList<Runway>& runways, double windFromDeg)
{
    const std::optional<QString> runway = runwayIntoWind(runways, windFromDeg);
    if (runway.has_value() == runways.isEmpty())
        fail("The runway into the wind is missing, or given without runways",
             runway.value_or(QString()));
    if (runway && !isIdentOf(runways, *runway))
        fail("The runway into the wind is not one of those given", *runway);
}

bool isLevel(const QString& level, bool imperial)
{
    const bool digits = !level.isEmpty() && std::all_of(level.begin(), level.end(),
                                                        [](QChar c) { return c.isDigit(); });
    if (imperial)
        return digits && level.size() == 3;
    return digits && level.endsWith(QLatin1Char('0')) &&
           (level.size() == 1 || !level.startsWith(QLatin1Char('0')));
}

void checkCurrentLevel(const Reading& reading, bool imperial)
{
    const std::optional<QString> level = currentLevel(reading, imperial);
    if (level && !isLevel(*level, imperial))
        fail("A current level is not written as a level", *level);
}

bool fromRoute(Field field)
{
    switch (field) {
    case Field::DepartureProcedure:
    case Field::ApproachProcedure:
    case Field::CurrentPoint:
    case Field::NextPoint:
    case Field::EstimatedTime:
    case Field::NextLevel:
    case Field::InitialLevel:
        return true;
    default:
        return false;
    }
}

void checkFields(const Reading& reading, const QList<Runway>& runways, bool imperial)
{
    FlightPhase flight;
    flight.update(aircraftStateOf(reading), runways);
    const AircraftState aircraft = aircraftStateOf(reading);
    std::array<bool, FieldCount> written{};
    for (const FieldWrite& write : fieldsFrom(reading, flight.runwayInUse(), imperial)) {
        bool& seen = written[static_cast<std::size_t>(write.field)];
        if (seen)
            fail("A field is read twice", write.text);
        seen = true;
        if (write.text.trimmed().isEmpty() && (!fromRoute(write.field) || !write.text.isEmpty()))
            fail("A field is read empty", write.text);
        if (write.field == Field::Runway && write.text != aircraft.startRunway &&
            write.text != aircraft.routeRunway && !isIdentOf(runways, write.text))
            fail("A runway is read that is not the aerodrome's", write.text);
        if (write.field == Field::CurrentLevel && write.text != currentLevel(reading, imperial))
            fail("The current level read is another", write.text);
        if ((write.field == Field::NextLevel || write.field == Field::InitialLevel) &&
            !write.text.isEmpty() && !isLevel(write.text, imperial))
            fail("A level from the route is not written as a level", write.text);
        const int minute = write.text.toInt();
        if (write.field == Field::EstimatedTime && !write.text.isEmpty() &&
            (write.text.size() != 2 || minute < 0 || minute > 59))
            fail("An estimated time is not a minute of the hour", write.text);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider controls(data, size);
    const bool imperial = controls.ConsumeBool();
    const double windFromDeg = controls.ConsumeFloatingPoint<double>();

    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    checkedValue(input);
    checkRunwayIntoWind(checkedRunways(input), windFromDeg);

    Reading reading;
    const QList<QByteArray> lines = input.split('\n');
    for (const QByteArray& line : lines) {
        checkedValue(line);
        reading.take(line);
    }
    const QList<Runway> runways = checkedRunways(lines.last());
    if (const std::optional<double> wind = reading.number(Property::WindFrom))
        checkRunwayIntoWind(runways, *wind);
    checkRunwayIntoWind(runways, windFromDeg);
    checkCurrentLevel(reading, imperial);
    checkFields(reading, runways, imperial);
    return 0;
}
