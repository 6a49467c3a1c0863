// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ComposeResult.h"
#include "FormValues.h"

#include <QString>

#include <optional>

namespace Velaro
{

// One call for each button of the window.
enum class Call {
    Pushback,
    StartUpOrShutdown,
    Taxi,
    RunwayVacated,
    LiningUp,
    TakeOff,
    AfterTakeOff,
    ReportingPoint,
    LevelChange,
    ApproachDescent,
    Holding,
    Crosswind,
    Base,
    TurningFinal,
    Final,
    GoAround,
};
inline constexpr int CallCount = 16;

ComposeResult compose(Call call, const FormValues& form);
// The call a press would deliver now, as it is said on the radio; nothing when the
// press would deliver nothing. Slower than compose(), and never needed for a press.
std::optional<QString> speak(Call call, const FormValues& form);

} // namespace Velaro
