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

QString opening(const FormValues& form)
{
    return written(form, open);
}

QString closing(const FormValues& form)
{
    return written(form, close);
}

QString foldedClosing(const FormValues& form)
{
    return written(form, closeFolded);
}

QString levelToken(const FormValues& form, Field field)
{
    Message token;
    token << level(form, field);
    return token.written();
}

} // namespace Velaro::Frame
