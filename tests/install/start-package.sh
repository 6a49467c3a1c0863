#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Unpacks the package and starts the unpacked program, first on the offscreen
# platform, then on an X server to see its window as a desktop shows it.
# The program has no way to quit by itself, so being still up when the timeout ends
# it (exit status 124) means it started and ran its event loop.
# Usage: start-package.sh DEB APPLICATION_ID
set -eu
deb=$1
id=$2

. "$(dirname "$0")/unpack.sh"

status=0
QT_QPA_PLATFORM=offscreen timeout 3 "$root/usr/bin/velaro" 2>"$root/stderr" || status=$?
cat "$root/stderr" >&2
if [ "$status" -ne 124 ]; then
    echo "the unpacked program ended with status $status instead of running" >&2
    exit 1
fi
if grep -qiE 'fatal|error|could not|cannot|failed' "$root/stderr"; then
    echo "the unpacked program reported a problem" >&2
    exit 1
fi

xvfb-run -a "$(dirname "$0")/window-icon.sh" "$root" "$id"
