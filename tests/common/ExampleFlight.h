// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FormValues.h"

#include <QString>

#include <algorithm>
#include <array>

namespace Velaro::Testing
{

struct FieldText {
    Field field;
    const char* text;
};

// The flight of the worked examples, one text for every field: every call takes it
// without a warning, and the current level is below the next one.
inline constexpr std::array<FieldText, FieldCount> ExampleFlight{{
    {Field::Aerodrome, "ULLP"},
    {Field::Callsign, "RA-12345"},
    {Field::Runway, "28L"},
    {Field::Taxiway, "B2"},
    {Field::Stand, "12"},
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

inline QString exampleText(Field field)
{
    return QString::fromLatin1(
        std::find_if(ExampleFlight.begin(), ExampleFlight.end(), [field](const FieldText& entry) {
            return entry.field == field;
        })->text);
}

} // namespace Velaro::Testing
