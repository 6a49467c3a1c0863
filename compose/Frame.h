// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FormValues.h"
#include "Message.h"

#include <QString>

// The pieces every call shares: "<aerodrome> traffic, <callsign>" at the start,
// ", <aerodrome> traffic" at the end, and levels written in the unit mode.
namespace Velaro::Frame
{

void open(const FormValues& form, Message& call);
void close(const FormValues& form, Message& call);
// The closing without its ", ", for calls whose last words already carry it.
void closeFolded(const FormValues& form, Message& call);
// FL<text> in imperial mode, <text>m in metric mode; the text is not converted.
Piece level(const FormValues& form, Field field);

} // namespace Velaro::Frame
