// SPDX-License-Identifier: GPL-3.0-or-later
#include "StartUp.h"

#include "ApplicationInfo.h"

#include <QApplication>
#include <QDir>
#include <QIcon>

namespace Velaro
{

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
}

} // namespace Velaro
