#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the package's control fields and that it carries the program and its
# desktop integration files.
# Usage: check-package.sh DEB APPLICATION_ID VERSION
set -eu
deb=$1
id=$2
version=$3

field() { dpkg-deb --field "$deb" "$1"; }
test "$(field Package)" = velaro
test "$(field Version)" = "$version"
test "$(field Section)" = utils
field Maintainer | grep -q '<.*@.*>'
# dpkg-shlibdeps found the Qt libraries the binary links against.
field Depends | grep -q 'libqt6widgets6'
field Depends | grep -q 'libqt6svg6'
field Depends | grep -q 'libqt6texttospeech6'
test "$(field Recommends)" = "qt6-wayland, wl-clipboard, qt6-speech-speechd-plugin, speech-dispatcher, speech-dispatcher-espeak-ng"

contents=$(dpkg-deb --contents "$deb" | awk '{ print $NF }')
for path in \
    ./usr/bin/velaro \
    "./usr/share/applications/$id.desktop" \
    "./usr/share/icons/hicolor/scalable/apps/$id.svg" \
    "./usr/share/metainfo/$id.metainfo.xml" \
    ./usr/share/man/man1/velaro.1.gz \
    ./usr/share/man/ru/man1/velaro.1.gz \
    ./usr/share/doc/velaro/copyright \
    ./usr/share/doc/velaro/changelog.gz; do
    if ! printf '%s\n' "$contents" | grep -qx "$path"; then
        echo "missing from the package: $path" >&2
        exit 1
    fi
done

# The changelog's latest entry is this version, and the copyright file names the licence.
packaged() { dpkg-deb --fsys-tarfile "$deb" | tar -xO "./usr/share/doc/velaro/$1"; }
test "$(packaged changelog.gz | zcat | dpkg-parsechangelog -l- -SVersion)" = "$version"
packaged copyright | grep -qx 'Files: \*'
packaged copyright | grep -qx 'License: GPL-3.0+'
