// SPDX-License-Identifier: GPL-3.0-or-later
#include "FlightGearBinding.h"
#include "FlightGearLink.h"
#include "MainWindow.h"
#include "Measurements.h"
#include "Median.h"
#include "NextCallMark.h"
#include "Presses.h"
#include "RecordedFlight.h"
#include "StandInFlightGear.h"
#include "Workload.h"

#include <QAction>
#include <QClipboard>
#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPointer>
#include <QRegularExpression>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <functional>
#include <type_traits>
#include <utility>
#include <vector>

namespace Velaro::Bench
{

namespace
{

using FlightGear::Property;
using Clock = std::chrono::steady_clock;

constexpr int LinkedPresses = 200;
constexpr int ValueChanges = 10;
constexpr double ChangeTargetNanoseconds = 1e9;
constexpr int IdleMilliseconds = 10'000;
constexpr double IdleTargetPercent = 1;
// Ten minutes of a simulator changing its values at 20 Hz, after readings that only warm
// up the caches and the connections.
constexpr int WarmUpReadings = 1000;
constexpr int Readings = 12'000;
constexpr double GrowthTargetKibibytes = 1024;
// The phase of flight worked out for every reading of a recorded circuit, so many times.
constexpr int PhasePasses = 9;
constexpr double PhaseTargetNanoseconds = 50e3;
// The mark moving to the call of a phase the aircraft entered, beyond the hold; and the
// press of the marked call, relinked before each so that it is marked again.
constexpr int MarkMoves = 5;
constexpr double MarkTargetNanoseconds = 1e9;
constexpr int NextPresses = 20;

double nanosecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::nano>(Clock::now() - start).count();
}

// Handles events as they come until done() or the time is up; whether done. Unlike
// QTest::qWaitFor it never sleeps between them.
bool processUntil(const std::function<bool()>& done, double timeoutNanoseconds)
{
    const auto start = Clock::now();
    while (!done()) {
        if (nanosecondsSince(start) >= timeoutNanoseconds)
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

// User and system time of the process (RUSAGE_SELF) or of the calling thread
// (RUSAGE_THREAD).
double cpuSeconds(int who)
{
    rusage usage{};
    getrusage(who, &usage);
    const auto seconds = [](const timeval& time) {
        return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double residentKibibytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text))
        return 0;
    const QRegularExpressionMatch resident =
        QRegularExpression(QStringLiteral("^VmRSS:\\s*(\\d+) kB$"),
                           QRegularExpression::MultilineOption)
            .match(QString::fromLatin1(status.readAll()));
    return resident.hasMatch() ? resident.captured(1).toDouble() : 0;
}

// The stand-in answers from a thread of its own, as FlightGear from its own process:
// the link waits for it as for FlightGear, and its work is not counted as the link's.
class StandInThread
{
public:
    StandInThread() : m_standIn(new StandInFlightGear)
    {
        m_standIn->moveToThread(&m_thread);
        QObject::connect(&m_thread, &QThread::finished, m_standIn, &QObject::deleteLater);
        m_thread.start();
        m_url = run([](StandInFlightGear& standIn) {
            standIn.answerAsRecorded();
            return standIn.start() != 0 ? standIn.url() : QUrl();
        });
    }
    ~StandInThread()
    {
        m_thread.quit();
        m_thread.wait();
    }
    StandInThread(const StandInThread&) = delete;
    StandInThread& operator=(const StandInThread&) = delete;

    // Empty when it could not listen.
    QUrl url() const { return m_url; }

    // Runs there and waits for it.
    template <typename Function,
              typename Result = std::invoke_result_t<Function, StandInFlightGear&>>
    Result run(Function function)
    {
        if constexpr (std::is_void_v<Result>) {
            QMetaObject::invokeMethod(
                m_standIn, [&] { function(*m_standIn); }, Qt::BlockingQueuedConnection);
        } else {
            Result result{};
            QMetaObject::invokeMethod(
                m_standIn, [&] { result = function(*m_standIn); }, Qt::BlockingQueuedConnection);
            return result;
        }
    }

    double cpuSeconds()
    {
        return run([](StandInFlightGear&) { return Bench::cpuSeconds(RUSAGE_THREAD); });
    }

private:
    QThread m_thread;
    StandInFlightGear* m_standIn;
    QUrl m_url;
};

// The window linked to a stand-in that answers what FlightGear answered at PHNL, its
// fields filled from it.
class LinkedWindow
{
public:
    LinkedWindow() : m_binding(new FlightGearBinding(window, link)), next(window, *m_binding)
    {
        QObject::connect(m_binding, &FlightGearBinding::relayed, m_binding,
                         [this](FlightGear::ChatPost* post) { m_lastPost = post; });
        window.show();
        if (standIn.url().isEmpty() || !QTest::qWaitForWindowExposed(&window))
            return;
        m_binding->linkTo(standIn.url());
        m_linked = QTest::qWaitFor(
            [this] {
                return link.state() == FlightGear::Link::State::Linked &&
                       !window.field(Field::Runway)->text().isEmpty();
            },
            5000);
    }

    bool isLinked() const { return m_linked; }
    // Links anew, which starts the flight it follows afresh.
    void relink()
    {
        m_binding->linkTo(standIn.url());
        QTest::qWaitFor([this] { return link.state() == FlightGear::Link::State::Linked; }, 5000);
    }
    // Until the chat post of the call delivered last has gone out.
    bool awaitChat() const
    {
        return QTest::qWaitFor([this] { return !m_lastPost; }, 2000);
    }

    StandInThread standIn;
    FlightGear::Link link;
    MainWindow window;

private:
    FlightGearBinding* m_binding;

public:
    const NextCallMark next;

private:
    QPointer<FlightGear::ChatPost> m_lastPost;
    bool m_linked = false;
};

// The median held to the target, and the worst too where it is held to it; a press's
// worst is for information, as the machine's other work decides it (a press of the window
// without the link has its outliers of a few milliseconds as well).
QList<Row> durationRows(const QString& measure, std::vector<double> nanoseconds, double target,
                        const QString& targetText, bool worstHeld)
{
    const double worst = *std::max_element(nanoseconds.begin(), nanoseconds.end());
    const double typical = median(std::move(nanoseconds));
    Row worstRow{measure + QStringLiteral(", worst"), formatDuration(worst), {}, std::nullopt};
    if (worstHeld) {
        worstRow.target = targetText;
        worstRow.met = worst < target;
    }
    return {{measure + QStringLiteral(", median"), formatDuration(typical), targetText,
             typical < target},
            worstRow};
}

QList<Row> measurePressesWhileLinked(LinkedWindow& linked, const QString& measure)
{
    bool chatsOut = true;
    std::variant<std::vector<double>, QString> times =
        timePresses(linked.window, Call::TakeOff, LinkedPresses,
                    [&] { chatsOut = chatsOut && linked.awaitChat(); });
    if (const QString* failure = std::get_if<QString>(&times))
        return {{measure, QStringLiteral("not measured: ") + *failure, {}, false}};
    // The last call's post too: every call went to the chat after its press.
    chatsOut = chatsOut && linked.awaitChat() && linked.standIn.run([](StandInFlightGear& standIn) {
        return standIn.chatPosts.size();
    }) == LinkedPresses;
    if (!chatsOut)
        return {{measure, QStringLiteral("not measured: a call missed the chat"), {}, false}};
    return durationRows(measure, std::get<std::vector<double>>(std::move(times)),
                        PressTargetNanoseconds, QStringLiteral("< 1 ms"), false);
}

QList<Row> measureValueChanges(LinkedWindow& linked, const QString& measure)
{
    QLineEdit* field = linked.window.field(Field::CurrentLevel);
    std::vector<double> nanoseconds;
    const bool imperial = linked.window.menuItem(FormLayout::MenuCommand::Imperial)->isChecked();
    for (int change = 1; change <= ValueChanges; ++change) {
        // At another moment of the poll each time.
        QTest::qWait(change * FlightGear::Link::PollMilliseconds / ValueChanges);
        const double feet = 1000.0 * change;
        FlightGear::Reading changed;
        changed.set(Property::IndicatedAltitude, feet);
        const QString expected = FlightGear::currentLevel(changed, imperial).value_or(QString());

        const auto start = Clock::now();
        linked.standIn.run([feet](StandInFlightGear& standIn) {
            standIn.answerValue(Property::IndicatedAltitude, QByteArray::number(feet));
        });
        if (!processUntil([&] { return field->text() == expected; }, 5 * ChangeTargetNanoseconds))
            return {{measure, QStringLiteral("never shown"), QStringLiteral("< 1 s"), false}};
        nanoseconds.push_back(nanosecondsSince(start));
    }
    return durationRows(measure, std::move(nanoseconds), ChangeTargetNanoseconds,
                        QStringLiteral("< 1 s"), true);
}

QList<Row> measureIdleLink(LinkedWindow& linked, const QString& measure)
{
    const double processBefore = cpuSeconds(RUSAGE_SELF);
    const double standInBefore = linked.standIn.cpuSeconds();
    const auto start = Clock::now();
    // As the program waits: in its event loop.
    QEventLoop idle;
    QTimer::singleShot(IdleMilliseconds, &idle, &QEventLoop::quit);
    idle.exec();
    const double wallSeconds = nanosecondsSince(start) / 1e9;
    const double standInSeconds = linked.standIn.cpuSeconds() - standInBefore;
    const double programSeconds = cpuSeconds(RUSAGE_SELF) - processBefore - standInSeconds;
    const double percent = 100 * programSeconds / wallSeconds;
    const auto share = [](double of100) {
        return QStringLiteral("%1 % of a core").arg(of100, 0, 'f', 2);
    };
    return {
        {measure, share(percent), QStringLiteral("< 1 % of a core"), percent < IdleTargetPercent},
        {QStringLiteral("the stand-in's answers meanwhile, not counted"),
         share(100 * standInSeconds / wallSeconds),
         {},
         std::nullopt}};
}

QList<Row> measureMemoryOverReadings(LinkedWindow& linked, const QString& measure)
{
    // Every reading another: the aircraft climbs and the wind veers at every poll.
    int readings = 0;
    QObject::connect(&linked.link, &FlightGear::Link::readingChanged, &linked.window, [&] {
        ++readings;
        linked.standIn.run([readings](StandInFlightGear& standIn) {
            standIn.answerValue(Property::IndicatedAltitude, QByteArray::number(readings * 7));
            standIn.answerValue(Property::PressureAltitude, QByteArray::number(readings * 7));
            standIn.answerValue(Property::WindFrom, QByteArray::number(readings % 360));
        });
    });
    linked.link.setPollInterval(0);
    const auto readUntil = [&](int count) {
        return processUntil([&] { return readings >= count; }, 600e9);
    };
    if (!readUntil(WarmUpReadings))
        return {{measure, QStringLiteral("not measured: too slow"), {}, false}};
    const double before = residentKibibytes();
    const auto start = Clock::now();
    if (!readUntil(WarmUpReadings + Readings))
        return {{measure, QStringLiteral("not measured: too slow"), {}, false}};
    const double seconds = nanosecondsSince(start) / 1e9;
    const double growth = residentKibibytes() - before;
    return {{measure,
             QStringLiteral("%1%2 (%3 → %4)")
                 .arg(growth < 0 ? QStringLiteral("−") : QStringLiteral("+"),
                      formatMemory(std::abs(growth)), formatMemory(before),
                      formatMemory(before + growth)),
             QStringLiteral("≤ +") + formatMemory(GrowthTargetKibibytes),
             before > 0 && growth <= GrowthTargetKibibytes},
            {QStringLiteral("those readings, one after another"),
             QStringLiteral("%1 s").arg(seconds, 0, 'f', 1),
             {},
             std::nullopt}};
}

QList<Row> measurePhaseWork(const QString& measure)
{
    const QList<RecordedFlight::Step>& steps =
        RecordedFlight::recordedFlight(QStringLiteral("left-circuit"));
    const QList<FlightGear::Runway> runways = RecordedFlight::phnlRunways();
    if (steps.isEmpty() || runways.isEmpty())
        return {{measure, QStringLiteral("not measured: no recorded flight"), {}, false}};
    std::vector<double> nanoseconds;
    for (int pass = 0; pass < PhasePasses; ++pass) {
        FlightGear::FlightPhase flight;
        const auto start = Clock::now();
        for (const RecordedFlight::Step& step : steps)
            flight.update(FlightGear::aircraftStateOf(step.reading), runways);
        nanoseconds.push_back(nanosecondsSince(start) / steps.size());
    }
    const double typical = median(std::move(nanoseconds));
    return {{measure, formatDuration(typical), QStringLiteral("< 50 µs"),
             typical < PhaseTargetNanoseconds}};
}

// The aircraft at stand T2-C4, and from there taxiing.
void putAtStand(LinkedWindow& linked, double groundSpeedKt)
{
    linked.standIn.run([groundSpeedKt](StandInFlightGear& standIn) {
        standIn.setValue(QStringLiteral("/position/latitude-deg"), 21.328867);
        standIn.setValue(QStringLiteral("/position/longitude-deg"), -157.923317);
        standIn.setValue(QStringLiteral("/position/altitude-agl-ft"), 4.05);
        standIn.setValue(QStringLiteral("/velocities/groundspeed-kt"), groundSpeedKt);
        return true;
    });
}

QList<Row> measureMarkMoving(LinkedWindow& linked, const QString& measure)
{
    std::vector<double> nanoseconds;
    for (int move = 0; move < MarkMoves; ++move) {
        putAtStand(linked, 0);
        linked.relink();
        if (!processUntil([&] { return linked.next.marked() == Call::StartUpOrShutdown; }, 10e9))
            return {
                {measure, QStringLiteral("not measured: nothing marked at the stand"), {}, false}};
        // At another moment of the poll each time.
        QTest::qWait(move * FlightGear::Link::PollMilliseconds / MarkMoves);
        const auto start = Clock::now();
        putAtStand(linked, 12);
        if (!processUntil([&] { return linked.next.marked() == Call::Taxi; }, 10e9))
            return {{measure, QStringLiteral("never marked"), {}, false}};
        nanoseconds.push_back(nanosecondsSince(start) -
                              FlightGear::FlightPhase::HoldMilliseconds * 1e6);
    }
    return durationRows(measure, std::move(nanoseconds), MarkTargetNanoseconds,
                        QStringLiteral("< 1 s"), true);
}

QList<Row> measureNextPresses(LinkedWindow& linked, const QString& measure)
{
    QLineEdit* field = linked.window.field(Field::Callsign);
    QClipboard* clipboard = QGuiApplication::clipboard();
    std::vector<double> nanoseconds;
    putAtStand(linked, 0);
    for (int press = 0; press < NextPresses; ++press) {
        linked.relink();
        if (!processUntil([&] { return linked.next.marked().has_value(); }, 10e9))
            return {{measure, QStringLiteral("not measured: nothing marked"), {}, false}};
        clipboard->clear();
        const auto start = Clock::now();
        QTest::keyClick(field, Qt::Key_Return);
        if (clipboard->text().isEmpty())
            return {{measure, QStringLiteral("not measured: nothing delivered"), {}, false}};
        nanoseconds.push_back(nanosecondsSince(start));
        if (!linked.awaitChat())
            return {{measure, QStringLiteral("not measured: a call missed the chat"), {}, false}};
    }
    return durationRows(measure, std::move(nanoseconds), PressTargetNanoseconds,
                        QStringLiteral("< 1 ms"), false);
}

// Each in a window linked anew.
QList<Row> inLinkedWindow(const QString& measure,
                          QList<Row> (*measureIn)(LinkedWindow&, const QString&))
{
    LinkedWindow linked;
    if (!linked.isLinked())
        return {{measure, QStringLiteral("not measured: the link did not come up"), {}, false}};
    return measureIn(linked, measure);
}

} // namespace

Section measureFlightGearLink()
{
    Section section{QStringLiteral("The FlightGear link, against a stand-in FlightGear in a "
                                   "thread of its own, answering as recorded at PHNL"),
                    {}};
    section.rows += inLinkedWindow(QStringLiteral("press to clipboard while linked, %1 × %2")
                                       .arg(LinkedPresses)
                                       .arg(QLatin1String(callName(Call::TakeOff))),
                                   measurePressesWhileLinked);
    section.rows += inLinkedWindow(
        QStringLiteral("altitude changed to the field showing it, %1 changes").arg(ValueChanges),
        measureValueChanges);
    section.rows +=
        inLinkedWindow(QStringLiteral("idle link, CPU time over %1 s").arg(IdleMilliseconds / 1000),
                       measureIdleLink);
    section.rows +=
        inLinkedWindow(QStringLiteral("resident memory over %1 changed readings").arg(Readings),
                       measureMemoryOverReadings);
    section.rows += measurePhaseWork(
        QStringLiteral("the phase of flight worked out, a reading of a recorded circuit"));
    section.rows += inLinkedWindow(
        QStringLiteral("the mark moved to the phase entered, beyond its 2 s hold, %1 times")
            .arg(MarkMoves),
        measureMarkMoving);
    section.rows +=
        inLinkedWindow(QStringLiteral("the marked call pressed (Enter, as --press next), %1 times")
                           .arg(NextPresses),
                       measureNextPresses);
    return section;
}

} // namespace Velaro::Bench
