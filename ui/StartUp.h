// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QLayout;
class QWidget;

namespace Velaro
{

// Gives the application its name, version, desktop entry and window icon, exactly as
// the program does before it shows the main window; on Wayland its windows follow the
// compositor when it maximises them.
void setUpApplication();

// A layout that keeps a part of fixed size in the middle of its window, however large
// the compositor makes the window.
QLayout* centring(QWidget* part);

} // namespace Velaro
