// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FlightGearReplies.h"

#include <QHash>
#include <QNetworkAccessManager>
#include <QObject>
#include <QTimer>
#include <QUrl>

class QNetworkReply;

namespace Velaro::FlightGear
{

// A chat message on its way to FlightGear; it says once how it went and then goes away.
class ChatPost : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

signals:
    // failure is empty when FlightGear took the message into its chat.
    void finished(const QString& failure);
};

// Keeps a reading of FlightGear's properties at most half a second old from its web
// server, and posts to its multiplayer chat. Every request runs in the background: no
// call ever waits for FlightGear, and a FlightGear that stops answering is asked again
// until it is back.
class Link : public QObject
{
    Q_OBJECT

public:
    enum class State {
        Off,
        // Switched on, with no answer yet.
        Connecting,
        Linked,
        // Nothing answers there, or it stopped answering.
        Unreachable,
        // Something answers there, but not as FlightGear does.
        NotUnderstood,
    };

    explicit Link(QObject* parent = nullptr);

    void start(const QUrl& server);
    void stop();

    State state() const { return m_state; }
    QUrl server() const { return m_server; }
    const Reading& reading() const { return m_reading; }
    // The runways of the aerodrome the reading names as the closest, once known.
    QList<Runway> runways() const;

    // Readings follow each other PollMilliseconds apart; a benchmark hurries them.
    void setPollInterval(int milliseconds) { m_pollTimer.setInterval(milliseconds); }

    // Sets FlightGear's chat message, given as long as timeoutMilliseconds to take it; the
    // post says how it went.
    ChatPost* postChat(const QString& text, int timeoutMilliseconds);

    // FlightGear's documentation serves its web pages on this port.
    static const QUrl DefaultServer;

    static constexpr int PollMilliseconds = 500;
    // FlightGear's web server answers once a rendered frame: a request that takes longer
    // than even a struggling simulator's frames has failed.
    static constexpr int RequestMilliseconds = 5000;

signals:
    void readingChanged();
    void stateChanged();

private:
    void poll();
    void readReply(const char* path, QNetworkReply* reply);
    void finishReading();
    void askForRunways(const QString& aerodrome);
    void setState(State state);
    QNetworkRequest request(const QString& pathAndQuery, int timeoutMilliseconds) const;

    QNetworkAccessManager m_network;
    QTimer m_pollTimer;
    QUrl m_server;
    State m_state = State::Off;
    Reading m_reading;
    // The reading in the making, and how many of its answers are still to come.
    Reading m_nextReading;
    int m_awaited = 0; // mutants: equivalent: poll() sets it before a reply is read
    // Readings asked for since the link started: every few ask for the settings too.
    int m_readings = 0;           // mutants: equivalent: start() sets it before the first reading
    bool m_unreachable = false;   // mutants: equivalent: poll() sets it before a reply is read
    bool m_misunderstood = false; // mutants: equivalent: poll() sets it before a reply is read
    // By aerodrome; an aerodrome asked about and not answered yet has no entry.
    QHash<QString, QList<Runway>> m_runways;
    QString m_runwaysAsked;
    // Replies of an earlier start that are still on their way are not read.
    int m_generation = 0; // mutants: equivalent: only its changes count, not where it starts
};

} // namespace Velaro::FlightGear
