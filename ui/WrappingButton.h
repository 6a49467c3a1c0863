// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPushButton>

namespace Velaro
{

// A call button: its caption breaks onto a second line where it is too long for one,
// as the narrow, tall buttons of the form need, and Enter presses it as Space does. The
// window's default button is the call that comes next, and is drawn so.
class WrappingButton : public QPushButton
{
    Q_OBJECT

public:
    using QPushButton::QPushButton;

    // The caption's area inside the button's bevel.
    QRect captionRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace Velaro
