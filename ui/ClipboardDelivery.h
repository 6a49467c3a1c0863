// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace Velaro
{

// Puts text on the clipboard the focused program pastes from, and says why not where it
// could not (an empty string when it did).
QString putOnClipboard(const QString& text);

// The same for a press from another program, while the pilot's focus is elsewhere.
QString putOnClipboardFromAfar(const QString& text);

} // namespace Velaro
