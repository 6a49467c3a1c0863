// SPDX-License-Identifier: GPL-3.0-or-later
#include "CallSpeech.h"

#include "StartUp.h"

#include <QAbstractButton>
#include <QAction>
#include <QLocale>
#include <QMenu>
#include <QMetaObject>
#include <QTextToSpeech>

#include <utility>

namespace Velaro
{

namespace
{

// Flite says a word in a third of a second at its own pace, close to 200 words a minute;
// stretched 1.6 times it says about 120, a pace one can follow and repeat.
constexpr double RadioRate = -0.3;

class EngineVoice : public Voice
{
public:
    explicit EngineVoice(const QString& engine) : m_speech(engine)
    {
        m_speech.setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
        m_speech.setRate(RadioRate);
    }

    QString missing() const override
    {
        if (m_speech.state() == QTextToSpeech::Error)
            return QStringLiteral("Нет синтезатора речи: установите пакет "
                                  "qt6-speech-flite-plugin");
        // Flite reports here only that no audio output was found.
        if (!m_speech.errorString().isEmpty())
            return QStringLiteral("Нет звукового устройства: нужен звуковой сервер, пакет "
                                  "pipewire-pulse или pulseaudio");
        return {};
    }

    void say(const QString& text) override
    {
        m_speech.stop();
        m_speech.say(text);
    }

private:
    QTextToSpeech m_speech;
};

} // namespace

std::unique_ptr<Voice> engineVoice(const QString& engine)
{
    return std::make_unique<EngineVoice>(engine);
}

std::unique_ptr<Voice> fliteVoice()
{
    return engineVoice(QStringLiteral("flite"));
}

CallSpeech::CallSpeech(QWidget& window, VoiceFactory makeVoice,
                       std::function<FormValues()> formValues)
    : QObject(&window), m_window(window), m_formValues(std::move(formValues)),
      m_listen(new QAction(QStringLiteral("Прослушать"), this))
{
    m_listen->setObjectName(QStringLiteral("Listen"));
    connect(m_listen, &QAction::triggered, this,
            [this] { say(speak(m_listenCall, m_formValues())); });
    afterFirstFrame(window, this,
                    [this, makeVoice = std::move(makeVoice)] { useVoice(makeVoice()); });
}

void CallSpeech::addButton(QAbstractButton* button, Call call)
{
    button->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(button, &QWidget::customContextMenuRequested, this,
            [this, button, call](const QPoint& at) {
                if (!m_listenMenu) {
                    m_listenMenu = new QMenu(&m_window);
                    m_listenMenu->setToolTipsVisible(true);
                    m_listenMenu->addAction(m_listen);
                }
                m_listenCall = call;
                m_listenMenu->popup(button->mapToGlobal(at));
            });
}

void CallSpeech::setSayDeliveredItem(QAction* item)
{
    m_sayDelivered = item;
}

void CallSpeech::sayDelivered(Call call, const QString&, const FormValues& form)
{
    if (!m_sayDelivered->isChecked())
        return;
    QMetaObject::invokeMethod(
        this, [this, call, form] { say(speak(call, form)); }, Qt::QueuedConnection);
}

void CallSpeech::useVoice(std::unique_ptr<Voice> voice)
{
    m_voice = std::move(voice);
    const QString missing = m_voice->missing();
    for (QAction* command : {m_listen, m_sayDelivered}) {
        command->setEnabled(missing.isEmpty());
        command->setToolTip(missing);
    }
    if (!missing.isEmpty())
        m_sayDelivered->setChecked(false);
}

void CallSpeech::say(std::optional<QString> spoken)
{
    if (m_voice && spoken)
        m_voice->say(*spoken);
}

} // namespace Velaro
