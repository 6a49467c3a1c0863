// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>
#include <QString>

#include <array>
#include <cstddef>
#include <cstdint>

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

// Everything a composer may read, captured at the moment of the press. Composers
// read the fields and the direction list through the accessors, which keep a record
// of what was read, so that the window can show which inputs a call takes.
struct FormValues {
    std::array<QString, FieldCount> texts;
    QString directionText;
    bool directionSelected = false;
    bool imperial = false;
    bool departure = true;
    bool leftPattern = true;
    // Decides the decimal separator the numeric checks accept.
    QLocale locale;

    const QString& text(Field field) const
    {
        m_reads |= bit(field);
        return texts[static_cast<std::size_t>(field)];
    }
    void setText(Field field, const QString& text)
    {
        texts[static_cast<std::size_t>(field)] = text;
    }
    const QString& direction() const
    {
        m_reads |= DirectionBit;
        return directionText;
    }
    bool isDirectionPicked() const
    {
        m_reads |= DirectionBit;
        return directionSelected;
    }

    bool wasRead(Field field) const { return (m_reads & bit(field)) != 0; }
    bool wasDirectionRead() const { return (m_reads & DirectionBit) != 0; }
    void forgetReads() const { m_reads = 0; }

private:
    static constexpr std::uint32_t bit(Field field)
    {
        return std::uint32_t{1} << static_cast<unsigned>(field);
    }
    static constexpr std::uint32_t DirectionBit = std::uint32_t{1} << FieldCount;

    // Only a record of reading: not part of the values themselves.
    mutable std::uint32_t m_reads = 0;
};

} // namespace Velaro
