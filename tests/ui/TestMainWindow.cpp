// SPDX-License-Identifier: GPL-3.0-or-later
#include "EngineVoice.h"
#include "MainWindowTest.h"

#include <QAbstractItemView>
#include <QActionGroup>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QtTest/qtestspontaneevent.h>

#include "WrappingButton.h"

using Velaro::MainWindow;

class TestMainWindow : public MainWindowTest
{
    Q_OBJECT

private slots:
    void testField_data();
    void testField();
    void testButton_data();
    void testButton();
    void testInitialState();
    void testMenus_data();
    void testMenus();
    void testDirectionList();
    void testTabOrder();
    void testCaptionsFit();
    void testGroundCall_data();
    void testGroundCall();
    void testDirectionPick_data();
    void testDirectionPick();
    void testTypedDirectionIsNotCompleted();
    void testSecondCallReplacesFirst();
};

void TestMainWindow::testField_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("geometry");

    const auto row = [](const char* name, const char* field, const char* label, const char* caption,
                        QRect geometry) {
        QTest::newRow(name) << field << label << QString::fromUtf8(caption) << geometry;
    };
    row("callsign", "Text1", "Label1", "Позывн.", {8, 24, 49, 19});
    row("aerodrome", "Text2", "Label2", "АПТ/ FIR", {64, 24, 41, 19});
    row("runway", "Text3_6", "Label9_0", "ВПП", {112, 24, 41, 19});
    row("taxiway", "Text3_0", "Label9_1", "РД", {160, 24, 33, 19});
    row("stand", "Text3_2", "Label5_0", "Стоянка", {8, 64, 41, 19});
    row("direction", "Combo1", "Label6", "Напр. буксировки", {64, 64, 81, 21});
    row("taxi route", "Text3_5", "Label8", "Маршрут руления", {160, 64, 121, 19});
    row("departure procedure", "Text3_7", "Label10", "Схема выхода", {88, 128, 49, 19});
    row("initial level", "Text3_8", "Label11", "Начальн. эшелон", {240, 128, 41, 19});
    row("current point", "Text3_9", "Label12", "ПОД тек.", {96, 216, 57, 19});
    row("next point", "Text3_4", "Label7", "ПОД след", {160, 216, 57, 19});
    row("estimated time", "Text3_1", "Label15_1", "Расч. вр.", {224, 216, 57, 19});
    row("current level", "Text3_10", "Label13", "Эшелон тек.", {120, 256, 49, 19});
    row("next level", "Text3_11", "Label14", "Эшелон след.", {200, 256, 49, 19});
    row("approach procedure", "Text3_15", "Label18", "Схема подхода", {144, 288, 57, 19});
    row("course", "Text3_3", "Label4", "Курс", {96, 328, 41, 19});
    row("pattern leg time", "Text3_12", "Label15_0", "Дл. круга", {152, 328, 49, 19});
}

void TestMainWindow::testField()
{
    QFETCH(QString, field);
    QFETCH(QString, label);
    QFETCH(QString, caption);
    QFETCH(QRect, geometry);

    auto* control = m_driver->find(field);
    auto* labelWidget = m_driver->find<QLabel>(label);
    QVERIFY(control);
    QVERIFY(labelWidget);
    QCOMPARE(labelWidget->text(), caption);
    QCOMPARE(labelWidget->buddy(), control);
    QCOMPARE(control->geometry(), geometry);
    // Labels sit above their field, or to its left for the procedure and level rows.
    QVERIFY(labelWidget->geometry().bottom() <= control->geometry().top() + 4 ||
            labelWidget->geometry().right() <= control->geometry().left());
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        QVERIFY(edit->text().isEmpty());
}

void TestMainWindow::testButton_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("caption");

    const auto row = [](const char* name, const char* button, const char* caption) {
        QTest::newRow(name) << button << QString::fromUtf8(caption);
    };
    row("pushback", "Command1", "Буксировка");
    row("start-up", "Command2", "Запуск");
    row("taxi", "Command3_0", "Руление");
    row("runway vacated", "Command16_1", "Осв. ВПП");
    row("lining up", "Command4", "Занятие исполнит.");
    row("take-off", "Command5", "Взлет");
    row("after take-off", "Command6", "После взлета");
    row("reporting point", "Command7", "Наб./ Сниж/ПОД");
    row("level change", "Command9", "Смена эшелона");
    row("approach descent", "Command10", "Снижение");
    row("holding", "Command8", "З. О.");
    row("crosswind", "Command11", "на 1-м");
    row("base", "Command12", "на 3-м");
    row("turning final", "Command13", "на 4-м");
    row("final", "Command14", "Глисс.");
    row("go-around", "Command15", "Уход");
}

void TestMainWindow::testButton()
{
    QFETCH(QString, button);
    QFETCH(QString, caption);

    auto* widget = m_driver->find<QPushButton>(button);
    QVERIFY(widget);
    QCOMPARE(widget->text(), caption);
}

void TestMainWindow::testInitialState()
{
    QCOMPARE(m_window->objectName(), QStringLiteral("Form1"));
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Генератор сообщений VELARO"));
    QCOMPARE(m_window->centralWidget()->size(), QSize(290, 397));
    QCOMPARE(m_window->minimumSize(), m_window->maximumSize());

    const QList<std::pair<const char*, const char*>> options{{"Option1_0", "Лев."},
                                                             {"Option1_1", "Прав."},
                                                             {"Option1_2", "Взлет"},
                                                             {"Option1_3", "Посадка"}};
    for (const auto& [name, caption] : options) {
        auto* option = m_driver->find<QRadioButton>(QLatin1String(name));
        QVERIFY2(option, name);
        QCOMPARE(option->text(), QString::fromUtf8(caption));
    }
    QVERIFY(m_driver->find<QRadioButton>("Option1_0")->isChecked());
    QVERIFY(m_driver->find<QRadioButton>("Option1_2")->isChecked());
    QVERIFY(!m_driver->find<QRadioButton>("Option1_1")->isChecked());
    QVERIFY(!m_driver->find<QRadioButton>("Option1_3")->isChecked());

    auto* frame = m_driver->find<QGroupBox>("Frame1");
    QVERIFY(frame);
    QCOMPARE(frame->title(), QStringLiteral("Круг"));
    QCOMPARE(m_driver->find("Option1_0")->parentWidget(), frame);
    QCOMPARE(m_driver->find("Option1_1")->parentWidget(), frame);

    for (const char* line : {"Line1_0", "Line1_1", "Line1_2"})
        QVERIFY2(m_driver->find(QLatin1String(line)), line);
}

void TestMainWindow::testMenus_data()
{
    // The Qt engine the window speaks with; none for a voice that only records, "never
    // ready" for one that never gets ready.
    QTest::addColumn<QString>("engine");
    // Where the sound server listens.
    QTest::addColumn<QByteArray>("soundServer");
    // Why the speech commands cannot run; none where they can.
    QTest::addColumn<QString>("missing");

    QTest::newRow("speech at hand") << QString() << QByteArray() << QString();
    QTest::newRow("voice still being prepared")
        << "never ready" << QByteArray() << "Голос ещё готовится";
    QTest::newRow("no speech engine") << "no-such-engine" << QByteArray("tcp:localhost")
                                      << "Нет синтезатора речи: установите пакеты "
                                         "speech-dispatcher, speech-dispatcher-espeak-ng и "
                                         "qt6-speech-speechd-plugin";
    QTest::newRow("no sound server")
        << "speechd" << QByteArray("unix:/nonexistent")
        << "Нет звукового устройства: нужен звуковой сервер, пакет pipewire-pulse или pulseaudio";
}

void TestMainWindow::testMenus()
{
    QFETCH(QString, engine);
    QFETCH(QByteArray, soundServer);
    QFETCH(QString, missing);
    if (engine == QLatin1String("never ready")) {
        openWindow([this] { return std::make_unique<RecordingVoice>(m_said, std::nullopt); });
    } else if (!engine.isEmpty()) {
        qputenv("PULSE_SERVER", soundServer);
        openWindow([engine] { return Velaro::engineVoice(engine); });
    }
    const QList<std::pair<const char*, const char*>> menus{{"File", "&Файл"},
                                                           {"Options", "&Параметры"},
                                                           {"Simulator", "Си&мулятор"},
                                                           {"Help", "&Справка"}};
    for (const auto& [name, title] : menus) {
        auto* menu = m_driver->find<QMenu>(QLatin1String(name));
        QVERIFY2(menu, name);
        QCOMPARE(menu->title(), QString::fromUtf8(title));
    }
    const QList<std::pair<const char*, const char*>> items{
        {"Exit", "&Выход"},           {"metric", "Метрическая"},
        {"Imperial", "Английская"},   {"SayCalls", "Произносить вызовы"},
        {"FlightGear", "FlightGear"}, {"FlightGearState", "Связь выключена"},
        {"About", "О программе"}};
    for (const auto& [name, text] : items) {
        auto* action = m_window->findChild<QAction*>(QLatin1String(name));
        QVERIFY2(action, name);
        QCOMPARE(action->text(), QString::fromUtf8(text));
    }
    // The link's state is shown in the menu, not a command.
    QVERIFY(!m_window->findChild<QAction*>("FlightGearState")->isEnabled());
    auto* metric = m_window->findChild<QAction*>("metric");
    auto* imperial = m_window->findChild<QAction*>("Imperial");
    QVERIFY(metric->isChecked());
    QVERIFY(!imperial->isChecked());
    // Qt draws radio dots for the items of an exclusive group; the units show check marks.
    for (const QAction* unit : {metric, imperial})
        QVERIFY(!unit->actionGroup() || !unit->actionGroup()->isExclusive());

    auto* sayCalls = m_window->findChild<QAction*>("SayCalls");
    const QList<QAction*> options = m_driver->find<QMenu>("Options")->actions();
    QCOMPARE(options.size(), 4);
    QCOMPARE(options.mid(0, 2), QList<QAction*>({metric, imperial}));
    QVERIFY(options[2]->isSeparator());
    QCOMPARE(options[3], sayCalls);
    QVERIFY(sayCalls->isCheckable());
    QVERIFY(!sayCalls->isChecked());
    QContextMenuEvent request(QContextMenuEvent::Mouse, {}, {});
    QApplication::sendEvent(m_driver->button(Call::TakeOff), &request);
    auto* contextMenu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QVERIFY(contextMenu);
    for (const QMenu* menu : {contextMenu, m_driver->find<QMenu>("Options")})
        QVERIFY(menu->toolTipsVisible());
    // The engine's answer comes from its own thread.
    for (const QAction* command : {sayCalls, contextMenu->actions().constFirst()}) {
        QTRY_COMPARE(command->toolTip(), missing.isEmpty() ? command->text() : missing);
        QCOMPARE(command->isEnabled(), missing.isEmpty());
    }
    contextMenu->close();
    // Ticked as --say ticks it at start, the item says a call only once the voice is ready.
    sayCalls->setChecked(true);
    m_driver->click(Call::TakeOff);
    QCoreApplication::processEvents();
    QCOMPARE(m_said.isEmpty(), !engine.isEmpty());
}

void TestMainWindow::testDirectionList()
{
    auto* list = m_driver->find<QComboBox>("Combo1");
    QVERIFY(list);
    QVERIFY(list->isEditable());
    QCOMPARE(list->currentIndex(), -1);
    QCOMPARE(list->currentText(), QString());
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->itemText(i);
    QCOMPARE(items, QStringList({"south", "north", "east", "west", "south-east", "south-west",
                                 "north-east", "north-west"}));

    // Typed text is never added to the list.
    m_driver->type(PushbackDirection, "b3");
    QTest::keyClick(list->lineEdit(), Qt::Key_Return);
    QCOMPARE(list->count(), 8);
}

void TestMainWindow::testTabOrder()
{
    const QStringList expected{
        "Text1",     "Text2",     "Text3_6",   "Text3_0",  "Option1_2",  "Option1_3",   "Text3_2",
        "Combo1",    "Text3_5",   "Command1",  "Command2", "Command3_0", "Command16_1", "Text3_7",
        "Text3_8",   "Command4",  "Command5",  "Command6", "Text3_9",    "Text3_4",     "Text3_1",
        "Text3_10",  "Text3_11",  "Command7",  "Command9", "Text3_15",   "Command10",   "Text3_3",
        "Text3_12",  "Option1_0", "Option1_1", "Command8", "Command11",  "Command12",   "Command13",
        "Command14", "Command15"};
    QWidget* start = m_driver->find(expected.first());
    QStringList visited;
    QWidget* widget = start;
    do {
        if (expected.contains(widget->objectName()))
            visited << widget->objectName();
        widget = widget->nextInFocusChain();
    } while (widget != start && visited.size() < expected.size());
    QCOMPARE(visited, expected);
}

void TestMainWindow::testCaptionsFit()
{
    for (auto* label : m_window->findChildren<QLabel*>())
        QVERIFY2(textFits(label), qPrintable(label->objectName()));
    for (auto* button : m_window->findChildren<Velaro::WrappingButton*>()) {
        const QRect area = button->captionRect();
        const QRect needed =
            QFontMetrics(button->font())
                .boundingRect(area, Qt::AlignCenter | Qt::TextWordWrap, button->text());
        QVERIFY2(area.contains(needed), qPrintable(button->objectName()));
    }
    for (auto* option : m_window->findChildren<QRadioButton*>()) {
        QStyleOptionButton style;
        style.initFrom(option);
        style.text = option->text();
        const QRect area =
            option->style()->subElementRect(QStyle::SE_RadioButtonContents, &style, option);
        QVERIFY2(QFontMetrics(option->font()).horizontalAdvance(option->text()) <= area.width(),
                 qPrintable(option->objectName()));
    }
    for (auto* field : m_window->findChildren<QLineEdit*>())
        QVERIFY2(field->minimumSizeHint().height() <= field->height() + 2,
                 qPrintable(field->objectName()));
}

void TestMainWindow::testGroundCall_data()
{
    QTest::addColumn<Call>("button");
    QTest::addColumn<bool>("arrival");
    QTest::addColumn<QString>("expected");

    QTest::newRow("pushback, departure")
        << Call::Pushback << false
        << "ULLP traffic, RA-12345, pushing back to starting point  from stand 12, ULLP traffic";
    QTest::newRow("pushback, arrival")
        << Call::Pushback << true
        << "ULLP traffic, RA-12345, pushing back to starting point  from stand 12, ULLP traffic";
    QTest::newRow("start-up")
        << Call::StartUpOrShutdown << false
        << "ULLP traffic, RA-12345, engines start up on stand 12, ULLP traffic";
    QTest::newRow("shutdown")
        << Call::StartUpOrShutdown << true
        << "ULLP traffic, RA-12345, on stand 12, engines shutdown, ULLP traffic";
    QTest::newRow("taxi out")
        << Call::Taxi << false
        << "ULLP traffic, RA-12345, taxiing via A C to holding point RWY28L, ULLP traffic";
    QTest::newRow("taxi in") << Call::Taxi << true
                             << "ULLP traffic, RA-12345, taxiing on stand 12 via A C, ULLP traffic";
    QTest::newRow("runway vacated, departure")
        << Call::RunwayVacated << false
        << "ULLP traffic, RA-12345, RWY28L vacated on TWYB2, ULLP traffic";
    QTest::newRow("runway vacated, arrival")
        << Call::RunwayVacated << true
        << "ULLP traffic, RA-12345, RWY28L vacated on TWYB2, ULLP traffic";
}

void TestMainWindow::testGroundCall()
{
    QFETCH(Call, button);
    QFETCH(bool, arrival);
    QFETCH(QString, expected);

    m_driver->type(exampleFlight());
    if (arrival)
        m_driver->choose({Option::Arrival});
    QCOMPARE(m_driver->press(button), expected);
}

void TestMainWindow::testDirectionPick_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("direction");

    QTest::newRow("first entry from the open list")
        << QStringList{"open list", "Return"} << "face south";
    QTest::newRow("entry from the open list, by mouse")
        << QStringList{"click entry 3"} << "face west";
    QTest::newRow("arrow keys on the closed list") << QStringList{"Down", "Down"} << "face north";
    QTest::newRow("picked, then typed over")
        << QStringList{"Down", "Down", "type b3"} << "to starting point b3";
    QTest::newRow("picked, then the same entry typed")
        << QStringList{"click entry 3", "type west", "Tab"} << "to starting point west";
    QTest::newRow("typed entry") << QStringList{"type north"} << "to starting point north";
    QTest::newRow("typed entry, focus left")
        << QStringList{"type north", "Tab"} << "to starting point north";
    QTest::newRow("typed entry, Return")
        << QStringList{"type north", "Return"} << "to starting point north";
    QTest::newRow("wheel over the unfocused list")
        << QStringList{"click entry 3", "Tab", "wheel"} << "face west";
    QTest::newRow("wheel over the focused list") << QStringList{"type b3", "wheel"} << "face south";
}

void TestMainWindow::testDirectionPick()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, direction);

    m_driver->type(exampleFlight());
    QComboBox* list = m_driver->directionList();
    activateWindow();
    list->setFocus();
    for (const QString& step : steps) {
        QWidget* focus = QApplication::focusWidget();
        if (step == QLatin1String("open list")) {
            QTest::keyClick(focus, Qt::Key_Down, Qt::AltModifier);
            QTRY_VERIFY(list->view()->isVisible());
        } else if (step.startsWith(QLatin1String("click entry "))) {
            list->showPopup();
            QTRY_VERIFY(list->view()->isVisible());
            const QModelIndex entry = list->model()->index(step.back().digitValue(), 0);
            const QPoint centre = list->view()->visualRect(entry).center();
            QTest::mouseClick(list->view()->viewport(), Qt::LeftButton, {}, centre);
        } else if (step.startsWith(QLatin1String("type "))) {
            m_driver->type(PushbackDirection, step.mid(5));
        } else if (step == QLatin1String("wheel")) {
            // As from the window system, which may first give the list the focus.
            QWheelEvent notch(QPointF(5, 5), list->mapToGlobal(QPointF(5, 5)), {}, {0, -120},
                              Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QSpontaneKeyEvent::setSpontaneous(&notch);
            QApplication::sendEvent(list, &notch);
        } else {
            QTest::keyClick(list->view()->isVisible() ? list->view() : focus,
                            step == QLatin1String("Tab")      ? Qt::Key_Tab
                            : step == QLatin1String("Return") ? Qt::Key_Return
                                                              : Qt::Key_Down);
        }
    }
    QTRY_VERIFY(!list->view()->isVisible());
    QCOMPARE(m_driver->press(Call::Pushback),
             QStringLiteral("ULLP traffic, RA-12345, pushing back %1 from stand 12, ULLP traffic")
                 .arg(direction));
}

void TestMainWindow::testTypedDirectionIsNotCompleted()
{
    m_driver->type(exampleFlight());
    m_driver->type(PushbackDirection, "s");
    QCOMPARE(m_driver->press(Call::Pushback),
             QStringLiteral("ULLP traffic, RA-12345, pushing back to starting point s from stand "
                            "12, ULLP traffic"));
}

void TestMainWindow::testSecondCallReplacesFirst()
{
    m_driver->type(exampleFlight());
    m_driver->press(Call::StartUpOrShutdown);
    QCOMPARE(m_driver->press(Call::RunwayVacated),
             QStringLiteral("ULLP traffic, RA-12345, RWY28L vacated on TWYB2, ULLP traffic"));
}

QTEST_MAIN(TestMainWindow)
#include "TestMainWindow.moc"
