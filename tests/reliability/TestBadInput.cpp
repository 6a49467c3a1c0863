// SPDX-License-Identifier: GPL-3.0-or-later
#include "FormInput.h"
#include "MainWindowTest.h"

#include <QElapsedTimer>
#include <QMessageBox>
#include <QPushButton>

#include <map>
#include <memory>
#include <variant>

namespace
{

// A field takes no more than this, typed or pasted.
constexpr qsizetype LongestText = 32767;

// A press must never hang, however long the texts. How fast it is (well under a
// second even with every field full) is measured by the benchmarks, not here: a
// tight bound would fail on a busy machine or under the sanitizers.
constexpr qint64 PressHangBoundMs = 5000;

// What each button delivers in departure mode with a left pattern, metric units and
// the current level below the next one: literals and the texts of inputs, in turn.
using CallTemplate = QList<std::variant<Input, const char*>>;

// "<aerodrome> traffic, <callsign>", then the body, then ", <aerodrome> traffic".
CallTemplate framed(const CallTemplate& body)
{
    return CallTemplate{Field::Aerodrome, " traffic, ", Field::Callsign} + body +
           CallTemplate{", ", Field::Aerodrome, " traffic"};
}

const std::map<Call, CallTemplate>& callTemplates()
{
    const Input runway = Field::Runway;
    static const std::map<Call, CallTemplate> templates{
        {Call::Pushback, framed({", pushing back to starting point ", PushbackDirection,
                                 " from stand ", Field::Stand})},
        {Call::StartUpOrShutdown, framed({", engines start up on stand ", Field::Stand})},
        {Call::Taxi, framed({", taxiing via ", Field::TaxiRoute, " to holding point RWY", runway})},
        {Call::RunwayVacated, framed({", RWY", runway, " vacated on TWY", Field::Taxiway})},
        {Call::LiningUp, framed({", lining up RWY", runway, " for ", Field::DepartureProcedure,
                                 " departure, initial climb ", Field::InitialLevel, "m"})},
        {Call::TakeOff, framed({", departing RWY", runway})},
        {Call::AfterTakeOff, framed({", airborn"})},
        {Call::ReportingPoint, framed({", ", Field::CurrentPoint, " ", Field::CurrentLevel,
                                       "m, climbing ", Field::NextLevel, "m, direct to ",
                                       Field::NextPoint, " at ", Field::EstimatedTime, "min"})},
        {Call::LevelChange,
         framed({", ", Field::CurrentLevel, "m, maintaining ", Field::NextLevel, "m"})},
        {Call::ApproachDescent, framed({", ", Field::CurrentPoint, " ", Field::CurrentLevel,
                                        "m, proceeding on ", Field::ApproachProcedure, " for RWY",
                                        runway, " approach, descending ", Field::NextLevel, "m"})},
        {Call::Holding,
         framed({", hold at ", Field::CurrentPoint, " ", Field::CurrentLevel, "m, inbound track ",
                 Field::Course, ", left hand pattern, time ", Field::PatternLegTime, " min"})},
        {Call::Crosswind, framed({", crosswind left"})},
        {Call::Base, framed({", turn base left"})},
        {Call::TurningFinal, framed({", turning final RWY", runway})},
        {Call::Final, framed({", final RWY", runway})},
        {Call::GoAround, framed({", go around"})},
    };
    return templates;
}

QList<Call> calls()
{
    QList<Call> calls;
    for (const auto& entry : Velaro::FormLayout::Buttons)
        calls << entry.call;
    return calls;
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
    void fill(const Edits& texts) const;
    QString expectedCall(Call call) const;
    QList<QString> texts() const;
    // Presses the button with a mouse click, within the generous sanity bound.
    void pressTimed(Call call) const;
};

void TestBadInput::fill(const Edits& texts) const
{
    for (const auto& [input, text] : texts)
        pasteOver(m_driver->edit(input), text);
}

QList<QString> TestBadInput::texts() const
{
    QList<QString> texts;
    for (const Input input : allInputs())
        texts << m_driver->text(input);
    return texts;
}

QString TestBadInput::expectedCall(Call call) const
{
    QString expected;
    for (const auto& piece : callTemplates().at(call)) {
        if (const auto* input = std::get_if<Input>(&piece))
            expected += m_driver->text(*input);
        else
            expected += QLatin1String(std::get<const char*>(piece));
    }
    return expected;
}

void TestBadInput::pressTimed(Call call) const
{
    QElapsedTimer timer;
    timer.start();
    m_driver->click(call);
    QVERIFY2(timer.elapsed() < PressHangBoundMs,
             qPrintable(QStringLiteral("the press took %1 ms").arg(timer.elapsed())));
}

void TestBadInput::testLongestTextInEveryField_data()
{
    QTest::addColumn<Call>("button");
    for (const auto& entry : Velaro::FormLayout::Buttons)
        QTest::newRow(entry.objectName) << entry.call;
}

void TestBadInput::testLongestTextInEveryField()
{
    QFETCH(Call, button);

    // Each field gets its own lower-case pattern, so that a piece taken from the
    // wrong field or cut short shows; the checked fields get long numbers.
    const std::map<Input, QString> numbers{{Field::CurrentLevel, "3000"},
                                           {Field::NextLevel, "3600"},
                                           {Field::Course, "095"},
                                           {Field::PatternLegTime, "1.5"}};
    Edits pasted;
    QList<QString> expected;
    for (const Input input : allInputs()) {
        const QString tag = QStringLiteral("f%1").arg(pasted.size());
        if (const auto number = numbers.find(input); number != numbers.end()) {
            pasted.append({input, zeroPadded(number->second)});
            expected << pasted.last().second;
        } else if (input == PushbackDirection) {
            // The direction list keeps its text as typed.
            pasted.append({input, repeatedTo(QStringLiteral("south ж "), LongestText)});
            expected << pasted.last().second;
        } else {
            pasted.append({input, repeatedTo(tag + QStringLiteral(" жß "), LongestText)});
            // "ß" upper-cases to "SS", which pushes the text past the limit.
            expected << repeatedTo(tag.toUpper() + QStringLiteral(" ЖSS "), LongestText);
        }
    }
    fill(pasted);
    QVERIFY(texts() == expected);

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
        for (const Input input : allInputs()) {
            QLineEdit* edit = m_driver->edit(input);
            if (typing) {
                edit->clear();
                // One key event per character, as a keyboard or input method sends it.
                for (const char32_t character : typed.toUcs4())
                    QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown,
                                        QString::fromUcs4(&character, 1), Qt::NoModifier);
            } else {
                pasteOver(edit, typed);
            }
            const QByteArray name = m_driver->control(input)->objectName().toLatin1();
            QVERIFY2(edit->text() == (input == PushbackDirection ? listShown : shown), name);
            QVERIFY2(!hasLoneSurrogate(edit->text()), name);
            QCOMPARE(edit->cursorPosition(), edit->text().size());
        }
        // None of the texts is a number: the checking calls that stop are the subject
        // of testFailedCheck, the descent warns and delivers.
        const QList<Call> stopping{Call::ReportingPoint, Call::Holding, Call::LevelChange};
        for (const Call call : calls()) {
            if (stopping.contains(call))
                continue;
            const MessageBoxAnswerer answerer;
            QVERIFY2(m_driver->press(call) == expectedCall(call),
                     m_driver->button(call)->objectName().toLatin1());
            QCOMPARE(answerer.seen().size(), call == Call::ApproachDescent ? 1 : 0);
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

    for (const Input input : allInputs()) {
        if (input == PushbackDirection)
            continue;
        QLineEdit* edit = m_driver->edit(input);
        pasteOver(edit, pasted);
        const QByteArray name = m_driver->control(input)->objectName().toLatin1();
        QVERIFY2(!hasLoneSurrogate(edit->text()), name);
        QVERIFY2(edit->text() == shown, name);
    }
    QCOMPARE(m_driver->press(Call::GoAround), expectedCall(Call::GoAround));
}

void TestBadInput::testFailedCheck_data()
{
    QTest::addColumn<Call>("button");
    QTest::addColumn<Field>("spoiled");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("delivers");

    const QString level = QStringLiteral("Эшелон должен быть задан числом");
    const QString course = QStringLiteral("Курс должен быть задан числом");
    const QString time = QStringLiteral("Время должно быть задано числом");

    QTest::newRow("report, emoji level")
        << Call::ReportingPoint << Field::CurrentLevel << "30✈️0" << level << false;
    QTest::newRow("report, NUL in the level")
        << Call::ReportingPoint << Field::NextLevel << QString::fromUtf16(u"36\u000000", 5) << level
        << false;
    QTest::newRow("level change, arabic digits")
        << Call::LevelChange << Field::CurrentLevel << "٣٠٠٠" << level << false;
    QTest::newRow("level change, blanks")
        << Call::LevelChange << Field::NextLevel << "   " << level << false;
    QTest::newRow("descent, prefixed level")
        << Call::ApproachDescent << Field::CurrentLevel << "fl350" << level << true;
    QTest::newRow("descent, right to left")
        << Call::ApproachDescent << Field::NextLevel << "שלום" << level << true;
    QTest::newRow("holding, exponent level")
        << Call::Holding << Field::CurrentLevel << "1e3" << level << false;
    QTest::newRow("holding, combining course")
        << Call::Holding << Field::Course << QString::fromUtf8("09\u03015") << course << false;
    QTest::newRow("holding, fullwidth time")
        << Call::Holding << Field::PatternLegTime << "１" << time << false;
}

void TestBadInput::testFailedCheck()
{
    QFETCH(Call, button);
    QFETCH(Field, spoiled);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    QFETCH(bool, delivers);

    fill(passingFlight());
    pasteOver(m_driver->edit(spoiled), typed);
    const QString previousCall = m_driver->press(Call::GoAround);
    QCOMPARE(previousCall, expectedCall(Call::GoAround));
    const QList<QString> before = texts();
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
    QVERIFY(texts() == before);
    QCOMPARE(QGuiApplication::clipboard()->text(), delivers ? expected : previousCall);
}

QTEST_MAIN(TestBadInput)
#include "TestBadInput.moc"
