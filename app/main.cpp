// SPDX-License-Identifier: GPL-3.0-or-later
#include "CallSpeech.h"
#include "CommandLine.h"
#include "EngineVoice.h"
#include "FlightGearBinding.h"
#include "FlightGearLink.h"
#include "FormLayout.h"
#include "MainWindow.h"
#include "NextCallMark.h"
#include "RemotePress.h"
#include "StartUp.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const Velaro::CommandLine commandLine(arguments);
    if (const std::optional<int> status = commandLine.answer(argc, argv))
        return *status;

    QApplication app(argc, argv);
    Velaro::setUpApplication();

    Velaro::MainWindow window;
    const Velaro::CallSpeech speech(window, Velaro::speechDispatcherVoice);
    Velaro::FlightGear::Link link;
    Velaro::FlightGearBinding flightGear(window, link);
    const Velaro::NextCallMark nextCall(window, flightGear);
    if (commandLine.flightGear())
        flightGear.linkTo(*commandLine.flightGear());
    if (commandLine.sayCalls())
        window.menuItem(Velaro::FormLayout::MenuCommand::SayCalls)->setChecked(true);
    const Velaro::RemotePress remotePress(window, &flightGear, &nextCall);
    window.show();
    return QApplication::exec();
}
