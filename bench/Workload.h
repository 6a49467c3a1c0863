// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Composer.h"
#include "ExampleFlight.h"
#include "FormValues.h"

#include <QLocale>
#include <QString>

#include <algorithm>
#include <array>

// What the benchmarks feed the program: the worked examples' flight, which every
// call accepts without a warning, with a direction picked from the list.
namespace Velaro::Bench
{

inline constexpr const char* ExampleDirection = "north";

struct CallName {
    Call call;
    const char* name;
};

inline constexpr std::array<CallName, CallCount> CallNames{{
    {Call::Pushback, "pushback"},
    {Call::StartUpOrShutdown, "start-up"},
    {Call::Taxi, "taxi"},
    {Call::RunwayVacated, "runway vacated"},
    {Call::LiningUp, "lining up"},
    {Call::TakeOff, "take-off"},
    {Call::AfterTakeOff, "after take-off"},
    {Call::ReportingPoint, "reporting point"},
    {Call::LevelChange, "level change"},
    {Call::ApproachDescent, "approach descent"},
    {Call::Holding, "holding"},
    {Call::Crosswind, "crosswind"},
    {Call::Base, "base"},
    {Call::TurningFinal, "turning final"},
    {Call::Final, "final"},
    {Call::GoAround, "go around"},
}};

inline const char* callName(Call call)
{
    return std::find_if(CallNames.begin(), CallNames.end(),
                        [call](const CallName& entry) { return entry.call == call; })
        ->name;
}

inline FormValues exampleForm()
{
    FormValues form;
    for (const auto& example : Testing::ExampleFlight)
        form.setText(example.field, QString::fromLatin1(example.text));
    form.setDirection(QString::fromLatin1(ExampleDirection), true);
    form.setLocale(QLocale::c());
    return form;
}

} // namespace Velaro::Bench
