// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <optional>

namespace Velaro
{

// What the command line asks for. It is understood, and everything but the window is
// answered, before QApplication exists: QApplication needs a display, and these answers
// must not.
class CommandLine
{
public:
    enum class Request { StartWindow, Help, Version, Press, Fill, Mistake };

    // The arguments as main() has them, the program first.
    explicit CommandLine(const QStringList& arguments);

    Request request() const { return m_request; }
    // The FlightGear web server the window starts linked to, if any.
    const std::optional<QUrl>& flightGear() const { return m_flightGear; }
    // Every delivered call said aloud.
    bool sayCalls() const { return m_sayCalls; }
    // The name of the call to press.
    const QString& call() const { return m_call; }
    // The FIELD=TEXT arguments of --fill.
    const QStringList& assignments() const { return m_assignments; }
    // What is wrong, said after the program's name.
    const QString& mistake() const { return m_mistake; }

    // Answers --help, --version, --press, --fill and a command line it does not
    // understand, returning the exit status; nothing where the window is to start.
    std::optional<int> answer(int& argc, char* argv[]) const;

private:
    QCommandLineParser m_parser;
    Request m_request = Request::StartWindow;
    std::optional<QUrl> m_flightGear;
    // mutants: equivalent bool: the constructor sets it from the command line
    bool m_sayCalls = false;
    QString m_call;
    QStringList m_assignments;
    QString m_mistake;
    // A mistake in the options or arguments, rather than in a name, is followed by the
    // usage.
    bool m_usageFollows = true;
};

} // namespace Velaro
