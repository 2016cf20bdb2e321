// Reading hostile mail: a one-megabyte subject of encoded words that never
// end, decoded whole (the decoder alone) and read from a message in an inbox
// (header cut included), and an inbox of many deliveries in one second.
#include "platform/mail/Maildir.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

std::string neverEnding(std::size_t bytes) {
    std::string s;
    while (s.size() < bytes) s += "=?a?B?x";
    return s;
}

// A Maildir under the temporary folder, removed at the end.
struct Inbox {
    fs::path root = fs::temp_directory_path() / ("plyx-mail-bench-" + std::to_string(::getpid()));
    Inbox() {
        fs::create_directories(root / "new");
        fs::create_directories(root / "cur");
    }
    ~Inbox() { fs::remove_all(root); }
    void write(const std::string& name, const std::string& subject) {
        std::ofstream(root / name, std::ios::binary)
            << "From: Someone <s@example.org>\r\nSubject: " << subject << "\r\n\r\nbody\r\n";
    }
};

void BM_DecodeNeverEndingWords(benchmark::State& state) {
    const auto subject = neverEnding(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(plyx::mail::decodeHeader(subject));
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_DecodeNeverEndingWords)->Arg(64 << 10)->Arg(1 << 20)->Unit(benchmark::kMillisecond);

void BM_ReadInboxWithAMegabyteSubject(benchmark::State& state) {
    Inbox inbox;
    inbox.write("new/1765000300.M1P1.host", neverEnding(1 << 20));
    for (auto _ : state) benchmark::DoNotOptimize(plyx::mail::readInbox(inbox.root));
}
BENCHMARK(BM_ReadInboxWithAMegabyteSubject)->Unit(benchmark::kMillisecond);

void BM_ReadInboxOfDeliveriesInOneSecond(benchmark::State& state) {
    Inbox inbox;
    for (int i = 0; i < state.range(0); ++i)
        inbox.write("cur/1765000300.4242_" + std::to_string(i) + ".laptop,U=" + std::to_string(i) + ":2,S",
                    "Message " + std::to_string(i));
    for (auto _ : state) benchmark::DoNotOptimize(plyx::mail::readInbox(inbox.root));
}
BENCHMARK(BM_ReadInboxOfDeliveriesInOneSecond)->Arg(5000)->Unit(benchmark::kMillisecond);

} // namespace
