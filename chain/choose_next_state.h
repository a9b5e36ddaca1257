#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "chain/transitions.h"
#include "toolkit/controls.h"
#include "toolkit/numbers.h"
#include "toolkit/random_source.h"

namespace tessel {

// What one draw reads, all of it at every call: an edited rate takes effect
// at the next draw. (A rate box keeps its text's number readings until the
// text changes, so a long text costs its reading once, not at every draw.)
struct DrawInputs {
  std::span<const TextBox, kTransitionCount> rateBoxes;
  std::int32_t interval = 0;  // the move timer's interval: the pass budget
  std::string_view currentState;
  const NumberFormat& numberFormat;
  // The names the window shows for the states, by state; messages name a
  // transition by them, and by colour where one is empty.
  std::array<std::string_view, kStateCount> stateNames{};
};

// Draws the state the chain goes to next and leaves it in `nextState`: the
// target of a jump, or the current state when no transition fired.
//
// Every rate is turned into a per-pass chance by dividing it by 250 times the
// largest rate on the window (all twelve boxes count, hidden ones too). Each
// of at most `interval` passes tries the current state's three outgoing
// transitions in a fixed order, each with a fresh random number, and the
// first that fires ends the draw.
//
// Raises RunError, with whatever was set before it still set:
// - TypeMismatch / Overflow when a box's text is not a number or too large
//   (before nextState is touched), naming the transition by its states and
//   carrying the box's index;
// - Overflow when the largest rate times 250 overflows, or the interval does
//   not fit a 16-bit pass count;
// - DivisionByZero / InvalidOperation when no box holds a positive rate (after
//   nextState has been set to the current state), and any floating-point
//   fault in a chance.
void chooseNextState(const DrawInputs& inputs, RandomSource& random, std::string& nextState);

}  // namespace tessel
