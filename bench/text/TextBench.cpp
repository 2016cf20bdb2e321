// Long texts: what a refresh costs when a stored text is far longer than its
// widget shows. The notes list holding one note of 10,000 Japanese
// characters, refreshed as the host does it (the file read, the request, the
// render at device-pixel ratio 2); and the layout alone, given the whole
// 10,000 characters with no read limit in front of it.
#include "platform/time/Time.h"
#include "platform/ui/View.h"
#include "platform/widgetkit/WidgetHost.h"
#include "shared/models/NoteItem.h"
#include "shared/stores/NotesFile.h"
#include "widgets/timelines/PlyxWidgetsBundle.h"

#include "bench/support/BenchApp.h"

#include <benchmark/benchmark.h>

#include <string>

using namespace plyx;

namespace {

std::string japanese(int characters) {
    const char* const kana[] = {"\u65e5", "\u672c", "\u8a9e", "\u306e", "\u6587", "\u7ae0"};
    std::string out;
    for (int i = 0; i < characters; ++i) out += kana[i % 6];
    return out;
}

void BM_NotesListWithA10000CharacterNote(benchmark::State& state) {
    bench::benchApp("bench_text");
    if (!NotesFile::write({{Uuid::random(), japanese(10000), time::now(), false}})) {
        state.SkipWithError("cannot write the notes file");
        return;
    }
    const auto* widget = PlyxWidgetsBundle::bundle().find("plyx.notes.list");
    if (!widget) {
        state.SkipWithError("widget not declared");
        return;
    }
    const auto config = intents::Configuration::defaults(widget->intent());
    widgetkit::TimelineProviderContext ctx;
    ctx.family = widget->supportedFamilies().front();
    ctx.displaySize = widgetkit::designSize(ctx.family);
    ui::Environment env;
    env.displayScale = 2;
    for (auto _ : state) {
        const auto answer = widgetkit::request(*widget, widgetkit::RequestMode::timeline, config, ctx);
        env.now = time::now();
        auto result = widgetkit::renderEntry(*widget, answer.entries.front(), ctx.displaySize, 2, env);
        benchmark::DoNotOptimize(result.image.constBits());
    }
}
BENCHMARK(BM_NotesListWithA10000CharacterNote)->Unit(benchmark::kMillisecond);

// The row of the notes list: a dot and one line of the note, cut to its width.
void BM_OneLineOf10000Characters(benchmark::State& state) {
    bench::benchApp("bench_text");
    const std::string text = japanese(10000);
    for (auto _ : state) {
        const auto row = ui::HStack({ui::Circle().frame(4, 4), ui::Text(text).font(ui::Font::system(11)).lineLimit(1)},
                                    ui::VerticalAlignment::center, 9);
        auto result = ui::render(row.frame(140, 40), {140, 40}, 2, {});
        benchmark::DoNotOptimize(result.image.constBits());
    }
}
BENCHMARK(BM_OneLineOf10000Characters)->Unit(benchmark::kMillisecond);

// A note shown in as many lines as a large widget holds.
void BM_ManyLinesOf10000Characters(benchmark::State& state) {
    bench::benchApp("bench_text");
    const std::string text = japanese(10000);
    for (auto _ : state) {
        auto result = ui::render(ui::Text(text).font(ui::Font::system(13)), {320, 320}, 2, {});
        benchmark::DoNotOptimize(result.image.constBits());
    }
}
BENCHMARK(BM_ManyLinesOf10000Characters)->Unit(benchmark::kMillisecond);

} // namespace
