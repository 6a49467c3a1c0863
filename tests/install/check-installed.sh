#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a fresh prefix and validates the desktop integration files
# against the freedesktop.org tools.
# Usage: check-installed.sh CMAKE BUILD_DIR APPLICATION_ID
set -eu
cmake=$1
build_dir=$2
id=$3

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
"$cmake" --install "$build_dir" --prefix "$prefix" >/dev/null

desktop=$prefix/share/applications/$id.desktop
icon=$prefix/share/icons/hicolor/scalable/apps/$id.svg
metainfo=$prefix/share/metainfo/$id.metainfo.xml

test -x "$prefix/bin/velaro"
desktop-file-validate "$desktop"
appstreamcli validate --no-net "$metainfo"
file --brief "$icon" | grep -q 'SVG'

# The three files must name each other by the one id.
grep -qx "Icon=$id" "$desktop"
grep -q "<id>$id</id>" "$metainfo"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo"
# The entry starts the installed program, in Russian and in English.
grep -qx 'Exec=velaro' "$desktop"
for key in Name Comment; do
    grep -q "^$key=." "$desktop"
    grep -q "^$key\[ru\]=." "$desktop"
done

# The manual pages in English and Russian render without a warning from man or groff.
for page in "$prefix/share/man/man1/velaro.1.gz" "$prefix/share/man/ru/man1/velaro.1.gz"; do
    lexgrog "$page" | grep -q ': "velaro - '
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
    if [ -n "$warnings" ]; then
        printf '%s:\n%s\n' "$page" "$warnings" >&2
        exit 1
    fi
done
