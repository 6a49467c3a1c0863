#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# One key for the whole flight: the window linked to FlightGear, an aircraft flown by a
# script round Honolulu, and `velaro --press next` pressed once at each point of the
# flight, nothing typed. Each press puts the call that fits there on the clipboard and
# in FlightGear's chat; where no call fits, it says what the aircraft is doing and
# delivers nothing. Along a route, the fields the en-route calls take come from it, and
# what the pilot types still wins.
#
# Usage: flight-session.sh <velaro binary> <layout file> <stand-in binary> FLIGHT
#        flight-session.sh <velaro binary> <layout file> fgfs FLIGHT
# FLIGHT is left-circuit (from stand T2-C4, with a go-around and a second circuit, back
# to a stand), right-circuit (the same without them) or en-route (along a route towards
# Lanai; FlightGear's own route manager only). The stand-in is flown from point to
# point; the real FlightGear every step of the way.

set -eu -o pipefail
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"
use_private_bus "$@"

simulator=$3
flight=$4
simulator_start=--parkpos=T2-C4
[[ $flight != en-route ]] || simulator_start=--runway=26L
# shellcheck source=tests/e2e/flightgear.sh
source "$(dirname "$0")/flightgear.sh"

framed() { echo "PHNL traffic, RA1234, $1, PHNL traffic"; }
side=${flight%%-*}
# A point of the flight script, what is asked there (--press next unless said), and what
# it gives: the call, a pattern of it, or, after "is", what --press next says the
# aircraft is doing when no call comes next. From the stand the runway is the one most
# into the wind, whatever the simulator's wind is (RWY*); on the runway it is the one the
# aircraft uses. En route the aerodrome is the nearest, whatever it is.
points=()
circuit() {
    points+=(
        "crosswind$1+last||$(framed "crosswind $side")"
        "downwind$1+last||is on the downwind leg"
        "base$1+last||$(framed "turn base $side")"
        "turning final$1+4||$(framed 'turning final RWY26L')"
        "final$1+5||$(framed 'final RWY26L')"
    )
}
case $flight in
*-circuit)
    points+=(
        "stand||$(framed 'engines start up on stand T2-C4')"
        "taxi+3||$(framed 'taxiing via  to holding point RWY*')"
        "lining up+last||$(framed 'lining up RWY26L for  departure, initial climb m')"
        "take-off roll+last||$(framed 'departing RWY26L')"
        "airborne+last||$(framed 'airborn')"
    )
    circuit ''
    if [[ $flight == left-circuit ]]; then
        # From low on final.
        points+=("final+last||is on final" "go-around+last||$(framed 'go around')")
        circuit '#2'
    fi
    points+=(
        "landing roll+3||is on the landing roll"
        "vacated+last||$(framed 'RWY26L vacated on TWY')"
        "taxi in+10||$(framed 'taxiing on stand T2-C4 via ')"
        "at stand+last||$(framed 'on stand T2-C4, engines shutdown')"
    )
    ;;
en-route)
    [[ $simulator == fgfs ]] || fail 'the en-route flight needs FlightGear'"'"'s route manager'
    enRoute() { echo "* traffic, RA1234, $1, * traffic"; }
    points+=(
        "lining up+last||$(framed 'lining up RWY26L for  departure, initial climb 910m')"
        "take-off roll+last||$(framed 'departing RWY26L')"
        "airborne+last||$(framed 'airborn')"
        "cruise+10||is en route between reporting points"
        "level change+3||$(enRoute 'CKH *m, climbing 2130m, direct to W157N021 at [0-5][0-9]min')"
        "level change+12||$(enRoute '*m, maintaining 2130m')"
        "descent+3||$(enRoute 'W157N021 *m, descending 1520m, direct to MKK at [0-5][0-9]min')"
        "descent+20||$(enRoute 'MKK *m, proceeding on  for RWY03 approach, descending 1520m')"
        "cruise#3+10|--fill next-level=1200 course=095 leg-time=1|"
        "cruise#3+10|--press level|$(enRoute '1[45][0-9]0m, descending 1200m')"
        "cruise#3+10|--press hold|$(enRoute 'hold at MKK 1[45][0-9]0m, inbound track 095, left hand pattern, time 1 min')"
    )
    ;;
esac

fly_to() {
    local from=$1 to=$2
    [[ $simulator == fgfs ]] || from=$to
    python3 "$(dirname "$0")/fly-flightgear.py" "$flight" --port "$port" \
        ${from:+--from "$from"} --until "$to" >>"$session_dir/flight.log" ||
        fail "the flight script did not fly from '$from' to '$to'"
}

# Asks at the point until the aircraft is in its phase: before it has held there for a
# moment, nothing comes next, as the call of the phase before is said.
asked=()
expected=''
answered_there() {
    remote "${asked[@]}"
    if [[ $expected == is\ * ]]; then
        [[ $(cat "$session_dir/remote.err") == "no call comes next: the aircraft $expected"* ]]
    else
        ((status != 2))
    fi
}

velaro=$1
layout=$2
open_session stop_all xclip curl python3
start_simulator
WaitSeconds=${SimulatorSeconds:-10} wait_until scenery_loaded || fail 'FlightGear did not load its scenery'
if [[ $simulator != fgfs ]]; then
    # As FlightGear started at a stand: the stand, and no runway.
    set_property /sim/presets/parkpos '"T2-C4"'
    set_property /sim/atc/runway '""'
fi
start_program --flightgear="127.0.0.1:$port"
wait_until title_is 'FlightGear, не в сети' || fail "the title reads '$(xdotool getwindowname "$main_window")'"

previous=''
for point in "${points[@]}"; do
    IFS='|' read -r where ask expected <<<"$point"
    read -r -a asked <<<"${ask:---press next}"
    fly_to "$previous" "$where"
    previous=$where
    # A phase holds two seconds before it counts; a stand, ten stopped.
    WaitSeconds=60 wait_until answered_there ||
        fail "at $where ${asked[*]} gave status $status, '$output' ($(cat "$session_dir/remote.err")), expected '$expected'"
    echo "$where: ${asked[*]}: $output$(cat "$session_dir/remote.err")"
    [[ -n $expected && $expected != is\ * ]] || continue
    # shellcheck disable=SC2053 # the expected call may be a pattern
    ((status == 0)) && [[ $output == $expected ]] ||
        fail "at $where ${asked[*]} gave status $status, '$output' ($(cat "$session_dir/remote.err")), expected '$expected'"
    clipboard_is "$output" || fail "after ${asked[*]} at $where the clipboard holds '$(clipboard)'"
    wait_until in_chat "$output" || fail "'$output' did not reach FlightGear's chat"
done
echo "PASS: the calls at every point of the flight ($flight) linked to ${simulator##*/}"
