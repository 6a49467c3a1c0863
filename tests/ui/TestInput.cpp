// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowTest.h"

#include <QAccessible>
#include <QAction>
#include <QPushButton>
#include <QSignalSpy>

class TestInput : public MainWindowTest
{
    Q_OBJECT

private slots:
    void testTypingUpperCases_data();
    void testTypingUpperCases();
    void testTypingInTheMiddleMovesCaretToEnd();
    void testPasteUpperCases();
    void testProgrammaticWriteUpperCases();
    void testUpperCasingSettles();
    void testLongPaste();
    void testUndoEndsUpperCased();
    void testDirectionListText_data();
    void testDirectionListText();
    void testUpperCaseReachesTheCall();
    void testStartUpCaption_data();
    void testStartUpCaption();
    void testUnitsAreExclusive();
    void testExitClosesWindow();
};

void TestInput::testTypingUpperCases_data()
{
    QTest::addColumn<Field>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");

    const auto row = [](const char* name, Field field, const char* typed, const char* shown) {
        QTest::newRow(name) << field << QString::fromUtf8(typed) << QString::fromUtf8(shown);
    };
    row("callsign", Field::Callsign, "ulll", "ULLL");
    row("aerodrome, mixed case", Field::Aerodrome, "uLlP", "ULLP");
    row("runway, digits kept", Field::Runway, "28l", "28L");
    row("taxi route, blanks kept", Field::TaxiRoute, "a c", "A C");
    row("approach procedure", Field::ApproachProcedure, "odimo 2k", "ODIMO 2K");
    row("Cyrillic", Field::CurrentPoint, "ёлка", "ЁЛКА");
    row("lengthening", Field::NextPoint, "straße", "STRASSE");
}

void TestInput::testTypingUpperCases()
{
    QFETCH(Field, field);
    QFETCH(QString, typed);
    QFETCH(QString, shown);

    m_driver->type(field, typed);
    auto* edit = m_driver->edit(field);
    QCOMPARE(edit->text(), shown);
    QCOMPARE(edit->cursorPosition(), shown.size());
}

void TestInput::testTypingInTheMiddleMovesCaretToEnd()
{
    m_driver->type(Field::Callsign, "RA12345");
    auto* edit = m_driver->edit(Field::Callsign);
    edit->setCursorPosition(2);
    QTest::keyClicks(edit, "-x");
    // The caret jumps to the end after the first keystroke, so the second lands there.
    QCOMPARE(edit->text(), QStringLiteral("RA-12345X"));
    QCOMPARE(edit->cursorPosition(), 9);
}

void TestInput::testPasteUpperCases()
{
    auto* edit = m_driver->edit(Field::DepartureProcedure);
    QGuiApplication::clipboard()->setText(QStringLiteral("kilo 1a"));
    edit->setFocus();
    edit->paste();
    QCOMPARE(edit->text(), QStringLiteral("KILO 1A"));
    QCOMPARE(edit->cursorPosition(), 7);
}

void TestInput::testProgrammaticWriteUpperCases()
{
    auto* edit = m_driver->edit(Field::CurrentPoint);
    edit->setText(QStringLiteral("ratos"));
    QCOMPARE(edit->text(), QStringLiteral("RATOS"));
    QCOMPARE(edit->cursorPosition(), 5);
}

void TestInput::testUpperCasingSettles()
{
    auto* edit = m_driver->edit(Field::Callsign);
    QSignalSpy changes(edit, &QLineEdit::textChanged);
    QTest::keyClicks(edit, "a");
    // The typed letter and the upper-cased write; nothing after that.
    QCOMPARE(changes.size(), 2);
    QCOMPARE(edit->text(), QStringLiteral("A"));
    QTest::keyClicks(edit, "1");
    QCOMPARE(changes.size(), 3);
}

void TestInput::testLongPaste()
{
    auto* edit = m_driver->edit(Field::TaxiRoute);
    const QString pasted(edit->maxLength(), QLatin1Char('x'));
    QGuiApplication::clipboard()->setText(pasted);
    edit->setFocus();
    edit->paste();
    QCOMPARE(edit->text(), pasted.toUpper());
}

void TestInput::testUndoEndsUpperCased()
{
    auto* edit = m_driver->edit(Field::Callsign);
    // Text that needs no upper-casing is left alone, undo history and all.
    QTest::keyClicks(edit, "12");
    QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(edit->text(), QString());

    QTest::keyClicks(edit, "RA");
    QTest::keyClicks(edit, "abc");
    for (int i = 0; i < 4; ++i) {
        QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(edit->text(), edit->text().toUpper());
    }
    QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(edit->text(), edit->text().toUpper());
}

void TestInput::testDirectionListText_data()
{
    QTest::addColumn<QString>("typed");
    // Pasted with the caret at the start of the typed text.
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("caret");

    QTest::newRow("typed, case kept") << "b3"
                                      << ""
                                      << "b3" << 2;
    QTest::newRow("a line break pasted before the text") << "xyz"
                                                         << "a\nb"
                                                         << "a bxyz" << 3;
}

void TestInput::testDirectionListText()
{
    QFETCH(QString, typed);
    QFETCH(QString, pasted);
    QFETCH(QString, shown);
    QFETCH(int, caret);

    m_driver->type(PushbackDirection, typed);
    QLineEdit* edit = m_driver->edit(PushbackDirection);
    if (!pasted.isEmpty()) {
        edit->setCursorPosition(0);
        QGuiApplication::clipboard()->setText(pasted);
        QTest::keySequence(edit, QKeySequence::Paste);
    }
    QCOMPARE(m_driver->directionList()->currentText(), shown);
    QCOMPARE(edit->cursorPosition(), caret);
}

void TestInput::testUpperCaseReachesTheCall()
{
    m_driver->type(Field::Aerodrome, "ullp");
    m_driver->type(Field::Callsign, "ra-12345");
    m_driver->type(Field::Stand, "12a");
    QCOMPARE(m_driver->press(Call::StartUpOrShutdown),
             QStringLiteral("ULLP traffic, RA-12345, engines start up on stand 12A, ULLP traffic"));
}

void TestInput::testStartUpCaption_data()
{
    QTest::addColumn<Choices>("clicks");
    // Chosen through the option button's accessible toggle action, as a screen reader does.
    QTest::addColumn<bool>("screenReader");
    QTest::addColumn<QString>("caption");

    QTest::newRow("arrival") << Choices{Option::Arrival} << false << "Стоп";
    QTest::newRow("arrival, then right pattern")
        << Choices{Option::Arrival, Option::RightPattern} << false << "Стоп";
    QTest::newRow("arrival, then left pattern")
        << Choices{Option::Arrival, Option::LeftPattern} << false << "Стоп";
    QTest::newRow("arrival, then departure")
        << Choices{Option::Arrival, Option::Departure} << false << "Запуск";
    QTest::newRow("right pattern in departure")
        << Choices{Option::RightPattern} << false << "Запуск";
    QTest::newRow("arrival, toggled by a screen reader")
        << Choices{Option::Arrival} << true << "Стоп";
}

void TestInput::testStartUpCaption()
{
    QFETCH(Choices, clicks);
    QFETCH(bool, screenReader);
    QFETCH(QString, caption);

    if (screenReader) {
        for (const auto& choice : clicks)
            QAccessible::queryAccessibleInterface(m_driver->option(std::get<Option>(choice)))
                ->actionInterface()
                ->doAction(QAccessibleActionInterface::toggleAction());
    } else {
        m_driver->choose(clicks);
    }
    QAbstractButton* startUp = m_driver->button(Call::StartUpOrShutdown);
    QCOMPARE(startUp->text(), caption);
    QCOMPARE(QAccessible::queryAccessibleInterface(startUp)->text(QAccessible::Name), caption);

    // The caption names the call the button composes.
    m_driver->type(Field::Aerodrome, "ULLP");
    const QString call = m_driver->press(Call::StartUpOrShutdown);
    QCOMPARE(call.contains(QLatin1String("engines start up")), caption == QStringLiteral("Запуск"));
    QCOMPARE(call.contains(QLatin1String("engines shutdown")), caption == QStringLiteral("Стоп"));
}

void TestInput::testUnitsAreExclusive()
{
    QAction* metric = m_driver->menuItem(MenuCommand::Metric);
    QAction* imperial = m_driver->menuItem(MenuCommand::Imperial);
    QVERIFY(metric && imperial);

    imperial->trigger();
    imperial->trigger();
    QVERIFY(imperial->isChecked());
    QVERIFY(!metric->isChecked());

    metric->trigger();
    QVERIFY(metric->isChecked());
    QVERIFY(!imperial->isChecked());

    metric->trigger();
    QVERIFY(metric->isChecked());
    QVERIFY(!imperial->isChecked());
}

void TestInput::testExitClosesWindow()
{
    QAction* exit = m_driver->menuItem(MenuCommand::Exit);
    QVERIFY(exit);
    exit->trigger();
    QVERIFY(!m_window->isVisible());
}

QTEST_MAIN(TestInput)
#include "TestInput.moc"
