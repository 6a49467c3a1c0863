# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck shell=bash disable=SC2034,SC2154 # lib.sh's variables, set and read here
# Runs the real VELARO on Wayland: Weston, the reference compositor, as a window on a
# private X server (its X11 back end makes the server's keyboard and mouse its seat, which
# the headless back end lacks), and the program inside it with Qt's Wayland plugin.
# Weston's output lies in the X screen's top left corner, so xdotool's screen coordinates
# are the output's. Sourced after lib.sh; the scripts call start_weston_session first.

# Smaller than the X screen, so that the pointer can leave the output and come back.
readonly OutputWidth=960 OutputHeight=720
# The desktop's one colour: whatever else the output shows is a window.
readonly Background='#204060'
# The frame of the title bar Qt draws (its "bradient" decoration): 30 pixels of title
# bar over the window, 3 around it, and 18-pixel buttons whose centres lie this far left
# of the frame's right edge, 15 pixels down.
readonly TitleBarHeight=30 FrameWidth=3
declare -rA TitleButton=([close]=17 [maximise]=40)

weston_pid=''
# The rectangle find_window found, title bar and frame included.
window_left=0
window_top=0
window_width=0
window_height=0

stop_weston_session() {
    if [[ -n $weston_pid ]]; then
        kill "$weston_pid" 2>/dev/null || true
        wait "$weston_pid" 2>/dev/null || true
    fi
    stop_session
}

colour_at() { import -window root -crop "1x1+$1+$2" -depth 8 txt:- | grep -o '#[0-9A-F]\{6\}'; }
# The desktop shows in the corner away from where Weston's pointer starts.
weston_is_up() {
    [[ -S $XDG_RUNTIME_DIR/$WAYLAND_DISPLAY &&
        $(colour_at $((OutputWidth - 1)) $((OutputHeight - 1))) == "$Background" ]]
}

# Starts an X server, Weston on it without panel, animations or on-screen keyboard, with
# the environment set for Wayland clients of that Weston, and the program in it; waits
# for its window.
start_weston_session() {
    velaro=$1
    layout=$2
    open_session stop_weston_session weston convert wl-paste
    export XDG_RUNTIME_DIR=$session_dir/runtime WAYLAND_DISPLAY=wayland-velaro QT_QPA_PLATFORM=wayland
    cat >"$session_dir/weston.ini" <<EOF
[core]
idle-time=0
[shell]
panel-position=none
background-color=0xff${Background#\#}
locking=false
animation=none
close-animation=none
startup-animation=none
[input-method]
path=
EOF
    weston --backend=x11-backend.so --use-pixman --width=$OutputWidth --height=$OutputHeight \
        --socket="$WAYLAND_DISPLAY" --config="$session_dir/weston.ini" \
        --log="$session_dir/weston.log" >/dev/null 2>&1 &
    weston_pid=$!
    WaitSeconds=$StartSeconds wait_until weston_is_up ||
        fail "Weston did not start: $(cat "$session_dir/weston.log" 2>/dev/null)"

    # The protocol log ends with what the program last sent and heard: where a click went.
    # First on its PATH, a directory for tools a session stands in for.
    mkdir "$session_dir/bin"
    PATH=$session_dir/bin:$PATH WAYLAND_DEBUG=client "$velaro" >"$session_dir/velaro.log" 2>&1 &
    velaro_pid=$!
    WaitSeconds=$StartSeconds wait_until window_is_ready || fail 'no window took the keyboard on Weston'
    measure_menu_bar "$window_height" $((TitleBarHeight + FrameWidth))
}

# Moves the pointer to a point of the output. Weston's X11 back end follows the X pointer
# by the distance it moves, from where it last entered the output, and now and then misses
# the first entry: entering anew puts Weston's pointer where the X pointer is.
point_at() {
    xdotool mousemove $((OutputWidth + 10)) $((OutputHeight + 10)) mousemove "$1" "$2"
}

# Sets window_* to the part of the output that is not the desktop: the one window shown,
# or the one that fills it. The pointer waits in the corner, and its picture is painted
# over there.
find_window() {
    point_at $((OutputWidth - 1)) $((OutputHeight - 1))
    local rect
    rect=$(import -window root -crop "${OutputWidth}x$OutputHeight+0+0" png:- |
        convert - -fill "$Background" \
            -draw "rectangle $((OutputWidth - 16)),$((OutputHeight - 16)) $OutputWidth,$OutputHeight" \
            -trim -format '%w %h %X %Y' info: 2>/dev/null) || return 1
    read -r window_width window_height window_left window_top <<<"${rect//+/}"
    ((window_left >= 0))
}

# The program's window is shown as it stays, the same in two looks, has the keyboard,
# and is drawn active.
window_is_ready() {
    grep -q 'wl_keyboard@[0-9]*\.enter(' "$session_dir/velaro.log" && find_window && window_is_active || return 1
    local first="$window_left $window_top $window_width $window_height"
    find_window && [[ "$window_left $window_top $window_width $window_height" == "$first" ]]
}

# The pointer's moves and buttons and the keys the program has heard, in the order it
# heard them, from its protocol log.
input_events() {
    grep -E 'wl_pointer@[0-9]+\.(enter|leave|motion|button)\(|wl_keyboard@[0-9]+\.key\(' \
        "$session_dir/velaro.log" || true
}
# Shift, which no control reads alone, typed after an input: Weston sends what it makes
# of its X input in order, so once the program has heard the marker it has heard all that
# came of the input before it, and what it has not heard by then was lost.
readonly MarkerKey=42
# The input events the program heard up to the marker typed after the first that many,
# and how many those are.
heard=''
heard_count=0
marker_heard_since() {
    local count
    count=$(input_events | awk -v from="$1" -v marker=", $MarkerKey, 1)" \
        'NR > from && index($0, "wl_keyboard") && index($0, marker) { print NR - 1; exit }')
    [[ -n $count ]] && heard_count=$count
}
# Runs the command given, types the marker, and sets heard to what the program heard of
# the command's input.
with_marker() {
    local since
    since=$(input_events | wc -l)
    "$@"
    xdotool key shift
    wait_until marker_heard_since "$since" || fail "the program heard nothing after $*"
    heard=$(input_events | head -n "$heard_count" | tail -n +$((since + 1)))
}
# Where the program last heard the pointer enter or move to, if it is still in its window.
pointer_rests_at() {
    [[ $(input_events | head -n "$heard_count" | grep -E 'wl_pointer@[0-9]+\.(enter|leave|motion)\(' |
        tail -n 1) == *"$1.00000000, $2.00000000)" ]]
}

# Clicks a point of the window find_window found last, in its own coordinates, title bar
# and frame included, once the program has heard the pointer come to rest there, as a hand
# rests on a button before pressing. Where the pointer came elsewhere, or no button went
# down, its way through the X server and Weston lost it: it is tried again.
click_at() {
    local attempt
    for attempt in 1 2 3; do
        with_marker point_at $((window_left + $1)) $((window_top + $2))
        if pointer_rests_at "$1" "$2"; then
            with_marker xdotool click 1
            ! grep -q '\.button(.*, 1)$' <<<"$heard" || return 0
        fi
        echo "click $attempt at $1,$2 of the window did not reach the program" >&2
    done
    fail "three clicks at $1,$2 of the window did not reach the program"
}

# Types keys, none of them Shift, into the window that has the keyboard focus; keys of
# which the program heard none were lost on the way, and are typed again. "a+b" is two
# keys.
type_keys() {
    local attempt expected pressed
    expected=$(printf '%s\n' "$@" | tr '+' '\n' | wc -l)
    for attempt in 1 2 3; do
        with_marker xdotool key "$@"
        pressed=$(grep -c 'wl_keyboard.*key(.*, 1)$' <<<"$heard" || true)
        ((pressed == 0)) || break
        echo "keys $* typed at attempt $attempt did not reach the program" >&2
    done
    ((pressed == expected)) || fail "of the keys $*, the program heard $pressed of $expected go down"
}

# Whether the program's last word from Weston on the keyboard took it away from all its
# windows, whatever covers them on the screen.
keyboard_is_elsewhere() {
    [[ $(grep -oE 'wl_keyboard@[0-9]+\.(enter|leave)\(' "$session_dir/velaro.log" | tail -n 1) == *leave\( ]]
}

click_title_button() { click_at $((window_width - TitleButton[$1])) 15; }

# Whether the window find_window found last is the active one: Qt's title bar draws the
# close button black then, grey otherwise.
window_is_active() {
    [[ $(colour_at $((window_left + window_width - TitleButton[close])) $((window_top + 15))) == '#000000' ]]
}

# Clicks a control of the main window, found last by find_window at its normal size.
click_in_window() {
    locate "$1"
    click_at $((FrameWidth + x)) $((TitleBarHeight + y))
}

# Whether the program's last limits for a window's size, in its protocol log, fix its size.
size_limit() { grep -o "set_$1_size([0-9]*, [0-9]*)" "$session_dir/velaro.log" | tail -n 1 | tr -dc '0-9 '; }
size_is_fixed() { [[ $(size_limit max) == "$(size_limit min)" ]]; }

wayland_clipboard() { timeout "$WaitSeconds" wl-paste --no-newline 2>/dev/null || true; }
wayland_clipboard_is() { [[ $(wayland_clipboard) == "$1" ]]; }
# wl-copy goes on in the background until Weston gives it the clipboard.
put_on_wayland_clipboard() {
    printf '%s' "$1" | wl-copy
    wait_until wayland_clipboard_is "$1" || fail "could not put '$1' on the clipboard on Wayland"
}
