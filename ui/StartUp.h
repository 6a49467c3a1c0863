// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace Velaro
{

// Gives the application its name, version, desktop entry and window icon, exactly as
// the program does before it shows the main window; on Wayland its windows follow the
// compositor when it maximises them.
void setUpApplication();

} // namespace Velaro
