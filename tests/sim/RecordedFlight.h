// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FlightGearReplies.h"

#include <QFile>
#include <QHash>
#include <QJsonDocument>
#include <QJsonObject>

// Flights flown in a real FlightGear by tests/e2e/fly-flightgear.py and recorded in
// tests/sim/recorded/flights, read back as the link reads FlightGear.
namespace RecordedFlight
{

// One step of a flight flown in FlightGear by a script, as a poller read it then.
struct Step {
    QString name;
    Velaro::FlightGear::Reading reading;
};

// The flight recorded in tests/sim/recorded/flights/NAME.jsonl. Each line holds the
// replies that changed since the one before, the newer over the older; the reading's
// clock is the flight's time.
inline const QList<Step>& recordedFlight(const QString& name)
{
    static QHash<QString, QList<Step>> flights;
    if (flights.contains(name))
        return flights[name];
    QList<Step>& steps = flights[name];
    QFile file(QStringLiteral(VELARO_RECORDED_DIR "/flights/") + name + QStringLiteral(".jsonl"));
    if (!file.open(QIODevice::ReadOnly))
        return steps;
    Velaro::FlightGear::Reading reading;
    while (!file.atEnd()) {
        const QJsonObject line = QJsonDocument::fromJson(file.readLine()).object();
        const QJsonObject replies = line.value(QLatin1String("replies")).toObject();
        for (auto reply = replies.begin(); reply != replies.end(); ++reply)
            reading.take(reply.value().toString().toUtf8());
        reading.set(Velaro::FlightGear::Property::ElapsedTime, line.value(QLatin1String("t")));
        steps.append({line.value(QLatin1String("step")).toString(), reading});
    }
    return steps;
}

// The runways of PHNL, where the flights were flown.
inline QList<Velaro::FlightGear::Runway> phnlRunways()
{
    QFile file(QStringLiteral(VELARO_RECORDED_DIR "/navdb-PHNL.json"));
    return file.open(QIODevice::ReadOnly) ? Velaro::FlightGear::runwaysOf(file.readAll())
                                                .value_or(QList<Velaro::FlightGear::Runway>())
                                          : QList<Velaro::FlightGear::Runway>();
}

} // namespace RecordedFlight
