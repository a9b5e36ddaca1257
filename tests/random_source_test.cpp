#include "toolkit/random_source.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace tessel {
namespace {

std::vector<float> drawMany(RandomSource& source, int count) {
  std::vector<float> values;
  values.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) values.push_back(source.next());
  return values;
}

TEST(ClockSeededRandom, ValuesStayInTheHalfOpenUnitInterval) {
  auto random = ClockSeededRandom::withFixedSeed(7);
  double sum = 0.0;
  constexpr int kDraws = 200000;
  for (int i = 0; i < kDraws; ++i) {
    const float value = random.next();
    ASSERT_GE(value, 0.0F);
    ASSERT_LT(value, 1.0F);
    sum += value;
  }
  // Mean of a uniform [0, 1): 0.5 with standard error 1/sqrt(12 n) ~ 0.00065.
  EXPECT_NEAR(sum / kDraws, 0.5, 0.004);
}

TEST(ClockSeededRandom, SameClockReadingGivesSameSequence) {
  auto first = ClockSeededRandom::withFixedSeed(42);
  auto second = ClockSeededRandom::withFixedSeed(42);
  EXPECT_EQ(drawMany(first, 100), drawMany(second, 100));

  auto other = ClockSeededRandom::withFixedSeed(43);
  auto again = ClockSeededRandom::withFixedSeed(42);
  EXPECT_NE(drawMany(other, 100), drawMany(again, 100));
}

TEST(ClockSeededRandom, SeedingFromTheClockRestartsTheSequence) {
  std::uint64_t reading = 5;
  ClockSeededRandom random([&reading] { return reading; });
  const std::vector<float> fromFive = drawMany(random, 20);

  reading = 6;
  random.seedFromClock();
  const std::vector<float> fromSix = drawMany(random, 20);
  EXPECT_NE(fromFive, fromSix);

  reading = 5;
  random.seedFromClock();
  EXPECT_EQ(drawMany(random, 20), fromFive);
}

TEST(ClockSeededRandom, SystemClockSeedsDifferFromRunToRun) {
  ClockSeededRandom first;
  ClockSeededRandom second;
  // Two seedings a few nanoseconds apart give different sequences.
  EXPECT_NE(drawMany(first, 8), drawMany(second, 8));
}

}  // namespace
}  // namespace tessel
