#include "window/token_move.h"

#include <limits>
#include <optional>

#include "toolkit/run_error.h"
#include "toolkit/text.h"

namespace tessel {
namespace {

[[noreturn]] void raiseTokenFault(FloatFault fault) {
  throw RunError(errorKindOf(fault),
                 _("The token's position on its arc cannot be computed. Pick the scenario again "
                   "to restart."));
}

double checked(double result) {
  if (const FloatFault fault = resultFault(result); fault != FloatFault::None) {
    raiseTokenFault(fault);
  }
  return result;
}

float framePosition(double from, double to, std::int16_t frame) {
  const double travelled = checked(checked(to - from) * static_cast<double>(frame));
  const double part = travelled / 30.0;
  const double position = checked(checked(part) + from);
  if (const FloatFault fault = narrowingFault(position); fault != FloatFault::None) {
    raiseTokenFault(fault);
  }
  return static_cast<float>(position);
}

// The circle the token stands on, by the corner split: left of 3000 and
// above 3480 is Blue's, and so on; a position exactly on a line counts as
// right of it or below it.
int arrivalCircle(float left, float top) {
  const bool right = left >= static_cast<float>(kCornerSplitLeft);
  const bool lower = top >= static_cast<float>(kCornerSplitTop);
  return (lower ? kGreen : kBlue) + (right ? 1 : 0);
}

std::int16_t addFrames(std::int16_t frame) {
  if (frame > std::numeric_limits<std::int16_t>::max() - kFrameStep) {
    throw RunError(ErrorKind::Overflow, _("The token's frame counter overflowed."));
  }
  return static_cast<std::int16_t>(frame + kFrameStep);
}

}  // namespace

bool beginMove(FormVariables& vars, FormControls& controls) {
  const std::optional<int> from = stateIndex(vars.currentState);
  const std::optional<int> to = stateIndex(vars.nextState);
  const std::optional<int> record = from && to ? transitionIndex(*from, *to) : std::nullopt;
  if (record) {
    const ArcCoords& path = vars.tokenPaths[static_cast<std::size_t>(*record)];
    vars.moveFromX = path[kStartLeft];
    vars.moveToX = path[kEndLeft];
    vars.moveFromY = path[kStartTop];
    vars.moveToY = path[kEndTop];
    controls.circles[static_cast<std::size_t>(*from)].borderColor = kGrey;
  }
  if (vars.nextState == vars.currentState) {
    vars.moveFrame = kNoMove;
    return false;
  }
  vars.currentState = vars.nextState;
  vars.moveFrame = 0;
  return true;
}

TokenStep advanceToken(FormVariables& vars, FormControls& controls) {
  Shape& token = controls.token;
  if (vars.moveFrame < kLastFrame) {
    token.visible = true;
    token.left = framePosition(vars.moveFromX, vars.moveToX, vars.moveFrame);
    token.top = framePosition(vars.moveFromY, vars.moveToY, vars.moveFrame);
    vars.moveFrame = addFrames(vars.moveFrame);
    return TokenStep::kDrawn;
  }
  if (vars.moveFrame > kLastFrame) return TokenStep::kAtRest;
  vars.moveFrame = kArrived;
  token.visible = false;
  vars.currentState = vars.nextState;
  const int circle = arrivalCircle(token.left, token.top);
  controls.circles[static_cast<std::size_t>(circle)].borderColor = kRed;
  return TokenStep::kEnded;
}

}  // namespace tessel
