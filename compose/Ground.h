// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FormValues.h"
#include "Message.h"

#include <QString>

// Each call is built into a message; the one-argument forms return it written.
namespace Velaro::Ground
{

void pushback(const FormValues& form, Message& call);
// Start-up in departure mode, shutdown otherwise.
void startUpOrShutdown(const FormValues& form, Message& call);
// Taxi out to the holding point in departure mode, taxi in to the stand otherwise.
void taxi(const FormValues& form, Message& call);
void runwayVacated(const FormValues& form, Message& call);

QString pushback(const FormValues& form);
QString startUpOrShutdown(const FormValues& form);
QString taxi(const FormValues& form);
QString runwayVacated(const FormValues& form);

} // namespace Velaro::Ground
