// SPDX-License-Identifier: GPL-3.0-or-later
#include "DirectionList.h"

#include "InputText.h"

#include <QLineEdit>
#include <QWheelEvent>

namespace Velaro
{

DirectionList::DirectionList(QWidget* parent) : QComboBox(parent)
{
    auto* edit = new QLineEdit(this);
    // When editing finishes, QComboBox makes the entry that the typed text spells current
    // and reports it as activated. Slots run in the order they were connected, so these
    // two bracket the list's own handler, which setLineEdit() connects.
    connect(edit, &QLineEdit::editingFinished, this, [this] { m_matchingTypedText = true; });
    setLineEdit(edit);
    connect(edit, &QLineEdit::editingFinished, this, [this] { m_matchingTypedText = false; });
    setInsertPolicy(NoInsert);
    // QComboBox would take the focus from the wheel, and then the notch as a pick.
    setFocusPolicy(Qt::StrongFocus);
    // Inline completion would silently turn a typed "s" into "south".
    setCompleter(nullptr);

    connect(this, &QComboBox::activated, this, [this] { setPicked(!m_matchingTypedText); });
    connect(edit, &QLineEdit::textEdited, this, [this] { setPicked(false); });
    // The list's text goes into the call as typed, but on one line like every field's.
    connect(edit, &QLineEdit::textChanged, this, [edit](const QString& text) {
        const QString line = singleLine(text);
        if (line != text) {
            const int caret = edit->cursorPosition();
            edit->setText(line);
            edit->setCursorPosition(caret);
        }
    });
}

void DirectionList::setPicked(bool picked)
{
    m_picked = picked;
    emit pickChanged();
}

void DirectionList::wheelEvent(QWheelEvent* event)
{
    // A notch of the wheel while the pointer merely crosses the list must not turn the
    // pushback around: the list takes neither the focus (see the constructor) nor the
    // notch then.
    if (!hasFocus()) {
        event->ignore();
        return;
    }
    QComboBox::wheelEvent(event);
}

} // namespace Velaro
