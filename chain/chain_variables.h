#pragma once

#include <array>
#include <span>
#include <string>

#include "chain/transitions.h"
#include "toolkit/controls.h"

namespace tessel {

// The chain's own window variables: where it is, where the last draw sends it,
// and the token's path along every transition.
struct ChainVariables {
  std::string currentState;  // a state name once the window has loaded
  std::string nextState;     // equal to currentState when no jump is pending
  std::array<ArcCoords, kTransitionCount> tokenPaths{};
};

// Puts the chain back in "Blue" with no jump pending, marks the Blue circle
// red and the other three grey, and stores the token paths. Touches nothing
// else: not the token, the counts, the rates or the run mode.
void resetDiagram(ChainVariables& chain, std::span<Shape, kStateCount> circles);

}  // namespace tessel
