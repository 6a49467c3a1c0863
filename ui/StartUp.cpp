// SPDX-License-Identifier: GPL-3.0-or-later
#include "StartUp.h"

#include "ApplicationInfo.h"

#include <QApplication>
#include <QEvent>
#include <QIcon>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QVariant>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <array>

namespace Velaro
{

namespace
{

// The sizes the build renders the scalable icon at, as :/icons/<size>.png.
constexpr std::array RenderedSizes{VELARO_ICON_SIZES};

// The window icon from those renderings, each decoded only when a window system first
// asks for an icon of about its size: on X11 as the window is shown, elsewhere perhaps
// never. QIcon::addFile would decode every one of them at start. A window icon is
// only ever drawn in the normal mode, so mode and state play no part.
class RenderedIconEngine : public QIconEngine
{
public:
    QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override
    {
        // The smallest rendering that covers the size, else the largest.
        const int wanted = std::max(size.width(), size.height());
        const auto covering = std::find_if(RenderedSizes.begin(), RenderedSizes.end(),
                                           [wanted](int rendered) { return rendered >= wanted; });
        const int rendered = covering != RenderedSizes.end() ? *covering : RenderedSizes.back();
        const QPixmap rendering(QStringLiteral(":/icons/%1.png").arg(rendered));
        return rendering.size() == size
                   ? rendering
                   : rendering.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        QList<QSize> sizes;
        for (const int rendered : RenderedSizes)
            sizes.append(QSize(rendered, rendered));
        return sizes;
    }

    QIconEngine* clone() const override { return new RenderedIconEngine; }
};

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

} // namespace

void setUpApplication()
{
    QApplication::setApplicationName(ApplicationTitle);
    QApplication::setApplicationVersion(ApplicationVersion);
    QApplication::setDesktopFileName(QStringLiteral(VELARO_APPLICATION_ID));
    QApplication::setWindowIcon(QIcon(new RenderedIconEngine));
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        qApp->installEventFilter(new FollowMaximisingOnWayland(qApp));
}

} // namespace Velaro
