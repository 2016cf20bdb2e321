// What one sync costs: reading today's events and reminders from calendar
// sources of 2,000 items (recurring series among them) as a vdir folder (one
// file per item) and as one large file. Target: a sync under 50 ms.
#include "platform/events/EventSources.h"
#include "platform/events/EventStore.h"
#include "platform/time/Time.h"
#include "shared/storage/SharedStorage.h"
#include "shared/sync/EventSync.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr int kItems = 2000;

std::string two(int v) {
    char b[8];
    std::snprintf(b, sizeof b, "%02d", v);
    return b;
}

// The day `offset` days from the benchmark's today, as written in a file.
std::string dayFromToday(int offset) {
    const plyx::Date today = plyx::time::dateFrom(2026, 3, 17, 12, 0, 0, "UTC");
    return plyx::time::formatPOSIX(plyx::time::addingDays(today, offset, "UTC"), "yyyyMMdd", "UTC");
}

// Item `i` as the component lines a calendar tool writes, for a calendar
// kept for a year: events spread over ten months around today, half of them
// in a named zone, every tenth a daily or weekly series begun two years ago;
// every third item a to-do, most of them done long ago, some open around today.
std::string component(int i) {
    const std::string uid = "bench-" + std::to_string(i);
    const std::string at = "T" + two(7 + i % 12) + two((i * 7) % 60) + "00";
    if (i % 3 == 0) {
        std::string t = "BEGIN:VTODO\r\nUID:" + uid + "\r\nDTSTAMP:20250301T080000Z\r\nSUMMARY:Task " +
                        std::to_string(i) + "\r\n";
        if (i % 9 == 0) {
            t += "DUE:" + dayFromToday((i / 9) % 21 - 10) + at + "Z\r\nSTATUS:NEEDS-ACTION\r\n";
        } else {
            const int doneDay = i % 90 == 3 ? 0 : -((i * 13) % 360) - 1;
            t += "DUE:" + dayFromToday(doneDay) + at + "Z\r\nSTATUS:COMPLETED\r\nCOMPLETED:" + dayFromToday(doneDay) +
                 "T0" + std::to_string(i % 9) + "0000Z\r\n";
        }
        return t + "END:VTODO\r\n";
    }
    std::string e = "BEGIN:VEVENT\r\nUID:" + uid + "\r\nDTSTAMP:20250301T080000Z\r\nSUMMARY:Event " +
                    std::to_string(i) + "\r\nLOCATION:Room " + std::to_string(i % 40) + "\r\n";
    const std::string end = "T" + two(8 + i % 12) + "3000";
    if (i % 10 == 1) {
        e += "DTSTART;TZID=Europe/Berlin:20240102" + at + "\r\nDTEND;TZID=Europe/Berlin:20240102" + end + "\r\n";
        e += i % 20 == 1 ? "RRULE:FREQ=DAILY\r\nEXDATE;TZID=Europe/Berlin:20260310" + at + "\r\n"
                         : "RRULE:FREQ=WEEKLY;BYDAY=MO,TU,TH\r\n";
    } else {
        const std::string day = dayFromToday((i * 37) % 300 - 200);
        if (i % 2 == 0) e += "DTSTART;TZID=Europe/Berlin:" + day + at + "\r\nDTEND;TZID=Europe/Berlin:" + day + end + "\r\n";
        else e += "DTSTART:" + day + at + "Z\r\nDTEND:" + day + end + "Z\r\n";
    }
    return e + "END:VEVENT\r\n";
}

const std::string kHead = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//plyx bench//EN\r\n";
const std::string kTail = "END:VCALENDAR\r\n";

struct Sources {
    fs::path root, vdir, file;
    Sources() {
        root = fs::temp_directory_path() / ("plyx-events-bench-" + std::to_string(::getpid()));
        vdir = root / "vdir";
        file = root / "calendar.ics";
        fs::create_directories(vdir / "personal");
        ::setenv("XDG_DATA_HOME", (root / "data").c_str(), 1);
        std::ofstream all(file, std::ios::binary);
        all << kHead;
        for (int i = 0; i < kItems; ++i) {
            const std::string c = component(i);
            std::ofstream(vdir / "personal" / ("bench-" + std::to_string(i) + ".ics"), std::ios::binary)
                << kHead << c << kTail;
            all << c;
        }
        all << kTail;
        const plyx::Date now = plyx::time::dateFrom(2026, 3, 17, 15, 0);
        plyx::time::setClock([now] { return now; });
    }
    ~Sources() { fs::remove_all(root); }
};

const Sources& sources() {
    static const Sources s;
    return s;
}

void configure(const fs::path& source) {
    auto suite = plyx::SharedStorage::suite();
    plyx::events::setConfiguredSources(suite, {source});
}

// One application sync: both reads, as the application makes them.
void BM_SyncToday(benchmark::State& state, bool folder) {
    const auto& s = sources();
    configure(folder ? s.vdir : s.file);
    for (auto _ : state) {
        auto reminders = plyx::EventSync::readReminders();
        auto calendar = plyx::EventSync::readCalendar();
        if (!reminders || !calendar) state.SkipWithError("read failed");
        benchmark::DoNotOptimize(reminders);
        benchmark::DoNotOptimize(calendar);
    }
}
BENCHMARK_CAPTURE(BM_SyncToday, vdir, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SyncToday, singleFile, false)->Unit(benchmark::kMillisecond);

// What a calendar widget's timeline costs: one read of today's events.
void BM_ReadCalendarToday(benchmark::State& state) {
    configure(sources().vdir);
    for (auto _ : state) benchmark::DoNotOptimize(plyx::EventSync::readCalendar());
}
BENCHMARK(BM_ReadCalendarToday)->Unit(benchmark::kMillisecond);

// The expansion alone, on sources already loaded.
void BM_ExpandToday(benchmark::State& state) {
    plyx::events::EventStore store({sources().file});
    const plyx::Date start = plyx::time::startOfDay(plyx::time::now());
    const plyx::Date end = plyx::time::addingDays(start, 1);
    (void)store.events(start, end);
    for (auto _ : state) benchmark::DoNotOptimize(store.events(start, end));
}
BENCHMARK(BM_ExpandToday)->Unit(benchmark::kMillisecond);

} // namespace
