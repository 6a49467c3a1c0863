// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "WindowDriver.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QKeySequence>
#include <QLineEdit>
#include <QStringList>
#include <QTest>

#include <utility>

// Every text field by object name, and the editable direction list last.
inline const QStringList& fieldNames()
{
    static const QStringList names{
        "Text1",    "Text2",    "Text3_6", "Text3_0",  "Text3_2", "Text3_5",
        "Text3_7",  "Text3_8",  "Text3_9", "Text3_4",  "Text3_1", "Text3_10",
        "Text3_11", "Text3_15", "Text3_3", "Text3_12", "Combo1",
    };
    return names;
}

// The line edit the user types into, for a text field or the direction list.
inline QLineEdit* lineEditOf(const WindowDriver& driver, const QString& name)
{
    if (auto* list = driver.find<QComboBox>(name))
        return list->lineEdit();
    return driver.find<QLineEdit>(name);
}

// Selects everything in the field and pastes text over it with the keyboard.
inline void pasteOver(QLineEdit* field, const QString& text)
{
    QGuiApplication::clipboard()->setText(text);
    QTest::keySequence(field, QKeySequence::SelectAll);
    QTest::keySequence(field, QKeySequence::Paste);
}

// A flight for which every check passes, the current level below the next one.
inline const QList<std::pair<QString, QString>>& passingFlight()
{
    static const QList<std::pair<QString, QString>> fields{
        {"Text1", "ra-12345"},  {"Text2", "ullp"},        {"Text3_6", "28l"},
        {"Text3_0", "b2"},      {"Text3_2", "12"},        {"Text3_5", "a c"},
        {"Text3_7", "kilo 1a"}, {"Text3_8", "900"},       {"Text3_9", "odimo"},
        {"Text3_4", "ratos"},   {"Text3_1", "35"},        {"Text3_10", "3000"},
        {"Text3_11", "3600"},   {"Text3_15", "odimo 2k"}, {"Text3_3", "095"},
        {"Text3_12", "1"},      {"Combo1", "3"},
    };
    return fields;
}
