// SPDX-License-Identifier: GPL-3.0-or-later
#include "RunningWindow.h"

#include "BusInterface.h"
#include "FormLayout.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusMetaType>

#include <cstdio>
#include <optional>

namespace Velaro
{

using namespace BusInterface;

namespace
{

// The exit statuses of `velaro --press`.
enum Status { Delivered = 0, Unanswered = 1, Stopped = 2, Undelivered = 3 };

const QString NotRunning =
    QStringLiteral("VELARO is not running: start it and fill in the flight first");

void printLine(std::FILE* stream, const QString& text)
{
    std::fprintf(stream, "%s\n", text.toLocal8Bit().constData());
}

// Asks the running window; nothing, after saying why, where no window can be asked.
std::optional<QDBusMessage> askRunningWindow(const QString& method, const QVariantList& arguments)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        printLine(stderr, NotRunning + QStringLiteral(" (there is no session message bus)"));
        return std::nullopt;
    }
    if (!bus.interface()->isServiceRegistered(Service)) {
        printLine(stderr, NotRunning);
        return std::nullopt;
    }
    QDBusMessage question = QDBusMessage::createMethodCall(Service, ObjectPath, Interface, method);
    question.setArguments(arguments);
    const QDBusMessage reply = bus.call(question, QDBus::Block, AnswerMilliseconds);
    // Qt's bus thread still has work to do with a reply after handing it over, and a
    // program that ended in the middle of it would print Qt's complaints. It takes the
    // messages in turn, so once this question to the bus is answered, that work is done.
    bus.interface()->isServiceRegistered(Service);
    return reply;
}

// Says why the window did not do what it was asked.
int unanswered(const QDBusError& error)
{
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
        printLine(stderr, error.name() == Busy || error.name() == UnknownField
                              ? error.message()
                              : QStringLiteral("VELARO could not be asked: ") + error.message());
    }
    return Unanswered;
}

// The call delivered, after the number check's warning that came before it, if any.
void printDelivered(const QDBusMessage& reply, int first)
{
    const QString warning = reply.arguments().value(first + 1).toString();
    if (!warning.isEmpty())
        printLine(stderr, warning);
    printLine(stdout, reply.arguments().value(first).toString());
}

} // namespace

int pressInRunningWindow(const QString& name)
{
    const std::optional<QDBusMessage> reply = askRunningWindow(QStringLiteral("Press"), {name});
    if (!reply)
        return Unanswered;
    if (reply->type() == QDBusMessage::ReplyMessage) {
        printDelivered(*reply, 0);
        return Delivered;
    }
    const QDBusError error(*reply);
    if (error.name() == CheckFailed || error.name() == NoCallNext) {
        printLine(stderr, error.message());
        return Stopped;
    }
    if (error.name() == NotDelivered) {
        printLine(stderr,
                  QStringLiteral("The call did not reach the clipboard: ") + error.message());
        return Undelivered;
    }
    if (error.name() == NotInChat) {
        // After the message, the call the clipboard holds and its warning.
        printDelivered(*reply, 1);
        printLine(stderr, QStringLiteral("The call is on the clipboard, but not in FlightGear's "
                                         "chat: ") +
                              error.message());
        return Undelivered;
    }
    return unanswered(error);
}

int fillInRunningWindow(const QStringList& assignments)
{
    qDBusRegisterMetaType<QMap<QString, QString>>();
    QMap<QString, QString> fields;
    for (const QString& assignment : assignments) {
        const qsizetype equals = assignment.indexOf(QLatin1Char('='));
        const QString name = assignment.left(equals);
        if (equals < 0 || !FormLayout::fieldNamed(name)) {
            printLine(stderr, QStringLiteral("'%1' names no field: give FIELD=TEXT, where FIELD "
                                             "is one of %2")
                                  .arg(assignment, FormLayout::fieldNames()));
            return Unanswered;
        }
        fields.insert(name, assignment.mid(equals + 1));
    }
    const std::optional<QDBusMessage> reply =
        askRunningWindow(QStringLiteral("Fill"), {QVariant::fromValue(fields)});
    if (!reply)
        return Unanswered;
    if (reply->type() == QDBusMessage::ReplyMessage)
        return Delivered;
    return unanswered(QDBusError(*reply));
}

} // namespace Velaro
