// SPDX-License-Identifier: GPL-3.0-or-later
#include "Composer.h"

#include "Circuit.h"
#include "Departure.h"
#include "EnRoute.h"
#include "Ground.h"
#include "Spoken.h"

#include <utility>

namespace Velaro
{

namespace
{

PressEffects build(Call call, const FormValues& form, Message& message)
{
    switch (call) {
    case Call::Pushback:
        Ground::pushback(form, message);
        break;
    case Call::StartUpOrShutdown:
        Ground::startUpOrShutdown(form, message);
        break;
    case Call::Taxi:
        Ground::taxi(form, message);
        break;
    case Call::RunwayVacated:
        Ground::runwayVacated(form, message);
        break;
    case Call::LiningUp:
        Departure::liningUp(form, message);
        break;
    case Call::TakeOff:
        Departure::takeOff(form, message);
        break;
    case Call::AfterTakeOff:
        Departure::afterTakeOff(form, message);
        break;
    case Call::ReportingPoint:
        return EnRoute::reportingPoint(form, message);
    case Call::LevelChange:
        return EnRoute::levelChange(form, message);
    case Call::ApproachDescent:
        return EnRoute::approachDescent(form, message);
    case Call::Holding:
        return EnRoute::holding(form, message);
    case Call::Crosswind:
        Circuit::crosswind(form, message);
        break;
    case Call::Base:
        Circuit::base(form, message);
        break;
    case Call::TurningFinal:
        Circuit::turningFinal(form, message);
        break;
    case Call::Final:
        Circuit::finalApproach(form, message);
        break;
    case Call::GoAround:
        Circuit::goAround(form, message);
        break;
    }
    return {};
}

} // namespace

ComposeResult compose(Call call, const FormValues& form, Rendering rendering)
{
    Message message;
    PressEffects effects = build(call, form, message);
    const bool delivers = effects.delivers;
    ComposeResult result = pressResult(message, std::move(effects));
    if (delivers && rendering == Rendering::WrittenAndSpoken)
        result.spoken = spokenForm(message);
    return result;
}

std::optional<QString> speak(Call call, const FormValues& form)
{
    return compose(call, form, Rendering::WrittenAndSpoken).spoken;
}

} // namespace Velaro
