#pragma once

// The window's variables, beside the chain's own (currentState, nextState,
// tokenPaths). The rates live only in the rate boxes' texts; the visit
// counts are kept here and written into the count labels' captions once a
// frame.

#include <array>
#include <cstdint>

#include "chain/chain_variables.h"
#include "toolkit/controls.h"

namespace tessel {

// Values of moveFrame: 0, 3, ..., 27 while a move is drawn (the next frame
// to draw), 30 when the next tick is the arrival; anything above 30 means the
// token is at rest.
inline constexpr std::int16_t kLastFrame = 30;
inline constexpr std::int16_t kFrameStep = 3;
inline constexpr std::int16_t kArrived = 33;
inline constexpr std::int16_t kNoMove = 40;
inline constexpr std::int16_t kLoaded = 50;
inline constexpr std::int16_t kScenarioApplied = 100;

struct FormVariables : ChainVariables {
  std::int16_t moveFrame = 0;
  std::array<double, kStateCount> occupancy{};  // counted resting ticks per state
  std::array<double, kStateCount> visits{};     // arrivals per state while counting
  double moveFromX = 0.0;                       // the token's Left and Top at the
  double moveToX = 0.0;                         // start and end of the current move
  double moveFromY = 0.0;
  double moveToY = 0.0;
  Boolean16 counting = kFalse;
};

}  // namespace tessel
