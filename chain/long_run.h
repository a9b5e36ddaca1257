#pragma once

// The theory behind the demonstration: what one draw does with the rates on
// the window, as exact chances, and the share of counted ticks each state
// gets in the long run. Counted ticks are the resting ticks: the tick that
// draws and the arrival tick of every move, not the ten ticks that draw the
// token along the arc. Between two counted ticks the chain makes at most
// one draw, so the counted ticks follow a Markov chain whose step is one
// draw, and its long-run shares are what the bars settle to.

#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "chain/transitions.h"
#include "toolkit/controls.h"
#include "toolkit/numbers.h"

namespace tessel {

// The numbers one draw works with, read from the rate boxes as the draw reads
// them: the scale from the strict reading of all twelve boxes, the rates from
// the leading-number reading the attempts use.
struct DrawRates {
  std::array<double, kTransitionCount> rates{};  // by rate box
  double scale = 0.0;                            // 250 times the largest rate
  std::int16_t passes = 0;                       // the timer interval as a pass budget
};

// None when a draw with these boxes would raise an error instead.
std::optional<DrawRates> readDrawRates(std::span<const TextBox, kTransitionCount> rateBoxes,
                                       std::int32_t interval, const NumberFormat& format);

using StateChances = std::array<double, kStateCount>;

// The chance that each attempt of one pass out of `from` fires, as the draw
// computes it before comparing it with its random number, in attempt order.
std::array<float, 3> attemptChances(const DrawRates& draw, int from);

// The chance that one draw out of `from` ends in each state (the entry of
// `from` itself is the chance that no transition fires). An attempt fires
// with the chance of the random numbers below its chance: those are
// multiples of 2^-kRandomBits, so a positive chance fires with at least one
// step, and a chance of zero or less never fires.
StateChances drawOutcome(const DrawRates& draw, int from);

// The long-run share of counted ticks in each state for a chain that starts
// in `start`. Where the chain can end up in different closed groups of
// states, each group's shares are weighted by the chance of ending there.
// For any rates at all, NaN and infinities included, every share lies in
// [0, 1] and they add up to 1 within a few units in the last place.
StateChances longRunShares(const DrawRates& draw, int start = kBlue);

// The long-run share of time in each state of the textbook continuous-time
// chain that leaves a state for another at the rate in its box (negative
// rates and NaN count as 0, an infinite one as the largest double), for a
// chain that starts in `start`, weighted by closed
// group as above. The window's bars do not settle to these: a resting tick
// leaves a state with total rate R with chance 1 - (1 - R/s)^passes, not in
// proportion to R, so a fast state keeps more of the ticks than here.
StateChances continuousTimeShares(const DrawRates& draw, int start = kBlue);

// Whether chains started in different states of `starts` can settle to
// different long-run shares: true when, between them, they can end up in
// more than one closed group of states.
bool longRunDependsOnStart(const DrawRates& draw, std::span<const int> starts);

}  // namespace tessel
