#include "chain/wide_number.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace tessel {
namespace {

constexpr double kLargest = std::numeric_limits<double>::max();
constexpr double kSmallest = std::numeric_limits<double>::denorm_min();

TEST(WideNumber, HoldsEveryNonNegativeDoubleExactly) {
  for (const double value :
       {0.0, kSmallest, 3 * kSmallest, 0x1.23456789abcdep-1030, std::numeric_limits<double>::min(),
        1e-300, 0.1, 1.0, 6.0, 1e300, 0x1p1023, kLargest}) {
    EXPECT_EQ(WideNumber(value).toDouble(), value) << value;
  }
}

// Products and quotients of extreme rates go far beyond a double's range
// and come back to it without loss.
TEST(WideNumber, ReachesBeyondTheDoubleRange) {
  const WideNumber tiny(1e-300);
  EXPECT_EQ((tiny * tiny * tiny / (tiny * tiny)).toDouble(), 1e-300);
  const WideNumber huge(kLargest);
  EXPECT_EQ((huge * huge * WideNumber(4.0) / (huge * WideNumber(4.0))).toDouble(), kLargest);
  EXPECT_EQ((tiny * tiny).toDouble(), 0.0);
  EXPECT_EQ((huge + huge).toDouble(), std::numeric_limits<double>::infinity());
  EXPECT_EQ((WideNumber(kSmallest) * WideNumber(0x1p200) / WideNumber(0x1p200)).toDouble(),
            kSmallest);
}

// Rounding to a double is to the nearest, where the digits beyond a
// double's decide a tie, in the normal range and among the subnormals.
TEST(WideNumber, RoundsOnceToTheNearestDouble) {
  const WideNumber one(1.0);
  const WideNumber aHairAbove = one + WideNumber(0x1p-90);
  const WideNumber aHairBelow = one / aHairAbove;
  const WideNumber step(kSmallest);
  const WideNumber two(2.0);
  struct Case {
    const char* name;
    WideNumber value;
    double expected;
  };
  const Case cases[] = {
      {"1 + 2^-53, a tie, to even", one + WideNumber(0x1p-53), 1.0},
      {"1 + 2^-53 and a hair", one + WideNumber(0x1p-53) + WideNumber(0x1p-100), 1 + 0x1p-52},
      {"half the smallest step, a tie, to even", step / two, 0.0},
      {"half the smallest step and a hair", step * aHairAbove / two, kSmallest},
      {"half the smallest step less a hair", step * aHairBelow / two, 0.0},
      {"three half steps, a tie, to even", step * WideNumber(3.0) / two, 2 * kSmallest},
      {"three half steps less a hair", step * WideNumber(3.0) * aHairBelow / two, kSmallest},
      {"a third of the smallest normal",
       WideNumber(std::numeric_limits<double>::min()) / WideNumber(3.0),
       std::numeric_limits<double>::min() / 3.0},
  };
  for (const Case& c : cases) EXPECT_EQ(c.value.toDouble(), c.expected) << c.name;
}

}  // namespace
}  // namespace tessel
