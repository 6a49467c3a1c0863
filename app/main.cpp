// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindow.h"
#include "StartUp.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    Velaro::setUpApplication();

    Velaro::MainWindow window;
    window.show();
    return QApplication::exec();
}
