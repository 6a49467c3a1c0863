// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FormValues.h"
#include "Message.h"

// Each call is built into a message, which gives it written and said aloud.
namespace Velaro::Circuit
{

void crosswind(const FormValues& form, Message& call);
void base(const FormValues& form, Message& call);
void turningFinal(const FormValues& form, Message& call);
void finalApproach(const FormValues& form, Message& call);
void goAround(const FormValues& form, Message& call);

} // namespace Velaro::Circuit
