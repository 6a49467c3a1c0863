// SPDX-License-Identifier: GPL-3.0-or-later
#include "RemotePress.h"

#include "BusInterface.h"
#include "FlightGearBinding.h"
#include "FormLayout.h"
#include "MainWindow.h"
#include "NextCallMark.h"
#include "StartUp.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>

#include <algorithm>

namespace Velaro
{

using namespace BusInterface;

RemotePress::RemotePress(MainWindow& window, const FlightGearBinding* simulator,
                         const NextCallMark* next)
    : m_window(window), m_simulator(simulator), m_next(next)
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
    QElapsedTimer sinceArrival;
    sinceArrival.start();
    const bool next = call == QLatin1String(FormLayout::NextCallName);
    const std::optional<Call> named =
        next ? (m_next ? m_next->marked() : std::nullopt) : FormLayout::callNamed(call);
    if (!named && next) {
        sendErrorReply(NoCallNext, QStringLiteral("no call comes next: ") +
                                       (m_next ? m_next->whyNone() : NextCallMark::NotLinked));
        return {};
    }
    if (!named) {
        sendErrorReply(UnknownCall, QStringLiteral("no call named '%1'").arg(call));
        return {};
    }
    if (refuseWhileBusy())
        return {};
    // The post to FlightGear's chat that this press makes, if it makes one.
    QPointer<FlightGear::ChatPost> post;
    QString note;
    QMetaObject::Connection relayed;
    if (m_simulator)
        relayed = connect(m_simulator, &FlightGearBinding::relayed, this,
                          [&post, &note](FlightGear::ChatPost* itsPost, const QString& itsNote) {
                              post = itsPost;
                              note = itsNote;
                          });
    const MainWindow::PressOutcome outcome = m_window.press(*named, MainWindow::PressFrom::Remote);
    disconnect(relayed);
    warning = outcome.warning;
    if (!outcome.failure.isEmpty())
        sendErrorReply(NotDelivered, outcome.failure);
    else if (!outcome.delivered)
        sendErrorReply(CheckFailed, outcome.warning);
    else if (post) {
        if (!note.isEmpty())
            warning = (warning.isEmpty() ? QString() : warning + QLatin1Char('\n')) + note;
        setDelayedReply(true);
        answerOnceInChat(post, *outcome.delivered, warning,
                         ChatMilliseconds - static_cast<int>(sinceArrival.elapsed()));
    }
    return outcome.delivered.value_or(QString());
}

// Answered once the chat has the call too, or has not taken it, or once the allowance is
// spent, whatever FlightGear and the network do: the caller hears within its second.
void RemotePress::answerOnceInChat(FlightGear::ChatPost* post, const QString& call,
                                   const QString& warning, int allowanceMilliseconds)
{
    auto* allowance = new QTimer(this);
    allowance->setSingleShot(true);
    // A coarse timer may fire 5 % late, a good part of what the caller's second leaves.
    allowance->setTimerType(Qt::PreciseTimer);
    const auto answer = [allowance, request = message(), call, warning](const QString& failure) {
        allowance->stop();
        allowance->deleteLater();
        QDBusMessage reply = failure.isEmpty() ? request.createReply({call, warning})
                                               : request.createErrorReply(NotInChat, failure);
        if (!failure.isEmpty())
            reply << call << warning;
        QDBusConnection::sessionBus().send(reply);
    };
    connect(post, &FlightGear::ChatPost::finished, allowance,
            [allowance, answer](const QString& failure) {
                if (allowance->isActive())
                    answer(failure);
            });
    connect(allowance, &QTimer::timeout, allowance, [answer] {
        answer(QStringLiteral("FlightGear did not take it within %1 s")
                   .arg(ChatMilliseconds / 1000.0, 0, 'f', 1));
    });
    allowance->start(std::max(allowanceMilliseconds, 0));
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
