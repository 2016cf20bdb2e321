// Naming a position after the nearest town: one lookup in the built-in
// table must cost well under a millisecond, wherever the position is (a
// crowded region, open sea, the antimeridian, a pole, where every longitude
// is in reach), and reading the table once at first use.
#include "platform/location/Gazetteer.h"
#include "platform/location/Geocoder.h"

#include <benchmark/benchmark.h>

#include <QFile>

#include <string_view>

namespace {

using plyx::location::Gazetteer;

struct Point {
    double latitude, longitude;
};

// Positions of every kind a lookup meets.
constexpr Point kPoints[] = {
    {28.6139, 77.2090},   // Delhi: among the most crowded cells
    {23.1291, 113.2644},  // Guangzhou
    {51.5074, -0.1278},   // London
    {60.39299, 5.32415},  // Bergen
    {-17.9, 179.99},      // at the antimeridian
    {40, -40},            // mid-Atlantic: nothing in reach
    {89.95, 10},          // next to the north pole: every longitude
    {-89.99, 0},          // the south pole
};

void BM_NearestTown(benchmark::State& state) {
    const Gazetteer& towns = Gazetteer::builtIn();
    const Point p = kPoints[state.range(0)];
    for (auto _ : state) benchmark::DoNotOptimize(towns.nearest(p.latitude, p.longitude, plyx::location::kTownReachKm));
    state.SetLabel(std::to_string(p.latitude) + "," + std::to_string(p.longitude));
}
BENCHMARK(BM_NearestTown)->DenseRange(0, std::size(kPoints) - 1)->Unit(benchmark::kMicrosecond);

void BM_ReverseGeocode(benchmark::State& state) {
    Gazetteer::builtIn();
    for (auto _ : state) benchmark::DoNotOptimize(plyx::location::reverseGeocode(28.6139, 77.2090));
}
BENCHMARK(BM_ReverseGeocode)->Unit(benchmark::kMicrosecond);

// What the first lookup of a run pays: reading and indexing the whole table.
void BM_ReadTable(benchmark::State& state) {
    QFile file(":/plyx/gazetteer/towns15000.tsv");
    if (!file.open(QIODevice::ReadOnly)) {
        state.SkipWithError("the table is not compiled in");
        return;
    }
    const QByteArray bytes = file.readAll();
    for (auto _ : state)
        benchmark::DoNotOptimize(Gazetteer::fromText(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))));
}
BENCHMARK(BM_ReadTable)->Unit(benchmark::kMillisecond);

} // namespace
