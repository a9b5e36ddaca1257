#pragma once

// How fast the window runs its chain: how many timer ticks of the window's
// logic one timer event delivers. The timer's interval stays the draw's pass
// budget at every speed, so the chain itself, and a seeded run, is the same
// at every speed; only how much of it one frame shows changes.

#include <algorithm>
#include <array>
#include <chrono>
#include <limits>
#include <optional>
#include <string_view>

#include "toolkit/text.h"
#include "window/main_form.h"

namespace tessel {

struct RunSpeed {
  std::string_view label;  // as the speed control shows it
  std::string_view name;   // as a command line or an address gives it
  int ticksPerFrame;       // 0: as many as fit in kMaxSpeedShare of a frame
};

// From the design's pace, one tick a timer event, to the fastest.
inline constexpr std::array<RunSpeed, 7> kRunSpeeds{{
    {"\u00d71", "1", 1},
    {"\u00d72", "2", 2},
    {"\u00d75", "5", 5},
    {"\u00d710", "10", 10},
    {"\u00d7100", "100", 100},
    {"\u00d71000", "1000", 1000},
    {N_("Max"), "max", 0},
}};
inline constexpr std::size_t kDesignSpeed = 0;

// "Max" spends about half of a timer event's interval on ticks, measured as
// it goes, so that the other half is left for drawing and for the user.
inline constexpr double kMaxSpeedShare = 0.5;

// The speed a command-line or address name (1, 2, 5, 10, 100, 1000, max)
// stands for, by its index in kRunSpeeds.
std::optional<std::size_t> runSpeedNamed(std::string_view name);

// One frame at the speed with index `speed`: its count of ticks, or at "Max"
// as many as fit in kMaxSpeedShare of the timer's interval on `Clock`; never
// more than `mostTicks`. Returns the ticks run (see MainForm::runFrame).
template <typename Clock = std::chrono::steady_clock>
int runFrameAtSpeed(MainForm& form, std::size_t speed,
                    int mostTicks = std::numeric_limits<int>::max()) {
  const int ticks = kRunSpeeds.at(speed).ticksPerFrame;
  if (ticks > 0) return form.runFrame(std::min(ticks, mostTicks));
  const auto budget = std::chrono::duration<double, std::milli>(form.controls().moveTimer.interval *
                                                                kMaxSpeedShare);
  const auto start = Clock::now();
  return form.runFrame(mostTicks, [&] { return Clock::now() - start >= budget; });
}

}  // namespace tessel
