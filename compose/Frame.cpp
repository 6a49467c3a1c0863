// SPDX-License-Identifier: GPL-3.0-or-later
#include "Frame.h"

namespace Velaro::Frame
{

QString opening(const FormValues& form)
{
    return form.text(Field::Aerodrome) + QLatin1String(" traffic, ") + form.text(Field::Callsign);
}

QString closing(const FormValues& form)
{
    return QLatin1String(", ") + foldedClosing(form);
}

QString foldedClosing(const FormValues& form)
{
    return form.text(Field::Aerodrome) + QLatin1String(" traffic");
}

QString levelToken(const FormValues& form, Field field)
{
    if (form.isImperial())
        return QLatin1String("FL") + form.text(field);
    return form.text(field) + QLatin1Char('m');
}

} // namespace Velaro::Frame
