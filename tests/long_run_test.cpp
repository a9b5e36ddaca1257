#include "chain/long_run.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
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
  const double p = static_cast<float>(1.0 / 1500.0);
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
