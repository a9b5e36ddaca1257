#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <ostream>

namespace tessel {

// A one-line progress bar for long runs, drawn on a terminal with carriage
// returns. It stays silent for the first second, so that short runs print
// nothing, then redraws at most four times a second; clear() removes it.
class ProgressBar {
 public:
  using Clock = std::function<std::chrono::steady_clock::time_point()>;

  ProgressBar(std::ostream& terminal, std::uint64_t total, Clock clock = defaultClock());

  void update(std::uint64_t done);
  // Blanks the line if anything was drawn; safe to call more than once.
  void clear();

  static Clock defaultClock();

 private:
  std::ostream& terminal_;
  std::uint64_t total_;
  Clock clock_;
  std::chrono::steady_clock::time_point start_;
  std::chrono::steady_clock::time_point lastDrawn_;
  bool drawn_ = false;
};

}  // namespace tessel
