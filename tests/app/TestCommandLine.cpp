// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandLine.h"

#include <QTest>

using Velaro::CommandLine;

// What the command line asks for, understood without a display or the running window.
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
    row("Qt's options stepped over", "-platform offscreen -reverse --say", "window, calls said aloud");
    row("bare --flightgear: the default server", "--flightgear", "window linked to http://127.0.0.1:8080");
    row("HOST:PORT", "--flightgear=fg.example:5500", "window linked to http://fg.example:5500");
    row("HOST alone: FlightGear's port", "--flightgear=fg.example", "window linked to http://fg.example:8080");
    row("HOST:0", "--flightgear=fg.example:0", "mistake: 'fg.example:0' is not HOST:PORT.");
    row("HOST:PORT/path", "--flightgear=fg.example:5500/json", "mistake: 'fg.example:5500/json' is not HOST:PORT.");
    row("server after a bare --flightgear", "--flightgear fg.example:5500", "mistake: Unexpected argument 'fg.example:5500'.");
    row("--press", "--press go-around", "press go-around");
    row("--press without a call", "--press", "mistake: Missing value after '--press'.");
    row("--press of an unknown call", "--press bogus", "mistake: Unknown call 'bogus': the calls are pushback, engines, taxi, vacated, lineup, takeoff, airborne, report, level, descent, hold, crosswind, base, turning-final, final, go-around.");
    row("--press with a stray argument", "--press takeoff ULLP", "mistake: Unexpected argument 'ULLP'.");
    row("--fill", "--fill runway=26l current-level=900", "fill runway=26l current-level=900");
    row("--fill with nothing to fill", "--fill", "mistake: --fill needs one FIELD=TEXT or more.");
    row("stray argument", "ULLP", "mistake: Unexpected argument 'ULLP'.");
    row("--version before all else", "--press bogus --version", "version");
    // clang-format on
}

void TestCommandLine::testRequest()
{
    QFETCH(QString, arguments);
    QFETCH(QString, expected);

    const CommandLine commandLine(QStringList(QStringLiteral("velaro")) +
                                  arguments.split(u' ', Qt::SkipEmptyParts));
    const QStringList requests{"window", "help", "version", "press ", "fill ", "mistake: "};
    QString described = requests.at(static_cast<int>(commandLine.request()));
    switch (commandLine.request()) {
    case CommandLine::Request::StartWindow:
        if (commandLine.flightGear())
            described += QStringLiteral(" linked to ") + commandLine.flightGear()->toString();
        if (commandLine.sayCalls())
            described += QStringLiteral(", calls said aloud");
        break;
    case CommandLine::Request::Press:
        described += commandLine.call();
        break;
    case CommandLine::Request::Fill:
        described += commandLine.assignments().join(u' ');
        break;
    case CommandLine::Request::Mistake:
        described += commandLine.mistake();
        break;
    default:
        break;
    }
    QCOMPARE(described, expected);
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "TestCommandLine.moc"
