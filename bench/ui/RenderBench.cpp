// Laying out and drawing a large widget (344×344 points) of about a hundred nodes:
// captions, big numerals, dot rows, a ring and symbols, at a device-pixel ratio of 2.
#include "platform/ui/View.h"

#include <benchmark/benchmark.h>

using namespace plyx::ui;

namespace {

View largeWidget() {
    const Color ink = Color::grey255(240), dim = ink.opacity(0.55), track = ink.opacity(0.12);
    const Color accent = Color::rgb(0.85, 0.1, 0.1);
    auto caption = [&](const std::string& s) {
        return Text(s).font(Font::system(9)).tracking(1.4).textCase(TextCase::uppercase).foregroundColor(dim);
    };
    auto dots = [&](int lit, int count) {
        return HStack(ForEachIndex(count, [&](int i) { return Circle().fill(i < lit ? accent : track).frame(6, 6); }),
                      VerticalAlignment::center, 2);
    };
    std::vector<View> rows;
    const char* labels[] = {"CPU", "Memory", "GPU", "Disk"};
    for (int r = 0; r < 4; ++r)
        rows.push_back(HStack({caption(labels[r]).frame(56, std::nullopt, Alignment::leading), dots(3 + 3 * r, 16),
                               Text(std::to_string(20 + 17 * r) + "%")
                                   .font(Font::system(15, FontWeight::heavy))
                                   .foregroundColor(ink)
                                   .lineLimit(1)
                                   .minimumScaleFactor(0.55)
                                   .frame(44, std::nullopt, Alignment::trailing)},
                              VerticalAlignment::center, 14));
    return VStack({HStack({caption("System"), Spacer(), Image("cpu").font(Font::system(14)).foregroundColor(ink)}),
                   HStack({Text("64").font(Font::system(56, FontWeight::black)).foregroundColor(ink),
                           Text("°").font(Font::system(20, FontWeight::heavy)).foregroundColor(dim),
                           Spacer(),
                           ZStack({Circle().stroke(track, 9), Circle().trim(0, 0.64).stroke(accent, 9).rotationEffect(-90),
                                   Image("cloud.sun").font(Font::system(18)).foregroundColor(ink)})
                               .frame(70, 70)},
                          VerticalAlignment::center, 4),
                   VStack(rows, HorizontalAlignment::leading, 12),
                   Spacer()},
                  HorizontalAlignment::leading, 12)
        .padding(EdgeInsets{20, 22, 20, 22})
        .frameFill(Alignment::topLeading)
        .background(RoundedRectangle(22).fill(Color::grey255(17)));
}

void BM_RenderLargeWidget(benchmark::State& state) {
    const View v = largeWidget();
    const Environment env;
    for (auto _ : state) {
        auto r = render(v, {344, 344}, 2, env);
        benchmark::DoNotOptimize(r.image.constBits());
    }
}
BENCHMARK(BM_RenderLargeWidget)->Unit(benchmark::kMillisecond);

void BM_LayoutAndDumpLargeWidget(benchmark::State& state) {
    const View v = largeWidget();
    const Environment env;
    for (auto _ : state) benchmark::DoNotOptimize(dump(v, {344, 344}, env));
}
BENCHMARK(BM_LayoutAndDumpLargeWidget)->Unit(benchmark::kMillisecond);

} // namespace
