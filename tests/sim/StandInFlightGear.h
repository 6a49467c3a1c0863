// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FlightGearReplies.h"

#include <QAbstractHttpServer>
#include <QFile>
#include <QHash>
#include <QHostAddress>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QTcpServer>
#include <QUrl>

// FlightGear's web server as the link sees it, answering with what a real FlightGear
// 2020.3 answered at PHNL (recorded in tests/sim/recorded), or with what a test sets.
class StandInFlightGear : public QAbstractHttpServer
{
public:
    struct Reply {
        QByteArray body;
        int status = 200;
    };

    // The recorded replies, by what was asked: a property's path, or the aerodrome query.
    void answerAsRecorded()
    {
        m_replies.clear();
        for (std::size_t i = 0; i < Velaro::FlightGear::PropertyCount; ++i) {
            const QString path = QLatin1String(Velaro::FlightGear::PropertyPaths[i]);
            QFile recorded(QStringLiteral(VELARO_RECORDED_DIR "/json") + path);
            if (recorded.open(QIODevice::ReadOnly))
                answer(path, recorded.readAll());
        }
        QFile airport(QStringLiteral(VELARO_RECORDED_DIR "/navdb-PHNL.json"));
        if (airport.open(QIODevice::ReadOnly))
            answer(QStringLiteral("/navdb?q=airport&id=PHNL"), airport.readAll());
        answer(QLatin1String(Velaro::FlightGear::ChatPath), "{}");
    }
    void answer(const QString& asked, const QByteArray& body, int status = 200)
    {
        m_replies.insert(asked, {body, status});
    }
    // A property's recorded reply with another value.
    void answerValue(Velaro::FlightGear::Property property, const QByteArray& valueJson)
    {
        const QString path =
            QLatin1String(Velaro::FlightGear::PropertyPaths[static_cast<std::size_t>(property)]);
        answer(path, "{\"path\":\"" + path.toLatin1() + "\",\"value\":" + valueJson + "}");
    }
    void forget(const QString& asked) { m_replies.remove(asked); }
    // Takes requests and never answers them, as a FlightGear that hangs.
    void setSilent(bool silent) { m_silent = silent; }

    quint16 start(quint16 port = 0) { return listen(QHostAddress::LocalHost, port); }
    // As FlightGear quitting: the port closes and every connection is cut.
    void quit()
    {
        for (QTcpServer* server : servers()) {
            server->close();
            for (QTcpSocket* connection : server->findChildren<QTcpSocket*>())
                connection->abort();
        }
        for (QTcpSocket* connection : findChildren<QTcpSocket*>())
            connection->abort();
    }
    QUrl url() const
    {
        return QUrl(QStringLiteral("http://127.0.0.1:%1").arg(servers().last()->serverPort()));
    }

    // The bodies posted to the chat, in turn.
    QList<QByteArray> chatPosts;

protected:
    bool handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) override
    {
        if (m_silent)
            return true;
        QString asked = request.url().path();
        if (asked.startsWith(QLatin1String("/json/")))
            asked = asked.mid(5);
        else if (request.url().hasQuery())
            asked += QLatin1Char('?') + request.url().query();
        if (request.method() == QHttpServerRequest::Method::Post &&
            asked == QLatin1String(Velaro::FlightGear::ChatPath) && m_replies.contains(asked))
            chatPosts.append(request.body());
        const Reply reply = m_replies.value(asked, {"{}", 404});
        makeResponder(request, socket)
            .write(reply.body, "application/json; charset=UTF-8",
                   static_cast<QHttpServerResponder::StatusCode>(reply.status));
        return true;
    }
    void missingHandler(const QHttpServerRequest&, QTcpSocket*) override {}

private:
    QHash<QString, Reply> m_replies;
    bool m_silent = false;
};
