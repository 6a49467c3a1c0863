// SPDX-License-Identifier: GPL-3.0-or-later
// Shows one window and quits once its first frame is painted. It then prints two
// figures on one line: the moment the frame was done on the monotonic clock in
// nanoseconds, which the launching process compares with the moment it started
// this one, and the peak resident memory up to then in KiB.
//
//   velaro-startup-probe program  what VELARO's main() does: the application's set-up
//                                 (name, desktop entry, window icon), then its main window
//   velaro-startup-probe empty    a QMainWindow with an empty central widget
//   velaro-startup-probe label    a QMainWindow with a one-line label instead
//
// The two baselines have the main window's client size. The label one pays, like
// every window that draws text, for Qt loading its font database.

#include "FormLayout.h"
#include "MainWindow.h"
#include "StartUp.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QMainWindow>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>

namespace
{

// The process's own high-water mark. getrusage() would not do: its peak survives
// exec, so it would start at the size of the launching process.
long peakResidentKibibytes()
{
    std::FILE* status = std::fopen("/proc/self/status", "r");
    if (!status)
        return -1;
    long peak = -1;
    char line[256];
    while (peak < 0 && std::fgets(line, sizeof line, status))
        std::sscanf(line, "VmHWM: %ld kB", &peak);
    std::fclose(status);
    return peak;
}

// The first paint event starts the first frame; the queued report runs once that
// frame, children and flush included, is done.
class FirstFrameWatcher : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            QMetaObject::invokeMethod(this, &FirstFrameWatcher::reportAndQuit,
                                      Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    static void reportAndQuit()
    {
        // libstdc++'s steady_clock reads CLOCK_MONOTONIC, which all processes share.
        const auto now = std::chrono::duration_cast<std::chrono::nanoseconds>(
            std::chrono::steady_clock::now().time_since_epoch());
        std::printf("%lld %ld\n", static_cast<long long>(now.count()), peakResidentKibibytes());
        std::fflush(stdout);
        QCoreApplication::quit();
    }

    bool m_seen = false;
};

std::unique_ptr<QMainWindow> baselineWindow(QWidget* central)
{
    auto window = std::make_unique<QMainWindow>();
    central->setFixedSize(Velaro::FormLayout::ClientArea.toPixels().size());
    window->setCentralWidget(central);
    return window;
}

std::unique_ptr<QMainWindow> windowFor(const char* mode)
{
    if (std::strcmp(mode, "program") == 0) {
        Velaro::setUpApplication();
        return std::make_unique<Velaro::MainWindow>();
    }
    if (std::strcmp(mode, "empty") == 0)
        return baselineWindow(new QWidget);
    if (std::strcmp(mode, "label") == 0)
        return baselineWindow(new QLabel(QStringLiteral("Генератор сообщений VELARO")));
    return nullptr;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const std::unique_ptr<QMainWindow> window = argc == 2 ? windowFor(argv[1]) : nullptr;
    if (!window) {
        std::fprintf(stderr, "usage: %s program|empty|label\n", argv[0]);
        return 2;
    }

    FirstFrameWatcher watcher;
    window->installEventFilter(&watcher);
    window->show();
    return QApplication::exec();
}
