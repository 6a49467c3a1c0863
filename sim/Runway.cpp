// SPDX-License-Identifier: GPL-3.0-or-later
#include "Runway.h"

#include <algorithm>
#include <cmath>

namespace Velaro::FlightGear
{

namespace
{

constexpr double RadiansPerDegree = 3.14159265358979323846 / 180.0;
constexpr double MetresPerDegreeOfLatitude = 6371000.0 * RadiansPerDegree;

// East and north of from, in metres, on a plane touching the earth between the two.
std::pair<double, double> eastNorth(const GeoPoint& from, const GeoPoint& to)
{
    const double meanLatitude = (from.latitudeDeg + to.latitudeDeg) / 2 * RadiansPerDegree;
    const double east = headingDifference(from.longitudeDeg, to.longitudeDeg) *
                        MetresPerDegreeOfLatitude * std::cos(meanLatitude);
    const double north = (to.latitudeDeg - from.latitudeDeg) * MetresPerDegreeOfLatitude;
    return {east, north};
}

// The number a runway is called by, without its side letter: parallel runways share it.
QStringView runwayNumber(const QString& ident)
{
    const auto firstLetter =
        std::find_if(ident.begin(), ident.end(), [](QChar c) { return !c.isDigit(); });
    return QStringView(ident).left(firstLetter - ident.begin());
}

} // namespace

double headingDifference(double fromDeg, double toDeg)
{
    const double turn = std::fmod(toDeg - fromDeg, 360.0);
    // mutants: equivalent boundary: a turn of 180° is the same turn either way
    if (turn > 180)
        return turn - 360;
    return turn <= -180 ? turn + 360 : turn; // mutants: equivalent boundary: as above
}

double distanceM(const GeoPoint& from, const GeoPoint& to)
{
    const auto [east, north] = eastNorth(from, to);
    return std::hypot(east, north);
}

double bearingDeg(const GeoPoint& from, const GeoPoint& to)
{
    const auto [east, north] = eastNorth(from, to);
    return std::atan2(east, north) / RadiansPerDegree;
}

std::optional<RunwayOffset> Runway::offsetOf(const GeoPoint& point) const
{
    if (!threshold)
        return std::nullopt;
    const auto [east, north] = eastNorth(*threshold, point);
    const double heading = headingDeg * RadiansPerDegree;
    return RunwayOffset{east * std::sin(heading) + north * std::cos(heading),
                        east * std::cos(heading) - north * std::sin(heading)};
}

bool Runway::contains(const GeoPoint& point, double marginM) const
{
    const std::optional<RunwayOffset> offset = offsetOf(point);
    return offset && offset->alongM >= 0 && offset->alongM <= lengthM &&
           std::abs(offset->acrossM) <= widthM / 2 + marginM;
}

std::optional<QString> runwayIntoWind(const QList<Runway>& runways, double windFromDeg)
{
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

const Runway* runwayNamed(const QList<Runway>& runways, const QString& ident)
{
    // A pilot writes runway 08R as 8R as often as not.
    const auto withoutLeadingZero = [](const QString& name) {
        return QStringView(name).trimmed().mid(name.trimmed().startsWith(u'0') ? 1 : 0);
    };
    const auto named = std::find_if(runways.begin(), runways.end(), [&](const Runway& each) {
        return withoutLeadingZero(each.ident)
                   .compare(withoutLeadingZero(ident), Qt::CaseInsensitive) == 0;
    });
    return named == runways.end() ? nullptr : &*named;
}

} // namespace Velaro::FlightGear
