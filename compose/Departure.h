// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FormValues.h"
#include "Message.h"

// Each call is built into a message, which gives it written and said aloud.
namespace Velaro::Departure
{

void liningUp(const FormValues& form, Message& call);
void takeOff(const FormValues& form, Message& call);
void afterTakeOff(const FormValues& form, Message& call);

} // namespace Velaro::Departure
