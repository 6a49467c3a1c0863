// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Composer.h"
#include "FormValues.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class QAbstractButton;
class QAction;
class QMenu;
class QWidget;

namespace Velaro
{

// What says the words aloud.
class Voice
{
public:
    virtual ~Voice() = default;
    // Finds out, without holding up the window, whether it can speak, then calls ready on
    // the window's thread with what is missing and what to install: nothing if it can.
    virtual void prepare(std::function<void(const QString& missing)> ready) = 0;
    // Says text, cutting off whatever is still being said.
    virtual void say(const QString& text) = 0;
};

using VoiceFactory = std::function<std::unique_ptr<Voice>()>;

// An English voice of Qt's text-to-speech engine of that name, at a pace a pilot follows;
// without a sound server it does not start the engine.
std::unique_ptr<Voice> engineVoice(const QString& engine);
// The voice VELARO speaks with: speech-dispatcher's, which screen readers use too.
std::unique_ptr<Voice> speechDispatcherVoice();

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
