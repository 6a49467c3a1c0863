// SPDX-License-Identifier: GPL-3.0-or-later
// Shows one window and quits once its first frame is painted. It then prints two
// figures on one line: the moment the frame was done on the monotonic clock in
// nanoseconds, which the launching process compares with the moment it started
// this one, and the peak resident memory up to then in KiB.
//
//   velaro-startup-probe program  what VELARO's main() does: the application's set-up
//                                 (name, desktop entry, window icon), then its main window
//   velaro-startup-probe plain    the same form built plainly from the layout catalogue:
//                                 Qt's own widgets and menus, none of VELARO's behaviour
//   velaro-startup-probe label    a QMainWindow with a one-line label
//   velaro-startup-probe empty    a QMainWindow with an empty central widget instead
//
// The baselines have the main window's client size. The plain form is the fastest any
// Qt Widgets program shows this form; the label window pays, like every window that
// draws text, for Qt loading its font database.

#include "CallSpeech.h"
#include "EngineVoice.h"
#include "FormLayout.h"
#include "MainWindow.h"
#include "StartUp.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

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

// The form as any Qt program would build it from the catalogue: Qt's own class where
// VELARO has a subclass, the same places, texts, font, list entries, menus, check
// marks and window flags, and nothing else (no names, tab order, previews, upper-casing
// or application set-up).
std::unique_ptr<QMainWindow> plainForm()
{
    using namespace Velaro;
    using namespace Velaro::FormLayout;
    auto window = std::make_unique<QMainWindow>();
    window->setWindowFlags(WindowFlags);
    window->setWindowTitle(QString::fromUtf8(WindowCaption));
    window->setFont(formFont());
    auto* form = new QWidget;
    form->setFixedSize(ClientArea.toPixels().size());
    auto* area = new QWidget;
    area->setLayout(centring(form));
    window->setCentralWidget(area);

    for (const FieldEntry& entry : Fields) {
        auto* label = new QLabel(QString::fromUtf8(entry.caption), form);
        label->setGeometry(entry.label.toPixels());
        label->setWordWrap(entry.label.height > DefaultLabelHeight);
        QWidget* control = nullptr;
        if (entry.role) {
            control = new QLineEdit(form);
        } else {
            auto* list = new QComboBox(form);
            // Editable, as setEditable(true) makes it; that would also build the list's
            // popup, which the first frame does not show.
            list->setLineEdit(new QLineEdit(list));
            for (const char* direction : Directions)
                list->addItem(QLatin1String(direction));
            list->setCurrentIndex(-1);
            list->clearEditText();
            control = list;
        }
        control->setGeometry(entry.field.toPixels());
        label->setBuddy(control);
    }
    for (const ButtonEntry& entry : Buttons)
        (new QPushButton(QString::fromUtf8(entry.caption), form))
            ->setGeometry(entry.rect.toPixels());

    // Option buttons are exclusive among their siblings: the frame's pair, the form's pair.
    auto* patternFrame = new QGroupBox(QStringLiteral("Круг"), form);
    patternFrame->setGeometry(PatternFrame.toPixels());
    for (const OptionEntry& entry : Options) {
        const bool patternSide =
            entry.role == Option::LeftPattern || entry.role == Option::RightPattern;
        auto* option =
            new QRadioButton(QString::fromUtf8(entry.caption), patternSide ? patternFrame : form);
        option->setGeometry(entry.rect.toPixels());
        option->setChecked(entry.role == Option::LeftPattern || entry.role == Option::Departure);
    }
    for (const int top : SeparatorTops) {
        auto* line = new QFrame(form);
        line->setFrameShape(QFrame::HLine);
        line->setFrameShadow(QFrame::Sunken);
        line->setGeometry(
            TwipRect{SeparatorLeft, top, SeparatorRight - SeparatorLeft, 30}.toPixels());
    }

    std::vector<QMenu*> menus;
    for (const MenuEntry& entry : Menus)
        menus.push_back(window->menuBar()->addMenu(QString::fromUtf8(entry.caption)));
    for (const MenuItemEntry& entry : MenuItems) {
        if (entry.separatorBefore)
            menus[entry.menu]->addSeparator();
        QAction* item = menus[entry.menu]->addAction(QString::fromUtf8(entry.caption));
        item->setCheckable(entry.checked.has_value());
        item->setChecked(entry.checked.value_or(false));
    }
    window->layout()->setSizeConstraint(QLayout::SetFixedSize);
    return window;
}

std::unique_ptr<QMainWindow> windowFor(const char* mode)
{
    if (std::strcmp(mode, "program") == 0) {
        Velaro::setUpApplication();
        auto window = std::make_unique<Velaro::MainWindow>();
        new Velaro::CallSpeech(*window, Velaro::speechDispatcherVoice);
        return window;
    }
    if (std::strcmp(mode, "plain") == 0)
        return plainForm();
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
        std::fprintf(stderr, "usage: %s program|plain|label|empty\n", argv[0]);
        return 2;
    }

    FirstFrameWatcher watcher;
    window->installEventFilter(&watcher);
    window->show();
    return QApplication::exec();
}
