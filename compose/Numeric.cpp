// SPDX-License-Identifier: GPL-3.0-or-later
#include "Numeric.h"

#include <QByteArrayView>
#include <QVarLengthArray>

#include <array>
#include <cmath>

namespace Velaro
{

namespace
{

// Up to this many digits the number is an exact integer in a double divided by an
// exact power of ten, and that one division rounds as a full conversion would.
constexpr qsizetype ExactDigits = 15;
constexpr std::array<double, ExactDigits + 1> PowersOfTen{
    1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
};

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Consumes prefix from the front of text when it is there.
bool consume(QStringView& text, QStringView prefix)
{
    if (prefix.isEmpty() || !text.startsWith(prefix))
        return false;
    text = text.mid(prefix.size());
    return true;
}

} // namespace

std::optional<double> parseNumber(const QString& text, const QLocale& locale)
{
    QStringView rest = QStringView(text).trimmed();
    const bool negative = consume(rest, locale.negativeSign()) || consume(rest, u"-");
    if (!negative && !consume(rest, locale.positiveSign()))
        consume(rest, u"+");

    // Rebuilt in the C locale's spelling, so that the conversion sees no locale at all.
    QVarLengthArray<char, 32> canonical;
    if (negative)
        canonical.append('-');

    const QString decimalPoint = locale.decimalPoint();
    quint64 mantissa = 0;
    qsizetype digits = 0;
    qsizetype fractionDigits = 0;
    bool seenDecimalPoint = false;
    while (!rest.isEmpty()) {
        if (isAsciiDigit(rest.front())) {
            const int digit = rest.front().unicode() - '0';
            canonical.append(char('0' + digit));
            if (++digits <= ExactDigits)
                mantissa = mantissa * 10 + digit;
            if (seenDecimalPoint)
                ++fractionDigits;
            rest = rest.mid(1);
        } else if (!seenDecimalPoint && consume(rest, decimalPoint)) {
            canonical.append('.');
            seenDecimalPoint = true;
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0)
        return std::nullopt;

    if (digits <= ExactDigits) {
        const double magnitude = static_cast<double>(mantissa) / PowersOfTen[fractionDigits];
        return negative ? -magnitude : magnitude;
    }
    bool ok = false;
    const double value = QByteArrayView(canonical.constData(), canonical.size()).toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace Velaro
