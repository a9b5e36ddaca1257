// What the History keeps of a long run: a billion counted ticks fed to the
// share history as a run feeds it, one at a time, with the bytes it then
// holds; the time is what the billion ticks cost it.

#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>

#include "window/share_history.h"

namespace tessel {
namespace {

void BM_HistoryOfABillionTicks(benchmark::State& state) {
  constexpr std::uint64_t kTicks = 1'000'000'000;
  std::size_t points = 0;
  std::size_t bytes = 0;
  for (auto _ : state) {
    ShareHistory history;
    std::array<double, kStateCount> occupancy{};
    for (std::uint64_t tick = 1; tick <= kTicks; ++tick) {
      occupancy[tick % 3] += 1.0;  // three states share the ticks
      history.counted(tick, occupancy);
    }
    benchmark::DoNotOptimize(history.points().data());
    points = history.points().size();
    bytes = sizeof(history) + history.points().capacity() * sizeof(ShareHistory::Point);
  }
  state.counters["points"] = static_cast<double>(points);
  state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_HistoryOfABillionTicks)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace
}  // namespace tessel

BENCHMARK_MAIN();
