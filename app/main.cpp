// SPDX-License-Identifier: GPL-3.0-or-later
#include "ApplicationInfo.h"
#include "CallSpeech.h"
#include "EngineVoice.h"
#include "FlightGearBinding.h"
#include "FlightGearLink.h"
#include "FormLayout.h"
#include "MainWindow.h"
#include "RemotePress.h"
#include "RunningWindow.h"
#include "StartUp.h"

#include <QApplication>
#include <QCommandLineParser>

#include <QUrl>

#include <cstdio>
#include <optional>
#include <variant>

namespace
{

// The options QApplication takes for itself (its own, QGuiApplication's and the X11
// platform's). The parser only has to step over them; QApplication acts on them.
void addQtOptions(QCommandLineParser& parser)
{
    const QStringList withValue =
        QStringLiteral("platform platformpluginpath platformtheme plugin qwindowgeometry geometry "
                       "qwindowicon icon qwindowtitle title session display name visual style "
                       "stylesheet qmljsdebugger")
            .split(u' ');
    const QStringList flags =
        QStringLiteral("reverse widgetcount nograb dograb testability").split(u' ');
    for (const QString& name : withValue + flags) {
        QCommandLineOption option(name, QString(),
                                  withValue.contains(name) ? QStringLiteral("value") : QString());
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

// How the window starts.
struct StartOptions {
    std::optional<QUrl> flightGear;
    // Every delivered call said aloud.
    bool sayCalls = false;
};

// FlightGear's web server at HOST or HOST:PORT; nothing where that is not one.
std::optional<QUrl> serverAt(const QString& hostAndPort)
{
    QUrl server(QStringLiteral("http://") + hostAndPort, QUrl::StrictMode);
    if (!server.isValid() || server.host().isEmpty() || !server.path().isEmpty() ||
        !server.userInfo().isEmpty() || server.hasQuery() || server.hasFragment() ||
        server.port() == 0)
        return std::nullopt;
    server.setPort(server.port(Velaro::FlightGear::Link::DefaultServer.port()));
    return server;
}

// Answers --help, --version, --press, --fill and a command line it does not understand,
// returning the exit status; how the window starts otherwise (--flightgear, --say). This runs
// before QApplication exists because QApplication needs a display and these answers must not.
std::variant<int, StartOptions> answerCommandLine(int argc, char* argv[])
{
    const QString flightGearName = QStringLiteral("flightgear");
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        QString argument = QString::fromLocal8Bit(argv[i]);
        // The server is optional, which the parser has no way to say: given alone, the
        // option names the default one.
        if (i > 0 && (argument == QLatin1String("--") + flightGearName ||
                      argument == QLatin1Char('-') + flightGearName))
            argument += QLatin1Char('=') + Velaro::FlightGear::Link::DefaultServer.authority();
        arguments.append(argument);
    }

    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        QStringLiteral("Composes the standard English position reports for aerodromes without\n"
                       "air traffic control and puts them on the clipboard.\n"
                       "Qt's standard options (-platform, -style, ...) are accepted too; "
                       "see velaro(1)."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Displays this help."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Displays version information."));
    const QCommandLineOption press(
        QStringLiteral("press"),
        QStringLiteral("Presses a call button of the VELARO window that is running, as a click "
                       "would, and prints the call it put on the clipboard. <call> is one of: ") +
            Velaro::FormLayout::callNames() + QLatin1Char('.'),
        QStringLiteral("call"));
    const QCommandLineOption say(
        QStringLiteral("say"),
        QStringLiteral("Says each call aloud in English once a press has put it on the "
                       "clipboard."));
    const QCommandLineOption fill(
        QStringLiteral("fill"),
        QStringLiteral("Sets fields of the VELARO window that is running, as if typed, from the "
                       "arguments FIELD=TEXT. FIELD is one of: ") +
            Velaro::FormLayout::fieldNames() + QLatin1Char('.'));
    const QCommandLineOption flightGear(
        flightGearName,
        QStringLiteral("Links the window to FlightGear's web server (fgfs --httpd=8080) at "
                       "HOST:PORT, by default 127.0.0.1:8080: the fields it knows fill "
                       "themselves and every call goes to its multiplayer chat too. Written "
                       "--flightgear or --flightgear=HOST:PORT."),
        QStringLiteral("host:port"));
    parser.addOption(help);
    parser.addOption(version);
    parser.addOption(press);
    parser.addOption(fill);
    parser.addOption(flightGear);
    parser.addOption(say);
    addQtOptions(parser);

    QString problem;
    const bool parsed = parser.parse(arguments);
    const QStringList stray = parser.positionalArguments();
    const bool pressing = parsed && parser.isSet(press);
    const bool filling = parsed && parser.isSet(fill) && !pressing;
    const std::optional<QUrl> server =
        parsed && parser.isSet(flightGear) ? serverAt(parser.value(flightGear)) : std::nullopt;
    if (!parsed)
        problem = parser.errorText();
    else if (!stray.isEmpty() && !filling)
        problem = QStringLiteral("Unexpected argument '%1'.").arg(stray.first());
    else if (filling && stray.isEmpty())
        problem = QStringLiteral("--fill needs one FIELD=TEXT or more.");
    else if (parser.isSet(flightGear) && !server)
        problem = QStringLiteral("'%1' is not HOST:PORT.").arg(parser.value(flightGear));
    const bool asking = parser.isSet(help) || parser.isSet(version) || pressing || filling;
    if (problem.isEmpty() && !asking)
        return StartOptions{server, parser.isSet(say)};
    if (problem.isEmpty() && parser.isSet(version)) {
        std::printf("%s %s\n", qPrintable(Velaro::ApplicationTitle),
                    qPrintable(Velaro::ApplicationVersion));
        return EXIT_SUCCESS;
    }

    // The usage line names the program as it was started, which only an application
    // object knows; a core one needs no display.
    QCoreApplication commandLine(argc, argv);
    if (problem.isEmpty() && parser.isSet(help)) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        return EXIT_SUCCESS;
    }
    if (problem.isEmpty() && pressing && !Velaro::FormLayout::callNamed(parser.value(press))) {
        std::fprintf(stderr, "%s: Unknown call '%s': the calls are %s.\n",
                     qPrintable(QCoreApplication::applicationName()),
                     qPrintable(parser.value(press)), qPrintable(Velaro::FormLayout::callNames()));
        return EXIT_FAILURE;
    }
    if (problem.isEmpty())
        return pressing ? Velaro::pressInRunningWindow(parser.value(press))
                        : Velaro::fillInRunningWindow(stray);
    std::fprintf(stderr, "%s: %s\n%s", qPrintable(QCoreApplication::applicationName()),
                 qPrintable(problem), qPrintable(parser.helpText()));
    return EXIT_FAILURE;
}

} // namespace

int main(int argc, char* argv[])
{
    const std::variant<int, StartOptions> answer = answerCommandLine(argc, argv);
    if (const int* status = std::get_if<int>(&answer))
        return *status;
    const StartOptions& options = std::get<StartOptions>(answer);

    QApplication app(argc, argv);
    Velaro::setUpApplication();

    Velaro::MainWindow window;
    const Velaro::CallSpeech speech(window, Velaro::speechDispatcherVoice);
    Velaro::FlightGear::Link link;
    Velaro::FlightGearBinding flightGear(window, link);
    if (options.flightGear)
        flightGear.linkTo(*options.flightGear);
    if (options.sayCalls)
        window.menuItem(Velaro::FormLayout::MenuCommand::SayCalls)->setChecked(true);
    const Velaro::RemotePress remotePress(window, &flightGear);
    window.show();
    return QApplication::exec();
}
