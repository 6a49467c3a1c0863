// SPDX-License-Identifier: GPL-3.0-or-later
#include "EnRoute.h"

#include "Frame.h"
#include "Numeric.h"

namespace Velaro::EnRoute
{

namespace
{

struct Levels {
    double current;
    double next;
};

// Both levels are always tested, and one message covers either or both.
std::optional<Levels> numericLevels(const FormValues& form)
{
    const std::optional<double> current =
        parseNumber(form.text(Field::CurrentLevel), form.locale());
    const std::optional<double> next = parseNumber(form.text(Field::NextLevel), form.locale());
    if (!current || !next)
        return std::nullopt;
    return Levels{*current, *next};
}

// ", climbing <next level>", ", descending <next level>", or nothing for equal
// levels; the wording for a climb differs between the calls.
QString levelChangeWording(const FormValues& form, Levels levels, QLatin1String climbing)
{
    if (levels.current < levels.next)
        return climbing + Frame::levelToken(form, Field::NextLevel);
    if (levels.current > levels.next)
        return QLatin1String(", descending ") + Frame::levelToken(form, Field::NextLevel);
    return {};
}

ComposeResult stopped(const QString& warning)
{
    return {std::nullopt, warning, {}};
}

} // namespace

ComposeResult reportingPoint(const FormValues& form)
{
    const std::optional<Levels> levels = numericLevels(form);
    if (!levels)
        return stopped(LevelNotNumeric);

    QString call = Frame::opening(form) + QLatin1String(", ") + form.text(Field::CurrentPoint) +
                   QLatin1Char(' ') + Frame::levelToken(form, Field::CurrentLevel) +
                   levelChangeWording(form, *levels, QLatin1String(", climbing ")) +
                   QLatin1String(", direct to ") + form.text(Field::NextPoint);
    if (!form.text(Field::EstimatedTime).isEmpty())
        call += QLatin1String(" at ") + form.text(Field::EstimatedTime) + QLatin1String("min");
    call += Frame::closing(form);

    return {call,
            {},
            {{Field::CurrentPoint, form.text(Field::NextPoint)}, {Field::NextPoint, QString()}}};
}

ComposeResult levelChange(const FormValues& form)
{
    const std::optional<Levels> levels = numericLevels(form);
    if (!levels)
        return stopped(LevelNotNumeric);

    return {Frame::opening(form) + QLatin1String(", ") +
                Frame::levelToken(form, Field::CurrentLevel) +
                levelChangeWording(form, *levels, QLatin1String(", maintaining ")) +
                Frame::closing(form),
            {},
            {}};
}

ComposeResult approachDescent(const FormValues& form)
{
    const QString warning = numericLevels(form) ? QString() : LevelNotNumeric;
    return {Frame::opening(form) + QLatin1String(", ") + form.text(Field::CurrentPoint) +
                QLatin1Char(' ') + Frame::levelToken(form, Field::CurrentLevel) +
                QLatin1String(", proceeding on ") + form.text(Field::ApproachProcedure) +
                QLatin1String(" for RWY") + form.text(Field::Runway) +
                QLatin1String(" approach, descending ") +
                Frame::levelToken(form, Field::NextLevel) + Frame::closing(form),
            warning,
            {}};
}

ComposeResult holding(const FormValues& form)
{
    if (!isNumeric(form.text(Field::CurrentLevel), form.locale()))
        return stopped(LevelNotNumeric);
    if (!isNumeric(form.text(Field::Course), form.locale()))
        return stopped(CourseNotNumeric);
    if (!isNumeric(form.text(Field::PatternLegTime), form.locale()))
        return stopped(TimeNotNumeric);

    const QLatin1String side =
        form.isLeftPattern() ? QLatin1String("left") : QLatin1String("right");
    return {Frame::opening(form) + QLatin1String(", hold at ") + form.text(Field::CurrentPoint) +
                QLatin1Char(' ') + Frame::levelToken(form, Field::CurrentLevel) +
                QLatin1String(", inbound track ") + form.text(Field::Course) + QLatin1String(", ") +
                side + QLatin1String(" hand pattern, time ") + form.text(Field::PatternLegTime) +
                QLatin1String(" min, ") + Frame::foldedClosing(form),
            {},
            {}};
}

} // namespace Velaro::EnRoute
