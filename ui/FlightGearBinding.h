// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FlightGearLink.h"
#include "FlightPhase.h"
#include "FormValues.h"

#include <QObject>
#include <QUrl>

#include <array>

class QLineEdit;

namespace Velaro
{

class MainWindow;

// Shows the FlightGear link in the window: its command and state in the Simulator menu
// and the title, the fields it fills, and every delivered call relayed to FlightGear's
// chat. The pilot's own text wins: a field he typed into is left alone until he empties
// it, and a field the simulator filled is shown as such.
class FlightGearBinding : public QObject
{
    Q_OBJECT

public:
    FlightGearBinding(MainWindow& window, FlightGear::Link& link);

    // Turns the link on, to that server from now on.
    void linkTo(const QUrl& server);
    bool isOn() const { return m_link.state() != FlightGear::Link::State::Off; }
    // The flight as followed from the link's readings.
    const FlightGear::FlightPhase& flight() const { return m_phase; }

signals:
    // Emitted during a press whose call goes to FlightGear's chat: post says how it went.
    // note is said with the first call FlightGear shows only on the pilot's own screen, as
    // no multiplayer server is there to pass it on; it is empty for every other call.
    void relayed(Velaro::FlightGear::ChatPost* post, const QString& note);

signals:
    // The flight was followed one reading further, or the link came on or went off.
    void followed();

private:
    void follow();
    void fill();
    void relay(const QString& call);
    void showState();
    void mark(Field field, bool fromSimulator);
    void forget(Field field);

    MainWindow& m_window;
    FlightGear::Link& m_link;
    FlightGear::FlightPhase m_phase;
    QUrl m_server = FlightGear::Link::DefaultServer;
    struct FieldState {
        // The text the simulator last gave the field, while it still holds it.
        QString filled;
        // Emptied by the pilot, who is still in it: not filled before he leaves it.
        bool keptEmpty = false;
    };
    FieldState& stateOf(Field field) { return m_fieldStates[static_cast<std::size_t>(field)]; }

    std::array<FieldState, FieldCount> m_fieldStates{};
    bool m_filling = false;
    // The route's active waypoint when the pilot last reported a point.
    int m_reportedWaypoint = -1;
    QString m_chatFailure;
    bool m_offlineSaid = false;
};

} // namespace Velaro
