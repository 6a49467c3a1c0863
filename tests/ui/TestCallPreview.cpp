// SPDX-License-Identifier: GPL-3.0-or-later
#include "CallPreview.h"
#include "FormLayout.h"
#include "MainWindowTest.h"

#include <QAccessible>
#include <QTextDocument>

using Velaro::CallPreview;
using Mark = CallPreview::Mark;

// Every call button previews what its press would deliver and marks the fields it reads.
class TestCallPreview : public MainWindowTest
{
    Q_OBJECT

private slots:
    void testPreview_data();
    void testPreview();
};

void TestCallPreview::testPreview_data()
{
    QTest::addColumn<Edits>("edits");
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QString>("marked");
    QTest::addColumn<bool>("hovered");
    QTest::addColumn<QStringList>("read");
    QTest::addColumn<QStringList>("empty");

    const Edits example{{"Text2", "ullp"},      {"Text1", "ra-12345"},    {"Text3_6", "28L"},
                        {"Text3_0", "B2"},      {"Text3_2", "12"},        {"Text3_5", "A C"},
                        {"Text3_7", "KILO 1A"}, {"Text3_8", "900"},       {"Text3_9", "ODIMO"},
                        {"Text3_4", "RATOS"},   {"Text3_1", "35"},        {"Text3_10", "3000"},
                        {"Text3_11", "3600"},   {"Text3_15", "ODIMO 2K"}, {"Text3_3", "095"},
                        {"Text3_12", "1"}};
    const QStringList framed{"Text1", "Text2"};

    QTest::newRow("worked example, taxi out reads no stand")
        << example << QStringList{"south"} << "Command3_0" << true
        << framed + QStringList{"Text3_5", "Text3_6"} << QStringList{};
    QTest::newRow("empty form") << Edits{} << QStringList{} << "Command16_1" << false
                                << QStringList{}
                                << QStringList{"Text1", "Text2", "Text3_6", "Text3_0"};
    QTest::newRow("arrival mode, taxi in reads no runway")
        << example << QStringList{"Option1_3", "Option1_1"} << "Command3_0" << true
        << framed + QStringList{"Text3_2", "Text3_5"} << QStringList{};
    QTest::newRow("imperial units, pushback reads the list")
        << example + Edits{{"Text3_10", "290"}, {"Text3_11", "350"}} << QStringList{"Imperial"}
        << "Command1" << false << framed + QStringList{"Text3_2"} << QStringList{"Combo1"};
    QTest::newRow("levels not numbers, the descent warns and delivers")
        << example + Edits{{"Text3_11", "abc"}} << QStringList{} << "Command10" << true
        << framed + QStringList{"Text3_9", "Text3_10", "Text3_11", "Text3_15", "Text3_6"}
        << QStringList{};
    QTest::newRow("course not a number, holding stops before the frame")
        << example + Edits{{"Text3_3", "o95"}} << QStringList{} << "Command8" << false
        << QStringList{"Text3_10", "Text3_3"} << QStringList{};
    QTest::newRow("reporting point without an estimated time, which leaves no gap")
        << example + Edits{{"Text3_1", ""}} << QStringList{} << "Command7" << true
        << framed + QStringList{"Text3_9", "Text3_10", "Text3_11", "Text3_4", "Text3_1"}
        << QStringList{};
    QTest::newRow("markup typed into fields")
        << Edits{{"Text2", "<b>ullp"}, {"Combo1", "<i>"}} << QStringList{} << "Command5" << true
        << QStringList{"Text2"} << QStringList{"Text1", "Text3_6"};
}

void TestCallPreview::testPreview()
{
    QFETCH(Edits, edits);
    QFETCH(QStringList, clicks);
    QFETCH(QString, marked);
    QFETCH(bool, hovered);
    QFETCH(QStringList, read);
    QFETCH(QStringList, empty);
    m_driver->type(edits);
    for (const QString& name : clicks) {
        if (name == QLatin1String("south")) {
            // Picked as a pilot does, with a step down the closed list.
            auto* list = m_driver->find<QComboBox>("Combo1");
            list->setFocus();
            QTest::keyClick(list, Qt::Key_Down);
        } else {
            m_driver->choose({name});
        }
    }
    auto description = [this](const QString& name) {
        return QAccessible::queryAccessibleInterface(m_driver->find(name))
            ->text(QAccessible::Description);
    };

    const QString untouched = QStringLiteral("(nothing delivered)");
    QGuiApplication::clipboard()->setText(untouched);
    const Velaro::FormValues before = m_window->formValues();
    const QPalette form = m_window->centralWidget()->palette();
    activateWindow();
    if (hovered)
        QTest::mouseMove(m_driver->find(marked));
    else
        m_driver->find(marked)->setFocus(Qt::TabFocusReason);
    QStringList emptyCaptions;
    for (const auto& entry : Velaro::FormLayout::Fields) {
        const QString name = entry.objectName;
        const Mark mark = empty.contains(name)  ? Mark::Empty
                          : read.contains(name) ? Mark::Read
                                                : Mark::None;
        QCOMPARE(m_driver->find(name)->palette().base().color(), CallPreview::tint(mark, form));
        QCOMPARE(m_driver->find(name)->geometry(), entry.field.toPixels());
        if (mark == Mark::Empty)
            emptyCaptions << QString::fromUtf8(entry.caption);
    }
    const QString lastNote = description(marked).split('\n').constLast();
    QCOMPARE(lastNote.startsWith("Пустые поля: ") ? lastNote : QString(),
             emptyCaptions.isEmpty() ? QString() : "Пустые поля: " + emptyCaptions.join(", "));
    if (hovered)
        QTest::mouseMove(m_driver->find("Label1"));
    else
        m_driver->find("Text3_12")->setFocus(Qt::TabFocusReason);
    for (const auto& entry : Velaro::FormLayout::Fields)
        QCOMPARE(m_driver->find(entry.objectName)->palette().base().color(), form.base().color());
    QCOMPARE(QSet<QRgb>({CallPreview::tint(Mark::Read, form).rgb(),
                         CallPreview::tint(Mark::Empty, form).rgb(), form.base().color().rgb()})
                 .size(),
             3);
    const Velaro::FormValues after = m_window->formValues();
    for (const auto& entry : Velaro::FormLayout::Fields) {
        if (entry.role)
            QCOMPARE(after.text(*entry.role), before.text(*entry.role));
    }
    QCOMPARE(QGuiApplication::clipboard()->text(), untouched);

    // Pressing every button in turn also walks the reporting points forward: the
    // buttons after Command7 must show the advanced points.
    for (const auto& entry : Velaro::FormLayout::Buttons) {
        auto* button = m_driver->find<QAbstractButton>(entry.objectName);
        const QString preview = description(entry.objectName);
        QTextDocument toolTip;
        toolTip.setHtml(button->toolTip());
        const QString shownTip =
            Qt::mightBeRichText(button->toolTip()) ? toolTip.toPlainText() : button->toolTip();
        QCOMPARE(QAccessible::queryAccessibleInterface(button)->text(QAccessible::Name),
                 button->text());
        const Velaro::FormValues pressed = m_window->formValues();
        MessageBoxAnswerer answerer;
        const QString delivered = m_driver->press(entry.objectName);
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

QTEST_MAIN(TestCallPreview)
#include "TestCallPreview.moc"
