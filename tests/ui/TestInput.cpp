// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowTest.h"

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
    void testDirectionListKeepsCase();
    void testUpperCaseReachesTheCall();
    void testStartUpCaption_data();
    void testStartUpCaption();
    void testUnitsAreExclusive();
    void testExitClosesWindow();
};

void TestInput::testTypingUpperCases_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");

    QTest::newRow("callsign") << "Text1"
                              << "ulll"
                              << "ULLL";
    QTest::newRow("aerodrome, mixed case") << "Text2"
                                           << "uLlP"
                                           << "ULLP";
    QTest::newRow("runway, digits kept") << "Text3_6"
                                         << "28l"
                                         << "28L";
    QTest::newRow("taxi route, blanks kept") << "Text3_5"
                                             << "a c"
                                             << "A C";
    QTest::newRow("approach procedure") << "Text3_15"
                                        << "odimo 2k"
                                        << "ODIMO 2K";
    QTest::newRow("Cyrillic") << "Text3_9"
                              << "ёлка"
                              << "ЁЛКА";
    QTest::newRow("lengthening") << "Text3_4"
                                 << "straße"
                                 << "STRASSE";
}

void TestInput::testTypingUpperCases()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, shown);

    m_driver->type(field, typed);
    auto* edit = m_driver->find<QLineEdit>(field);
    QCOMPARE(edit->text(), shown);
    QCOMPARE(edit->cursorPosition(), shown.size());
}

void TestInput::testTypingInTheMiddleMovesCaretToEnd()
{
    m_driver->type("Text1", "RA12345");
    auto* edit = m_driver->find<QLineEdit>("Text1");
    edit->setCursorPosition(2);
    QTest::keyClicks(edit, "-x");
    // The caret jumps to the end after the first keystroke, so the second lands there.
    QCOMPARE(edit->text(), QStringLiteral("RA-12345X"));
    QCOMPARE(edit->cursorPosition(), 9);
}

void TestInput::testPasteUpperCases()
{
    auto* edit = m_driver->find<QLineEdit>("Text3_7");
    QGuiApplication::clipboard()->setText(QStringLiteral("kilo 1a"));
    edit->setFocus();
    edit->paste();
    QCOMPARE(edit->text(), QStringLiteral("KILO 1A"));
    QCOMPARE(edit->cursorPosition(), 7);
}

void TestInput::testProgrammaticWriteUpperCases()
{
    auto* edit = m_driver->find<QLineEdit>("Text3_9");
    edit->setText(QStringLiteral("ratos"));
    QCOMPARE(edit->text(), QStringLiteral("RATOS"));
    QCOMPARE(edit->cursorPosition(), 5);
}

void TestInput::testUpperCasingSettles()
{
    auto* edit = m_driver->find<QLineEdit>("Text1");
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
    auto* edit = m_driver->find<QLineEdit>("Text3_5");
    const QString pasted(edit->maxLength(), QLatin1Char('x'));
    QGuiApplication::clipboard()->setText(pasted);
    edit->setFocus();
    edit->paste();
    QCOMPARE(edit->text(), pasted.toUpper());
}

void TestInput::testUndoEndsUpperCased()
{
    auto* edit = m_driver->find<QLineEdit>("Text1");
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

void TestInput::testDirectionListKeepsCase()
{
    m_driver->type("Combo1", "b3");
    QCOMPARE(m_driver->find<QComboBox>("Combo1")->currentText(), QStringLiteral("b3"));
}

void TestInput::testUpperCaseReachesTheCall()
{
    m_driver->type("Text2", "ullp");
    m_driver->type("Text1", "ra-12345");
    m_driver->type("Text3_2", "12a");
    QCOMPARE(m_driver->press("Command2"),
             QStringLiteral("ULLP traffic, RA-12345, engines start up on stand 12A, ULLP traffic"));
}

void TestInput::testStartUpCaption_data()
{
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QString>("caption");

    QTest::newRow("arrival") << QStringList{"Option1_3"} << "Стоп";
    QTest::newRow("arrival, then right pattern") << QStringList{"Option1_3", "Option1_1"} << "Стоп";
    QTest::newRow("arrival, then left pattern") << QStringList{"Option1_3", "Option1_0"} << "Стоп";
    QTest::newRow("arrival, then departure") << QStringList{"Option1_3", "Option1_2"} << "Запуск";
    QTest::newRow("right pattern in departure") << QStringList{"Option1_1"} << "Запуск";
}

void TestInput::testStartUpCaption()
{
    QFETCH(QStringList, clicks);
    QFETCH(QString, caption);

    for (const QString& option : clicks)
        m_driver->click(option);
    QCOMPARE(m_driver->find<QPushButton>("Command2")->text(), caption);

    // The caption names the call the button composes.
    m_driver->type("Text2", "ULLP");
    const QString call = m_driver->press("Command2");
    QCOMPARE(call.contains(QLatin1String("engines start up")), caption == QStringLiteral("Запуск"));
    QCOMPARE(call.contains(QLatin1String("engines shutdown")), caption == QStringLiteral("Стоп"));
}

void TestInput::testUnitsAreExclusive()
{
    auto* metric = m_window->findChild<QAction*>("metric");
    auto* imperial = m_window->findChild<QAction*>("Imperial");
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
    auto* exit = m_window->findChild<QAction*>("Exit");
    QVERIFY(exit);
    exit->trigger();
    QVERIFY(!m_window->isVisible());
}

QTEST_MAIN(TestInput)
#include "TestInput.moc"
