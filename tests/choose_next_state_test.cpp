#include "chain/choose_next_state.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>

#include "scripted_random.h"
#include "toolkit/run_error.h"

namespace tessel {
namespace {

using testing::CountingRandom;
using testing::ScriptedRandom;

// Twelve rate boxes, all "0.0" as the program leaves unused boxes, and the
// other inputs of a draw with their defaults: interval 40, the point locale.
class DrawTest : public ::testing::Test {
 protected:
  DrawTest() {
    for (TextBox& box : boxes_) box.setText("0.0");
  }

  void setRate(int box, std::string text) { boxes_[static_cast<std::size_t>(box)].setText(text); }

  void draw(RandomSource& random, std::string_view current = "Blue", std::int32_t interval = 40) {
    const DrawInputs inputs{boxes_, interval, current, format_};
    chooseNextState(inputs, random, nextState_);
  }

  // The error a draw raises; fails the test when it raises none.
  RunError drawError(RandomSource& random, std::string_view current = "Blue",
                     std::int32_t interval = 40) {
    try {
      draw(random, current, interval);
    } catch (const RunError& error) {
      return error;
    }
    ADD_FAILURE() << "the draw raised no error";
    return RunError(ErrorKind::InvalidOperation, "none");
  }

  std::array<TextBox, kTransitionCount> boxes_;
  NumberFormat format_;
  std::string nextState_ = "unset";
};

// "One Phone": Blue to Purple at 1 (box 3), Purple to Blue at 6 (box 4).
class OnePhoneDraw : public DrawTest {
 protected:
  OnePhoneDraw() {
    setRate(3, " 1");
    setRate(4, " 6");
  }
};

TEST_F(OnePhoneDraw, FiresOnlyWhenTheChanceIsStrictlyGreaterThanTheNumberDrawn) {
  // s = 6 * 250 = 1500; from Blue the first attempt fires with 1/1500.
  const float chance = static_cast<float>(1.0 / 1500.0);

  ScriptedRandom justBelow{std::nextafter(chance, 0.0F)};
  draw(justBelow);
  EXPECT_EQ(nextState_, "Purple");
  EXPECT_EQ(justBelow.draws(), 1U);  // the pass that fired ends the draw

  // Equal does not fire; the pass goes on to attempts 2 and 3, whose rates
  // are 0, and the budget of one pass runs out.
  ScriptedRandom equal{chance, 0.0F, 0.0F};
  draw(equal, "Blue", 1);
  EXPECT_EQ(nextState_, "Blue");
  EXPECT_EQ(equal.draws(), 3U);
}

TEST_F(OnePhoneDraw, ReadsTheRatesAfreshAtEveryDraw) {
  ScriptedRandom random{0.003F, 0.0F, 0.0F};
  draw(random, "Blue", 1);  // 0.003 > 1/1500: no jump
  EXPECT_EQ(nextState_, "Blue");

  setRate(3, " 6");  // now 6/1500 = 0.004 > 0.003
  ScriptedRandom again{0.003F};
  draw(again, "Blue", 1);
  EXPECT_EQ(nextState_, "Purple");
}

TEST_F(OnePhoneDraw, ABudgetOfZeroOrLessDrawsNothing) {
  for (const std::int32_t interval : {0, -1, -32768}) {
    ScriptedRandom none;
    nextState_ = "Green";
    draw(none, "Blue", interval);
    EXPECT_EQ(nextState_, "Blue") << interval;
    EXPECT_EQ(none.draws(), 0U) << interval;
  }
}

TEST_F(OnePhoneDraw, AnIntervalBeyondSixteenBitsIsAnOverflowBeforeAnythingIsSet) {
  for (const std::int32_t interval : {32768, -32769, 1000000}) {
    ScriptedRandom none;
    nextState_ = "Green";
    const RunError error = drawError(none, "Blue", interval);
    EXPECT_EQ(error.kind(), ErrorKind::Overflow) << interval;
    EXPECT_EQ(nextState_, "Green");
    EXPECT_EQ(none.draws(), 0U);
  }
  ScriptedRandom random{0.0F};
  draw(random, "Blue", 32767);
  EXPECT_EQ(nextState_, "Purple");
}

TEST_F(OnePhoneDraw, ATextThatIsNotAStateMakesNoAttempt) {
  for (const char* current : {"blue", "", "Off Phone"}) {
    ScriptedRandom none;
    draw(none, current);
    EXPECT_EQ(nextState_, current);
    EXPECT_EQ(none.draws(), 0U);
  }
}

TEST_F(OnePhoneDraw, NeverJumpsAlongATransitionWithRateZero) {
  // From Blue only box 3 is positive: r = 0 never fires a chance of 0.
  ScriptedRandom random;
  for (int pass = 0; pass < 40; ++pass) {
    random.queue(0.999F);  // attempt 1 misses
    random.queue(0.0F);    // attempt 2, rate 0
    random.queue(0.0F);    // attempt 3, rate 0
  }
  draw(random);
  EXPECT_EQ(nextState_, "Blue");
  EXPECT_EQ(random.draws(), 120U);
}

TEST_F(DrawTest, AttemptsTryTheTargetsInOrderWithOneNumberEach) {
  setRate(3, " 2");  // Blue to Purple
  setRate(7, " 2");  // Blue to Green
  setRate(8, " 2");  // Blue to Cyan
  // s = 500; attempt 1 has 2/500 = 0.004.
  ScriptedRandom second{0.5F, 0.001F};
  draw(second);
  EXPECT_EQ(nextState_, "Green");
  EXPECT_EQ(second.draws(), 2U);

  ScriptedRandom third{0.5F, 0.5F, 0.001F};
  draw(third);
  EXPECT_EQ(nextState_, "Cyan");

  ScriptedRandom secondPass{0.5F, 0.5F, 0.5F, 0.001F};
  draw(secondPass);
  EXPECT_EQ(nextState_, "Purple");
  EXPECT_EQ(secondPass.draws(), 4U);
}

TEST_F(DrawTest, EachAttemptReadsItsOwnRateBox) {
  // From Green: box 2 to Blue, box 11 to Purple, box 6 to Cyan; s = 1000.
  setRate(2, " 1");
  setRate(11, " 2");
  setRate(6, " 4");
  struct Case {
    float r;  // the same number for all three attempts of one pass
    const char* expected;
  };
  // Chances: 0.001, about 0.002 and about 0.004.
  for (const Case c : {Case{0.0009F, "Blue"}, Case{0.0019F, "Purple"}, Case{0.0039F, "Cyan"},
                       Case{0.0041F, "Green"}}) {
    ScriptedRandom random{c.r, c.r, c.r};
    draw(random, "Green", 1);
    EXPECT_EQ(nextState_, c.expected) << c.r;
  }
}

TEST_F(DrawTest, TheSecondAttemptIsConditionalOnTheFirst) {
  setRate(4, " 3");   // Purple to Blue
  setRate(10, " 5");  // Purple to Green
  // s = 1250: p2 = (5/1250) / (1 - 3/1250).
  const auto p2 = static_cast<float>((5.0 / 1250.0) / (1.0 - 3.0 / 1250.0));
  ScriptedRandom below{0.9F, std::nextafter(p2, 0.0F)};
  draw(below, "Purple", 1);
  EXPECT_EQ(nextState_, "Green");

  ScriptedRandom atTheChance{0.9F, p2, 0.9F};  // attempt 3 has rate 0
  draw(atTheChance, "Purple", 1);
  EXPECT_EQ(nextState_, "Purple");

  // At exactly 5/1250 an unconditional chance would not fire; this one does.
  const auto unconditional = static_cast<float>(5.0 / 1250.0);
  ASSERT_LT(unconditional, p2);
  ScriptedRandom between{0.9F, unconditional};
  draw(between, "Purple", 1);
  EXPECT_EQ(nextState_, "Green");
}

TEST_F(DrawTest, TheThirdAttemptDividesByTheTwoComplementsInTurn) {
  // All three outgoing rates at the largest: each share is 1/250. The third
  // attempt's chance is (1/250) / (249/250) / (249/250), a little below the
  // exact conditional chance (1/250) / (248/250).
  setRate(9, " 4");  // Cyan to Blue
  setRate(5, " 4");  // Cyan to Purple
  setRate(1, " 4");  // Cyan to Green
  const double share = 4.0 / 1000.0;
  const auto asDrawn = static_cast<float>((share / (1.0 - share)) / (1.0 - share));
  const auto exact = static_cast<float>(share / (1.0 - share - share));
  ASSERT_LT(asDrawn, exact);

  ScriptedRandom between{0.9F, 0.9F, asDrawn};  // fires under the exact form only
  draw(between, "Cyan", 1);
  EXPECT_EQ(nextState_, "Cyan");

  ScriptedRandom below{0.9F, 0.9F, std::nextafter(asDrawn, 0.0F)};
  draw(below, "Cyan", 1);
  EXPECT_EQ(nextState_, "Green");
}

TEST_F(DrawTest, TheLargestRateScanUsesTheStrictReadingAndTheAttemptsTheLenientOne) {
  format_.decimalSeparator = ",";
  setRate(3, "1,5");  // 1.5 for the scale, 1 in the attempt
  // s = 375: attempt 1 has 1/375, not 1.5/375.
  const auto asRead = static_cast<float>(1.0 / 375.0);
  ScriptedRandom random{asRead, 0.0F, 0.0F};
  draw(random, "Blue", 1);
  EXPECT_EQ(nextState_, "Blue");

  ScriptedRandom below{std::nextafter(asRead, 0.0F)};
  draw(below, "Blue", 1);
  EXPECT_EQ(nextState_, "Purple");
}

TEST_F(DrawTest, EqualRatesDoNotReplaceTheLargestSoFar) {
  // Observable through the error: the first of two equal, too large rates is
  // the one named.
  setRate(2, "1e306");
  setRate(5, "1e306");
  ScriptedRandom none;
  nextState_ = "Green";
  const RunError error = drawError(none);
  EXPECT_EQ(error.kind(), ErrorKind::Overflow);
  EXPECT_EQ(error.rateBox(), 2);
  EXPECT_EQ(nextState_, "Green");
}

TEST_F(DrawTest, ARateBoxThatIsNotANumberFailsEveryDrawAndNamesItsTransition) {
  struct Case {
    int box;
    const char* text;
    ErrorKind kind;
    const char* message;
  };
  const Case cases[] = {
      {9, "", ErrorKind::TypeMismatch,
       "The rate from \"Cyan\" to \"Blue\" is empty; it needs a number."},
      {7, "abc", ErrorKind::TypeMismatch,
       "The rate from \"Blue\" to \"Green\" holds \"abc\", which is not a number."},
      {0, "12abc", ErrorKind::TypeMismatch,
       "The rate from \"Purple\" to \"Cyan\" holds \"12abc\", which is not a "
       "number."},
      {3, "1,5", ErrorKind::TypeMismatch,
       "The rate from \"Blue\" to \"Purple\" holds \"1,5\", which is not a number."},
      {11, "1e400", ErrorKind::Overflow,
       "The rate from \"Green\" to \"Purple\" holds \"1e400\", a number too large to "
       "use."},
      // What the user typed is quoted with its controls made visible.
      {5,
       "1\xE2\x80\xAE"
       "2\x1B[2J",
       ErrorKind::TypeMismatch,
       R"(The rate from "Cyan" to "Purple" holds "1\u202E2\x1B[2J", which is not a number.)"},
  };
  for (const Case& c : cases) {
    setRate(3, " 1");
    setRate(4, " 6");
    setRate(c.box, c.text);
    ScriptedRandom none;
    nextState_ = "Cyan";
    const RunError error = drawError(none, "Purple");
    EXPECT_EQ(error.kind(), c.kind) << c.text;
    EXPECT_EQ(error.rateBox(), c.box) << c.text;
    EXPECT_STREQ(error.what(), c.message);
    EXPECT_EQ(nextState_, "Cyan") << "nextState must keep its value";
    EXPECT_EQ(none.draws(), 0U);
    setRate(c.box, "0.0");
  }
}

TEST_F(DrawTest, AVeryLongTextIsQuotedShortInTheMessage) {
  setRate(6, std::string(5000, 'x'));
  ScriptedRandom none;
  const RunError error = drawError(none);
  EXPECT_LT(std::string(error.what()).size(), 120U);
  EXPECT_EQ(error.rateBox(), 6);
}

TEST_F(DrawTest, NoPositiveRateOnTheWindowIsADivisionFault) {
  ScriptedRandom random{0.5F};
  nextState_ = "Green";
  RunError error = drawError(random);
  // Every box reads 0: the first attempt computes 0 / 0.
  EXPECT_EQ(error.kind(), ErrorKind::InvalidOperation);
  EXPECT_EQ(nextState_, "Blue") << "set to the current state before the first attempt";
  EXPECT_EQ(random.draws(), 1U) << "the attempt draws before it divides";
  EXPECT_NE(std::string(error.what()).find("No rate on the window is positive"), std::string::npos);

  setRate(3, "-2");  // negative rates never raise the largest above 0
  ScriptedRandom again{0.5F};
  error = drawError(again);
  EXPECT_EQ(error.kind(), ErrorKind::DivisionByZero);
}

TEST_F(DrawTest, RatesOutOfTheCurrentStateAllZeroMeansNoJumpAfterTheWholeBudget) {
  setRate(1, " 7");  // Cyan to Green, the only positive rate
  ScriptedRandom random;
  for (int i = 0; i < 3 * 40; ++i) random.queue(0.0F);
  draw(random, "Blue");
  EXPECT_EQ(nextState_, "Blue");
  EXPECT_EQ(random.draws(), 120U);
  EXPECT_EQ(random.left(), 0U);
}

TEST_F(DrawTest, AScaleThatOverflowsNamesTheLargestRate) {
  setRate(4, "1e306");
  ScriptedRandom none;
  const RunError error = drawError(none);
  EXPECT_EQ(error.kind(), ErrorKind::Overflow);
  EXPECT_EQ(error.rateBox(), 4);
}

TEST_F(DrawTest, AChanceBeyondSinglePrecisionIsAnOverflow) {
  setRate(4, "1e-40");  // the largest rate: s = 2.5e-38
  setRate(3, "-1e10");  // Blue to Purple: q / s = -4e47, finite only as a double
  ScriptedRandom random{0.5F};
  const RunError error = drawError(random);
  EXPECT_EQ(error.kind(), ErrorKind::Overflow);
  EXPECT_EQ(error.rateBox(), 3);
}

// A call from Blue with "One Phone"'s rates jumps with 1 - (1 - 1/1500)^40 =
// 0.026317. Over 200,000 calls the count of jumps has a standard deviation of
// sqrt(n p (1 - p)) = 71.6 around 5263; the seed is fixed, so the run is the
// same every time, and 5 standard deviations (0.0018 in the share) leaves room
// for any fair generator.
TEST_F(OnePhoneDraw, JumpsWithTheChanceOfFortyPassesStatistically) {
  auto random = ClockSeededRandom::withFixedSeed(20261209);
  CountingRandom counting(random);
  constexpr int kCalls = 200000;
  int jumps = 0;
  int elsewhere = 0;
  int badDrawCounts = 0;
  for (int call = 0; call < kCalls; ++call) {
    const std::size_t before = counting.draws();
    draw(counting);
    const std::size_t used = counting.draws() - before;
    if (nextState_ == "Purple") {
      ++jumps;
      // Passes that missed drew three numbers each, the one that fired one.
      if (used % 3 != 1) ++badDrawCounts;
    } else if (nextState_ == "Blue") {
      if (used != 120) ++badDrawCounts;
    } else {
      ++elsewhere;
    }
  }
  const double expected = 1.0 - std::pow(1.0 - 1.0 / 1500.0, 40);
  EXPECT_NEAR(static_cast<double>(jumps) / kCalls, expected,
              5 * std::sqrt(expected * (1 - expected) / kCalls));
  EXPECT_EQ(elsewhere, 0) << "Green and Cyan have rate 0";
  EXPECT_EQ(badDrawCounts, 0);
}

TEST_F(OnePhoneDraw, FromPurpleTheLargestRateFiresWithOneInTwoHundredFiftyAPass) {
  auto random = ClockSeededRandom::withFixedSeed(99);
  constexpr int kCalls = 100000;
  int jumps = 0;
  for (int call = 0; call < kCalls; ++call) {
    draw(random, "Purple");
    if (nextState_ == "Blue") ++jumps;
  }
  const double expected = 1.0 - std::pow(249.0 / 250.0, 40);  // 0.1482
  EXPECT_NEAR(static_cast<double>(jumps) / kCalls, expected,
              5 * std::sqrt(expected * (1 - expected) / kCalls));
}

}  // namespace
}  // namespace tessel
