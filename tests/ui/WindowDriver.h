// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ExampleFlight.h"
#include "FormLayout.h"
#include "MainWindow.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <optional>
#include <variant>

// The form as the tests speak of it: its fields, the pushback direction list, its calls,
// its option buttons and menu items, found through the window's layout catalogue.
using Velaro::Call;
using Velaro::Field;
using Velaro::FormLayout::MenuCommand;
using Velaro::FormLayout::Option;

// An input of the form: a text field, or the pushback direction list.
using Input = std::optional<Field>;
inline constexpr Input PushbackDirection = std::nullopt;

using Inputs = QList<Input>;
// Texts to type, input by input.
using Edits = QList<std::pair<Input, QString>>;
// Option buttons to click and menu items to choose, such as the units, in turn.
using Choices = QList<std::variant<Option, MenuCommand>>;
Q_DECLARE_METATYPE(Inputs)
Q_DECLARE_METATYPE(Edits)
Q_DECLARE_METATYPE(Choices)
Q_DECLARE_METATYPE(Call)
Q_DECLARE_METATYPE(Field)
Q_DECLARE_METATYPE(Option)

// Every input, in the catalogue's order.
inline Inputs allInputs()
{
    Inputs inputs;
    for (const auto& entry : Velaro::FormLayout::Fields)
        inputs << entry.role;
    return inputs;
}

// The worked examples' flight, as the texts to type.
inline Edits exampleFlight()
{
    Edits edits;
    for (const auto& [field, text] : Velaro::Testing::ExampleFlight)
        edits.append({field, QString::fromLatin1(text)});
    return edits;
}

// Whether a label's whole text fits inside it, wrapped where the label wraps.
inline bool textFits(const QLabel* label)
{
    const QRect needed =
        QFontMetrics(label->font())
            .boundingRect(label->contentsRect(),
                          Qt::AlignLeft | (label->wordWrap() ? Qt::TextWordWrap : 0),
                          label->text());
    return label->contentsRect().contains(needed);
}

// Drives the real main window the way a user does: clicks into fields, types,
// clicks buttons, and reads what a paste would give.
class WindowDriver
{
public:
    explicit WindowDriver(Velaro::MainWindow& window) : m_window(window) {}

    template <typename T = QWidget> T* find(const QString& objectName) const
    {
        return m_window.findChild<T*>(objectName);
    }

    // The text field, or the direction list.
    QWidget* control(Input input) const
    {
        return find(
            entryOf(Velaro::FormLayout::Fields, &Velaro::FormLayout::FieldEntry::role, input));
    }
    // Where the user types: the field itself, or the direction list's edit part.
    QLineEdit* edit(Input input) const
    {
        if (auto* list = qobject_cast<QComboBox*>(control(input)))
            return list->lineEdit();
        return qobject_cast<QLineEdit*>(control(input));
    }
    QComboBox* directionList() const
    {
        return qobject_cast<QComboBox*>(control(PushbackDirection));
    }
    QAbstractButton* button(Call call) const
    {
        return find<QAbstractButton>(
            entryOf(Velaro::FormLayout::Buttons, &Velaro::FormLayout::ButtonEntry::call, call));
    }
    QRadioButton* option(Option option) const
    {
        return find<QRadioButton>(
            entryOf(Velaro::FormLayout::Options, &Velaro::FormLayout::OptionEntry::role, option));
    }
    QAction* menuItem(MenuCommand command) const
    {
        return m_window.findChild<QAction*>(entryOf(
            Velaro::FormLayout::MenuItems, &Velaro::FormLayout::MenuItemEntry::command, command));
    }

    // Replaces an input's text as a user does: selects all and types over it. A line
    // break cannot be typed into one line, so text holding one is pasted.
    void type(Input input, const QString& text) const
    {
        QLineEdit* field = edit(input);
        QVERIFY(field);
        QTest::mouseClick(field, Qt::LeftButton);
        field->selectAll();
        if (text.contains(QLatin1Char('\n'))) {
            QGuiApplication::clipboard()->setText(text);
            QTest::keySequence(field, QKeySequence::Paste);
            return;
        }
        QTest::keyClick(field, Qt::Key_Delete);
        for (const QChar c : text) {
            // QTest only maps ASCII to keys; other letters arrive as text, as from an input method.
            if (c.unicode() < 0x80)
                QTest::keyClick(field, c.toLatin1());
            else
                QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(c),
                                    Qt::NoModifier);
        }
    }

    void type(const Edits& edits) const
    {
        for (const auto& [input, text] : edits)
            type(input, text);
    }

    // Clicks each option button, or chooses each menu item.
    void choose(const Choices& choices) const
    {
        for (const auto& choice : choices) {
            if (const auto* command = std::get_if<MenuCommand>(&choice))
                menuItem(*command)->trigger();
            else
                QTest::mouseClick(option(std::get<Option>(choice)), Qt::LeftButton);
        }
    }

    void click(Call call) const { QTest::mouseClick(button(call), Qt::LeftButton); }

    // Presses a call button after clearing the clipboard; returns what a paste gives.
    QString press(Call call) const
    {
        QGuiApplication::clipboard()->setText(QStringLiteral("(nothing delivered)"));
        click(call);
        return QGuiApplication::clipboard()->text();
    }

    QString text(Input input) const { return edit(input)->text(); }

private:
    // The object name of the catalogue entry whose member equals key.
    template <typename Table, typename Entry, typename Key>
    static QString entryOf(const Table& table, Key Entry::*member, Key key)
    {
        const auto entry = std::find_if(table.begin(), table.end(),
                                        [&](const Entry& each) { return each.*member == key; });
        return entry == table.end() ? QString() : QLatin1String(entry->objectName);
    }

    Velaro::MainWindow& m_window;
};

// Answers every modal message box that comes up while it lives, after copying out
// what a test checks: an assertion while a box is open would leave it open.
class MessageBoxAnswerer : public QObject
{
public:
    struct Seen {
        QString title;
        QString text;
        QMessageBox::Icon icon;
        int buttonCount;
    };

    MessageBoxAnswerer()
    {
        connect(&m_poll, &QTimer::timeout, this, &MessageBoxAnswerer::answer);
        m_poll.start(5);
    }

    const QList<Seen>& seen() const { return m_seen; }

private:
    void answer()
    {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        m_seen.append({box->windowTitle(), box->text(), box->icon(),
                       static_cast<int>(box->buttons().size())});
        QTest::keyClick(box, Qt::Key_Return);
    }

    QTimer m_poll;
    QList<Seen> m_seen;
};
