#include "window/run_speed.h"

namespace tessel {

std::optional<std::size_t> runSpeedNamed(std::string_view name) {
  for (std::size_t i = 0; i < kRunSpeeds.size(); ++i) {
    if (kRunSpeeds[i].name == name) return i;
  }
  return std::nullopt;
}

}  // namespace tessel
