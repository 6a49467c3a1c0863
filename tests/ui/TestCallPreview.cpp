// SPDX-License-Identifier: GPL-3.0-or-later
#include "CallPreview.h"
#include "FormLayout.h"
#include "MainWindowTest.h"

#include <QAccessible>
#include <QAction>
#include <QTextDocument>

namespace FormLayout = Velaro::FormLayout;
using Mark = Velaro::CallPreview::Mark;

namespace
{

const QString Untouched = QStringLiteral("(nothing delivered)");

// The text a tooltip shows, whether Qt takes it as plain text or as markup.
QString shownText(const QString& toolTip)
{
    if (!Qt::mightBeRichText(toolTip))
        return toolTip;
    QTextDocument document;
    document.setHtml(toolTip);
    return document.toPlainText();
}

} // namespace

using Edits = QList<std::pair<QString, QString>>;
Q_DECLARE_METATYPE(Edits)

// Each call button shows what its press would deliver, and which fields feed it.
class TestCallPreview : public MainWindowTest
{
    Q_OBJECT

private slots:
    void testPreviewIsThePress_data();
    void testPreviewIsThePress();
    void testMarks_data();
    void testMarks();

private:
    void setUpForm(const Edits& edits, const QStringList& clicks) const;
};

void TestCallPreview::setUpForm(const Edits& edits, const QStringList& clicks) const
{
    for (const auto& [field, text] : edits)
        m_driver->type(field, text);
    for (const QString& name : clicks) {
        if (auto* action = m_window->findChild<QAction*>(name))
            action->trigger();
        else if (name == QLatin1String("north"))
            m_driver->find<QComboBox>("Combo1")->setCurrentIndex(1);
        else
            m_driver->click(name);
    }
}

void TestCallPreview::testPreviewIsThePress_data()
{
    QTest::addColumn<Edits>("edits");
    QTest::addColumn<QStringList>("clicks");

    const Edits example{{"Text2", "ullp"},      {"Text1", "ra-12345"},    {"Text3_6", "28L"},
                        {"Text3_0", "B2"},      {"Text3_2", "12"},        {"Text3_5", "A C"},
                        {"Text3_7", "KILO 1A"}, {"Text3_8", "900"},       {"Text3_9", "ODIMO"},
                        {"Text3_4", "RATOS"},   {"Text3_1", "35"},        {"Text3_10", "3000"},
                        {"Text3_11", "3600"},   {"Text3_15", "ODIMO 2K"}, {"Text3_3", "095"},
                        {"Text3_12", "1"}};
    auto with = [&example](const Edits& edits) {
        return example + edits;
    };

    QTest::newRow("worked example") << example << QStringList{"north"};
    QTest::newRow("empty form") << Edits{} << QStringList{};
    QTest::newRow("arrival mode") << example << QStringList{"Option1_3", "Option1_1"};
    QTest::newRow("imperial units")
        << with({{"Text3_10", "290"}, {"Text3_11", "350"}}) << QStringList{"Imperial"};
    QTest::newRow("levels not numbers, the descent warns and delivers")
        << with({{"Text3_11", "abc"}}) << QStringList{};
    QTest::newRow("course not a number") << with({{"Text3_3", "o95"}}) << QStringList{};
    QTest::newRow("markup typed into fields")
        << Edits{{"Text2", "<b>ullp"}, {"Combo1", "<i>"}} << QStringList{};
}

// Pressing every button in turn also walks the reporting points forward: the
// buttons after Command7 must show the advanced points.
void TestCallPreview::testPreviewIsThePress()
{
    QFETCH(Edits, edits);
    QFETCH(QStringList, clicks);
    setUpForm(edits, clicks);

    for (const auto& entry : FormLayout::Buttons) {
        auto* button = m_driver->find<QAbstractButton>(entry.objectName);
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(button);
        const QString description = accessible->text(QAccessible::Description);
        const QString toolTip = shownText(button->toolTip());
        const QString name = accessible->text(QAccessible::Name);
        const QString caption = button->text();
        MessageBoxAnswerer answerer;
        const QString delivered = m_driver->press(entry.objectName);
        const QString message =
            answerer.seen().isEmpty() ? QString() : answerer.seen().constFirst().text;

        const QStringList lines = description.split(QLatin1Char('\n'));
        QStringList notes = lines.mid(1);
        if (delivered == Untouched) {
            QVERIFY(!message.isEmpty());
            QCOMPARE(lines.first(), "Ничего не будет скопировано: «" + message + "»");
        } else {
            QCOMPARE(lines.first(), delivered);
            if (!message.isEmpty())
                QCOMPARE(notes.takeFirst(), "Сначала появится сообщение «" + message + "»");
        }
        for (const QString& note : notes)
            QVERIFY2(note.startsWith(QStringLiteral("Пустые поля: ")), qPrintable(note));
        QCOMPARE(toolTip, description);
        QCOMPARE(name, caption);
    }
}

void TestCallPreview::testMarks_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("byKeyboard");
    QTest::addColumn<Edits>("edits");
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QStringList>("read");
    QTest::addColumn<QStringList>("empty");
    QTest::addColumn<QString>("lastLine");

    const Edits frame{{"Text2", "ULLP"}, {"Text1", "RA-12345"}};
    const QStringList framed{"Text1", "Text2"};

    QTest::newRow("take-off with the runway empty, hovered")
        << "Command5" << false << frame << QStringList{} << framed << QStringList{"Text3_6"}
        << "Пустые поля: ВПП";
    QTest::newRow("runway vacated on an empty form, focused")
        << "Command16_1" << true << Edits{} << QStringList{} << QStringList{}
        << QStringList{"Text1", "Text2", "Text3_6", "Text3_0"}
        << "Пустые поля: Позывн., АПТ/ FIR, ВПП, РД";
    QTest::newRow("taxi out leaves the stand unread")
        << "Command3_0" << false << frame + Edits{{"Text3_2", "12"}, {"Text3_6", "28L"}}
        << QStringList{} << framed + QStringList{"Text3_6"} << QStringList{"Text3_5"}
        << "Пустые поля: Маршрут руления";
    QTest::newRow("taxi in reads the stand, not the runway")
        << "Command3_0" << true << frame + Edits{{"Text3_2", "12"}, {"Text3_6", "28L"}}
        << QStringList{"Option1_3"} << framed + QStringList{"Text3_2"} << QStringList{"Text3_5"}
        << "Пустые поля: Маршрут руления";
    QTest::newRow("pushback reads the direction list")
        << "Command1" << false << frame << QStringList{} << framed
        << QStringList{"Text3_2", "Combo1"} << "Пустые поля: Стоянка, Напр. буксировки";
    QTest::newRow("holding stops at the course before the frame")
        << "Command8" << true << frame + Edits{{"Text3_10", "1200"}, {"Text3_3", "o95"}}
        << QStringList{} << QStringList{"Text3_10", "Text3_3"} << QStringList{}
        << "Ничего не будет скопировано: «Курс должен быть задан числом»";
}

void TestCallPreview::testMarks()
{
    QFETCH(QString, button);
    QFETCH(bool, byKeyboard);
    QFETCH(Edits, edits);
    QFETCH(QStringList, clicks);
    QFETCH(QStringList, read);
    QFETCH(QStringList, empty);
    QFETCH(QString, lastLine);
    setUpForm(edits, clicks);
    QGuiApplication::clipboard()->setText(Untouched);
    auto* pressable = m_driver->find<QAbstractButton>(button);
    auto* away = m_driver->find<QLineEdit>("Text3_12");

    struct Look {
        QString text;
        QRect geometry;
        QColor base;
    };
    auto looks = [this] {
        QMap<QString, Look> looks;
        for (const auto& entry : FormLayout::Fields) {
            auto* input = m_driver->find(entry.objectName);
            const QString text = qobject_cast<QLineEdit*>(input)
                                     ? m_driver->text(entry.objectName)
                                     : m_driver->find<QComboBox>(entry.objectName)->currentText();
            looks.insert(entry.objectName,
                         {text, input->geometry(), input->palette().base().color()});
        }
        return looks;
    };
    const QMap<QString, Look> before = looks();
    const QPalette form = m_driver->find("Text1")->parentWidget()->palette();

    MessageBoxAnswerer answerer;
    if (byKeyboard) {
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        pressable->setFocus(Qt::TabFocusReason);
    } else {
        QTest::mouseMove(pressable);
    }
    const QMap<QString, Look> marked = looks();
    if (byKeyboard)
        away->setFocus(Qt::TabFocusReason);
    else
        QTest::mouseMove(away);
    const QMap<QString, Look> after = looks();

    for (const auto& entry : FormLayout::Fields) {
        const QString name = entry.objectName;
        const Mark mark = empty.contains(name)  ? Mark::Empty
                          : read.contains(name) ? Mark::Read
                                                : Mark::None;
        QCOMPARE(marked[name].base, Velaro::CallPreview::tint(mark, form));
        QCOMPARE(after[name].base, before[name].base);
        QCOMPARE(marked[name].text, before[name].text);
        QCOMPARE(marked[name].geometry, before[name].geometry);
    }
    const QSet<QRgb> tints{Velaro::CallPreview::tint(Mark::None, form).rgb(),
                           Velaro::CallPreview::tint(Mark::Read, form).rgb(),
                           Velaro::CallPreview::tint(Mark::Empty, form).rgb()};
    QCOMPARE(tints.size(), 3);
    QCOMPARE(pressable->accessibleDescription().split(QLatin1Char('\n')).constLast(), lastLine);
    QVERIFY(answerer.seen().isEmpty());
    QCOMPARE(QGuiApplication::clipboard()->text(), Untouched);
}

QTEST_MAIN(TestCallPreview)
#include "TestCallPreview.moc"
