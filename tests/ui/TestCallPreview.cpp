// SPDX-License-Identifier: GPL-3.0-or-later
#include "CallPreview.h"
#include "FormLayout.h"
#include "MainWindowTest.h"

#include <QAccessible>
#include <QMenu>
#include <QTextDocument>

using Velaro::CallPreview;
using Mark = CallPreview::Mark;
Q_DECLARE_METATYPE(Mark)

// Every call button previews what its press would deliver and marks the fields it reads.
class TestCallPreview : public MainWindowTest
{
    Q_OBJECT

public:
    // How the button whose marks are shown is singled out.
    enum class Pointer { Hover, Focus, HoverWhileAnotherFocused };
    Q_ENUM(Pointer)

private slots:
    void testPreview_data();
    void testPreview();
    void testTint_data();
    void testTint();

private:
    QList<QString> texts() const
    {
        QList<QString> texts;
        for (const Input input : allInputs())
            texts << m_driver->text(input);
        return texts;
    }
};

void TestCallPreview::testPreview_data()
{
    QTest::addColumn<Edits>("edits");
    QTest::addColumn<Choices>("clicks");
    // Steps down the closed direction list, as a pilot picks an entry.
    QTest::addColumn<int>("directionSteps");
    QTest::addColumn<Call>("marked");
    QTest::addColumn<Pointer>("pointer");
    QTest::addColumn<Inputs>("read");
    QTest::addColumn<Inputs>("empty");
    // The marked button's call said aloud, as its preview's second line gives it.
    QTest::addColumn<QString>("said");

    const Edits example = exampleFlight();
    const Inputs framed{Field::Callsign, Field::Aerodrome};
    const QString aloud = "Uniform Lima Lima Papa traffic, Romeo Alfa one two three four five, %1, "
                          "Uniform Lima Lima Papa traffic";

    QTest::newRow("worked example, taxi out reads no stand")
        << example << Choices{} << 1 << Call::Taxi << Pointer::Hover
        << framed + Inputs{Field::TaxiRoute, Field::Runway} << Inputs{}
        << aloud.arg("taxiing via Alfa Charlie to holding point runway two eight left");
    QTest::newRow("empty form") << Edits{} << Choices{} << 0 << Call::RunwayVacated
                                << Pointer::Focus << Inputs{}
                                << Inputs{Field::Callsign, Field::Aerodrome, Field::Runway,
                                          Field::Taxiway}
                                << QString("traffic, runway vacated on taxiway, traffic");
    QTest::newRow("arrival mode, taxi in reads no runway")
        << example << Choices{Option::Arrival, Option::RightPattern} << 0 << Call::Taxi
        << Pointer::Hover << framed + Inputs{Field::Stand, Field::TaxiRoute} << Inputs{}
        << aloud.arg("taxiing on stand one two via Alfa Charlie");
    QTest::newRow("imperial units, pushback reads the list")
        << example + Edits{{Field::CurrentLevel, "290"}, {Field::NextLevel, "350"}}
        << Choices{MenuCommand::Imperial} << 0 << Call::Pushback << Pointer::Focus
        << framed + Inputs{Field::Stand} << Inputs{PushbackDirection}
        << aloud.arg("pushing back to starting point from stand one two");
    QTest::newRow("a line break pasted into the list, pushback follows")
        << example + Edits{{PushbackDirection, "a\nb"}} << Choices{} << 0 << Call::Pushback
        << Pointer::Hover << framed + Inputs{Field::Stand, PushbackDirection} << Inputs{}
        << aloud.arg("pushing back to starting point Alfa Bravo from stand one two");
    QTest::newRow("levels not numbers, the descent warns and delivers")
        << example + Edits{{Field::NextLevel, "abc"}} << Choices{} << 0 << Call::ApproachDescent
        << Pointer::Hover
        << framed + Inputs{Field::CurrentPoint, Field::CurrentLevel, Field::NextLevel,
                           Field::ApproachProcedure, Field::Runway}
        << Inputs{}
        << aloud.arg("ODIMO three thousand metres, proceeding on ODIMO two Kilo for runway two "
                     "eight left approach, descending Alfa Bravo Charlie metres");
    QTest::newRow("course not a number, holding stops before the frame")
        << example + Edits{{Field::Course, "o95"}} << Choices{} << 0 << Call::Holding
        << Pointer::Focus << Inputs{Field::CurrentLevel, Field::Course} << Inputs{} << QString();
    QTest::newRow("hovered while another button has the focus")
        << example << Choices{} << 0 << Call::LiningUp << Pointer::HoverWhileAnotherFocused
        << framed + Inputs{Field::Runway, Field::DepartureProcedure, Field::InitialLevel}
        << Inputs{}
        << aloud.arg("lining up runway two eight left for KILO one Alfa departure, initial climb "
                     "niner hundred metres");
    QTest::newRow("reporting point without an estimated time, which leaves no gap")
        << example + Edits{{Field::EstimatedTime, ""}} << Choices{} << 0 << Call::ReportingPoint
        << Pointer::Hover
        << framed + Inputs{Field::CurrentPoint, Field::CurrentLevel, Field::NextLevel,
                           Field::NextPoint, Field::EstimatedTime}
        << Inputs{}
        << aloud.arg("ODIMO three thousand metres, climbing three thousand six hundred metres, "
                     "direct to RATOS");
    QTest::newRow("markup typed into fields")
        << Edits{{Field::Aerodrome, "<b>ullp"}, {PushbackDirection, "<i>"}} << Choices{} << 0
        << Call::TakeOff << Pointer::Hover << Inputs{Field::Aerodrome}
        << Inputs{Field::Callsign, Field::Runway}
        << QString("<B>ULLP traffic, departing runway, <B>ULLP traffic");
}

void TestCallPreview::testPreview()
{
    QFETCH(Edits, edits);
    QFETCH(Choices, clicks);
    QFETCH(int, directionSteps);
    QFETCH(Call, marked);
    QFETCH(Pointer, pointer);
    QFETCH(Inputs, read);
    QFETCH(Inputs, empty);
    QFETCH(QString, said);
    m_driver->type(edits);
    m_driver->choose(clicks);
    m_driver->directionList()->setFocus();
    for (int step = 0; step < directionSteps; ++step)
        QTest::keyClick(m_driver->directionList(), Qt::Key_Down);
    auto description = [this](Call call) {
        return QAccessible::queryAccessibleInterface(m_driver->button(call))
            ->text(QAccessible::Description);
    };

    const QString untouched = QStringLiteral("(nothing delivered)");
    QGuiApplication::clipboard()->setText(untouched);
    const QList<QString> before = texts();
    const QPalette form = m_window->centralWidget()->palette();
    activateWindow();
    if (pointer == Pointer::HoverWhileAnotherFocused)
        m_driver->button(Call::GoAround)->setFocus(Qt::TabFocusReason);
    if (pointer == Pointer::Focus)
        m_driver->button(marked)->setFocus(Qt::TabFocusReason);
    else
        QTest::mouseMove(m_driver->button(marked));
    QStringList emptyCaptions;
    for (const auto& entry : Velaro::FormLayout::Fields) {
        const Mark mark = empty.contains(entry.role)  ? Mark::Empty
                          : read.contains(entry.role) ? Mark::Read
                                                      : Mark::None;
        QWidget* control = m_driver->control(entry.role);
        QCOMPARE(control->palette().base().color(), CallPreview::tint(mark, form));
        QCOMPARE(control->geometry(), entry.field.toPixels());
        if (mark == Mark::Empty)
            emptyCaptions << QString::fromUtf8(entry.caption);
    }
    const QString lastNote = description(marked).split('\n').constLast();
    QCOMPARE(lastNote.startsWith("Пустые поля: ") ? lastNote : QString(),
             emptyCaptions.isEmpty() ? QString() : "Пустые поля: " + emptyCaptions.join(", "));
    QCOMPARE(description(marked).split('\n').value(1), said.isEmpty() ? said : "Вслух: " + said);
    QTest::mouseMove(m_window->centralWidget(), QPoint(1, 1));
    m_driver->control(Field::PatternLegTime)->setFocus(Qt::TabFocusReason);
    for (const Input input : allInputs())
        QCOMPARE(m_driver->control(input)->palette().base().color(), form.base().color());
    QCOMPARE(QSet<QRgb>({CallPreview::tint(Mark::Read, form).rgb(),
                         CallPreview::tint(Mark::Empty, form).rgb(), form.base().color().rgb()})
                 .size(),
             3);
    QCOMPARE(texts(), before);
    QCOMPARE(QGuiApplication::clipboard()->text(), untouched);

    // Pressing every button in turn also walks the reporting points forward: the
    // buttons after the report at a reporting point must show the advanced points.
    for (const auto& entry : Velaro::FormLayout::Buttons) {
        auto* button = m_driver->button(entry.call);
        const QString preview = description(entry.call);
        QTextDocument toolTip;
        toolTip.setHtml(button->toolTip());
        const QString shownTip =
            Qt::mightBeRichText(button->toolTip()) ? toolTip.toPlainText() : button->toolTip();
        QCOMPARE(QAccessible::queryAccessibleInterface(button)->text(QAccessible::Name),
                 button->text());

        // "Прослушать" in the button's context menu, from the mouse or the keyboard, says the
        // preview's spoken line, and neither delivers the call nor moves a field on.
        const QList<QString> unheard = texts();
        const QString clipboard = QGuiApplication::clipboard()->text();
        m_said.clear();
        const QPoint centre = button->rect().center();
        QContextMenuEvent request(entry.tabIndex % 2 ? QContextMenuEvent::Mouse
                                                     : QContextMenuEvent::Keyboard,
                                  centre, button->mapToGlobal(centre));
        QApplication::sendEvent(button, &request);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        QCOMPARE(menu->actions().constFirst()->text(), "Прослушать");
        QTest::keyClick(menu, Qt::Key_Down);
        QTest::keyClick(menu, Qt::Key_Return);
        const QString spoken = preview.section('\n', 1, 1);
        QCOMPARE(m_said, spoken.startsWith("Вслух: ") ? QStringList{spoken.mid(7)} : QStringList());
        QCOMPARE(texts(), unheard);
        QCOMPARE(QGuiApplication::clipboard()->text(), clipboard);

        const Velaro::FormValues pressed = m_window->formValues();
        MessageBoxAnswerer answerer;
        const QString delivered = m_driver->press(entry.call);
        const QString message =
            answerer.seen().isEmpty() ? QString() : answerer.seen().constFirst().text;

        QStringList notes = preview.split('\n');
        const QString call = notes.takeFirst();
        if (delivered == untouched) {
            QCOMPARE(call, "Ничего не будет скопировано: «" + message + "»");
        } else {
            QCOMPARE(call, delivered);
            QCOMPARE(notes.takeFirst(),
                     "Вслух: " + Velaro::speak(entry.call, pressed).value_or("(nothing said)"));
            if (!message.isEmpty())
                QCOMPARE(notes.takeFirst(), "Сначала появится сообщение «" + message + "»");
        }
        QVERIFY(notes.isEmpty() ||
                (notes.size() == 1 && notes.first().startsWith("Пустые поля: ")));
        QCOMPARE(shownTip, preview);
    }
}

void TestCallPreview::testTint_data()
{
    QTest::addColumn<Mark>("mark");
    QTest::addColumn<QColor>("expected");

    // On white, an empty field leans orange, a read one toward the blue highlight.
    QTest::newRow("not read") << Mark::None << QColor(255, 255, 255);
    QTest::newRow("read") << Mark::Read << QColor(204, 204, 255);
    QTest::newRow("read but empty") << Mark::Empty << QColor(255, 203, 140);
}

void TestCallPreview::testTint()
{
    QFETCH(Mark, mark);
    QFETCH(QColor, expected);

    QPalette palette;
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Highlight, Qt::blue);
    const QColor tint = CallPreview::tint(mark, palette);
    for (const auto channel : {&QColor::red, &QColor::green, &QColor::blue})
        QVERIFY2(qAbs((tint.*channel)() - (expected.*channel)()) <= 1,
                 qPrintable(tint.name() + " is not " + expected.name()));
}

QTEST_MAIN(TestCallPreview)
#include "TestCallPreview.moc"
