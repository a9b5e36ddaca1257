#include "toolkit/random_source.h"

#include <chrono>
#include <limits>
#include <utility>

namespace tessel {
namespace {

constexpr std::uint64_t kMultiplier = 6364136223846793005ULL;
constexpr std::uint64_t kStream = 1442695040888963407ULL;

std::uint64_t systemClockNanoseconds() {
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  return static_cast<std::uint64_t>(
      std::chrono::duration_cast<std::chrono::nanoseconds>(now).count());
}

}  // namespace

ClockSeededRandom::ClockSeededRandom() : ClockSeededRandom(systemClockNanoseconds) {}

ClockSeededRandom::ClockSeededRandom(Clock clock) : clock_(std::move(clock)) {
  seedFromClock();
}

ClockSeededRandom ClockSeededRandom::withFixedSeed(std::uint64_t seed) {
  return ClockSeededRandom([seed] { return seed; });
}

void ClockSeededRandom::seedFromClock() {
  seed(clock_());
}

void ClockSeededRandom::seed(std::uint64_t seed) {
  // The reference PCG seeding sequence.
  state_ = 0;
  increment_ = kStream | 1U;
  nextWord();
  state_ += seed;
  nextWord();
}

std::uint32_t ClockSeededRandom::nextWord() {
  const std::uint64_t old = state_;
  state_ = old * kMultiplier + increment_;
  const auto xorShifted = static_cast<std::uint32_t>(((old >> 18U) ^ old) >> 27U);
  const auto rotation = static_cast<std::uint32_t>(old >> 59U);
  return (xorShifted >> rotation) | (xorShifted << ((32U - rotation) & 31U));
}

float ClockSeededRandom::next() {
  // The top 24 bits fill a float's mantissa exactly, so the value is a
  // multiple of 2^-24 from 0 up to 1 - 2^-24 and never rounds up to 1.0.
  static_assert(kRandomBits <= std::numeric_limits<float>::digits);
  constexpr float kUnit = 1.0F / static_cast<float>(1U << kRandomBits);
  return static_cast<float>(nextWord() >> static_cast<unsigned>(32 - kRandomBits)) * kUnit;
}

}  // namespace tessel
