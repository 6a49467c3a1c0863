// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Message.h"

#include <QString>

namespace Velaro
{

// The call as the pilot says it on the radio, by the radiotelephony spelling
// alphabet and the rules for transmitting numbers:
// - the callsign is spelled letter by letter and digit by digit; an aerodrome that
//   is a four-letter location indicator is spelled, any other is said as typed;
// - a runway is "runway" and its digits, then left, right or center for L, R, C;
//   a taxiway is "taxiway" and its designator;
// - a flight level is "flight level" and its digits; a metric level in whole
//   hundreds or thousands is said "three thousand six hundred", any other digit by
//   digit, then "metres";
// - other pilot-typed text: digits one by one, a decimal separator between digits
//   "decimal", runs of one to three Latin letters spelled, longer runs and words in
//   other scripts said as typed, punctuation not said;
// - the leg time ends in "minute" or "minutes"; minutes past the hour end in nothing.
// An empty field says nothing, neither its unit nor its own comma: the words around it
// stay, with one blank between words and none before a comma, and a comma that would
// follow another is left out. A line that would run past 1000 characters, far beyond
// any call one can transmit, ends before the word that would pass them, in " …".
QString spokenForm(const Message& message);

} // namespace Velaro
