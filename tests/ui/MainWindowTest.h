// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CallSpeech.h"
#include "WindowDriver.h"

#include <QLocale>
#include <QObject>

#include <memory>
#include <optional>
#include <utility>

// Keeps what the window hands its voice to say.
class RecordingVoice : public Velaro::Voice
{
public:
    // Without missing it never gets ready.
    RecordingVoice(QStringList& said, std::optional<QString> missing)
        : m_said(said), m_missing(std::move(missing))
    {
    }
    void prepare(std::function<void(const QString& missing)> ready) override
    {
        if (m_missing)
            ready(*m_missing);
    }
    void say(const QString& text) override { m_said << text; }

private:
    QStringList& m_said;
    std::optional<QString> m_missing;
};

// Base of the tests that drive the main window: the locale is pinned, and every test
// function gets a freshly shown window, with a voice that records what it is to say, and
// a driver for it.
class MainWindowTest : public QObject
{
    Q_OBJECT

protected slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void init()
    {
        openWindow([this] { return std::make_unique<RecordingVoice>(m_said, QString()); });
    }

    void cleanup()
    {
        m_driver.reset();
        m_window.reset();
    }

protected:
    // Replaces the window with one that speaks with the voice makeVoice makes, once it has
    // made it.
    void openWindow(const Velaro::VoiceFactory& makeVoice)
    {
        m_driver.reset();
        m_said.clear();
        m_voicesMade = 0;
        m_window = std::make_unique<Velaro::MainWindow>();
        new Velaro::CallSpeech(*m_window, [this, makeVoice] {
            ++m_voicesMade;
            return makeVoice();
        });
        // The voice is made once, after the window's first frame.
        QEvent beforeShowing(QEvent::User);
        QCoreApplication::sendEvent(m_window.get(), &beforeShowing);
        QCoreApplication::processEvents();
        QCOMPARE(m_voicesMade, 0);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        m_window->repaint();
        m_window->repaint();
        QTRY_COMPARE(m_voicesMade, 1);
        QCoreApplication::processEvents();
        QCOMPARE(m_voicesMade, 1);
        m_driver = std::make_unique<WindowDriver>(*m_window);
    }

    // Keyboard tests need the window active, as a user's window is.
    void activateWindow() const
    {
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }

    QStringList m_said;
    int m_voicesMade = 0;
    std::unique_ptr<Velaro::MainWindow> m_window;
    std::unique_ptr<WindowDriver> m_driver;
};
