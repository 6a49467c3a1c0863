// SPDX-License-Identifier: GPL-3.0-or-later
#include "StartUp.h"

#include "ApplicationInfo.h"

#include <QApplication>
#include <QIcon>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>

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

} // namespace

void setUpApplication()
{
    QApplication::setApplicationName(ApplicationTitle);
    QApplication::setApplicationVersion(ApplicationVersion);
    QApplication::setDesktopFileName(QStringLiteral(VELARO_APPLICATION_ID));
    QApplication::setWindowIcon(QIcon(new RenderedIconEngine));
}

} // namespace Velaro
