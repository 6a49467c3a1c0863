// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FlightGearReplies.h"

#include <QAbstractHttpServer>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QHostAddress>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QTcpServer>
#include <QUrl>
#include <QUrlQuery>

// FlightGear's web server as the link sees it: a property tree read and written as
// FlightGear's /json/ interface does, a property or a node with its children to the
// depth asked, holding what a real FlightGear 2020.3 answered at PHNL (recorded in
// tests/sim/recorded) or what a test or a scripted flight sets; or, for any request,
// a reply a test gives verbatim.
class StandInFlightGear : public QAbstractHttpServer
{
public:
    struct Reply {
        QByteArray body;
        int status = 200;
    };

    // The recorded properties, the aerodrome's reply and a chat that takes messages.
    void answerAsRecorded()
    {
        m_replies.clear();
        m_values.clear();
        const QString recorded = QStringLiteral(VELARO_RECORDED_DIR "/json");
        for (QDirIterator each(recorded, QDir::Files, QDirIterator::Subdirectories);
             each.hasNext();) {
            QFile file(each.next());
            if (file.open(QIODevice::ReadOnly))
                takeNode(QJsonDocument::fromJson(file.readAll()).object());
        }
        // What a flight script waits for before it moves the aircraft, and the ground it
        // puts it on.
        setValue(QStringLiteral("/sim/sceneryloaded"), true);
        setValue(QStringLiteral("/position/ground-elev-ft"), 13);
        m_clock.start();
        QFile airport(QStringLiteral(VELARO_RECORDED_DIR "/navdb-PHNL.json"));
        if (airport.open(QIODevice::ReadOnly))
            answer(QStringLiteral("/navdb?q=airport&id=PHNL"), airport.readAll());
        answer(QLatin1String(Velaro::FlightGear::ChatPath), "{}");
    }
    // Takes every property in a reply of FlightGear's, a property's or a node's.
    void takeReply(const QByteArray& body) { takeNode(QJsonDocument::fromJson(body).object()); }
    // The simulator's clock runs from answerAsRecorded() on, until a test sets it.
    void setValue(const QString& path, const QJsonValue& value)
    {
        if (path == QLatin1String(ClockPath))
            m_clock.invalidate();
        m_values.insert(path, value);
    }
    // A property's value given as JSON text; text that is not JSON is served as it is.
    void answerValue(Velaro::FlightGear::Property property, const QByteArray& valueJson)
    {
        const QString path =
            QLatin1String(Velaro::FlightGear::PropertyPaths[static_cast<std::size_t>(property)]);
        const QJsonArray parsed = QJsonDocument::fromJson('[' + valueJson + ']').array();
        if (parsed.size() == 1)
            setValue(path, parsed.first());
        else
            answer(path, "{\"path\":\"" + path.toLatin1() + "\",\"value\":" + valueJson + "}");
    }
    void answer(const QString& asked, const QByteArray& body, int status = 200)
    {
        m_replies.insert(asked, {body, status});
    }
    // Forgets the given reply, and every property at that path or below it.
    void forget(const QString& asked)
    {
        m_replies.remove(asked);
        const QString below = asked.endsWith(u'/') ? asked : asked + u'/';
        for (auto each = m_values.begin(); each != m_values.end();) {
            const bool gone = each.key() == asked || each.key().startsWith(below);
            each = gone ? m_values.erase(each) : std::next(each);
        }
    }
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
        const QString path = request.url().path();
        const bool property = path.startsWith(QLatin1String("/json/"));
        const QString asked = property ? path.mid(5)
                              : request.url().hasQuery()
                                  ? path + QLatin1Char('?') + request.url().query()
                                  : path;
        const bool posted = request.method() == QHttpServerRequest::Method::Post;
        if (m_clock.isValid())
            m_values.insert(QLatin1String(ClockPath), m_clock.elapsed() / 1000.0);
        Reply reply = m_replies.value(asked, {"{}", 404});
        if (posted && asked == QLatin1String(Velaro::FlightGear::ChatPath) &&
            m_replies.contains(asked)) {
            chatPosts.append(request.body());
        } else if (property && !m_replies.contains(asked) && posted) {
            takePosted(asked, QJsonDocument::fromJson(request.body()).object());
            reply = {"{}", 200};
        } else if (property && !m_replies.contains(asked) && isNode(asked)) {
            const int depth = QUrlQuery(request.url()).queryItemValue(QStringLiteral("d")).toInt();
            reply = {QJsonDocument(node(asked, std::max(depth, 1))).toJson(QJsonDocument::Compact)};
        }
        makeResponder(request, socket)
            .write(reply.body, "application/json; charset=UTF-8",
                   static_cast<QHttpServerResponder::StatusCode>(reply.status));
        return true;
    }
    void missingHandler(const QHttpServerRequest&, QTcpSocket*) override {}

private:
    static constexpr const char* ClockPath = "/sim/time/elapsed-sec";

    // As FlightGear sets them: a value, or a tree of named children given their values.
    void takePosted(const QString& path, const QJsonObject& node)
    {
        if (node.contains(QLatin1String("value")))
            setValue(path, node.value(QLatin1String("value")));
        const QString parent = path.endsWith(u'/') ? path.chopped(1) : path;
        for (const QJsonValue& each : node.value(QLatin1String("children")).toArray()) {
            const QJsonObject child = each.toObject();
            const int index = child.value(QLatin1String("index")).toInt();
            takePosted(parent + u'/' + child.value(QLatin1String("name")).toString() +
                           (index > 0 ? QStringLiteral("[%1]").arg(index) : QString()),
                       child);
        }
    }
    void takeNode(const QJsonObject& node)
    {
        if (node.contains(QLatin1String("value")))
            setValue(node.value(QLatin1String("path")).toString(),
                     node.value(QLatin1String("value")));
        for (const QJsonValue& child : node.value(QLatin1String("children")).toArray())
            takeNode(child.toObject());
    }
    bool isNode(const QString& path) const
    {
        const auto from = m_values.lowerBound(path);
        return from != m_values.end() &&
               (from.key() == path || from.key().startsWith(path + QLatin1Char('/')));
    }
    // As FlightGear writes it: the node's value if it has one, and its children to depth.
    QJsonObject node(const QString& path, int depth) const
    {
        QJsonObject written{{QStringLiteral("path"), path},
                            {QStringLiteral("name"), path.section(u'/', -1).section(u'[', 0, 0)}};
        if (m_values.contains(path))
            written.insert(QStringLiteral("value"), m_values.value(path));
        QStringList children;
        const QString below = path + QLatin1Char('/');
        for (auto each = m_values.lowerBound(below);
             each != m_values.end() && each.key().startsWith(below); ++each) {
            const QString child = below + each.key().mid(below.size()).section(u'/', 0, 0);
            if (children.isEmpty() || children.last() != child)
                children.append(child);
        }
        written.insert(QStringLiteral("nChildren"), children.size());
        if (depth > 0 && !children.isEmpty()) {
            QJsonArray nodes;
            for (const QString& child : children)
                nodes.append(node(child, depth - 1));
            written.insert(QStringLiteral("children"), nodes);
        }
        return written;
    }

    QHash<QString, Reply> m_replies;
    // Every property with a value, by its path.
    QMap<QString, QJsonValue> m_values;
    bool m_silent = false;
    QElapsedTimer m_clock;
};
