// "One" when a jump is possible but improbable, with one long rate text on
// the window: the click makes its full 50,000 draws and then says that no
// jump came up. Its time must not grow with the length of the texts.
//
// "One Phone" from "Off Phone": rate box 3 (its only way out) holds a 1
// written after many zeros, and box 4 holds 1e7, so each attempt fires with a
// chance of 4e-10, below the random source's smallest positive step: only a
// random number of exactly 0 fires, which the fixed seed never draws here.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "toolkit/random_source.h"
#include "window/main_form.h"

namespace tessel {
namespace {

void BM_OneClickWithLongRateText(benchmark::State& state) {
  const auto length = static_cast<std::size_t>(state.range(0));
  const std::string longText = std::string(length - 1, '0') + "1";
  for (auto _ : state) {
    // Every click starts from the same window and seed, so each makes the
    // same 50,000 draws.
    state.PauseTiming();
    auto random = ClockSeededRandom::withFixedSeed(1);
    MainForm form(random, NumberFormat{});
    form.handle(FormEvent::Load);
    form.setRateText(3, longText);
    form.setRateText(4, "1e7");
    state.ResumeTiming();
    if (form.handle(FormEvent::OneClick) ||
        std::string_view(form.lastError()->what()).find("came up in 50000 draws") ==
            std::string_view::npos) {
      state.SkipWithError("\"One\" did not make its full 50,000 draws");
      break;
    }
  }
  state.counters["text_length"] = static_cast<double>(length);
}

BENCHMARK(BM_OneClickWithLongRateText)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(32767)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

}  // namespace
}  // namespace tessel

BENCHMARK_MAIN();
