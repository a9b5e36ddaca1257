// The speed control's promise: the same chain at every speed. Frames of any
// size deliver exactly the ticks, random numbers, counts and chart that one
// tick a timer event does.

#include "window/run_speed.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toolkit/random_source.h"

namespace tessel {
namespace {

// What a run leaves on the window and in its random source.
struct RunState {
  std::string currentState;
  std::int16_t moveFrame;
  std::array<double, kStateCount> occupancy;
  std::vector<std::string> captions;  // visit counts, then percentages, then mark captions
  std::array<float, kStateCount> barTops;
  float tokenLeft;
  float nextRandom;
  std::uint64_t jumps;
  bool operator==(const RunState&) const = default;
};

// "Conversation" with seed 5 and the marks on, counting for `total` ticks
// delivered in frames of `frameSizes` in turn (0: one TimerTick event).
RunState runInFrames(int total, const std::vector<int>& frameSizes) {
  auto random = ClockSeededRandom::withFixedSeed(5);
  MainForm form(random, NumberFormat{});
  form.handle(FormEvent::Load);
  form.typeScenario("Conversation");
  form.setLongRunMarksShown(true);
  form.handle(FormEvent::StartStopClick);
  int done = 0;
  for (std::size_t i = 0; done < total; ++i) {
    const int frame = frameSizes[i % frameSizes.size()];
    if (frame == 0) {
      EXPECT_TRUE(form.handle(FormEvent::TimerTick));
      ++done;
    } else {
      done += form.runFrame(std::min(frame, total - done));
    }
  }
  RunState state{form.variables().currentState,
                 form.variables().moveFrame,
                 form.variables().occupancy,
                 {},
                 {},
                 form.controls().token.left,
                 0.0F,
                 form.jumps()};
  const FormControls& controls = form.controls();
  for (const Label& label : controls.visitCounts) state.captions.push_back(label.caption);
  for (const Label& label : controls.shareLabels) state.captions.push_back(label.caption);
  for (const LongRunMark& mark : controls.longRunMarks) state.captions.push_back(mark.caption);
  for (std::size_t i = 0; i < kStateCount; ++i) state.barTops[i] = controls.bars[i].top;
  state.nextRandom = random.next();
  return state;
}

TEST(RunSpeed, TheChainIsTheSameHoweverItsTicksAreSplitIntoFrames) {
  constexpr int kTicks = 30011;
  const RunState oneByOne = runInFrames(kTicks, {0});
  EXPECT_GT(oneByOne.jumps, 100U);
  for (const std::vector<int>& frames :
       std::vector<std::vector<int>>{{2}, {5}, {10}, {100}, {1000}, {kTicks}, {3, 0, 17, 1, 250}}) {
    EXPECT_EQ(runInFrames(kTicks, frames), oneByOne) << "frames of " << frames[0];
  }
}

TEST(RunSpeed, AFrameRunsNothingWhilePausedAndStopsAtAnError) {
  auto random = ClockSeededRandom::withFixedSeed(1);
  MainForm form(random, NumberFormat{});
  EXPECT_EQ(form.runFrame(100), 0) << "before Load";
  form.handle(FormEvent::Load);
  form.handle(FormEvent::StartStopClick);
  form.handle(FormEvent::PauseContinueClick);
  EXPECT_EQ(form.runFrame(1000), 0);
  EXPECT_EQ(form.variables().occupancy[kBlue], 0.0);
  form.handle(FormEvent::PauseContinueClick);
  form.setRateText(4, "abc");
  EXPECT_EQ(form.runFrame(1000), 1) << "the first resting tick fails";
  EXPECT_TRUE(form.lastFrameFailed());
  ASSERT_TRUE(form.lastError().has_value());
  EXPECT_EQ(form.markedRateBox(), 4);
}

// A clock that moves a millisecond every time it is read.
struct SteppingClock {
  using duration = std::chrono::nanoseconds;
  using time_point = std::chrono::time_point<SteppingClock>;
  static time_point now() { return time_point(duration(++reads * 1'000'000)); }
  static inline std::int64_t reads = 0;
};

TEST(RunSpeed, MaxRunsUntilHalfTheTimerIntervalHasPassed) {
  auto random = ClockSeededRandom::withFixedSeed(1);
  MainForm form(random, NumberFormat{});
  form.handle(FormEvent::Load);
  form.handle(FormEvent::StartStopClick);
  const std::size_t max = runSpeedNamed("max").value();
  // 20 ms of a 40 ms interval: the start, then a read every 256 ticks.
  EXPECT_EQ(runFrameAtSpeed<SteppingClock>(form, max), 20 * MainForm::kTicksBetweenClockReads);
  EXPECT_EQ(runFrameAtSpeed(form, runSpeedNamed("1000").value()), 1000);
  EXPECT_FALSE(runSpeedNamed("3").has_value());
}

}  // namespace
}  // namespace tessel
