// SPDX-License-Identifier: GPL-3.0-or-later
#include "Departure.h"

#include "Frame.h"

namespace Velaro::Departure
{

QString liningUp(const FormValues& form)
{
    return Frame::opening(form) + QLatin1String(", lining up RWY") + form.text(Field::Runway) +
           QLatin1String(" for ") + form.text(Field::DepartureProcedure) +
           QLatin1String(" departure, initial climb ") +
           Frame::levelToken(form, Field::InitialLevel) + Frame::closing(form);
}

QString takeOff(const FormValues& form)
{
    return Frame::opening(form) + QLatin1String(", departing RWY") + form.text(Field::Runway) +
           Frame::closing(form);
}

QString afterTakeOff(const FormValues& form)
{
    return Frame::opening(form) + QLatin1String(", airborn, ") + Frame::foldedClosing(form);
}

} // namespace Velaro::Departure
