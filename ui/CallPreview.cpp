// SPDX-License-Identifier: GPL-3.0-or-later
#include "CallPreview.h"

#include <QAbstractButton>
#include <QEvent>
#include <QStringList>
#include <QTextDocument>

#include <utility>

namespace Velaro
{

namespace
{

const QString NextCallNote = QStringLiteral("Следующий вызов: Enter");

// The first line is what the press delivers, or that it delivers nothing, and the
// second how the pilot says it; the lines after them are notes. The call that comes next
// says so first.
QString previewText(const ComposeResult& result, const QStringList& emptyCaptions, bool next)
{
    QStringList lines;
    if (next)
        lines << NextCallNote;
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

} // namespace

CallPreview::CallPreview(std::function<FormValues()> formValues, QObject* parent)
    : QObject(parent), m_formValues(std::move(formValues))
{
}

void CallPreview::addInput(QWidget* input, std::optional<Field> role, const QString& caption)
{
    m_inputs.push_back({input, role, caption, Mark::None});
}

void CallPreview::addButton(QAbstractButton* button, Call call)
{
    button->installEventFilter(this);
    m_buttons.push_back({button, call, {}});
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

        button.marks.assign(m_inputs.size(), Mark::None);
        QStringList emptyCaptions;
        for (std::size_t i = 0; i < m_inputs.size(); ++i) {
            const Input& input = m_inputs[i];
            const bool read = input.role ? form.wasRead(*input.role) : form.wasDirectionRead();
            if (!read)
                continue;
            // An empty input the call needed leaves a gap in it; an optional one does not.
            const bool gap = input.role
                                 ? form.isEmpty(*input.role) && !form.wasReadAsOptional(*input.role)
                                 : form.isDirectionEmpty();
            button.marks[i] = gap ? Mark::Empty : Mark::Read;
            if (gap)
                emptyCaptions << input.caption;
        }

        const QString preview = previewText(result, emptyCaptions, m_nextCall == button.call);
        if (button.widget->accessibleDescription() != preview) {
            button.widget->setToolTip(asToolTip(preview));
            button.widget->setAccessibleDescription(preview);
        }
    }
    showMarks();
}

void CallPreview::setNextCall(std::optional<Call> call)
{
    if (call == m_nextCall)
        return; // mutants: equivalent drop: a refresh shows the same again
    m_nextCall = call;
    refresh();
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
