// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The window's calls on the session message bus: what the window offers (RemotePress)
// and what `velaro --press` and `velaro --fill` ask it for.
namespace Velaro::BusInterface
{

inline const QString Service = QStringLiteral(VELARO_APPLICATION_ID);
inline const QString ObjectPath = QStringLiteral("/org/velaro/Velaro");
inline const QString Interface = QStringLiteral("org.velaro.Velaro.Calls");

inline const QString UnknownCall = QStringLiteral("org.velaro.Velaro.Error.UnknownCall");
inline const QString CheckFailed = QStringLiteral("org.velaro.Velaro.Error.CheckFailed");
inline const QString NotDelivered = QStringLiteral("org.velaro.Velaro.Error.NotDelivered");
inline const QString Busy = QStringLiteral("org.velaro.Velaro.Error.Busy");
inline const QString NotInChat = QStringLiteral("org.velaro.Velaro.Error.NotInChat");
inline const QString UnknownField = QStringLiteral("org.velaro.Velaro.Error.UnknownField");
inline const QString NoCallNext = QStringLiteral("org.velaro.Velaro.Error.NoCallNext");

// How long a caller waits for the window's answer.
inline constexpr int AnswerMilliseconds = 1000; // mutants: equivalent constant: ±1 ms
// How long a press waits for the simulator's chat to take its call, from its arrival:
// the rest of the caller's second is for the bus both ways, which took up to 50 ms on a
// loaded machine.
inline constexpr int ChatMilliseconds = 800; // mutants: equivalent constant: ±1 ms

} // namespace Velaro::BusInterface
