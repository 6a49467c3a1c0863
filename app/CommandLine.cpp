// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandLine.h"

#include "ApplicationInfo.h"
#include "FlightGearLink.h"
#include "FormLayout.h"
#include "RunningWindow.h"

#include <QCoreApplication>

#include <cstdio>

namespace Velaro
{

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

// FlightGear's web server at HOST or HOST:PORT; nothing where that is not one.
std::optional<QUrl> serverAt(const QString& hostAndPort)
{
    QUrl server(QStringLiteral("http://") + hostAndPort, QUrl::StrictMode);
    if (!server.isValid() || server.host().isEmpty() || !server.path().isEmpty() ||
        !server.userInfo().isEmpty() || server.hasQuery() || server.hasFragment() ||
        server.port() == 0)
        return std::nullopt;
    server.setPort(server.port(FlightGear::Link::DefaultServer.port()));
    return server;
}

} // namespace

CommandLine::CommandLine(const QStringList& arguments)
{
    const QString flightGearName = QStringLiteral("flightgear");
    QStringList understood;
    for (QString argument : arguments) {
        // The server is optional, which the parser has no way to say: given alone, the
        // option names the default one.
        if (!understood.isEmpty() && (argument == QLatin1String("--") + flightGearName ||
                                      argument == QLatin1Char('-') + flightGearName))
            argument += QLatin1Char('=') + FlightGear::Link::DefaultServer.authority();
        understood.append(argument);
    }

    m_parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    m_parser.setApplicationDescription(
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
            FormLayout::callNames() +
            QStringLiteral("; or next, the call that comes next while the window follows the "
                           "flight in FlightGear: one key for the whole flight."),
        QStringLiteral("call"));
    const QCommandLineOption say(
        QStringLiteral("say"),
        QStringLiteral("Says each call aloud in English once a press has put it on the "
                       "clipboard."));
    const QCommandLineOption fill(
        QStringLiteral("fill"),
        QStringLiteral("Sets fields of the VELARO window that is running, as if typed, from the "
                       "arguments FIELD=TEXT. FIELD is one of: ") +
            FormLayout::fieldNames() + QLatin1Char('.'));
    const QCommandLineOption flightGear(
        flightGearName,
        QStringLiteral("Links the window to FlightGear's web server (fgfs --httpd=8080) at "
                       "HOST:PORT, by default 127.0.0.1:8080: the fields it knows fill "
                       "themselves and every call goes to its multiplayer chat too. Written "
                       "--flightgear or --flightgear=HOST:PORT."),
        QStringLiteral("host:port"));
    m_parser.addOption(help);
    m_parser.addOption(version);
    m_parser.addOption(press);
    m_parser.addOption(fill);
    m_parser.addOption(flightGear);
    m_parser.addOption(say);
    addQtOptions(m_parser);

    const bool parsed = m_parser.parse(understood);
    const QStringList stray = m_parser.positionalArguments();
    const bool pressing = parsed && m_parser.isSet(press);
    const bool filling = parsed && m_parser.isSet(fill) && !pressing;
    m_flightGear =
        parsed && m_parser.isSet(flightGear) ? serverAt(m_parser.value(flightGear)) : std::nullopt;
    m_sayCalls = m_parser.isSet(say);
    m_call = m_parser.value(press);
    m_assignments = stray;
    if (!parsed)
        m_mistake = m_parser.errorText();
    else if (!stray.isEmpty() && !filling)
        m_mistake = QStringLiteral("Unexpected argument '%1'.").arg(stray.first());
    else if (filling && stray.isEmpty())
        m_mistake = QStringLiteral("--fill needs one FIELD=TEXT or more.");
    else if (m_parser.isSet(flightGear) && !m_flightGear)
        m_mistake = QStringLiteral("'%1' is not HOST:PORT.").arg(m_parser.value(flightGear));
    if (!m_mistake.isEmpty())
        m_request = Request::Mistake;
    else if (m_parser.isSet(version))
        m_request = Request::Version;
    else if (m_parser.isSet(help))
        m_request = Request::Help;
    else if (pressing && !FormLayout::callNamed(m_call) &&
             m_call != QLatin1String(FormLayout::NextCallName)) {
        m_request = Request::Mistake;
        m_mistake =
            QStringLiteral("Unknown call '%1': the calls are %2, and %3.")
                .arg(m_call, FormLayout::callNames(), QLatin1String(FormLayout::NextCallName));
        m_usageFollows = false;
    } else if (pressing)
        m_request = Request::Press;
    else if (filling)
        m_request = Request::Fill;
}

std::optional<int> CommandLine::answer(int& argc, char* argv[]) const
{
    if (m_request == Request::StartWindow)
        return std::nullopt;
    if (m_request == Request::Version) {
        std::printf("%s %s\n", qPrintable(ApplicationTitle), qPrintable(ApplicationVersion));
        return EXIT_SUCCESS;
    }
    // The usage line names the program as it was started, which only an application
    // object knows; a core one needs no display.
    QCoreApplication commandLine(argc, argv);
    if (m_request == Request::Help) {
        std::fputs(qPrintable(m_parser.helpText()), stdout);
        return EXIT_SUCCESS;
    }
    if (m_request == Request::Press)
        return pressInRunningWindow(m_call);
    if (m_request == Request::Fill)
        return fillInRunningWindow(m_assignments);
    std::fprintf(stderr, "%s: %s\n%s", qPrintable(QCoreApplication::applicationName()),
                 qPrintable(m_mistake), m_usageFollows ? qPrintable(m_parser.helpText()) : "");
    return EXIT_FAILURE;
}

} // namespace Velaro
