// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QRect>

// What the fixed layouts of the windows are measured in, and the font they are sized for.
namespace Velaro
{

// A rectangle in twips; fifteen twips make one logical pixel.
struct TwipRect {
    int left;
    int top;
    int width;
    int height;

    QRect toPixels() const { return {left / 15, top / 15, width / 15, height / 15}; }
};

// Small enough for every caption to fit the windows' fixed cells, sized in pixels
// like the cells themselves.
inline QFont formFont()
{
    QFont font(QStringLiteral("DejaVu Sans Condensed"));
    font.setPixelSize(10);
    return font;
}

} // namespace Velaro
