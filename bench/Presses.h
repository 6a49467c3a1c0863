// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FormValues.h"

#include <QString>

#include <functional>
#include <variant>
#include <vector>

namespace Velaro
{
class MainWindow;
}

namespace Velaro::Bench
{

inline constexpr double PressTargetNanoseconds = 1e6;

// The time from a QTest::mouseClick on the call's button to the clipboard holding its
// call, for each of that many presses of the example flight; or why there is none.
// beforeEach runs before every press, outside the timing.
std::variant<std::vector<double>, QString>
timePresses(MainWindow& window, Call call, int presses,
            const std::function<void()>& beforeEach = {});

} // namespace Velaro::Bench
