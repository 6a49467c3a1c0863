// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Composer.h"
#include "FormGeometry.h"
#include "FormValues.h"

#include <QStringList>

#include <array>
#include <optional>

// The window's layout as one catalogue: every field, button and option button with
// its object name, caption, position and place in the tab order, and the menus. The
// window is built from these tables, so nothing about a control is written down twice.
namespace Velaro::FormLayout
{

inline constexpr int DefaultLabelHeight = 255;

struct FieldEntry {
    // Absent for the pushback direction list, which is not a text field.
    std::optional<Field> role;
    // What `velaro --fill` and the message bus call a text field: English, lower case,
    // stable.
    const char* name;
    const char* objectName;
    const char* labelObjectName;
    const char* caption;
    TwipRect field;
    TwipRect label;
    int tabIndex;
};

struct ButtonEntry {
    Call call;
    // What `velaro --press` and the message bus call it: English, lower case, stable.
    const char* name;
    const char* objectName;
    const char* caption;
    TwipRect rect;
    int tabIndex;
};

enum class Option { LeftPattern, RightPattern, Departure, Arrival };

struct OptionEntry {
    Option role;
    const char* objectName;
    const char* caption;
    // Relative to the pattern frame for the pattern side, to the window otherwise.
    TwipRect rect;
    int tabIndex;
};

inline constexpr const char* WindowCaption = "Генератор сообщений VELARO";
// A fixed single border: the window can be minimised and closed, not maximised.
inline constexpr Qt::WindowFlags WindowFlags =
    Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
    Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;

inline constexpr TwipRect ClientArea{0, 0, 4350, 5955};
inline constexpr TwipRect PatternFrame{3240, 4320, 975, 975};
inline constexpr int SeparatorLeft = 120;
inline constexpr int SeparatorRight = 4080;
inline constexpr std::array<int, 3> SeparatorTops{1800, 2880, 5400};

// clang-format off
// Every text field, and the pushback direction list.
inline constexpr std::array<FieldEntry, FieldCount + 1> Fields{{
    {Field::Callsign, "callsign", "Text1", "Label1", "Позывн.", {120, 360, 735, 285}, {120, 120, 855, DefaultLabelHeight}, 0},
    {Field::Aerodrome, "aerodrome", "Text2", "Label2", "АПТ/ FIR", {960, 360, 615, 285}, {960, 120, 1095, DefaultLabelHeight}, 1},
    {Field::Runway, "runway", "Text3_6", "Label9_0", "ВПП", {1680, 360, 615, 285}, {1800, 120, 495, DefaultLabelHeight}, 2},
    {Field::Taxiway, "taxiway", "Text3_0", "Label9_1", "РД", {2400, 360, 495, 285}, {2520, 120, 375, DefaultLabelHeight}, 3},
    {Field::Stand, "stand", "Text3_2", "Label5_0", "Стоянка", {120, 960, 615, 285}, {120, 720, 735, DefaultLabelHeight}, 6},
    {std::nullopt, nullptr, "Combo1", "Label6", "Напр. буксировки", {960, 960, 1215, 315}, {960, 720, 1575, DefaultLabelHeight}, 7},
    {Field::TaxiRoute, "taxi-route", "Text3_5", "Label8", "Маршрут руления", {2400, 960, 1815, 285}, {2640, 720, 1455, DefaultLabelHeight}, 8},
    {Field::DepartureProcedure, "departure-procedure", "Text3_7", "Label10", "Схема выхода", {1320, 1920, 735, 285}, {120, 1980, 1215, DefaultLabelHeight}, 13},
    {Field::InitialLevel, "initial-level", "Text3_8", "Label11", "Начальн. эшелон", {3600, 1920, 615, 285}, {2160, 1980, 1455, DefaultLabelHeight}, 14},
    {Field::CurrentPoint, "current-point", "Text3_9", "Label12", "ПОД тек.", {1440, 3240, 855, 285}, {1560, 3000, 855, DefaultLabelHeight}, 18},
    {Field::NextPoint, "next-point", "Text3_4", "Label7", "ПОД след", {2400, 3240, 855, 285}, {2400, 3000, 855, DefaultLabelHeight}, 19},
    {Field::EstimatedTime, "estimated-time", "Text3_1", "Label15_1", "Расч. вр.", {3360, 3240, 855, 285}, {3480, 3000, 735, DefaultLabelHeight}, 20},
    {Field::CurrentLevel, "current-level", "Text3_10", "Label13", "Эшелон тек.", {1800, 3840, 735, 285}, {1680, 3600, 1335, DefaultLabelHeight}, 21},
    {Field::NextLevel, "next-level", "Text3_11", "Label14", "Эшелон след.", {3000, 3840, 735, 285}, {2880, 3600, 1095, DefaultLabelHeight}, 22},
    {Field::ApproachProcedure, "approach-procedure", "Text3_15", "Label18", "Схема подхода", {2160, 4320, 855, 285}, {1440, 4270, 735, 375}, 25},
    {Field::Course, "course", "Text3_3", "Label4", "Курс", {1440, 4920, 615, 285}, {1560, 4680, 495, DefaultLabelHeight}, 27},
    {Field::PatternLegTime, "leg-time", "Text3_12", "Label15_0", "Дл. круга", {2280, 4920, 735, 285}, {2280, 4680, 735, DefaultLabelHeight}, 28},
}};

inline constexpr std::array<ButtonEntry, CallCount> Buttons{{
    {Call::Pushback, "pushback", "Command1", "Буксировка", {120, 1320, 1095, 375}, 9},
    {Call::StartUpOrShutdown, "engines", "Command2", "Запуск", {1320, 1320, 735, 375}, 10},
    {Call::Taxi, "taxi", "Command3_0", "Руление", {2160, 1320, 855, 375}, 11},
    {Call::RunwayVacated, "vacated", "Command16_1", "Осв. ВПП", {3120, 1320, 975, 375}, 12},
    {Call::LiningUp, "lineup", "Command4", "Занятие исполнит.", {120, 2400, 1575, 375}, 15},
    {Call::TakeOff, "takeoff", "Command5", "Взлет", {1860, 2400, 975, 375}, 16},
    {Call::AfterTakeOff, "airborne", "Command6", "После взлета", {3000, 2400, 1215, 375}, 17},
    {Call::ReportingPoint, "report", "Command7", "Наб./ Сниж/ПОД", {120, 3000, 1095, 495}, 23},
    {Call::LevelChange, "level", "Command9", "Смена эшелона", {120, 3645, 1095, 495}, 24},
    {Call::ApproachDescent, "descent", "Command10", "Снижение", {120, 4300, 1095, 375}, 26},
    {Call::Holding, "hold", "Command8", "З. О.", {120, 4850, 1095, 375}, 31},
    {Call::Crosswind, "crosswind", "Command11", "на 1-м", {120, 5520, 735, 375}, 32},
    {Call::Base, "base", "Command12", "на 3-м", {960, 5520, 735, 375}, 33},
    {Call::TurningFinal, "turning-final", "Command13", "на 4-м", {1800, 5520, 735, 375}, 34},
    {Call::Final, "final", "Command14", "Глисс.", {2640, 5520, 855, 375}, 35},
    {Call::GoAround, "go-around", "Command15", "Уход", {3600, 5520, 615, 375}, 36},
}};

inline constexpr std::array<OptionEntry, 4> Options{{
    {Option::LeftPattern, "Option1_0", "Лев.", {120, 210, 735, 450}, 29},
    {Option::RightPattern, "Option1_1", "Прав.", {120, 550, 735, 375}, 30},
    {Option::Departure, "Option1_2", "Взлет", {3240, 0, 975, 375}, 4},
    {Option::Arrival, "Option1_3", "Посадка", {3240, 360, 975, 375}, 5},
}};

// clang-format on

struct MenuEntry {
    const char* objectName;
    const char* caption;
};

enum class MenuCommand { Exit, Metric, Imperial, SayCalls, FlightGear, FlightGearState, About };

struct MenuItemEntry {
    MenuCommand command;
    // The menu's place in Menus.
    std::size_t menu;
    const char* objectName;
    const char* caption;
    // Absent for items without a check mark; otherwise whether it is checked at start.
    std::optional<bool> checked;
    bool separatorBefore = false;
};

inline constexpr std::array<MenuEntry, 4> Menus{{
    {"File", "&Файл"},
    {"Options", "&Параметры"},
    // Its access key is М: С opens Help.
    {"Simulator", "Си&мулятор"},
    {"Help", "&Справка"},
}};

inline constexpr std::array<MenuItemEntry, 7> MenuItems{{
    {MenuCommand::Exit, 0, "Exit", "&Выход", std::nullopt},
    {MenuCommand::Metric, 1, "metric", "Метрическая", true},
    {MenuCommand::Imperial, 1, "Imperial", "Английская", false},
    {MenuCommand::SayCalls, 1, "SayCalls", "Произносить вызовы", false, true},
    {MenuCommand::FlightGear, 2, "FlightGear", "FlightGear", false},
    // Says how the link stands; never chosen.
    {MenuCommand::FlightGearState, 2, "FlightGearState", "Связь выключена", std::nullopt},
    {MenuCommand::About, 3, "About", "О программе", std::nullopt},
}};

// The call of that name, if there is one.
inline std::optional<Call> callNamed(QStringView name)
{
    for (const ButtonEntry& entry : Buttons) {
        if (name == QLatin1String(entry.name))
            return entry.call;
    }
    return std::nullopt;
}

// The text field of that name, if there is one.
inline std::optional<Field> fieldNamed(QStringView name)
{
    for (const FieldEntry& entry : Fields) {
        if (entry.role && name == QLatin1String(entry.name))
            return entry.role;
    }
    return std::nullopt;
}

// The names an entry of the table goes by, for a message; entries without one are left out.
template <typename Table> QString namesOf(const Table& table)
{
    QStringList names;
    for (const auto& entry : table) {
        if (entry.name)
            names << QLatin1String(entry.name);
    }
    return names.join(QStringLiteral(", "));
}
inline QString callNames()
{
    return namesOf(Buttons);
}
// What `velaro --press` and the message bus call the call that comes next while the
// window follows the flight in FlightGear.
inline constexpr const char* NextCallName = "next";
inline QString fieldNames()
{
    return namesOf(Fields);
}

// Each field and each call has exactly one entry.
constexpr bool coversEachOnce()
{
    for (std::size_t field = 0; field < FieldCount; ++field) {
        int entries = 0;
        for (const FieldEntry& entry : Fields)
            entries += entry.role == static_cast<Field>(field) ? 1 : 0;
        if (entries != 1)
            return false;
    }
    for (int call = 0; call < CallCount; ++call) {
        int entries = 0;
        for (const ButtonEntry& entry : Buttons)
            entries += entry.call == static_cast<Call>(call) ? 1 : 0;
        if (entries != 1)
            return false;
    }
    return true;
}
static_assert(coversEachOnce());

inline constexpr const char* Directions[] = {
    "south", "north", "east", "west", "south-east", "south-west", "north-east", "north-west",
};

} // namespace Velaro::FormLayout
