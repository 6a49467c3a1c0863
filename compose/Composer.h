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

// A press needs only the written call; saying it aloud as well takes a few times as
// long, for the preview.
enum class Rendering { Written, WrittenAndSpoken };

ComposeResult compose(Call call, const FormValues& form, Rendering rendering = Rendering::Written);
// The call a press would deliver now, as it is said on the radio; nothing when the
// press would deliver nothing.
std::optional<QString> speak(Call call, const FormValues& form);

} // namespace Velaro
