#pragma once

#include <cstdint>
#include <functional>

namespace tessel {

// The grid the random numbers live on: every value next() returns is a whole
// multiple of 2^-kRandomBits. A draw compares a chance c with such a number,
// so it fires with the chance of the grid points below c, not with c itself;
// the long-run theory takes its chances from here.
inline constexpr int kRandomBits = 24;

// The uniform random numbers the transition step draws. The window seeds its
// source once, from the clock, when it loads; after that every call to
// next() returns a single-precision value in [0, 1), never 1.0, on the grid
// of kRandomBits.
class RandomSource {
 public:
  virtual ~RandomSource() = default;

  virtual void seedFromClock() = 0;
  virtual float next() = 0;
};

// A 32-bit permuted congruential generator (PCG XSH RR). The clock it seeds
// from is injectable: the program uses the system clock, while tests and the
// headless runner pass a clock that always reads the same value, so that a
// seed gives the same run every time.
class ClockSeededRandom final : public RandomSource {
 public:
  using Clock = std::function<std::uint64_t()>;

  // Seeded from the system clock's nanoseconds.
  ClockSeededRandom();
  explicit ClockSeededRandom(Clock clock);
  // A source whose clock always reads `seed`; it starts seeded with it.
  static ClockSeededRandom withFixedSeed(std::uint64_t seed);

  void seedFromClock() override;
  float next() override;

  void seed(std::uint64_t seed);

 private:
  std::uint32_t nextWord();

  Clock clock_;
  std::uint64_t state_ = 0;
  std::uint64_t increment_ = 1;
};

}  // namespace tessel
