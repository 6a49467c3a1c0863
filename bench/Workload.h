// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Composer.h"
#include "FormValues.h"

#include <QLocale>
#include <QString>

#include <algorithm>
#include <array>

// What the benchmarks feed the program: the values of the worked examples, which
// every call accepts without a warning.
namespace Velaro::Bench
{

struct ExampleText {
    Field field;
    const char* text;
};

inline constexpr std::array<ExampleText, FieldCount> ExampleTexts{{
    {Field::Aerodrome, "ULLP"},
    {Field::Callsign, "RA-12345"},
    {Field::Stand, "12"},
    {Field::Runway, "28L"},
    {Field::Taxiway, "B2"},
    {Field::TaxiRoute, "A C"},
    {Field::DepartureProcedure, "KILO 1A"},
    {Field::InitialLevel, "900"},
    {Field::CurrentPoint, "ODIMO"},
    {Field::NextPoint, "RATOS"},
    {Field::EstimatedTime, "35"},
    {Field::CurrentLevel, "3000"},
    {Field::NextLevel, "3600"},
    {Field::ApproachProcedure, "ODIMO 2K"},
    {Field::Course, "095"},
    {Field::PatternLegTime, "1"},
}};

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
    for (const ExampleText& example : ExampleTexts)
        form.setText(example.field, QString::fromLatin1(example.text));
    form.setDirection(QString::fromLatin1(ExampleDirection), true);
    form.setLocale(QLocale::c());
    return form;
}

} // namespace Velaro::Bench
