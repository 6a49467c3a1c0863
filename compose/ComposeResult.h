// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FormValues.h"
#include "Message.h"

#include <QList>
#include <QString>

#include <optional>
#include <utility>

namespace Velaro
{

// What one press produces. The window shows the warning first, then delivers the call,
// and only once the clipboard holds it applies the field writes in order.
struct ComposeResult {
    // Absent when a failed check stops the press: nothing is delivered.
    std::optional<QString> call;
    // A message for the user; empty when there is none.
    QString warning;
    QList<FieldWrite> fieldWrites;
    // The call as it is said on the radio: only when asked for, and only with a call.
    std::optional<QString> spoken = std::nullopt;
};

// What a press does besides building its call into a message.
struct PressEffects {
    // False when a failed check stops the press: the message stays empty.
    bool delivers = true;
    QString warning;
    QList<FieldWrite> fieldWrites;
};

inline ComposeResult pressResult(const Message& call, PressEffects effects)
{
    return {effects.delivers ? std::optional<QString>(call.written()) : std::nullopt,
            std::move(effects.warning), std::move(effects.fieldWrites)};
}

} // namespace Velaro
