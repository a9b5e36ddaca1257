#include "chain/attempt_chance.h"

#include <gtest/gtest.h>

#include <array>
#include <limits>

namespace tessel {
namespace {

// A faulty operation is reported once, the first, against the box whose rate
// it used, and the chance still comes out as the theory reads it: saturated
// at the single precision range, NaN as 0.
TEST(AttemptChance, ReportsTheFirstFaultAndSaturates) {
  constexpr float kLargest = std::numeric_limits<float>::max();
  const std::array<int, 3> boxes{9, 5, 1};
  struct Case {
    const char* name;
    std::array<double, 3> rates;
    double scale;
    std::size_t attempt;
    float chance;
    FloatFault fault;
    int rateBox;
  };
  const Case cases[] = {
      {"0 / 0", {0, 0, 0}, 0.0, 0, 0.0F, FloatFault::InvalidOperation, 9},
      {"a negative rate over 0", {-2, 0, 0}, 0.0, 0, -kLargest, FloatFault::DivisionByZero, 9},
      {"beyond single precision", {-1e10, 0, 0}, 2.5e-38, 0, -kLargest, FloatFault::Overflow, 9},
      {"a complement that overflows is charged to its own rate",
       {-1e300, 1, 0},
       1e-20,
       1,
       0.0F,
       FloatFault::Overflow,
       9},
      {"the attempt's own share faults before the complements",
       {1, 0, -1e300},
       1e-20,
       2,
       kLargest,
       FloatFault::Overflow,
       1},
      {"no fault",
       {1, 2, 4},
       1000.0,
       2,
       static_cast<float>((0.004 / 0.999) / 0.998),
       FloatFault::None,
       0},
  };
  for (const Case& c : cases) {
    ChanceFault fault;
    EXPECT_EQ(attemptChance(c.rates, c.scale, boxes, c.attempt, &fault), c.chance) << c.name;
    EXPECT_EQ(fault.fault, c.fault) << c.name;
    EXPECT_EQ(fault.rateBox, c.rateBox) << c.name;
    EXPECT_EQ(attemptChance(c.rates, c.scale, boxes, c.attempt), c.chance) << c.name;
  }
}

}  // namespace
}  // namespace tessel
