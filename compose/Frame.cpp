// SPDX-License-Identifier: GPL-3.0-or-later
#include "Frame.h"

namespace Velaro::Frame
{

void open(const FormValues& form, Message& call)
{
    call << fieldPiece(PieceKind::Aerodrome, form, Field::Aerodrome) << words(u" traffic, ")
         << fieldPiece(PieceKind::Callsign, form, Field::Callsign);
}

void close(const FormValues& form, Message& call)
{
    call << words(u", ");
    closeFolded(form, call);
}

void closeFolded(const FormValues& form, Message& call)
{
    call << fieldPiece(PieceKind::Aerodrome, form, Field::Aerodrome) << words(u" traffic");
}

Piece level(const FormValues& form, Field field)
{
    return fieldPiece(form.isImperial() ? PieceKind::FlightLevel : PieceKind::MetricLevel, form,
                      field);
}

} // namespace Velaro::Frame
