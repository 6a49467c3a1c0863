// SPDX-License-Identifier: GPL-3.0-or-later
#include "StartUp.h"

#include "ApplicationInfo.h"

#include <QApplication>
#include <QIcon>

namespace Velaro
{

void setUpApplication()
{
    QApplication::setApplicationName(ApplicationTitle);
    QApplication::setApplicationVersion(
        QStringLiteral("%1.%2.%3").arg(VersionMajor).arg(VersionMinor).arg(VersionPatch));
    const QString applicationId = QStringLiteral(VELARO_APPLICATION_ID);
    QApplication::setDesktopFileName(applicationId);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/%1.svg").arg(applicationId)));
}

} // namespace Velaro
