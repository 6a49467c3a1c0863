// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ComposeResult.h"
#include "Composer.h"
#include "FormValues.h"

#include <QString>
#include <QTest>

#include <initializer_list>
#include <optional>
#include <utility>

namespace Velaro
{

// Found by argument-dependent lookup, so that QCOMPARE can print the field writes it compares.
inline char* toString(const FieldWrite& write)
{
    return QTest::toString(QStringLiteral("field %1 set to \"%2\"")
                               .arg(static_cast<int>(write.field))
                               .arg(write.text));
}

} // namespace Velaro

namespace Velaro::Testing
{

inline ComposeResult delivered(const QString& call, const QList<FieldWrite>& fieldWrites = {})
{
    return {call, QString(), fieldWrites};
}

inline ComposeResult deliveredWithWarning(const QString& call, const QString& warning)
{
    return {call, warning, {}};
}

inline ComposeResult stopped(const QString& warning)
{
    return {std::nullopt, warning, {}};
}

inline QString describedCall(const ComposeResult& result)
{
    return result.call.value_or(QStringLiteral("<no call delivered>"));
}

// QCOMPARE leaves this helper, not the test: later checks of a row that already failed are
// skipped so that each row reports one failure.
inline void compareResults(const ComposeResult& actual, const ComposeResult& expected)
{
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(describedCall(actual), describedCall(expected));
    QCOMPARE(actual.warning, expected.warning);
    QCOMPARE(actual.fieldWrites, expected.fieldWrites);
}

template <typename Expected> void addFormColumns()
{
    QTest::addColumn<FormValues>("form");
    QTest::addColumn<Expected>("expected");
}

// The window reaches every call through compose(); the composer itself must agree with it.
inline void verifyComposer(Call call, void (*composer)(const FormValues&, Message&))
{
    QFETCH(FormValues, form);
    QFETCH(QString, expected);
    Message message;
    composer(form, message);
    QCOMPARE(message.written(), expected);
    compareResults(compose(call, form), delivered(expected));
}

inline void verifyComposer(Call call, PressEffects (*composer)(const FormValues&, Message&))
{
    QFETCH(FormValues, form);
    QFETCH(ComposeResult, expected);
    Message message;
    PressEffects effects = composer(form, message);
    compareResults(pressResult(message, std::move(effects)), expected);
    compareResults(compose(call, form), expected);
}

enum class Switch { Units, FlightPhase, PatternSide };

inline FormValues flipped(FormValues form, Switch modeSwitch)
{
    switch (modeSwitch) {
    case Switch::Units:
        form.setImperial(!form.isImperial());
        break;
    case Switch::FlightPhase:
        form.setDeparture(!form.isDeparture());
        break;
    case Switch::PatternSide:
        form.setLeftPattern(!form.isLeftPattern());
        break;
    }
    return form;
}

inline const char* settingName(const FormValues& form, Switch modeSwitch)
{
    switch (modeSwitch) {
    case Switch::Units:
        return form.isImperial() ? "imperial units" : "metric units";
    case Switch::FlightPhase:
        return form.isDeparture() ? "departure mode" : "arrival mode";
    case Switch::PatternSide:
        return form.isLeftPattern() ? "left-hand pattern" : "right-hand pattern";
    }
    return "";
}

namespace Detail
{

template <typename Expected>
void addRowUnaffectedBy(const char* name, const FormValues& form, const Expected& expected,
                        std::initializer_list<Switch> switches)
{
    QTest::newRow(name) << form << expected;
    for (Switch modeSwitch : switches) {
        const FormValues other = flipped(form, modeSwitch);
        QTest::addRow("%s, %s", name, settingName(other, modeSwitch)) << other << expected;
    }
}

} // namespace Detail

// Adds the row, then for each switch the same row with that switch turned the other way and
// the same expected outcome.
inline void addRowUnaffectedBy(const char* name, const FormValues& form, const QString& expected,
                               std::initializer_list<Switch> switches)
{
    Detail::addRowUnaffectedBy(name, form, expected, switches);
}

inline void addRowUnaffectedBy(const char* name, const FormValues& form,
                               const ComposeResult& expected,
                               std::initializer_list<Switch> switches)
{
    Detail::addRowUnaffectedBy(name, form, expected, switches);
}

} // namespace Velaro::Testing
