// SPDX-License-Identifier: GPL-3.0-or-later
#include "WrappingButton.h"

#include <QKeyEvent>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace Velaro
{

namespace
{
constexpr int CaptionFlags = Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;
constexpr int NextBarHeight = 3;
} // namespace

QRect WrappingButton::captionRect() const
{
    QStyleOptionButton option;
    initStyleOption(&option);
    return style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
}

void WrappingButton::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);
    painter.drawItemText(captionRect(), CaptionFlags, palette(), isEnabled(), text(),
                         QPalette::ButtonText);
    // The call that comes next: a bar in the selection's colour along the bottom, as the
    // fields a hovered button reads are tinted in it.
    if (isDefault()) {
        const QRect caption = captionRect();
        painter.fillRect(caption.left(), caption.bottom() - NextBarHeight + 1, caption.width(),
                         NextBarHeight, palette().color(QPalette::Highlight));
    }
}

void WrappingButton::keyPressEvent(QKeyEvent* event)
{
    // Outside dialogs QPushButton leaves Enter to the window; here it presses the button.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

} // namespace Velaro
