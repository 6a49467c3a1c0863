// SPDX-License-Identifier: GPL-3.0-or-later
// Builds an arbitrary form from the fuzzer's bytes and runs every composer and the
// numeric test on it. Besides the sanitizers' own checks it aborts when
// - a delivered call lacks the frame "<aerodrome> traffic, <callsign>...,
//   <aerodrome> traffic",
// - a press stops without a warning to tell the user why,
// - the spoken form is missing for a delivered call, or given for a stopped press,
//   or holds a line break, a blank at either end, two blanks in a row or a blank
//   before a comma,
// - the numeric test accepts a text that does not convert to a finite number.

#include "Composer.h"
#include "FormValues.h"
#include "Numeric.h"

#include <QLocale>
#include <QString>

#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace
{

using namespace Velaro;

constexpr std::size_t MaxTextBytes = 4096;

// Locales whose signs and decimal separators differ: a comma, an apostrophe group
// separator, Arabic and Persian signs wrapped in direction marks.
const std::array<QLocale, 6>& locales()
{
    static const std::array<QLocale, 6> all{
        QLocale::c(),
        QLocale(QLocale::Russian, QLocale::Russia),
        QLocale(QLocale::English, QLocale::UnitedStates),
        QLocale(QLocale::German, QLocale::Switzerland),
        QLocale(QLocale::Arabic, QLocale::Egypt),
        QLocale(QLocale::Persian, QLocale::Iran),
    };
    return all;
}

// Either UTF-8, as typed or pasted, or raw UTF-16 that may hold lone surrogates.
QString consumeText(FuzzedDataProvider& input)
{
    const bool utf8 = input.ConsumeBool();
    const std::string bytes = input.ConsumeRandomLengthString(MaxTextBytes);
    if (utf8)
        return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    std::u16string units(bytes.size() / 2, u'\0');
    bytes.copy(reinterpret_cast<char*>(units.data()), units.size() * 2);
    return QString::fromUtf16(units.data(), static_cast<qsizetype>(units.size()));
}

[[noreturn]] void fail(const char* what, const QString& text)
{
    std::fprintf(stderr, "%s: \"%s\"\n", what, text.toUtf8().constData());
    std::abort();
}

void checkCall(Call call, const FormValues& form)
{
    const ComposeResult result = compose(call, form);
    if (!result.call) {
        if (result.warning.isEmpty())
            fail("A press stopped without a warning", QString::number(static_cast<int>(call)));
        return;
    }
    const QString& aerodrome = form.text(Field::Aerodrome);
    const QString opening = aerodrome + QLatin1String(" traffic, ") + form.text(Field::Callsign);
    const QString closing = QLatin1String(", ") + aerodrome + QLatin1String(" traffic");
    if (!result.call->startsWith(opening))
        fail("A call does not open with the frame", *result.call);
    if (!result.call->endsWith(closing))
        fail("A call does not close with the frame", *result.call);
}

void checkSpoken(Call call, const FormValues& form)
{
    const std::optional<QString> spoken = speak(call, form);
    if (spoken.has_value() != compose(call, form).call.has_value())
        fail("The spoken form disagrees with the press", QString::number(static_cast<int>(call)));
    if (spoken && (spoken->contains(u'\n') || spoken->startsWith(u' ') || spoken->endsWith(u' ') ||
                   spoken->contains(QLatin1String("  ")) || spoken->contains(QLatin1String(" ,"))))
        fail("A spoken form is badly spaced", *spoken);
}

void checkNumber(const QString& text, const QLocale& locale)
{
    const std::optional<double> number = parseNumber(text, locale);
    if (number && !std::isfinite(*number))
        fail("An accepted number is not finite", text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);

    FormValues form;
    const bool directionPicked = input.ConsumeBool();
    form.setImperial(input.ConsumeBool());
    form.setDeparture(input.ConsumeBool());
    form.setLeftPattern(input.ConsumeBool());
    form.setLocale(input.PickValueInArray(locales()));
    for (std::size_t field = 0; field < FieldCount; ++field)
        form.setText(static_cast<Field>(field), consumeText(input));
    form.setDirection(consumeText(input), directionPicked);

    for (int call = 0; call < CallCount; ++call) {
        checkCall(static_cast<Call>(call), form);
        checkSpoken(static_cast<Call>(call), form);
    }
    for (std::size_t field = 0; field < FieldCount; ++field)
        checkNumber(form.text(static_cast<Field>(field)), form.locale());
    checkNumber(form.direction(), form.locale());
    return 0;
}
