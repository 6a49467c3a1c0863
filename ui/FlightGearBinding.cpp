// SPDX-License-Identifier: GPL-3.0-or-later
#include "FlightGearBinding.h"

#include "BusInterface.h"
#include "FormLayout.h"
#include "MainWindow.h"

#include <QAbstractButton>
#include <QAction>
#include <QLineEdit>

namespace Velaro
{

using FlightGear::Link;
using FormLayout::MenuCommand;

namespace
{

const QString FromSimulator = QStringLiteral("Из FlightGear");

} // namespace

FlightGearBinding::FlightGearBinding(MainWindow& window, Link& link)
    : QObject(&window), m_window(window), m_link(link)
{
    connect(window.menuItem(MenuCommand::FlightGear), &QAction::triggered, this,
            [this](bool on) { on ? m_link.start(m_server) : m_link.stop(); });
    connect(window.menuItem(MenuCommand::Imperial), &QAction::toggled, this,
            &FlightGearBinding::fill);
    connect(&link, &Link::readingChanged, this, [this] {
        showState();
        follow();
        fill();
    });
    connect(&link, &Link::stateChanged, this, [this] {
        m_chatFailure.clear();
        if (m_link.state() == Link::State::Connecting)
            m_phase = {};
        // Each link says once that FlightGear is on no multiplayer server.
        if (m_link.state() == Link::State::Off)
            m_offlineSaid = false;
        showState();
        fill();
        emit followed();
    });
    connect(&window, &MainWindow::delivered, this, [this](Call call, const QString& text) {
        if (isOn()) {
            m_phase.announced(call);
            emit followed();
        }
        if (call == Call::ReportingPoint)
            m_reportedWaypoint = FlightGear::aircraftStateOf(m_link.reading()).activeWaypoint;
        relay(text);
    });
    // The pilot's own setting of a switch holds for the flight.
    for (const auto option : {FormLayout::Option::Departure, FormLayout::Option::Arrival})
        connect(window.option(option), &QAbstractButton::clicked, this,
                [this] { m_phase.pilotSetArrival(); });
    for (const auto option : {FormLayout::Option::LeftPattern, FormLayout::Option::RightPattern})
        connect(window.option(option), &QAbstractButton::clicked, this,
                [this] { m_phase.pilotSetPatternSide(); });
    for (std::size_t i = 0; i < FieldCount; ++i) {
        const auto field = static_cast<Field>(i);
        QLineEdit* edit = window.field(field);
        connect(edit, &QLineEdit::textChanged, this, [this, field](const QString& text) {
            if (!m_filling && text != stateOf(field).filled)
                forget(field);
        });
        connect(edit, &QLineEdit::textEdited, this,
                [this, field](const QString& text) { stateOf(field).keptEmpty = text.isEmpty(); });
        connect(edit, &QLineEdit::editingFinished, this, [this, field] {
            stateOf(field).keptEmpty = false;
            fill();
        });
    }
}

void FlightGearBinding::linkTo(const QUrl& server)
{
    m_server = server;
    m_window.menuItem(MenuCommand::FlightGear)->setChecked(true);
    m_link.start(server);
}

void FlightGearBinding::follow()
{
    // The pilot's own runway is the one the circuit is flown to.
    const bool pilotsRunway = stateOf(Field::Runway).filled.isEmpty();
    m_phase.setPilotRunway(pilotsRunway ? m_window.field(Field::Runway)->text() : QString());
    m_phase.update(FlightGear::aircraftStateOf(m_link.reading()), m_link.runways());
    emit followed();
}

void FlightGearBinding::fill()
{
    if (!isOn()) {
        for (std::size_t i = 0; i < FieldCount; ++i)
            forget(static_cast<Field>(i));
        return;
    }
    const bool imperial = m_window.menuItem(MenuCommand::Imperial)->isChecked();
    const int activeWaypoint = FlightGear::aircraftStateOf(m_link.reading()).activeWaypoint;
    for (const FieldWrite& write :
         FlightGear::fieldsFrom(m_link.reading(), m_phase.runwayInUse(), imperial)) {
        QLineEdit* field = m_window.field(write.field);
        FieldState& state = stateOf(write.field);
        const bool vacant = field->text().isEmpty() && !state.keptEmpty;
        // The point just reported waits for the route to move on to the next.
        const bool reported =
            write.field == Field::NextPoint && activeWaypoint == m_reportedWaypoint;
        // What the simulator wrote goes when it has nothing for the field any more.
        if ((state.filled.isEmpty() && !vacant) || reported ||
            (write.text.isEmpty() && state.filled.isEmpty()))
            continue;
        m_filling = true;
        field->setText(write.text);
        m_filling = false;
        // As the field keeps it: one line of upper case.
        state.filled = field->text();
        mark(write.field, !state.filled.isEmpty());
    }
}

void FlightGearBinding::forget(Field field)
{
    stateOf(field).filled.clear();
    mark(field, false);
}

void FlightGearBinding::mark(Field field, bool fromSimulator)
{
    QLineEdit* edit = m_window.field(field);
    if (edit->font().italic() == fromSimulator)
        return;
    QFont font = edit->font();
    font.setItalic(fromSimulator);
    edit->setFont(font);
    edit->setAccessibleDescription(fromSimulator ? FromSimulator : QString());
    edit->setToolTip(fromSimulator
                         ? FromSimulator + QStringLiteral(": впишите своё, и оно останется")
                         : QString());
}

void FlightGearBinding::relay(const QString& call)
{
    if (!isOn())
        return;
    QString note;
    if (m_link.reading().flag(FlightGear::Property::Online) == false && !m_offlineSaid) {
        m_offlineSaid = true;
        note = QStringLiteral("FlightGear is not on a multiplayer server: the call shows in its "
                              "chat on this screen only, no one else receives it");
    }
    // FlightGear has as long to take a call as a press from another program waits for it.
    FlightGear::ChatPost* post = m_link.postChat(call, BusInterface::ChatMilliseconds);
    connect(post, &FlightGear::ChatPost::finished, this, [this](const QString& failure) {
        m_chatFailure = failure;
        showState();
    });
    emit relayed(post, note);
}

void FlightGearBinding::showState()
{
    const QString where = m_server.authority();
    QString title;
    QString state;
    switch (m_link.state()) {
    case Link::State::Off:
        state = QStringLiteral("Связь выключена");
        break;
    case Link::State::Connecting:
        title = QStringLiteral("FlightGear: подключение");
        state = QStringLiteral("Подключение к %1…").arg(where);
        break;
    case Link::State::Linked:
        title = QStringLiteral("FlightGear");
        state = QStringLiteral("Связь с %1").arg(where);
        if (m_link.reading().flag(FlightGear::Property::Online) == false) {
            title = QStringLiteral("FlightGear, не в сети");
            state = QStringLiteral("Не в сети: вызовы в чате видите только вы");
        }
        break;
    case Link::State::Unreachable:
        title = QStringLiteral("FlightGear: нет связи");
        state = QStringLiteral("Нет ответа с %1: связь восстановится сама").arg(where);
        break;
    case Link::State::NotUnderstood:
        title = QStringLiteral("FlightGear: непонятный ответ");
        state = QStringLiteral("С %1 отвечает не FlightGear или не так, как он").arg(where);
        break;
    }
    // A link that is down says more than the call it could not pass on.
    if (!m_chatFailure.isEmpty() && m_link.state() == Link::State::Linked) {
        title = QStringLiteral("FlightGear: вызов не попал в чат");
        state = QStringLiteral("Вызов не попал в чат: ") + m_chatFailure;
    }
    const QString caption = QString::fromUtf8(FormLayout::WindowCaption);
    m_window.setWindowTitle(title.isEmpty() ? caption : caption + QStringLiteral(" — ") + title);
    m_window.menuItem(MenuCommand::FlightGearState)->setText(state);
}

} // namespace Velaro
