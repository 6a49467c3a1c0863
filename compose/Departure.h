// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FormValues.h"

#include <QString>

namespace Velaro::Departure
{

QString liningUp(const FormValues& form);
QString takeOff(const FormValues& form);
QString afterTakeOff(const FormValues& form);

} // namespace Velaro::Departure
