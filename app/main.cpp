// SPDX-License-Identifier: GPL-3.0-or-later
#include "ApplicationInfo.h"
#include "MainWindow.h"
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

// Answers --help, --version and a command line it does not understand, returning the exit
// status; nothing when the window is to start. This runs before QApplication exists
// because QApplication needs a display and these answers must not.
std::optional<int> answerCommandLine(int argc, char* argv[])
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
    parser.addOption(help);
    parser.addOption(version);
    addQtOptions(parser);

    const bool parsed = parser.parse(arguments);
    const QStringList stray = parser.positionalArguments();
    const bool understood = parsed && stray.isEmpty();
    if (understood && !parser.isSet(help) && !parser.isSet(version))
        return std::nullopt;
    if (understood && parser.isSet(version)) {
        std::printf("%s %s\n", qPrintable(Velaro::ApplicationTitle),
                    qPrintable(Velaro::ApplicationVersion));
        return EXIT_SUCCESS;
    }

    // The usage line names the program as it was started, which only an application
    // object knows; a core one needs no display.
    QCoreApplication commandLine(argc, argv);
    if (understood) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        return EXIT_SUCCESS;
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
    if (const std::optional<int> status = answerCommandLine(argc, argv))
        return *status;

    QApplication app(argc, argv);
    Velaro::setUpApplication();

    Velaro::MainWindow window;
    window.show();
    return QApplication::exec();
}
