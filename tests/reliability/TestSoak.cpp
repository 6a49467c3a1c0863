// SPDX-License-Identifier: GPL-3.0-or-later
#include "FormInput.h"
#include "FormLayout.h"

#include <QAction>
#include <QFile>
#include <QMessageBox>
#include <QRegularExpression>

namespace
{

using Velaro::FormLayout::Buttons;

constexpr int Presses = 100'000;
constexpr int WarmUpPresses = 1'000;
// Every this many presses one press fails its level check and shows a message box.
constexpr int PressesPerFailedCheck = 500;
constexpr int PressesPerAboutBox = 10'000;
constexpr qint64 AllowedGrowthKiB = 5 * 1024;
#if defined(__SANITIZE_ADDRESS__)
// AddressSanitizer holds freed memory back on purpose; there its leak check at exit
// stands in for the bound.
constexpr bool BoundsMemory = false;
#else
constexpr bool BoundsMemory = true;
#endif

// The resident memory of this process, from the kernel's own account.
qint64 residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text))
        return -1;
    const QRegularExpression line(QStringLiteral("^VmRSS:\\s+(\\d+) kB$"),
                                  QRegularExpression::MultilineOption);
    return line.match(QString::fromLatin1(status.readAll())).captured(1).toLongLong();
}

int windowCount()
{
    return static_cast<int>(QApplication::topLevelWidgets().size());
}

int visibleWindowCount(const char* className)
{
    int count = 0;
    for (const QWidget* window : QApplication::topLevelWidgets())
        count += window->isVisible() && window->inherits(className);
    return count;
}

} // namespace

class TestSoak : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void testManyPresses();
};

void TestSoak::testManyPresses()
{
    Velaro::MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const WindowDriver driver(window);
    for (const auto& [input, text] : passingFlight())
        pasteOver(driver.edit(input), text);
    QLineEdit* currentLevel = driver.edit(Field::CurrentLevel);
    auto* about = window.findChild<QAction*>("About");
    QVERIFY(currentLevel && about);

    const MessageBoxAnswerer answerer;
    qint64 warmKiB = 0;
    int warmWindows = 0;
    int failedChecks = 0;
    for (int press = 1; press <= Presses; ++press) {
        if (press % PressesPerFailedCheck == 0) {
            pasteOver(currentLevel, QStringLiteral("x"));
            driver.click(Call::LevelChange);
            pasteOver(currentLevel, QStringLiteral("3000"));
            ++failedChecks;
        } else {
            driver.click(Buttons[press % Buttons.size()].call);
        }
        if (press % PressesPerAboutBox == 0)
            about->trigger();
        if (press % 100 == 0)
            QTest::qWait(0); // Lets deferred deletions happen, as the running program's loop does.
        if (press == WarmUpPresses) {
            warmKiB = residentKiB();
            warmWindows = windowCount();
        }
    }
    QTest::qWait(0);

    QVERIFY(warmKiB > 0);
    const qint64 endKiB = residentKiB();
    qInfo("Resident memory after %d presses: %lld KiB, after %d: %lld KiB", WarmUpPresses, warmKiB,
          Presses, endKiB);
    if (BoundsMemory)
        QVERIFY2(endKiB - warmKiB <= AllowedGrowthKiB,
                 qPrintable(QStringLiteral("grew by %1 KiB").arg(endKiB - warmKiB)));

    // One About box, opened again and again; every message box answered and gone.
    QCOMPARE(answerer.seen().size(), failedChecks);
    QCOMPARE(visibleWindowCount("Velaro::AboutBox"), 1);
    QCOMPARE(visibleWindowCount("QMessageBox"), 0);
    QCOMPARE(windowCount(), warmWindows + 1);
    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(currentLevel->text(), QStringLiteral("3000"));
    QCOMPARE(driver.text(Field::Aerodrome), QStringLiteral("ULLP"));
    QCOMPARE(driver.press(Call::GoAround),
             QStringLiteral("ULLP traffic, RA-12345, go around, ULLP traffic"));

    for (QWidget* aboutBox : QApplication::topLevelWidgets())
        if (aboutBox->inherits("Velaro::AboutBox"))
            aboutBox->close();
    QTest::qWait(0);
}

QTEST_MAIN(TestSoak)
#include "TestSoak.moc"
