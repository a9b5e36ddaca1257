#include "window/share_history.h"

#include <algorithm>
#include <cmath>

namespace tessel {

std::uint64_t ShareHistory::nextKept(std::uint64_t ticks) {
  // A hundred steps to a decade.
  static const double kStep = std::pow(10.0, 0.01);
  const double further = std::ceil(static_cast<double>(ticks) * kStep);
  if (!(further < 1.8e19)) return UINT64_MAX;
  return std::max(ticks + 1, static_cast<std::uint64_t>(further));
}

void ShareHistory::keep(std::uint64_t ticks, const std::array<double, kStateCount>& occupancy) {
  Point point{ticks, {}};
  const auto total = static_cast<double>(ticks);
  for (std::size_t i = 0; i < kStateCount; ++i) point.shares[i] = occupancy[i] / total;
  points_.push_back(point);
  next_ = nextKept(ticks);
}

}  // namespace tessel
