#pragma once

// The pace a window runs at: the speed (by place in kRunSpeeds, x1 at first)
// and, while counting a set number of ticks, how many are left.

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <limits>
#include <optional>

#include "window/main_form.h"
#include "window/run_speed.h"

namespace tessel {

class FrameRunner {
 public:
  std::size_t speed() const { return speed_; }
  // Out-of-range speeds change nothing; stepSpeed returns whether it moved.
  void setSpeed(std::size_t speed) {
    if (speed < kRunSpeeds.size()) speed_ = speed;
  }
  bool stepSpeed(int by) {
    const auto next = static_cast<long long>(speed_) + by;
    if (next < 0 || next >= static_cast<long long>(kRunSpeeds.size())) return false;
    speed_ = static_cast<std::size_t>(next);
    return true;
  }

  // From now on frames count exactly `ticks` ticks more, the last frame cut
  // short where they end, and then run none; none: no count.
  void countTicks(std::optional<long long> ticks) { ticksLeft_ = ticks; }
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

}  // namespace tessel
