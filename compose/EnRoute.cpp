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
void addLevelChange(const FormValues& form, Levels levels, QStringView climbing, Message& call)
{
    if (levels.current < levels.next)
        call << words(climbing) << Frame::level(form, Field::NextLevel);
    else if (levels.current > levels.next)
        call << words(u", descending ") << Frame::level(form, Field::NextLevel);
}

PressEffects stopped(const QString& warning)
{
    return {false, warning, {}};
}

} // namespace

PressEffects reportingPoint(const FormValues& form, Message& call)
{
    const std::optional<Levels> levels = numericLevels(form);
    if (!levels)
        return stopped(LevelNotNumeric);

    Frame::open(form, call);
    call << words(u", ") << fieldPiece(PieceKind::TypedText, form, Field::CurrentPoint)
         << words(u" ") << Frame::level(form, Field::CurrentLevel);
    addLevelChange(form, *levels, u", climbing ", call);
    call << words(u", direct to ") << fieldPiece(PieceKind::TypedText, form, Field::NextPoint);
    // Optional: without an estimated time the call simply ends at the point.
    if (form.hasText(Field::EstimatedTime))
        call << words(u" at ")
             << fieldPiece(PieceKind::MinutesPastHour, form, Field::EstimatedTime);
    Frame::close(form, call);

    return {true,
            {},
            {{Field::CurrentPoint, form.text(Field::NextPoint)}, {Field::NextPoint, QString()}}};
}

PressEffects levelChange(const FormValues& form, Message& call)
{
    const std::optional<Levels> levels = numericLevels(form);
    if (!levels)
        return stopped(LevelNotNumeric);

    Frame::open(form, call);
    call << words(u", ") << Frame::level(form, Field::CurrentLevel);
    addLevelChange(form, *levels, u", maintaining ", call);
    Frame::close(form, call);
    return {};
}

PressEffects approachDescent(const FormValues& form, Message& call)
{
    const QString warning = numericLevels(form) ? QString() : LevelNotNumeric;
    Frame::open(form, call);
    call << words(u", ") << fieldPiece(PieceKind::TypedText, form, Field::CurrentPoint)
         << words(u" ") << Frame::level(form, Field::CurrentLevel) << words(u", proceeding on ")
         << fieldPiece(PieceKind::TypedText, form, Field::ApproachProcedure) << words(u" for ")
         << fieldPiece(PieceKind::Runway, form, Field::Runway) << words(u" approach, descending ")
         << Frame::level(form, Field::NextLevel);
    Frame::close(form, call);
    return {true, warning, {}};
}

PressEffects holding(const FormValues& form, Message& call)
{
    if (!isNumeric(form.text(Field::CurrentLevel), form.locale()))
        return stopped(LevelNotNumeric);
    if (!isNumeric(form.text(Field::Course), form.locale()))
        return stopped(CourseNotNumeric);
    if (!isNumeric(form.text(Field::PatternLegTime), form.locale()))
        return stopped(TimeNotNumeric);

    Frame::open(form, call);
    call << words(u", hold at ") << fieldPiece(PieceKind::TypedText, form, Field::CurrentPoint)
         << words(u" ") << Frame::level(form, Field::CurrentLevel) << words(u", inbound track ")
         << fieldPiece(PieceKind::TypedText, form, Field::Course) << words(u", ")
         << words(form.isLeftPattern() ? QStringView(u"left") : QStringView(u"right"))
         << words(u" hand pattern, time ")
         << fieldPiece(PieceKind::LegTime, form, Field::PatternLegTime) << words(u", ");
    Frame::closeFolded(form, call);
    return {};
}

} // namespace Velaro::EnRoute
