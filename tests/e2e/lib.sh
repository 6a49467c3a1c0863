# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck shell=bash
# Drives the real VELARO window on a private X server: starts the server and the
# program, finds controls by where the build says the window's layout catalogue puts
# them, and clicks or types into them. Sourced by the scripts next to it; they call
# start_session first.

readonly MainTitle='Генератор сообщений VELARO'
# The file print-layout wrote: one line for each control, its object name and its
# rectangle in pixels of the form.
layout=''
# A generous bound for anything the program or the X server does in reply to input, on
# a machine busy with other work; the first start on a fresh machine, which builds the
# font caches, gets longer. A step that passes waits only as long as it takes.
WaitSeconds=30
readonly StartSeconds=120

export LC_ALL=C.UTF-8

session_dir=''
xserver_pid=''
velaro=''
velaro_pid=''
main_window=''
menu_bar_height=0
# Where locate puts the point it found.
x=0
y=0

fail() {
    echo "FAIL: $*" >&2
    if [[ -n ${DISPLAY:-} && -n $xserver_pid ]] &&
        import -window root -strip "$PWD/e2e-failure.png" 2>/dev/null; then
        echo "the screen at the failure: $PWD/e2e-failure.png" >&2
    fi
    local log
    for log in xvfb weston; do
        if [[ -s $session_dir/$log.log ]]; then
            echo "--- $log output ---" >&2
            tail -n 40 "$session_dir/$log.log" >&2
        fi
    done
    # The program's own messages, and of a Wayland protocol log, where the pointer and
    # the keyboard went, the keys heard, and what the compositor and the program said of
    # the window.
    if [[ -s $session_dir/velaro.log ]]; then
        echo '--- program output ---' >&2
        grep -E -e '^[^[]' -e 'wl_(pointer|keyboard)@[0-9]+\.(enter|leave|button|key)\(|xdg_toplevel' \
            "$session_dir/velaro.log" | tail -n 40 >&2
    fi
    exit 1
}

# Runs the calling script again on a private session bus, with a runtime directory of
# its own, unless it runs on one already: sessions side by side must not share a bus.
use_private_bus() {
    [[ -z ${VELARO_E2E_PRIVATE_BUS:-} ]] || return 0
    local runtime status=0
    runtime=$(mktemp -d)
    VELARO_E2E_PRIVATE_BUS=1 XDG_RUNTIME_DIR=$runtime dbus-run-session -- bash "$0" "$@" || status=$?
    rm -rf "$runtime"
    exit "$status"
}

# Polls "$@" until it succeeds; gives up after WaitSeconds.
wait_until() {
    local deadline=$((SECONDS + WaitSeconds))
    until "$@"; do
        ((SECONDS < deadline)) || return 1
        sleep 0.05
    done
}

# Succeeds while "$@" keeps succeeding for half a second: the way to see that
# something did not happen in reply to an input.
holds_for_a_moment() {
    local _
    for _ in {1..10}; do
        "$@" || return 1
        sleep 0.05
    done
}

stop_session() {
    if [[ -n $velaro_pid ]]; then
        kill "$velaro_pid" 2>/dev/null || true
        wait "$velaro_pid" 2>/dev/null || true
    fi
    if [[ -n $xserver_pid ]]; then
        kill "$xserver_pid" 2>/dev/null || true
        wait "$xserver_pid" 2>/dev/null || true
    fi
    [[ -z $session_dir ]] || rm -rf "$session_dir"
}

has_ended() {
    local state
    state=$(sed -n 's/.*) \(.\).*/\1/p' "/proc/$1/stat" 2>/dev/null) || true
    [[ -z $state || $state == Z ]]
}

# Once it listens, the server writes the display it took; or it gave up.
x_server_has_answered() { [[ -s $session_dir/display ]] || has_ended "$xserver_pid"; }

# Starts an X server on a display it finds free itself.
start_x_server() {
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset \
        3>"$session_dir/display" 2>"$session_dir/xvfb.log" &
    xserver_pid=$!
    WaitSeconds=$StartSeconds wait_until x_server_has_answered ||
        fail 'the X server did not start in time'
    [[ -s $session_dir/display ]] || fail 'the X server ended without taking a display'
    DISPLAY=":$(<"$session_dir/display")"
    export DISPLAY
}

main_window_is_shown() {
    # Linked to a simulator, the title goes on with the link's state.
    main_window=$(xdotool search --onlyvisible --name "^$MainTitle( — .*)?\$" 2>/dev/null | head -n 1)
    [[ -n $main_window ]]
}

# Checks for the tools (beyond the X server and xdotool), the program and its layout
# file, and opens a session: its directory, with a private runtime directory, which the
# given command cleans up on exit, and an X server on a free display.
open_session() {
    local cleanup=$1 tool
    shift
    for tool in Xvfb xdotool import "$@"; do
        command -v "$tool" >/dev/null || fail "$tool is missing; make test-deps installs it"
    done
    [[ -x $velaro ]] || fail "no program at '$velaro'"
    [[ -r $layout ]] || fail "no layout at '$layout'"
    session_dir=$(mktemp -d)
    # shellcheck disable=SC2064 # the cleanup command is the one named now
    trap "$cleanup" EXIT
    # A timeout's signal, or a reader that went away, still cleans up.
    trap 'exit 1' HUP INT PIPE TERM
    start_x_server
    mkdir -m 700 "$session_dir/runtime"
}

# The menu bar is what the window's height holds beyond the form and the given frame.
measure_menu_bar() {
    local window_height=$1 frame_height=$2 form_height
    form_height=$(awk '$1 == "client" { print $3 }' "$layout")
    menu_bar_height=$((window_height - frame_height - form_height))
}

# Starts the program in the open session, with the options given, and waits for the
# main window.
start_program() {
    XDG_RUNTIME_DIR="$session_dir/runtime" QT_QPA_PLATFORM=xcb \
        "$velaro" "$@" >"$session_dir/velaro.log" 2>&1 &
    velaro_pid=$!
    WaitSeconds=$StartSeconds wait_until main_window_is_shown || fail "no window '$MainTitle' appeared"
    measure_menu_bar "$(xdotool getwindowgeometry --shell "$main_window" | sed -n 's/^HEIGHT=//p')" 0
}

# Starts an X server on a free display and the program on it, with the options given
# after the program and its layout file, and waits for the main window.
start_session() {
    velaro=$1
    layout=$2
    open_session stop_session xclip
    start_program "${@:3}"
}

clipboard() { xclip -o -selection clipboard 2>/dev/null || true; }
clipboard_is() { [[ $(clipboard) == "$1" ]]; }
put_on_clipboard() {
    printf '%s' "$1" | xclip -i -selection clipboard >/dev/null 2>&1
    wait_until clipboard_is "$1" || fail "could not put '$1' on the clipboard"
}

# Sets x and y to a point of a control in the main window's coordinates: its
# centre, or the given distance in pixels from its right edge.
locate() {
    local name=$1 from_right=${2:-}
    local left top width height
    read -r left top width height < <(awk -v name="$name" '$1 == name { print $2, $3, $4, $5 }' "$layout")
    [[ -n $height ]] || fail "no control '$name' in $layout"
    x=$((left + width / 2))
    [[ -z $from_right ]] || x=$((left + width - from_right))
    y=$((top + height / 2 + menu_bar_height))
}

click() {
    locate "$@"
    xdotool mousemove --window "$main_window" "$x" "$y" click 1
}

# Clicks into a field and waits for the keyboard: the program takes it from another
# program's window as it reads the click, and keys typed before that go to the other one.
click_field() {
    click "$1"
    wait_until has_keyboard_focus "$main_window" || fail "a click on $1 gave the main window no keyboard focus"
}

# Clicks into a field, replaces its text and leaves the keyboard focus in it.
fill() {
    click_field "$1"
    xdotool key ctrl+a
    if [[ -n $2 ]]; then
        xdotool type -- "$2"
    else
        xdotool key BackSpace
    fi
}

# Types into the field that has the keyboard focus, then moves on with Tab.
type_and_tab() {
    local text
    for text in "$@"; do
        xdotool type -- "$text"
        xdotool key Tab
    done
}

# A tooltip of the control the pointer rested on can still show for a moment after the
# pointer left: it is no menu or list.
is_tooltip() { [[ $(xprop -id "$1" _NET_WM_WINDOW_TYPE 2>/dev/null) == *_NET_WM_WINDOW_TYPE_TOOLTIP* ]]; }

# The other windows but a tooltip: an open menu or drop-down list.
popups() {
    local window
    for window in $(other_windows); do
        is_tooltip "$window" || echo "$window"
    done
}

# A menu is a window beside the main one that no window manager would manage.
menu_is_open() {
    local window
    for window in $(popups); do
        [[ $(xwininfo -id "$window") != *'Override Redirect State: yes'* ]] || return 0
    done
    return 1
}

# xdotool types a letter the keyboard lacks by binding it to a spare key only while it
# types it, and a busy program that reads the key after that sees no letter: the Cyrillic
# letters a session types get keys of their own, kept to its end.
bound_letters=' '
bind_letters() {
    local letter
    for letter in "$@"; do
        [[ $letter == Cyrillic_* && $bound_letters != *" $letter "* ]] || continue
        /usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/bind-keys.py" "$letter" ||
            fail "no key of its own for $letter"
        bound_letters+="$letter "
    done
}

# Opens a menu of the main window with its Alt access key and, once it shows, presses the
# keys given.
use_menu() {
    local access_key=$1
    shift
    bind_letters "$access_key" "$@"
    focus_main_window
    xdotool key "alt+$access_key"
    wait_until menu_is_open || fail "Alt+$access_key opened no menu"
    (($# == 0)) || xdotool key "$@"
}

has_keyboard_focus() { [[ $(xdotool getwindowfocus 2>/dev/null) == "$1" ]]; }

# Without a window manager the keyboard focus returns to the root window when a
# dialog closes; the pilot's click on the window brings it back.
focus_main_window() {
    xdotool mousemove --window "$main_window" 1 $((menu_bar_height + 1)) click 1
    wait_until has_keyboard_focus "$main_window" || fail 'a click on the main window gave it no keyboard focus'
}

# The visible top-level windows other than the main window and the root, such as
# an open drop-down list or a tooltip.
other_windows() {
    local root
    root=$(xdotool search --maxdepth 0 --name '')
    xdotool search --maxdepth 1 --onlyvisible --name '' | grep -vx -e "$root" -e "$main_window"
}

list_window=''
list_is_open() { list_window=$(popups | head -n 1) && [[ -n $list_window ]]; }
list_is_closed() { ! list_is_open; }

# Picks an entry of the pushback direction list with the mouse: the list drops
# down with its entries in the order of the layout catalogue, in rows of one height.
pick_direction() {
    local entries row
    entries=$(awk '$1 == "direction" { print $2 }' "$layout")
    row=$(grep -nx -- "$1" <<<"$entries" | cut -d: -f1)
    [[ -n $row ]] || fail "no direction '$1' in $layout"
    click Combo1 8
    wait_until list_is_open || fail 'the pushback direction list did not drop down'
    local WIDTH HEIGHT
    eval "$(xdotool getwindowgeometry --shell "$list_window" | grep -E '^(WIDTH|HEIGHT)=')"
    local rows
    rows=$(wc -l <<<"$entries")
    xdotool mousemove --window "$list_window" $((WIDTH / 2)) $(((2 * row - 1) * HEIGHT / (2 * rows))) \
        click 1
    wait_until list_is_closed || fail 'the pushback direction list stayed open'
}
