// SPDX-License-Identifier: GPL-3.0-or-later
#include "Circuit.h"

#include "Frame.h"

namespace Velaro::Circuit
{

namespace
{

Piece patternSide(const FormValues& form)
{
    return words(form.isLeftPattern() ? QStringView(u" left") : QStringView(u" right"));
}

} // namespace

void crosswind(const FormValues& form, Message& call)
{
    Frame::open(form, call);
    call << words(u", crosswind") << patternSide(form);
    Frame::close(form, call);
}

void base(const FormValues& form, Message& call)
{
    Frame::open(form, call);
    call << words(u", turn base") << patternSide(form);
    Frame::close(form, call);
}

void turningFinal(const FormValues& form, Message& call)
{
    Frame::open(form, call);
    call << words(u", turning final ") << fieldPiece(PieceKind::Runway, form, Field::Runway);
    Frame::close(form, call);
}

void finalApproach(const FormValues& form, Message& call)
{
    Frame::open(form, call);
    call << words(u", final ") << fieldPiece(PieceKind::Runway, form, Field::Runway);
    Frame::close(form, call);
}

void goAround(const FormValues& form, Message& call)
{
    Frame::open(form, call);
    call << words(u", go around");
    Frame::close(form, call);
}

} // namespace Velaro::Circuit
