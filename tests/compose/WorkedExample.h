// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ComposeResult.h"
#include "ExampleFlight.h"
#include "FormValues.h"

#include <QList>
#include <QLocale>
#include <QString>

namespace Velaro::Testing
{

inline QLocale russianLocale()
{
    return QLocale(QLocale::Russian, QLocale::Russia);
}

inline QLocale englishLocale()
{
    return QLocale(QLocale::English, QLocale::UnitedStates);
}

// Every field empty and every switch as the window shows it at start. The locale is
// fixed so that no result depends on the machine running the tests.
inline FormValues blankForm()
{
    FormValues form;
    form.setLocale(QLocale::c());
    return form;
}

inline FormValues withTexts(FormValues form, const QList<FieldWrite>& texts)
{
    for (const FieldWrite& write : texts)
        form.setText(write.field, write.text);
    return form;
}

inline FormValues withText(const FormValues& form, Field field, const QString& text)
{
    return withTexts(form, {{field, text}});
}

inline FormValues withLocale(FormValues form, const QLocale& locale)
{
    form.setLocale(locale);
    return form;
}

inline FormValues inImperialUnits(FormValues form)
{
    form.setImperial(true);
    return form;
}

inline FormValues inArrivalMode(FormValues form)
{
    form.setDeparture(false);
    return form;
}

inline FormValues withRightPattern(FormValues form)
{
    form.setLeftPattern(false);
    return form;
}

inline FormValues withDirection(FormValues form, const QString& text, bool selected)
{
    form.setDirection(text, selected);
    return form;
}

// Aerodrome ULLP and callsign RA-12345, the frame of every worked example.
inline FormValues framedForm()
{
    return withTexts(blankForm(), {{Field::Aerodrome, exampleText(Field::Aerodrome)},
                                   {Field::Callsign, exampleText(Field::Callsign)}});
}

// Every field as in the worked examples; nothing typed into the direction list.
inline FormValues exampleForm()
{
    FormValues form = blankForm();
    for (const FieldText& example : ExampleFlight)
        form.setText(example.field, QString::fromLatin1(example.text));
    return form;
}

} // namespace Velaro::Testing
