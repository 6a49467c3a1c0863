// SPDX-License-Identifier: GPL-3.0-or-later
#include "EngineVoice.h"

#include <QFileInfo>
#include <QLocale>
#include <QMetaObject>
#include <QStandardPaths>
#include <QTextToSpeech>
#include <QThread>

#include <utility>

namespace Velaro
{

namespace
{

// speech-dispatcher's espeak-ng says about 185 words a minute at its own pace; this is
// about 140, a pace one can follow and repeat.
constexpr double RadioRate = -0.3;

// speech-dispatcher plays through the desktop's sound server, PulseAudio or PipeWire's
// stand-in for it, which listens on a socket in the session's runtime directory unless
// PULSE_SERVER names another place.
bool soundServerListens()
{
    QString server = QString::fromLocal8Bit(qgetenv("PULSE_SERVER"));
    if (server.isEmpty())
        server = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) +
                 QStringLiteral("/pulse/native");
    if (server.startsWith(QLatin1String("unix:")))
        server.remove(0, 5);
    return !server.startsWith(QLatin1Char('/')) || QFileInfo::exists(server);
}

const QString NoSoundServer =
    QStringLiteral("Нет звукового устройства: нужен звуковой сервер, пакет pipewire-pulse или "
                   "pulseaudio");
const QString NoEngine =
    QStringLiteral("Нет синтезатора речи: установите пакеты speech-dispatcher, "
                   "speech-dispatcher-espeak-ng и qt6-speech-speechd-plugin");

// The engine lives on a thread of its own: speech-dispatcher's starts by listing every
// voice of every module, seconds on end, and may have to start the daemon first.
class EngineVoice : public Voice
{
public:
    explicit EngineVoice(QString engine) : m_engine(std::move(engine))
    {
        m_host.moveToThread(&m_thread);
        m_thread.start();
    }

    ~EngineVoice() override
    {
        QMetaObject::invokeMethod(
            &m_host, [this] { delete m_speech; }, Qt::BlockingQueuedConnection);
        m_thread.quit();
        m_thread.wait();
    }

    void prepare(std::function<void(const QString& missing)> ready) override
    {
        if (!soundServerListens()) {
            ready(NoSoundServer);
            return;
        }
        QMetaObject::invokeMethod(&m_host, [this, ready = std::move(ready)] {
            m_speech = new QTextToSpeech(m_engine);
            m_speech->setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
            // Of espeak-ng's English voices Qt takes any, the Caribbean one as likely as not.
            for (const QVoice& voice : m_speech->availableVoices()) {
                if (voice.name() == QLatin1String("English (America)"))
                    m_speech->setVoice(voice);
            }
            m_speech->setRate(RadioRate);
            const QString missing =
                m_speech->state() == QTextToSpeech::Error ? NoEngine : QString();
            QMetaObject::invokeMethod(&m_answers, [ready, missing] { ready(missing); });
        });
    }

    void say(const QString& text) override
    {
        QMetaObject::invokeMethod(&m_host, [this, text] {
            m_speech->stop();
            m_speech->say(text);
        });
    }

private:
    QString m_engine;
    QThread m_thread;
    // Runs the engine's work on the thread.
    QObject m_host;
    // Brings the answer back to the window's thread, while this voice lives.
    QObject m_answers;
    QTextToSpeech* m_speech = nullptr;
};

} // namespace

std::unique_ptr<Voice> engineVoice(const QString& engine)
{
    return std::make_unique<EngineVoice>(engine);
}

std::unique_ptr<Voice> speechDispatcherVoice()
{
    return engineVoice(QStringLiteral("speechd"));
}

} // namespace Velaro
