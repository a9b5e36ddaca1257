#pragma once

// What every front-end of the window does alike around MainForm: it runs the
// window's frames at a chosen speed, counts a set number of ticks when asked,
// reads the options that set up a run (from a command line or a page's
// address), and says one message at a time in the status strip.

#include <chrono>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "window/main_form.h"
#include "window/run_speed.h"

namespace tessel {

// The most ticks a run can be asked to count.
inline constexpr long long kMostCountedTicks = 1'000'000'000;

// A whole number written with the digits 0 to 9 only (no sign, no blanks,
// no exponent), at most `largest`; none for anything else.
std::optional<std::uint64_t> readWholeNumber(std::string_view text, std::uint64_t largest);
// A seed: a whole number from 0 to 2^64-1.
std::optional<std::uint64_t> readSeed(std::string_view text);
// Ticks to count: a whole number from 1 to kMostCountedTicks.
std::optional<long long> readTickCount(std::string_view text);
// Whether `text` is one of the five scenarios' names, exactly.
bool isScenarioName(std::string_view text);
// The choices, for messages: "One Phone", "Office", ... quoted and joined by
// commas; the speeds' names 1, 2, ..., max likewise unquoted.
std::string scenarioChoices();
std::string speedChoices();

// The pace the window runs at: the speed (by index in kRunSpeeds, x1 at
// first) and, while counting a set number of ticks, how many are left.
class FrameRunner {
 public:
  std::size_t speed() const { return speed_; }
  // Out-of-range speeds change nothing; stepSpeed returns whether it moved.
  void setSpeed(std::size_t speed);
  bool stepSpeed(int by);

  // From now on frames count exactly `ticks` ticks more, the last frame cut
  // short where they end, and then run none.
  void countTicks(long long ticks) { ticksLeft_ = ticks; }
  std::optional<long long> ticksLeft() const { return ticksLeft_; }

  struct Frame {
    int ticks = 0;              // ticks run
    bool countReached = false;  // this frame ran the last of the ticks counted
  };
  // One frame of the timer at the current speed, never more than `mostTicks`.
  template <typename Clock = std::chrono::steady_clock>
  Frame run(MainForm& form, int mostTicks = std::numeric_limits<int>::max()) {
    if (ticksLeft_) mostTicks = static_cast<int>(std::min<long long>(*ticksLeft_, mostTicks));
    Frame frame;
    if (mostTicks <= 0) return frame;
    frame.ticks = runFrameAtSpeed<Clock>(form, speed_, mostTicks);
    if (ticksLeft_ && frame.ticks > 0) {
      *ticksLeft_ -= frame.ticks;
      frame.countReached = *ticksLeft_ == 0;
    }
    return frame;
  }

 private:
  std::size_t speed_ = kDesignSpeed;
  std::optional<long long> ticksLeft_;
};

// The status strip's one message: an error first; then a notice (a file
// that could not be opened, a chain saved); then what the long-run marks
// stand for where that depends on the start; otherwise the front-end's hint.
struct StripMessage {
  std::string text;
  bool problem = false;  // shown as an error
  bool isHint = false;   // the front-end's own hint, nothing the window said
};
StripMessage stripMessage(const MainForm& form, std::string_view hint);

}  // namespace tessel
