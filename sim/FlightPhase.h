// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Composer.h"
#include "Runway.h"

#include <QString>

#include <bitset>
#include <optional>

namespace Velaro::FlightGear
{

// What the phase of flight is worked out from: the aircraft at one reading.
struct AircraftState {
    // On a clock that only goes forward.
    qint64 timeMs = 0;
    // Absent until the simulator has given it.
    std::optional<GeoPoint> position;
    // True heading.
    double headingDeg = 0;
    double groundSpeedKt = 0;
    double verticalSpeedFpm = 0;
    double altitudeFt = 0;
    double heightAboveGroundFt = 0;
    bool onGround = true;
    // The aerodrome closest to the aircraft, whose runways come with the reading.
    QString aerodrome;
    std::optional<double> windFromDeg;
    // Where the flight started on a runway, the simulator names it.
    QString startRunway;
    // The runway the route names for the aerodrome, where it departs or arrives there;
    // and the one it names for its destination.
    QString routeRunway;
    QString destinationRunway;
    bool atStartAerodrome = false;
    // The route's active waypoint, counted from 0; -1 without an active route.
    int activeWaypoint = -1;
    // What is left of the route to its destination; absent without a route.
    std::optional<double> routeRemainingNm;
};

enum class Phase {
    Unknown,
    AtStand,
    TaxiingOut,
    AtRunway,
    TakeOffRoll,
    ClimbingOut,
    Crosswind,
    Downwind,
    Base,
    TurningFinal,
    Final,
    GoingAround,
    // Flying near the runway between the legs of the circuit.
    InCircuit,
    LandingRoll,
    Vacated,
    TaxiingIn,
    Parked,
    EnRoute,
    PassedWaypoint,
    LeavingLevel,
    Descending,
};

// Follows a flight from the simulator's readings, reading by reading: the phase it is
// in, the call that comes next, the runway it uses, whether it is arriving and the
// side of the circuit it flies. A phase must hold for a moment before it counts, so
// that a reading at a boundary does not make the mark flicker. A call the pilot has
// said in a phase is not offered again in it, and a phase the flight has left behind
// never offers its call late.
class FlightPhase
{
public:
    // The next reading, with the runways of the aerodrome it names.
    void update(const AircraftState& state, const QList<Runway>& runways);
    // A press delivered this call.
    void announced(Call call);
    // The runway the pilot typed, which the circuit is flown to until the aircraft uses
    // another; empty for none.
    void setPilotRunway(const QString& ident);

    Phase phase() const { return m_phase; }
    std::optional<Call> nextCall(bool pushbackChosen) const;
    // A call was said in this phase.
    bool hasSaidCall() const { return m_said.any(); }
    // Empty while no runway is known.
    QString runwayInUse() const;
    // The pilot set the departure or arrival switch, or the pattern side: his setting
    // holds until the next flight from a stand.
    void pilotSetArrival() { m_pilotSetArrival = true; }
    void pilotSetPatternSide() { m_pilotSetSide = true; }
    // What the window's switches should show, where the flight says and the pilot has not
    // set them: arrival from a landing until the next flight starts from a stand; the
    // side of the circuit from a turn onto crosswind or base, or the downwind leg.
    std::optional<bool> arrivalShown() const;
    std::optional<bool> leftPatternShown() const;

    // What the aircraft is doing, to finish "the aircraft is …".
    static QString describe(Phase phase);

    // A phase counts once it has held this long.
    static constexpr qint64 HoldMilliseconds = 2000;

private:
    // A phase the reading shows, with the side of the circuit it shows where it does.
    struct Candidate {
        Phase phase;
        std::optional<bool> leftPattern;
    };

    Phase groundPhase(const AircraftState& state, const Runway* inUse) const;
    Candidate airPhase(const AircraftState& state, const Runway* inUse, bool passedWaypoint);
    Phase enRoutePhase(const AircraftState& state, bool passedWaypoint);
    void followRunway(const AircraftState& state, const QList<Runway>& runways);
    void enter(const Candidate& candidate, const AircraftState& state);
    bool said(Call call) const { return m_said.test(static_cast<std::size_t>(call)); }

    Phase m_phase = Phase::Unknown;
    // A different phase the readings show, and since when, until it has held.
    Phase m_pending = Phase::Unknown;
    qint64 m_pendingSinceMs = 0;
    std::bitset<CallCount> m_said;

    // Since the flight left its stand, or since the link saw it first.
    bool m_airborne = false;
    bool m_landed = false;
    std::optional<bool> m_leftPattern;
    bool m_pilotSetArrival = false;
    bool m_pilotSetSide = false;
    // The reading before.
    double m_lastGroundSpeedKt = 0;
    double m_lastHeadingDeg = 0;
    qint64 m_lastTimeMs = 0;
    std::optional<qint64> m_stoppedSinceMs;

    QString m_aerodrome;
    QString m_pilotRunway;
    // The runway last used at this aerodrome, on the ground or aligned on final, or the
    // one the pilot typed since.
    QString m_usedRunway;
    QString m_departureAerodrome;
    // The choice by wind, and the wind it was made in.
    QString m_windRunway;
    double m_windChoiceFromDeg = 0;
    QString m_startRunway;
    QString m_routeRunway;

    // En route: what happened last, the level held last and since when the vertical
    // speed has been small, and the active waypoint seen last.
    Phase m_enRouteEvent = Phase::EnRoute;
    std::optional<double> m_heldLevelFt;
    std::optional<qint64> m_levelSinceMs;
    int m_lastWaypoint = -1;
};

} // namespace Velaro::FlightGear
