// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace Velaro
{

// The text as one line: every line break (a CR LF pair counts as one), tab or other
// control character becomes one blank, so that a call never spans two lines. Nothing
// else is changed.
QString singleLine(QString text);

// What a text field keeps of the text typed or pasted into it: one line, in upper case,
// within the field's length limit, which never cuts a character in half.
QString fieldText(const QString& typed, qsizetype maxLength);

} // namespace Velaro
