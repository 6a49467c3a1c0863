// SPDX-License-Identifier: GPL-3.0-or-later
#include "NextCallMark.h"

#include "CallPreview.h"
#include "FlightGearBinding.h"
#include "MainWindow.h"

#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>

namespace Velaro
{

using FormLayout::Option;

NextCallMark::NextCallMark(MainWindow& window, const FlightGearBinding& simulator)
    : QObject(&window), m_window(window), m_simulator(simulator)
{
    connect(&simulator, &FlightGearBinding::followed, this, [this] {
        followSwitches();
        show();
    });
    // A pushback direction picked or cleared changes what comes first at the stand.
    connect(&window, &MainWindow::formChanged, this, &NextCallMark::show);
    for (const Option option : {Option::Departure, Option::Arrival})
        connect(window.option(option), &QAbstractButton::clicked, this,
                [this] { m_pilotSetPhase = true; });
    for (const Option option : {Option::LeftPattern, Option::RightPattern})
        connect(window.option(option), &QAbstractButton::clicked, this,
                [this] { m_pilotSetSide = true; });
    window.installEventFilter(this);
}

void NextCallMark::show()
{
    mark(m_simulator.isOn()
             ? m_simulator.flight().nextCall(m_window.formValues().isDirectionPicked())
             : std::nullopt);
}

void NextCallMark::mark(std::optional<Call> call)
{
    if (call == m_marked)
        return;
    if (m_marked)
        qobject_cast<QPushButton*>(m_window.callButton(*m_marked))->setDefault(false);
    m_marked = call;
    if (call)
        qobject_cast<QPushButton*>(m_window.callButton(*call))->setDefault(true);
    m_window.preview().setNextCall(call);
}

// Each switch is set when the flight asks for another setting than it did, unless the
// pilot has set it during the flight; a flight from a stand hands both back to the link.
void NextCallMark::followSwitches()
{
    const FlightGear::FlightPhase& flight = m_simulator.flight();
    if (!m_simulator.isOn() || flight.phase() == FlightGear::Phase::Unknown) {
        m_arriving.reset();
        m_leftPattern.reset();
        m_pilotSetPhase = m_pilotSetSide = false;
        return;
    }
    const bool arriving = flight.isArriving();
    if (m_arriving == true && !arriving)
        m_pilotSetPhase = m_pilotSetSide = false;
    if (arriving != m_arriving && !m_pilotSetPhase)
        m_window.option(arriving ? Option::Arrival : Option::Departure)->setChecked(true);
    m_arriving = arriving;
    const std::optional<bool> leftPattern = flight.isLeftPattern();
    if (leftPattern && leftPattern != m_leftPattern && !m_pilotSetSide)
        m_window.option(*leftPattern ? Option::LeftPattern : Option::RightPattern)
            ->setChecked(true);
    m_leftPattern = leftPattern;
}

QString NextCallMark::whyNone() const
{
    if (!m_simulator.isOn())
        return QStringLiteral("VELARO is not linked to FlightGear (Симулятор → FlightGear, or "
                              "velaro --flightgear)");
    const FlightGear::FlightPhase& flight = m_simulator.flight();
    return QStringLiteral("the aircraft is ") + FlightGear::FlightPhase::describe(flight.phase()) +
           (flight.hasSaidCall() ? QStringLiteral(", and its call is said") : QString());
}

// Enter that no control took, as a dialog's default button takes it.
bool NextCallMark::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && m_marked) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            m_window.callButton(*m_marked)->click();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace Velaro
