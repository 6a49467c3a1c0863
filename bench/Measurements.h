// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ResultTable.h"

namespace Velaro::Bench
{

// Google Benchmark timings of every composer and of the numeric test; the
// library's own command-line flags (--benchmark_filter...) apply.
Section measureComposing();

// In this process: the time from a click on each call button to the clipboard
// holding the call.
Section measurePresses();

// The window linked to FlightGear, a stand-in of it in fact: a press, a value changed
// there shown in its field, the cost of the idle link, and its memory over many readings.
Section measureFlightGearLink();

// Launches of velaro-startup-probe, from the start of the process to its first
// painted frame, alternating between the program as it starts, the same form built
// plainly and two bare windows.
QList<Section> measureStartUp(const QString& probe);

} // namespace Velaro::Bench
