// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Composer.h"
#include "ExampleFlight.h"
#include "FormLayout.h"
#include "FormValues.h"

#include <QLocale>
#include <QString>

#include <algorithm>

// What the benchmarks feed the program: the worked examples' flight, which every
// call accepts without a warning, with a direction picked from the list.
namespace Velaro::Bench
{

inline constexpr const char* ExampleDirection = "north";

// The call's name on the command line, `velaro --press <name>`.
inline const char* callName(Call call)
{
    return std::find_if(FormLayout::Buttons.begin(), FormLayout::Buttons.end(),
                        [call](const FormLayout::ButtonEntry& entry) { return entry.call == call; })
        ->name;
}

inline FormValues exampleForm()
{
    FormValues form;
    for (const auto& example : Testing::ExampleFlight)
        form.setText(example.field, QString::fromLatin1(example.text));
    form.setDirection(QString::fromLatin1(ExampleDirection), true);
    form.setLocale(QLocale::c());
    return form;
}

} // namespace Velaro::Bench
