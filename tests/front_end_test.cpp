// What every front-end shares: the run options' readings, counting a set
// number of ticks at any speed, and which message the strip shows.

#include "window/front_end.h"

#include <gtest/gtest.h>

#include <string>

#include "toolkit/random_source.h"

namespace tessel {
namespace {

TEST(FrontEnd, RunOptionsAreDigitsOnlyWithinTheirRange) {
  EXPECT_EQ(readSeed("0"), 0U);
  EXPECT_EQ(readSeed("18446744073709551615"), UINT64_MAX);
  EXPECT_EQ(readTickCount("1"), 1);
  EXPECT_EQ(readTickCount("1000000000"), kMostCountedTicks);
  for (const char* text : {"", " 5", "5 ", "+5", "-5", "5.0", "1e3", "0x10", "five"}) {
    EXPECT_FALSE(readSeed(text).has_value()) << text;
    EXPECT_FALSE(readTickCount(text).has_value()) << text;
  }
  EXPECT_FALSE(readSeed("18446744073709551616").has_value());
  EXPECT_FALSE(readTickCount("0").has_value());
  EXPECT_FALSE(readTickCount("1000000001").has_value());
  EXPECT_TRUE(isScenarioName("Conversation"));
  EXPECT_FALSE(isScenarioName("conversation"));
}

TEST(FrontEnd, ACountEndsExactlyAtItsTickAtEverySpeed) {
  for (std::size_t speed = 0; speed < kRunSpeeds.size(); ++speed) {
    auto random = ClockSeededRandom::withFixedSeed(5);
    MainForm form(random, NumberFormat{});
    form.handle(FormEvent::Load);
    form.handle(FormEvent::StartStopClick);
    FrameRunner frames;
    frames.setSpeed(speed);
    frames.countTicks(2345);
    long long ran = 0;
    int reached = 0;
    for (int frame = 0; frame < 3000; ++frame) {
      const FrameRunner::Frame done = frames.run(form);
      ran += done.ticks;
      reached += done.countReached ? 1 : 0;
    }
    EXPECT_EQ(ran, 2345) << kRunSpeeds[speed].name;
    EXPECT_EQ(reached, 1) << kRunSpeeds[speed].name;
  }
}

TEST(FrontEnd, SpeedStepsStopAtBothEnds) {
  FrameRunner frames;
  EXPECT_FALSE(frames.stepSpeed(-1));
  EXPECT_EQ(frames.speed(), kDesignSpeed);
  frames.setSpeed(kRunSpeeds.size());
  EXPECT_EQ(frames.speed(), kDesignSpeed) << "an unknown speed changes nothing";
  frames.setSpeed(kRunSpeeds.size() - 1);
  EXPECT_FALSE(frames.stepSpeed(1));
  EXPECT_TRUE(frames.stepSpeed(-1));
  EXPECT_EQ(frames.speed(), kRunSpeeds.size() - 2);
}

TEST(FrontEnd, TheStripShowsAnErrorBeforeANoticeBeforeTheHint) {
  auto random = ClockSeededRandom::withFixedSeed(1);
  MainForm form(random, NumberFormat{});
  form.handle(FormEvent::Load);
  const StripMessage hint = stripMessage(form, "hint");
  EXPECT_EQ(hint.text, "hint");
  EXPECT_TRUE(hint.isHint);

  form.setNotice({"Saved.", false});
  const StripMessage notice = stripMessage(form, "hint");
  EXPECT_EQ(notice.text, "Saved.");
  EXPECT_FALSE(notice.problem || notice.isHint);

  form.setRateText(3, "abc");
  form.handle(FormEvent::OneClick);
  const StripMessage error = stripMessage(form, "hint");
  ASSERT_TRUE(form.lastError().has_value());
  EXPECT_EQ(error.text, form.lastError()->what());
  EXPECT_TRUE(error.problem);
}

}  // namespace
}  // namespace tessel
