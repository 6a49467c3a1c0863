// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Composer.h"
#include "FormValues.h"

#include <QColor>
#include <QObject>
#include <QPalette>

#include <functional>
#include <vector>

class QAbstractButton;
class QMainWindow;

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

    // Finds the buttons, fields and switches in window by their names in the layout
    // catalogue, and takes formValues again whenever one of them changes.
    CallPreview(QMainWindow* window, std::function<FormValues()> formValues);

    // The background of a field with the given mark.
    static QColor tint(Mark mark, const QPalette& palette);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct CallButton {
        QAbstractButton* widget;
        Call call;
        // One mark for each input of the layout catalogue, in its order.
        std::vector<Mark> marks;
    };
    struct Input {
        QWidget* widget;
        Mark shown;
    };

    void refresh();
    void showMarks();

    std::function<FormValues()> m_formValues;
    std::vector<CallButton> m_buttons;
    std::vector<Input> m_inputs;
    const CallButton* m_hovered = nullptr;
    const CallButton* m_focused = nullptr;
};

} // namespace Velaro
