// The desktop host at rest: ten placed widgets, one of them live (a running
// focus session), offscreen. Reports the processor time the host spends per
// minute of idling (measured over a few seconds, scaled), its resident memory,
// and the cost of one live repaint. Then the host's own path, window included:
// a system monitor refreshed every 50 ms (processor time of the whole process
// per refresh, from the reload to the painted window, and the main thread's
// share of it), and the start of a host with ten placed widgets until every
// window is mapped, and until every one has painted its first entry (run that
// one alone, in a fresh process, so the one-off costs count).
#include "shared/intents/InteractiveIntents.h"
#include "shared/stores/ExtrasStore.h"
#include "platform/time/Time.h"
#include "widgets/host/DesktopHost.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <set>
#include <thread>
#include <vector>
#include <sys/resource.h>
#include <time.h>

using namespace plyx;

namespace {

const char* kKinds[] = {"plyx.clock.analogClassic", "plyx.clock.world", "plyx.battery.ring",  "plyx.calendar.bigDate",
                        "plyx.notes.quick",         "plyx.year",        "plyx.system.monitor", "plyx.system.storage",
                        "plyx.water",               "plyx.focus.timer"};

// A private data and configuration folder, set before anything reads them.
void privateFolders() {
    static QTemporaryDir dir;
    static const bool set = [&] {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 0); // or the display given (xcb under Xvfb)
        ::setenv("XDG_DATA_HOME", (dir.path() + "/data").toUtf8().constData(), 1);
        ::setenv("XDG_CONFIG_HOME", (dir.path() + "/config").toUtf8().constData(), 1);
        return true;
    }();
    (void)set;
}

QApplication& app() {
    static int argc = 1;
    static char name[] = "bench_host";
    static char* argv[] = {name, nullptr};
    static QApplication* a = [&] {
        privateFolders();
        return new QApplication(argc, argv);
    }();
    return *a;
}

double cpuSeconds() {
    rusage u{};
    ::getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

double threadCpuSeconds() {
    timespec t{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

double residentMB() {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmRSS:") {
            double kb = 0;
            status >> kb;
            return kb / 1024;
        }
        status.ignore(1 << 12, '\n');
    }
    return 0;
}

struct PlacedHost {
    QTemporaryDir dir;
    std::unique_ptr<host::DesktopHost> host;
    std::string live;
    bool ready = false;
    PlacedHost() {
        app();
        registerInteractiveIntents();
        ExtrasStore::updateFocus([](FocusSession s) {
            s.endDate = time::now() + 3600;
            return s;
        });
        host = std::make_unique<host::DesktopHost>(host::PlacementStore((dir.path() + "/placements.json").toStdString()));
        host->start();
        int n = 0;
        for (const char* kind : kKinds) {
            std::string error;
            auto id = host->add(kind, "", QPoint(20 + 180 * (n % 5), 20 + 180 * (n / 5)), &error);
            ++n;
            if (id && std::string(kind) == "plyx.focus.timer") live = *id;
        }
        // Every widget shown before measuring.
        ready = QTest::qWaitFor([&] {
            for (const auto& p : host->placements())
                if (!host->window(p.id) || host->isPending(p.id)) return false;
            return host->isLive(live);
        }, 30000);
    }
};

void BM_HostIdle(benchmark::State& state) {
    PlacedHost placed;
    if (!placed.ready) return state.SkipWithError("the widgets were not all shown");
    constexpr int kSeconds = 5;
    for (auto _ : state) {
        const double before = cpuSeconds();
        QElapsedTimer wall;
        wall.start();
        QTest::qWait(kSeconds * 1000);
        const double used = cpuSeconds() - before;
        const double perMinute = used * 60000.0 / double(wall.elapsed());
        state.counters["cpu_s_per_min"] = perMinute;
        state.counters["cpu_pct_of_core"] = perMinute / 60 * 100;
    }
    state.counters["rss_MB"] = residentMB();
    state.counters["live_views"] = placed.host->isLive(placed.live) ? 1 : 0;
}
BENCHMARK(BM_HostIdle)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

void BM_LiveRepaint(benchmark::State& state) {
    PlacedHost placed;
    if (!placed.ready) return state.SkipWithError("the widgets were not all shown");
    auto* window = placed.host->window(placed.live);
    ui::Environment env = window->environment();
    for (auto _ : state) {
        env.now = Date{env.now.sinceReferenceDate + 1};
        window->setEnvironment(env);
        window->repaint(); // paints now, as the once-a-second timer's update would
    }
}
BENCHMARK(BM_LiveRepaint)->Unit(benchmark::kMicrosecond);

// Notes which windows have painted since the last reset, and which were mapped
// (shown on the display) when.
struct PaintWatch : QObject {
    std::set<QObject*> painted, mapped;
    std::function<void()> onPaint, onMap;
    PaintWatch() { app().installEventFilter(this); }
    ~PaintWatch() override { app().removeEventFilter(this); }
    bool eventFilter(QObject* o, QEvent* e) override {
        if ((e->type() == QEvent::Paint || e->type() == QEvent::Show) && o->isWidgetType() &&
            static_cast<QWidget*>(o)->isWindow()) {
            if (e->type() == QEvent::Show) {
                mapped.insert(o);
                if (onMap) onMap();
            } else {
                painted.insert(o);
                if (onPaint) onPaint();
            }
        }
        return false;
    }
};

// Runs the event loop until `done` holds after a paint, or `ms` pass.
bool runUntilPainted(PaintWatch& watch, const std::function<bool()>& done, int ms) {
    if (done()) return true;
    QEventLoop loop;
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, &loop, &QEventLoop::quit);
    // The check runs once the paint has finished, not from inside it.
    watch.onPaint = [&] { QTimer::singleShot(0, &loop, [&] { if (done()) loop.quit(); }); };
    guard.start(ms);
    loop.exec();
    watch.onPaint = nullptr;
    return done();
}

// Larger than the last-level cache of the machines this runs on.
constexpr std::size_t kEvictBytes = 64 << 20;
constexpr auto kPace = std::chrono::milliseconds(50);
constexpr int kSettleMs = 15;

void BM_HostPacedRefresh(benchmark::State& state) {
    app();
    QTemporaryDir dir;
    host::DesktopHost host(host::PlacementStore((dir.path() + "/placements.json").toStdString()));
    host.start();
    std::string error;
    const auto id = host.add("plyx.system.monitor", "", QPoint(20, 20), &error);
    if (!id) return state.SkipWithError(error.c_str());
    PaintWatch watch;
    auto* window = host.window(*id);
    const auto paintedOnce = [&] { return !host.isPending(*id) && watch.painted.count(window) > 0; };
    if (!runUntilPainted(watch, paintedOnce, 30000)) return state.SkipWithError("the monitor was never painted");
    static std::vector<unsigned char> evict(kEvictBytes);
    auto next = std::chrono::steady_clock::now();
    double mainThread = 0; // of which the main thread's
    for (auto _ : state) {
        state.PauseTiming();
        for (std::size_t i = 0; i < evict.size(); i += 64) evict[i] = static_cast<unsigned char>(evict[i] + 1);
        benchmark::ClobberMemory();
        next += kPace;
        std::this_thread::sleep_until(next);
        watch.painted.clear();
        state.ResumeTiming();
        const double mainBefore = threadCpuSeconds();
        bool shown = false;
        QEventLoop loop;
        auto c = QObject::connect(&host, &host::DesktopHost::shown, &loop, [&] {
            shown = true;
            loop.quit();
        });
        host.reload(std::string("plyx.system.monitor"));
        if (!shown) loop.exec();
        QObject::disconnect(c);
        // The window paints what changed on its next update: a few milliseconds
        // of event loop take it in. The loop sleeps until something is due, as
        // a host's does (QTest::qWait would wake every few milliseconds to poll).
        QEventLoop settle;
        QTimer::singleShot(kSettleMs, &settle, &QEventLoop::quit);
        settle.exec();
        mainThread += threadCpuSeconds() - mainBefore;
    }
    state.counters["main_thread_us"] = mainThread * 1e6 / double(state.iterations());
}
BENCHMARK(BM_HostPacedRefresh)->MeasureProcessCPUTime()->Unit(benchmark::kMicrosecond)->Iterations(200);

void BM_HostStartTenWidgets(benchmark::State& state) {
    privateFolders();
    QTemporaryDir dir;
    const std::string file = (dir.path() + "/placements.json").toStdString();
    {
        std::vector<host::Placement> placements;
        int n = 0;
        for (const char* kind : kKinds) {
            host::Placement p;
            p.id = host::newPlacementId();
            p.kind = kind;
            p.x = 20 + 180 * (n % 5);
            p.y = 20 + 180 * (n / 5);
            placements.push_back(std::move(p));
            ++n;
        }
        if (auto problem = host::PlacementStore(file).save(placements)) return state.SkipWithError(problem->c_str());
    }
    ExtrasStore::updateFocus([](FocusSession s) {
        s.endDate = time::now() + 3600;
        return s;
    });
    for (auto _ : state) {
        QElapsedTimer wall;
        wall.start();
        const double cpuBefore = cpuSeconds();
        app(); // made here when this runs alone, as a host's start makes it
        registerInteractiveIntents();
        PaintWatch watch;
        qint64 mappedNs = 0;
        watch.onMap = [&] {
            if (watch.mapped.size() == std::size(kKinds) && !mappedNs) mappedNs = wall.nsecsElapsed();
        };
        host::DesktopHost host{host::PlacementStore(file)};
        host.start();
        const bool all = runUntilPainted(watch, [&] {
            for (const auto& p : host.placements())
                if (!watch.painted.count(host.window(p.id))) return false;
            return true;
        }, 30000);
        if (!all || !mappedNs) return state.SkipWithError("a window never painted");
        // The time is to every window mapped; the counters add every window
        // painted and the processor time spent until then.
        state.SetIterationTime(double(mappedNs) / 1e9);
        state.counters["painted_ms"] = double(wall.nsecsElapsed()) / 1e6;
        state.counters["start_cpu_ms"] = (cpuSeconds() - cpuBefore) * 1000;
    }
}
BENCHMARK(BM_HostStartTenWidgets)->Iterations(1)->Unit(benchmark::kMillisecond)->UseManualTime();

} // namespace
