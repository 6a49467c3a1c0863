// SPDX-License-Identifier: GPL-3.0-or-later
#include "Message.h"

namespace Velaro
{

namespace
{

// The letters a piece is written with around its text.
struct Marks {
    QLatin1String before;
    QLatin1String after;
};

Marks writtenMarks(PieceKind kind)
{
    switch (kind) {
    case PieceKind::Runway:
        return {QLatin1String("RWY"), {}};
    case PieceKind::Taxiway:
        return {QLatin1String("TWY"), {}};
    case PieceKind::FlightLevel:
        return {QLatin1String("FL"), {}};
    case PieceKind::MetricLevel:
        return {{}, QLatin1String("m")};
    case PieceKind::MinutesPastHour:
        return {{}, QLatin1String("min")};
    case PieceKind::LegTime:
        return {{}, QLatin1String(" min")};
    default:
        return {};
    }
}

} // namespace

QString Message::written() const
{
    qsizetype size = 0;
    for (const Piece& piece : m_pieces) {
        const Marks marks = writtenMarks(piece.kind);
        size += marks.before.size() + piece.text.size() + marks.after.size();
    }
    QString call;
    call.reserve(size);
    for (const Piece& piece : m_pieces) {
        const Marks marks = writtenMarks(piece.kind);
        call.append(marks.before).append(piece.text).append(marks.after);
    }
    return call;
}

QString written(const FormValues& form, void (*compose)(const FormValues&, Message&))
{
    Message message;
    compose(form, message);
    return message.written();
}

} // namespace Velaro
