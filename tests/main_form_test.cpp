#include "window/main_form.h"

#include <gtest/gtest.h>

#include <array>
#include <set>
#include <string>
#include <vector>

#include "chain/scenarios.h"
#include "main_form_probe.h"
#include "scripted_random.h"

namespace tessel {
namespace {

using testing::FixedRandom;

// A loaded window whose random numbers the test sets: 0 makes the first
// attempt with a positive rate fire, 0.999 makes every attempt miss.
class FormTest : public ::testing::Test {
 protected:
  FormTest() : form_(random_, NumberFormat{}) { EXPECT_TRUE(form_.handle(FormEvent::Load)); }

  FormControls& controls() { return MainFormProbe::controls(form_); }
  FormVariables& vars() { return MainFormProbe::variables(form_); }

  void ticks(int count) {
    for (int i = 0; i < count; ++i) ASSERT_TRUE(form_.handle(FormEvent::TimerTick)) << "tick " << i;
  }
  std::vector<std::string> visitCounts() {
    std::vector<std::string> counts;
    for (const Label& label : controls().visitCounts) counts.push_back(label.caption);
    return counts;
  }
  std::vector<Colour> borders() {
    std::vector<Colour> colours;
    for (const Shape& circle : controls().circles) colours.push_back(circle.borderColor);
    return colours;
  }

  FixedRandom random_{0.999F};
  MainForm form_;
};

TEST_F(FormTest, LoadsIntoOnePhoneAtRestWithTheTimerRunning) {
  EXPECT_EQ(random_.seedings(), 1);
  EXPECT_EQ(vars().moveFrame, 50);
  EXPECT_EQ(vars().counting, kFalse);
  EXPECT_EQ(vars().currentState, "Blue");
  EXPECT_EQ(vars().nextState, "Blue");
  EXPECT_EQ(vars().occupancy, (std::array<double, 4>{}));
  EXPECT_FALSE(controls().token.visible);
  EXPECT_TRUE(controls().moveTimer.enabled);
  EXPECT_EQ(controls().moveTimer.interval, 40);
  EXPECT_EQ(controls().scenarioList.entries,
            (std::vector<std::string>{"One Phone", "Receptionist", "Office", "Conversation",
                                      "Four Element Queue"}));
  EXPECT_EQ(controls().scenarioList.text, "One Phone");
  EXPECT_EQ(borders(), (std::vector<Colour>{255, 8421504, 8421504, 8421504}));
  EXPECT_EQ(controls().startStopButton.caption, "Start");
  EXPECT_EQ(controls().pauseButton.caption, "Pause");
  // Until the chart is first redrawn, the visible bars stand at full height
  // with "100" above them.
  for (std::size_t i = 0; i < 2; ++i) {
    EXPECT_TRUE(controls().bars[i].visible);
    EXPECT_EQ(controls().bars[i].top, 2640.0F);
    EXPECT_EQ(controls().bars[i].height, 4305.0F);
    EXPECT_EQ(controls().shareLabels[i].caption, "100");
    EXPECT_EQ(controls().shareLabels[i].top, 2160.0F);
  }
}

TEST_F(FormTest, IdleTicksAfterLoadChangeNothing) {
  const FormVariables before = vars();
  ticks(500);
  EXPECT_EQ(vars().moveFrame, before.moveFrame);
  EXPECT_EQ(vars().currentState, before.currentState);
  EXPECT_FALSE(controls().token.visible);
  EXPECT_EQ(random_.draws(), 0U);
}

TEST_F(FormTest, EventsBeforeLoadAndASecondLoadAreIgnored) {
  FixedRandom random(0.0F);
  MainForm fresh(random, NumberFormat{});
  EXPECT_TRUE(fresh.handle(FormEvent::OneClick));
  EXPECT_TRUE(fresh.handle(FormEvent::TimerTick));
  EXPECT_TRUE(fresh.controls().scenarioList.entries.empty());
  EXPECT_EQ(random.draws(), 0U);

  EXPECT_TRUE(form_.handle(FormEvent::Load));
  EXPECT_EQ(controls().scenarioList.entries.size(), 5U);
  EXPECT_EQ(random_.seedings(), 1);
}

// --- Scenarios -------------------------------------------------------------

struct ScenarioView {
  std::set<int> circles;
  std::array<std::string, 4> names;
  std::array<std::string, 12> texts;  // every box, hidden ones included
  std::set<int> visibleBoxes;
  std::set<int> columns;
};

ScenarioView viewOf(const FormControls& c) {
  ScenarioView v;
  for (int i = 0; i < 4; ++i) {
    const auto k = static_cast<std::size_t>(i);
    if (c.circles[k].visible) v.circles.insert(i);
    v.names[k] = c.nameLabels[k].caption;
    const bool bar = c.bars[k].visible;
    EXPECT_EQ(c.shareLabels[k].visible, bar) << "column " << i;
    EXPECT_EQ(c.visitCounts[k].visible, bar) << "column " << i;
    EXPECT_EQ(c.visitCounts[k].caption, "0") << "column " << i;
    if (bar) v.columns.insert(i);
  }
  for (int i = 0; i < 12; ++i) {
    const auto k = static_cast<std::size_t>(i);
    v.texts[k] = c.rateBoxes[k].text();
    if (c.rateBoxes[k].visible) v.visibleBoxes.insert(i);
  }
  return v;
}

std::array<std::string, 12> boxTexts(std::initializer_list<std::pair<int, const char*>> rates) {
  std::array<std::string, 12> texts;
  texts.fill("0.0");
  for (const auto& [box, text] : rates) texts[static_cast<std::size_t>(box)] = text;
  return texts;
}

struct ScenarioCase {
  const char* name;
  ScenarioView expected;
};

const ScenarioView kOnePhone{
    {0, 1}, {"Off Phone", "On Phone", "", ""}, boxTexts({{3, " 1"}, {4, " 6"}}), {3, 4}, {0, 1}};

const ScenarioCase kScenarioCases[] = {
    {"One Phone", kOnePhone},
    {"Office",
     {{0, 1, 2},
      {"Working at Desk", "On Phone", "Out", ""},
      boxTexts({{3, " 1"}, {4, " 8"}, {2, " 2"}, {7, " 3"}}),
      {2, 3, 4, 7},
      {0, 1, 2}}},
    {"Receptionist",
     {{0, 1, 2},
      {"Bored", "With Visitor", "On Phone", ""},
      boxTexts({{3, " 0.143"}, {4, " 0.5"}, {2, " 0.333"}, {7, " 0.2"}}),
      {2, 3, 4, 7},
      {0, 1, 2}}},
    {"Conversation",
     {{0, 1, 2, 3},
      {"Mutual Silence", "Talking A", "Talking B", "Double Talk"},
      boxTexts(
          {{0, " 1"}, {1, " 7"}, {2, " 3"}, {3, " 6"}, {4, " 3"}, {5, " 7"}, {6, " 1"}, {7, " 6"}}),
      {0, 1, 2, 3, 4, 5, 6, 7},
      {0, 1, 2, 3}}},
    {"Four Element Queue",
     {{0, 1, 2, 3},
      {"Queue Empty", "One in Queue", "Two in Queue", "3 in Queue"},
      boxTexts({{1, " 3"}, {3, " 2"}, {4, " 3"}, {6, " 2"}, {10, " 2"}, {11, " 3"}}),
      {1, 3, 4, 6, 10, 11},
      {0, 1, 2, 3}}},
};

void expectView(const FormControls& controls, const ScenarioView& expected,
                const std::string& what) {
  const ScenarioView v = viewOf(controls);
  EXPECT_EQ(v.circles, expected.circles) << what;
  EXPECT_EQ(v.names, expected.names) << what;
  EXPECT_EQ(v.texts, expected.texts) << what;
  EXPECT_EQ(v.visibleBoxes, expected.visibleBoxes) << what;
  EXPECT_EQ(v.columns, expected.columns) << what;
}

TEST_F(FormTest, EachScenarioShowsItsStatesRatesAndColumnsFromAnyOther) {
  for (const ScenarioCase& from : kScenarioCases) {
    for (const ScenarioCase& to : kScenarioCases) {
      ASSERT_TRUE(form_.typeScenario(from.name));
      ASSERT_TRUE(form_.typeScenario(to.name));
      expectView(controls(), to.expected, std::string(from.name) + " -> " + to.name);
      // Every visible box's arc, arrow head and both circles show too.
      for (const Transition& t : kTransitions) {
        const bool shown = controls().rateBoxes[static_cast<std::size_t>(t.rateBox)].visible;
        EXPECT_EQ(controls().arcLines[static_cast<std::size_t>(t.arcLine)].visible, shown);
        EXPECT_EQ(controls().arrowStrokes[static_cast<std::size_t>(t.arrowStrokes[0])].visible,
                  shown);
        EXPECT_EQ(controls().arrowStrokes[static_cast<std::size_t>(t.arrowStrokes[1])].visible,
                  shown);
      }
    }
  }
}

TEST_F(FormTest, AnyOtherTextGivesOnePhone) {
  for (const char* text : {"", "office", "Office ", " Office", "OFFICE", "Queue", "One phone"}) {
    ASSERT_TRUE(form_.typeScenario("Conversation"));
    ASSERT_TRUE(form_.typeScenario(text));
    expectView(controls(), kOnePhone, std::string("\"") + text + "\"");
  }
}

TEST_F(FormTest, ApplyingAScenarioAgainRestoresItsDefaultsOverTheUsersEdits) {
  ASSERT_TRUE(form_.typeScenario("Office"));
  form_.setRateText(3, "42");
  form_.setRateText(9, "5");  // a hidden box
  ASSERT_TRUE(form_.handle(FormEvent::ScenarioClick));
  expectView(controls(), kScenarioCases[1].expected, "Office again");
}

// --- Moves and the tick ----------------------------------------------------

TEST_F(FormTest, BeginMoveLoadsThePathGreysTheSourceAndCommitsTheTarget) {
  vars().currentState = "Blue";
  vars().nextState = "Cyan";
  MainFormProbe::beginMove(form_);
  EXPECT_EQ(vars().moveFromX, 2200);
  EXPECT_EQ(vars().moveToX, 4480);
  EXPECT_EQ(vars().moveFromY, 2040);
  EXPECT_EQ(vars().moveToY, 4320);
  EXPECT_EQ(controls().circles[0].borderColor, 8421504);
  EXPECT_EQ(vars().currentState, "Cyan");
  EXPECT_EQ(vars().moveFrame, 0);

  // Back from Cyan to Blue is a path of its own, not the reverse.
  vars().nextState = "Blue";
  MainFormProbe::beginMove(form_);
  EXPECT_EQ(vars().moveFromX, 4080);
  EXPECT_EQ(vars().moveFromY, 4880);
  EXPECT_EQ(vars().moveToX, 1800);
  EXPECT_EQ(vars().moveToY, 2560);

  // No jump: only the frame counter changes.
  const FormVariables before = vars();
  const std::vector<Colour> colours = borders();
  MainFormProbe::beginMove(form_);
  EXPECT_EQ(vars().moveFrame, 40);
  EXPECT_EQ(vars().moveFromX, before.moveFromX);
  EXPECT_EQ(vars().currentState, "Blue");
  EXPECT_EQ(borders(), colours);
}

TEST_F(FormTest, AMoveTakesTenFramesThenArrives) {
  vars().nextState = "Cyan";
  MainFormProbe::beginMove(form_);  // from Blue: Left 2200 -> 4480, Top 2040 -> 4320
  for (int frame = 0; frame <= 27; frame += 3) {
    ticks(1);
    EXPECT_TRUE(controls().token.visible);
    EXPECT_FLOAT_EQ(controls().token.left, static_cast<float>(2200 + 2280.0 * frame / 30));
    EXPECT_FLOAT_EQ(controls().token.top, static_cast<float>(2040 + 2280.0 * frame / 30));
    EXPECT_EQ(vars().moveFrame, frame + 3);
    EXPECT_NE(controls().circles[3].borderColor, 255) << "no circle is red while moving";
  }
  ticks(1);  // the arrival
  EXPECT_FALSE(controls().token.visible);
  EXPECT_EQ(vars().moveFrame, 33);
  EXPECT_EQ(vars().currentState, "Cyan");
  EXPECT_EQ(borders(), (std::vector<Colour>{8421504, 8421504, 8421504, 255}));
  // Not counting: no visit is counted and no further move starts.
  EXPECT_EQ(visitCounts(), (std::vector<std::string>{"0", "0", "0", "0"}));
  ticks(20);
  EXPECT_EQ(vars().moveFrame, 33);
  EXPECT_EQ(random_.draws(), 0U);
}

TEST_F(FormTest, TheArrivalCircleFollowsTheTokensCornerWithTheLinesCountingRightAndBelow) {
  struct Case {
    float left, top;
    int circle;
  };
  const Case cases[] = {{2999.9F, 3479.9F, 0}, {3000.0F, 3479.9F, 1}, {2999.9F, 3480.0F, 2},
                        {3000.0F, 3480.0F, 3}, {100.0F, 6000.0F, 2},  {5000.0F, 100.0F, 1}};
  for (const Case& c : cases) {
    for (Shape& circle : controls().circles) circle.borderColor = kGrey;
    controls().token.left = c.left;
    controls().token.top = c.top;
    vars().moveFrame = 30;
    ticks(1);
    for (int i = 0; i < 4; ++i) {
      EXPECT_EQ(controls().circles[static_cast<std::size_t>(i)].borderColor,
                i == c.circle ? kRed : kGrey)
          << c.left << ", " << c.top;
    }
  }
}

TEST_F(FormTest, EveryRestingFrameValueBehavesTheSame) {
  for (const int frame : {33, 40, 50, 100, 31}) {
    vars().moveFrame = static_cast<std::int16_t>(frame);
    ticks(3);
    EXPECT_EQ(vars().moveFrame, frame);
    EXPECT_FALSE(controls().token.visible);
  }
}

// --- Counting --------------------------------------------------------------

TEST_F(FormTest, StartCountsVisitsAndRestingTicksAndKeepsTheChainMoving) {
  controls().visitCounts[0].caption = "7";
  ASSERT_TRUE(form_.handle(FormEvent::StartStopClick));
  EXPECT_EQ(controls().startStopButton.caption, "Stop");
  EXPECT_EQ(vars().counting, kTrue);
  EXPECT_EQ(visitCounts(), (std::vector<std::string>{"0", "0", "0", "0"}));
  // "Start" does not redraw the chart.
  EXPECT_EQ(controls().shareLabels[0].caption, "100");

  random_.set(0.0F);  // every draw jumps at once
  ticks(1);           // resting tick in Blue: counted, drawn, move to Purple set up
  EXPECT_EQ(vars().occupancy, (std::array<double, 4>{1, 0, 0, 0}));
  EXPECT_EQ(controls().shareLabels[0].caption, " 100");
  EXPECT_EQ(vars().currentState, "Purple");
  EXPECT_EQ(vars().moveFrame, 0);

  ticks(10);  // frames: nothing counted
  EXPECT_EQ(vars().occupancy, (std::array<double, 4>{1, 0, 0, 0}));
  ticks(1);  // arrival in Purple, counted, and the next move starts at once
  EXPECT_EQ(visitCounts(), (std::vector<std::string>{"0", " 1", "0", "0"}));
  EXPECT_EQ(vars().occupancy, (std::array<double, 4>{1, 1, 0, 0}));
  EXPECT_EQ(controls().shareLabels[1].caption, " 50");
  EXPECT_EQ(vars().currentState, "Blue");
  EXPECT_EQ(vars().moveFrame, 0);

  ticks(11);
  ticks(11);
  EXPECT_EQ(visitCounts(), (std::vector<std::string>{" 1", " 2", "0", "0"}));
}

TEST_F(FormTest, WhileCountingADrawThatStaysStillCountsEveryTick) {
  ASSERT_TRUE(form_.handle(FormEvent::StartStopClick));
  ticks(8);
  EXPECT_EQ(vars().occupancy[0], 8.0);
  EXPECT_EQ(vars().currentState, "Blue");
  EXPECT_FALSE(controls().token.visible);
  EXPECT_EQ(random_.draws(), 8U * 120U);
}

TEST_F(FormTest, StopLetsAMoveArriveWithoutCountingIt) {
  ASSERT_TRUE(form_.handle(FormEvent::StartStopClick));
  random_.set(0.0F);
  ticks(1);  // move to Purple set up
  ASSERT_TRUE(form_.handle(FormEvent::StartStopClick));
  EXPECT_EQ(controls().startStopButton.caption, "Start");
  EXPECT_EQ(vars().counting, kFalse);
  ticks(11);
  EXPECT_EQ(vars().currentState, "Purple");
  EXPECT_EQ(controls().circles[1].borderColor, kRed);
  EXPECT_EQ(visitCounts(), (std::vector<std::string>{"0", "0", "0", "0"}));
  ticks(5);
  EXPECT_EQ(vars().moveFrame, 33);
  EXPECT_EQ(vars().occupancy, (std::array<double, 4>{1, 0, 0, 0}));
}

TEST_F(FormTest, OneWhileCountingStopsCountingButLeavesTheButtonReadingStop) {
  ASSERT_TRUE(form_.handle(FormEvent::StartStopClick));
  random_.set(0.0F);
  ASSERT_TRUE(form_.handle(FormEvent::OneClick));
  EXPECT_EQ(vars().counting, kFalse);
  EXPECT_EQ(controls().startStopButton.caption, "Stop");
  ASSERT_TRUE(form_.handle(FormEvent::StartStopClick));
  EXPECT_EQ(controls().startStopButton.caption, "Start");
  EXPECT_EQ(vars().counting, kFalse);
  ASSERT_TRUE(form_.handle(FormEvent::StartStopClick));
  EXPECT_EQ(vars().counting, kTrue);
}

TEST_F(FormTest, OneDuringAMoveStartsANewMoveFromItsDestination) {
  random_.set(0.0F);
  ASSERT_TRUE(form_.handle(FormEvent::OneClick));  // Blue -> Purple
  ticks(4);
  ASSERT_TRUE(form_.handle(FormEvent::OneClick));  // from Purple, already current: -> Blue
  EXPECT_EQ(vars().currentState, "Blue");
  EXPECT_EQ(vars().moveFrame, 0);
  ticks(1);
  EXPECT_EQ(controls().token.left, 3900.0F);  // the start of Purple -> Blue
  EXPECT_EQ(controls().token.top, 1480.0F);
}

TEST_F(FormTest, PauseFreezesTheAnimationAndOneSetsUpAMoveForLater) {
  ASSERT_TRUE(form_.handle(FormEvent::PauseContinueClick));
  EXPECT_FALSE(controls().moveTimer.enabled);
  EXPECT_EQ(controls().pauseButton.caption, "Cont");
  random_.set(0.0F);
  ASSERT_TRUE(form_.handle(FormEvent::OneClick));
  EXPECT_EQ(vars().moveFrame, 0);
  ticks(5);  // a disabled timer delivers nothing
  EXPECT_EQ(vars().moveFrame, 0);
  EXPECT_FALSE(controls().token.visible);

  ASSERT_TRUE(form_.handle(FormEvent::PauseContinueClick));
  EXPECT_TRUE(controls().moveTimer.enabled);
  EXPECT_EQ(controls().pauseButton.caption, "Pause");
  ticks(11);
  EXPECT_EQ(vars().currentState, "Purple");
  EXPECT_EQ(vars().moveFrame, 33);
}

TEST_F(FormTest, ButtonsDecideByTheirCaptionAlone) {
  controls().startStopButton.caption = "start";
  ASSERT_TRUE(form_.handle(FormEvent::StartStopClick));
  EXPECT_EQ(controls().startStopButton.caption, "Start");
  EXPECT_EQ(vars().counting, kFalse);
  controls().pauseButton.caption = "pause";
  controls().moveTimer.enabled = false;
  ASSERT_TRUE(form_.handle(FormEvent::PauseContinueClick));
  EXPECT_EQ(controls().pauseButton.caption, "Pause");
  EXPECT_TRUE(controls().moveTimer.enabled);
}

TEST_F(FormTest, AScenarioChangeMidMoveAbandonsItAndRestartsTheCounts) {
  ASSERT_TRUE(form_.handle(FormEvent::StartStopClick));
  random_.set(0.0F);
  ticks(12);  // one move to Purple arrived, the next under way
  ASSERT_EQ(visitCounts()[1], " 1");
  ticks(3);
  ASSERT_TRUE(form_.handle(FormEvent::PauseContinueClick));
  ASSERT_TRUE(form_.typeScenario("Office"));
  EXPECT_EQ(vars().moveFrame, 100);
  EXPECT_FALSE(controls().token.visible);
  EXPECT_EQ(vars().currentState, "Blue");
  EXPECT_EQ(vars().occupancy, (std::array<double, 4>{}));
  EXPECT_EQ(visitCounts(), (std::vector<std::string>{"0", "0", "0", "0"}));
  // The mode is left as it was; the chart keeps its last values.
  EXPECT_EQ(vars().counting, kTrue);
  EXPECT_EQ(controls().startStopButton.caption, "Stop");
  EXPECT_FALSE(controls().moveTimer.enabled);
  EXPECT_EQ(controls().pauseButton.caption, "Cont");
  EXPECT_EQ(controls().shareLabels[0].caption, " 50");
  EXPECT_EQ(borders(), (std::vector<Colour>{255, 8421504, 8421504, 8421504}));
}

// --- Errors ----------------------------------------------------------------

TEST_F(FormTest, AnEmptyRateBoxDuringOneIsReportedAndFixingItClearsTheError) {
  form_.setRateText(9, "");  // a hidden box still counts
  EXPECT_FALSE(form_.handle(FormEvent::OneClick));
  ASSERT_TRUE(form_.lastError().has_value());
  EXPECT_EQ(form_.lastError()->kind(), ErrorKind::TypeMismatch);
  EXPECT_EQ(form_.lastError()->rateBox(), 9);
  EXPECT_EQ(vars().nextState, vars().currentState);
  EXPECT_EQ(vars().moveFrame, 50) << "no move set up";

  EXPECT_EQ(form_.markedRateBox(), 9);

  ticks(3);  // idle ticks keep the message
  EXPECT_TRUE(form_.lastError().has_value());
  form_.setRateText(9, "abc");
  EXPECT_TRUE(form_.lastError().has_value());
  EXPECT_EQ(form_.markedRateBox(), 9);
  form_.setRateText(9, "0");
  EXPECT_FALSE(form_.lastError().has_value());
  EXPECT_FALSE(form_.markedRateBox().has_value());

  random_.set(0.0F);
  EXPECT_TRUE(form_.handle(FormEvent::OneClick));
  EXPECT_EQ(vars().currentState, "Purple");
}

TEST_F(FormTest, TheMarkOnAFaultyBoxOutlivesTheMessageUntilTheBoxIsFixed) {
  form_.setRateText(2, "x");
  EXPECT_FALSE(form_.handle(FormEvent::OneClick));
  EXPECT_TRUE(form_.handle(FormEvent::PauseContinueClick));
  EXPECT_FALSE(form_.lastError().has_value()) << "a successful click clears the message";
  EXPECT_EQ(form_.markedRateBox(), 2) << "but the box is still not a number";
  form_.setRateText(4, "7");  // another box: the mark stays
  EXPECT_EQ(form_.markedRateBox(), 2);
  // Applying a scenario writes every box, which fixes it.
  EXPECT_TRUE(form_.typeScenario("Office"));
  EXPECT_FALSE(form_.markedRateBox().has_value());
}

TEST_F(FormTest, ADrawErrorWhileCountingEndsTheTickAfterTheChartIsRedrawn) {
  ASSERT_TRUE(form_.handle(FormEvent::StartStopClick));
  form_.setRateText(3, "1,5");  // a comma is not a decimal point here
  EXPECT_FALSE(form_.handle(FormEvent::TimerTick));
  EXPECT_EQ(vars().occupancy[0], 1.0);
  EXPECT_EQ(controls().shareLabels[0].caption, " 100");
  EXPECT_EQ(vars().moveFrame, 50);
  // A user event that succeeds clears the message.
  EXPECT_TRUE(form_.handle(FormEvent::StartStopClick));
  EXPECT_FALSE(form_.lastError().has_value());
}

TEST_F(FormTest, OneWithEveryRateZeroReportsIt) {
  form_.setRateText(3, "0");
  form_.setRateText(4, "0");
  EXPECT_FALSE(form_.handle(FormEvent::OneClick));
  ASSERT_TRUE(form_.lastError().has_value());
  EXPECT_EQ(form_.lastError()->kind(), ErrorKind::InvalidOperation);
  EXPECT_EQ(vars().counting, kFalse);
  EXPECT_EQ(vars().nextState, "Blue");
}

TEST_F(FormTest, OneWithNoWayOutOfTheStateReportsItInsteadOfHanging) {
  form_.setRateText(3, "0");  // Off Phone -> On Phone; On Phone -> Off Phone stays 6
  EXPECT_FALSE(form_.handle(FormEvent::OneClick));
  ASSERT_TRUE(form_.lastError().has_value());
  EXPECT_STREQ(form_.lastError()->what(),
               "No transition out of \"Off Phone\" has a positive rate.");
  EXPECT_EQ(vars().nextState, "Blue");
  EXPECT_EQ(vars().moveFrame, 50);
  EXPECT_EQ(random_.draws(), 120U) << "one draw, then the check";
}

TEST_F(FormTest, OneGivesUpOnAJumpTooUnlikelyToComeUp) {
  form_.setRateText(3, "1e-30");  // positive, but a chance of 7e-34 a pass
  EXPECT_FALSE(form_.handle(FormEvent::OneClick));
  ASSERT_TRUE(form_.lastError().has_value());
  EXPECT_NE(std::string(form_.lastError()->what()).find("too small"), std::string::npos);
  EXPECT_EQ(vars().nextState, "Blue");
  EXPECT_EQ(vars().moveFrame, 50);
}

}  // namespace
}  // namespace tessel
