// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

#include <optional>

namespace Velaro::FlightGear
{

// FlightGear gives both coordinates of a point or neither.
struct GeoPoint {
    double latitudeDeg = 0;  // mutants: equivalent constant: always set
    double longitudeDeg = 0; // mutants: equivalent constant: always set
};

// Where a point lies seen from a runway's threshold, in metres: along the runway's
// heading (negative before the threshold) and across it (positive to the right).
struct RunwayOffset {
    double alongM = 0;
    double acrossM = 0;
};

// One end of a runway, as the aircraft uses it: taking off or landing towards its
// heading, from its threshold.
struct Runway {
    QString ident;
    double headingDeg = 0;
    double lengthM = 0;
    double widthM = 0;
    // Known where the aerodrome's reply outlines its runways.
    std::optional<GeoPoint> threshold;

    // Nothing where the threshold is not known.
    std::optional<RunwayOffset> offsetOf(const GeoPoint& point) const;
    // Inside the runway's outline, widened by margin on either side.
    bool contains(const GeoPoint& point, double marginM = 0) const;
};

// The angle from one heading to another, in (-180, 180]: positive turning right.
double headingDifference(double fromDeg, double toDeg);

// The distance between two points, in metres; near enough for an aerodrome's
// surroundings and the next hundred miles.
double distanceM(const GeoPoint& from, const GeoPoint& to);

// The true bearing from one point to another.
double bearingDeg(const GeoPoint& from, const GeoPoint& to);

// The runway most into the wind blowing from that heading; of parallel runways, the
// longest.
std::optional<QString> runwayIntoWind(const QList<Runway>& runways, double windFromDeg);

// The runway of that ident, if the aerodrome has it.
const Runway* runwayNamed(const QList<Runway>& runways, const QString& ident);

} // namespace Velaro::FlightGear
