// SPDX-License-Identifier: GPL-3.0-or-later
#include "Circuit.h"

#include "Frame.h"

namespace Velaro::Circuit
{

namespace
{

QLatin1String patternSide(const FormValues& form)
{
    return form.isLeftPattern() ? QLatin1String(" left") : QLatin1String(" right");
}

} // namespace

QString crosswind(const FormValues& form)
{
    return Frame::opening(form) + QLatin1String(", crosswind") + patternSide(form) +
           Frame::closing(form);
}

QString base(const FormValues& form)
{
    return Frame::opening(form) + QLatin1String(", turn base") + patternSide(form) +
           Frame::closing(form);
}

QString turningFinal(const FormValues& form)
{
    return Frame::opening(form) + QLatin1String(", turning final") + QLatin1String(" RWY") +
           form.text(Field::Runway) + Frame::closing(form);
}

QString finalApproach(const FormValues& form)
{
    return Frame::opening(form) + QLatin1String(", final") + QLatin1String(" RWY") +
           form.text(Field::Runway) + Frame::closing(form);
}

QString goAround(const FormValues& form)
{
    return Frame::opening(form) + QLatin1String(", go around") + Frame::closing(form);
}

} // namespace Velaro::Circuit
