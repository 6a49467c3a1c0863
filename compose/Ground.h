// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FormValues.h"
#include "Message.h"

// Each call is built into a message, which gives it written and said aloud.
namespace Velaro::Ground
{

void pushback(const FormValues& form, Message& call);
// Start-up in departure mode, shutdown otherwise.
void startUpOrShutdown(const FormValues& form, Message& call);
// Taxi out to the holding point in departure mode, taxi in to the stand otherwise.
void taxi(const FormValues& form, Message& call);
void runwayVacated(const FormValues& form, Message& call);

} // namespace Velaro::Ground
