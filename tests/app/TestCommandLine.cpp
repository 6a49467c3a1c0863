// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandLine.h"

#include <QTest>

class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void testRequest_data();
    void testRequest();
};

void TestCommandLine::testRequest_data()
{
    QTest::addColumn<QString>("arguments");
    QTest::addColumn<QString>("expected");

    const auto row = [](const char* name, const char* arguments, const char* expected) {
        QTest::newRow(name) << arguments << expected;
    };
    // clang-format off
    row("nothing: the window", "", "window");
    row("--say", "--say", "window, calls said aloud");
    row("--say takes no value", "--say --press takeoff", "press takeoff");
    row("bare --flightgear: the default server", "--flightgear", "window linked to http://127.0.0.1:8080");
    row("HOST:PORT", "--flightgear=fg.example:5500 --say", "window linked to http://fg.example:5500, calls said aloud");
    row("HOST alone: FlightGear's port", "--flightgear=fg.example", "window linked to http://fg.example:8080");
    row("HOST:0", "--flightgear=fg.example:0", "mistake: 'fg.example:0' is not HOST:PORT.");
    row("HOST:PORT/path", "--flightgear=fg.example:5500/json", "mistake: 'fg.example:5500/json' is not HOST:PORT.");
    row("HOST:PORT?query", "--flightgear=fg.example:5500?x=1", "mistake: 'fg.example:5500?x=1' is not HOST:PORT.");
    row("HOST:PORT#fragment", "--flightgear=fg.example:5500#x", "mistake: 'fg.example:5500#x' is not HOST:PORT.");
    row("USER@HOST:PORT", "--flightgear=pilot@fg.example:5500", "mistake: 'pilot@fg.example:5500' is not HOST:PORT.");
    row(":PORT, no host", "--flightgear=:5500", "mistake: ':5500' is not HOST:PORT.");
    row("server after a bare --flightgear", "--flightgear fg.example:5500", "mistake: Unexpected argument 'fg.example:5500'.");
    row("--press", "--press go-around", "press go-around");
    row("--press an unknown call", "--press bogus", "mistake: Unknown call 'bogus': the calls are pushback, engines, taxi, vacated, lineup, takeoff, airborne, report, level, descent, hold, crosswind, base, turning-final, final, go-around, and next.");
    row("--fill", "--fill runway=26l current-level=900", "fill runway=26l current-level=900");
    row("stray argument", "--say ULLP", "mistake: Unexpected argument 'ULLP'.");
    // clang-format on
}

void TestCommandLine::testRequest()
{
    QFETCH(QString, arguments);
    QFETCH(QString, expected);

    const Velaro::CommandLine line(QStringList(QStringLiteral("velaro")) +
                                   arguments.split(u' ', Qt::SkipEmptyParts));
    const QString window =
        QStringLiteral("window") +
        (line.flightGear() ? " linked to " + line.flightGear()->toString() : "") +
        (line.sayCalls() ? ", calls said aloud" : "");
    QStringList described{window, QStringLiteral("help"), QStringLiteral("version")};
    described << "press " + line.call() << "fill " + line.assignments().join(u' ')
              << "mistake: " + line.mistake();
    QCOMPARE(described.at(static_cast<int>(line.request())), expected);
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "TestCommandLine.moc"
