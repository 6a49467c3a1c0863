// SPDX-License-Identifier: GPL-3.0-or-later
#include "FormInput.h"
#include "MainWindowTest.h"

#include <QElapsedTimer>
#include <QHash>
#include <QMessageBox>
#include <QPushButton>

#include <memory>

namespace
{

// A field takes no more than this, typed or pasted.
constexpr qsizetype LongestText = 32767;

// A press must never hang, however long the texts. How fast it is (well under a
// second even with every field full) is measured by the benchmarks, not here: a
// tight bound would fail on a busy machine or under the sanitizers.
constexpr qint64 PressHangBoundMs = 5000;

// What each button delivers in departure mode with a left pattern, metric units and
// the current level below the next one; {Name} stands for the text of that field.
const QHash<QString, QString>& callTemplates()
{
    static const QHash<QString, QString> templates{
        {"Command1", "{Text2} traffic, {Text1}, pushing back to starting point {Combo1} from "
                     "stand {Text3_2}, {Text2} traffic"},
        {"Command2", "{Text2} traffic, {Text1}, engines start up on stand {Text3_2}, {Text2} "
                     "traffic"},
        {"Command3_0", "{Text2} traffic, {Text1}, taxiing via {Text3_5} to holding point "
                       "RWY{Text3_6}, {Text2} traffic"},
        {"Command16_1", "{Text2} traffic, {Text1}, RWY{Text3_6} vacated on TWY{Text3_0}, "
                        "{Text2} traffic"},
        {"Command4", "{Text2} traffic, {Text1}, lining up RWY{Text3_6} for {Text3_7} "
                     "departure, initial climb {Text3_8}m, {Text2} traffic"},
        {"Command5", "{Text2} traffic, {Text1}, departing RWY{Text3_6}, {Text2} traffic"},
        {"Command6", "{Text2} traffic, {Text1}, airborn, {Text2} traffic"},
        {"Command7", "{Text2} traffic, {Text1}, {Text3_9} {Text3_10}m, climbing {Text3_11}m, "
                     "direct to {Text3_4} at {Text3_1}min, {Text2} traffic"},
        {"Command9", "{Text2} traffic, {Text1}, {Text3_10}m, maintaining {Text3_11}m, {Text2} "
                     "traffic"},
        {"Command10", "{Text2} traffic, {Text1}, {Text3_9} {Text3_10}m, proceeding on "
                      "{Text3_15} for RWY{Text3_6} approach, descending {Text3_11}m, {Text2} "
                      "traffic"},
        {"Command8", "{Text2} traffic, {Text1}, hold at {Text3_9} {Text3_10}m, inbound track "
                     "{Text3_3}, left hand pattern, time {Text3_12} min, {Text2} traffic"},
        {"Command11", "{Text2} traffic, {Text1}, crosswind left, {Text2} traffic"},
        {"Command12", "{Text2} traffic, {Text1}, turn base left, {Text2} traffic"},
        {"Command13", "{Text2} traffic, {Text1}, turning final RWY{Text3_6}, {Text2} traffic"},
        {"Command14", "{Text2} traffic, {Text1}, final RWY{Text3_6}, {Text2} traffic"},
        {"Command15", "{Text2} traffic, {Text1}, go around, {Text2} traffic"},
    };
    return templates;
}

QStringList callButtons()
{
    QStringList buttons = callTemplates().keys();
    buttons.sort();
    return buttons;
}

bool hasLoneSurrogate(const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        else if (text.at(i).isSurrogate())
            return true;
    }
    return false;
}

// Repeats pattern up to exactly length characters; patterns here hold no surrogates.
QString repeatedTo(const QString& pattern, qsizetype length)
{
    return pattern.repeated(length / pattern.size() + 1).left(length);
}

// A number written with as many leading zeros as fit into the field.
QString zeroPadded(const QString& number)
{
    return QString(LongestText - number.size(), QLatin1Char('0')) + number;
}

} // namespace

class TestBadInput : public MainWindowTest
{
    Q_OBJECT

private slots:
    void testLongestTextInEveryField_data();
    void testLongestTextInEveryField();
    void testUnusualText_data();
    void testUnusualText();
    void testUpperCasingAtTheLimit_data();
    void testUpperCasingAtTheLimit();
    void testFailedCheck_data();
    void testFailedCheck();

private:
    QLineEdit* field(const QString& name) const { return lineEditOf(*m_driver, name); }
    void fill(const QList<std::pair<QString, QString>>& texts) const;
    QString expectedCall(const QString& button) const;
    QHash<QString, QString> fieldTexts() const;
    // Presses the button with a mouse click, within the generous sanity bound.
    void pressTimed(const QString& button) const;
};

void TestBadInput::fill(const QList<std::pair<QString, QString>>& texts) const
{
    for (const auto& [name, text] : texts) {
        QLineEdit* edit = field(name);
        QVERIFY2(edit, qPrintable(name));
        pasteOver(edit, text);
    }
}

QHash<QString, QString> TestBadInput::fieldTexts() const
{
    QHash<QString, QString> texts;
    for (const QString& name : fieldNames())
        texts.insert(name, field(name)->text());
    return texts;
}

QString TestBadInput::expectedCall(const QString& button) const
{
    QString call = callTemplates().value(button);
    const QHash<QString, QString> texts = fieldTexts();
    for (auto it = texts.cbegin(); it != texts.cend(); ++it)
        call.replace(QLatin1Char('{') + it.key() + QLatin1Char('}'), it.value());
    return call;
}

void TestBadInput::pressTimed(const QString& button) const
{
    QElapsedTimer timer;
    timer.start();
    m_driver->click(button);
    QVERIFY2(timer.elapsed() < PressHangBoundMs,
             qPrintable(QStringLiteral("%1 took %2 ms").arg(button).arg(timer.elapsed())));
}

void TestBadInput::testLongestTextInEveryField_data()
{
    QTest::addColumn<QString>("button");
    for (const QString& button : callButtons())
        QTest::newRow(qPrintable(button)) << button;
}

void TestBadInput::testLongestTextInEveryField()
{
    QFETCH(QString, button);

    // Each field gets its own lower-case pattern, so that a piece taken from the
    // wrong field or cut short shows; the checked fields get long numbers.
    const QHash<QString, QString> numbers{
        {"Text3_10", "3000"}, {"Text3_11", "3600"}, {"Text3_3", "095"}, {"Text3_12", "1.5"}};
    QList<std::pair<QString, QString>> pasted;
    QHash<QString, QString> expected;
    for (const QString& name : fieldNames()) {
        if (numbers.contains(name)) {
            pasted.append({name, zeroPadded(numbers.value(name))});
            expected.insert(name, pasted.last().second);
        } else if (name == QLatin1String("Combo1")) {
            // The direction list keeps its text as typed.
            pasted.append({name, repeatedTo(QStringLiteral("south ж "), LongestText)});
            expected.insert(name, pasted.last().second);
        } else {
            pasted.append({name, repeatedTo(name.toLower() + QStringLiteral(" жß "), LongestText)});
            // "ß" upper-cases to "SS", which pushes the text past the limit.
            expected.insert(name,
                            repeatedTo(name.toUpper() + QStringLiteral(" ЖSS "), LongestText));
        }
    }
    fill(pasted);
    for (const QString& name : fieldNames())
        QVERIFY2(field(name)->text() == expected.value(name), qPrintable(name));

    const QString call = expectedCall(button);
    QGuiApplication::clipboard()->clear();
    const MessageBoxAnswerer answerer;
    pressTimed(button);

    QCOMPARE(answerer.seen().size(), 0);
    const QString delivered = QGuiApplication::clipboard()->text();
    QCOMPARE(delivered.size(), call.size());
    QVERIFY(delivered == call);
}

void TestBadInput::testUnusualText_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    // The direction list is not upper-cased, but it too holds one line.
    QTest::addColumn<QString>("listShown");
    QTest::addColumn<bool>("pasteOnly");

    const auto oneLine = [](const char* name, const char* typed, const char* shown) {
        QTest::newRow(name) << QString::fromUtf8(typed) << QString::fromUtf8(shown)
                            << QString::fromUtf8(typed) << false;
    };
    oneLine("emoji", "ra ✈️🛫 1", "RA ✈️🛫 1");
    oneLine("letters beyond the basic plane", "𐐨𐐩 ullp", "𐐀𐐁 ULLP");
    oneLine("combining marks", "e\u0301o\u0308 ж\u0306", "E\u0301O\u0308 Ж\u0306");
    oneLine("right to left", "ullp שלום مرحبا ٣٠٠٠", "ULLP שלום مرحبا ٣٠٠٠");
    oneLine("blanks only", "   ", "   ");
    oneLine("longer in upper case", "straße ﬃ ŉ", "STRASSE FFI ʼN");
    oneLine("cyrillic", "улпп ё", "УЛПП Ё");

    QTest::newRow("embedded NUL") << QString::fromUtf16(u"ra\u0000-1\u00002", 7)
                                  << QStringLiteral("RA -1 2") << QStringLiteral("ra -1 2") << true;
    QTest::newRow("line breaks and a tab")
        << QStringLiteral("odimo\nx\ty\r\nz\r") << QStringLiteral("ODIMO X Y Z ")
        << QStringLiteral("odimo x y z ") << true;
    QTest::newRow("two line feeds, Unicode line and paragraph separators")
        << QStringLiteral("a\n\nb\u2028c\u2029d") << QStringLiteral("A  B C D")
        << QStringLiteral("a  b c d") << true;
}

void TestBadInput::testUnusualText()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(QString, listShown);
    QFETCH(bool, pasteOnly);

    for (const bool typing : {false, true}) {
        if (typing && pasteOnly)
            continue;
        for (const QString& name : fieldNames()) {
            QLineEdit* edit = field(name);
            if (typing) {
                edit->clear();
                // One key event per character, as a keyboard or input method sends it.
                for (const char32_t character : typed.toUcs4())
                    QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown,
                                        QString::fromUcs4(&character, 1), Qt::NoModifier);
            } else {
                pasteOver(edit, typed);
            }
            const QString expected = name == QLatin1String("Combo1") ? listShown : shown;
            QVERIFY2(edit->text() == expected, qPrintable(name));
            QVERIFY2(!hasLoneSurrogate(edit->text()), qPrintable(name));
            QCOMPARE(edit->cursorPosition(), edit->text().size());
        }
        // None of the texts is a number: the checking calls that stop are the subject
        // of testFailedCheck, the descent warns and delivers.
        const QStringList stopping{"Command7", "Command8", "Command9"};
        for (const QString& button : callButtons()) {
            if (stopping.contains(button))
                continue;
            const MessageBoxAnswerer answerer;
            QVERIFY2(m_driver->press(button) == expectedCall(button), qPrintable(button));
            QCOMPARE(answerer.seen().size(), button == QLatin1String("Command10") ? 1 : 0);
        }
    }
}

void TestBadInput::testUpperCasingAtTheLimit_data()
{
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("shown");

    const QString deseretSmall = QString::fromUtf8("𐐨");
    const QString deseretCapital = QString::fromUtf8("𐐀");
    const QString plane = QString::fromUtf8("🛫");
    const auto as = [](qsizetype count) {
        return QString(count, QLatin1Char('a'));
    };
    const auto capitalAs = [](qsizetype count) {
        return QString(count, QLatin1Char('A'));
    };

    QTest::newRow("the cut falls inside a pair")
        << QStringLiteral("ß") + as(LongestText - 3) + deseretSmall
        << QStringLiteral("SS") + capitalAs(LongestText - 3);
    QTest::newRow("the cut falls after a pair")
        << QStringLiteral("ß") + as(LongestText - 4) + deseretSmall + QStringLiteral("b")
        << QStringLiteral("SS") + capitalAs(LongestText - 4) + deseretCapital;
    QTest::newRow("a pair ends exactly at the limit")
        << QStringLiteral("ß") + as(LongestText - 4) + plane
        << QStringLiteral("SS") + capitalAs(LongestText - 4) + plane;
    QTest::newRow("a paste past the limit ends inside a pair")
        << as(LongestText - 1) + plane + QStringLiteral("b") << capitalAs(LongestText - 1);
}

void TestBadInput::testUpperCasingAtTheLimit()
{
    QFETCH(QString, pasted);
    QFETCH(QString, shown);

    for (const QString& name : fieldNames()) {
        if (name == QLatin1String("Combo1"))
            continue;
        QLineEdit* edit = field(name);
        pasteOver(edit, pasted);
        QVERIFY2(!hasLoneSurrogate(edit->text()), qPrintable(name));
        QVERIFY2(edit->text() == shown, qPrintable(name));
    }
    QCOMPARE(m_driver->press("Command15"), expectedCall("Command15"));
}

void TestBadInput::testFailedCheck_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("spoiled");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("delivers");

    const QString level = QStringLiteral("Эшелон должен быть задан числом");
    const QString course = QStringLiteral("Курс должен быть задан числом");
    const QString time = QStringLiteral("Время должно быть задано числом");

    QTest::newRow("report, emoji level") << "Command7"
                                         << "Text3_10"
                                         << "30✈️0" << level << false;
    QTest::newRow("report, NUL in the level")
        << "Command7"
        << "Text3_11" << QString::fromUtf16(u"36\u000000", 5) << level << false;
    QTest::newRow("level change, arabic digits") << "Command9"
                                                 << "Text3_10"
                                                 << "٣٠٠٠" << level << false;
    QTest::newRow("level change, blanks") << "Command9"
                                          << "Text3_11"
                                          << "   " << level << false;
    QTest::newRow("descent, prefixed level") << "Command10"
                                             << "Text3_10"
                                             << "fl350" << level << true;
    QTest::newRow("descent, right to left") << "Command10"
                                            << "Text3_11"
                                            << "שלום" << level << true;
    QTest::newRow("holding, exponent level") << "Command8"
                                             << "Text3_10"
                                             << "1e3" << level << false;
    QTest::newRow("holding, combining course")
        << "Command8"
        << "Text3_3" << QString::fromUtf8("09\u03015") << course << false;
    QTest::newRow("holding, fullwidth time") << "Command8"
                                             << "Text3_12"
                                             << "１" << time << false;
}

void TestBadInput::testFailedCheck()
{
    QFETCH(QString, button);
    QFETCH(QString, spoiled);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    QFETCH(bool, delivers);

    fill(passingFlight());
    pasteOver(field(spoiled), typed);
    const QString previousCall = m_driver->press("Command15");
    QCOMPARE(previousCall, expectedCall("Command15"));
    const QHash<QString, QString> before = fieldTexts();
    const QString expected = expectedCall(button);

    const MessageBoxAnswerer answerer;
    QElapsedTimer timer;
    timer.start();
    m_driver->click(button);
    QVERIFY(timer.elapsed() < PressHangBoundMs);

    QCOMPARE(answerer.seen().size(), 1);
    QCOMPARE(answerer.seen().first().title, QStringLiteral("VELARO"));
    QCOMPARE(answerer.seen().first().text, message);
    QCOMPARE(answerer.seen().first().buttonCount, 1);
    QVERIFY(!QApplication::activeModalWidget());
    QVERIFY(fieldTexts() == before);
    QCOMPARE(QGuiApplication::clipboard()->text(), delivers ? expected : previousCall);
}

QTEST_MAIN(TestBadInput)
#include "TestBadInput.moc"
