// SPDX-License-Identifier: GPL-3.0-or-later
#include "FormLayout.h"
#include "MainWindowTest.h"

#include <QAccessible>
#include <QLabel>
#include <QMenu>

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

namespace FormLayout = Velaro::FormLayout;

// What a screen-reader or keyboard-only user meets: the names read out for each
// control, the order Tab walks through them, and the keys that press buttons and
// open the menus.
class TestAccessibility : public MainWindowTest
{
    Q_OBJECT

private slots:
    void testAccessibleName_data();
    void testAccessibleName();
    void testLabelBuddy_data();
    void testLabelBuddy();
    void testTabWalk_data();
    void testTabWalk();
    void testArrowMovesWithinPair_data();
    void testArrowMovesWithinPair();
    void testKeyPressesButton_data();
    void testKeyPressesButton();
    void testMenuAccessKey_data();
    void testMenuAccessKey();
    void testExitByAccessKeys();

private:
    static QStringList tabOrder();
    void pressKey(QWidget* receiver, QChar letter, Qt::KeyboardModifiers modifiers) const;
};

// Every control in the catalogue's tab order, by object name.
QStringList TestAccessibility::tabOrder()
{
    std::vector<std::pair<int, QString>> controls;
    for (const auto& entry : FormLayout::Fields)
        controls.emplace_back(entry.tabIndex, QLatin1String(entry.objectName));
    for (const auto& entry : FormLayout::Buttons)
        controls.emplace_back(entry.tabIndex, QLatin1String(entry.objectName));
    for (const auto& entry : FormLayout::Options)
        controls.emplace_back(entry.tabIndex, QLatin1String(entry.objectName));
    std::sort(controls.begin(), controls.end());

    QStringList names;
    for (const auto& control : controls)
        names << control.second;
    return names;
}

// Types a letter as a keyboard with that letter on it does: the key code is the
// letter in upper case, the text the letter itself.
void TestAccessibility::pressKey(QWidget* receiver, QChar letter,
                                 Qt::KeyboardModifiers modifiers) const
{
    QTest::sendKeyEvent(QTest::Click, receiver, Qt::Key(letter.toUpper().unicode()),
                        QString(letter.toLower()), modifiers);
}

void TestAccessibility::testAccessibleName_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name");
    // Which pair an option button belongs to; none for the other controls.
    QTest::addColumn<QString>("pair");

    for (const auto& entry : FormLayout::Fields)
        QTest::newRow(entry.objectName)
            << entry.objectName << QString::fromUtf8(entry.caption) << QString();
    for (const auto& entry : FormLayout::Buttons)
        QTest::newRow(entry.objectName)
            << entry.objectName << QString::fromUtf8(entry.caption) << QString();
    for (const auto& entry : FormLayout::Options) {
        const bool patternSide = entry.role == FormLayout::Option::LeftPattern ||
                                 entry.role == FormLayout::Option::RightPattern;
        QTest::newRow(entry.objectName)
            << entry.objectName << QString::fromUtf8(entry.caption)
            << (patternSide ? QStringLiteral("Круг") : QStringLiteral("Этап полёта"));
    }
}

void TestAccessibility::testAccessibleName()
{
    QFETCH(QString, control);
    QFETCH(QString, name);
    QFETCH(QString, pair);

    QWidget* widget = m_driver->find(control);
    QVERIFY(widget);
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    QVERIFY(accessible);
    QCOMPARE(accessible->text(QAccessible::Name), name);
    if (!pair.isEmpty())
        QCOMPARE(accessible->text(QAccessible::Description), pair);
    // The direction list's edit part is announced on its own.
    if (auto* list = qobject_cast<QComboBox*>(widget))
        QCOMPARE(QAccessible::queryAccessibleInterface(list->lineEdit())->text(QAccessible::Name),
                 name);
    // What the screen reader announces when the control takes the focus.
    activateWindow();
    widget->setFocus(Qt::TabFocusReason);
    QCOMPARE(
        QAccessible::queryAccessibleInterface(QApplication::focusWidget())->text(QAccessible::Name),
        name);
}

void TestAccessibility::testLabelBuddy_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("field");

    for (const auto& entry : FormLayout::Fields)
        QTest::newRow(entry.objectName) << entry.labelObjectName << entry.objectName;
}

void TestAccessibility::testLabelBuddy()
{
    QFETCH(QString, label);
    QFETCH(QString, field);

    auto* labelWidget = m_driver->find<QLabel>(label);
    QVERIFY(labelWidget);
    QCOMPARE(labelWidget->buddy(), m_driver->find(field));
}

void TestAccessibility::testTabWalk_data()
{
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QStringList>("order");

    QStringList forward = tabOrder();
    // The walk wraps round to where it started.
    forward << forward.first();
    QStringList backward = forward;
    std::reverse(backward.begin(), backward.end());

    QTest::newRow("Tab") << Qt::KeyboardModifiers(Qt::NoModifier) << forward;
    QTest::newRow("Shift+Tab") << Qt::KeyboardModifiers(Qt::ShiftModifier) << backward;
}

void TestAccessibility::testTabWalk()
{
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QStringList, order);

    activateWindow();
    m_driver->find(order.first())->setFocus(Qt::TabFocusReason);
    QStringList visited{QApplication::focusWidget()->objectName()};
    for (qsizetype step = 1; step < order.size(); ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, modifiers);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, order);
}

void TestAccessibility::testArrowMovesWithinPair_data()
{
    QTest::addColumn<Option>("from");
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<Option>("to");

    QTest::newRow("to arrival") << Option::Departure << Qt::Key_Down << Option::Arrival;
    QTest::newRow("back to departure") << Option::Arrival << Qt::Key_Up << Option::Departure;
    QTest::newRow("to right pattern")
        << Option::LeftPattern << Qt::Key_Down << Option::RightPattern;
    QTest::newRow("back to left pattern")
        << Option::RightPattern << Qt::Key_Up << Option::LeftPattern;
}

// The arrow keys move the focus to the other option of the pair and pick it, and
// never leave the pair.
void TestAccessibility::testArrowMovesWithinPair()
{
    QFETCH(Option, from);
    QFETCH(Qt::Key, key);
    QFETCH(Option, to);

    activateWindow();
    QAbstractButton* option = m_driver->option(from);
    option->setFocus(Qt::TabFocusReason);
    option->setChecked(true);
    QTest::keyClick(option, key);
    QCOMPARE(QApplication::focusWidget(), m_driver->option(to));
    QVERIFY(m_driver->option(to)->isChecked());
    QVERIFY(!option->isChecked());

    QTest::keyClick(QApplication::focusWidget(), key);
    QCOMPARE(QApplication::focusWidget(), m_driver->option(to));
}

void TestAccessibility::testKeyPressesButton_data()
{
    QTest::addColumn<Call>("button");
    QTest::addColumn<int>("key");

    for (const auto& entry : FormLayout::Buttons) {
        for (const auto& [keyName, key] : {std::pair{"Space", Qt::Key_Space},
                                           {"Return", Qt::Key_Return},
                                           {"Enter", Qt::Key_Enter}})
            QTest::addRow("%s, %s", entry.caption, keyName) << entry.call << int(key);
    }
}

void TestAccessibility::testKeyPressesButton()
{
    QFETCH(Call, button);
    QFETCH(int, key);

    // Numbers everywhere, so that every call passes its checks and is delivered.
    for (auto* field : m_window->findChildren<QLineEdit*>())
        field->setText(QStringLiteral("1"));
    activateWindow();
    m_driver->button(button)->setFocus(Qt::TabFocusReason);
    const QString untouched = QStringLiteral("(nothing delivered)");
    QGuiApplication::clipboard()->setText(untouched);

    MessageBoxAnswerer answerer;
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
    QVERIFY(answerer.seen().isEmpty());
    QVERIFY(QGuiApplication::clipboard()->text() != untouched);
}

void TestAccessibility::testMenuAccessKey_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QChar>("accessKey");

    QTest::newRow("File") << "File" << QChar(u'ф');
    QTest::newRow("Options") << "Options" << QChar(u'п');
    QTest::newRow("Simulator") << "Simulator" << QChar(u'м');
    QTest::newRow("Help") << "Help" << QChar(u'с');
}

void TestAccessibility::testMenuAccessKey()
{
    QFETCH(QString, menu);
    QFETCH(QChar, accessKey);

    auto* popup = m_driver->find<QMenu>(menu);
    QVERIFY(popup);
    activateWindow();
    m_driver->control(Field::Callsign)->setFocus();
    pressKey(QApplication::focusWidget(), accessKey, Qt::AltModifier);
    QTRY_VERIFY(popup->isVisible());
    QCOMPARE(QApplication::activePopupWidget(), popup);
    QTest::keyClick(popup, Qt::Key_Escape);
    QTRY_VERIFY(!popup->isVisible());
}

void TestAccessibility::testExitByAccessKeys()
{
    auto* file = m_driver->find<QMenu>(QStringLiteral("File"));
    activateWindow();
    m_driver->control(Field::Callsign)->setFocus();
    pressKey(QApplication::focusWidget(), u'ф', Qt::AltModifier);
    QTRY_VERIFY(file->isVisible());
    pressKey(file, u'в', Qt::NoModifier);
    QTRY_VERIFY(!m_window->isVisible());
}

QTEST_MAIN(TestAccessibility)
#include "TestAccessibility.moc"
