// The window, run for a long time, settles to the shares the theory gives
// for the chain it implements.

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "chain/long_run.h"
#include "chain/scenarios.h"
#include "window/main_form.h"

namespace tessel {
namespace {

struct LongRun {
  std::array<double, kStateCount> overall{};
  std::array<double, kStateCount> standardError{};  // from the batch means
};

// Counts with the real window for `ticks` ticks in `batches` equal batches.
// The batches are thousands of moves long, far longer than the chain takes
// to forget where it was, so their shares are close to independent and their
// spread gives the standard error of the overall share.
LongRun runWindow(const std::string& scenario, std::uint64_t seed, int ticks, int batches) {
  auto random = ClockSeededRandom::withFixedSeed(seed);
  MainForm form(random, NumberFormat{});
  EXPECT_TRUE(form.handle(FormEvent::Load));
  EXPECT_TRUE(form.typeScenario(scenario));
  EXPECT_TRUE(form.handle(FormEvent::StartStopClick));

  std::vector<std::array<double, kStateCount>> batchShares;
  std::array<double, kStateCount> before{};
  for (int batch = 0; batch < batches; ++batch) {
    for (int tick = 0; tick < ticks / batches; ++tick) {
      EXPECT_TRUE(form.handle(FormEvent::TimerTick));
    }
    const std::array<double, kStateCount>& now = form.variables().occupancy;
    std::array<double, kStateCount> counted{};
    double total = 0.0;
    for (std::size_t i = 0; i < kStateCount; ++i) {
      counted[i] = now[i] - before[i];
      total += counted[i];
    }
    for (double& share : counted) share /= total;
    batchShares.push_back(counted);
    before = now;
  }

  LongRun result;
  const std::array<double, kStateCount>& all = form.variables().occupancy;
  const double total = all[0] + all[1] + all[2] + all[3];
  for (std::size_t i = 0; i < kStateCount; ++i) {
    result.overall[i] = all[i] / total;
    double mean = 0.0;
    for (const auto& shares : batchShares) mean += shares[i] / batches;
    double variance = 0.0;
    for (const auto& shares : batchShares)
      variance += std::pow(shares[i] - mean, 2) / (batches - 1);
    result.standardError[i] = std::sqrt(variance / batches);
  }
  return result;
}

// The theory for the rates the scenario puts into the boxes.
StateChances theory(const std::string& scenario) {
  auto random = ClockSeededRandom::withFixedSeed(0);
  MainForm form(random, NumberFormat{});
  EXPECT_TRUE(form.handle(FormEvent::Load));
  EXPECT_TRUE(form.typeScenario(scenario));
  const FormControls& controls = form.controls();
  const auto draw = readDrawRates(controls.rateBoxes, controls.moveTimer.interval, NumberFormat{});
  EXPECT_TRUE(draw.has_value());
  return longRunShares(draw.value_or(DrawRates{}), kBlue);
}

// A million ticks is about 400,000 counted ticks. The check allows four
// standard errors of the batch means, and asks that the standard error
// itself be small, so that a wrong chain cannot pass on a wide margin: a
// window that counted the ticks of a move, or drew with the wrong rates,
// would miss by several hundredths.
TEST(LongRunShares, MatchTheWindowsCountsForTheQueueAndTheOffice) {
  for (const std::string scenario : {"Four Element Queue", "Office"}) {
    const StateChances expected = theory(scenario);
    const LongRun run = runWindow(scenario, 12345, 1000000, 40);
    for (std::size_t i = 0; i < kStateCount; ++i) {
      const std::string where = scenario + ", state " + std::string(kStateNames[i]);
      EXPECT_LT(run.standardError[i], 0.005) << where;
      EXPECT_NEAR(run.overall[i], expected[i], 4 * run.standardError[i]) << where;
    }
  }
}

}  // namespace
}  // namespace tessel
