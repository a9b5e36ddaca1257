#pragma once

// The token's travel along an arc: a move set up from the state the chain
// leaves to the one it jumps to, drawn over ten frames of the timer, and its
// arrival, which marks the circle it arrives in.

#include "display/form_controls.h"
#include "window/form_variables.h"

namespace tessel {

// Sets up the move from currentState to nextState: loads the token's path,
// greys the circle it leaves and commits nextState as the chain's state,
// with moveFrame 0. Without a jump (nextState is currentState) the token
// stays at rest (moveFrame kNoMove). Returns whether a jump began.
bool beginMove(FormVariables& vars, FormControls& controls);

enum class TokenStep {
  kAtRest,  // no move under way: nothing to draw
  kDrawn,   // the token drawn at its next frame
  kEnded,   // the move arrived: the token hidden, its circle red
};

// The token's part of one timer tick. A frame draws the token the fraction
// moveFrame/30 of the way along its path, in double precision handed over
// as single precision; the arrival marks red the circle whose corner holds
// the token where the last frame left it, nine tenths of the way along.
// Raises RunError where a position cannot be computed or the frame counter
// would overflow.
TokenStep advanceToken(FormVariables& vars, FormControls& controls);

}  // namespace tessel
