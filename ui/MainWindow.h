// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Composer.h"
#include "FormLayout.h"
#include "FormValues.h"

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <optional>
#include <utility>
#include <vector>

class QAbstractButton;
class QAction;
class QLineEdit;
class QRadioButton;

namespace Velaro
{

class AboutBox;
class CallPreview;
class DirectionList;

class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);

    // The one place the composers' input is read from the controls.
    FormValues formValues() const;

    // Where a press comes from: a click or key on the window, which shows its messages in
    // boxes, or another program through the message bus, which is told them instead while
    // the pilot's focus stays where it is.
    enum class PressFrom { Window, Remote };
    struct PressOutcome {
        // The call the clipboard now holds; absent when nothing was delivered.
        std::optional<QString> delivered;
        // The number check's message: it stopped the press, or came before the call.
        QString warning;
        // Why the clipboard does not hold the call.
        QString failure;
    };
    // Presses a call button: composes its call, delivers it, and then applies the call's
    // field writes.
    PressOutcome press(Call call, PressFrom from);

    QLineEdit* field(Field field) const { return m_fields[static_cast<std::size_t>(field)]; }
    QAbstractButton* callButton(Call call) const
    {
        return m_callButtons[static_cast<std::size_t>(call)];
    }
    QAbstractButton* option(FormLayout::Option option) const
    {
        return m_options[static_cast<std::size_t>(option)];
    }
    CallPreview& preview() const { return *m_preview; }
    QAction* menuItem(FormLayout::MenuCommand command) const;

signals:
    // After any change of what the composers read: a field's or the direction list's
    // text, a pick, an option button, the units.
    void formChanged();
    // A press put its call on the clipboard; form is what it was composed from, before the
    // press moved the reporting points on.
    void delivered(Velaro::Call call, const QString& text, const Velaro::FormValues& form);

private:
    // Controls with their place in the tab order, in the order they were built.
    using TabOrder = std::vector<std::pair<int, QWidget*>>;

    void buildFields(QWidget* form, CallPreview* preview, TabOrder& tabOrder);
    void buildCallButtons(QWidget* form, CallPreview* preview, TabOrder& tabOrder);
    void buildOptions(QWidget* form, TabOrder& tabOrder);
    void buildSeparators(QWidget* form);
    void applyTabOrder(TabOrder& tabOrder);
    void buildMenus();
    void showWarning(const QString& text);
    // Keeps a field one line of upper case, with the caret at the end.
    void normalise(QLineEdit* field);
    void refreshStartUpCaption();
    void showAboutBox();

    std::array<QLineEdit*, FieldCount> m_fields{};
    std::array<QAbstractButton*, CallCount> m_callButtons{};
    std::array<QAbstractButton*, FormLayout::Options.size()> m_options{};
    CallPreview* m_preview = nullptr;
    DirectionList* m_direction = nullptr;
    QRadioButton* m_leftPattern = nullptr;
    QRadioButton* m_departure = nullptr;
    // In the catalogue's order.
    std::array<QAction*, FormLayout::MenuItems.size()> m_menuItems{};
    QPointer<AboutBox> m_aboutBox;
};

} // namespace Velaro
