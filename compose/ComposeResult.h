// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FormValues.h"

#include <QList>
#include <QString>

#include <optional>

namespace Velaro
{

struct FieldWrite {
    Field field;
    QString text;

    bool operator==(const FieldWrite& other) const
    {
        return field == other.field && text == other.text;
    }
};

// What one press produces. The window shows the warning first, then applies the
// field writes in order, then delivers the call.
struct ComposeResult {
    // Absent when a failed check stops the press: nothing is delivered.
    std::optional<QString> call;
    // A message for the user; empty when there is none.
    QString warning;
    QList<FieldWrite> fieldWrites;
};

} // namespace Velaro
