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
    WaitSeconds=$StartSeconds wait_until find_window || fail 'no window appeared on Weston'
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

# The pointer entries and buttons the program has heard, from its protocol log; and
# whether, after the first that many, it heard the pointer enter its window at a point
# and a button go down there.
pointer_events() { grep -E 'wl_pointer@[0-9]+\.(enter|button)' "$session_dir/velaro.log"; }
heard_press_at() {
    pointer_events | tail -n +$(($1 + 1)) |
        awk -v at="$2.00000000, $3.00000000)" \
            '/\.enter\(/ { entered = index($0, at) > 0 } /\.button\(.*, 1\)$/ && entered { heard = 1 }
             END { exit !heard }'
}

# Clicks a point of the window find_window found last, in its own coordinates, title bar
# and frame included, once the pointer's entry has reached the window, as a hand pauses on
# a button before pressing. A click the program never heard there was lost on the way
# through the X server and Weston, not by the program: it is tried again.
click_at() {
    local attempt since
    for attempt in 1 2 3; do
        since=$(pointer_events | wc -l)
        point_at $((window_left + $1)) $((window_top + $2))
        xdotool sleep 0.1 click 1
        WaitSeconds=2 wait_until heard_press_at "$since" "$1" "$2" && return
        echo "click $attempt at $1,$2 of the window did not reach the program" >&2
    done
    fail "three clicks at $1,$2 of the window did not reach the program"
}

# The keys the program has heard go down, from its protocol log.
keys_heard() { grep -cE 'wl_keyboard@[0-9]+\.key\(.*, 1\)$' "$session_dir/velaro.log" || true; }
heard_keys_since() { (($(keys_heard) > $1)); }

# Types keys into the window that has the keyboard focus; as with a click, keys of which the
# program heard none were lost on the way, and are typed again.
type_keys() {
    local attempt since
    for attempt in 1 2 3; do
        since=$(keys_heard)
        xdotool key "$@"
        WaitSeconds=2 wait_until heard_keys_since "$since" && return
        echo "keys $* typed at attempt $attempt did not reach the program" >&2
    done
    fail "three times the keys $* did not reach the program"
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
