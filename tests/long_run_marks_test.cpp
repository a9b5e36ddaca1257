// The long-run marks on the chart: where they stand, and how they follow the
// rates, the scenario and the state the token rests in.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "chain/long_run.h"
#include "chain/scenarios.h"
#include "display/layout.h"
#include "scripted_random.h"
#include "window/main_form.h"

namespace tessel {
namespace {

using testing::FixedRandom;

class LongRunMarks : public ::testing::Test {
 protected:
  LongRunMarks() : form_(random_, NumberFormat{}) { form_.handle(FormEvent::Load); }

  StateChances theory() const {
    const FormControls& controls = form_.controls();
    const auto draw =
        readDrawRates(controls.rateBoxes, controls.moveTimer.interval, NumberFormat{});
    EXPECT_TRUE(draw.has_value());
    return longRunShares(draw.value_or(DrawRates{}),
                         stateIndex(form_.variables().currentState).value_or(kBlue));
  }

  const LongRunMark& mark(int state) const {
    return form_.controls().longRunMarks[static_cast<std::size_t>(state)];
  }

  bool anyMarkShown() const {
    for (const LongRunMark& m : form_.controls().longRunMarks) {
      if (m.visible) return true;
    }
    return false;
  }

  // A bar's Top at the share: its base line less the share of its full height.
  static float topAt(double share) { return static_cast<float>(6945.0 - share * 4305.0); }

  FixedRandom random_{0.0F};  // every draw jumps at the first positive rate
  MainForm form_;
};

TEST_F(LongRunMarks, AreOffUntilTurnedOnAndGoAgainWhenTurnedOff) {
  EXPECT_FALSE(form_.longRunMarksShown());
  EXPECT_FALSE(anyMarkShown());
  form_.setLongRunMarksShown(true);
  EXPECT_TRUE(anyMarkShown());
  form_.setLongRunMarksShown(false);
  EXPECT_FALSE(anyMarkShown());
}

TEST_F(LongRunMarks, StandOnEachVisibleBarAtItsLongRunShareInEveryScenario) {
  form_.setLongRunMarksShown(true);
  for (const Scenario& scenario : kScenarios) {
    SCOPED_TRACE(std::string(scenario.name));
    ASSERT_TRUE(form_.typeScenario(std::string(scenario.name)));
    const StateChances shares = theory();
    double shown = 0.0;
    for (int state = 0; state < kStateCount; ++state) {
      const auto i = static_cast<std::size_t>(state);
      ASSERT_EQ(mark(state).visible, form_.controls().bars[i].visible) << state;
      if (!mark(state).visible) continue;
      shown += shares[i];
      EXPECT_FLOAT_EQ(mark(state).top, topAt(shares[i])) << state;
      std::array<char, 16> percent{};
      std::snprintf(percent.data(), percent.size(), "%.1f", shares[i] * 100.0);
      EXPECT_EQ(mark(state).caption, percent.data()) << state;
    }
    EXPECT_NEAR(shown, 1.0, 1e-12) << "the visible states hold the whole long run";
    EXPECT_EQ(form_.longRunNote(), "") << "every scenario settles the same from any state";
  }
}

TEST_F(LongRunMarks, FollowAnEditedRateAndHideWhileARateCannotBeRead) {
  form_.setLongRunMarksShown(true);
  const float before = mark(kBlue).top;
  form_.setRateText(4, " 2");  // On Phone -> Off Phone, slower: less time Off Phone
  EXPECT_GT(mark(kBlue).top, before);
  EXPECT_FLOAT_EQ(mark(kBlue).top, topAt(theory()[kBlue]));

  form_.setRateText(4, "abc");
  EXPECT_FALSE(anyMarkShown());
  EXPECT_FALSE(form_.lastError().has_value()) << "the error shows when a draw reads the box";
  form_.setRateText(4, " 6");
  EXPECT_TRUE(mark(kBlue).visible);
  EXPECT_FLOAT_EQ(mark(kBlue).top, before);
}

TEST_F(LongRunMarks, WhereTheStartMattersFollowTheTokenAndSaySo) {
  // Office with no way back from On Phone or Out: from Working at Desk the
  // chain ends in one of them, one time in four On Phone.
  form_.setLongRunMarksShown(true);
  ASSERT_TRUE(form_.typeScenario("Office"));
  form_.setRateText(4, "0");
  form_.setRateText(2, "0");
  const StateChances fromDesk = theory();
  EXPECT_NEAR(fromDesk[kPurple], 0.25, 0.001);
  EXPECT_FLOAT_EQ(mark(kPurple).top, topAt(fromDesk[kPurple]));
  EXPECT_FLOAT_EQ(mark(kBlue).top, topAt(0.0));
  EXPECT_EQ(form_.longRunNote(),
            "The long run depends on the start: the marks are for a start in \"Working at "
            "Desk\", where the token rests.");

  ASSERT_TRUE(form_.handle(FormEvent::OneClick));  // to On Phone, for good
  EXPECT_FLOAT_EQ(mark(kPurple).top, topAt(1.0));
  EXPECT_EQ(mark(kPurple).caption, "100");
  EXPECT_EQ(mark(kGreen).caption, "0.0");
  EXPECT_NE(form_.longRunNote().find("\"On Phone\""), std::string::npos) << form_.longRunNote();

  form_.setLongRunMarksShown(false);
  EXPECT_EQ(form_.longRunNote(), "");
}

}  // namespace
}  // namespace tessel
