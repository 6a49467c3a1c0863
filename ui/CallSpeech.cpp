// SPDX-License-Identifier: GPL-3.0-or-later
#include "CallSpeech.h"

#include "FormLayout.h"
#include "MainWindow.h"
#include "StartUp.h"

#include <QAbstractButton>
#include <QAction>
#include <QMenu>
#include <QMetaObject>

#include <utility>

namespace Velaro
{

namespace
{

// Until the voice is ready a command is disabled, and says why.
void waitForVoice(QAction* command)
{
    command->setEnabled(false);
    command->setToolTip(QStringLiteral("Голос ещё готовится"));
}

} // namespace

CallSpeech::CallSpeech(MainWindow& window, VoiceFactory makeVoice)
    : QObject(&window), m_window(window), m_listen(new QAction(QStringLiteral("Прослушать"), this)),
      m_sayDelivered(window.menuItem(FormLayout::MenuCommand::SayCalls))
{
    m_listen->setObjectName(QStringLiteral("Listen"));
    for (QAction* command : {m_listen, m_sayDelivered})
        waitForVoice(command);
    connect(m_listen, &QAction::triggered, this,
            [this] { say(speak(m_listenCall, m_window.formValues())); });
    for (const FormLayout::ButtonEntry& entry : FormLayout::Buttons)
        addButton(window.callButton(entry.call), entry.call);
    connect(&window, &MainWindow::delivered, this, &CallSpeech::sayDelivered);
    afterFirstFrame(window, this, [this, makeVoice = std::move(makeVoice)] {
        m_voice = makeVoice();
        m_voice->prepare([this](const QString& missing) { enableCommands(missing); });
    });
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

void CallSpeech::sayDelivered(Call call, const QString&, const FormValues& form)
{
    if (!m_sayDelivered->isChecked())
        return;
    QMetaObject::invokeMethod(
        this, [this, call, form] { say(speak(call, form)); }, Qt::QueuedConnection);
}

void CallSpeech::enableCommands(const QString& missing)
{
    m_voiceReady = missing.isEmpty();
    for (QAction* command : {m_listen, m_sayDelivered}) {
        command->setEnabled(m_voiceReady);
        command->setToolTip(missing);
    }
    if (!m_voiceReady)
        m_sayDelivered->setChecked(false);
}

void CallSpeech::say(std::optional<QString> spoken)
{
    if (m_voiceReady && spoken)
        m_voice->say(*spoken);
}

} // namespace Velaro
