// SPDX-License-Identifier: GPL-3.0-or-later
#include "Ground.h"

#include "Frame.h"

namespace Velaro::Ground
{

QString pushback(const FormValues& form)
{
    const QLatin1String wording =
        form.isDirectionPicked() ? QLatin1String("face ") : QLatin1String("to starting point ");
    return Frame::opening(form) + QLatin1String(", pushing back ") + wording + form.direction() +
           QLatin1String(" from stand ") + form.text(Field::Stand) + Frame::closing(form);
}

QString startUpOrShutdown(const FormValues& form)
{
    if (form.isDeparture())
        return Frame::opening(form) + QLatin1String(", engines start up on stand ") +
               form.text(Field::Stand) + Frame::closing(form);
    return Frame::opening(form) + QLatin1String(", on stand ") + form.text(Field::Stand) +
           QLatin1String(", engines shutdown, ") + Frame::foldedClosing(form);
}

QString taxi(const FormValues& form)
{
    if (form.isDeparture())
        return Frame::opening(form) + QLatin1String(", taxiing via ") +
               form.text(Field::TaxiRoute) + QLatin1String(" to holding point RWY") +
               form.text(Field::Runway) + Frame::closing(form);
    return Frame::opening(form) + QLatin1String(", taxiing on stand ") + form.text(Field::Stand) +
           QLatin1String(" via ") + form.text(Field::TaxiRoute) + Frame::closing(form);
}

QString runwayVacated(const FormValues& form)
{
    return Frame::opening(form) + QLatin1String(", RWY") + form.text(Field::Runway) +
           QLatin1String(" vacated on TWY") + form.text(Field::Taxiway) + Frame::closing(form);
}

} // namespace Velaro::Ground
