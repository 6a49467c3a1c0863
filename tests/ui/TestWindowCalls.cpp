// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowTest.h"

#include <QAction>

namespace
{

const QString LevelMessage = QStringLiteral("Эшелон должен быть задан числом");
const QString CourseMessage = QStringLiteral("Курс должен быть задан числом");
const QString TimeMessage = QStringLiteral("Время должно быть задано числом");
const QString Untouched = QStringLiteral("(nothing delivered)");

} // namespace

// The calls beyond the ground section, pressed on the real window, with their
// message boxes answered as a user would.
class TestWindowCalls : public MainWindowTest
{
    Q_OBJECT

private slots:
    void init();

    void testCall_data();
    void testCall();
    void testReportingPointTwice();
    void testStoppedCallKeepsClipboard();
    void testFailedDeliveryKeepsReportingPoints();
    void testUnitSwitchBetweenPresses();

private:
    void fillExample() const;
};

void TestWindowCalls::init()
{
    MainWindowTest::init();
    if (!QTest::currentTestFailed())
        fillExample();
}

void TestWindowCalls::fillExample() const
{
    const Edits example{{"Text2", "ULLP"},      {"Text1", "RA-12345"},    {"Text3_6", "28L"},
                        {"Text3_7", "KILO 1A"}, {"Text3_8", "900"},       {"Text3_9", "ODIMO"},
                        {"Text3_4", "RATOS"},   {"Text3_1", "35"},        {"Text3_10", "3000"},
                        {"Text3_11", "3600"},   {"Text3_15", "ODIMO 2K"}, {"Text3_3", "095"},
                        {"Text3_12", "1"}};
    m_driver->type(example);
}

void TestWindowCalls::testCall_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<Edits>("edits");
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("currentPointAfter");
    QTest::addColumn<QString>("nextPointAfter");

    auto row = [](const char* name, const QString& button, const Edits& edits,
                  const QStringList& clicks, const QString& expected, const QString& message = {},
                  const QString& currentPoint = "ODIMO", const QString& nextPoint = "RATOS") {
        QTest::newRow(name) << button << edits << clicks << expected << message << currentPoint
                            << nextPoint;
    };

    row("lining up", "Command4", {}, {},
        "ULLP traffic, RA-12345, lining up RWY28L for KILO 1A departure, initial climb 900m, "
        "ULLP traffic");
    row("lining up, imperial", "Command4", {{"Text3_8", "070"}}, {"Imperial"},
        "ULLP traffic, RA-12345, lining up RWY28L for KILO 1A departure, initial climb FL070, "
        "ULLP traffic");
    row("take-off", "Command5", {}, {"Option1_3"},
        "ULLP traffic, RA-12345, departing RWY28L, ULLP traffic");
    row("after take-off", "Command6", {}, {}, "ULLP traffic, RA-12345, airborn, ULLP traffic");

    row("climb at a reporting point", "Command7", {}, {},
        "ULLP traffic, RA-12345, ODIMO 3000m, climbing 3600m, direct to RATOS at 35min, ULLP "
        "traffic",
        {}, "RATOS", "");
    row("descent at a reporting point", "Command7", {{"Text3_11", "2400"}}, {},
        "ULLP traffic, RA-12345, ODIMO 3000m, descending 2400m, direct to RATOS at 35min, ULLP "
        "traffic",
        {}, "RATOS", "");
    row("level kept at a reporting point", "Command7", {{"Text3_11", "03000"}}, {},
        "ULLP traffic, RA-12345, ODIMO 3000m, direct to RATOS at 35min, ULLP traffic", {}, "RATOS",
        "");
    row("reporting point, imperial", "Command7", {{"Text3_10", "290"}, {"Text3_11", "350"}},
        {"Imperial"},
        "ULLP traffic, RA-12345, ODIMO FL290, climbing FL350, direct to RATOS at 35min, ULLP "
        "traffic",
        {}, "RATOS", "");
    row("reporting point, level not a number", "Command7", {{"Text3_11", "fl350"}}, {}, Untouched,
        LevelMessage);

    row("level change, climb", "Command9", {}, {},
        "ULLP traffic, RA-12345, 3000m, maintaining 3600m, ULLP traffic");
    row("level change, descent", "Command9", {{"Text3_11", "2400"}}, {},
        "ULLP traffic, RA-12345, 3000m, descending 2400m, ULLP traffic");
    row("level change, empty current level", "Command9", {{"Text3_10", ""}}, {}, Untouched,
        LevelMessage);

    row("approach descent", "Command10", {{"Text3_11", "900"}}, {},
        "ULLP traffic, RA-12345, ODIMO 3000m, proceeding on ODIMO 2K for RWY28L approach, "
        "descending 900m, ULLP traffic");
    row("approach descent goes on after the warning", "Command10", {{"Text3_11", "FL350"}},
        {"Imperial"},
        "ULLP traffic, RA-12345, ODIMO FL3000, proceeding on ODIMO 2K for RWY28L approach, "
        "descending FLFL350, ULLP traffic",
        LevelMessage);

    row("holding, left", "Command8", {{"Text3_10", "1200"}}, {},
        "ULLP traffic, RA-12345, hold at ODIMO 1200m, inbound track 095, left hand pattern, time 1 "
        "min, ULLP traffic");
    row("holding, right", "Command8", {{"Text3_10", "1200"}}, {"Option1_1"},
        "ULLP traffic, RA-12345, hold at ODIMO 1200m, inbound track 095, right hand pattern, time "
        "1 min, ULLP traffic");
    row("holding, level and course not numbers", "Command8", {{"Text3_10", "x"}, {"Text3_3", "y"}},
        {}, Untouched, LevelMessage);
    row("holding, course not a number", "Command8", {{"Text3_3", "y"}}, {}, Untouched,
        CourseMessage);
    row("holding, time not a number", "Command8", {{"Text3_12", ""}}, {}, Untouched, TimeMessage);

    row("crosswind", "Command11", {}, {}, "ULLP traffic, RA-12345, crosswind left, ULLP traffic");
    row("base, right", "Command12", {}, {"Option1_1"},
        "ULLP traffic, RA-12345, turn base right, ULLP traffic");
    row("base, right then left", "Command12", {}, {"Option1_1", "Option1_0"},
        "ULLP traffic, RA-12345, turn base left, ULLP traffic");
    row("turning final", "Command13", {}, {},
        "ULLP traffic, RA-12345, turning final RWY28L, ULLP traffic");
    row("final", "Command14", {}, {"Imperial", "Option1_3"},
        "ULLP traffic, RA-12345, final RWY28L, ULLP traffic");
    row("go-around", "Command15", {}, {}, "ULLP traffic, RA-12345, go around, ULLP traffic");
}

void TestWindowCalls::testCall()
{
    QFETCH(QString, button);
    QFETCH(Edits, edits);
    QFETCH(QStringList, clicks);
    QFETCH(QString, expected);
    QFETCH(QString, message);
    QFETCH(QString, currentPointAfter);
    QFETCH(QString, nextPointAfter);

    m_driver->type(edits);
    m_driver->choose(clicks);

    const Edits before{{"Text3_10", m_driver->text("Text3_10")},
                       {"Text3_11", m_driver->text("Text3_11")},
                       {"Text3_1", m_driver->text("Text3_1")}};
    MessageBoxAnswerer answerer;
    const QString delivered = m_driver->press(button);

    if (message.isEmpty()) {
        QVERIFY(answerer.seen().isEmpty());
    } else {
        QCOMPARE(answerer.seen().size(), 1);
        const MessageBoxAnswerer::Seen& box = answerer.seen().first();
        QCOMPARE(box.title, QStringLiteral("VELARO"));
        QCOMPARE(box.text, message);
        QCOMPARE(box.icon, QMessageBox::NoIcon);
        QCOMPARE(box.buttonCount, 1);
    }
    QCOMPARE(delivered, expected);
    QCOMPARE(m_driver->text("Text3_9"), currentPointAfter);
    QCOMPARE(m_driver->text("Text3_4"), nextPointAfter);
    for (const auto& [field, text] : before)
        QCOMPARE(m_driver->text(field), text);
}

void TestWindowCalls::testReportingPointTwice()
{
    m_driver->press("Command7");
    QCOMPARE(m_driver->press("Command7"),
             QStringLiteral("ULLP traffic, RA-12345, RATOS 3000m, climbing 3600m, direct to  at "
                            "35min, ULLP traffic"));
    QCOMPARE(m_driver->text("Text3_9"), QString());
    QCOMPARE(m_driver->text("Text3_4"), QString());
}

void TestWindowCalls::testStoppedCallKeepsClipboard()
{
    const QString first = m_driver->press("Command15");
    m_driver->type("Text3_11", "abc");
    MessageBoxAnswerer answerer;
    m_driver->click("Command9");
    QCOMPARE(answerer.seen().size(), 1);
    QCOMPARE(QGuiApplication::clipboard()->text(), first);
    QCOMPARE(m_driver->text("Text3_11"), QStringLiteral("ABC"));
}

void TestWindowCalls::testFailedDeliveryKeepsReportingPoints()
{
    // Another program takes the clipboard back as soon as the call lands on it.
    QClipboard* clipboard = QGuiApplication::clipboard();
    const QString taken = QStringLiteral("(taken by another program)");
    const auto thief = connect(clipboard, &QClipboard::dataChanged, this, [clipboard, taken] {
        if (!clipboard->text().isEmpty() && clipboard->text() != taken)
            clipboard->setText(taken);
    });
    auto answerer = std::make_unique<MessageBoxAnswerer>();
    m_driver->click("Command7");
    disconnect(thief);
    QCOMPARE(answerer->seen().size(), 1);
    QVERIFY(answerer->seen().first().text.contains(QStringLiteral("буфер обмена")));
    QCOMPARE(clipboard->text(), taken);
    QCOMPARE(m_driver->text("Text3_9"), QStringLiteral("ODIMO"));
    QCOMPARE(m_driver->text("Text3_4"), QStringLiteral("RATOS"));

    // Pressed again, the button composes the same call and only then moves on.
    answerer.reset();
    QCOMPARE(m_driver->press("Command7"),
             QStringLiteral("ULLP traffic, RA-12345, ODIMO 3000m, climbing 3600m, direct to RATOS "
                            "at 35min, ULLP traffic"));
    QCOMPARE(m_driver->text("Text3_9"), QStringLiteral("RATOS"));
}

void TestWindowCalls::testUnitSwitchBetweenPresses()
{
    const QString metricCall = m_driver->press("Command9");
    m_window->findChild<QAction*>("Imperial")->trigger();
    const QString imperialCall = m_driver->press("Command9");
    QCOMPARE(metricCall,
             QStringLiteral("ULLP traffic, RA-12345, 3000m, maintaining 3600m, ULLP traffic"));
    QCOMPARE(imperialCall,
             QStringLiteral("ULLP traffic, RA-12345, FL3000, maintaining FL3600, ULLP traffic"));
}

QTEST_MAIN(TestWindowCalls)
#include "TestWindowCalls.moc"
