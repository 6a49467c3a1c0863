#include "MainWindow.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("VELARO"));

    Velaro::MainWindow window;
    window.show();
    return QApplication::exec();
}
