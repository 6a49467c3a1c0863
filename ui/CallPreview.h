// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Composer.h"
#include "FormValues.h"

#include <QColor>
#include <QObject>
#include <QPalette>

#include <functional>
#include <optional>
#include <vector>

class QAbstractButton;

namespace Velaro
{

// Shows on every call button what a press would deliver now, as its tooltip and its
// accessible description, composed by the very composer the press runs. While a
// button is hovered or has the keyboard focus, the fields its call reads are tinted,
// the empty ones in a warning tint. It only reads the form: it never writes a field,
// the clipboard or the message buffer.
class CallPreview : public QObject
{
    Q_OBJECT

public:
    enum class Mark { None, Read, Empty };

    // Takes formValues again on every refresh.
    explicit CallPreview(std::function<FormValues()> formValues, QObject* parent = nullptr);

    // An input to tint: a text field, or the pushback direction list when role is
    // absent. The caption names it among the empty fields.
    void addInput(QWidget* input, std::optional<Field> role, const QString& caption);
    void addButton(QAbstractButton* button, Call call);

    // Composes every button's call again; the form calls it after every change.
    void refresh();
    // The call that comes next, which its button's description names first.
    void setNextCall(std::optional<Call> call);

    // The background of a field with the given mark.
    static QColor tint(Mark mark, const QPalette& palette);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct CallButton {
        QAbstractButton* widget;
        Call call;
        // One mark for each input, in the order they were added.
        std::vector<Mark> marks;
    };
    struct Input {
        QWidget* widget;
        std::optional<Field> role;
        QString caption;
        Mark shown;
    };

    void showMarks();

    std::function<FormValues()> m_formValues;
    std::optional<Call> m_nextCall;
    std::vector<CallButton> m_buttons;
    std::vector<Input> m_inputs;
    const CallButton* m_hovered = nullptr;
    const CallButton* m_focused = nullptr;
};

} // namespace Velaro
