// Draws per second of the transition step with two scenarios' rates, beside
// a loop that only draws as many random numbers as those draws use, so the
// step's own cost can be read off the difference.

#include <benchmark/benchmark.h>

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "chain/choose_next_state.h"

namespace tessel {
namespace {

using RateList = std::vector<std::pair<int, std::string>>;

// "One Phone": Blue and Purple only.
const RateList kOnePhone{{3, " 1"}, {4, " 6"}};
// "Conversation": the ring Blue, Purple, Cyan, Green.
const RateList kConversation{{0, " 1"}, {1, " 7"}, {2, " 3"}, {3, " 6"},
                             {4, " 3"}, {5, " 7"}, {6, " 1"}, {7, " 6"}};

std::array<TextBox, kTransitionCount> rateBoxes(const RateList& rates) {
  std::array<TextBox, kTransitionCount> boxes;
  for (TextBox& box : boxes) box.setText("0.0");
  for (const auto& [index, text] : rates) boxes[static_cast<std::size_t>(index)].setText(text);
  return boxes;
}

// Counts the numbers drawn, to size the baseline loop.
class CountingSource final : public RandomSource {
 public:
  explicit CountingSource(RandomSource& inner) : inner_(inner) {}
  void seedFromClock() override {}
  float next() override {
    ++draws;
    return inner_.next();
  }
  long long draws = 0;

 private:
  RandomSource& inner_;
};

// Steps the chain as the running demonstration does: each draw starts from
// where the previous one went, so every state's row is exercised.
void runDraws(benchmark::State& state, const RateList& rates) {
  const auto boxes = rateBoxes(rates);
  const NumberFormat format;
  auto random = ClockSeededRandom::withFixedSeed(1);
  CountingSource counting(random);
  std::string current = "Blue";
  std::string next;
  for (auto _ : state) {
    chooseNextState({boxes, 40, current, format}, counting, next);
    current.swap(next);
    benchmark::DoNotOptimize(current.data());
  }
  state.SetItemsProcessed(state.iterations());
  state.counters["numbers_per_draw"] =
      static_cast<double>(counting.draws) / static_cast<double>(state.iterations());
}

// The random numbers alone: per iteration, as many as one draw uses on
// average with the same rates (measured over a fixed run first).
void runBaseline(benchmark::State& state, const RateList& rates) {
  const auto boxes = rateBoxes(rates);
  const NumberFormat format;
  auto sizing = ClockSeededRandom::withFixedSeed(1);
  CountingSource counting(sizing);
  std::string current = "Blue";
  std::string next;
  constexpr int kSizingDraws = 20000;
  for (int i = 0; i < kSizingDraws; ++i) {
    chooseNextState({boxes, 40, current, format}, counting, next);
    current.swap(next);
  }
  const double perDraw = static_cast<double>(counting.draws) / kSizingDraws;

  auto random = ClockSeededRandom::withFixedSeed(1);
  RandomSource& source = random;
  double owed = 0.0;
  for (auto _ : state) {
    owed += perDraw;
    float sum = 0.0F;
    for (; owed >= 1.0; owed -= 1.0) sum += source.next();
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations());
  state.counters["numbers_per_draw"] = perDraw;
}

void BM_ChooseNextState_OnePhone(benchmark::State& state) {
  runDraws(state, kOnePhone);
}
void BM_RandomOnly_OnePhone(benchmark::State& state) {
  runBaseline(state, kOnePhone);
}
void BM_ChooseNextState_Conversation(benchmark::State& state) {
  runDraws(state, kConversation);
}
void BM_RandomOnly_Conversation(benchmark::State& state) {
  runBaseline(state, kConversation);
}

BENCHMARK(BM_ChooseNextState_OnePhone);
BENCHMARK(BM_RandomOnly_OnePhone);
BENCHMARK(BM_ChooseNextState_Conversation);
BENCHMARK(BM_RandomOnly_Conversation);

}  // namespace
}  // namespace tessel

BENCHMARK_MAIN();
