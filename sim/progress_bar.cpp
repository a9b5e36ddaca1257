#include "sim/progress_bar.h"

#include <algorithm>
#include <utility>

#include "toolkit/text.h"

namespace tessel {
namespace {

constexpr auto kQuietPeriod = std::chrono::seconds(1);
constexpr auto kRedrawPeriod = std::chrono::milliseconds(250);
constexpr std::size_t kWidestBar = 40;
constexpr std::size_t kNarrowestBar = 10;

}  // namespace

ProgressBar::ProgressBar(std::ostream& terminal, std::uint64_t total, Columns columns, Clock clock)
    : terminal_(terminal),
      total_(total),
      columns_(std::move(columns)),
      clock_(std::move(clock)),
      start_(clock_()) {}

ProgressBar::Clock ProgressBar::defaultClock() {
  return [] { return std::chrono::steady_clock::now(); };
}

void ProgressBar::update(std::uint64_t done) {
  if (total_ == 0) return;
  const auto now = clock_();
  if (now - start_ < kQuietPeriod) return;
  if (drawn_ && now - lastDrawn_ < kRedrawPeriod) return;
  const int columns = columns_ ? columns_() : 80;
  const std::size_t width = columns > 1 ? static_cast<std::size_t>(columns - 1) : 0;
  terminal_ << "\r" << line(std::min(done, total_), width) << "\033[K" << std::flush;
  drawn_ = true;
  lastDrawn_ = now;
}

// "[####      ] 50%  500 / 1000 ticks", or less of it, in at most `width`
// characters.
std::string ProgressBar::line(std::uint64_t done, std::size_t width) const {
  // done * 100 stays far within 64 bits for the tick counts allowed.
  const std::string percent = " " + std::to_string(done * 100 / total_) + "%";
  const std::string counts =
      "  " + fill(_n("{done} / {total} tick", "{done} / {total} ticks", total_),
                  {{"done", std::to_string(done)}, {"total", std::to_string(total_)}});
  const auto bar = [&](std::size_t barWidth) {
    const auto filled = static_cast<std::size_t>(done * barWidth / total_);
    return "[" + std::string(filled, '#') + std::string(barWidth - filled, ' ') + "]";
  };
  for (const std::string& tail : {percent + counts, percent}) {
    if (width >= tail.size() + 2 + kNarrowestBar) {
      return bar(std::min(kWidestBar, width - tail.size() - 2)) + tail;
    }
  }
  return percent.substr(1).substr(0, width);
}

void ProgressBar::clear() {
  if (!drawn_) return;
  terminal_ << kClearLine << std::flush;
  drawn_ = false;
}

}  // namespace tessel
