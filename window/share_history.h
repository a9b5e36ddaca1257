#pragma once

// Each state's share of the counted ticks as the count grows, kept at
// geometrically spaced counts so that a run of any length holds a bounded
// number of points: every count up to about a hundred, then about a hundred
// to a decade, so a billion ticks keep under a thousand.

#include <array>
#include <cstdint>
#include <vector>

#include "chain/transitions.h"

namespace tessel {

class ShareHistory {
 public:
  struct Point {
    std::uint64_t ticks = 0;                   // counted ticks so far
    std::array<double, kStateCount> shares{};  // of them, by state
  };

  // The next count kept after `ticks`: about 2.3 % further, and at least one.
  static std::uint64_t nextKept(std::uint64_t ticks);

  void clear() {
    points_.clear();
    next_ = 1;
  }
  // Called at every counted tick with the count so far and the ticks of
  // each state; keeps a point where one is due, and otherwise costs a
  // comparison.
  void counted(std::uint64_t ticks, const std::array<double, kStateCount>& occupancy) {
    if (ticks >= next_) keep(ticks, occupancy);
  }

  const std::vector<Point>& points() const { return points_; }

 private:
  void keep(std::uint64_t ticks, const std::array<double, kStateCount>& occupancy);

  std::vector<Point> points_;
  std::uint64_t next_ = 1;
};

}  // namespace tessel
