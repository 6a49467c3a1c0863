// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FormValues.h"

#include <QString>

namespace Velaro::Ground
{

QString pushback(const FormValues& form);
// Start-up in departure mode, shutdown otherwise.
QString startUpOrShutdown(const FormValues& form);
// Taxi out to the holding point in departure mode, taxi in to the stand otherwise.
QString taxi(const FormValues& form);
QString runwayVacated(const FormValues& form);

} // namespace Velaro::Ground
