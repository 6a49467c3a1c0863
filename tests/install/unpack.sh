# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the scripts that run the packaged program: unpacks the package $deb into
# a fresh directory $root, removed again when the script exits.
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg -x "$deb" "$root"
