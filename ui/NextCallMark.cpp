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

const QString NextCallMark::NotLinked = QStringLiteral(
    "VELARO is not linked to FlightGear (Симулятор → FlightGear, or velaro --flightgear)");

NextCallMark::NextCallMark(MainWindow& window, const FlightGearBinding& simulator)
    : QObject(&window), m_window(window), m_simulator(simulator)
{
    connect(&simulator, &FlightGearBinding::followed, this, [this] {
        followSwitches();
        show();
    });
    // A pushback direction picked or cleared changes what comes first at the stand.
    connect(&window, &MainWindow::formChanged, this, &NextCallMark::show);
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

void NextCallMark::followSwitches()
{
    if (!m_simulator.isOn())
        return;
    const FlightGear::FlightPhase& flight = m_simulator.flight();
    if (const std::optional<bool> arrival = flight.arrivalShown())
        m_window.option(*arrival ? Option::Arrival : Option::Departure)->setChecked(true);
    if (const std::optional<bool> left = flight.leftPatternShown())
        m_window.option(*left ? Option::LeftPattern : Option::RightPattern)->setChecked(true);
}

QString NextCallMark::whyNone() const
{
    if (!m_simulator.isOn())
        return NotLinked;
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
