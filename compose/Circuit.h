// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FormValues.h"
#include "Message.h"

#include <QString>

// Each call is built into a message; the one-argument forms return it written.
namespace Velaro::Circuit
{

void crosswind(const FormValues& form, Message& call);
void base(const FormValues& form, Message& call);
void turningFinal(const FormValues& form, Message& call);
void finalApproach(const FormValues& form, Message& call);
void goAround(const FormValues& form, Message& call);

QString crosswind(const FormValues& form);
QString base(const FormValues& form);
QString turningFinal(const FormValues& form);
QString finalApproach(const FormValues& form);
QString goAround(const FormValues& form);

} // namespace Velaro::Circuit
