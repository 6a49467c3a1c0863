// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Composer.h"
#include "FormValues.h"
#include "Voice.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QAbstractButton;
class QAction;
class QMenu;
class QWidget;

namespace Velaro
{

// Says calls aloud exactly as the spoken renderer gives them: a call button's call from
// its context menu ("Прослушать"), and, while the pilot wants it, every call a press
// delivered. It only reads the form and never delays a press: the voice is made once the
// window has shown its first frame, and a delivered call is said after its press is over.
class CallSpeech : public QObject
{
    Q_OBJECT

public:
    // Takes formValues again for every call it is asked to say.
    CallSpeech(QWidget& window, VoiceFactory makeVoice, std::function<FormValues()> formValues);

    void addButton(QAbstractButton* button, Call call);
    // The checkable menu item that says every delivered call.
    void setSayDeliveredItem(QAction* item);
    // For MainWindow::delivered: says the call as composed from form, if the pilot wants it.
    void sayDelivered(Call call, const QString& text, const FormValues& form);

private:
    void enableCommands(const QString& missing);
    void say(std::optional<QString> spoken);

    QWidget& m_window;
    std::function<FormValues()> m_formValues;
    std::unique_ptr<Voice> m_voice;
    bool m_voiceReady = false;
    QAction* m_listen = nullptr;
    QAction* m_sayDelivered = nullptr;
    // Made on the first right-click; the call of the button it was opened on.
    QMenu* m_listenMenu = nullptr;
    Call m_listenCall = Call::Pushback;
};

} // namespace Velaro
