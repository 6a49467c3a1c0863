#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the unpacked program with each command line of the table where no display and
# no session bus can be reached, as over ssh: the answers must come without them, and
# nothing but Qt's own options may reach the window.
# Usage: check-command-line.sh DEB VERSION
set -eu
deb=$1
version=$2

. "$(dirname "$0")/unpack.sh"
program=$root/usr/bin/velaro
usage="Usage: $program \[options\]"
ulimit -c 0

failures=0
# Runs the program with ARGUMENTS and matches its status and the first two lines of
# the stream it should write to against glob patterns; the other stream must stay empty.
row() {
    arguments=$1 status=$2 stream=$3 first=$4 second=$5
    actual=0
    # shellcheck disable=SC2086
    env -u DISPLAY -u WAYLAND_DISPLAY -u DBUS_SESSION_BUS_ADDRESS QT_QPA_PLATFORM=no-such-platform \
        timeout 10 "$program" $arguments >"$root/stdout" 2>"$root/stderr" || actual=$?
    quiet=stderr
    [ "$stream" = stdout ] || quiet=stdout
    line1=$(sed -n 1p "$root/$stream")
    line2=$(sed -n 2p "$root/$stream")
    # shellcheck disable=SC2254
    case "$actual|$line1|$line2" in
    "$status|"$first"|"$second) [ ! -s "$root/$quiet" ] && return ;;
    esac
    echo "velaro $arguments: expected status $status and on $stream '$first', '$second'" >&2
    echo "got status $actual; $stream:" >&2
    cat "$root/$stream" >&2
    echo "$quiet:" >&2
    cat "$root/$quiet" >&2
    failures=$((failures + 1))
}

#   arguments                  status stream first line                                 second line
row '--version'                0      stdout "VELARO $version"                          ''
row '-v'                       0      stdout "VELARO $version"                          ''
row '--help'                   0      stdout "$usage"                                   'Composes *'
row '-h'                       0      stdout "$usage"                                   'Composes *'
row '-platform offscreen -v'   0      stdout "VELARO $version"                          ''
row '-style=Fusion --version'  0      stdout "VELARO $version"                          ''
row '--bogus'                  1      stderr "velaro: Unknown option 'bogus'."          "$usage"
row '-x'                       1      stderr "velaro: Unknown option 'x'."              "$usage"
row 'ULLP'                     1      stderr "velaro: Unexpected argument 'ULLP'."      "$usage"
row '-v ULLP'                  1      stderr "velaro: Unexpected argument 'ULLP'."      "$usage"
row '-platform'                1      stderr "velaro: Missing value after '-platform'." "$usage"
row '--press'                  1      stderr "velaro: Missing value after '--press'."   "$usage"
row '--press bogus'            1      stderr "velaro: Unknown call 'bogus': the calls are pushback, *go-around, and next." ''
row '--press takeoff'          1      stderr 'VELARO is not running: *'                  ''
row '--fill'                   1      stderr 'velaro: --fill needs one FIELD=TEXT or more.' "$usage"
row '--fill bogus=1'           1      stderr "'bogus=1' names no field: *, leg-time"     ''
row '--fill callsign'          1      stderr "'callsign' names no field: *, leg-time"    ''
row '--fill callsign=RA1'      1      stderr 'VELARO is not running: *'                  ''
row '--flightgear=a:99999'     1      stderr "velaro: 'a:99999' is not HOST:PORT."       "$usage"
row '--say --version'          0      stdout "VELARO $version"                          ''
row '--say ULLP'               1      stderr "velaro: Unexpected argument 'ULLP'."      "$usage"
row '--press takeoff ULLP'     1      stderr "velaro: Unexpected argument 'ULLP'."      "$usage"
# Past the command line Qt takes its options itself, and this one names no platform.
row '-platform no-such-plugin' 134    stderr '*"no-such-plugin"*'                        '*'
row '--say -platform no-such-plugin' 134 stderr '*"no-such-plugin"*'                     '*'
exit "$failures"
