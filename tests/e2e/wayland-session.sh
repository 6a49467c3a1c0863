#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The real program on Wayland, in Weston: the compositor's maximise key and the maximise
# button of the title bar Qt draws, on the main window and on the About box, leave the
# program running with what the pilot typed, the window filling the output while
# maximised and back at its own size after.
#
# Usage: wayland-session.sh <path of the velaro binary>

set -eu -o pipefail
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"
# shellcheck source=tests/e2e/weston.sh
source "$(dirname "$0")/weston.sh"

start_weston_session "$1"
readonly NormalSize="$window_width $window_height"
fills_output() { find_window && [[ "$window_width $window_height" == "$OutputWidth $OutputHeight" ]]; }
has_normal_size() { find_window && [[ "$window_width $window_height" == "$NormalSize" ]]; }
main_window_is_inactive() { ! window_is_active; }

# The callsign field has the keyboard focus as the window opens.
type_and_tab ra-12345 ullp
xdotool key super+shift+m
wait_until fills_output || fail 'Super+Shift+M did not maximise the main window'
for expected in has_normal_size fills_output has_normal_size; do
    click_title_button maximise
    wait_until "$expected" || fail "the title bar's maximise button did not lead to $expected"
done
# Alt alone reaches the menu bar; Help → About. Enter closes the maximised box.
xdotool key alt Right Right Down Return
wait_until main_window_is_inactive || fail 'Help → About showed no box'
xdotool key super+shift+m
wait_until fills_output || fail 'Super+Shift+M did not maximise the About box'
xdotool key Return
wait_until has_normal_size || fail 'the main window is not back at its size after the About box'
click_in_window Command5
wait_until wayland_clipboard_is 'ULLP traffic, RA-12345, departing RWY, ULLP traffic' ||
    fail "the take-off call reads '$(wayland_clipboard)' on Wayland"
echo 'PASS: maximising on Wayland'
