#include "chain/long_run.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numeric>
#include <string>
#include <utility>
#include <vector>

namespace tessel {
namespace {

std::array<TextBox, kTransitionCount> boxes(std::vector<std::pair<int, std::string>> rates) {
  std::array<TextBox, kTransitionCount> result;
  for (TextBox& box : result) box.setText("0.0");
  for (auto& [index, text] : rates) result[static_cast<std::size_t>(index)].setText(text);
  return result;
}

DrawRates drawRates(std::vector<std::pair<int, std::string>> rates, std::int32_t interval = 40) {
  const auto read = readDrawRates(boxes(std::move(rates)), interval, NumberFormat{});
  EXPECT_TRUE(read.has_value());
  return read.value_or(DrawRates{});
}

TEST(DrawRates, AreNoneWhereADrawWouldRaiseAnError) {
  const NumberFormat point;
  EXPECT_FALSE(readDrawRates(boxes({{3, "abc"}}), 40, point).has_value());
  EXPECT_FALSE(readDrawRates(boxes({}), 40, point).has_value()) << "no positive rate";
  EXPECT_FALSE(readDrawRates(boxes({{3, "1e306"}}), 40, point).has_value());
  EXPECT_FALSE(readDrawRates(boxes({{3, "1"}}), 40000, point).has_value());
  const auto read = readDrawRates(boxes({{3, " 1"}, {4, " 6"}}), 40, point);
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(read->scale, 1500.0);
  EXPECT_EQ(read->passes, 40);
}

TEST(DrawOutcome, OnePhoneFromBlueJumpsWithTheChanceOfFortyPasses) {
  const DrawRates draw = drawRates({{3, " 1"}, {4, " 6"}});
  const StateChances fromBlue = drawOutcome(draw, kBlue);
  // The chance fires when it beats a random number, a multiple of 2^-24.
  const double p = std::ceil(static_cast<float>(1.0 / 1500.0) * 0x1p24) / 0x1p24;
  EXPECT_NEAR(fromBlue[kPurple], 1.0 - std::pow(1.0 - p, 40), 1e-15);
  EXPECT_EQ(fromBlue[kGreen], 0.0);
  EXPECT_EQ(fromBlue[kCyan], 0.0);
  EXPECT_NEAR(fromBlue[kBlue] + fromBlue[kPurple], 1.0, 1e-15);
}

TEST(DrawOutcome, SumsToOneFromEveryStateAndFavoursTheEarlierAttempts) {
  // Equal rates out of Cyan: the earlier attempts in a pass win slightly
  // more often than the later ones.
  const DrawRates draw = drawRates({{9, "4"}, {5, "4"}, {1, "4"}, {3, "1"}, {7, "2"}});
  for (int from = 0; from < kStateCount; ++from) {
    const StateChances outcome = drawOutcome(draw, from);
    EXPECT_NEAR(std::accumulate(outcome.begin(), outcome.end(), 0.0), 1.0, 1e-12) << from;
  }
  const StateChances fromCyan = drawOutcome(draw, kCyan);
  EXPECT_GT(fromCyan[kBlue], 0.0);
  EXPECT_NEAR(fromCyan[kBlue], fromCyan[kPurple], 1e-4);
  EXPECT_GT(fromCyan[kPurple], fromCyan[kGreen]) << "the third attempt's chance is the smallest";
}

TEST(DrawOutcome, FiresWithTheGridOfTheRandomNumbers) {
  // 1e-40 / 1500 survives single precision as a denormal, far below one
  // step of 2^-24: it fires as often as a chance of one step. 1e-45 / 1500
  // narrows to zero and never fires.
  const double oneStepInFortyPasses = -std::expm1(40 * std::log1p(-0x1p-24));
  EXPECT_DOUBLE_EQ(drawOutcome(drawRates({{3, "1e-40"}, {4, "6"}}), kBlue)[kPurple],
                   oneStepInFortyPasses);
  EXPECT_EQ(drawOutcome(drawRates({{3, "1e-45"}, {4, "6"}}), kBlue)[kPurple], 0.0);
}

TEST(DrawOutcome, ABudgetOfZeroNeverJumps) {
  const DrawRates draw = drawRates({{3, "1"}}, 0);
  EXPECT_EQ(drawOutcome(draw, kBlue), (StateChances{1, 0, 0, 0}));
}

TEST(LongRunShares, OfTwoStatesFollowTheRatioOfTheirJumpChances) {
  const DrawRates draw = drawRates({{3, " 1"}, {4, " 6"}});
  const double up = drawOutcome(draw, kBlue)[kPurple];
  const double down = drawOutcome(draw, kPurple)[kBlue];
  const StateChances shares = longRunShares(draw);
  EXPECT_NEAR(shares[kBlue], down / (up + down), 1e-12);
  EXPECT_NEAR(shares[kPurple], up / (up + down), 1e-12);
  EXPECT_EQ(shares[kGreen], 0.0);
}

TEST(LongRunShares, SolveTheBalanceOfTheWholeChain) {
  const DrawRates draw = drawRates({{3, "2"}, {4, "3"}, {10, "2"}, {11, "3"}, {6, "2"}, {1, "3"}});
  const StateChances shares = longRunShares(draw);
  EXPECT_NEAR(std::accumulate(shares.begin(), shares.end(), 0.0), 1.0, 1e-12);
  // pi P = pi.
  for (int to = 0; to < kStateCount; ++to) {
    double inflow = 0.0;
    for (int from = 0; from < kStateCount; ++from) {
      inflow += shares[static_cast<std::size_t>(from)] *
                drawOutcome(draw, from)[static_cast<std::size_t>(to)];
    }
    EXPECT_NEAR(inflow, shares[static_cast<std::size_t>(to)], 1e-12) << to;
  }
  // A birth-death chain: the queue is more often short than long.
  EXPECT_GT(shares[kBlue], shares[kPurple]);
  EXPECT_GT(shares[kPurple], shares[kGreen]);
  EXPECT_GT(shares[kGreen], shares[kCyan]);
}

TEST(LongRunShares, WeighEachClosedGroupByTheChanceOfEndingThere) {
  // Blue leaves for Purple or Green, and neither comes back; Purple and Cyan
  // swap with each other, Green stays put.
  const DrawRates draw = drawRates({{3, "1"}, {7, "1"}, {0, "1"}, {5, "1"}});
  const StateChances shares = longRunShares(draw);
  const StateChances fromBlue = drawOutcome(draw, kBlue);
  const double toPurple = fromBlue[kPurple] / (fromBlue[kPurple] + fromBlue[kGreen]);
  EXPECT_NEAR(shares[kBlue], 0.0, 1e-12);
  EXPECT_NEAR(shares[kGreen], 1.0 - toPurple, 1e-12);
  EXPECT_NEAR(shares[kPurple] + shares[kCyan], toPurple, 1e-12);
  EXPECT_NEAR(shares[kPurple], shares[kCyan], 1e-12) << "equal swaps share evenly";

  // Started in a state that cannot move, it stays there.
  EXPECT_EQ(longRunShares(draw, kGreen), (StateChances{0, 0, 1, 0}));
}

TEST(ContinuousTimeShares, AreTheTextbookChainsBalance) {
  // One Phone: off at 1, on at 6; the phone is on one seventh of the time.
  const DrawRates phone = drawRates({{3, " 1"}, {4, " 6"}});
  EXPECT_NEAR(continuousTimeShares(phone)[kBlue], 6.0 / 7.0, 1e-12);
  EXPECT_NEAR(continuousTimeShares(phone)[kPurple], 1.0 / 7.0, 1e-12);
  // The draw's chain leaves the faster state relatively less often per
  // tick than its rate says, so it keeps more of the ticks there.
  EXPECT_GT(longRunShares(phone)[kPurple], 1.0 / 7.0 + 0.005);

  // A negative rate never fires; closed groups are weighted as for the draw.
  const DrawRates split = drawRates({{3, "1"}, {7, "3"}, {8, "-4"}});
  const StateChances shares = continuousTimeShares(split);
  EXPECT_NEAR(shares[kPurple], 0.25, 1e-12);
  EXPECT_NEAR(shares[kGreen], 0.75, 1e-12);
  EXPECT_EQ(shares[kCyan], 0.0);
}

// Blue goes on to Purple; Purple and Green each go back to Blue and to each
// other, all at rate 1: the shares are a half, a third and a sixth. The
// solver's total, 1 + 2/3 + 1/3, comes to just below 2 in its rounding: a
// divisor that a faulty division of a wide type once got wrong by a factor
// of two.
TEST(ContinuousTimeShares, AHalfAThirdAndASixth) {
  const DrawRates draw = drawRates({{3, "1"}, {4, "1"}, {10, "1"}, {2, "1"}, {11, "1"}});
  const StateChances expected{1.0 / 2.0, 1.0 / 3.0, 1.0 / 6.0, 0.0};
  const StateChances shares = continuousTimeShares(draw);
  for (std::size_t state = 0; state < shares.size(); ++state) {
    EXPECT_NEAR(shares[state], expected[state], 1e-12) << state;
  }
}

// Rate sets where rounding or cancellation can hide the answer. The expected
// shares were worked out with exact fractions by tools/long_run_exact.py,
// apart from this code, and pasted here; every share must match to 1e-12 of
// itself, tiny ones included.
TEST(LongRunShares, MatchExactFractionsOnHardRateSets) {
  struct HardCase {
    const char* name;
    std::vector<std::pair<int, std::string>> rates;
    StateChances draw;      // longRunShares from Blue
    StateChances textbook;  // continuousTimeShares from Blue
  };
  std::vector<std::pair<int, std::string>> fuzzerFinding;
  for (int box = 0; box < kTransitionCount; ++box) fuzzerFinding.emplace_back(box, "-1");
  fuzzerFinding[8].second = "1e-9";
  const std::vector<HardCase> cases{
      {"the fuzzer's finding: all rates -1 but Blue to Cyan at 1e-9",
       fuzzerFinding,
       {0, 0, 0, 1},
       {0, 0, 0, 1}},
      {"a state that leaks at 1e-12",
       {{3, "1"}, {4, "6"}, {10, "1e-12"}, {2, "6"}},
       {0.8491092559580946, 0.1508885046287195, 2.239413185927263e-06, 0.0},
       {0.8571428571428571, 0.14285714285711903, 2.380952380951984e-14, 0.0}},
      {"two closed groups reached from Blue",
       {{3, "1"}, {7, "2"}, {0, "1"}, {5, "3"}},
       {0.0, 0.2467617779463488, 0.6666630257828792, 0.08657519627077208},
       {0.0, 0.25, 0.6666666666666666, 0.08333333333333333}},
      {"a rate too small for single precision",
       {{3, "1e-45"}, {4, "6"}},
       {1, 0, 0, 0},
       {1.0, 1.6666666666666666e-46, 0.0, 0.0}},
      {"a rate that survives as one step of the random numbers",
       {{3, "1e-40"}, {4, "6"}},
       {0.9999839050367785, 1.6094963221560634e-05, 0.0, 0.0},
       {1.0, 1.6666666666666665e-41, 0.0, 0.0}},
      {"a rate near the largest readable",
       {{3, "7e305"}, {4, "1e305"}, {10, "5e-324"}, {2, "1"}},
       {0.1323948551061883, 0.8676051448938117, 0.0, 0.0},
       {0.125, 0.875, 5e-324, 0.0}},
      {"the M/M/1/3 queue",
       {{3, "2"}, {4, "3"}, {10, "2"}, {11, "3"}, {6, "2"}, {1, "3"}},
       {0.39957658393517004, 0.2873831176921823, 0.19158870360037605, 0.12145159477227163},
       {0.4153846153846154, 0.27692307692307694, 0.18461538461538463, 0.12307692307692308}},
      {"two single steps where the rates say 10 to 1",
       {{3, "1e-12"}, {4, "1e-13"}, {6, "1"}, {1, "1"}},
       {0.5, 0.5, 0, 0},
       {0.09090909090909091, 0.9090909090909091, 0.0, 0.0}},
  };
  for (const HardCase& hard : cases) {
    const DrawRates draw = drawRates(hard.rates);
    const StateChances shares = longRunShares(draw);
    const StateChances textbook = continuousTimeShares(draw);
    for (std::size_t i = 0; i < kStateCount; ++i) {
      EXPECT_NEAR(shares[i], hard.draw[i], 1e-12 * hard.draw[i]) << hard.name << ", state " << i;
      EXPECT_NEAR(textbook[i], hard.textbook[i], 1e-12 * hard.textbook[i])
          << hard.name << ", state " << i << ", textbook";
    }
  }
}

// The scenarios' shares, worked out with exact fractions by
// tools/long_run_exact.py and rounded once: the solver must give these very
// doubles, not merely close ones, for the native and the browser builds to
// print the same digits.
TEST(LongRunShares, OfTheScenariosAreTheDoublesNearestTheExactShares) {
  struct Scenario {
    const char* name;
    std::vector<std::pair<int, std::string>> rates;
    StateChances shares;
  };
  const std::vector<Scenario> scenarios{
      {"One Phone", {{3, "1"}, {4, "6"}}, {0.8491094007949103, 0.15089059920508974, 0, 0}},
      {"Office",
       {{3, "1"}, {4, "8"}, {2, "2"}, {7, "3"}},
       {0.38444710803929427, 0.04993502924482, 0.5656178627158858, 0}},
      {"Receptionist",
       {{3, "0.143"}, {4, "0.5"}, {2, "0.333"}, {7, "0.2"}},
       {0.5283599672528471, 0.15478909828790471, 0.3168509344592482, 0}},
      {"Conversation",
       {{3, "6"}, {4, "3"}, {2, "3"}, {7, "6"}, {6, "1"}, {1, "7"}, {5, "7"}, {0, "1"}},
       {0.2016325120904156, 0.3697565207240813, 0.36975768062400755, 0.058853286561495535}},
      {"Four Element Queue",
       {{3, "2"}, {4, "3"}, {10, "2"}, {11, "3"}, {6, "2"}, {1, "3"}},
       {0.39957658393517004, 0.2873831176921823, 0.19158870360037605, 0.12145159477227163}},
  };
  for (const Scenario& scenario : scenarios) {
    EXPECT_EQ(longRunShares(drawRates(scenario.rates)), scenario.shares) << scenario.name;
  }
}

// One draw out of Cyan in "Conversation", exactly as above, for budgets whose
// stay chance runs from near 1 down to 5e-115, where 1 - (1 - a)^n computed
// through logarithms would be off in its last digits.
TEST(DrawOutcome, IsTheDoubleNearestTheExactChance) {
  const std::vector<std::pair<int, std::string>> conversation{
      {3, "6"}, {4, "3"}, {2, "3"}, {7, "6"}, {6, "1"}, {1, "7"}, {5, "7"}, {0, "1"}};
  const std::vector<std::pair<std::int32_t, StateChances>> budgets{
      {1, {0, 0.0040000081062316895, 0.004000036922324313, 0.991999954971444}},
      {40, {0, 0.13739257338652577, 0.13739356316380003, 0.7252138634496742}},
      {32767, {0, 0.49999819900434805, 0.500001800995652, 4.980988376560821e-115}},
  };
  for (const auto& [passes, outcome] : budgets) {
    EXPECT_EQ(drawOutcome(drawRates(conversation, passes), kCyan), outcome) << passes;
  }
}

// Whatever the rates hold, NaN and infinities included (a DrawRates can be
// made by hand), every share is a share and they add up to 1.
TEST(LongRunShares, AreSharesForAnyRates) {
  const std::array<double, 13> awkward{std::nan(""),
                                       -std::numeric_limits<double>::infinity(),
                                       -1.0,
                                       0.0,
                                       5e-324,
                                       1e-45,
                                       1e-12,
                                       1.0,
                                       6.0,
                                       1e15,
                                       1e305,
                                       std::numeric_limits<double>::max(),
                                       std::numeric_limits<double>::infinity()};
  const std::array<std::int16_t, 5> budgets{-5, 0, 1, 40, 32767};
  std::uint32_t pick = 12345;
  const auto next = [&pick](std::size_t range) {
    pick = pick * 1664525U + 1013904223U;
    return static_cast<std::size_t>(pick >> 8U) % range;
  };
  for (int trial = 0; trial < 3000; ++trial) {
    DrawRates draw;
    for (double& rate : draw.rates) rate = awkward[next(awkward.size())];
    draw.scale = awkward[next(awkward.size())] * 250.0;
    draw.passes = budgets[next(budgets.size())];
    for (int start = 0; start < kStateCount; ++start) {
      for (const StateChances& shares :
           {longRunShares(draw, start), continuousTimeShares(draw, start)}) {
        double sum = 0.0;
        for (const double share : shares) {
          ASSERT_TRUE(share >= 0.0 && share <= 1.0) << "trial " << trial << ": " << share;
          sum += share;
        }
        ASSERT_NEAR(sum, 1.0, 1e-12) << "trial " << trial;
      }
    }
  }
}

TEST(LongRunDependsOnStart, WhenTheStartsCanEndInDifferentClosedGroups) {
  const DrawRates phone = drawRates({{3, " 1"}, {4, " 6"}});
  const DrawRates split = drawRates({{3, "1"}, {7, "3"}});  // Blue ends in Purple or Green
  const std::vector<int> blueAndPurple{kBlue, kPurple};
  const std::vector<int> purpleOnly{kPurple};
  const std::vector<int> greenAndPurple{kGreen, kPurple};
  EXPECT_FALSE(longRunDependsOnStart(phone, blueAndPurple));
  EXPECT_TRUE(longRunDependsOnStart(split, blueAndPurple));
  EXPECT_FALSE(longRunDependsOnStart(split, purpleOnly));
  EXPECT_TRUE(longRunDependsOnStart(split, greenAndPurple)) << "each stays where it is";
}

}  // namespace
}  // namespace tessel
