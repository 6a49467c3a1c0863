// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "WindowDriver.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeySequence>
#include <QLineEdit>
#include <QTest>

// Selects everything in the field and pastes text over it with the keyboard.
inline void pasteOver(QLineEdit* field, const QString& text)
{
    QGuiApplication::clipboard()->setText(text);
    QTest::keySequence(field, QKeySequence::SelectAll);
    QTest::keySequence(field, QKeySequence::Paste);
}

// The worked examples' flight typed in lower case, and a direction typed into the
// list: every check passes.
inline Edits passingFlight()
{
    Edits flight = exampleFlight();
    for (auto& edit : flight)
        edit.second = edit.second.toLower();
    return flight + Edits{{PushbackDirection, QStringLiteral("3")}};
}
