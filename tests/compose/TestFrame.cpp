// SPDX-License-Identifier: GPL-3.0-or-later
#include "Frame.h"
#include "WorkedExample.h"

#include <QObject>
#include <QTest>

using namespace Velaro;
using namespace Velaro::Testing;

namespace
{

// What a piece of the frame puts into a call, written.
QString written(const FormValues& form, void (*frame)(const FormValues&, Message&))
{
    Message call;
    frame(form, call);
    return call.written();
}

} // namespace

class TestFrame : public QObject
{
    Q_OBJECT

private slots:
    void testOpeningAndClosings_data();
    void testOpeningAndClosings();
    void testLevelToken_data();
    void testLevelToken();
};

void TestFrame::testOpeningAndClosings_data()
{
    QTest::addColumn<FormValues>("form");
    QTest::addColumn<QString>("opening");
    QTest::addColumn<QString>("closing");
    QTest::addColumn<QString>("foldedClosing");

    const FormValues worked = framedForm();
    const QString opening = "ULLP traffic, RA-12345";
    const QString closing = ", ULLP traffic";
    const QString foldedClosing = "ULLP traffic";

    QTest::newRow("aerodrome and callsign") << worked << opening << closing << foldedClosing;
    QTest::newRow("every field empty") << blankForm() << " traffic, "
                                       << ",  traffic"
                                       << " traffic";
    QTest::newRow("empty callsign")
        << withText(worked, Field::Callsign, "") << "ULLP traffic, " << closing << foldedClosing;
    QTest::newRow("empty aerodrome")
        << withText(worked, Field::Aerodrome, "") << " traffic, RA-12345"
        << ",  traffic"
        << " traffic";
    QTest::newRow("blanks around the callsign are kept")
        << withText(worked, Field::Callsign, " RA-12345 ") << "ULLP traffic,  RA-12345 " << closing
        << foldedClosing;
    QTest::newRow("Cyrillic aerodrome")
        << withText(worked, Field::Aerodrome, "УЛЛП") << "УЛЛП traffic, RA-12345"
        << ", УЛЛП traffic"
        << "УЛЛП traffic";
    QTest::newRow("other fields and every switch changed")
        << withRightPattern(inArrivalMode(inImperialUnits(withTexts(
               exampleForm(), {{Field::Stand, "12"}, {Field::DepartureProcedure, "KILO 1A"}}))))
        << opening << closing << foldedClosing;
}

void TestFrame::testOpeningAndClosings()
{
    QFETCH(FormValues, form);
    QFETCH(QString, opening);
    QFETCH(QString, closing);
    QFETCH(QString, foldedClosing);

    QCOMPARE(written(form, Frame::open), opening);
    QCOMPARE(written(form, Frame::close), closing);
    QCOMPARE(written(form, Frame::closeFolded), foldedClosing);
}

void TestFrame::testLevelToken_data()
{
    QTest::addColumn<FormValues>("form");
    QTest::addColumn<Field>("field");
    QTest::addColumn<QString>("expected");

    const FormValues levels = withTexts(
        blankForm(),
        {{Field::InitialLevel, "900"}, {Field::CurrentLevel, "3000"}, {Field::NextLevel, "3600"}});
    const FormValues imperial = inImperialUnits(levels);

    QTest::newRow("metric initial level") << levels << Field::InitialLevel << "900m";
    QTest::newRow("metric current level") << levels << Field::CurrentLevel << "3000m";
    QTest::newRow("metric next level") << levels << Field::NextLevel << "3600m";
    QTest::newRow("imperial initial level") << imperial << Field::InitialLevel << "FL900";
    QTest::newRow("imperial current level") << imperial << Field::CurrentLevel << "FL3000";
    QTest::newRow("imperial next level") << imperial << Field::NextLevel << "FL3600";
    QTest::newRow("metric empty level")
        << withText(levels, Field::CurrentLevel, "") << Field::CurrentLevel << "m";
    QTest::newRow("imperial empty level")
        << withText(imperial, Field::CurrentLevel, "") << Field::CurrentLevel << "FL";
    QTest::newRow("metric leading zero kept")
        << withText(levels, Field::InitialLevel, "070") << Field::InitialLevel << "070m";
    QTest::newRow("imperial leading zero kept")
        << withText(imperial, Field::InitialLevel, "070") << Field::InitialLevel << "FL070";
    QTest::newRow("imperial typed prefix kept")
        << withText(imperial, Field::NextLevel, "FL350") << Field::NextLevel << "FLFL350";
    QTest::newRow("metric decimal comma kept")
        << withText(levels, Field::NextLevel, "1,5") << Field::NextLevel << "1,5m";
    QTest::newRow("metric in arrival mode with right-hand pattern")
        << withRightPattern(inArrivalMode(levels)) << Field::CurrentLevel << "3000m";
}

void TestFrame::testLevelToken()
{
    QFETCH(FormValues, form);
    QFETCH(Field, field);
    QFETCH(QString, expected);

    Message token;
    token << Frame::level(form, field);
    QCOMPARE(token.written(), expected);
}

QTEST_GUILESS_MAIN(TestFrame)
#include "TestFrame.moc"
