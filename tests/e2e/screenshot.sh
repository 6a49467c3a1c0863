#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Takes a picture of the main window with the worked example filled in, for the
# README and docs/; given a stand-in FlightGear, of the window linked to it at a stand,
# with the fields it filled, the start-up call marked as the one that comes next and the
# Simulator menu open.
#
# Usage: screenshot.sh <path of the velaro binary> <layout file print-layout wrote> <PNG file to write>
#                      [<stand-in FlightGear binary>]

set -eu -o pipefail
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"

output=$(realpath -m "$3")
standin=${4:-}
if [[ -z $standin ]]; then
    start_session "$1" "$2"
    fill Text1 RA-12345
    fill Text2 ULLP
    fill Text3_6 28L
    fill Text3_10 3000
else
    velaro=$1
    layout=$2
    standin_pid=''
    # shellcheck disable=SC2317 # called by the exit trap
    stop_all() {
        [[ -z $standin_pid ]] || kill "$standin_pid" 2>/dev/null || true
        stop_session
    }
    open_session stop_all xclip curl
    "$standin" 0 >"$session_dir/standin.log" &
    standin_pid=$!
    wait_until test -s "$session_dir/standin.log" || fail 'the stand-in FlightGear did not start'
    port=$(head -n 1 "$session_dir/standin.log")
    # The aircraft at stand T2-C4, where the start-up call comes next.
    for property in latitude-deg=21.328867 longitude-deg=-157.923317 altitude-agl-ft=4.05; do
        curl -sf -m 2 -d "{\"value\":${property#*=}}" \
            "http://127.0.0.1:$port/json/position/${property%=*}" >/dev/null
    done
    start_program --flightgear="127.0.0.1:$port"
    linked() { xdotool getwindowname "$main_window" | grep -q 'FlightGear'; }
    wait_until linked || fail 'the window did not link to the stand-in FlightGear'
fi
fill Text3_0 B2
fill Text3_2 12
pick_direction north
fill Text3_5 'A C'
fill Text3_7 'KILO 1A'
fill Text3_8 900
fill Text3_9 ODIMO
fill Text3_4 RATOS
fill Text3_1 35
fill Text3_11 3600
fill Text3_15 'ODIMO 2K'
fill Text3_3 095
fill Text3_12 1
# The lining-up call the README quotes; the button keeps the focus.
click Command4
if [[ -z $standin ]]; then
    lining_up='ULLP traffic, RA-12345, lining up RWY28L for KILO 1A departure, initial climb 900m, ULLP traffic'
else
    lining_up='PHNL traffic, RA1234, lining up RWY26L for KILO 1A departure, initial climb 900m, PHNL traffic'
    use_menu Cyrillic_em
fi
wait_until clipboard_is "$lining_up" || fail "the lining-up button put '$(clipboard)' on the clipboard"

# The window's place on the screen, with an open menu's where it reaches beyond; the
# screen around them is left out of the picture, transparent.
left=0 top=0 right=0 bottom=0 shapes=''
measure_picture() {
    local window X Y WIDTH HEIGHT
    eval "$(xdotool getwindowgeometry --shell "$main_window" | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
    left=$X top=$Y right=$((X + WIDTH)) bottom=$((Y + HEIGHT))
    shapes="rectangle 0,0 $((WIDTH - 1)),$((HEIGHT - 1))"
    for window in $(other_windows); do
        eval "$(xdotool getwindowgeometry --shell "$window" | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
        ((X + WIDTH <= right)) || right=$((X + WIDTH))
        ((Y + HEIGHT <= bottom)) || bottom=$((Y + HEIGHT))
        shapes+=" rectangle $((X - left)),$((Y - top)) $((X - left + WIDTH - 1)),$((Y - top + HEIGHT - 1))"
    done
}

# Taken again until two pictures agree, so the press has been painted.
picture_is_settled() {
    measure_picture
    local area="$((right - left))x$((bottom - top))+$left+$top"
    import -window root -crop "$area" +repage -strip "$session_dir/previous.png"
    import -window root -crop "$area" +repage -strip "$output"
    cmp -s "$session_dir/previous.png" "$output"
}
wait_until picture_is_settled || fail 'the window kept changing'
convert "$output" -alpha set \( +clone -alpha off -fill black -colorize 100 -fill white \
    -draw "$shapes" \) -alpha off -compose CopyOpacity -composite -strip "$output"
echo "wrote $output"
