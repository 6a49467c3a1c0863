// SPDX-License-Identifier: GPL-3.0-or-later
#include "RemotePress.h"

#include "FormLayout.h"
#include "MainWindow.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QEvent>
#include <QMetaObject>

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

void printLine(std::FILE* stream, const QString& text)
{
    std::fprintf(stream, "%s\n", text.toLocal8Bit().constData());
}

} // namespace

RemotePress::RemotePress(MainWindow& window) : m_window(window)
{
    window.installEventFilter(this);
}

bool RemotePress::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Paint) {
        watched->removeEventFilter(this);
        QMetaObject::invokeMethod(this, &RemotePress::listen, Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
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
    const QString notRunning =
        QStringLiteral("VELARO is not running: start it and fill in the flight first");
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        printLine(stderr, notRunning + QStringLiteral(" (there is no session message bus)"));
        return Unanswered;
    }
    QDBusMessage press =
        QDBusMessage::createMethodCall(Service, ObjectPath, Interface, QStringLiteral("Press"));
    press << name;
    const QDBusMessage reply = bus.call(press, QDBus::Block, AnswerMilliseconds);

    if (reply.type() == QDBusMessage::ReplyMessage && reply.arguments().size() == 2) {
        const QString warning = reply.arguments().at(1).toString();
        if (!warning.isEmpty())
            printLine(stderr, warning);
        printLine(stdout, reply.arguments().at(0).toString());
        return Delivered;
    }
    const QString error = reply.errorName();
    if (error == Busy) {
        printLine(stderr, reply.errorMessage());
        return Unanswered;
    }
    if (error == CheckFailed) {
        printLine(stderr, reply.errorMessage());
        return Stopped;
    }
    if (error == NotDelivered) {
        printLine(stderr,
                  QStringLiteral("The call did not reach the clipboard: ") + reply.errorMessage());
        return Undelivered;
    }
    if (error == QLatin1String("org.freedesktop.DBus.Error.ServiceUnknown"))
        printLine(stderr, notRunning);
    else if (error == QLatin1String("org.freedesktop.DBus.Error.NoReply") ||
             error == QLatin1String("org.freedesktop.DBus.Error.Timeout"))
        printLine(
            stderr,
            QStringLiteral("VELARO did not answer within %1 s").arg(AnswerMilliseconds / 1000));
    else
        printLine(stderr, QStringLiteral("VELARO could not be asked: ") + reply.errorMessage());
    return Unanswered;
}

} // namespace Velaro
