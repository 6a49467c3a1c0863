// SPDX-License-Identifier: GPL-3.0-or-later
#include "FlightPhase.h"

#include <cmath>

namespace Velaro::FlightGear
{

namespace
{

constexpr double MetresPerNm = 1852;

// On a runway: inside its outline and within this of its heading; the circuit's legs
// are flown within it of their headings too.
constexpr double AlignedDeg = 20;
// Stopped or slow at the edge of the runway: within 1.5 of its widths of the edge.
constexpr double EdgeWidths = 1.5;
constexpr double SlowKt = 5;
// Moving under its own power: faster than a pushback.
constexpr double TaxiKt = 5;
constexpr double StoppedKt = 1;
constexpr qint64 ParkedMilliseconds = 10000;
// The take-off roll starts above this, on the runway and speeding up.
constexpr double TakeOffRollKt = 30;
// Airborne and climbing, or going around.
constexpr double ClimbingFpm = 300;
// Final: within 4 NM of the threshold, in a corridor widening 10 degrees either side.
constexpr double FinalM = 4 * MetresPerNm;
constexpr double FinalCorridorM = 100;
constexpr double FinalCorridorSlope = 0.18;
// The circuit: within 5 NM of the runway and below 2500 ft above it; en route beyond.
constexpr double CircuitM = 5 * MetresPerNm;
constexpr double CircuitHeightFt = 2500;
// Flying straight: turning slower than half a standard rate turn.
constexpr double SteadyDegPerSecond = 1.5;
// Turning final: between the base leg's heading and the runway's.
constexpr double TurningFinalMaxDeg = 70;
// A level is held once the vertical speed stays this small for this long; it is left
// once the aircraft climbs or descends this far from it.
constexpr double LevelFpm = 300;
constexpr qint64 LevelHeldMilliseconds = 10000;
constexpr double LevelLeftFt = 200;
// The descent towards the destination starts within this of the route's end.
constexpr double DescentNm = 40;
// The choice by wind stands until the wind turns this far from the one it was made in.
constexpr double WindTurnDeg = 30;

bool within(double headingDeg, double legDeg)
{
    return std::abs(headingDifference(legDeg, headingDeg)) <= AlignedDeg;
}

// The nearest distance to the runway, in metres, from an offset from its threshold.
double distanceToRunway(const RunwayOffset& offset, double lengthM)
{
    const double beyond =
        offset.alongM < 0 ? -offset.alongM : std::max(0.0, offset.alongM - lengthM);
    return std::hypot(beyond, offset.acrossM);
}

bool isAirborne(Phase phase)
{
    switch (phase) {
    case Phase::ClimbingOut:
    case Phase::Crosswind:
    case Phase::Downwind:
    case Phase::Base:
    case Phase::TurningFinal:
    case Phase::Final:
    case Phase::GoingAround:
    case Phase::InCircuit:
    case Phase::EnRoute:
    case Phase::PassedWaypoint:
    case Phase::LeavingLevel:
    case Phase::Descending:
        return true;
    default:
        return false;
    }
}

// The call each phase offers; the stand's are chosen apart.
std::optional<Call> callOf(Phase phase)
{
    switch (phase) {
    case Phase::TaxiingOut:
    case Phase::TaxiingIn:
        return Call::Taxi;
    case Phase::AtRunway:
        return Call::LiningUp;
    case Phase::TakeOffRoll:
        return Call::TakeOff;
    case Phase::ClimbingOut:
        return Call::AfterTakeOff;
    case Phase::Crosswind:
        return Call::Crosswind;
    case Phase::Base:
        return Call::Base;
    case Phase::TurningFinal:
        return Call::TurningFinal;
    case Phase::Final:
        return Call::Final;
    case Phase::GoingAround:
        return Call::GoAround;
    case Phase::Vacated:
        return Call::RunwayVacated;
    case Phase::Parked:
        return Call::StartUpOrShutdown;
    case Phase::PassedWaypoint:
        return Call::ReportingPoint;
    case Phase::LeavingLevel:
        return Call::LevelChange;
    case Phase::Descending:
        return Call::ApproachDescent;
    default:
        return std::nullopt;
    }
}

} // namespace

void FlightPhase::update(const AircraftState& state, const QList<Runway>& runways)
{
    if (state.aerodrome != m_aerodrome) {
        m_aerodrome = state.aerodrome;
        m_usedRunway = m_pilotRunway;
        m_windRunway.clear();
    }
    m_startRunway = state.atStartAerodrome ? state.startRunway : QString();
    // Descending towards the destination, its runway is the one the approach is flown to,
    // whichever aerodrome is nearest on the way.
    const bool approachingDestination =
        m_airborne && state.routeRemainingNm && *state.routeRemainingNm <= DescentNm;
    m_routeRunway = approachingDestination && !state.destinationRunway.isEmpty()
                        ? state.destinationRunway
                        : state.routeRunway;
    const bool passedWaypoint = m_lastWaypoint >= 0 && state.activeWaypoint > m_lastWaypoint;
    m_lastWaypoint = state.activeWaypoint;
    followRunway(state, runways);
    if (!state.position) {
        enter({Phase::Unknown, std::nullopt}, state);
        return;
    }
    const Runway* inUse = runwayNamed(runways, runwayInUse());
    if (inUse && !inUse->threshold)
        inUse = nullptr;
    const Candidate candidate = state.onGround ? Candidate{groundPhase(state, inUse), std::nullopt}
                                               : airPhase(state, inUse, passedWaypoint);
    enter(candidate, state);
    m_lastGroundSpeedKt = state.groundSpeedKt;
    m_lastHeadingDeg = state.headingDeg;
    m_lastTimeMs = state.timeMs;
}

void FlightPhase::followRunway(const AircraftState& state, const QList<Runway>& runways)
{
    const bool arrivingHere = m_aerodrome != m_departureAerodrome;
    for (const Runway& runway : runways) {
        if (!state.position)
            break;
        const GeoPoint& at = *state.position;
        if (!within(state.headingDeg, runway.headingDeg))
            continue;
        // Taxiing in along another runway after landing uses none.
        const bool onIt = state.onGround && runway.contains(at) &&
                          (!m_landed || m_phase == Phase::LandingRoll || isAirborne(m_phase));
        // Aligned on final to an aerodrome it has not departed from.
        const std::optional<RunwayOffset> offset = runway.offsetOf(at);
        const bool onFinal =
            !state.onGround && arrivingHere && offset && offset->alongM <= 0 &&
            offset->alongM >= -FinalM &&
            std::abs(offset->acrossM) <= FinalCorridorM - offset->alongM * FinalCorridorSlope;
        if (onIt || onFinal)
            m_usedRunway = runway.ident;
    }
    if (state.windFromDeg && !runways.isEmpty() &&
        (m_windRunway.isEmpty() ||
         std::abs(headingDifference(m_windChoiceFromDeg, *state.windFromDeg)) > WindTurnDeg)) {
        m_windRunway = runwayIntoWind(runways, *state.windFromDeg).value_or(QString());
        m_windChoiceFromDeg = *state.windFromDeg;
    }
}

void FlightPhase::setPilotRunway(const QString& ident)
{
    if (ident == m_pilotRunway)
        return;
    // Emptied, the pilot's runway gives way to the simulator's choice again.
    if (m_usedRunway == m_pilotRunway)
        m_usedRunway = ident;
    else if (!ident.isEmpty())
        m_usedRunway = ident;
    m_pilotRunway = ident;
}

QString FlightPhase::runwayInUse() const
{
    for (const QString* choice : {&m_usedRunway, &m_routeRunway, &m_startRunway, &m_windRunway}) {
        if (!choice->trimmed().isEmpty())
            return *choice;
    }
    return {};
}

Phase FlightPhase::groundPhase(const AircraftState& state, const Runway* inUse) const
{
    const GeoPoint& at = *state.position;
    const double speed = state.groundSpeedKt;
    if (m_airborne) {
        if (inUse && inUse->contains(at))
            return Phase::LandingRoll;
        const bool nearRunway = inUse && inUse->contains(at, inUse->widthM * EdgeWidths);
        if (m_phase == Phase::LandingRoll || (m_phase == Phase::Vacated && nearRunway))
            return Phase::Vacated;
        const bool standing = speed < StoppedKt && m_stoppedSinceMs &&
                              state.timeMs - *m_stoppedSinceMs >= ParkedMilliseconds;
        if (standing && (m_phase == Phase::TaxiingIn || m_phase == Phase::Parked))
            return Phase::Parked;
        return speed >= TaxiKt || m_phase != Phase::Vacated ? Phase::TaxiingIn : Phase::Vacated;
    }
    if (inUse && inUse->contains(at)) {
        const bool aligned = within(state.headingDeg, inUse->headingDeg);
        const bool speedingUp = speed >= m_lastGroundSpeedKt;
        if (aligned && speed > TakeOffRollKt && (speedingUp || m_phase == Phase::TakeOffRoll))
            return Phase::TakeOffRoll;
        // Taxiing across the runway is not entering it.
        if (aligned || speed < SlowKt || m_phase == Phase::AtRunway)
            return Phase::AtRunway;
    }
    if (inUse && inUse->contains(at, inUse->widthM * EdgeWidths) &&
        (speed < SlowKt || m_phase == Phase::AtRunway))
        return Phase::AtRunway;
    if (speed >= TaxiKt || m_phase == Phase::TaxiingOut || m_phase == Phase::AtRunway)
        return Phase::TaxiingOut;
    return Phase::AtStand;
}

FlightPhase::Candidate FlightPhase::airPhase(const AircraftState& state, const Runway* inUse,
                                             bool passedWaypoint)
{
    const std::optional<RunwayOffset> offset =
        inUse ? inUse->offsetOf(*state.position) : std::nullopt;
    const bool inCircuit = offset && distanceToRunway(*offset, inUse->lengthM) <= CircuitM &&
                           state.heightAboveGroundFt <= CircuitHeightFt;
    if (!inCircuit)
        return {enRoutePhase(state, passedWaypoint), std::nullopt};
    m_enRouteEvent = Phase::EnRoute;

    const double relative = headingDifference(inUse->headingDeg, state.headingDeg);
    const bool aligned = std::abs(relative) <= AlignedDeg;
    const bool climbing = state.verticalSpeedFpm > ClimbingFpm;
    const double seconds = (state.timeMs - m_lastTimeMs) / 1000.0;
    const bool steady = std::abs(headingDifference(m_lastHeadingDeg, state.headingDeg)) <=
                        SteadyDegPerSecond * seconds;
    const double along = offset->alongM;
    const double across = offset->acrossM;
    if (climbing && (m_phase == Phase::Final || m_phase == Phase::TurningFinal))
        return {Phase::GoingAround, std::nullopt};
    if (aligned && (m_phase == Phase::GoingAround || m_phase == Phase::ClimbingOut))
        return {m_phase, std::nullopt};
    if (aligned && climbing && m_phase == Phase::TakeOffRoll)
        return {Phase::ClimbingOut, std::nullopt};
    if (aligned && !climbing && along >= -FinalM && along <= inUse->lengthM &&
        std::abs(across) <= FinalCorridorM + std::max(0.0, -along) * FinalCorridorSlope)
        return {Phase::Final, std::nullopt};
    // A leg is flown straight: a turn through its heading, such as a departure's
    // towards its route, is none. A left-hand circuit turns left onto the crosswind leg,
    // 90 degrees left of the runway, and left again onto the base leg, 90 degrees right
    // of it: crosswind is flown beyond the threshold, base before it.
    const bool rightOfRunway = within(relative, 90);
    if (steady && (rightOfRunway || within(relative, -90)))
        return along >= 0 ? Candidate{Phase::Crosswind, !rightOfRunway}
                          : Candidate{Phase::Base, rightOfRunway};
    if (steady && within(relative, 180))
        return {Phase::Downwind, across < 0};
    const bool closing = across * relative < 0;
    if (along < 0 && closing && !climbing && std::abs(relative) <= TurningFinalMaxDeg)
        return {Phase::TurningFinal, std::nullopt};
    return {Phase::InCircuit, std::nullopt};
}

Phase FlightPhase::enRoutePhase(const AircraftState& state, bool passedWaypoint)
{
    if (std::abs(state.verticalSpeedFpm) < LevelFpm) {
        if (!m_levelSinceMs)
            m_levelSinceMs = state.timeMs;
        if (state.timeMs - *m_levelSinceMs >= LevelHeldMilliseconds) {
            m_heldLevelFt = state.altitudeFt;
            if (m_enRouteEvent == Phase::LeavingLevel || m_enRouteEvent == Phase::Descending)
                m_enRouteEvent = Phase::EnRoute;
        }
    } else {
        m_levelSinceMs.reset();
    }
    const bool leavingLevel =
        m_heldLevelFt && std::abs(state.altitudeFt - *m_heldLevelFt) > LevelLeftFt &&
        m_enRouteEvent != Phase::LeavingLevel && m_enRouteEvent != Phase::Descending;
    if (passedWaypoint) {
        m_enRouteEvent = Phase::PassedWaypoint;
    } else if (leavingLevel) {
        const bool towardsDestination = state.altitudeFt < *m_heldLevelFt &&
                                        state.routeRemainingNm &&
                                        *state.routeRemainingNm <= DescentNm;
        m_enRouteEvent = towardsDestination ? Phase::Descending : Phase::LeavingLevel;
    }
    return m_enRouteEvent;
}

void FlightPhase::enter(const Candidate& candidate, const AircraftState& state)
{
    if (state.groundSpeedKt < StoppedKt) {
        if (!m_stoppedSinceMs)
            m_stoppedSinceMs = state.timeMs;
    } else {
        m_stoppedSinceMs.reset();
    }
    if (candidate.phase == m_phase) {
        m_pending = m_phase;
        return;
    }
    if (candidate.phase != m_pending) {
        m_pending = candidate.phase;
        m_pendingSinceMs = state.timeMs;
    }
    if (m_phase != Phase::Unknown && state.timeMs - m_pendingSinceMs < HoldMilliseconds)
        return;
    m_phase = candidate.phase;
    m_said.reset();
    if (isAirborne(m_phase))
        m_airborne = true;
    if (m_phase == Phase::ClimbingOut)
        m_departureAerodrome = m_aerodrome;
    if (m_phase == Phase::LandingRoll && m_airborne)
        m_landed = true;
    if (candidate.leftPattern)
        m_leftPattern = candidate.leftPattern;
}

void FlightPhase::announced(Call call)
{
    m_said.set(static_cast<std::size_t>(call));
    // The engines shut down at the stand: the next flight starts from there.
    if (call == Call::StartUpOrShutdown && m_phase == Phase::Parked) {
        m_phase = Phase::AtStand;
        m_pending = Phase::AtStand;
        m_said.reset();
        m_airborne = false;
        m_landed = false;
        m_usedRunway = m_pilotRunway;
        m_leftPattern.reset();
        m_pilotSetArrival = false;
        m_pilotSetSide = false;
        m_departureAerodrome.clear();
    }
}

std::optional<Call> FlightPhase::nextCall(bool pushbackChosen) const
{
    if (m_phase == Phase::AtStand) {
        if (pushbackChosen && !said(Call::Pushback))
            return Call::Pushback;
        return said(Call::StartUpOrShutdown) ? std::nullopt
                                             : std::optional<Call>(Call::StartUpOrShutdown);
    }
    const std::optional<Call> call = callOf(m_phase);
    return call && said(*call) ? std::nullopt : call;
}

std::optional<bool> FlightPhase::arrivalShown() const
{
    if (m_pilotSetArrival || m_phase == Phase::Unknown)
        return std::nullopt;
    return m_landed;
}

std::optional<bool> FlightPhase::leftPatternShown() const
{
    return m_pilotSetSide ? std::nullopt : m_leftPattern;
}

QString FlightPhase::describe(Phase phase)
{
    switch (phase) {
    case Phase::Unknown:
        return QStringLiteral("not known yet: FlightGear has not given its position");
    case Phase::AtStand:
        return QStringLiteral("at its stand");
    case Phase::TaxiingOut:
        return QStringLiteral("taxiing out to the runway");
    case Phase::AtRunway:
        return QStringLiteral("at the runway");
    case Phase::TakeOffRoll:
        return QStringLiteral("rolling for take-off");
    case Phase::ClimbingOut:
        return QStringLiteral("climbing away after take-off");
    case Phase::Crosswind:
        return QStringLiteral("on the crosswind leg");
    case Phase::Downwind:
        return QStringLiteral("on the downwind leg");
    case Phase::Base:
        return QStringLiteral("on the base leg");
    case Phase::TurningFinal:
        return QStringLiteral("turning final");
    case Phase::Final:
        return QStringLiteral("on final");
    case Phase::GoingAround:
        return QStringLiteral("going around");
    case Phase::InCircuit:
        return QStringLiteral("in the circuit between two legs");
    case Phase::LandingRoll:
        return QStringLiteral("on the landing roll");
    case Phase::Vacated:
        return QStringLiteral("off the runway after landing");
    case Phase::TaxiingIn:
        return QStringLiteral("taxiing in to its stand");
    case Phase::Parked:
        return QStringLiteral("at its stand after landing");
    case Phase::EnRoute:
        return QStringLiteral("en route between reporting points");
    case Phase::PassedWaypoint:
        return QStringLiteral("past a reporting point");
    case Phase::LeavingLevel:
        return QStringLiteral("leaving its level");
    case Phase::Descending:
        return QStringLiteral("descending towards its destination");
    }
    return {};
}

} // namespace Velaro::FlightGear
