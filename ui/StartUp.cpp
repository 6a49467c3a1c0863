// SPDX-License-Identifier: GPL-3.0-or-later
#include "StartUp.h"

#include "ApplicationInfo.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QIcon>
#include <QMetaObject>
#include <QVariant>
#include <QWidget>
#include <QWindow>

#include <utility>

namespace Velaro
{

namespace
{

// On Wayland the compositor may maximise any window: by its own key (Weston's
// Super+Shift+M), in a tiling layout, or because the maximise button was clicked that
// Qt's title bar draws on every window, fixed or not. Qt 6.4 then bounds the configured
// size by the window's maximum, acknowledges the configure and commits the fixed size,
// which the protocol forbids for a maximised window: the compositor ends the connection,
// and the program with it. The new state reaches the window only after that
// acknowledgement, when any change of the size limits is committed at once, so the window
// cannot grow where it is. It is mapped anew without its upper limit instead (through the
// QWindow, so that a modal box's event loop goes on): the new surface is maximised from
// the start and fills what the compositor gives, its content centred. Restored, the window
// gets its fixed size back.
class FollowMaximisingOnWayland : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::WindowStateChange)
            if (auto* window = qobject_cast<QWindow*>(watched))
                follow(window);
        return false;
    }

private:
    static void follow(QWindow* window)
    {
        static constexpr char FixedSize[] = "velaroFixedSize";
        const bool maximised = window->windowStates().testFlag(Qt::WindowMaximized);
        const QVariant fixedSize = window->property(FixedSize);
        if (maximised && !fixedSize.isValid() && window->minimumSize() == window->maximumSize()) {
            window->setProperty(FixedSize, window->minimumSize());
            window->setVisible(false);
            window->setMaximumSize(QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
            window->setVisible(true);
        } else if (!maximised && fixedSize.isValid()) {
            window->setProperty(FixedSize, QVariant());
            window->setMaximumSize(fixedSize.toSize());
            // The compositor may have suggested another size for the restored window.
            window->resize(fixedSize.toSize());
        }
    }
};

class FirstFrameWatch : public QObject
{
public:
    FirstFrameWatch(QWidget& window, QObject* context, std::function<void()> then)
        : QObject(context), m_then(std::move(then))
    {
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QMetaObject::invokeMethod(
                this,
                [this] {
                    m_then();
                    deleteLater();
                },
                Qt::QueuedConnection);
        }
        // mutants: equivalent: the main window paints nothing of its own under its children
        return false;
    }

private:
    std::function<void()> m_then;
};

} // namespace

void afterFirstFrame(QWidget& window, QObject* context, std::function<void()> then)
{
    new FirstFrameWatch(window, context, std::move(then));
}

void setUpApplication()
{
    QApplication::setApplicationName(ApplicationTitle);
    QApplication::setApplicationVersion(ApplicationVersion);
    QApplication::setDesktopFileName(QStringLiteral(VELARO_APPLICATION_ID));
    // The build's PNG renderings of the scalable icon (see ui/CMakeLists.txt), one for
    // each size a window manager asks for.
    QIcon icon;
    for (const QFileInfo& rendering : QDir(QStringLiteral(":/icons")).entryInfoList())
        icon.addFile(rendering.filePath());
    QApplication::setWindowIcon(icon);
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        qApp->installEventFilter(new FollowMaximisingOnWayland(qApp));
}

} // namespace Velaro
