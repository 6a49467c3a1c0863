// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ComposeResult.h"
#include "FormValues.h"
#include "Message.h"

#include <QString>

// Each call is built into a message; what else the press does is returned.
namespace Velaro::EnRoute
{

inline const QString LevelNotNumeric = QStringLiteral("Эшелон должен быть задан числом");
inline const QString CourseNotNumeric = QStringLiteral("Курс должен быть задан числом");
inline const QString TimeNotNumeric = QStringLiteral("Время должно быть задано числом");

// Climb or descent report at a reporting point; on success it also moves the next
// reporting point into the current one.
PressEffects reportingPoint(const FormValues& form, Message& call);
PressEffects levelChange(const FormValues& form, Message& call);
// Warns about non-numeric levels but always delivers.
PressEffects approachDescent(const FormValues& form, Message& call);
PressEffects holding(const FormValues& form, Message& call);

} // namespace Velaro::EnRoute
