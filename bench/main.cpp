// SPDX-License-Identifier: GPL-3.0-or-later
// Runs every benchmark of VELARO and prints one table: composing, press to
// clipboard, the FlightGear link, and start-up time and memory against bare Qt windows.

#include "Measurements.h"

#include <QApplication>
#include <QFile>
#include <QRegularExpression>
#include <QStringList>
#include <QSysInfo>
#include <QTextStream>
#include <QThread>

#include <benchmark/benchmark.h>

namespace
{

QString processorModel()
{
    QFile cpuInfo(QStringLiteral("/proc/cpuinfo"));
    if (!cpuInfo.open(QIODevice::ReadOnly | QIODevice::Text))
        return QStringLiteral("unknown processor");
    const QRegularExpressionMatch model =
        QRegularExpression(QStringLiteral("^model name\\s*:\\s*(.*)$"),
                           QRegularExpression::MultilineOption)
            .match(QString::fromLocal8Bit(cpuInfo.readAll()));
    return model.hasMatch() ? model.captured(1) : QStringLiteral("unknown processor");
}

QString machine()
{
    return QStringLiteral("%1 × %2, %3, Qt %4, %5 platform")
        .arg(QThread::idealThreadCount())
        .arg(processorModel(), QSysInfo::prettyProductName(), QLatin1String(qVersion()),
             QGuiApplication::platformName());
}

} // namespace

int main(int argc, char* argv[])
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 2;
    // The probes started below inherit the platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    using namespace Velaro::Bench;
    QList<Section> sections{measureComposing(), measurePresses(), measureFlightGearLink()};
    sections += measureStartUp(QCoreApplication::applicationDirPath() +
                               QStringLiteral("/velaro-startup-probe"));

    QTextStream out(stdout);
    printTable(out, QStringLiteral("VELARO benchmarks on ") + machine(), sections);

    // The verdict comes last, where it stays in view.
    QStringList misses;
    for (const Section& section : sections) {
        for (const Row& row : section.rows) {
            if (missed(row))
                misses.append(QStringLiteral("%1 — %2: %3 %4")
                                  .arg(section.title, row.measure, row.figure, row.target)
                                  .trimmed());
        }
    }
    if (misses.isEmpty()) {
        out << "\nEvery target met.\n";
        return 0;
    }
    out << "\nMissed:\n";
    for (const QString& miss : misses)
        out << "  " << miss << '\n';
    return 1;
}
