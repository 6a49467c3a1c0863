// SPDX-License-Identifier: GPL-3.0-or-later
#include "Ground.h"

#include "Frame.h"

namespace Velaro::Ground
{

void pushback(const FormValues& form, Message& call)
{
    Frame::open(form, call);
    call << words(u", pushing back ");
    if (form.isDirectionPicked())
        call << words(u"face ") << Piece{PieceKind::PickedDirection, form.direction()};
    else
        call << words(u"to starting point ") << Piece{PieceKind::TypedText, form.direction()};
    call << words(u" from stand ") << fieldPiece(PieceKind::TypedText, form, Field::Stand);
    Frame::close(form, call);
}

void startUpOrShutdown(const FormValues& form, Message& call)
{
    Frame::open(form, call);
    if (form.isDeparture()) {
        call << words(u", engines start up on stand ")
             << fieldPiece(PieceKind::TypedText, form, Field::Stand);
        Frame::close(form, call);
        return;
    }
    call << words(u", on stand ") << fieldPiece(PieceKind::TypedText, form, Field::Stand)
         << words(u", engines shutdown, ");
    Frame::closeFolded(form, call);
}

void taxi(const FormValues& form, Message& call)
{
    Frame::open(form, call);
    if (form.isDeparture())
        call << words(u", taxiing via ") << fieldPiece(PieceKind::TypedText, form, Field::TaxiRoute)
             << words(u" to holding point ") << fieldPiece(PieceKind::Runway, form, Field::Runway);
    else
        call << words(u", taxiing on stand ")
             << fieldPiece(PieceKind::TypedText, form, Field::Stand) << words(u" via ")
             << fieldPiece(PieceKind::TypedText, form, Field::TaxiRoute);
    Frame::close(form, call);
}

void runwayVacated(const FormValues& form, Message& call)
{
    Frame::open(form, call);
    call << words(u", ") << fieldPiece(PieceKind::Runway, form, Field::Runway)
         << words(u" vacated on ") << fieldPiece(PieceKind::Taxiway, form, Field::Taxiway);
    Frame::close(form, call);
}

} // namespace Velaro::Ground
