// One test for each row of the README's "What happens when..." table: what
// the window does with each kind of input a person may give.

#include <gtest/gtest.h>

#include <string>

#include "chain/scenarios.h"
#include "scripted_random.h"
#include "window/main_form.h"

namespace tessel {
namespace {

using testing::FixedRandom;

class WhatHappensWhen : public ::testing::Test {
 protected:
  WhatHappensWhen() : form_(random_, NumberFormat{}) { form_.handle(FormEvent::Load); }

  // "One", expecting it to fail; returns the message shown.
  std::string oneFails() {
    EXPECT_FALSE(form_.handle(FormEvent::OneClick));
    EXPECT_EQ(form_.variables().moveFrame, 50) << "nothing moves";
    EXPECT_EQ(form_.variables().nextState, form_.variables().currentState);
    return form_.lastError() ? form_.lastError()->what() : "";
  }

  FixedRandom random_{0.0F};
  MainForm form_;
};

TEST_F(WhatHappensWhen, ARateBoxIsEmpty) {
  form_.setRateText(4, "");
  EXPECT_EQ(oneFails(), "The rate from \"On Phone\" to \"Off Phone\" is empty; it needs a number.");
  EXPECT_EQ(form_.markedRateBox(), 4);
  EXPECT_EQ(form_.controls().rateBoxes[4].text(), "") << "the box keeps what was typed";
}

TEST_F(WhatHappensWhen, AHiddenRateBoxIsEmpty) {
  // One Phone leaves Green unnamed: the message names it by its colour.
  form_.setRateText(7, "");
  EXPECT_EQ(oneFails(), "The rate from \"Off Phone\" to \"Green\" is empty; it needs a number.");
  EXPECT_EQ(form_.markedRateBox(), 7);
}

TEST_F(WhatHappensWhen, ARateBoxHoldsLetters) {
  form_.setRateText(3, "fast");
  EXPECT_EQ(oneFails(),
            "The rate from \"Off Phone\" to \"On Phone\" holds \"fast\", which is not a number.");
  EXPECT_EQ(form_.markedRateBox(), 3);
}

TEST_F(WhatHappensWhen, ARateHasADecimalComma) {
  form_.setRateText(3, "1,5");
  EXPECT_EQ(oneFails(),
            "The rate from \"Off Phone\" to \"On Phone\" holds \"1,5\", which is not a number.");

  // Where the comma is the decimal separator the box is accepted, though the
  // jump chances read it only up to the comma.
  FixedRandom random(0.0F);
  MainForm comma(random, NumberFormat{","});
  comma.handle(FormEvent::Load);
  comma.setRateText(3, "1,5");
  EXPECT_TRUE(comma.handle(FormEvent::OneClick));
  EXPECT_EQ(comma.variables().currentState, "Purple");
}

TEST_F(WhatHappensWhen, ARateIsNegative) {
  // A negative rate never raises the scale and never fires; the rest runs.
  ASSERT_TRUE(form_.typeScenario("Office"));
  form_.setRateText(3, "-5");  // Working at Desk -> On Phone
  ASSERT_TRUE(form_.handle(FormEvent::OneClick));
  EXPECT_EQ(form_.variables().currentState, "Green") << "the other way out, to Out";
  EXPECT_FALSE(form_.lastError().has_value());
}

TEST_F(WhatHappensWhen, EveryRateIsZero) {
  for (int box = 0; box < kTransitionCount; ++box) form_.setRateText(box, "0");
  EXPECT_EQ(oneFails(),
            "No rate on the window is positive, so no transition can be drawn. Enter a positive "
            "rate.");
}

TEST_F(WhatHappensWhen, ARateIsHuge) {
  form_.setRateText(4, "1e400");
  EXPECT_EQ(
      oneFails(),
      "The rate from \"On Phone\" to \"Off Phone\" holds \"1e400\", a number too large to use.");
  form_.setRateText(4, "1e306");
  EXPECT_EQ(oneFails(),
            "The rate from \"On Phone\" to \"Off Phone\" holds \"1e306\", too large a rate to "
            "draw with; keep every rate below 1e305.");
  // Large but usable: only the ratios between the rates matter.
  form_.setRateText(3, "1e299");
  form_.setRateText(4, "6e299");
  EXPECT_TRUE(form_.handle(FormEvent::OneClick));
  EXPECT_EQ(form_.variables().currentState, "Purple");
}

TEST_F(WhatHappensWhen, OneHasNoWayOut) {
  form_.setRateText(3, "0");
  EXPECT_EQ(oneFails(), "No transition out of \"Off Phone\" has a positive rate.");
  // A rate so small next to the largest that its chance rounds to nothing.
  form_.setRateText(3, "1");
  form_.setRateText(4, "1e300");
  EXPECT_EQ(oneFails(),
            "The rates out of \"Off Phone\" are too small next to the largest rate on the "
            "window to ever fire.");
}

TEST_F(WhatHappensWhen, TheScenarioChangesMidMove) {
  ASSERT_TRUE(form_.handle(FormEvent::StartStopClick));
  ASSERT_TRUE(form_.handle(FormEvent::TimerTick));  // a move to Purple starts
  ASSERT_TRUE(form_.handle(FormEvent::TimerTick));
  ASSERT_TRUE(form_.controls().token.visible);
  form_.setRateText(4, "9");
  ASSERT_TRUE(form_.typeScenario("Receptionist"));
  EXPECT_FALSE(form_.controls().token.visible);
  EXPECT_EQ(form_.variables().currentState, "Blue");
  EXPECT_GT(form_.variables().moveFrame, 30);
  EXPECT_EQ(form_.controls().rateBoxes[4].text(), " 0.5") << "the scenario's own rates return";
  EXPECT_EQ(form_.variables().counting, kTrue) << "counting goes on";
}

TEST_F(WhatHappensWhen, PauseThenOne) {
  ASSERT_TRUE(form_.handle(FormEvent::PauseContinueClick));
  ASSERT_TRUE(form_.handle(FormEvent::OneClick));
  EXPECT_EQ(form_.variables().moveFrame, 0) << "the move is set up";
  EXPECT_TRUE(form_.handle(FormEvent::TimerTick));
  EXPECT_EQ(form_.variables().moveFrame, 0) << "but waits for Cont";
  ASSERT_TRUE(form_.handle(FormEvent::PauseContinueClick));
  for (int i = 0; i < 11; ++i) ASSERT_TRUE(form_.handle(FormEvent::TimerTick));
  EXPECT_EQ(form_.variables().currentState, "Purple");
  EXPECT_EQ(form_.variables().moveFrame, 33);
}

}  // namespace
}  // namespace tessel
