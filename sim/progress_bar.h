#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <string_view>

namespace tessel {

// A one-line progress bar for long runs, drawn on a terminal with carriage
// returns. It stays silent for the first second, so that short runs print
// nothing, then redraws at most four times a second; clear() removes it.
// Each drawing fits the terminal's width at that moment, one column short of
// it (so that the terminal never wraps it onto a second line), dropping the
// tick counts and then shortening the bar when the terminal is narrow.
class ProgressBar {
 public:
  using Clock = std::function<std::chrono::steady_clock::time_point()>;
  using Columns = std::function<int()>;  // the terminal's width in columns

  ProgressBar(std::ostream& terminal, std::uint64_t total, Columns columns,
              Clock clock = defaultClock());

  void update(std::uint64_t done);
  // Blanks the line if anything was drawn; safe to call more than once.
  void clear();

  static Clock defaultClock();
  // The line clear() writes, for a signal handler to write when the run is
  // interrupted.
  static constexpr std::string_view kClearLine = "\r\033[K";

 private:
  std::string line(std::uint64_t done, std::size_t width) const;

  std::ostream& terminal_;
  std::uint64_t total_;
  Columns columns_;
  Clock clock_;
  std::chrono::steady_clock::time_point start_;
  std::chrono::steady_clock::time_point lastDrawn_;
  bool drawn_ = false;
};

}  // namespace tessel
