// SPDX-License-Identifier: GPL-3.0-or-later
#include "Measurements.h"
#include "Numeric.h"
#include "Workload.h"

#include <benchmark/benchmark.h>

#include <utility>
#include <vector>

namespace Velaro::Bench
{

namespace
{

constexpr int Repetitions = 9;
constexpr double SecondsPerRepetition = 0.05;
constexpr double ComposeTargetNanoseconds = 1000;

// The median of each benchmark's repetitions, in the order they ran.
class MedianCollector : public benchmark::BenchmarkReporter
{
public:
    bool ReportContext(const Context&) override { return true; }

    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                medians.emplace_back(QString::fromStdString(run.run_name.function_name),
                                     run.GetAdjustedCPUTime());
        }
    }

    std::vector<std::pair<QString, double>> medians;
};

void configure(benchmark::internal::Benchmark* benchmark)
{
    benchmark->Unit(benchmark::kNanosecond)
        ->MinTime(SecondsPerRepetition)
        ->Repetitions(Repetitions)
        ->ReportAggregatesOnly();
}

} // namespace

Section measureComposing()
{
    const QString composePrefix = QStringLiteral("compose ");
    const FormValues form = exampleForm();
    for (const FormLayout::ButtonEntry& entry : FormLayout::Buttons) {
        const std::string name = (composePrefix + QLatin1String(entry.name)).toStdString();
        configure(benchmark::RegisterBenchmark(name.c_str(),
                                               [call = entry.call, form](benchmark::State& state) {
                                                   for (auto _ : state) {
                                                       ComposeResult result = compose(call, form);
                                                       benchmark::DoNotOptimize(result);
                                                   }
                                               }));
    }

    // Said aloud only for the preview, never on a press; for information.
    configure(benchmark::RegisterBenchmark("speak lining up", [form](benchmark::State& state) {
        for (auto _ : state) {
            std::optional<QString> spoken = speak(Call::LiningUp, form);
            benchmark::DoNotOptimize(spoken);
        }
    }));

    // A level, a course, a signed fraction, and a level mistyped with a letter O.
    for (const char* input : {"3000", "095", "-1.5", "30O0"}) {
        const std::string name = QStringLiteral("parseNumber \"%1\"").arg(input).toStdString();
        configure(benchmark::RegisterBenchmark(
            name.c_str(), [text = QString::fromLatin1(input)](benchmark::State& state) {
                const QLocale locale = QLocale::c();
                for (auto _ : state) {
                    std::optional<double> number = parseNumber(text, locale);
                    benchmark::DoNotOptimize(number);
                }
            }));
    }

    MedianCollector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);

    Section section{
        QStringLiteral("Composing, Google Benchmark, CPU time, median of %1 repetitions")
            .arg(Repetitions),
        {}};
    for (const auto& [name, nanoseconds] : collector.medians) {
        Row row{name, formatDuration(nanoseconds), {}, std::nullopt};
        if (name.startsWith(composePrefix)) {
            row.target = QStringLiteral("< 1 µs");
            row.met = nanoseconds < ComposeTargetNanoseconds;
        }
        section.rows.append(row);
    }
    return section;
}

} // namespace Velaro::Bench
