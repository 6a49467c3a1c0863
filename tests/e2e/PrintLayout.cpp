// SPDX-License-Identifier: GPL-3.0-or-later
// Writes where the form's controls are, for the end-to-end scripts to click them, one
// line each: "<object name> <left> <top> <width> <height>" in pixels of the form, then
// "client <width> <height>" and the direction list's entries in order as "direction <entry>".
#include "FormLayout.h"

#include <cstdio>

using namespace Velaro::FormLayout;

namespace
{

void print(const char* name, const QRect& rect)
{
    std::printf("%s %d %d %d %d\n", name, rect.left(), rect.top(), rect.width(), rect.height());
}

} // namespace

int main()
{
    for (const FieldEntry& entry : Fields)
        print(entry.objectName, entry.field.toPixels());
    for (const ButtonEntry& entry : Buttons)
        print(entry.objectName, entry.rect.toPixels());
    const QPoint frame = PatternFrame.toPixels().topLeft();
    for (const OptionEntry& entry : Options) {
        const bool inFrame =
            entry.role == Option::LeftPattern || entry.role == Option::RightPattern;
        print(entry.objectName, entry.rect.toPixels().translated(inFrame ? frame : QPoint()));
    }
    const QSize client = ClientArea.toPixels().size();
    std::printf("client %d %d\n", client.width(), client.height());
    for (const char* direction : Directions)
        std::printf("direction %s\n", direction);
    return 0;
}
