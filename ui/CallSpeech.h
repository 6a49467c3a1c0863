// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Composer.h"
#include "FormValues.h"
#include "Voice.h"

#include <QObject>
#include <QString>

#include <memory>
#include <optional>

class QAbstractButton;
class QAction;
class QMenu;

namespace Velaro
{

class MainWindow;

// Says calls aloud exactly as the spoken renderer gives them: a call button's call from
// its context menu ("Прослушать"), and, while the pilot wants it, every call a press
// delivered. It only reads the form and never delays a press: the voice is made once the
// window has shown its first frame, and a delivered call is said after its press is over.
class CallSpeech : public QObject
{
    Q_OBJECT

public:
    // Gives the window's call buttons "Прослушать" and its menu item "Произносить вызовы"
    // their voice, the one makeVoice makes.
    CallSpeech(MainWindow& window, VoiceFactory makeVoice);

private:
    void addButton(QAbstractButton* button, Call call);
    // For MainWindow::delivered: says the call as composed from form, if the pilot wants it.
    void sayDelivered(Call call, const QString& text, const FormValues& form);
    void enableCommands(const QString& missing);
    void say(std::optional<QString> spoken);

    MainWindow& m_window;
    std::unique_ptr<Voice> m_voice;
    bool m_voiceReady = false;
    QAction* m_listen = nullptr;
    QAction* m_sayDelivered = nullptr;
    // Made on the first right-click; the call of the button it was opened on.
    QMenu* m_listenMenu = nullptr;
    Call m_listenCall = Call::Pushback;
};

} // namespace Velaro
