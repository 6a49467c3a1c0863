#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The real program on Wayland, in Weston: the compositor's maximise key and the maximise
# button of the title bar Qt draws, on the main window and on the About box, leave the
# program running with what the pilot typed, the window filling the output while
# maximised and back at its own size after; and a call pressed from another program
# while a terminal has the focus reaches the clipboard there.
#
# Usage: wayland-session.sh <path of the velaro binary> <layout file print-layout wrote>

set -eu -o pipefail
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"
# shellcheck source=tests/e2e/weston.sh
source "$(dirname "$0")/weston.sh"
# Where `velaro --press` finds the window.
use_private_bus "$@"

start_weston_session "$1" "$2"
readonly NormalSize="$window_width $window_height"
fills_output() { find_window && [[ "$window_width $window_height" == "$OutputWidth $OutputHeight" ]]; }
has_normal_size() { find_window && [[ "$window_width $window_height" == "$NormalSize" ]]; }
main_window_is_inactive() { ! window_is_active; }

# The callsign field has the keyboard focus as the window opens.
type_keys r a minus 1 2 3 4 5 Tab u l l p Tab
xdotool key super+shift+m
wait_until fills_output || fail 'Super+Shift+M did not maximise the main window'
state=fills_output
for expected in has_normal_size fills_output has_normal_size; do
    holds_for_a_moment "$state" || fail "the main window did not stay in $state"
    click_title_button maximise
    wait_until "$expected" || fail "the title bar's maximise button did not lead to $expected"
    [[ $expected == fills_output ]] || wait_until size_is_fixed || fail 'restored, the main window can be resized'
    state=$expected
done
# Alt alone reaches the menu bar; Help, the fourth menu → About. Enter closes the
# maximised box. Just restored, the window at times hears every key and yet leaves the
# menu bar alone, as if Alt had gone down with something else: then Escape closes what
# opened, and the keys are typed again.
about_box_opens() {
    local attempt
    for attempt in 1 2 3; do
        type_keys alt Right Right Right Down Return
        WaitSeconds=10 wait_until main_window_is_inactive && return 0
        echo "Help → About typed at attempt $attempt showed no box" >&2
        type_keys Escape Escape
    done
    return 1
}
about_box_opens || fail 'Help → About showed no box'
xdotool key super+shift+m
wait_until fills_output || fail 'Super+Shift+M did not maximise the About box'
type_keys Return
wait_until has_normal_size || fail 'the main window is not back at its size after the About box'
click_in_window Command5
wait_until wayland_clipboard_is 'ULLP traffic, RA-12345, departing RWY, ULLP traffic' ||
    fail "the take-off call reads '$(wayland_clipboard)' on Wayland"

# A press from another program while a terminal has the focus: through wl-copy, read
# back with wl-paste, and the keyboard stays away from VELARO's windows.
weston-terminal >/dev/null 2>&1 &
terminal_pid=$!
wait_until keyboard_is_elsewhere || fail 'the terminal did not take the focus'
put_on_wayland_clipboard 'before the press'
pressed=$("$velaro" --press takeoff) || fail "velaro --press takeoff failed on Wayland: $pressed"
[[ $pressed == 'ULLP traffic, RA-12345, departing RWY, ULLP traffic' ]] ||
    fail "velaro --press takeoff printed '$pressed' on Wayland"
wait_until wayland_clipboard_is "$pressed" ||
    fail "after velaro --press takeoff the clipboard reads '$(wayland_clipboard)' on Wayland"
holds_for_a_moment keyboard_is_elsewhere || fail 'a press from another program activated the main window'
# A wl-copy that fails: nothing is printed, and status 3 says why.
printf '#!/bin/sh\necho "wl-copy: no seat here" >&2\nexit 1\n' >"$session_dir/bin/wl-copy"
chmod +x "$session_dir/bin/wl-copy"
status=0
"$velaro" --press takeoff >"$session_dir/press.out" 2>"$session_dir/press.err" || status=$?
[[ $status:$(cat "$session_dir/press.out" "$session_dir/press.err") == "3:The call did not reach the clipboard: wl-copy failed; its message is in VELARO's own output" ]] ||
    fail "with wl-copy failing, velaro --press takeoff exited with $status: $(cat "$session_dir/press.err")"
[[ -n ${VELARO_E2E_PICTURE:-} ]] && import -window root "$VELARO_E2E_PICTURE"
kill "$terminal_pid"
echo 'PASS: maximising and a press from another program on Wayland'
