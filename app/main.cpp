#include "MainWindow.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("VELARO"));
    const QString applicationId = QStringLiteral(VELARO_APPLICATION_ID);
    QApplication::setDesktopFileName(applicationId);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/%1.svg").arg(applicationId)));

    Velaro::MainWindow window;
    window.show();
    return QApplication::exec();
}
