// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>
#include <QString>

#include <optional>

namespace Velaro
{

// The number a level, course or time field holds, or nothing when the text is not
// a plain number. Accepted: optional blanks, an optional sign, digits, and an
// optional fractional part after the locale's decimal separator ("1,5" in Russian,
// "1.5" in English); ".5" and "5." count as well. Rejected: empty or blank text,
// letters, exponents ("1e3"), hexadecimal ("0x10"), group separators ("1 500",
// "1,500" in English), "nan" and "inf", and values too large for a double.
std::optional<double> parseNumber(const QString& text, const QLocale& locale);

inline bool isNumeric(const QString& text, const QLocale& locale)
{
    return parseNumber(text, locale).has_value();
}

} // namespace Velaro
