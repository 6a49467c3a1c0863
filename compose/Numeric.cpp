#include "Numeric.h"

#include <cmath>

namespace Velaro
{

namespace
{

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
    const QString negativeSign = locale.negativeSign();
    const QString positiveSign = locale.positiveSign();
    const QString decimalPoint = locale.decimalPoint();

    // Rebuilt in the C locale's spelling, so that the conversion sees no locale at all.
    QString canonical;
    canonical.reserve(text.size());

    QStringView rest = QStringView(text).trimmed();
    if (consume(rest, negativeSign) || consume(rest, u"-"))
        canonical += QLatin1Char('-');
    else if (!consume(rest, positiveSign))
        consume(rest, u"+");

    qsizetype digits = 0;
    bool seenDecimalPoint = false;
    while (!rest.isEmpty()) {
        if (isAsciiDigit(rest.front())) {
            canonical += rest.front();
            rest = rest.mid(1);
            ++digits;
        } else if (!seenDecimalPoint && consume(rest, decimalPoint)) {
            canonical += QLatin1Char('.');
            seenDecimalPoint = true;
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0)
        return std::nullopt;

    bool ok = false;
    const double value = canonical.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace Velaro
