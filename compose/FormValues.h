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

// A field's new text, as a press moves the reporting points on or the simulator fills it.
struct FieldWrite {
    Field field;
    QString text;

    bool operator==(const FieldWrite& other) const
    {
        // mutants: equivalent logic: the program compares no field writes; tests do
        return field == other.field && text == other.text;
    }
};

// Everything a composer may read, captured at the moment of the press. The fields and
// the direction list are read only through accessors that keep a record of what was
// read, so that the window can show which inputs a call takes; the values themselves
// stay private, so that no read can slip past the record.
class FormValues
{
public:
    const QString& text(Field field) const
    {
        m_reads |= bit(field);
        return m_texts[index(field)];
    }
    // For an optional input, whose emptiness leaves no gap in the call: recorded as
    // read, but not as needed.
    bool hasText(Field field) const
    {
        m_optionalReads |= bit(field);
        return !m_texts[index(field)].isEmpty();
    }
    const QString& direction() const
    {
        m_reads |= DirectionBit;
        return m_direction;
    }
    bool isDirectionPicked() const
    {
        m_reads |= DirectionBit;
        return m_directionPicked;
    }
    bool isImperial() const { return m_imperial; }
    bool isDeparture() const { return m_departure; }
    bool isLeftPattern() const { return m_leftPattern; }
    // Decides the decimal separator the numeric checks accept.
    const QLocale& locale() const { return m_locale; }

    void setText(Field field, const QString& text) { m_texts[index(field)] = text; }
    void setDirection(const QString& text, bool picked)
    {
        m_direction = text;
        m_directionPicked = picked;
    }
    void setImperial(bool imperial) { m_imperial = imperial; }
    void setDeparture(bool departure) { m_departure = departure; }
    void setLeftPattern(bool leftPattern) { m_leftPattern = leftPattern; }
    void setLocale(const QLocale& locale) { m_locale = locale; }

    // Whether an input is empty, asked without counting as a read.
    bool isEmpty(Field field) const { return m_texts[index(field)].isEmpty(); }
    bool isDirectionEmpty() const { return m_direction.isEmpty(); }

    bool wasRead(Field field) const { return ((m_reads | m_optionalReads) & bit(field)) != 0; }
    // Read only to ask whether it holds text: empty, it leaves no gap in the call.
    bool wasReadAsOptional(Field field) const
    {
        return (m_optionalReads & ~m_reads & bit(field)) != 0;
    }
    bool wasDirectionRead() const { return (m_reads & DirectionBit) != 0; }
    void forgetReads() const
    {
        m_reads = 0;
        m_optionalReads = 0;
    }

private:
    static constexpr std::size_t index(Field field) { return static_cast<std::size_t>(field); }
    static constexpr std::uint32_t bit(Field field)
    {
        return std::uint32_t{1} << static_cast<unsigned>(field);
    }
    static constexpr std::uint32_t DirectionBit = std::uint32_t{1} << FieldCount;

    std::array<QString, FieldCount> m_texts;
    QString m_direction;
    bool m_directionPicked = false;
    bool m_imperial = false;
    bool m_departure = true;
    bool m_leftPattern = true;
    QLocale m_locale;
    // Only a record of reading: not part of the values themselves.
    mutable std::uint32_t m_reads = 0;
    mutable std::uint32_t m_optionalReads = 0;
};

} // namespace Velaro
