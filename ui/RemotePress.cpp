// SPDX-License-Identifier: GPL-3.0-or-later
#include "RemotePress.h"

#include "BusInterface.h"
#include "FlightGearBinding.h"
#include "FormLayout.h"
#include "MainWindow.h"
#include "StartUp.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QLineEdit>

namespace Velaro
{

using namespace BusInterface;

RemotePress::RemotePress(MainWindow& window, const FlightGearBinding* simulator)
    : m_window(window), m_simulator(simulator)
{
    qDBusRegisterMetaType<QMap<QString, QString>>();
    afterFirstFrame(window, this, [this] { listen(); });
}

void RemotePress::listen()
{
    // Without a session bus the window works as ever; only no other program reaches it.
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    bus.registerObject(ObjectPath, this, QDBusConnection::ExportAllSlots);
    bus.interface()->registerService(Service, QDBusConnectionInterface::QueueService,
                                     QDBusConnectionInterface::DontAllowReplacement);
}

QString RemotePress::Press(const QString& call, QString& warning)
{
    const std::optional<Call> named = FormLayout::callNamed(call);
    if (!named) {
        sendErrorReply(UnknownCall, QStringLiteral("no call named '%1'").arg(call));
        return {};
    }
    if (refuseWhileBusy())
        return {};
    const MainWindow::PressOutcome outcome = m_window.press(*named, MainWindow::PressFrom::Remote);
    warning = outcome.warning;
    if (!outcome.failure.isEmpty())
        sendErrorReply(NotDelivered, outcome.failure);
    else if (!outcome.delivered)
        sendErrorReply(CheckFailed, outcome.warning);
    else if (m_simulator && m_simulator->chatPost()) {
        if (!m_simulator->chatNote().isEmpty())
            warning = (warning.isEmpty() ? QString() : warning + QLatin1Char('\n')) +
                      m_simulator->chatNote();
        // Answered once the chat has the call too, or has not taken it.
        setDelayedReply(true);
        connect(m_simulator->chatPost(), &FlightGear::ChatPost::finished, this,
                [request = message(), call = *outcome.delivered, warning](const QString& failure) {
                    QDBusMessage answer = failure.isEmpty()
                                              ? request.createReply({call, warning})
                                              : request.createErrorReply(NotInChat, failure);
                    if (!failure.isEmpty())
                        answer << call << warning;
                    QDBusConnection::sessionBus().send(answer);
                });
    }
    return outcome.delivered.value_or(QString());
}

void RemotePress::Fill(const QMap<QString, QString>& fields)
{
    for (auto each = fields.begin(); each != fields.end(); ++each) {
        if (!FormLayout::fieldNamed(each.key())) {
            sendErrorReply(UnknownField, QStringLiteral("no field named '%1': the fields are %2")
                                             .arg(each.key(), FormLayout::fieldNames()));
            return;
        }
    }
    if (refuseWhileBusy())
        return;
    for (auto each = fields.begin(); each != fields.end(); ++each)
        m_window.field(*FormLayout::fieldNamed(each.key()))->setText(each.value());
}

// One change at a time: a click's message box waits for the pilot, and the press
// behind it goes on once it is answered.
bool RemotePress::refuseWhileBusy()
{
    if (!QApplication::activeModalWidget())
        return false;
    sendErrorReply(Busy, QStringLiteral("VELARO shows a message: answer it in its window first"));
    return true;
}

} // namespace Velaro
