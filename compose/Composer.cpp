// SPDX-License-Identifier: GPL-3.0-or-later
#include "Composer.h"

#include "Circuit.h"
#include "Departure.h"
#include "EnRoute.h"
#include "Ground.h"

namespace Velaro
{

ComposeResult compose(Call call, const FormValues& form)
{
    switch (call) {
    case Call::Pushback:
        return {Ground::pushback(form), {}, {}};
    case Call::StartUpOrShutdown:
        return {Ground::startUpOrShutdown(form), {}, {}};
    case Call::Taxi:
        return {Ground::taxi(form), {}, {}};
    case Call::RunwayVacated:
        return {Ground::runwayVacated(form), {}, {}};
    case Call::LiningUp:
        return {Departure::liningUp(form), {}, {}};
    case Call::TakeOff:
        return {Departure::takeOff(form), {}, {}};
    case Call::AfterTakeOff:
        return {Departure::afterTakeOff(form), {}, {}};
    case Call::ReportingPoint:
        return EnRoute::reportingPoint(form);
    case Call::LevelChange:
        return EnRoute::levelChange(form);
    case Call::ApproachDescent:
        return EnRoute::approachDescent(form);
    case Call::Holding:
        return EnRoute::holding(form);
    case Call::Crosswind:
        return {Circuit::crosswind(form), {}, {}};
    case Call::Base:
        return {Circuit::base(form), {}, {}};
    case Call::TurningFinal:
        return {Circuit::turningFinal(form), {}, {}};
    case Call::Final:
        return {Circuit::finalApproach(form), {}, {}};
    case Call::GoAround:
        return {Circuit::goAround(form), {}, {}};
    }
    return {};
}

} // namespace Velaro
