// The desktop host at rest: ten placed widgets, one of them live (a running
// focus session), offscreen. Reports the processor time the host spends per
// minute of idling (measured over a few seconds, scaled), its resident memory,
// and the cost of one live repaint.
#include "shared/intents/InteractiveIntents.h"
#include "shared/stores/ExtrasStore.h"
#include "platform/time/Time.h"
#include "widgets/host/DesktopHost.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <sys/resource.h>

using namespace plyx;

namespace {

const char* kKinds[] = {"plyx.clock.analogClassic", "plyx.clock.world", "plyx.battery.ring",  "plyx.calendar.bigDate",
                        "plyx.notes.quick",         "plyx.year",        "plyx.system.monitor", "plyx.system.storage",
                        "plyx.water",               "plyx.focus.timer"};

QApplication& app() {
    static QTemporaryDir dir;
    static int argc = 1;
    static char name[] = "bench_host";
    static char* argv[] = {name, nullptr};
    static QApplication* a = [&] {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        ::setenv("XDG_DATA_HOME", (dir.path() + "/data").toUtf8().constData(), 1);
        ::setenv("XDG_CONFIG_HOME", (dir.path() + "/config").toUtf8().constData(), 1);
        return new QApplication(argc, argv);
    }();
    return *a;
}

double cpuSeconds() {
    rusage u{};
    ::getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
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

} // namespace
