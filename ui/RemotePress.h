// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusContext>
#include <QObject>
#include <QString>

namespace Velaro
{

namespace FlightGear
{
class ChatPost;
} // namespace FlightGear

class FlightGearBinding;
class MainWindow;
class NextCallMark;

// Offers the window's call buttons to other programs on the session message bus, so that
// a desktop shortcut or a simulator's plug-in presses a call while the simulator keeps
// the focus. The service is the application id; windows started later queue for it and
// take over, in turn, when the one that has it closes.
class RemotePress : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.velaro.Velaro.Calls")
    // As Qt would describe Press(), but with its results named.
    Q_CLASSINFO("D-Bus Introspection",
                "  <interface name=\"org.velaro.Velaro.Calls\">\n"
                "    <method name=\"Press\">\n"
                "      <arg direction=\"in\" type=\"s\" name=\"call\"/>\n"
                "      <arg direction=\"out\" type=\"s\" name=\"delivered\"/>\n"
                "      <arg direction=\"out\" type=\"s\" name=\"warning\"/>\n"
                "    </method>\n"
                "    <method name=\"Fill\">\n"
                "      <arg direction=\"in\" type=\"a{ss}\" name=\"fields\"/>\n"
                "    </method>\n"
                "  </interface>\n")

public:
    // Goes on the bus once the window has shown its first frame: the pilot sees the
    // window as soon as without it. While the simulator's link is on, a press answers
    // once the call is in the simulator's chat too.
    explicit RemotePress(MainWindow& window, const FlightGearBinding* simulator = nullptr,
                         const NextCallMark* next = nullptr);

public slots:
    // Presses the call of that name as a click would, but shows no message box: returns
    // the call the clipboard now holds, with the number check's warning that came
    // before it, if any. "next" is the call marked as the one that comes next. Fails
    // with UnknownCall, NoCallNext (none is marked, and why), Busy (while a message box
    // of the window waits for the pilot), CheckFailed (the message a click would show)
    // or NotDelivered (why the clipboard does not hold the call). With the simulator linked it
    // fails with NotInChat, the call still delivered, when the chat did not take the call within
    // BusInterface::ChatMilliseconds of the press's arrival.
    QString Press(const QString& call, QString& warning);
    // Sets fields by their names, as if typed; fails with UnknownField, changing nothing,
    // or Busy.
    void Fill(const QMap<QString, QString>& fields);

private:
    void listen();
    void answerOnceInChat(FlightGear::ChatPost* post, const QString& call, const QString& warning,
                          int allowanceMilliseconds);
    bool refuseWhileBusy();

    MainWindow& m_window;
    const FlightGearBinding* m_simulator;
    const NextCallMark* m_next;
};

} // namespace Velaro
