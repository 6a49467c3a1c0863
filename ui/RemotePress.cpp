// SPDX-License-Identifier: GPL-3.0-or-later
#include "RemotePress.h"

#include "FormLayout.h"
#include "MainWindow.h"
#include "StartUp.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusError>
#include <QDBusMessage>

#include <cstdio>

namespace Velaro
{

namespace
{

const QString Service = QStringLiteral(VELARO_APPLICATION_ID);
const QString ObjectPath = QStringLiteral("/org/velaro/Velaro");
const QString Interface = QStringLiteral("org.velaro.Velaro.Calls");
const QString UnknownCall = QStringLiteral("org.velaro.Velaro.Error.UnknownCall");
const QString CheckFailed = QStringLiteral("org.velaro.Velaro.Error.CheckFailed");
const QString NotDelivered = QStringLiteral("org.velaro.Velaro.Error.NotDelivered");
const QString Busy = QStringLiteral("org.velaro.Velaro.Error.Busy");

// The exit statuses of `velaro --press`.
enum Status { Delivered = 0, Unanswered = 1, Stopped = 2, Undelivered = 3 };

constexpr int AnswerMilliseconds = 1000;

const QString NotRunning =
    QStringLiteral("VELARO is not running: start it and fill in the flight first");

void printLine(std::FILE* stream, const QString& text)
{
    std::fprintf(stream, "%s\n", text.toLocal8Bit().constData());
}

} // namespace

RemotePress::RemotePress(MainWindow& window) : m_window(window)
{
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
    // One press at a time: a click's message box waits for the pilot, and the press
    // behind it goes on once it is answered.
    if (QApplication::activeModalWidget()) {
        sendErrorReply(Busy, QStringLiteral("VELARO shows a message: answer it in its window "
                                            "first"));
        return {};
    }
    const MainWindow::PressOutcome outcome = m_window.press(*named, MainWindow::PressFrom::Remote);
    warning = outcome.warning;
    if (!outcome.failure.isEmpty())
        sendErrorReply(NotDelivered, outcome.failure);
    else if (!outcome.delivered)
        sendErrorReply(CheckFailed, outcome.warning);
    return outcome.delivered.value_or(QString());
}

int pressInRunningWindow(const QString& name)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        printLine(stderr, NotRunning + QStringLiteral(" (there is no session message bus)"));
        return Unanswered;
    }
    if (!bus.interface()->isServiceRegistered(Service)) {
        printLine(stderr, NotRunning);
        return Unanswered;
    }
    QDBusMessage press =
        QDBusMessage::createMethodCall(Service, ObjectPath, Interface, QStringLiteral("Press"));
    press << name;
    const QDBusMessage reply = bus.call(press, QDBus::Block, AnswerMilliseconds);
    // Qt's bus thread still has work to do with a reply after handing it over, and a
    // program that ended in the middle of it would print Qt's complaints. It takes the
    // messages in turn, so once this question to the bus is answered, that work is done.
    bus.interface()->isServiceRegistered(Service);

    if (reply.type() == QDBusMessage::ReplyMessage) {
        const QString warning = reply.arguments().value(1).toString();
        if (!warning.isEmpty())
            printLine(stderr, warning);
        printLine(stdout, reply.arguments().value(0).toString());
        return Delivered;
    }
    const QDBusError error(reply);
    if (error.name() == CheckFailed) {
        printLine(stderr, error.message());
        return Stopped;
    }
    if (error.name() == NotDelivered) {
        printLine(stderr,
                  QStringLiteral("The call did not reach the clipboard: ") + error.message());
        return Undelivered;
    }
    switch (error.type()) {
    case QDBusError::ServiceUnknown:
        printLine(stderr, NotRunning);
        break;
    case QDBusError::NoReply:
    case QDBusError::Timeout:
        printLine(
            stderr,
            QStringLiteral("VELARO did not answer within %1 s").arg(AnswerMilliseconds / 1000));
        break;
    default:
        // The window's own refusals, such as while a message box waits for the pilot, say
        // why themselves.
        printLine(stderr, error.name() == Busy
                              ? error.message()
                              : QStringLiteral("VELARO could not be asked: ") + error.message());
    }
    return Unanswered;
}

} // namespace Velaro
