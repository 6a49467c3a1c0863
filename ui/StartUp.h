// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

class QObject;
class QWidget;

namespace Velaro
{

// Gives the application its name, version, desktop entry and window icon, exactly as
// the program does before it shows the main window; on Wayland its windows follow the
// compositor when it maximises them.
void setUpApplication();

// Runs then from the event loop once the window has shown its first frame, while context
// lives: work the first frame does not need costs the start-up nothing.
void afterFirstFrame(QWidget& window, QObject* context, std::function<void()> then);

} // namespace Velaro
