// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FormValues.h"

#include <QString>

// The pieces every call shares: "<aerodrome> traffic, <callsign>" at the start,
// ", <aerodrome> traffic" at the end, and levels written in the unit mode.
namespace Velaro::Frame
{

QString opening(const FormValues& form);
QString closing(const FormValues& form);
// The closing without its ", ", for calls whose last literal already carries it.
QString foldedClosing(const FormValues& form);
// "FL<text>" in imperial mode, "<text>m" in metric mode; the text is not converted.
QString levelToken(const FormValues& form, Field field);

} // namespace Velaro::Frame
