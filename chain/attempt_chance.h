#pragma once

// The arithmetic a draw turns rates into chances with, written once for the
// draw itself and for the long-run theory, so that the theory describes the
// very chances the draw compares its random numbers with.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "toolkit/run_error.h"

namespace tessel {

// A draw divides every rate by this many times the largest rate on the
// window, so that one pass fires at most once in 250 from the fastest state.
inline constexpr double kScaleFactor = 250.0;

// The scale of a draw whose largest rate is `largestRate`. May overflow to
// infinity: the draw raises an error then, and the theory has no chances.
inline double drawScale(double largestRate) {
  return largestRate * kScaleFactor;
}

// The timer's interval doubles as the draw's number of passes, as a 16-bit
// count; none when the interval does not fit one.
std::optional<std::int16_t> passBudget(std::int32_t interval);

// A fault in computing an attempt's chance: the first operation that faulted
// and the box of the rate it divided.
struct ChanceFault {
  FloatFault fault = FloatFault::None;
  int rateBox = 0;
};

// The chance of attempt 0, 1 or 2 of a pass with these attempts, whose rates
// are `rates` in attempt order, at scale `scale`, narrowed to single
// precision. The second is conditional on the first not firing; the third
// divides by the two complements one after the other, that is by
// (1 - q1/s)(1 - q2/s), not by (1 - q1/s - q2/s): the rounding of the two
// divisions is part of the chance it draws with.
//
// Where an operation faults, the first fault is left in `fault` when one is
// given (charged to the attempt's own box, except in a complement, which is
// charged to the box whose rate it complements), and the chance is computed
// on regardless, saturating at the single precision range, with NaN as 0.
float attemptChance(const std::array<double, 3>& rates, double scale,
                    const std::array<int, 3>& rateBoxes, std::size_t attempt,
                    ChanceFault* fault = nullptr);

}  // namespace tessel
