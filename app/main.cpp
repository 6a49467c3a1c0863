// SPDX-License-Identifier: GPL-3.0-or-later
#include "ApplicationInfo.h"
#include "FormLayout.h"
#include "MainWindow.h"
#include "RemotePress.h"
#include "StartUp.h"

#include <QApplication>
#include <QCommandLineParser>

#include <cstdio>
#include <optional>

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

QString callNames()
{
    QStringList names;
    for (const Velaro::FormLayout::ButtonEntry& entry : Velaro::FormLayout::Buttons)
        names << QLatin1String(entry.name);
    return names.join(QStringLiteral(", "));
}

// Answers --help, --version, --press and a command line it does not understand,
// returning the exit status; nothing when the window is to start, then saying every
// delivered call where --say asks it. This runs before QApplication exists because
// QApplication needs a display and these answers must not.
std::optional<int> answerCommandLine(int argc, char* argv[], bool& sayCalls)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));

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
            callNames() + QLatin1Char('.'),
        QStringLiteral("call"));
    const QCommandLineOption say(
        QStringLiteral("say"),
        QStringLiteral("Says each call aloud in English once a press has put it on the "
                       "clipboard."));
    parser.addOption(help);
    parser.addOption(version);
    parser.addOption(press);
    parser.addOption(say);
    addQtOptions(parser);

    const bool parsed = parser.parse(arguments);
    const QStringList stray = parser.positionalArguments();
    const bool pressing = parsed && parser.isSet(press);
    const bool understood = parsed && stray.isEmpty() &&
                            (!pressing || Velaro::FormLayout::callNamed(parser.value(press)));
    sayCalls = parsed && parser.isSet(say);
    if (understood && !parser.isSet(help) && !parser.isSet(version) && !pressing)
        return std::nullopt;
    if (understood && parser.isSet(version)) {
        std::printf("%s %s\n", qPrintable(Velaro::ApplicationTitle),
                    qPrintable(Velaro::ApplicationVersion));
        return EXIT_SUCCESS;
    }

    // The usage line names the program as it was started, which only an application
    // object knows; a core one needs no display.
    QCoreApplication commandLine(argc, argv);
    if (understood && parser.isSet(help)) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        return EXIT_SUCCESS;
    }
    if (understood)
        return Velaro::pressInRunningWindow(parser.value(press));
    if (pressing && stray.isEmpty()) {
        std::fprintf(stderr, "%s: Unknown call '%s': the calls are %s.\n",
                     qPrintable(QCoreApplication::applicationName()),
                     qPrintable(parser.value(press)), qPrintable(callNames()));
        return EXIT_FAILURE;
    }
    const QString error = parsed ? QStringLiteral("Unexpected argument '%1'.").arg(stray.first())
                                 : parser.errorText();
    std::fprintf(stderr, "%s: %s\n%s", qPrintable(QCoreApplication::applicationName()),
                 qPrintable(error), qPrintable(parser.helpText()));
    return EXIT_FAILURE;
}

} // namespace

int main(int argc, char* argv[])
{
    bool sayCalls = false;
    if (const std::optional<int> status = answerCommandLine(argc, argv, sayCalls))
        return *status;

    QApplication app(argc, argv);
    Velaro::setUpApplication();

    Velaro::MainWindow window;
    if (sayCalls)
        window.sayDeliveredCalls();
    const Velaro::RemotePress remotePress(window);
    window.show();
    return QApplication::exec();
}
