#include "chain/transitions.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <set>
#include <string>
#include <utility>

#include "chain/chain_variables.h"

namespace tessel {
namespace {

// The corner a token position (its Left and Top) lies in, by the split lines.
int cornerOf(double left, double top) {
  const bool right = left >= kCornerSplitLeft;
  const bool lower = top >= kCornerSplitTop;
  return (lower ? 2 : 0) + (right ? 1 : 0);
}

TEST(TransitionTable, HoldsEveryOrderedPairOfDistinctStatesOnce) {
  std::set<std::pair<int, int>> pairs;
  for (const Transition& t : kTransitions) {
    EXPECT_NE(t.from, t.to);
    pairs.insert({t.from, t.to});
  }
  EXPECT_EQ(pairs.size(), 12U);
}

TEST(TransitionTable, UsesEachRateBoxArcAndArrowStrokeExactlyOnce) {
  std::set<int> boxes;
  std::set<int> arcs;
  std::set<int> strokes;
  for (const Transition& t : kTransitions) {
    boxes.insert(t.rateBox);
    arcs.insert(t.arcLine);
    strokes.insert(t.arrowStrokes[0]);
    strokes.insert(t.arrowStrokes[1]);
  }
  EXPECT_EQ(boxes, (std::set<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
  EXPECT_EQ(arcs, boxes);
  ASSERT_EQ(strokes.size(), 24U);
  EXPECT_EQ(*strokes.begin(), 0);
  EXPECT_EQ(*strokes.rbegin(), 23);
}

TEST(TransitionTable, RateBoxesBelongToTheirTransitions) {
  // The mapping read by rate box, as the rates are entered on the window.
  const std::array<std::pair<int, int>, kTransitionCount> byBox{{
      {kPurple, kCyan},   // 0
      {kCyan, kGreen},    // 1
      {kGreen, kBlue},    // 2
      {kBlue, kPurple},   // 3
      {kPurple, kBlue},   // 4
      {kCyan, kPurple},   // 5
      {kGreen, kCyan},    // 6
      {kBlue, kGreen},    // 7
      {kBlue, kCyan},     // 8
      {kCyan, kBlue},     // 9
      {kPurple, kGreen},  // 10
      {kGreen, kPurple},  // 11
  }};
  for (const Transition& t : kTransitions) {
    const auto box = static_cast<std::size_t>(t.rateBox);
    EXPECT_EQ(byBox[box], std::make_pair(t.from, t.to)) << "rate box " << t.rateBox;
  }
}

TEST(TokenPaths, StartInTheSourceCornerAndEndInTheTargetCorner) {
  for (std::size_t i = 0; i < kTransitions.size(); ++i) {
    const Transition& t = kTransitions[i];
    const ArcCoords& path = t.path;
    EXPECT_EQ(cornerOf(path[kStartLeft], path[kStartTop]), t.from) << "record " << i;
    EXPECT_EQ(cornerOf(path[kEndLeft], path[kEndTop]), t.to) << "record " << i;
  }
}

TEST(TokenPaths, LieInTheTargetCornerFromTheLastDrawnFrameOn) {
  // The arrival circle is chosen from where frame 27 of 30 left the token; every
  // point from there to the end must already be in the target's corner, with a
  // margin of at least 540 twips from the split lines so that rounding to pixels
  // cannot change the answer.
  for (std::size_t i = 0; i < kTransitions.size(); ++i) {
    const Transition& t = kTransitions[i];
    const ArcCoords& path = t.path;
    for (int step = 0; step <= 300; ++step) {
      const double fraction = 27.0 / 30.0 + (3.0 / 30.0) * step / 300.0;
      const double left = path[kStartLeft] + (path[kEndLeft] - path[kStartLeft]) * fraction;
      const double top = path[kStartTop] + (path[kEndTop] - path[kStartTop]) * fraction;
      ASSERT_EQ(cornerOf(left, top), t.to) << "record " << i << " at " << fraction;
    }
    const double left27 = path[kStartLeft] + (path[kEndLeft] - path[kStartLeft]) * 27.0 / 30.0;
    const double top27 = path[kStartTop] + (path[kEndTop] - path[kStartTop]) * 27.0 / 30.0;
    EXPECT_GE(std::abs(left27 - kCornerSplitLeft), 540.0) << "record " << i;
    EXPECT_GE(std::abs(top27 - kCornerSplitTop), 540.0) << "record " << i;
  }
}

TEST(StateNames, MapToIndexesOnlyWhenExact) {
  EXPECT_EQ(stateIndex("Blue"), kBlue);
  EXPECT_EQ(stateIndex("Purple"), kPurple);
  EXPECT_EQ(stateIndex("Green"), kGreen);
  EXPECT_EQ(stateIndex("Cyan"), kCyan);
  for (const char* notAState : {"blue", "BLUE", "Blue ", " Blue", "", "Red", "Off Phone"}) {
    EXPECT_FALSE(stateIndex(notAState).has_value()) << '"' << notAState << '"';
  }
}

TEST(TransitionLookup, FindsTheRecordOfEachPairAndNoneForAStateToItself) {
  EXPECT_EQ(transitionIndex(kBlue, kCyan), 8);
  EXPECT_EQ(transitionIndex(kCyan, kBlue), 9);
  EXPECT_EQ(transitionIndex(kGreen, kPurple), 11);
  for (int state = 0; state < kStateCount; ++state) {
    EXPECT_FALSE(transitionIndex(state, state).has_value());
  }
  EXPECT_FALSE(transitionIndex(-1, kBlue).has_value());
  EXPECT_FALSE(transitionIndex(kBlue, 4).has_value());
}

TEST(TransitionLookup, AttemptsRunOverTheOtherStatesInStateOrder) {
  struct Row {
    int from;
    std::array<Attempt, 3> attempts;
  };
  const std::array<Row, kStateCount> rows{{
      {kBlue, {{{3, kPurple}, {7, kGreen}, {8, kCyan}}}},
      {kPurple, {{{4, kBlue}, {10, kGreen}, {0, kCyan}}}},
      {kGreen, {{{2, kBlue}, {11, kPurple}, {6, kCyan}}}},
      {kCyan, {{{9, kBlue}, {5, kPurple}, {1, kGreen}}}},
  }};
  for (const Row& row : rows) {
    const std::array<Attempt, 3> attempts = outgoingAttempts(row.from);
    for (std::size_t i = 0; i < 3; ++i) {
      EXPECT_EQ(attempts[i].rateBox, row.attempts[i].rateBox) << "from " << row.from;
      EXPECT_EQ(attempts[i].target, row.attempts[i].target) << "from " << row.from;
    }
  }
}

TEST(ResetDiagram, PutsTheChainBackInBlueWhateverWasThere) {
  ChainVariables chain;
  chain.currentState = "Cyan";
  chain.nextState = "Green";
  for (ArcCoords& record : chain.tokenPaths) record.fill(-1);
  std::array<Shape, kStateCount> circles;
  for (Shape& circle : circles) circle.borderColor = kRed;

  for (int round = 0; round < 2; ++round) {  // a second reset changes nothing
    resetDiagram(chain, circles);
    EXPECT_EQ(chain.currentState, "Blue");
    EXPECT_EQ(chain.nextState, "Blue");
    EXPECT_EQ(circles[kBlue].borderColor, 255);
    EXPECT_EQ(circles[kPurple].borderColor, 8421504);
    EXPECT_EQ(circles[kGreen].borderColor, 8421504);
    EXPECT_EQ(circles[kCyan].borderColor, 8421504);
    for (std::size_t i = 0; i < kTransitions.size(); ++i) {
      for (int slot = 1; slot <= 4; ++slot) {
        EXPECT_EQ(chain.tokenPaths[i][static_cast<std::size_t>(slot)],
                  kTransitions[i].path[static_cast<std::size_t>(slot)]);
      }
    }
  }
  // Spot checks against the published paths.
  EXPECT_EQ(chain.tokenPaths[8], (ArcCoords{-1, 2040, 2200, 4320, 4480}));
  EXPECT_EQ(chain.tokenPaths[9], (ArcCoords{-1, 4880, 4080, 2560, 1800}));
}

TEST(ResetDiagram, LeavesOtherPropertiesOfTheCirclesAlone) {
  ChainVariables chain;
  std::array<Shape, kStateCount> circles;
  circles[kGreen].visible = false;
  circles[kCyan].left = 4080.0F;
  resetDiagram(chain, circles);
  EXPECT_FALSE(circles[kGreen].visible);
  EXPECT_EQ(circles[kCyan].left, 4080.0F);
}

}  // namespace
}  // namespace tessel
