// SPDX-License-Identifier: GPL-3.0-or-later
#include "EnRoute.h"
#include "ExpectedResult.h"
#include "WorkedExample.h"

#include <QObject>
#include <QTest>

using namespace Velaro;
using namespace Velaro::Testing;

namespace
{

// A delivered reporting-point call moves the next point into the current one and empties
// the next.
ComposeResult reported(const QString& call, const QString& newCurrentPoint)
{
    return delivered(call, {{Field::CurrentPoint, newCurrentPoint}, {Field::NextPoint, ""}});
}

FormValues withLevels(const FormValues& form, const QString& current, const QString& next)
{
    return withTexts(form, {{Field::CurrentLevel, current}, {Field::NextLevel, next}});
}

FormValues holdingForm()
{
    return withText(exampleForm(), Field::CurrentLevel, "1200");
}

} // namespace

class TestEnRoute : public QObject
{
    Q_OBJECT

private slots:
    void testReportingPoint_data();
    void testReportingPoint() { verifyComposer(Call::ReportingPoint, EnRoute::reportingPoint); }
    void testReportingPointPressedTwice();
    void testLevelChange_data();
    void testLevelChange() { verifyComposer(Call::LevelChange, EnRoute::levelChange); }
    void testApproachDescent_data();
    void testApproachDescent() { verifyComposer(Call::ApproachDescent, EnRoute::approachDescent); }
    void testHolding_data();
    void testHolding() { verifyComposer(Call::Holding, EnRoute::holding); }
};

void TestEnRoute::testReportingPoint_data()
{
    addFormColumns<ComposeResult>();
    const FormValues worked = exampleForm();
    const FormValues imperial = inImperialUnits(worked);
    const QString climbing = "ULLP traffic, RA-12345, ODIMO 3000m, climbing 3600m, direct to RATOS "
                             "at 35min, ULLP traffic";
    const QString levelKept =
        "ULLP traffic, RA-12345, ODIMO 3000m, direct to RATOS at 35min, ULLP traffic";
    const ComposeResult levelNotNumeric = stopped(EnRoute::LevelNotNumeric);

    addRowUnaffectedBy("climbing", worked, reported(climbing, "RATOS"),
                       {Switch::FlightPhase, Switch::PatternSide});
    QTest::newRow("descending")
        << withText(worked, Field::NextLevel, "2400")
        << reported("ULLP traffic, RA-12345, ODIMO 3000m, descending 2400m, direct to RATOS at "
                    "35min, ULLP traffic",
                    "RATOS");
    QTest::newRow("level kept") << withText(worked, Field::NextLevel, "3000")
                                << reported(levelKept, "RATOS");
    QTest::newRow("level kept, written with a leading zero")
        << withText(worked, Field::NextLevel, "03000") << reported(levelKept, "RATOS");
    QTest::newRow("level kept, written with a Russian decimal comma")
        << withLocale(withText(worked, Field::NextLevel, "3000,0"), russianLocale())
        << reported(levelKept, "RATOS");
    QTest::newRow("climbing, compared as numbers, not as text")
        << withLevels(worked, "900", "1200")
        << reported("ULLP traffic, RA-12345, ODIMO 900m, climbing 1200m, direct to RATOS at 35min, "
                    "ULLP traffic",
                    "RATOS");
    QTest::newRow("climbing, imperial")
        << withLevels(imperial, "290", "350")
        << reported("ULLP traffic, RA-12345, ODIMO FL290, climbing FL350, direct to RATOS at "
                    "35min, ULLP traffic",
                    "RATOS");
    QTest::newRow("descending, imperial")
        << withLevels(imperial, "350", "290")
        << reported("ULLP traffic, RA-12345, ODIMO FL350, descending FL290, direct to RATOS at "
                    "35min, ULLP traffic",
                    "RATOS");
    QTest::newRow("empty estimated time")
        << withText(worked, Field::EstimatedTime, "")
        << reported("ULLP traffic, RA-12345, ODIMO 3000m, climbing 3600m, direct to RATOS, ULLP "
                    "traffic",
                    "RATOS");
    QTest::newRow("blank estimated time")
        << withText(worked, Field::EstimatedTime, " ")
        << reported("ULLP traffic, RA-12345, ODIMO 3000m, climbing 3600m, direct to RATOS at  min, "
                    "ULLP traffic",
                    "RATOS");
    QTest::newRow("estimated time not checked as a number")
        << withText(worked, Field::EstimatedTime, "XX")
        << reported("ULLP traffic, RA-12345, ODIMO 3000m, climbing 3600m, direct to RATOS at "
                    "XXmin, ULLP traffic",
                    "RATOS");
    QTest::newRow("empty current point")
        << withText(worked, Field::CurrentPoint, "")
        << reported("ULLP traffic, RA-12345,  3000m, climbing 3600m, direct to RATOS at 35min, "
                    "ULLP traffic",
                    "RATOS");
    QTest::newRow("empty next point")
        << withText(worked, Field::NextPoint, "")
        << reported("ULLP traffic, RA-12345, ODIMO 3000m, climbing 3600m, direct to  at 35min, "
                    "ULLP traffic",
                    "");
    QTest::newRow("empty current level")
        << withText(worked, Field::CurrentLevel, "") << levelNotNumeric;
    QTest::newRow("empty next level") << withText(worked, Field::NextLevel, "") << levelNotNumeric;
    QTest::newRow("both levels empty") << withLevels(worked, "", "") << levelNotNumeric;
    QTest::newRow("level typed with its prefix, imperial")
        << withLevels(imperial, "290", "FL350") << levelNotNumeric;
    QTest::newRow("decimal point in a Russian locale")
        << withLocale(withText(worked, Field::NextLevel, "3600.5"), russianLocale())
        << levelNotNumeric;
}

void TestEnRoute::testReportingPointPressedTwice()
{
    const FormValues firstForm = exampleForm();
    const ComposeResult first = compose(Call::ReportingPoint, firstForm);
    compareResults(first, reported("ULLP traffic, RA-12345, ODIMO 3000m, climbing 3600m, direct "
                                   "to RATOS at 35min, ULLP traffic",
                                   "RATOS"));

    const FormValues secondForm = withTexts(firstForm, first.fieldWrites);
    const ComposeResult second = compose(Call::ReportingPoint, secondForm);
    compareResults(second, reported("ULLP traffic, RA-12345, RATOS 3000m, climbing 3600m, direct "
                                    "to  at 35min, ULLP traffic",
                                    ""));
}

void TestEnRoute::testLevelChange_data()
{
    addFormColumns<ComposeResult>();
    const FormValues worked = exampleForm();
    const ComposeResult levelKept = delivered("ULLP traffic, RA-12345, 3000m, ULLP traffic");
    const ComposeResult levelNotNumeric = stopped(EnRoute::LevelNotNumeric);

    addRowUnaffectedBy("maintaining", worked,
                       delivered("ULLP traffic, RA-12345, 3000m, maintaining 3600m, ULLP traffic"),
                       {Switch::FlightPhase, Switch::PatternSide});
    QTest::newRow("descending")
        << withText(worked, Field::NextLevel, "2400")
        << delivered("ULLP traffic, RA-12345, 3000m, descending 2400m, ULLP traffic");
    QTest::newRow("level kept") << withText(worked, Field::NextLevel, "3000") << levelKept;
    QTest::newRow("level kept, written with a leading zero")
        << withText(worked, Field::NextLevel, "03000") << levelKept;
    QTest::newRow("level kept, written with a Russian decimal comma")
        << withLocale(withText(worked, Field::NextLevel, "3000,0"), russianLocale()) << levelKept;
    QTest::newRow("descending, Russian decimal comma compared as a number")
        << withLocale(withLevels(worked, "1500,5", "1500"), russianLocale())
        << delivered("ULLP traffic, RA-12345, 1500,5m, descending 1500m, ULLP traffic");
    QTest::newRow("maintaining, compared as numbers, not as text")
        << withLevels(worked, "900", "1200")
        << delivered("ULLP traffic, RA-12345, 900m, maintaining 1200m, ULLP traffic");
    QTest::newRow("maintaining, imperial")
        << withLevels(inImperialUnits(worked), "290", "350")
        << delivered("ULLP traffic, RA-12345, FL290, maintaining FL350, ULLP traffic");
    QTest::newRow("reporting points not read")
        << withTexts(worked, {{Field::CurrentPoint, ""}, {Field::NextPoint, ""}})
        << delivered("ULLP traffic, RA-12345, 3000m, maintaining 3600m, ULLP traffic");
    QTest::newRow("empty current level")
        << withText(worked, Field::CurrentLevel, "") << levelNotNumeric;
    QTest::newRow("empty next level") << withText(worked, Field::NextLevel, "") << levelNotNumeric;
    QTest::newRow("level typed with its prefix, imperial")
        << withLevels(inImperialUnits(worked), "FL290", "350") << levelNotNumeric;
    QTest::newRow("decimal comma in an English locale")
        << withLocale(withText(worked, Field::NextLevel, "3000,0"), englishLocale())
        << levelNotNumeric;
}

void TestEnRoute::testApproachDescent_data()
{
    addFormColumns<ComposeResult>();
    const FormValues worked = exampleForm();
    const FormValues imperial = inImperialUnits(worked);

    addRowUnaffectedBy("descending below the current level",
                       withText(worked, Field::NextLevel, "900"),
                       delivered("ULLP traffic, RA-12345, ODIMO 3000m, proceeding on ODIMO 2K for "
                                 "RWY28L approach, descending 900m, ULLP traffic"),
                       {Switch::FlightPhase, Switch::PatternSide});
    QTest::newRow("descending above the current level")
        << worked
        << delivered("ULLP traffic, RA-12345, ODIMO 3000m, proceeding on ODIMO 2K for RWY28L "
                     "approach, descending 3600m, ULLP traffic");
    QTest::newRow("descending at the current level")
        << withText(worked, Field::NextLevel, "3000")
        << delivered("ULLP traffic, RA-12345, ODIMO 3000m, proceeding on ODIMO 2K for RWY28L "
                     "approach, descending 3000m, ULLP traffic");
    QTest::newRow("imperial")
        << withLevels(imperial, "120", "050")
        << delivered("ULLP traffic, RA-12345, ODIMO FL120, proceeding on ODIMO 2K for RWY28L "
                     "approach, descending FL050, ULLP traffic");
    QTest::newRow("empty approach procedure")
        << withText(worked, Field::ApproachProcedure, "")
        << delivered("ULLP traffic, RA-12345, ODIMO 3000m, proceeding on  for RWY28L approach, "
                     "descending 3600m, ULLP traffic");
    QTest::newRow("empty runway")
        << withText(worked, Field::Runway, "")
        << delivered("ULLP traffic, RA-12345, ODIMO 3000m, proceeding on ODIMO 2K for RWY "
                     "approach, descending 3600m, ULLP traffic");
    QTest::newRow("empty current level, metric")
        << withText(worked, Field::CurrentLevel, "")
        << deliveredWithWarning("ULLP traffic, RA-12345, ODIMO m, proceeding on ODIMO 2K for "
                                "RWY28L approach, descending 3600m, ULLP traffic",
                                EnRoute::LevelNotNumeric);
    QTest::newRow("empty next level, metric")
        << withText(worked, Field::NextLevel, "")
        << deliveredWithWarning("ULLP traffic, RA-12345, ODIMO 3000m, proceeding on ODIMO 2K for "
                                "RWY28L approach, descending m, ULLP traffic",
                                EnRoute::LevelNotNumeric);
    QTest::newRow("both levels empty, imperial")
        << withLevels(imperial, "", "")
        << deliveredWithWarning("ULLP traffic, RA-12345, ODIMO FL, proceeding on ODIMO 2K for "
                                "RWY28L approach, descending FL, ULLP traffic",
                                EnRoute::LevelNotNumeric);
    QTest::newRow("level typed with its prefix, imperial")
        << withLevels(imperial, "390", "FL350")
        << deliveredWithWarning("ULLP traffic, RA-12345, ODIMO FL390, proceeding on ODIMO 2K for "
                                "RWY28L approach, descending FLFL350, ULLP traffic",
                                EnRoute::LevelNotNumeric);
}

void TestEnRoute::testHolding_data()
{
    addFormColumns<ComposeResult>();
    const FormValues worked = holdingForm();
    const ComposeResult leftHand =
        delivered("ULLP traffic, RA-12345, hold at ODIMO 1200m, inbound track 095, left hand "
                  "pattern, time 1 min, ULLP traffic");
    const ComposeResult levelNotNumeric = stopped(EnRoute::LevelNotNumeric);
    const ComposeResult courseNotNumeric = stopped(EnRoute::CourseNotNumeric);
    const ComposeResult timeNotNumeric = stopped(EnRoute::TimeNotNumeric);

    addRowUnaffectedBy("left-hand pattern", worked, leftHand, {Switch::FlightPhase});
    addRowUnaffectedBy("right-hand pattern", withRightPattern(worked),
                       delivered("ULLP traffic, RA-12345, hold at ODIMO 1200m, inbound track 095, "
                                 "right hand pattern, time 1 min, ULLP traffic"),
                       {Switch::FlightPhase});
    QTest::newRow("imperial")
        << withText(inImperialUnits(worked), Field::CurrentLevel, "120")
        << delivered("ULLP traffic, RA-12345, hold at ODIMO FL120, inbound track 095, left hand "
                     "pattern, time 1 min, ULLP traffic");
    QTest::newRow("next level not a number")
        << withText(worked, Field::NextLevel, "ABC") << leftHand;
    QTest::newRow("next level empty") << withText(worked, Field::NextLevel, "") << leftHand;
    QTest::newRow("empty holding fix")
        << withText(worked, Field::CurrentPoint, "")
        << delivered("ULLP traffic, RA-12345, hold at  1200m, inbound track 095, left hand "
                     "pattern, time 1 min, ULLP traffic");
    QTest::newRow("empty aerodrome")
        << withText(worked, Field::Aerodrome, "")
        << delivered(" traffic, RA-12345, hold at ODIMO 1200m, inbound track 095, left hand "
                     "pattern, time 1 min,  traffic");
    QTest::newRow("leg time with a Russian decimal comma")
        << withLocale(withText(worked, Field::PatternLegTime, "1,5"), russianLocale())
        << delivered("ULLP traffic, RA-12345, hold at ODIMO 1200m, inbound track 095, left hand "
                     "pattern, time 1,5 min, ULLP traffic");
    QTest::newRow("empty current level")
        << withText(worked, Field::CurrentLevel, "") << levelNotNumeric;
    QTest::newRow("level typed with its prefix, imperial")
        << withText(inImperialUnits(worked), Field::CurrentLevel, "FL120") << levelNotNumeric;
    QTest::newRow("level and course not numbers")
        << withTexts(worked, {{Field::CurrentLevel, "ABC"}, {Field::Course, "XYZ"}})
        << levelNotNumeric;
    QTest::newRow("level, course and leg time not numbers")
        << withTexts(
               worked,
               {{Field::CurrentLevel, "ABC"}, {Field::Course, "XYZ"}, {Field::PatternLegTime, "T"}})
        << levelNotNumeric;
    QTest::newRow("empty course") << withText(worked, Field::Course, "") << courseNotNumeric;
    QTest::newRow("course and leg time not numbers")
        << withTexts(worked, {{Field::Course, "XYZ"}, {Field::PatternLegTime, "T"}})
        << courseNotNumeric;
    QTest::newRow("only the leg time not a number")
        << withText(worked, Field::PatternLegTime, "1MIN") << timeNotNumeric;
    QTest::newRow("empty leg time")
        << withText(worked, Field::PatternLegTime, "") << timeNotNumeric;
}

QTEST_GUILESS_MAIN(TestEnRoute)
#include "TestEnRoute.moc"
