// SPDX-License-Identifier: GPL-3.0-or-later
#include "FormLayout.h"
#include "MainWindow.h"
#include "Measurements.h"
#include "Median.h"
#include "Presses.h"
#include "WindowDriver.h"
#include "Workload.h"

#include <QClipboard>
#include <QComboBox>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <utility>
#include <vector>

namespace Velaro::Bench
{

namespace
{

constexpr int PressesPerButton = 1000;

// Puts the example values back before every press, since some calls rewrite fields.
class ExampleFiller
{
public:
    explicit ExampleFiller(MainWindow& window) : m_driver(window) {}

    void fill() const
    {
        for (const auto& [field, text] : Testing::ExampleFlight)
            m_driver.edit(field)->setText(QString::fromLatin1(text));
        QComboBox* list = m_driver.directionList();
        list->setCurrentIndex(list->findText(QLatin1String(ExampleDirection)));
    }

private:
    WindowDriver m_driver;
};

Row measureButton(MainWindow& window, const FormLayout::ButtonEntry& entry)
{
    const QString measure = QStringLiteral("%1 (%2)").arg(QLatin1String(callName(entry.call)),
                                                          QLatin1String(entry.objectName));
    std::variant<std::vector<double>, QString> times =
        timePresses(window, entry.call, PressesPerButton);
    if (const QString* failure = std::get_if<QString>(&times))
        return {measure, QStringLiteral("not measured: ") + *failure, {}, false};
    const double typical = median(std::get<std::vector<double>>(std::move(times)));
    return {measure, formatDuration(typical), QStringLiteral("< 1 ms"),
            typical < PressTargetNanoseconds};
}

} // namespace

std::variant<std::vector<double>, QString> timePresses(MainWindow& window, Call call, int presses,
                                                       const std::function<void()>& beforeEach)
{
    const ExampleFiller filler(window);
    QAbstractButton* button = WindowDriver(window).button(call);
    QClipboard* clipboard = QGuiApplication::clipboard();

    filler.fill();
    // A press that warns would block on its message box.
    const ComposeResult expected = compose(call, window.formValues());
    if (!expected.warning.isEmpty() || !expected.call)
        return QStringLiteral("warns");

    std::vector<double> nanoseconds;
    nanoseconds.reserve(static_cast<std::size_t>(presses));
    for (int press = 0; press < presses; ++press) {
        if (beforeEach)
            beforeEach();
        // Between presses the window is idle, as between a pilot's presses.
        filler.fill();
        clipboard->clear();
        QCoreApplication::processEvents();

        const auto start = std::chrono::steady_clock::now();
        QTest::mouseClick(button, Qt::LeftButton);
        const QString delivered = clipboard->text();
        const auto end = std::chrono::steady_clock::now();

        if (delivered != *expected.call)
            return QStringLiteral("wrong call");
        nanoseconds.push_back(std::chrono::duration<double, std::nano>(end - start).count());
    }
    return nanoseconds;
}

Section measurePresses()
{
    MainWindow window;
    window.show();
    Section section{QStringLiteral("Press to clipboard, QTest::mouseClick on the %1 platform, "
                                   "median of %2 presses")
                        .arg(QGuiApplication::platformName())
                        .arg(PressesPerButton),
                    {}};
    if (!QTest::qWaitForWindowExposed(&window)) {
        section.rows.append(
            {QStringLiteral("main window"), QStringLiteral("never exposed"), {}, false});
        return section;
    }
    for (const FormLayout::ButtonEntry& entry : FormLayout::Buttons)
        section.rows.append(measureButton(window, entry));
    return section;
}

} // namespace Velaro::Bench
