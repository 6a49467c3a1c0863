#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts an unpacked program on an X server and checks what the window manager sees:
# the window's icon, and a window class the desktop entry claims.
# Run under xvfb-run. Usage: window-icon.sh UNPACKED_ROOT APPLICATION_ID
set -eu
root=$1
id=$2

"$root/usr/bin/velaro" &
program=$!
trap 'kill $program' EXIT

window=$(timeout 10 xdotool search --sync --onlyvisible --name 'VELARO' | head -n 1)
xprop -id "$window" _NET_WM_ICON | grep -q 'Icon ('
class=$(xprop -id "$window" WM_CLASS | sed -n 's/.*, "\(.*\)"$/\1/p')
grep -qx "StartupWMClass=$class" "$root/usr/share/applications/$id.desktop"
