#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package of a finished build beside DEB and checks it got the file
# name DEB, the one the install instructions give.
# Usage: build-package.sh CPACK CPACK_CONFIG DEB
set -eu
cpack=$1
config=$2
deb=$3

output=$(dirname "$deb")
rm -rf "$output"
"$cpack" --config "$config" -B "$output"
test -f "$deb"
