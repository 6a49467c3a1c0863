// SPDX-License-Identifier: GPL-3.0-or-later
#include "ClipboardDelivery.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QProcess>
#include <QStringList>

namespace Velaro
{

namespace
{

constexpr int ToolMilliseconds = 400;

// Runs a tool of wl-clipboard with input on its standard input; its standard output,
// or the reason it failed. A tool whose channels are forwarded writes into VELARO's own
// output, where its message then is.
bool runTool(const QString& program, const QStringList& arguments, const QByteArray& input,
             QProcess::ProcessChannelMode channels, QByteArray& output, QString& failure)
{
    QProcess tool;
    tool.setProcessChannelMode(channels);
    tool.start(program, arguments);
    if (!tool.waitForStarted(ToolMilliseconds)) {
        failure = QStringLiteral("%1 could not be started (%2); install wl-clipboard")
                      .arg(program, tool.errorString());
        return false;
    }
    tool.write(input);
    tool.closeWriteChannel();
    if (!tool.waitForFinished(ToolMilliseconds) || tool.exitStatus() != QProcess::NormalExit ||
        tool.exitCode() != 0) {
        failure =
            channels == QProcess::ForwardedChannels
                ? QStringLiteral("%1 failed; its message is in VELARO's own output").arg(program)
                : QStringLiteral("%1 failed: %2")
                      .arg(program, QString::fromLocal8Bit(tool.readAllStandardError()).trimmed());
        tool.kill();
        return false;
    }
    output = tool.readAllStandardOutput();
    return true;
}

} // namespace

QString putOnClipboard(const QString& text)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(text);
    if (clipboard->text() != text)
        return QStringLiteral("another program took the clipboard back");
    return {};
}

// A Wayland compositor takes a new clipboard only from the client that has the keyboard
// focus, and Qt cannot tell whether it was taken. While none of VELARO's windows has
// the focus, wl-clipboard's tools set it and read it back through the compositor.
QString putOnClipboardFromAfar(const QString& text)
{
    if (!QGuiApplication::platformName().startsWith(QLatin1String("wayland")) ||
        QGuiApplication::focusWindow())
        return putOnClipboard(text);

    // wl-copy leaves a child behind that serves the clipboard until another program takes
    // it over. A write into a pipe closed once wl-copy has answered would end that child
    // and lose the clipboard, so it writes where VELARO's own output goes.
    QByteArray pasted;
    QString failure;
    if (!runTool(QStringLiteral("wl-copy"), {}, text.toUtf8(), QProcess::ForwardedChannels, pasted,
                 failure) ||
        !runTool(QStringLiteral("wl-paste"), {QStringLiteral("--no-newline")}, {},
                 QProcess::SeparateChannels, pasted, failure))
        return failure;
    if (QString::fromUtf8(pasted) != text)
        return QStringLiteral("the compositor did not take the new clipboard");
    return {};
}

} // namespace Velaro
