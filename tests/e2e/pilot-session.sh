#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A pilot's session with the real program: fields typed in lower case with the
# mouse and with Tab, every button pressed and its call read back from the system
# clipboard, the modes switched with the option buttons and the Options menu, the
# numeric checks' message boxes, the About box, and File → Exit from the keyboard.
#
# Usage: pilot-session.sh <path of the velaro binary> <layout file print-layout wrote>

set -eu -o pipefail
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"
# Where `velaro --press` finds the window.
use_private_bus "$@"

# Put on the clipboard before every press, so that a call left over from an
# earlier press cannot pass for the expected one.
readonly Untouched='clipboard before the press'

mark_clipboard() { put_on_clipboard "$Untouched"; }

expect_clipboard() {
    local after=$1 expected=$2
    wait_until clipboard_is "$expected" ||
        fail "after $after the clipboard holds '$(clipboard)', expected '$expected'"
}

# Clicks a button and checks the call it leaves on the clipboard.
press() {
    local button=$1 expected=$2
    mark_clipboard
    click "$button"
    expect_clipboard "$button" "$expected"
}

# Presses the button that has the keyboard focus with a key: space or Return.
press_focused() {
    local key=$1 button=$2 expected=$3
    mark_clipboard
    xdotool key "$key"
    expect_clipboard "$key on $button" "$expected"
}

# Pastes text with the keyboard over the whole of a field's text.
paste_into() {
    put_on_clipboard "$2"
    click_field "$1"
    xdotool key ctrl+a ctrl+v
}

# A fixed single border: the window manager is offered no maximising, and the
# smallest and largest sizes are the window's own.
window_has_fixed_size() {
    local motif flags functions hints
    motif=$(xprop -id "$main_window" _MOTIF_WM_HINTS) || return 1
    # flags, functions, decorations, …: the functions are given (flag bit 1), neither as
    # "all" (bit 1) nor with maximising (bit 0x10).
    IFS=', ' read -r flags functions _ <<<"${motif#*= }"
    ((flags & 1 && !(functions & 0x11))) || return 1
    hints=$(xprop -id "$main_window" WM_NORMAL_HINTS)
    [[ $(sed -n 's/.*minimum size: //p' <<<"$hints") == $(sed -n 's/.*maximum size: //p' <<<"$hints") ]]
}

message_box=''
message_box_is_shown() {
    local boxes
    boxes=$(xdotool search --onlyvisible --name '^VELARO$' 2>/dev/null) || return 1
    [[ $(wc -l <<<"$boxes") -eq 1 ]] || fail "more than one message box: $boxes"
    message_box=$boxes
}
no_message_box() { ! xdotool search --onlyvisible --name '^VELARO$' >/dev/null 2>&1; }

# Clicks a button whose numeric check fails, sees the message box and dismisses it
# with Enter.
press_and_dismiss() {
    local button=$1
    mark_clipboard
    click "$button"
    wait_until message_box_is_shown || fail "$button showed no message box titled VELARO"
    wait_until has_keyboard_focus "$message_box" || fail "the message box of $button has no focus"
    xdotool key Return
    wait_until no_message_box || fail "Enter did not close the message box of $button"
}

# A failed check that ends the press: the clipboard keeps what it held.
press_refused() {
    press_and_dismiss "$1"
    holds_for_a_moment clipboard_is "$Untouched" ||
        fail "$1 changed the clipboard to '$(clipboard)' after its check failed"
}

is_running() { ! has_ended "$velaro_pid"; }

# Presses a call from another program, as a desktop shortcut does, and checks the exit
# status and the one line printed: the call on stdout, or why not on stderr. The
# clipboard then holds the printed call, or still holds what it held.
remote_press() {
    local name=$1 expected_status=$2 expected_line=$3 status=0 printed
    mark_clipboard
    "$velaro" --press "$name" >"$session_dir/press.out" 2>"$session_dir/press.err" || status=$?
    ((status == expected_status)) ||
        fail "velaro --press $name exited with $status, expected $expected_status: $(cat "$session_dir/press.err")"
    if ((status == 0)); then
        printed=$(cat "$session_dir/press.out")
        expect_clipboard "velaro --press $name" "$printed"
    else
        printed=$(cat "$session_dir/press.err")
        holds_for_a_moment clipboard_is "$Untouched" ||
            fail "velaro --press $name changed the clipboard to '$(clipboard)'"
    fi
    [[ $printed == "$expected_line" ]] || fail "velaro --press $name printed '$printed', expected '$expected_line'"
}

about_boxes() { xdotool search --onlyvisible --name '^About VELARO$' 2>/dev/null | wc -l; }
one_about_box() { [[ $(about_boxes) -eq 1 ]]; }
main_window_is_gone() { ! xdotool search --onlyvisible --name "^$MainTitle\$" >/dev/null 2>&1; }

start_session "$1" "$2"
readonly Frame='ULLP traffic, RA-12345'
window_has_fixed_size || fail "the main window can be maximised or resized: $(xprop -id "$main_window")"

# Ground: the first row with the keyboard, lower case in, upper case out.
click Text1
type_and_tab ra-12345 ullp 28l
xdotool type b2
fill Text3_2 12
xdotool key Tab Tab
xdotool type 'a c'
pick_direction north
press Command1 "$Frame, pushing back face north from stand 12, ULLP traffic"
# Typed over, the list's text is no entry and keeps its case.
fill Combo1 b3
press Command1 "$Frame, pushing back to starting point b3 from stand 12, ULLP traffic"
# Typed text that spells an entry picks nothing.
fill Combo1 north
press Command1 "$Frame, pushing back to starting point north from stand 12, ULLP traffic"
# A wheel notch while the pointer crosses the list without the focus changes nothing.
pick_direction west
click Text3_2
locate Combo1
xdotool mousemove --window "$main_window" "$x" "$y" click 5
press Command1 "$Frame, pushing back face west from stand 12, ULLP traffic"
press Command2 "$Frame, engines start up on stand 12, ULLP traffic"
press Command3_0 "$Frame, taxiing via A C to holding point RWY28L, ULLP traffic"
press Command16_1 "$Frame, RWY28L vacated on TWYB2, ULLP traffic"
# A pasted line break and tab become blanks: the call stays on one line.
paste_into Text3_5 $'a\nc\td'
press Command3_0 "$Frame, taxiing via A C D to holding point RWY28L, ULLP traffic"
fill Text3_5 'a c'

click Option1_3
press Command2 "$Frame, on stand 12, engines shutdown, ULLP traffic"
press Command3_0 "$Frame, taxiing on stand 12 via A C, ULLP traffic"
press Command16_1 "$Frame, RWY28L vacated on TWYB2, ULLP traffic"
click Option1_2
press Command2 "$Frame, engines start up on stand 12, ULLP traffic"

# Departure, with the units switched in the Options menu.
fill Text3_7 'kilo 1a'
xdotool key Tab
xdotool type 900
press Command4 "$Frame, lining up RWY28L for KILO 1A departure, initial climb 900m, ULLP traffic"
use_menu Cyrillic_pe Down Return
fill Text3_8 070
press Command4 "$Frame, lining up RWY28L for KILO 1A departure, initial climb FL070, ULLP traffic"
press Command5 "$Frame, departing RWY28L, ULLP traffic"
press Command6 "$Frame, airborn, ULLP traffic"
# Choosing the checked item again keeps it.
use_menu Cyrillic_pe Down Return
press Command4 "$Frame, lining up RWY28L for KILO 1A departure, initial climb FL070, ULLP traffic"
use_menu Cyrillic_pe Return
press Command4 "$Frame, lining up RWY28L for KILO 1A departure, initial climb 070m, ULLP traffic"

# En route: the fields and the level change button in tab order, which passes the
# reporting point button on the way.
click Text3_9
type_and_tab odimo ratos 35 3000 3600
xdotool key Tab
press_focused Return Command9 "$Frame, 3000m, maintaining 3600m, ULLP traffic"
xdotool key Tab
type_and_tab 'odimo 2k'
xdotool key Tab
type_and_tab 095
xdotool type 1
fill Text3_11 2400
press Command9 "$Frame, 3000m, descending 2400m, ULLP traffic"
fill Text3_11 03000
press Command9 "$Frame, 3000m, ULLP traffic"
# The clicked button keeps the focus; the space bar presses it again.
press_focused space Command9 "$Frame, 3000m, ULLP traffic"

fill Text3_11 abc
press_refused Command9
press_refused Command7
# The descent for the approach warns and goes on with the text as typed.
press_and_dismiss Command10
expect_clipboard 'the message box of Command10' \
    "$Frame, ODIMO 3000m, proceeding on ODIMO 2K for RWY28L approach, descending ABCm, ULLP traffic"
fill Text3_11 900
press Command10 \
    "$Frame, ODIMO 3000m, proceeding on ODIMO 2K for RWY28L approach, descending 900m, ULLP traffic"

fill Text3_10 1200
press Command8 "$Frame, hold at ODIMO 1200m, inbound track 095, left hand pattern, time 1 min, ULLP traffic"
fill Text3_3 o95
press_refused Command8
fill Text3_3 095
click Option1_1
press Command8 "$Frame, hold at ODIMO 1200m, inbound track 095, right hand pattern, time 1 min, ULLP traffic"

# The pattern, on both sides.
press Command11 "$Frame, crosswind right, ULLP traffic"
press Command12 "$Frame, turn base right, ULLP traffic"
click Option1_0
press Command11 "$Frame, crosswind left, ULLP traffic"
press Command12 "$Frame, turn base left, ULLP traffic"
press Command13 "$Frame, turning final RWY28L, ULLP traffic"
press Command14 "$Frame, final RWY28L, ULLP traffic"
press Command15 "$Frame, go around, ULLP traffic"

# The report at a reporting point walks the route; the refused press above left
# the points where they were.
fill Text3_10 3000
fill Text3_11 3600
press Command7 "$Frame, ODIMO 3000m, climbing 3600m, direct to RATOS at 35min, ULLP traffic"
press Command7 "$Frame, RATOS 3000m, climbing 3600m, direct to  at 35min, ULLP traffic"
# Tab selects a field's text, so typing replaces it.
click Text3_9
type_and_tab odimo ratos
xdotool key Tab
type_and_tab 290 350
use_menu Cyrillic_pe Down Return
press Command7 "$Frame, ODIMO FL290, climbing FL350, direct to RATOS at 35min, ULLP traffic"

# Presses from another program while it has the focus: VELARO is neither raised nor
# focused, and shows no box.
fill Text3_9 odimo
fill Text3_4 ratos
xmessage -title 'the simulator' 'a simulator in front' &
other_pid=$!
other_window=''
other_is_shown() {
    other_window=$(xdotool search --onlyvisible --name '^the simulator$' 2>/dev/null | head -n 1)
    [[ -n $other_window ]]
}
wait_until other_is_shown || fail 'xmessage showed no window'
xdotool windowfocus --sync "$other_window"
remote_press takeoff 0 "$Frame, departing RWY28L, ULLP traffic"
# A window that hangs is given up after a second. Going on, it takes the press late; the
# bus's own refusal of a call it does not know, not only velaro --press's, comes after.
kill -STOP "$velaro_pid"
remote_press takeoff 1 'VELARO did not answer within 1 s'
kill -CONT "$velaro_pid"
reply=$(gdbus call --session --dest org.velaro.Velaro --object-path /org/velaro/Velaro \
    --method org.velaro.Velaro.Calls.Press bogus 2>&1) && fail "Press(bogus) answered $reply"
[[ $reply == *org.velaro.Velaro.Error.UnknownCall* ]] || fail "Press(bogus) failed with '$reply'"
remote_press report 0 "$Frame, ODIMO FL290, climbing FL350, direct to RATOS at 35min, ULLP traffic"
remote_press report 0 "$Frame, RATOS FL290, climbing FL350, direct to  at 35min, ULLP traffic"
has_keyboard_focus "$other_window" || fail "a press from afar took the focus from $other_window"
fill Text3_11 abc
# One press at a time: not while a click's message box waits for the pilot.
click Command9
wait_until message_box_is_shown || fail 'Command9 showed no message box titled VELARO'
remote_press takeoff 1 'VELARO shows a message: answer it in its window first'
wait_until has_keyboard_focus "$message_box" || fail 'the message box of Command9 has no focus'
xdotool key Return
wait_until no_message_box || fail 'Enter did not close the message box of Command9'
xdotool windowfocus --sync "$other_window"
remote_press level 2 'Эшелон должен быть задан числом'
no_message_box || fail 'a press from afar showed a message box'
# The failed check changed no field: the descent warns and goes on with them as they are.
remote_press descent 0 "$Frame,  FL290, proceeding on ODIMO 2K for RWY28L approach, descending FLABC, ULLP traffic"
[[ $(cat "$session_dir/press.err") == 'Эшелон должен быть задан числом' ]] ||
    fail "the descent from afar warned '$(cat "$session_dir/press.err")'"
kill "$other_pid"

# About, twice: one box. Exit while it is open leaves the program running until
# the box is closed.
use_menu Cyrillic_es Return
wait_until one_about_box || fail 'Help → About showed no box titled About VELARO'
use_menu Cyrillic_es Return
holds_for_a_moment one_about_box || fail "Help → About again shows $(about_boxes) About boxes"
use_menu Cyrillic_ef Cyrillic_ve
wait_until main_window_is_gone || fail 'File → Exit did not close the main window'
holds_for_a_moment is_running || fail 'the program ended while the About box was open'
about_box=$(xdotool search --onlyvisible --name '^About VELARO$')
xdotool mousemove --window "$about_box" 1 1 click 1
wait_until has_keyboard_focus "$about_box" || fail 'the About box has no focus'
xdotool key Return
wait_until has_ended "$velaro_pid" || fail 'the program still runs after its windows were closed'
status=0
wait "$velaro_pid" || status=$?
velaro_pid=''
((status == 0)) || fail "the program ended with status $status"
remote_press takeoff 1 'VELARO is not running: start it and fill in the flight first'
echo 'PASS: the pilot session'
