// SPDX-License-Identifier: GPL-3.0-or-later
#include "CallPreview.h"

#include "DirectionList.h"
#include "FormLayout.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QMainWindow>
#include <QStringList>

#include <utility>

namespace Velaro
{

using namespace FormLayout;

namespace
{

// The first line is what the press delivers, or that it delivers nothing, and the
// second how the pilot says it; the lines after them are notes.
QString previewText(const ComposeResult& result, const QStringList& emptyCaptions)
{
    QStringList lines;
    if (result.call) {
        lines << *result.call;
        if (result.spoken)
            lines << QStringLiteral("Вслух: ") + *result.spoken;
        if (!result.warning.isEmpty())
            lines << QStringLiteral("Сначала появится сообщение «%1»").arg(result.warning);
    } else {
        lines << QStringLiteral("Ничего не будет скопировано: «%1»").arg(result.warning);
    }
    if (!emptyCaptions.isEmpty())
        lines << QStringLiteral("Пустые поля: ") + emptyCaptions.join(QStringLiteral(", "));
    return lines.join(QLatin1Char('\n'));
}

// A tooltip that looks like markup would be shown as markup: a field holding "<B>"
// must not turn the rest of the call bold.
QString asToolTip(const QString& preview)
{
    return Qt::mightBeRichText(preview) ? Qt::convertFromPlainText(preview) : preview;
}

// An empty input the call needed leaves a gap in it; an optional one does not.
bool leavesGap(const FieldEntry& entry, const FormValues& form)
{
    if (!entry.role)
        return form.isDirectionEmpty();
    return form.isEmpty(*entry.role) && !form.wasReadAsOptional(*entry.role);
}

bool wasRead(const FieldEntry& entry, const FormValues& form)
{
    return entry.role ? form.wasRead(*entry.role) : form.wasDirectionRead();
}

} // namespace

CallPreview::CallPreview(QMainWindow* window, std::function<FormValues()> formValues)
    : QObject(window), m_formValues(std::move(formValues))
{
    for (const FieldEntry& entry : Fields) {
        auto* input = window->findChild<QWidget*>(QLatin1String(entry.objectName));
        if (auto* field = qobject_cast<QLineEdit*>(input))
            connect(field, &QLineEdit::textChanged, this, &CallPreview::refresh);
        if (auto* list = qobject_cast<DirectionList*>(input)) {
            connect(list, &QComboBox::editTextChanged, this, &CallPreview::refresh);
            connect(list, &DirectionList::pickChanged, this, &CallPreview::refresh);
        }
        m_inputs.push_back({input, Mark::None});
    }
    for (const OptionEntry& entry : Options) {
        auto* option = window->findChild<QAbstractButton*>(QLatin1String(entry.objectName));
        connect(option, &QAbstractButton::toggled, this, &CallPreview::refresh);
    }
    auto* imperial = window->findChild<QAction*>(QStringLiteral("Imperial"));
    connect(imperial, &QAction::toggled, this, &CallPreview::refresh);

    m_buttons.reserve(Buttons.size());
    for (const ButtonEntry& entry : Buttons) {
        auto* button = window->findChild<QAbstractButton*>(QLatin1String(entry.objectName));
        button->installEventFilter(this);
        m_buttons.push_back({button, entry.call, std::vector<Mark>(Fields.size(), Mark::None)});
    }
    refresh();
}

QColor CallPreview::tint(Mark mark, const QPalette& palette)
{
    const QColor base = palette.color(QPalette::Base);
    if (mark == Mark::None)
        return base;
    const QColor over =
        mark == Mark::Empty ? QColor(255, 140, 0) : palette.color(QPalette::Highlight);
    const float share = mark == Mark::Empty ? 0.45f : 0.2f;
    return QColor::fromRgbF(base.redF() + (over.redF() - base.redF()) * share,
                            base.greenF() + (over.greenF() - base.greenF()) * share,
                            base.blueF() + (over.blueF() - base.blueF()) * share);
}

void CallPreview::refresh()
{
    const FormValues form = m_formValues();
    for (CallButton& button : m_buttons) {
        form.forgetReads();
        const ComposeResult result = compose(button.call, form, Rendering::WrittenAndSpoken);

        QStringList emptyCaptions;
        for (std::size_t i = 0; i < Fields.size(); ++i) {
            Mark& mark = button.marks[i];
            mark = Mark::None;
            if (wasRead(Fields[i], form))
                mark = leavesGap(Fields[i], form) ? Mark::Empty : Mark::Read;
            if (mark == Mark::Empty)
                emptyCaptions << QString::fromUtf8(Fields[i].caption);
        }

        const QString preview = previewText(result, emptyCaptions);
        if (button.widget->accessibleDescription() != preview) {
            button.widget->setToolTip(asToolTip(preview));
            button.widget->setAccessibleDescription(preview);
        }
    }
    showMarks();
}

bool CallPreview::eventFilter(QObject* watched, QEvent* event)
{
    const auto type = event->type();
    if (type == QEvent::Enter || type == QEvent::Leave || type == QEvent::FocusIn ||
        type == QEvent::FocusOut) {
        for (const CallButton& button : m_buttons) {
            if (button.widget != watched)
                continue;
            if (type == QEvent::Enter)
                m_hovered = &button;
            else if (type == QEvent::FocusIn)
                m_focused = &button;
            else if (type == QEvent::Leave && m_hovered == &button)
                m_hovered = nullptr;
            else if (type == QEvent::FocusOut && m_focused == &button)
                m_focused = nullptr;
        }
        showMarks();
    }
    return QObject::eventFilter(watched, event);
}

// The hovered button's marks, else the focused one's; fields are repainted only
// where their mark changes.
void CallPreview::showMarks()
{
    const CallButton* shown = m_hovered ? m_hovered : m_focused;
    for (std::size_t i = 0; i < m_inputs.size(); ++i) {
        Input& input = m_inputs[i];
        const Mark mark = shown ? shown->marks[i] : Mark::None;
        if (mark == input.shown)
            continue;
        input.shown = mark;
        if (mark == Mark::None) {
            // Back to the palette the field inherits.
            input.widget->setPalette(QPalette());
            continue;
        }
        QPalette palette = input.widget->parentWidget()->palette();
        palette.setColor(QPalette::Base, tint(mark, palette));
        input.widget->setPalette(palette);
    }
}

} // namespace Velaro
