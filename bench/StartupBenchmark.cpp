// SPDX-License-Identifier: GPL-3.0-or-later
#include "Measurements.h"
#include "Median.h"

#include <QProcess>

#include <array>
#include <chrono>
#include <optional>
#include <utility>
#include <vector>

namespace Velaro::Bench
{

namespace
{

constexpr int LaunchesPerWindow = 31;
// Against the same form built plainly.
constexpr double WallTimeTarget = 1.05;
constexpr double MemoryTarget = 1.03;

struct Launch {
    double wallNanoseconds;
    double peakKibibytes;
};

struct Probed {
    const char* mode;
    const char* description;
    std::vector<Launch> launches;
};

// From just before the process starts to the end of its first frame.
std::optional<Launch> launch(const QString& probe, const char* mode)
{
    QProcess process;
    const auto start = std::chrono::steady_clock::now();
    process.start(probe, {QLatin1String(mode)});
    if (!process.waitForFinished() || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return std::nullopt;

    const QList<QByteArray> figures = process.readAllStandardOutput().trimmed().split(' ');
    bool timeRead = false;
    bool memoryRead = false;
    const qint64 firstFrame = figures.value(0).toLongLong(&timeRead);
    const double peak = figures.value(1).toDouble(&memoryRead);
    if (figures.size() != 2 || !timeRead || !memoryRead || peak <= 0)
        return std::nullopt;
    const std::chrono::nanoseconds launched = start.time_since_epoch();
    return Launch{static_cast<double>(firstFrame - launched.count()), peak};
}

double medianOf(const std::vector<Launch>& launches, double Launch::*figure)
{
    std::vector<double> values;
    for (const Launch& each : launches)
        values.push_back(each.*figure);
    return median(std::move(values));
}

// The windows' medians, then the program's against each of the others: the plain
// form, the floor for showing this very form, is held to the target; the label and
// empty windows are there for information.
Section figureSection(const QString& title, const std::array<Probed, 4>& windows,
                      double Launch::*figure, QString (*format)(double), double target)
{
    Section section{title, {}};
    for (const Probed& window : windows)
        section.rows.append({QLatin1String(window.description),
                             format(medianOf(window.launches, figure)),
                             {},
                             std::nullopt});

    const double program = medianOf(windows[0].launches, figure);
    for (std::size_t i = 1; i < windows.size(); ++i) {
        const double ratio = program / medianOf(windows[i].launches, figure);
        Row row{QStringLiteral("VELARO / %1").arg(QLatin1String(windows[i].mode)),
                formatRatio(ratio),
                {},
                std::nullopt};
        if (i == 1) {
            row.target = QStringLiteral("≤ ") + formatRatio(target);
            row.met = ratio <= target;
        }
        section.rows.append(row);
    }
    return section;
}

} // namespace

QList<Section> measureStartUp(const QString& probe)
{
    // The program first and the plain form second: the sections compare the program
    // with the others and hold it to the plain form.
    std::array<Probed, 4> windows{{
        {"program", "VELARO, as main() starts it", {}},
        {"plain", "the same form, plain Qt widgets", {}},
        {"label", "QMainWindow, one QLabel", {}},
        {"empty", "QMainWindow, empty central widget", {}},
    }};

    // The first launch of each only warms the page cache.
    for (int round = -1; round < LaunchesPerWindow; ++round) {
        for (Probed& window : windows) {
            const std::optional<Launch> result = launch(probe, window.mode);
            if (!result) {
                const Row failure{QStringLiteral("%1 %2").arg(probe, QLatin1String(window.mode)),
                                  QStringLiteral("failed"),
                                  {},
                                  false};
                return {{QStringLiteral("Start-up"), {failure}}};
            }
            if (round >= 0)
                window.launches.push_back(*result);
        }
    }

    const QString title = QStringLiteral("Start-up to the first painted frame, median of %1 "
                                         "alternating launches each, %2")
                              .arg(LaunchesPerWindow);
    return {figureSection(title.arg(QStringLiteral("wall time")), windows, &Launch::wallNanoseconds,
                          formatDuration, WallTimeTarget),
            figureSection(title.arg(QStringLiteral("peak resident memory")), windows,
                          &Launch::peakKibibytes, formatMemory, MemoryTarget)};
}

} // namespace Velaro::Bench
