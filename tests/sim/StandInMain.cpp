// SPDX-License-Identifier: GPL-3.0-or-later
// A stand-in FlightGear for the end-to-end sessions and the picture in docs/: serves the
// recorded replies on 127.0.0.1 at the given port (0: any free one), prints the port it
// took, then each message posted to its chat, one a line.
#include "StandInFlightGear.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimer>

#include <cstdio>

namespace
{

class PrintingStandIn : public StandInFlightGear
{
protected:
    bool handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) override
    {
        const qsizetype posted = chatPosts.size();
        const bool handled = StandInFlightGear::handleRequest(request, socket);
        for (qsizetype i = posted; i < chatPosts.size(); ++i) {
            const QJsonValue value = QJsonDocument::fromJson(chatPosts[i])[QLatin1String("value")];
            std::printf("%s\n", value.toString().toUtf8().constData());
        }
        std::fflush(stdout);
        return handled;
    }
};

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    PrintingStandIn standIn;
    standIn.answerAsRecorded();
    const quint16 port = standIn.start(static_cast<quint16>(app.arguments().value(1).toUInt()));
    if (port == 0) {
        std::fprintf(stderr, "stand-in FlightGear: the port is taken\n");
        return 1;
    }
    std::printf("%u\n", port);
    std::fflush(stdout);
    return QCoreApplication::exec();
}
