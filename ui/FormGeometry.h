// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QGridLayout>
#include <QRect>

// What the fixed layouts of the windows are measured in, the font they are sized for,
// and how a fixed layout sits in a window made larger.
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

// A layout that keeps a part of fixed size in the middle of its window, however large
// a compositor makes the window.
inline QLayout* centring(QWidget* part)
{
    auto* layout = new QGridLayout;
    layout->setContentsMargins(QMargins());
    layout->addWidget(part, 0, 0, Qt::AlignCenter);
    return layout;
}

} // namespace Velaro
