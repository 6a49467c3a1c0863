#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Flies a Cessna 172 round Honolulu (PHNL) in a FlightGear started with --fdm=null, by
setting its position, speeds and gear through FlightGear's web server at every step,
and records what a program polling that web server reads at each step.

FlightGear's null flight model leaves every value where it was set: nothing moves the
aircraft, nothing recomputes the height above ground, the ground speed or the track.
So each step sets, in one request, position, true heading, bank, ground speed, airspeed,
vertical speed, the weight on all three wheels and whether the engine runs; then the
altitude and the height above ground, once FlightGear has told the ground elevation
under the new position; then it waits for a frame and reads. A step whose values
FlightGear does not read back as set stops the flight with an error.

Flights (a step is a second or two of flight time, named by the phase of flight):
  left-circuit   stand T2-C4, taxi to runway 26L, a left-hand circuit, a go-around from
                 the final, a second circuit, landing, vacating, taxi to stand T2-C6
  right-circuit  the same flown right-hand, without the go-around
  en-route       a route PHNL 26L - CKH at 3000 ft - a lat/lon point at 7000 ft - MKK at
                 5000 ft - PHNY 03 set up in FlightGear's route manager at the holding
                 point of 26L and activated there, flown past each waypoint, climbing
                 after CKH, descending after the lat/lon point and after MKK towards Lanai

The runways come from FlightGear itself (GET /navdb?q=airport&id=PHNL); the stands and
taxi routes are nodes of FlightGear's PHNL ground network (Scenery/Airports/P/H/N/
PHNL.groundnet.xml in Debian's flightgear-data-base), written out below.

Usage:
  fly-flightgear.py FLIGHT --list                      the steps, without FlightGear
  fly-flightgear.py FLIGHT --port PORT [--from POINT] [--until POINT] [--record FILE]

Each step flown prints one JSON line on stdout: flight time, step name, what was set.
--until POINT stops after that step, --from POINT starts at it, so that a test can fly
to a point, do something there and fly on. A point is the first step of a phase, NAME,
or of its Nth time, NAME#N (the second circuit's downwind is downwind#2); POINT+K is
the Kth step after it, POINT+last the phase's last step.

--record FILE writes what a poller reads, one JSON object a line and a step:
  {"t": flight seconds, "step": name, "replies": {"GET path as sent": "reply body", ...}}
Every single property of the phase of flight and of the flight plan is read at each
step, but a reply the same as the one last recorded for that request is left out: a
reader keeps the latest reply of each request (a missing property's reply is {}, which
FlightGear sends with status 404). The whole nodes (/json/position and the like, one
request each) and FlightGear's clock /sim/time/gmt are recorded at the first step of each
phase, or at every step with --whole-nodes every (much larger files).

The recordings in tests/sim/recorded/flights were made with Debian's FlightGear
2020.3.16 (flightgear 1:2020.3.16+dfsg-1) under Xvfb, started as tests/e2e/flightgear.sh
starts it (from stand T2-C4 at PHNL, the c172p with --fdm=null and callsign RA1234),
and for the en-route flight with --runway=26L in place of --parkpos=T2-C4 (the draw masks
and the frame cap take FlightGear from 3 frames a second to 60 on a virtual display;
FlightGear answers one request a connection a frame). To refresh them, start FlightGear
so, afresh for each flight as each starts with an empty route, then

  tests/e2e/fly-flightgear.py left-circuit --port PORT \
      --record tests/sim/recorded/flights/left-circuit.jsonl >/dev/null

which takes about half a second a step.
"""

import argparse
import http.client
import json
import math
import re
import sys
import threading
import time
from concurrent.futures import ThreadPoolExecutor
from dataclasses import dataclass, replace
from pathlib import Path

EarthRadiusM = 6371008.8
MetresPerFoot = 0.3048
MetresPerSecondPerKnot = 1852 / 3600
# The c172p's reference point stands this high above the ground on its wheels, as its own
# flight model gives it.
WheelHeightFt = 4.05

Aerodrome = "PHNL"
DepartureRunway = "26L"
# Ground-network nodes of PHNL, latitude and longitude.
StandT2C4 = (21.328867, -157.923317)
StandT2C6 = (21.328733, -157.924633)
# From stand T2-C4 to the holding point of 26L at its first intersection, crossing runways
# 08L/26R and 04L/04R on the way, as the ground network leads.
TaxiOut = [
    (21.328033, -157.922517), (21.327733, -157.922933), (21.327700, -157.923283),
    (21.327317, -157.923550), (21.327117, -157.923500), (21.324217, -157.921717),
    (21.321733, -157.920183), (21.318650, -157.918283), (21.318367, -157.918200),
    (21.318050, -157.918367), (21.312950, -157.925600), (21.312567, -157.925767),
    (21.312333, -157.925633), (21.310367, -157.923733), (21.310050, -157.923317),
    (21.309800, -157.922783), (21.309700, -157.922200), (21.309700, -157.912417),
    (21.309450, -157.912050), (21.309267, -157.912000), (21.307317, -157.912000),
]
# Onto 26L at that intersection.
LineUp = [(21.306800, -157.912350)]
# Off 26L at the high-speed exit 1.2 km from its threshold, clear of the runway 90 m from
# its centre line, and on to stand T2-C6.
RunwayExit = (21.306800, -157.922083)
ClearOfRunway = (21.307610, -157.920595)
TaxiIn = [
    (21.308933, -157.918167), (21.309183, -157.917967), (21.309550, -157.918050),
    (21.309700, -157.918400),
    # back along the taxiways of the way out
    *TaxiOut[16:3:-1],
    (21.327650, -157.923867), (21.327733, -157.924100), (21.327733, -157.924650), StandT2C6,
]

# The en-route flight's route, as typed into FlightGear's route manager (its lat/lon
# waypoints are longitude first).
RouteWaypoints = [("CKH", 3000), ("-157.40,21.20", 7000), ("MKK", 5000)]
Destination = ("PHNY", "03")
CruiseAltitudeFt = 7000
# Where the route's waypoints are (FlightGear's navaids and the point typed).
RoutePositions = [(21.265111, -157.702972), (21.200000, -157.400000), (21.138111, -157.167417)]
LanaiAirport = (20.785611, -156.951419)


def bearing_and_distance(start, end):
    """Initial true bearing in degrees and great-circle distance in metres."""
    lat1, lon1, lat2, lon2 = map(math.radians, (*start, *end))
    dlon = lon2 - lon1
    y = math.sin(dlon) * math.cos(lat2)
    x = math.cos(lat1) * math.sin(lat2) - math.sin(lat1) * math.cos(lat2) * math.cos(dlon)
    haversine = (
        math.sin((lat2 - lat1) / 2) ** 2
        + math.cos(lat1) * math.cos(lat2) * math.sin(dlon / 2) ** 2
    )
    distance = 2 * EarthRadiusM * math.asin(math.sqrt(haversine))
    return math.degrees(math.atan2(y, x)) % 360, distance


def moved(position, bearing_deg, distance_m):
    lat1, lon1 = map(math.radians, position)
    angle = distance_m / EarthRadiusM
    bearing = math.radians(bearing_deg)
    lat2 = math.asin(
        math.sin(lat1) * math.cos(angle) + math.cos(lat1) * math.sin(angle) * math.cos(bearing)
    )
    lon2 = lon1 + math.atan2(
        math.sin(bearing) * math.sin(angle) * math.cos(lat1),
        math.cos(angle) - math.sin(lat1) * math.sin(lat2),
    )
    return math.degrees(lat2), (math.degrees(lon2) + 540) % 360 - 180


def heading_difference(to_deg, from_deg):
    """The turn from one heading to another, -180 to 180, positive to the right."""
    return (to_deg - from_deg + 180) % 360 - 180


@dataclass
class Runway:
    ident: str
    threshold: tuple
    heading_deg: float
    length_m: float
    elevation_ft: float

    def along_and_across(self, position):
        """Metres along the runway from its threshold, and to the right of its centre line."""
        bearing, distance = bearing_and_distance(self.threshold, position)
        angle = math.radians(bearing - self.heading_deg)
        return distance * math.cos(angle), distance * math.sin(angle)

    def point(self, along_m):
        return moved(self.threshold, self.heading_deg, along_m)


def runway_from_navdb(body, ident):
    """The runway end named, from the GeoJSON of GET /navdb?q=airport&id=ICAO.

    Each runway is drawn as a polygon whose ring starts with the two corners at the
    threshold of one of its ends and goes on with the two at the far end. Which runway
    and which end is told by the polygon's length and direction, matched to those listed
    in the properties, as taxiways are drawn as polygons too."""
    airport = json.loads(body)["features"][0]
    elevation_ft = airport["properties"]["elevation-m"] / MetresPerFoot
    wanted = next((end for end in airport["properties"]["runways"] if end["id"] == ident), None)
    best = None
    for geometry in airport["geometry"]["geometries"] if wanted else []:
        if geometry["type"] != "Polygon" or len(geometry["coordinates"][0]) < 4:
            continue
        ring = [(lat, lon) for lon, lat, *_ in geometry["coordinates"][0]]
        near = ((ring[0][0] + ring[1][0]) / 2, (ring[0][1] + ring[1][1]) / 2)
        far = ((ring[2][0] + ring[3][0]) / 2, (ring[2][1] + ring[3][1]) / 2)
        bearing, length = bearing_and_distance(near, far)
        for threshold, heading in ((near, bearing), (far, (bearing + 180) % 360)):
            # Degrees off and per cent too long or short, alike.
            misfit = abs(heading_difference(wanted["heading_deg"], heading)) + abs(
                wanted["length_m"] - length
            ) / wanted["length_m"] * 100
            if misfit < 5 and (best is None or misfit < best[0]):
                best = (misfit, Runway(ident, threshold, heading, length, elevation_ft))
    if best is None:
        raise SystemExit(f"runway {ident} is not among those FlightGear gives for {Aerodrome}")
    return best[1]


@dataclass
class State:
    position: tuple
    altitude_ft: float
    heading_deg: float
    groundspeed_kt: float = 0.0
    vertical_fpm: float = 0.0
    bank_deg: float = 0.0
    on_ground: bool = True
    engine_running: bool = False


@dataclass
class Step:
    time: float
    name: str
    state: State
    # What is done in FlightGear before this step is read: "set up route", "activate route".
    actions: tuple = ()


class Pilot:
    """Builds a flight as steps of flight time, each named by its phase."""

    def __init__(self, runway, start, heading_deg):
        self.runway = runway
        self.state = State(start, runway.elevation_ft + WheelHeightFt, heading_deg)
        self.time = 0.0
        self.steps = []
        self.turn_rate = 3.0
        self._actions = ()

    def then(self, *actions):
        self._actions += actions

    def record(self, name, seconds):
        self.time += seconds
        self.steps.append(Step(round(self.time, 1), name, replace(self.state), self._actions))
        self._actions = ()

    def hold(self, name, seconds, **changes):
        self.state = replace(self.state, groundspeed_kt=0.0, vertical_fpm=0.0, **changes)
        for _ in range(round(seconds / 2)):
            self.record(name, 2.0)

    def taxi(self, name, points, speed_kt=14.0, stop=True):
        """Along the points on the ground, speeding up and slowing down at 1.5 kt a second,
        slow in the sharp turns, stopping at the last point unless told not to."""
        for index, point in enumerate(points):
            ahead = points[index + 1] if index + 1 < len(points) else None
            while True:
                bearing, distance = bearing_and_distance(self.state.position, point)
                if distance < 1.0:
                    break
                target = speed_kt
                sharp = ahead is not None and abs(
                    heading_difference(bearing_and_distance(point, ahead)[0], bearing)
                ) >= 45
                if sharp:
                    target = min(target, max(6.0, distance / 4))
                if ahead is None and stop:
                    target = min(target, max(2.0, distance / 4))
                speed = towards(self.state.groundspeed_kt, target, 3.0)
                travelled = min(distance, speed * MetresPerSecondPerKnot * 2)
                self.state = replace(
                    self.state,
                    position=moved(self.state.position, bearing, travelled),
                    heading_deg=bearing,
                    groundspeed_kt=speed,
                )
                self.record(name, 2.0)
        if stop:
            self.state.groundspeed_kt = 0.0

    def roll(self, name, to_speed_kt, knots_a_second):
        """Along the runway, speeding up or slowing down, a step a second."""
        heading = self.runway.heading_deg
        while self.state.groundspeed_kt != to_speed_kt:
            speed = towards(self.state.groundspeed_kt, to_speed_kt, knots_a_second)
            mean = (self.state.groundspeed_kt + speed) / 2
            self.state = replace(
                self.state,
                position=moved(self.state.position, heading, mean * MetresPerSecondPerKnot),
                heading_deg=heading,
                groundspeed_kt=speed,
                on_ground=True,
                vertical_fpm=0.0,
                bank_deg=0.0,
                altitude_ft=self.runway.elevation_ft + WheelHeightFt,
            )
            self.record(name, 1.0)

    def fly(self, name, done, speed_kt, vertical_fpm=0.0, level_ft=None, heading=None,
            turn_right=None, glide=None, step=2.0):
        """Flies until done(state) holds. heading is where to turn, at the pilot's turn
        rate, the way told or the shorter: a number, or a function of the state. The
        altitude changes at vertical_fpm up to level_ft, or comes down to the glide path
        (a function of the distance along the runway)."""
        for _ in range(5000):
            if done(self.state):
                return
            turn = 0.0
            if heading is not None:
                wanted = heading(self.state) if callable(heading) else heading
                difference = heading_difference(wanted, self.state.heading_deg)
                if turn_right is True and difference < -1:
                    difference += 360
                elif turn_right is False and difference > 1:
                    difference -= 360
                most = self.turn_rate * step
                turn = max(-most, min(most, difference))
            speed = towards(self.state.groundspeed_kt, speed_kt, 2.0 * step)
            course = (self.state.heading_deg + turn) % 360
            position = moved(self.state.position, course, speed * MetresPerSecondPerKnot * step)
            altitude = self.state.altitude_ft
            if glide is not None:
                path = glide(self.runway.along_and_across(position)[0])
                altitude += max(-900 / 60 * step, min(0.0, path - altitude))
            else:
                altitude += vertical_fpm / 60 * step
                if level_ft is not None and (altitude - level_ft) * vertical_fpm > 0:
                    altitude = level_ft
            self.state = replace(
                self.state,
                position=position,
                heading_deg=course,
                groundspeed_kt=speed,
                vertical_fpm=round((altitude - self.state.altitude_ft) / step * 60),
                altitude_ft=altitude,
                bank_deg=math.copysign(20.0, turn) if abs(turn) > 0.5 else 0.0,
                on_ground=False,
            )
            self.record(name, step)
        raise RuntimeError(f"the {name} leg never ended")

    def height_ft(self):
        return self.state.altitude_ft - self.runway.elevation_ft

    def along(self):
        return self.runway.along_and_across(self.state.position)[0]

    def across(self):
        return self.runway.along_and_across(self.state.position)[1]


def towards(value, target, most):
    return value + max(-most, min(most, target - value))


def turn_radius_m(speed_kt, degrees_a_second):
    return speed_kt * MetresPerSecondPerKnot / math.radians(degrees_a_second)


def taxi_out(pilot):
    """From stand T2-C4 to the holding point of 26L."""
    pilot.hold("stand", 6)
    pilot.hold("stand", 10, engine_running=True)
    pilot.taxi("taxi", TaxiOut)
    pilot.hold("holding point", 10)


def take_off(pilot):
    """From the holding point of 26L to 500 ft above the aerodrome."""
    pilot.taxi("lining up", LineUp, speed_kt=6.0)
    pilot.taxi("lining up", [pilot.runway.point(pilot.along() + 20)], speed_kt=4.0)
    pilot.hold("lining up", 6)
    # Full power: the c172p's roll gains about 3 kt a second and it lifts off at 57 kt.
    pilot.roll("take-off roll", 57.0, 3.0)
    pilot.fly(
        "airborne", lambda s: pilot.height_ft() >= 500, 70, 650,
        heading=pilot.runway.heading_deg, step=1.0,
    )


def circuit(pilot, left, go_around):
    """From 500 ft on the climb-out to the touchdown, or to the go-around at 200 ft, with
    the downwind leg 1.8 km beside the runway at 1000 ft above the aerodrome."""
    runway = pilot.runway
    pilot.turn_rate = 4.5
    height = runway.elevation_ft + 1000
    to_side = (runway.heading_deg + (-90 if left else 90)) % 360
    back = (runway.heading_deg + 180) % 360
    final_m = 2500
    pilot.fly(
        "crosswind", lambda s: abs(pilot.across()) >= 1800 - turn_radius_m(85, 4.5),
        75, 650, level_ft=height, heading=to_side, turn_right=not left,
    )
    pilot.fly(
        "downwind", lambda s: pilot.along() <= -final_m + turn_radius_m(70, 4.5),
        85, 650, level_ft=height, heading=back, turn_right=not left,
    )
    pilot.fly(
        "base",
        lambda s: abs(pilot.across()) <= turn_radius_m(65, 4.5)
        and abs(heading_difference((to_side + 180) % 360, s.heading_deg)) < 1,
        70, -500, level_ft=runway.elevation_ft + 600,
        heading=(to_side + 180) % 360, turn_right=not left,
    )
    pilot.fly(
        "turning final",
        lambda s: abs(heading_difference(runway.heading_deg, s.heading_deg)) < 5,
        65, -500, level_ft=runway.elevation_ft + 400,
        heading=runway.heading_deg, turn_right=not left,
    )

    def three_degrees_to_touchdown(along_m):
        return runway.elevation_ft + WheelHeightFt + max(
            0.0, (300 - along_m) * math.tan(math.radians(3)) / MetresPerFoot
        )

    def onto_centre_line(state):
        return (runway.heading_deg - math.degrees(math.atan2(pilot.across(), 800))) % 360

    lowest_ft = WheelHeightFt + (200 if go_around else 0.5)
    pilot.fly(
        "final", lambda s: pilot.height_ft() <= lowest_ft, 60,
        heading=onto_centre_line, glide=three_degrees_to_touchdown,
    )
    pilot.turn_rate = 3.0
    if go_around:
        pilot.fly(
            "go-around", lambda s: pilot.height_ft() >= 500, 70, 700,
            heading=onto_centre_line, step=1.0,
        )


def land(pilot):
    pilot.roll("landing roll", 15.0, 2.5)
    pilot.taxi("landing roll", [RunwayExit, ClearOfRunway], speed_kt=15.0)
    pilot.hold("vacated", 6)
    pilot.taxi("taxi in", TaxiIn)
    pilot.hold("at stand", 10)
    pilot.hold("at stand", 6, engine_running=False)


def circuits(runway, left):
    pilot = Pilot(runway, StandT2C4, 319.1)
    taxi_out(pilot)
    take_off(pilot)
    if left:
        circuit(pilot, left, go_around=True)
    circuit(pilot, left, go_around=False)
    land(pilot)
    return pilot.steps


def en_route(runway):
    """From the holding point of 26L, where the route is set up and then activated."""
    pilot = Pilot(runway, TaxiOut[-1], 180.0)
    pilot.then("set up route")
    pilot.hold("holding point", 6, engine_running=True)
    pilot.then("activate route")
    pilot.hold("holding point", 10)
    take_off(pilot)
    ckh, point, mkk = RoutePositions
    lanai = LanaiAirport

    def heading_to(target):
        return lambda state: bearing_and_distance(state.position, target)[0]

    def passed(target):
        def done(state):
            bearing, distance = bearing_and_distance(state.position, target)
            return distance < 3000 and abs(heading_difference(bearing, state.heading_deg)) > 90

        return done

    def reached(level_ft):
        return lambda state: state.altitude_ft == level_ft

    # FlightGear's route manager leaves the departure runway for the next waypoint only
    # once the aircraft has passed the far end of the runway.
    pilot.fly(
        "climb", lambda s: pilot.along() >= runway.length_m + 300, 75, 700, level_ft=3000,
        heading=runway.heading_deg,
    )
    pilot.fly("climb", reached(3000), 75, 700, level_ft=3000, heading=heading_to(ckh))
    pilot.fly("cruise", passed(ckh), 100, heading=heading_to(ckh))
    pilot.fly("level change", reached(7000), 80, 600, level_ft=7000, heading=heading_to(point))
    pilot.fly("cruise", passed(point), 105, heading=heading_to(point))
    pilot.fly("descent", reached(5000), 110, -500, level_ft=5000, heading=heading_to(mkk))
    pilot.fly("cruise", passed(mkk), 105, heading=heading_to(mkk))
    pilot.fly("descent", reached(3000), 110, -500, level_ft=3000, heading=heading_to(lanai))
    return pilot.steps


Flights = {
    "left-circuit": lambda runway: circuits(runway, left=True),
    "right-circuit": lambda runway: circuits(runway, left=False),
    "en-route": en_route,
}



def polled_properties():
    """The properties the program polls today, as its FlightGear link lists them."""
    header = (Path(__file__).resolve().parents[2] / "sim/FlightGearReplies.h").read_text()
    listing = header[header.index("PropertyPaths{") :]
    return re.findall(r'"([^"]+)"', listing[: listing.index("};")])


RouteManager = "/autopilot/route-manager"
# What the phase of flight and the flight plan could be worked out from, one by one.
FlightProperties = [
    "/position/latitude-deg",
    "/position/longitude-deg",
    "/position/altitude-ft",
    "/position/altitude-agl-ft",
    "/orientation/heading-deg",
    "/orientation/track-deg",
    "/velocities/groundspeed-kt",
    "/velocities/vertical-speed-fps",
    "/velocities/airspeed-kt",
    "/gear/gear/wow",
    "/gear/gear[1]/wow",
    "/gear/gear[2]/wow",
    "/engines/engine/running",
] + [
    RouteManager + "/" + child
    for child in (
        "active", "airborne", "current-wp", "route/num", "ete", "distance-remaining-nm",
        "departure/airport", "departure/runway", "departure/sid",
        "destination/airport", "destination/runway", "destination/star",
        "destination/approach", "cruise/altitude-ft", "cruise/flight-level",
        "wp/id", "wp/dist", "wp/eta", "wp/eta-seconds", "wp[1]/id",
    )
]
# The same and more, a request a node; and the time of day, which is FlightGear's clock and
# not the flight's.
WholeNodes = [
    "/json/sim/time/gmt",
    "/json/position",
    "/json/velocities",
    "/json/orientation",
    "/json/gear/gear",
    "/json" + RouteManager + "?d=2",
    "/json" + RouteManager + "/route?d=2",
]


class FlightGear:
    """FlightGear's web server, asked over a few kept-alive connections at once, as it
    answers each connection once a frame."""

    def __init__(self, port):
        self.port = port
        self._local = threading.local()
        self._pool = ThreadPoolExecutor(max_workers=12)

    def request(self, method, path, body=None):
        for attempt in range(2):
            connection = getattr(self._local, "connection", None)
            if connection is None:
                connection = http.client.HTTPConnection("127.0.0.1", self.port, timeout=30)
                self._local.connection = connection
            try:
                connection.request(method, path, body)
                reply = connection.getresponse()
                return reply.status, reply.read().decode()
            except (OSError, http.client.HTTPException):
                connection.close()
                self._local.connection = None
                if attempt:
                    raise
        raise AssertionError("unreachable")

    def get_all(self, paths):
        return dict(zip(paths, self._pool.map(lambda path: self.request("GET", path)[1], paths)))

    def value(self, path):
        status, body = self.request("GET", "/json" + path)
        if status != 200:
            raise SystemExit(f"FlightGear answered {status} to GET /json{path}")
        return json.loads(body).get("value")

    def set(self, path, value):
        status, _ = self.request("POST", "/json" + path, json.dumps({"value": value}))
        if status != 200:
            raise SystemExit(f"FlightGear answered {status} to POST /json{path}")

    def set_tree(self, values):
        """Sets many properties in one request: {"/a/b": 1, "/a/c[1]/d": 2}."""
        root = {"children": []}
        for path, value in values.items():
            node = root
            for part in path.strip("/").split("/"):
                name, _, index = part.partition("[")
                index = int(index.rstrip("]") or 0)
                child = next(
                    (c for c in node["children"] if (c["name"], c["index"]) == (name, index)),
                    None,
                )
                if child is None:
                    child = {"name": name, "index": index, "children": []}
                    node["children"].append(child)
                node = child
            del node["children"]
            node["value"] = value
        status, _ = self.request("POST", "/json/", json.dumps(root))
        if status != 200:
            raise SystemExit(f"FlightGear answered {status} to setting {list(values)}")

    def next_frame(self):
        """Returns once FlightGear has run a whole frame since it was called."""
        start = self.value("/sim/time/elapsed-sec")
        deadline = time.monotonic() + 10
        while self.value("/sim/time/elapsed-sec") == start:
            if time.monotonic() > deadline:
                raise SystemExit("FlightGear's time stands still: is it paused?")

    def wait_for_scenery(self):
        deadline = time.monotonic() + 600
        while self.value("/sim/sceneryloaded") is not True:
            if time.monotonic() > deadline:
                raise SystemExit("FlightGear did not load its scenery in ten minutes")
            time.sleep(0.5)

    def take(self, state):
        """Puts the aircraft where the step has it; FlightGear's ground elevation there
        makes its altitude on the ground and its height above ground in the air. Returns
        what was set."""
        placed = {
            "/position/latitude-deg": state.position[0],
            "/position/longitude-deg": state.position[1],
            "/orientation/heading-deg": round(state.heading_deg, 3),
            "/orientation/roll-deg": state.bank_deg,
            "/velocities/groundspeed-kt": round(state.groundspeed_kt, 2),
            "/velocities/airspeed-kt": round(state.groundspeed_kt, 2),
            "/velocities/vertical-speed-fps": round(state.vertical_fpm / 60, 3),
            "/gear/gear/wow": 1.0 if state.on_ground else 0.0,
            "/gear/gear[1]/wow": 1.0 if state.on_ground else 0.0,
            "/gear/gear[2]/wow": 1.0 if state.on_ground else 0.0,
            "/engines/engine/running": state.engine_running,
        }
        self.set_tree(placed)
        self.next_frame()
        ground_ft = self.value("/position/ground-elev-ft")
        altitude_ft = ground_ft + WheelHeightFt if state.on_ground else state.altitude_ft
        heights = {
            "/position/altitude-ft": round(altitude_ft, 2),
            "/position/altitude-agl-ft": round(altitude_ft - ground_ft, 2),
        }
        self.set_tree(heights)
        return {**placed, **heights}

    def check(self, step, expected):
        """Fails unless FlightGear reads back what the step set, as a FlightGear that
        reloads its scenery puts the aircraft back where it started."""
        paths = list(expected)
        for path, reply in zip(paths, self.get_all(["/json" + path for path in paths]).values()):
            read = json.loads(reply).get("value")
            wanted = expected[path]
            if isinstance(wanted, bool) or isinstance(read, (bool, str, type(None))):
                same = read == wanted
            else:
                same = abs(read - wanted) < 1e-5
            if not same:
                raise SystemExit(
                    f"at {step.time} s ({step.name}) FlightGear reads {path} as {read}, not {wanted}"
                )

    def set_up_route(self):
        """The en-route flight's route in the route manager, unless it is there."""
        if self.value(RouteManager + "/route/num") == len(RouteWaypoints) + 2:
            return
        self.set(RouteManager + "/input", "@CLEAR")
        self.set(RouteManager + "/departure/airport", Aerodrome)
        self.set(RouteManager + "/departure/runway", DepartureRunway)
        self.set(RouteManager + "/destination/airport", Destination[0])
        self.set(RouteManager + "/destination/runway", Destination[1])
        for index, (waypoint, altitude_ft) in enumerate(RouteWaypoints, start=1):
            self.set(RouteManager + "/input", f"@INSERT{index}:{waypoint}@{altitude_ft}")
        self.set(RouteManager + "/cruise/altitude-ft", CruiseAltitudeFt)

    def act(self, action):
        if action == "set up route":
            self.set_up_route()
        elif action == "activate route":
            self.set(RouteManager + "/input", "@ACTIVATE")

    def read(self, whole_nodes):
        legs = self.value(RouteManager + "/route/num") or 0
        paths = [
            "/json" + path
            for path in polled_properties()
            + FlightProperties
            + [
                f"{RouteManager}/route/wp[{index}]/{child}"
                for index in range(legs)
                for child in ("id", "altitude-ft", "flight-level")
            ]
        ]
        return self.get_all(paths + (WholeNodes if whole_nodes else []))


def phase_starts(steps):
    """The index of the first step of each time the flight enters a phase, by NAME and
    NAME#N (the Nth time)."""
    starts = {}
    counts = {}
    for index, step in enumerate(steps):
        if index == 0 or steps[index - 1].name != step.name:
            counts[step.name] = counts.get(step.name, 0) + 1
            starts.setdefault(step.name, index)
            starts[f"{step.name}#{counts[step.name]}"] = index
    return starts


def point_index(steps, point):
    """The step a point names: a phase's first step (NAME or NAME#N), the Kth after it
    (NAME+K) or its last (NAME+last); None where the flight has no such phase."""
    phase, _, offset = point.partition("+")
    first = phase_starts(steps).get(phase)
    if first is None:
        return None
    if offset != "last":
        return min(first + int(offset or 0), len(steps) - 1)
    last = first
    while last + 1 < len(steps) and steps[last + 1].name == steps[first].name:
        last += 1
    return last


def step_line(step):
    state = step.state
    return json.dumps({
        "t": step.time,
        "step": step.name,
        "latitude": round(state.position[0], 6),
        "longitude": round(state.position[1], 6),
        "altitude_ft": round(state.altitude_ft, 1),
        "heading_deg": round(state.heading_deg, 1),
        "groundspeed_kt": round(state.groundspeed_kt, 1),
        "vertical_fpm": state.vertical_fpm,
        "on_ground": state.on_ground,
        "engine_running": state.engine_running,
        "actions": list(step.actions),
    })


def fly(flightgear, steps, first, last, record=None, whole_nodes_every_step=False):
    """Flies the steps from first to last, writing what is read at each to record if given."""
    for action in [action for step in steps[:first] for action in step.actions]:
        flightgear.act(action)
    recorded = {}
    for index in range(first, last + 1):
        step = steps[index]
        for action in step.actions:
            flightgear.act(action)
        expected = flightgear.take(step.state)
        flightgear.next_frame()
        if record is not None:
            phase_start = index == first or steps[index - 1].name != step.name
            replies = flightgear.read(whole_nodes_every_step or phase_start)
        # After the reading, so that what was read is what was set.
        flightgear.check(step, expected)
        if record is not None:
            changed = {path: reply for path, reply in replies.items() if recorded.get(path) != reply}
            recorded.update(changed)
            record.write(json.dumps({"t": step.time, "step": step.name, "replies": changed}) + "\n")
        print(step_line(step), flush=True)


def main():
    parser = argparse.ArgumentParser(
        description="Flies a C172 round PHNL in a FlightGear started with --fdm=null.",
        formatter_class=argparse.RawDescriptionHelpFormatter,
        epilog=__doc__,
    )
    parser.add_argument("flight", choices=sorted(Flights))
    parser.add_argument("--port", type=int, help="FlightGear's --httpd port")
    parser.add_argument("--list", action="store_true", help="print the steps, fly nothing")
    parser.add_argument("--from", dest="start", metavar="POINT", help="start at this point")
    parser.add_argument("--until", metavar="POINT", help="stop after this point")
    parser.add_argument("--record", metavar="FILE", help="write what a poller reads at each step")
    parser.add_argument("--whole-nodes", choices=("phase", "every"), default="phase",
                        help="record the whole nodes at the first step of each phase or at every step")
    args = parser.parse_args()
    if not args.list and args.port is None:
        parser.error("--port is needed to fly")

    flightgear = None if args.list else FlightGear(args.port)
    if flightgear is None:
        recorded_runways = Path(__file__).resolve().parents[1] / "sim/recorded/navdb-PHNL.json"
        navdb = recorded_runways.read_text()
    else:
        flightgear.wait_for_scenery()
        status, navdb = flightgear.request("GET", f"/navdb?q=airport&id={Aerodrome}")
        if status != 200:
            raise SystemExit(f"FlightGear answered {status} to the runways of {Aerodrome}")
    steps = Flights[args.flight](runway_from_navdb(navdb, DepartureRunway))

    for point in filter(None, (args.start, args.until)):
        if point_index(steps, point) is None:
            parser.error(f"no phase {point} in {args.flight}: "
                         f"{', '.join(sorted(phase_starts(steps)))}")
    first = point_index(steps, args.start) if args.start else 0
    last = point_index(steps, args.until) if args.until else len(steps) - 1
    if last < first:
        parser.error(f"{args.until} comes before {args.start}")

    if flightgear is None:
        for step in steps[first : last + 1]:
            print(step_line(step), flush=True)
    elif args.record:
        with open(args.record, "w") as record:
            fly(flightgear, steps, first, last, record, args.whole_nodes == "every")
    else:
        fly(flightgear, steps, first, last)


if __name__ == "__main__":
    sys.exit(main())
