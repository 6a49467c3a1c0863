// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Composer.h"

#include <QObject>

#include <optional>

namespace Velaro
{

class FlightGearBinding;
class MainWindow;

// Shows in the window what the flight followed in FlightGear calls for. The call that
// comes next is marked: its button is the window's default one, which Enter presses
// wherever the keyboard focus is but on another button, it is drawn with a bar, and its
// description names it first. The switches follow the flight as far as it says and the
// pilot has not set them.
class NextCallMark : public QObject
{
    Q_OBJECT

public:
    NextCallMark(MainWindow& window, const FlightGearBinding& simulator);

    std::optional<Call> marked() const { return m_marked; }
    // Why no call is marked, to finish "no call comes next: …".
    QString whyNone() const;
    static const QString NotLinked;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void show();
    void followSwitches();
    void mark(std::optional<Call> call);

    MainWindow& m_window;
    const FlightGearBinding& m_simulator;
    std::optional<Call> m_marked;
};

} // namespace Velaro
