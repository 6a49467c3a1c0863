// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowTest.h"

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
};

void TestWindowCalls::init()
{
    MainWindowTest::init();
    if (!QTest::currentTestFailed())
        m_driver->type(exampleFlight());
}

void TestWindowCalls::testCall_data()
{
    QTest::addColumn<Call>("button");
    QTest::addColumn<Edits>("edits");
    QTest::addColumn<Choices>("clicks");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("currentPointAfter");
    QTest::addColumn<QString>("nextPointAfter");
    // What the voice is handed, once the press is over; nothing while calls are not said.
    QTest::addColumn<QStringList>("said");

    auto row = [](const char* name, Call button, const Edits& edits, const Choices& clicks,
                  const QString& expected, const QString& message = {},
                  const QString& currentPoint = "ODIMO", const QString& nextPoint = "RATOS",
                  const QStringList& said = {}) {
        QTest::newRow(name) << button << edits << clicks << expected << message << currentPoint
                            << nextPoint << said;
    };

    row("lining up", Call::LiningUp, {}, {},
        "ULLP traffic, RA-12345, lining up RWY28L for KILO 1A departure, initial climb 900m, "
        "ULLP traffic");
    row("lining up, imperial", Call::LiningUp, {{Field::InitialLevel, "070"}},
        {MenuCommand::Imperial},
        "ULLP traffic, RA-12345, lining up RWY28L for KILO 1A departure, initial climb FL070, "
        "ULLP traffic");
    row("take-off", Call::TakeOff, {}, {Option::Arrival},
        "ULLP traffic, RA-12345, departing RWY28L, ULLP traffic");
    row("take-off, said aloud", Call::TakeOff, {}, {MenuCommand::SayCalls},
        "ULLP traffic, RA-12345, departing RWY28L, ULLP traffic", {}, "ODIMO", "RATOS",
        {"Uniform Lima Lima Papa traffic, Romeo Alfa one two three four five, departing runway "
         "two eight left, Uniform Lima Lima Papa traffic"});
    row("after take-off", Call::AfterTakeOff, {}, {},
        "ULLP traffic, RA-12345, airborn, ULLP traffic");

    row("climb at a reporting point", Call::ReportingPoint, {}, {},
        "ULLP traffic, RA-12345, ODIMO 3000m, climbing 3600m, direct to RATOS at 35min, ULLP "
        "traffic",
        {}, "RATOS", "");
    row("climb at a reporting point, said aloud as composed", Call::ReportingPoint, {},
        {MenuCommand::SayCalls},
        "ULLP traffic, RA-12345, ODIMO 3000m, climbing 3600m, direct to RATOS at 35min, ULLP "
        "traffic",
        {}, "RATOS", "",
        {"Uniform Lima Lima Papa traffic, Romeo Alfa one two three four five, ODIMO three "
         "thousand metres, climbing three thousand six hundred metres, direct to RATOS at three "
         "five, Uniform Lima Lima Papa traffic"});
    row("descent at a reporting point", Call::ReportingPoint, {{Field::NextLevel, "2400"}}, {},
        "ULLP traffic, RA-12345, ODIMO 3000m, descending 2400m, direct to RATOS at 35min, ULLP "
        "traffic",
        {}, "RATOS", "");
    row("level kept at a reporting point", Call::ReportingPoint, {{Field::NextLevel, "03000"}}, {},
        "ULLP traffic, RA-12345, ODIMO 3000m, direct to RATOS at 35min, ULLP traffic", {}, "RATOS",
        "");
    row("reporting point, imperial", Call::ReportingPoint,
        {{Field::CurrentLevel, "290"}, {Field::NextLevel, "350"}}, {MenuCommand::Imperial},
        "ULLP traffic, RA-12345, ODIMO FL290, climbing FL350, direct to RATOS at 35min, ULLP "
        "traffic",
        {}, "RATOS", "");
    row("reporting point, level not a number", Call::ReportingPoint, {{Field::NextLevel, "fl350"}},
        {}, Untouched, LevelMessage);

    row("level change, climb", Call::LevelChange, {}, {},
        "ULLP traffic, RA-12345, 3000m, maintaining 3600m, ULLP traffic");
    row("level change, descent", Call::LevelChange, {{Field::NextLevel, "2400"}}, {},
        "ULLP traffic, RA-12345, 3000m, descending 2400m, ULLP traffic");
    row("level change, empty current level", Call::LevelChange, {{Field::CurrentLevel, ""}}, {},
        Untouched, LevelMessage);
    row("level change stopped, nothing said aloud", Call::LevelChange, {{Field::CurrentLevel, ""}},
        {MenuCommand::SayCalls}, Untouched, LevelMessage);

    row("approach descent", Call::ApproachDescent, {{Field::NextLevel, "900"}}, {},
        "ULLP traffic, RA-12345, ODIMO 3000m, proceeding on ODIMO 2K for RWY28L approach, "
        "descending 900m, ULLP traffic");
    row("approach descent goes on after the warning", Call::ApproachDescent,
        {{Field::NextLevel, "FL350"}}, {MenuCommand::Imperial},
        "ULLP traffic, RA-12345, ODIMO FL3000, proceeding on ODIMO 2K for RWY28L approach, "
        "descending FLFL350, ULLP traffic",
        LevelMessage);

    row("holding, left", Call::Holding, {{Field::CurrentLevel, "1200"}}, {},
        "ULLP traffic, RA-12345, hold at ODIMO 1200m, inbound track 095, left hand pattern, time 1 "
        "min, ULLP traffic");
    row("holding, right", Call::Holding, {{Field::CurrentLevel, "1200"}}, {Option::RightPattern},
        "ULLP traffic, RA-12345, hold at ODIMO 1200m, inbound track 095, right hand pattern, time "
        "1 min, ULLP traffic");
    row("holding, level and course not numbers", Call::Holding,
        {{Field::CurrentLevel, "x"}, {Field::Course, "y"}}, {}, Untouched, LevelMessage);
    row("holding, course not a number", Call::Holding, {{Field::Course, "y"}}, {}, Untouched,
        CourseMessage);
    row("holding, time not a number", Call::Holding, {{Field::PatternLegTime, ""}}, {}, Untouched,
        TimeMessage);

    row("crosswind", Call::Crosswind, {}, {},
        "ULLP traffic, RA-12345, crosswind left, ULLP traffic");
    row("base, right", Call::Base, {}, {Option::RightPattern},
        "ULLP traffic, RA-12345, turn base right, ULLP traffic");
    row("base, right then left", Call::Base, {}, {Option::RightPattern, Option::LeftPattern},
        "ULLP traffic, RA-12345, turn base left, ULLP traffic");
    row("turning final", Call::TurningFinal, {}, {},
        "ULLP traffic, RA-12345, turning final RWY28L, ULLP traffic");
    row("final", Call::Final, {}, {MenuCommand::Imperial, Option::Arrival},
        "ULLP traffic, RA-12345, final RWY28L, ULLP traffic");
    row("go-around", Call::GoAround, {}, {}, "ULLP traffic, RA-12345, go around, ULLP traffic");
}

void TestWindowCalls::testCall()
{
    QFETCH(Call, button);
    QFETCH(Edits, edits);
    QFETCH(Choices, clicks);
    QFETCH(QString, expected);
    QFETCH(QString, message);
    QFETCH(QString, currentPointAfter);
    QFETCH(QString, nextPointAfter);
    QFETCH(QStringList, said);

    m_driver->type(edits);
    m_driver->choose(clicks);

    const Edits before{{Field::CurrentLevel, m_driver->text(Field::CurrentLevel)},
                       {Field::NextLevel, m_driver->text(Field::NextLevel)},
                       {Field::EstimatedTime, m_driver->text(Field::EstimatedTime)}};
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
    QCOMPARE(m_driver->text(Field::CurrentPoint), currentPointAfter);
    QCOMPARE(m_driver->text(Field::NextPoint), nextPointAfter);
    for (const auto& [field, text] : before)
        QCOMPARE(m_driver->text(field), text);
    QCOMPARE(m_said, QStringList());
    QCoreApplication::processEvents();
    QCOMPARE(m_said, said);
}

void TestWindowCalls::testReportingPointTwice()
{
    m_driver->press(Call::ReportingPoint);
    QCOMPARE(m_driver->press(Call::ReportingPoint),
             QStringLiteral("ULLP traffic, RA-12345, RATOS 3000m, climbing 3600m, direct to  at "
                            "35min, ULLP traffic"));
    QCOMPARE(m_driver->text(Field::CurrentPoint), QString());
    QCOMPARE(m_driver->text(Field::NextPoint), QString());
}

void TestWindowCalls::testStoppedCallKeepsClipboard()
{
    const QString first = m_driver->press(Call::GoAround);
    m_driver->type(Field::NextLevel, "abc");
    MessageBoxAnswerer answerer;
    m_driver->click(Call::LevelChange);
    QCOMPARE(answerer.seen().size(), 1);
    QCOMPARE(QGuiApplication::clipboard()->text(), first);
    QCOMPARE(m_driver->text(Field::NextLevel), QStringLiteral("ABC"));
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
    m_driver->click(Call::ReportingPoint);
    disconnect(thief);
    QCOMPARE(answerer->seen().size(), 1);
    QVERIFY(answerer->seen().first().text.contains(QStringLiteral("буфер обмена")));
    QCOMPARE(clipboard->text(), taken);
    QCOMPARE(m_driver->text(Field::CurrentPoint), QStringLiteral("ODIMO"));
    QCOMPARE(m_driver->text(Field::NextPoint), QStringLiteral("RATOS"));

    // Pressed again, the button composes the same call and only then moves on.
    answerer.reset();
    QCOMPARE(m_driver->press(Call::ReportingPoint),
             QStringLiteral("ULLP traffic, RA-12345, ODIMO 3000m, climbing 3600m, direct to RATOS "
                            "at 35min, ULLP traffic"));
    QCOMPARE(m_driver->text(Field::CurrentPoint), QStringLiteral("RATOS"));
}

void TestWindowCalls::testUnitSwitchBetweenPresses()
{
    const QString metricCall = m_driver->press(Call::LevelChange);
    m_driver->choose({MenuCommand::Imperial});
    const QString imperialCall = m_driver->press(Call::LevelChange);
    QCOMPARE(metricCall,
             QStringLiteral("ULLP traffic, RA-12345, 3000m, maintaining 3600m, ULLP traffic"));
    QCOMPARE(imperialCall,
             QStringLiteral("ULLP traffic, RA-12345, FL3000, maintaining FL3600, ULLP traffic"));
}

QTEST_MAIN(TestWindowCalls)
#include "TestWindowCalls.moc"
