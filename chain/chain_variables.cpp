#include "chain/chain_variables.h"

namespace tessel {

void resetDiagram(ChainVariables& chain, std::span<Shape, kStateCount> circles) {
  chain.currentState = kStateNames[kBlue];
  chain.nextState = kStateNames[kBlue];

  circles[kBlue].borderColor = kRed;
  circles[kPurple].borderColor = kGrey;
  circles[kGreen].borderColor = kGrey;
  circles[kCyan].borderColor = kGrey;

  // Slots 1 to 4 only: slot 0 of a path is never read or written.
  for (std::size_t i = 0; i < kTransitions.size(); ++i) {
    for (std::size_t slot = kStartTop; slot <= kEndLeft; ++slot) {
      chain.tokenPaths[i][slot] = kTransitions[i].path[slot];
    }
  }
}

}  // namespace tessel
