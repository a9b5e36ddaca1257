#include "tools/progress_bar.h"

#include <algorithm>
#include <string>
#include <utility>

namespace tessel {
namespace {

constexpr auto kQuietPeriod = std::chrono::seconds(1);
constexpr auto kRedrawPeriod = std::chrono::milliseconds(250);
constexpr std::uint64_t kBarWidth = 40;

}  // namespace

ProgressBar::ProgressBar(std::ostream& terminal, std::uint64_t total, Clock clock)
    : terminal_(terminal), total_(total), clock_(std::move(clock)), start_(clock_()) {}

ProgressBar::Clock ProgressBar::defaultClock() {
  return [] { return std::chrono::steady_clock::now(); };
}

void ProgressBar::update(std::uint64_t done) {
  if (total_ == 0) return;
  const auto now = clock_();
  if (now - start_ < kQuietPeriod) return;
  if (drawn_ && now - lastDrawn_ < kRedrawPeriod) return;
  done = std::min(done, total_);
  // done * kBarWidth stays far within 64 bits for the tick counts allowed.
  const std::uint64_t filled = done * kBarWidth / total_;
  const std::uint64_t percent = done * 100 / total_;
  terminal_ << "\r[" << std::string(filled, '#') << std::string(kBarWidth - filled, ' ') << "] "
            << percent << "%  " << done << " / " << total_ << " ticks" << std::flush;
  drawn_ = true;
  lastDrawn_ = now;
}

void ProgressBar::clear() {
  if (!drawn_) return;
  terminal_ << "\r\033[K" << std::flush;
  drawn_ = false;
}

}  // namespace tessel
