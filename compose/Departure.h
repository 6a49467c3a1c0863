// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FormValues.h"
#include "Message.h"

#include <QString>

// Each call is built into a message; the one-argument forms return it written.
namespace Velaro::Departure
{

void liningUp(const FormValues& form, Message& call);
void takeOff(const FormValues& form, Message& call);
void afterTakeOff(const FormValues& form, Message& call);

QString liningUp(const FormValues& form);
QString takeOff(const FormValues& form);
QString afterTakeOff(const FormValues& form);

} // namespace Velaro::Departure
