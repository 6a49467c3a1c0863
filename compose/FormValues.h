// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>
#include <QString>

#include <array>
#include <cstddef>

namespace Velaro
{

// The text fields of the form, by what they hold.
enum class Field {
    Callsign,
    Aerodrome,
    Runway,
    Taxiway,
    Stand,
    TaxiRoute,
    DepartureProcedure,
    InitialLevel,
    CurrentPoint,
    NextPoint,
    EstimatedTime,
    CurrentLevel,
    NextLevel,
    ApproachProcedure,
    Course,
    PatternLegTime,
};
inline constexpr std::size_t FieldCount = 16;

// Everything a composer may read, captured at the moment of the press.
struct FormValues {
    std::array<QString, FieldCount> texts;
    QString directionText;
    bool directionSelected = false;
    bool imperial = false;
    bool departure = true;
    bool leftPattern = true;
    // Decides the decimal separator the numeric checks accept.
    QLocale locale;

    const QString& text(Field field) const { return texts[static_cast<std::size_t>(field)]; }
    void setText(Field field, const QString& text)
    {
        texts[static_cast<std::size_t>(field)] = text;
    }
};

} // namespace Velaro
