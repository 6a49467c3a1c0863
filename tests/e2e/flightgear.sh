# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck shell=bash
# FlightGear for the sessions that link the window to it: the stand-in that answers as a
# real one did, or Debian's real FlightGear, started on loopback, and what a session
# asks of it. Sourced after lib.sh; the sourcing script names the simulator in
# $simulator, the stand-in's binary or fgfs, and where FlightGear starts, in
# $simulator_start (fgfs's --runway=… or --parkpos=…).

simulator_pid=''
port=''
if [[ $simulator == fgfs ]]; then
    # Debian puts the simulator with the games.
    PATH=$PATH:/usr/games
    if ! command -v fgfs >/dev/null; then
        echo "SKIP: FlightGear is not installed (apt-get install flightgear)"
        exit 77
    fi
    port=$((20000 + RANDOM % 20000))
    # Long enough for FlightGear to load its scenery, without terrasync, on a busy machine.
    SimulatorSeconds=300
fi

stop_all() {
    [[ -z $simulator_pid ]] || kill -9 "$simulator_pid" 2>/dev/null || true
    stop_session
}

start_simulator() {
    if [[ $simulator == fgfs ]]; then
        # The aircraft stands still where it starts, and the test itself moves it. No
        # scenery or weather comes from the network, and the least is drawn: on a virtual
        # display FlightGear renders in software, and with all its detail it has crashed
        # while loading. Without terrain, models and clouds drawn, and its frames capped,
        # it answers its web server at 60 frames a second rather than 4.
        fgfs --httpd="$port" --airport=PHNL "$simulator_start" \
            --aircraft=c172p --callsign=RA1234 --fdm=null --disable-sound --disable-terrasync \
            --disable-real-weather-fetch --disable-splash-screen --geometry=320x240 \
            --disable-ai-models --disable-ai-traffic --disable-clouds --fog-fastest \
            --prop:/sim/rendering/shaders/quality-level=0 --disable-random-objects \
            --disable-random-vegetation --disable-random-buildings \
            --prop:/sim/rendering/draw-mask/terrain=false --prop:/sim/rendering/draw-mask/models=false \
            --prop:/sim/rendering/draw-mask/aircraft=false --prop:/sim/rendering/draw-mask/clouds=false \
            --prop:/sim/frame-rate-throttle-hz=60 >>"$session_dir/fgfs.log" 2>&1 &
        simulator_pid=$!
        WaitSeconds=$SimulatorSeconds wait_until answers /json/sim/multiplay/callsign ||
            fail "FlightGear did not answer on port $port; its log: $(tail -n 5 "$session_dir/fgfs.log")"
    else
        "$simulator" "${port:-0}" >>"$session_dir/chat.log" &
        simulator_pid=$!
        wait_until test -s "$session_dir/chat.log" || fail 'the stand-in FlightGear did not start'
        port=${port:-$(head -n 1 "$session_dir/chat.log")}
    fi
}

answers() { curl -sf -m 2 "http://127.0.0.1:$port$1" >/dev/null; }

# Sets a property of FlightGear's to a JSON value.
set_property() {
    curl -sf -m "$WaitSeconds" -d "{\"value\":$2}" "http://127.0.0.1:$port/json$1" >/dev/null ||
        fail "FlightGear did not take $1 = $2"
}

# Until its scenery is in, FlightGear puts the aircraft back where it started.
scenery_loaded() {
    curl -sf -m 2 "http://127.0.0.1:$port/json/sim/sceneryloaded" | grep -q '"value":true'
}

in_chat() {
    if [[ $simulator == fgfs ]]; then
        curl -sf -m 2 "http://127.0.0.1:$port/json/sim/multiplay/chat-history" | grep -qF -- "$1"
    else
        grep -qxF -- "$1" "$session_dir/chat.log"
    fi
}

output=''
status=0
remote() {
    status=0
    output=$("$velaro" "$@" 2>"$session_dir/remote.err") || status=$?
}

title_is() { [[ $(xdotool getwindowname "$main_window") == "$MainTitle — $1" ]]; }
