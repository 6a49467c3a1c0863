// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// Another program's side of the window's calls on the session message bus.
namespace Velaro
{

// What `velaro --press` does: asks the running window to press the call of that name,
// prints the call it delivered, or why not, and returns the exit status.
int pressInRunningWindow(const QString& name);
// What `velaro --fill` does: sets the running window's fields from ROLE=TEXT arguments.
int fillInRunningWindow(const QStringList& assignments);

} // namespace Velaro
