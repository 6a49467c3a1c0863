// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "WindowDriver.h"

#include <QLocale>
#include <QObject>

#include <memory>

// Base of the tests that drive the main window: the locale is pinned, and every test
// function gets a freshly shown window and a driver for it.
class MainWindowTest : public QObject
{
    Q_OBJECT

protected slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void init()
    {
        m_window = std::make_unique<Velaro::MainWindow>();
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        m_driver = std::make_unique<WindowDriver>(*m_window);
    }

    void cleanup()
    {
        m_driver.reset();
        m_window.reset();
    }

protected:
    // Keyboard tests need the window active, as a user's window is.
    void activateWindow() const
    {
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }

    std::unique_ptr<Velaro::MainWindow> m_window;
    std::unique_ptr<WindowDriver> m_driver;
};
