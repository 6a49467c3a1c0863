#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# One key for the whole flight: the window linked to FlightGear, an aircraft flown by a
# script from a stand at Honolulu round a circuit of runway 26L and back to a stand, and
# `velaro --press next` pressed once at each point of the flight, nothing typed. Each
# press puts the call that fits there on the clipboard and in FlightGear's chat; where
# no call fits, it says what the aircraft is doing and delivers nothing.
#
# Usage: circuit-session.sh <velaro binary> <layout file> <stand-in binary> FLIGHT
#        circuit-session.sh <velaro binary> <layout file> fgfs FLIGHT
# FLIGHT is left-circuit (with a go-around and a second circuit) or right-circuit. The
# second runs Debian's real FlightGear and flies every step of the way; the stand-in is
# flown from point to point.

set -eu -o pipefail
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"
use_private_bus "$@"

simulator=$3
flight=$4
simulator_start=--parkpos=T2-C4
# shellcheck source=tests/e2e/flightgear.sh
source "$(dirname "$0")/flightgear.sh"

framed() { echo "PHNL traffic, RA1234, $1, PHNL traffic"; }
side=${flight%%-*}
# A point of the flight script, and there the call --press next gives, or, after "is",
# what it says the aircraft is doing when it gives none. From the stand the runway is
# the one most into the wind, whatever the simulator's wind is (RWY*); on the runway it
# is the one the aircraft uses.
points=(
    "stand|$(framed 'engines start up on stand T2-C4')"
    "taxi+3|$(framed 'taxiing via  to holding point RWY*')"
    "lining up+last|$(framed 'lining up RWY26L for  departure, initial climb m')"
    "take-off roll+last|$(framed 'departing RWY26L')"
    "airborne+last|$(framed 'airborn')"
)
circuit() {
    points+=(
        "crosswind$1+last|$(framed "crosswind $side")"
        "downwind$1+last|is on the downwind leg"
        "base$1+last|$(framed "turn base $side")"
        "turning final$1+4|$(framed 'turning final RWY26L')"
        "final$1+5|$(framed 'final RWY26L')"
    )
}
circuit ''
if [[ $flight == left-circuit ]]; then
    # From low on final.
    points+=("final+last|is on final" "go-around+last|$(framed 'go around')")
    circuit '#2'
fi
points+=(
    "landing roll+3|is on the landing roll"
    "vacated+last|$(framed 'RWY26L vacated on TWY')"
    "taxi in+10|$(framed 'taxiing on stand T2-C4 via ')"
    "at stand+last|$(framed 'on stand T2-C4, engines shutdown')"
)

fly_to() {
    local from=$1 to=$2
    [[ $simulator == fgfs ]] || from=$to
    python3 "$(dirname "$0")/fly-flightgear.py" "$flight" --port "$port" \
        ${from:+--from "$from"} --until "$to" >>"$session_dir/flight.log" ||
        fail "the flight script did not fly from '$from' to '$to'"
}

# Presses next until the aircraft is in the phase of the point: before it has held there
# for a moment, nothing comes next, as the call of the phase before is said.
expected=''
pressed_there() {
    remote --press next
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
    curl -sf -m 2 -d '{"value":"T2-C4"}' "http://127.0.0.1:$port/json/sim/presets/parkpos" >/dev/null
    curl -sf -m 2 -d '{"value":""}' "http://127.0.0.1:$port/json/sim/atc/runway" >/dev/null
fi
start_program --flightgear="127.0.0.1:$port"
wait_until title_is 'FlightGear, не в сети' || fail "the title reads '$(xdotool getwindowname "$main_window")'"

previous=''
for point in "${points[@]}"; do
    where=${point%%|*}
    expected=${point#*|}
    fly_to "$previous" "$where"
    previous=$where
    # A phase holds two seconds before it counts; a stand, ten stopped.
    WaitSeconds=20 wait_until pressed_there ||
        fail "at $where --press next gave status $status, '$output' ($(cat "$session_dir/remote.err")), expected '$expected'"
    echo "$where: $output$(cat "$session_dir/remote.err")"
    [[ $expected == is\ * ]] && continue
    # shellcheck disable=SC2053 # the expected call may hold a pattern for the runway
    ((status == 0)) && [[ $output == $expected ]] ||
        fail "at $where --press next gave status $status, '$output' ($(cat "$session_dir/remote.err")), expected '$expected'"
    clipboard_is "$output" || fail "after --press next at $where the clipboard holds '$(clipboard)'"
    wait_until in_chat "$output" || fail "'$output' did not reach FlightGear's chat"
done
echo "PASS: --press next at every point of a $flight linked to ${simulator##*/}"
