// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FormValues.h"

#include <QString>
#include <QStringView>
#include <QVarLengthArray>

#include <cstddef>
#include <cstdint>

namespace Velaro
{

// What a piece of a call holds. The kind decides how the piece is written in the
// call that goes to the clipboard and how it is said on the radio.
enum class PieceKind : std::uint8_t {
    // The call's own words, with the blanks and commas around them.
    Words,
    Aerodrome,
    Callsign,
    // Written RWY<runway>.
    Runway,
    // Written TWY<taxiway>.
    Taxiway,
    // Written FL<level>.
    FlightLevel,
    // Written <level>m.
    MetricLevel,
    // The estimated time, written <minutes>min.
    MinutesPastHour,
    // Written <time> min.
    LegTime,
    // Pilot-typed text: stand, course, taxi route, procedures, reporting points, a
    // pushback direction typed rather than picked.
    TypedText,
    // A direction picked from the list, a word of its own.
    PickedDirection,
};
inline constexpr std::size_t PieceKindCount = 11;
static_assert(static_cast<std::size_t>(PieceKind::PickedDirection) + 1 == PieceKindCount);

// A view, not a copy: the text stays with the form or the literal it comes from.
struct Piece {
    PieceKind kind;
    QStringView text;
    // Words only: how they are said where that differs from how they are written.
    QStringView saidAs = {};
};

constexpr Piece words(QStringView text, QStringView saidAs = {})
{
    return {PieceKind::Words, text, saidAs};
}

inline Piece fieldPiece(PieceKind kind, const FormValues& form, Field field)
{
    return {kind, form.text(field)};
}

// The message buffer of one call: its pieces in order, rendered either as the
// written call or, by spokenForm(), as the call said aloud. Holds no text of its
// own and does not allocate for an ordinary call.
class Message
{
public:
    Message& operator<<(const Piece& piece)
    {
        m_pieces.append(piece);
        return *this;
    }

    // The pieces joined exactly as the call is delivered.
    QString written() const;

    const Piece* begin() const { return m_pieces.cbegin(); }
    const Piece* end() const { return m_pieces.cend(); }

private:
    // Room for the longest calls, the three en-route reports of sixteen pieces.
    QVarLengthArray<Piece, 16> m_pieces;
};

} // namespace Velaro
