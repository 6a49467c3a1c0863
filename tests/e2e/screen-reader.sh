#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# What a screen reader hears on the take-off button: its accessible description,
# read over the accessibility bus, is the call a click then puts on the clipboard
# and, on its second line, the call as it is said on the radio; it follows the
# runway as the pilot edits it, and names the runway once it is empty.
# Hovering the button tints the fields the call reads, the empty runway differently.
# Started with --say, the menu item that says the calls reads as ticked.
#
# Usage: screen-reader.sh <path of the velaro binary> <layout file print-layout wrote>

set -eu -o pipefail

# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"
# The accessibility bus that the session bus starts puts its socket in the runtime
# directory, which is the private bus's own.
use_private_bus "$@"
Describe="$(dirname "$0")/accessible-description.py"
readonly Describe
readonly TakeOff='Взлет'

# Debian's own Python, where python3-pyatspi is installed, whatever else is on PATH.
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || fail 'pyatspi is missing; make test-deps installs it'
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
# The voice needs a sound server's socket to be there; nothing here listens to it.
export PULSE_SERVER=/dev/null

description=''
description_of() {
    description=$(/usr/bin/python3 "$Describe" "$1" 2>/dev/null) && [[ $description == "$2" ]]
}
description_is() { description_of "$TakeOff" "$1"; }

expect_description() {
    wait_until description_is "$1" ||
        fail "the description of $TakeOff reads '$description', expected '$1'"
}

# Clicks the take-off button and checks that the clipboard then holds exactly the
# first line of the description read before.
click_delivers_description() {
    put_on_clipboard 'before the press'
    click Command5
    wait_until clipboard_is "${description%%$'\n'*}" ||
        fail "a click on $TakeOff left '$(clipboard)', its description read '$description'"
}

# The colour of a field's background, a few pixels inside its right edge.
colour_of() {
    locate "$1" 4
    import -window "$main_window" -crop "1x1+$x+$y" -depth 8 txt:- | grep -o '#[0-9A-F]\{6\}'
}
colour_is() { [[ $(colour_of "$1") == "$2" ]]; }
colour_is_not() { ! colour_is "$@"; }

start_session "$1" "$2" --say

fill Text2 ullp
fill Text1 ra-12345
fill Text3_6 28l
fill Text3_7 'kilo 1a'
fill Text3_8 900
# The accessibility bus and its registry start with the first question asked.
WaitSeconds=$StartSeconds expect_description "ULLP traffic, RA-12345, departing RWY28L, ULLP traffic
Вслух: Uniform Lima Lima Papa traffic, Romeo Alfa one two three four five, \
departing runway two eight left, Uniform Lima Lima Papa traffic"
click_delivers_description
# Started with --say, the item that says the calls is ticked, and stays so once the voice
# is ready.
wait_until description_of 'Произносить вызовы' 'checked enabled sensitive' ||
    fail "started with --say, the speech item's states read '$description'"

fill Text3_6 09r
expect_description "ULLP traffic, RA-12345, departing RWY09R, ULLP traffic
Вслух: Uniform Lima Lima Papa traffic, Romeo Alfa one two three four five, \
departing runway zero niner right, Uniform Lima Lima Papa traffic"
click_delivers_description

fill Text3_6 ''
expect_description "ULLP traffic, RA-12345, departing RWY, ULLP traffic
Вслух: Uniform Lima Lima Papa traffic, Romeo Alfa one two three four five, \
departing runway, Uniform Lima Lima Papa traffic
Пустые поля: ВПП"

# The pointer rests on the label row, away from every call button.
xdotool mousemove --window "$main_window" 1 $((menu_bar_height + 1))
plain=$(colour_of Text3_6)
wait_until colour_is Text2 "$plain" || fail 'the aerodrome field is tinted before any hover'
put_on_clipboard 'before the hover'
locate Command5
xdotool mousemove --window "$main_window" "$x" "$y"
wait_until colour_is_not Text3_6 "$plain" || fail 'hovering the take-off button left the runway untinted'
wait_until colour_is_not Text2 "$plain" || fail 'hovering the take-off button left the aerodrome untinted'
[[ $(colour_of Text3_6) != "$(colour_of Text2)" ]] ||
    fail 'the empty runway has the same tint as the aerodrome the call reads'
colour_is Text3_7 "$plain" || fail 'the departure procedure, which take-off does not read, is tinted'
xdotool mousemove --window "$main_window" 1 $((menu_bar_height + 1))
wait_until colour_is Text3_6 "$plain" || fail 'the runway kept its tint after the pointer left'
colour_is Text2 "$plain" || fail 'the aerodrome kept its tint after the pointer left'
clipboard_is 'before the hover' || fail "hovering changed the clipboard to '$(clipboard)'"
echo 'PASS: the take-off button read by a screen reader'
