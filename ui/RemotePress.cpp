// SPDX-License-Identifier: GPL-3.0-or-later
#include "RemotePress.h"

#include "FlightGearBinding.h"
#include "FormLayout.h"
#include "MainWindow.h"
#include "StartUp.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QLineEdit>

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
const QString NotInChat = QStringLiteral("org.velaro.Velaro.Error.NotInChat");
const QString UnknownField = QStringLiteral("org.velaro.Velaro.Error.UnknownField");

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

namespace
{

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
    if (error.name() == CheckFailed) {
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
