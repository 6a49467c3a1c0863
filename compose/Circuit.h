// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FormValues.h"

#include <QString>

namespace Velaro::Circuit
{

QString crosswind(const FormValues& form);
QString base(const FormValues& form);
QString turningFinal(const FormValues& form);
QString finalApproach(const FormValues& form);
QString goAround(const FormValues& form);

} // namespace Velaro::Circuit
