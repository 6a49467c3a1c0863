// SPDX-License-Identifier: GPL-3.0-or-later
#include "FlightGearLink.h"

#include <QNetworkProxy>
#include <QNetworkReply>
#include <QUrlQuery>

#include <algorithm>

namespace Velaro::FlightGear
{

namespace
{

// Far beyond any reply of FlightGear's: more is not FlightGear, and is not kept.
// mutants: equivalent constant: a byte or a kilobyte more or less, still far beyond
constexpr qint64 MaxPropertyBytes = 64 * 1024;
constexpr qint64 MaxAirportBytes = 4 * 1024 * 1024; // mutants: equivalent constant: as above
constexpr const char* TooLarge = "velaroTooLarge";

enum class Outcome { Answered, Missing, Unreachable, Misunderstood };

Outcome outcomeOf(const QNetworkReply* reply)
{
    switch (reply->error()) {
    case QNetworkReply::NoError:
        return Outcome::Answered;
    case QNetworkReply::ContentNotFoundError:
        return Outcome::Missing;
    case QNetworkReply::ProtocolFailure:
        return Outcome::Misunderstood;
    case QNetworkReply::OperationCanceledError:
        // Cut off for its size, or for taking too long.
        return reply->property(TooLarge).toBool() ? Outcome::Misunderstood : Outcome::Unreachable;
    default:
        return reply->error() < QNetworkReply::ProxyConnectionRefusedError ? Outcome::Unreachable
                                                                           : Outcome::Misunderstood;
    }
}

QString where(const QUrl& server)
{
    return server.authority();
}

// Cuts a reply off once it has grown beyond what FlightGear ever sends.
void limit(QNetworkReply* reply, qint64 maxBytes)
{
    QObject::connect(reply, &QNetworkReply::downloadProgress, reply,
                     [reply, maxBytes](qint64 received) {
                         // mutants: equivalent boundary: no reply is the limit's size
                         if (received <= maxBytes)
                             return;
                         reply->setProperty(TooLarge, true);
                         reply->abort();
                     });
}

// The body, or nothing where it is larger than FlightGear ever sends; a reply that came
// in one piece is never cut off on its way.
QByteArray bodyOf(QNetworkReply* reply, qint64 maxBytes)
{
    // mutants: equivalent boundary: no reply is the limit's size
    return reply->bytesAvailable() > maxBytes ? QByteArray() : reply->readAll();
}

} // namespace

const QUrl Link::DefaultServer(QStringLiteral("http://127.0.0.1:8080"));

Link::Link(QObject* parent) : QObject(parent)
{
    // A link to a program on the pilot's own machine or network, never through a proxy.
    m_network.setProxy(QNetworkProxy::NoProxy);
    m_network.setAutoDeleteReplies(true);
    m_pollTimer.setSingleShot(true);
    m_pollTimer.setInterval(PollMilliseconds);
    connect(&m_pollTimer, &QTimer::timeout, this, &Link::poll);
}

void Link::start(const QUrl& server)
{
    stop();
    m_server = server;
    m_readings = 0;
    setState(State::Connecting);
    poll();
}

void Link::stop()
{
    ++m_generation;
    m_pollTimer.stop();
    m_awaited = 0;
    m_reading = {};
    m_runways.clear();
    m_runwaysAsked.clear();
    setState(State::Off);
}

QList<Runway> Link::runways() const
{
    return m_runways.value(m_reading.text(Property::ClosestAirport));
}

QNetworkRequest Link::request(const QString& pathAndQuery, int timeoutMilliseconds) const
{
    QUrl url = m_server;
    const qsizetype query = pathAndQuery.indexOf(QLatin1Char('?'));
    url.setPath(pathAndQuery.left(query));
    if (query >= 0) // mutants: equivalent boundary constant: no path the link asks starts with '?'
        url.setQuery(pathAndQuery.mid(query + 1));
    QNetworkRequest request(url);
    request.setTransferTimeout(timeoutMilliseconds);
    return request;
}

void Link::poll()
{
    const bool settings = m_readings++ % SettingsEveryReadings == 0;
    m_nextReading = {};
    if (!settings)
        m_nextReading.keepSettings(m_reading);
    m_unreachable = false;
    m_misunderstood = false;
    m_awaited = static_cast<int>(FlightPaths.size() + (settings ? SettingPaths.size() : 0));
    const auto ask = [this](const char* path) {
        QNetworkReply* reply = m_network.get(
            request(QStringLiteral("/json") + QLatin1String(path), RequestMilliseconds));
        limit(reply, MaxPropertyBytes);
        connect(reply, &QNetworkReply::finished, this,
                [this, path, reply, generation = m_generation] {
                    if (generation == m_generation)
                        readReply(path, reply);
                });
    };
    std::for_each(FlightPaths.begin(), FlightPaths.end(), ask);
    if (settings)
        std::for_each(SettingPaths.begin(), SettingPaths.end(), ask);
}

void Link::readReply(const char* path, QNetworkReply* reply)
{
    switch (outcomeOf(reply)) {
    case Outcome::Answered:
        m_misunderstood = !m_nextReading.take(bodyOf(reply, MaxPropertyBytes)) || m_misunderstood;
        break;
    case Outcome::Missing:
        m_misunderstood = m_misunderstood || path == SettingPaths.front();
        break;
    case Outcome::Unreachable:
        m_unreachable = true;
        break;
    case Outcome::Misunderstood:
        m_misunderstood = true;
        break;
    }
    if (--m_awaited == 0)
        finishReading();
}

void Link::finishReading()
{
    m_pollTimer.start();
    if (m_unreachable) {
        // What was read last stays: the fields keep what they hold.
        setState(State::Unreachable);
        return;
    }
    const QString aerodrome = m_nextReading.text(Property::ClosestAirport);
    if (!aerodrome.isEmpty() && !m_runways.contains(aerodrome) && m_runwaysAsked != aerodrome)
        askForRunways(aerodrome);
    if (m_nextReading != m_reading) {
        m_reading = m_nextReading;
        emit readingChanged();
    }
    setState(m_misunderstood ? State::NotUnderstood : State::Linked);
}

void Link::askForRunways(const QString& aerodrome)
{
    m_runwaysAsked = aerodrome;
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("q"), QStringLiteral("airport"));
    query.addQueryItem(QStringLiteral("id"), aerodrome);
    QNetworkReply* reply = m_network.get(request(
        QStringLiteral("/navdb?") + query.toString(QUrl::FullyEncoded), RequestMilliseconds));
    limit(reply, MaxAirportBytes);
    connect(reply, &QNetworkReply::finished, this,
            [this, reply, aerodrome, generation = m_generation] {
                if (generation != m_generation)
                    return;
                m_runwaysAsked.clear();
                // Asked again at the next reading when FlightGear did not answer; an
                // answer that names no runways counts as an aerodrome without any.
                if (outcomeOf(reply) == Outcome::Unreachable)
                    return;
                m_runways.insert(
                    aerodrome, runwaysOf(bodyOf(reply, MaxAirportBytes)).value_or(QList<Runway>()));
                if (aerodrome == m_reading.text(Property::ClosestAirport))
                    emit readingChanged();
            });
}

ChatPost* Link::postChat(const QString& text, int timeoutMilliseconds)
{
    auto* post = new ChatPost(this);
    const auto finish = [post](const QString& failure) {
        emit post->finished(failure);
        post->deleteLater();
    };
    if (m_state != State::Linked && m_state != State::NotUnderstood) {
        // Said once the caller has had the post to listen to.
        QMetaObject::invokeMethod(
            post,
            [finish,
             failure = QStringLiteral("FlightGear does not answer at %1").arg(where(m_server))] {
                finish(failure);
            },
            Qt::QueuedConnection);
        return post;
    }
    QNetworkRequest chat =
        request(QStringLiteral("/json") + QLatin1String(ChatPath), timeoutMilliseconds);
    chat.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/json"));
    QNetworkReply* reply = m_network.post(chat, valueBody(text));
    limit(reply, MaxPropertyBytes);
    connect(reply, &QNetworkReply::finished, post, [this, reply, finish] {
        switch (outcomeOf(reply)) {
        case Outcome::Answered:
            finish({});
            break;
        case Outcome::Unreachable:
            finish(QStringLiteral("FlightGear did not answer at %1").arg(where(m_server)));
            break;
        default:
            finish(QStringLiteral("FlightGear at %1 refused it: %2")
                       .arg(where(m_server), reply->errorString()));
        }
    });
    return post;
}

void Link::setState(State state)
{
    if (state == m_state)
        return;
    m_state = state;
    emit stateChanged();
}

} // namespace Velaro::FlightGear
