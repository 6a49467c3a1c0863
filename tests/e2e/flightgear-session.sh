#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A circuit flown with the window linked to FlightGear: the fields fill themselves,
# calls pressed from another program reach the clipboard and FlightGear's chat, the
# pilot's own text wins over the simulator's, and FlightGear quitting and coming back
# leaves the window answering with its fields.
#
# Usage: flightgear-session.sh <velaro binary> <layout file> <stand-in FlightGear binary>
#        flightgear-session.sh <velaro binary> <layout file> fgfs
# The second runs Debian's real FlightGear (minutes, and about 2 GB of memory).

set -eu -o pipefail
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"
use_private_bus "$@"

simulator=$3
simulator_start=--runway=26L
# shellcheck source=tests/e2e/flightgear.sh
source "$(dirname "$0")/flightgear.sh"

# Presses a call from afar until it is the one expected: the fields fill within a second.
expect_press() {
    local call=$1 expected=$2
    pressed_as_expected() { remote --press "$call" && [[ $output == "$expected" ]]; }
    wait_until pressed_as_expected ||
        fail "--press $call gave status $status, '$output' ($(cat "$session_dir/remote.err")), expected '$expected'"
    clipboard_is "$expected" || fail "after --press $call the clipboard holds '$(clipboard)'"
    wait_until in_chat "$expected" || fail "'$expected' did not reach FlightGear's chat"
}

velaro=$1
layout=$2
open_session stop_all xclip curl
start_simulator
start_program --flightgear="127.0.0.1:$port"
wait_until title_is 'FlightGear, не в сети' || fail "the title reads '$(xdotool getwindowname "$main_window")'"

remote --fill departure-procedure='kilo 1a' initial-level=900 next-level=600
((status == 0)) || fail "--fill gave status $status: $(cat "$session_dir/remote.err")"
expect_press lineup 'PHNL traffic, RA1234, lining up RWY26L for KILO 1A departure, initial climb 900m, PHNL traffic'
expect_press takeoff 'PHNL traffic, RA1234, departing RWY26L, PHNL traffic'

if [[ $simulator == fgfs ]]; then
    WaitSeconds=$SimulatorSeconds wait_until scenery_loaded || fail 'FlightGear did not load its scenery'
    level_shows_altitude() {
        curl -sf -m 2 -d '{"value":1000}' "http://127.0.0.1:$port/json/position/altitude-ft" >/dev/null &&
            remote --press level && [[ $output =~ ^'PHNL traffic, RA1234, '(2[5-9]|3[0-2])0m, ]]
    }
    WaitSeconds=30 wait_until level_shows_altitude || fail "after the climb to 1000 ft the level call reads '$output'"
fi

# The pilot's runway stays through the simulator's next reading, the one that brings a
# new callsign.
remote --fill runway=08r
set_property /sim/multiplay/callsign '"RA1235"'
expect_press takeoff 'PHNL traffic, RA1235, departing RWY08R, PHNL traffic'

kill -9 "$simulator_pid"
wait "$simulator_pid" 2>/dev/null || true
remote --press takeoff
((status == 3)) && [[ $output == 'PHNL traffic, RA1235, departing RWY08R, PHNL traffic' ]] &&
    grep -q "not in FlightGear's chat" "$session_dir/remote.err" ||
    fail "with FlightGear gone --press gave status $status, '$output', $(cat "$session_dir/remote.err")"
wait_until title_is 'FlightGear: нет связи' || fail "the title reads '$(xdotool getwindowname "$main_window")'"

start_simulator
WaitSeconds=30 wait_until title_is 'FlightGear, не в сети' || fail 'the link did not come back'
expect_press takeoff 'PHNL traffic, RA1234, departing RWY08R, PHNL traffic'
echo "PASS: a circuit linked to ${simulator##*/}"
