// What reading calendar sources costs as the sync reads them (one store for
// the reminders, one for the day's events): a folder of 5,000 one-event
// files read for the first time and again after one file changed, one file
// of 5,000 events read for the first time, and the worst a hostile file can
// make a read cost. Targets: the re-read after one change under 100 ms, the
// hostile read under a second.
#include "platform/events/EventStore.h"
#include "platform/time/Time.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;
using plyx::Date;

namespace {

constexpr int kEvents = 5000;

const std::string kHead = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//plyx bench//EN\r\n";
const std::string kTail = "END:VCALENDAR\r\n";

std::string two(int v) {
    char b[8];
    std::snprintf(b, sizeof b, "%02d", v);
    return b;
}

std::string dayFromToday(int offset) {
    const Date today = plyx::time::dateFrom(2026, 3, 17, 12, 0, 0, "UTC");
    return plyx::time::formatPOSIX(plyx::time::addingDays(today, offset, "UTC"), "yyyyMMdd", "UTC");
}

// Event `i` as a calendar tool writes it: spread over ten months around
// today, half in a named zone, every tenth a weekly series.
std::string event(int i, const std::string& title) {
    const std::string at = "T" + two(7 + i % 12) + two((i * 7) % 60) + "00";
    const std::string end = "T" + two(8 + i % 12) + "3000";
    std::string e = "BEGIN:VEVENT\r\nUID:read-bench-" + std::to_string(i) +
                    "\r\nDTSTAMP:20250301T080000Z\r\nSUMMARY:" + title + "\r\nLOCATION:Room " +
                    std::to_string(i % 40) + "\r\n";
    if (i % 10 == 1) {
        e += "DTSTART;TZID=Europe/Berlin:20240102" + at + "\r\nDTEND;TZID=Europe/Berlin:20240102" + end +
             "\r\nRRULE:FREQ=WEEKLY;BYDAY=MO,TU,TH\r\n";
    } else {
        const std::string day = dayFromToday((i * 37) % 300 - 200);
        if (i % 2 == 0) e += "DTSTART;TZID=Europe/Berlin:" + day + at + "\r\nDTEND;TZID=Europe/Berlin:" + day + end + "\r\n";
        else e += "DTSTART:" + day + at + "Z\r\nDTEND:" + day + end + "Z\r\n";
    }
    return e + "END:VEVENT\r\n";
}

void write(const fs::path& p, const std::string& text) {
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << text;
}

// A file replaced as sync tools replace it: written beside, then renamed.
void replace(const fs::path& p, const std::string& text) {
    const fs::path tmp = p.string() + ".tmp";
    write(tmp, text);
    fs::rename(tmp, p);
}

std::string hostile() {
    std::string body;
    // Rules that fire every second of the day.
    for (int i = 0; i < 200; ++i)
        body += "BEGIN:VEVENT\r\nUID:s" + std::to_string(i) +
                "\r\nDTSTAMP:20260301T000000Z\r\nDTSTART:20260317T000000Z\r\nRRULE:FREQ=SECONDLY;COUNT=100000000\r\n"
                "END:VEVENT\r\n";
    // 100,000 added dates, one a second.
    body += "BEGIN:VEVENT\r\nUID:r\r\nDTSTAMP:20260301T000000Z\r\nDTSTART:20260317T000000Z\r\n";
    const Date midnight = plyx::time::dateFrom(2026, 3, 17, 0, 0, 0, "UTC");
    for (int i = 1; i <= 100000; ++i)
        body += "RDATE:" + plyx::time::formatPOSIX(midnight + double(i), "yyyyMMdd'T'HHmmss'Z'", "UTC") + "\r\n";
    body += "END:VEVENT\r\n";
    // A 60 KB zone name, and a zone that changes every second.
    std::string tzid;
    while (tzid.size() < 60 * 1024) tzid += "Zone/";
    body += "BEGIN:VEVENT\r\nUID:t\r\nDTSTAMP:20260301T000000Z\r\nDTSTART;TZID=" + tzid +
            ":20260317T100000\r\nEND:VEVENT\r\n";
    body += "BEGIN:VTIMEZONE\r\nTZID:Garbage\r\nBEGIN:STANDARD\r\nDTSTART:16010101T000000\r\nRRULE:FREQ=SECONDLY\r\n"
            "TZOFFSETFROM:+999999\r\nTZOFFSETTO:-0100\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n"
            "BEGIN:VEVENT\r\nUID:g\r\nDTSTAMP:20260301T000000Z\r\nDTSTART;TZID=Garbage:20260317T100000\r\nEND:VEVENT\r\n";
    return kHead + body + kTail;
}

struct Sources {
    fs::path root = fs::temp_directory_path() / ("plyx-read-bench-" + std::to_string(::getpid()));
    fs::path folder = root / "folder";
    fs::path file = root / "calendar.ics";
    fs::path hostileFile = root / "hostile.ics";
    Sources() {
        std::string all = kHead;
        for (int i = 0; i < kEvents; ++i) {
            const std::string e = event(i, "Event " + std::to_string(i));
            write(folder / "personal" / ("read-bench-" + std::to_string(i) + ".ics"), kHead + e + kTail);
            all += e;
        }
        write(file, all + kTail);
        write(hostileFile, hostile());
        // Files the reader sees within two seconds of their last change are
        // read afresh every time (their stamp could still repeat); a real
        // calendar's files are older than that.
        std::this_thread::sleep_for(std::chrono::milliseconds(2100));
    }
    ~Sources() { fs::remove_all(root); }
};

Sources& sources() {
    static Sources s;
    return s;
}

// A path to `target` that no read in this process has seen, so nothing
// read before is reused.
fs::path unseen(const fs::path& target) {
    static int n = 0;
    const fs::path link = sources().root / ("seen-" + std::to_string(++n) + target.extension().string());
    fs::create_symlink(target, link);
    return link;
}

// One sync's reads: the reminders on one store, today's events on another.
void sync(benchmark::State& state, const fs::path& source) {
    const Date start = plyx::time::dateFrom(2026, 3, 17, 0, 0, 0, "UTC");
    const Date end = plyx::time::addingDays(start, 1, "UTC");
    {
        plyx::events::EventStore store({source});
        auto open = store.incompleteReminders(std::nullopt, end);
        auto done = store.completedReminders(start, end);
        if (!open || !done) state.SkipWithError("reminders not read");
    }
    plyx::events::EventStore store({source});
    auto events = store.events(start, end);
    if (!events || events->empty()) state.SkipWithError("events not read");
    benchmark::DoNotOptimize(events);
}

// Each iteration reads `target` as if for the first time.
void firstReads(benchmark::State& state, const fs::path& target) {
    for (auto _ : state) {
        state.PauseTiming();
        const fs::path source = unseen(target);
        state.ResumeTiming();
        sync(state, source);
    }
}

void BM_FolderFirstRead(benchmark::State& state) { firstReads(state, sources().folder); }
BENCHMARK(BM_FolderFirstRead)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_FolderAfterOneChange(benchmark::State& state) {
    const fs::path source = sources().folder;
    sync(state, source);
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        replace(source / "personal" / "read-bench-7.ics", kHead + event(7, "Changed " + std::to_string(++n)) + kTail);
        state.ResumeTiming();
        sync(state, source);
    }
}
BENCHMARK(BM_FolderAfterOneChange)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SingleFileFirstRead(benchmark::State& state) { firstReads(state, sources().file); }
BENCHMARK(BM_SingleFileFirstRead)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_HostileFileFirstRead(benchmark::State& state) { firstReads(state, sources().hostileFile); }
BENCHMARK(BM_HostileFileFirstRead)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

} // namespace
