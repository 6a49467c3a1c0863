#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Takes a picture of the main window with the worked example filled in, for the
# README.
#
# Usage: screenshot.sh <path of the velaro binary> <layout file print-layout wrote> <PNG file to write>

set -eu -o pipefail
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"

output=$(realpath -m "$3")
start_session "$1" "$2"

fill Text1 RA-12345
fill Text2 ULLP
fill Text3_6 28L
fill Text3_0 B2
fill Text3_2 12
pick_direction north
fill Text3_5 'A C'
fill Text3_7 'KILO 1A'
fill Text3_8 900
fill Text3_9 ODIMO
fill Text3_4 RATOS
fill Text3_1 35
fill Text3_10 3000
fill Text3_11 3600
fill Text3_15 'ODIMO 2K'
fill Text3_3 095
fill Text3_12 1
# The lining-up call the README quotes; the button keeps the focus.
click Command4
wait_until clipboard_is \
    'ULLP traffic, RA-12345, lining up RWY28L for KILO 1A departure, initial climb 900m, ULLP traffic' ||
    fail "the lining-up button put '$(clipboard)' on the clipboard"

# Taken again until two pictures agree, so the press has been painted.
picture_is_settled() {
    import -window "$main_window" -strip "$session_dir/previous.png"
    import -window "$main_window" -strip "$output"
    cmp -s "$session_dir/previous.png" "$output"
}
wait_until picture_is_settled || fail 'the window kept changing'
echo "wrote $output"
