// SPDX-License-Identifier: GPL-3.0-or-later
#include "InputText.h"

namespace Velaro
{

QString singleLine(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    for (QChar& c : text) {
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator ||
            c == QChar::ParagraphSeparator)
            c = QLatin1Char(' ');
    }
    return text;
}

QString fieldText(const QString& typed, qsizetype maxLength)
{
    QString text = singleLine(typed.toUpper());
    // Upper-casing may lengthen the text ("ß" becomes "SS"), and a paste is cut at the
    // limit wherever that falls, even inside a surrogate pair.
    if (text.size() >= maxLength) {
        qsizetype keep = maxLength;
        if (keep > 0 && text.at(keep - 1).isHighSurrogate())
            --keep;
        text.truncate(keep);
    }
    return text;
}

} // namespace Velaro
