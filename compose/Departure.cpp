// SPDX-License-Identifier: GPL-3.0-or-later
#include "Departure.h"

#include "Frame.h"

namespace Velaro::Departure
{

void liningUp(const FormValues& form, Message& call)
{
    Frame::open(form, call);
    call << words(u", lining up ") << fieldPiece(PieceKind::Runway, form, Field::Runway)
         << words(u" for ") << fieldPiece(PieceKind::TypedText, form, Field::DepartureProcedure)
         << words(u" departure, initial climb ") << Frame::level(form, Field::InitialLevel);
    Frame::close(form, call);
}

void takeOff(const FormValues& form, Message& call)
{
    Frame::open(form, call);
    call << words(u", departing ") << fieldPiece(PieceKind::Runway, form, Field::Runway);
    Frame::close(form, call);
}

void afterTakeOff(const FormValues& form, Message& call)
{
    Frame::open(form, call);
    // Written as the call has always been written; said as the word is.
    call << words(u", airborn, ", u", airborne, ");
    Frame::closeFolded(form, call);
}

} // namespace Velaro::Departure
