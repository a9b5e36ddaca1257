#include "chain/long_run.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "chain/attempt_chance.h"
#include "toolkit/random_source.h"

namespace tessel {
namespace {

// The solver works in long double for its exponent range, not its digits:
// the textbook chain takes any rates a box can hold, from 5e-324 to 1.8e308,
// and its shares are products and quotients of up to four of them, far
// beyond a double's range but well inside 2^+-16383.
using Wide = long double;
static_assert(std::numeric_limits<Wide>::max_exponent >= 16384,
              "the long-run solver needs a long double with a 15-bit exponent");

// The rates or chances of leaving each state for each other one; the
// diagonal is never read. Staying is whatever is not leaving, and the
// solver never computes it: 1 minus a small chance is where accuracy goes.
using Leaving = std::array<std::array<Wide, kStateCount>, kStateCount>;
using Members = std::array<bool, kStateCount>;

// Every quotient of the solver. In the browser build long double is IEEE
// quadruple precision in software, and the division of emscripten's
// compiler runtime (LLVM 14's) returns twice the quotient for some divisors
// whose significand is all ones or nearly: 1 / (2 - 2^-112) comes out as 1,
// not as one half. The solver meets such divisors whenever shares add up to
// just below a power of two, as 1/2 + 1/3 + 1/6 does. Multiplying back shows
// the slip, and halving is exact.
Wide quotient(Wide dividend, Wide divisor) {
  Wide result = dividend / divisor;
#ifdef __EMSCRIPTEN__
  if (std::isfinite(result) && std::fabs(result * divisor) > 1.5L * std::fabs(dividend)) {
    result *= 0.5L;
  }
#endif
  return result;
}
using Reach = std::array<Members, kStateCount>;

Reach reachability(const Leaving& leaving) {
  Reach reach{};
  for (std::size_t i = 0; i < kStateCount; ++i) {
    for (std::size_t j = 0; j < kStateCount; ++j) reach[i][j] = i == j || leaving[i][j] > 0;
  }
  for (std::size_t k = 0; k < kStateCount; ++k) {
    for (std::size_t i = 0; i < kStateCount; ++i) {
      for (std::size_t j = 0; j < kStateCount; ++j) {
        reach[i][j] = reach[i][j] || (reach[i][k] && reach[k][j]);
      }
    }
  }
  return reach;
}

// A state is recurrent when every state it reaches reaches it back.
Members recurrentStates(const Reach& reach) {
  Members recurrent{};
  for (std::size_t i = 0; i < kStateCount; ++i) {
    recurrent[i] = true;
    for (std::size_t j = 0; j < kStateCount; ++j) {
      if (reach[i][j] && !reach[j][i]) recurrent[i] = false;
    }
  }
  return recurrent;
}

// The first state of the closed group that a recurrent state belongs to.
std::size_t groupLeader(const Reach& reach, std::size_t state) {
  for (std::size_t i = 0; i < kStateCount; ++i) {
    if (reach[state][i] && reach[i][state]) return i;
  }
  return state;
}

// Takes state k out of the chain among the states still `alive`: every way
// into k continues along k's ways out, split as k splits its leaving (the
// stochastic complement). A way back to where it came from is a stay, and is
// dropped. Returns what k left by, in all.
Wide eliminate(Leaving& leaving, Members& alive, std::size_t k) {
  alive[k] = false;
  Wide out = 0;
  for (std::size_t j = 0; j < kStateCount; ++j) {
    if (alive[j]) out += leaving[k][j];
  }
  for (std::size_t i = 0; i < kStateCount; ++i) {
    if (!alive[i] || leaving[i][k] == 0) continue;
    for (std::size_t j = 0; j < kStateCount; ++j) {
      if (alive[j] && j != i) leaving[i][j] += leaving[i][k] * quotient(leaving[k][j], out);
    }
  }
  return out;
}

// The stationary shares within one closed group, by Grassmann, Taksar and
// Heyman's elimination: only sums and products of positive numbers, so
// every share keeps its relative accuracy, however far apart the rates are.
StateChances groupShares(Leaving leaving, const Members& group) {
  std::array<std::size_t, kStateCount> members{};
  std::size_t count = 0;
  for (std::size_t i = 0; i < kStateCount; ++i) {
    if (group[i]) members[count++] = i;
  }
  Members alive = group;
  std::array<Wide, kStateCount> out{};
  for (std::size_t k = count; k-- > 1;) out[k] = eliminate(leaving, alive, members[k]);
  // Back from the one state left: each state's share relative to the first
  // is what flows into it from those before it, over what it leaves by.
  std::array<Wide, kStateCount> relative{};
  relative[0] = 1;
  Wide total = 1;
  for (std::size_t k = 1; k < count; ++k) {
    Wide inflow = 0;
    for (std::size_t i = 0; i < k; ++i) inflow += relative[i] * leaving[members[i]][members[k]];
    relative[k] = quotient(inflow, out[k]);
    total += relative[k];
  }
  StateChances shares{};
  for (std::size_t k = 0; k < count; ++k) {
    shares[members[k]] = static_cast<double>(quotient(relative[k], total));
  }
  return shares;
}

// The long-run share of each state for a chain that starts in `start`.
// Where it can end up in different closed groups, each group's shares are
// weighed by the chance of ending there: with every other transient state
// taken out, what `start` leaves for each group, over all it leaves by.
StateChances settle(const Leaving& leaving, int start) {
  const Reach reach = reachability(leaving);
  const Members recurrent = recurrentStates(reach);
  const auto origin = static_cast<std::size_t>(start);

  std::array<Wide, kStateCount> weight{};  // by group leader
  if (recurrent[origin]) {
    weight[groupLeader(reach, origin)] = 1;
  } else {
    Leaving complement = leaving;
    Members alive{};
    alive.fill(true);
    for (std::size_t k = 0; k < kStateCount; ++k) {
      if (!recurrent[k] && k != origin) eliminate(complement, alive, k);
    }
    Wide out = 0;
    for (std::size_t j = 0; j < kStateCount; ++j) {
      if (alive[j] && j != origin) out += complement[origin][j];
    }
    for (std::size_t j = 0; j < kStateCount; ++j) {
      if (alive[j] && j != origin)
        weight[groupLeader(reach, j)] += quotient(complement[origin][j], out);
    }
  }

  StateChances shares{};
  for (std::size_t leader = 0; leader < kStateCount; ++leader) {
    if (weight[leader] == 0) continue;
    Members group{};
    for (std::size_t j = 0; j < kStateCount; ++j) group[j] = reach[leader][j];
    const StateChances within = groupShares(leaving, group);
    for (std::size_t j = 0; j < kStateCount; ++j) {
      shares[j] += static_cast<double>(weight[leader] * within[j]);
    }
  }
  return shares;
}

// The chance that an attempt with this chance fires: that it is strictly
// greater than a random number, and those are the multiples of 2^-kRandomBits
// below 1. So a positive chance below one step fires as often as one step.
double firingChance(float chance) {
  if (!(chance > 0.0F)) return 0.0;
  constexpr double kSteps = static_cast<double>(1U << kRandomBits);
  return std::min(1.0, std::ceil(static_cast<double>(chance) * kSteps) / kSteps);
}

// One draw's chances of leaving each state for each other one.
Leaving drawLeaving(const DrawRates& draw) {
  Leaving leaving{};
  for (int from = 0; from < kStateCount; ++from) {
    const StateChances outcome = drawOutcome(draw, from);
    for (int to = 0; to < kStateCount; ++to) {
      if (to != from) {
        leaving[static_cast<std::size_t>(from)][static_cast<std::size_t>(to)] =
            outcome[static_cast<std::size_t>(to)];
      }
    }
  }
  return leaving;
}

// A rate as a transition intensity: a negative rate (or no number) never
// fires, and an infinite one is the fastest a double can say.
Wide intensity(double rate) {
  if (!(rate > 0.0)) return 0;
  return std::min(rate, std::numeric_limits<double>::max());
}

}  // namespace

std::optional<DrawRates> readDrawRates(std::span<const TextBox, kTransitionCount> rateBoxes,
                                       std::int32_t interval, const NumberFormat& format) {
  DrawRates draw;
  double largest = 0.0;
  for (std::size_t box = 0; box < rateBoxes.size(); ++box) {
    const StrictReading reading = rateBoxes[box].strictNumber(format);
    if (reading.status != StrictStatus::Number) return std::nullopt;
    largest = std::max(largest, reading.value);
    draw.rates[box] = rateBoxes[box].leadingNumber();
  }
  draw.scale = drawScale(largest);
  if (draw.scale == 0.0 || !std::isfinite(draw.scale)) return std::nullopt;
  const std::optional<std::int16_t> passes = passBudget(interval);
  if (!passes) return std::nullopt;
  draw.passes = *passes;
  return draw;
}

std::array<float, 3> attemptChances(const DrawRates& draw, int from) {
  const std::array<Attempt, 3> attempts = outgoingAttempts(from);
  const std::array<int, 3> boxes{attempts[0].rateBox, attempts[1].rateBox, attempts[2].rateBox};
  std::array<double, 3> rates{};
  for (std::size_t k = 0; k < rates.size(); ++k) {
    rates[k] = draw.rates[static_cast<std::size_t>(boxes[k])];
  }
  std::array<float, 3> chances{};
  for (std::size_t k = 0; k < chances.size(); ++k) {
    chances[k] = attemptChance(rates, draw.scale, boxes, k);
  }
  return chances;
}

StateChances drawOutcome(const DrawRates& draw, int from) {
  StateChances outcome{};
  const auto self = static_cast<std::size_t>(from);
  const std::array<float, 3> chances = attemptChances(draw, from);
  const std::array<Attempt, 3> attempts = outgoingAttempts(from);
  // One pass: attempt k fires when the ones before it missed. Each miss
  // chance is 1 minus a multiple of 2^-24, exact in a double.
  double missedSoFar = 1.0;
  double firesInAPass = 0.0;
  StateChances perPass{};
  for (std::size_t k = 0; k < 3; ++k) {
    const double fires = firingChance(chances[k]);
    perPass[static_cast<std::size_t>(attempts[k].target)] = missedSoFar * fires;
    firesInAPass += missedSoFar * fires;
    missedSoFar *= 1.0 - fires;
  }
  if (draw.passes <= 0 || firesInAPass == 0.0) {
    outcome[self] = 1.0;
    return outcome;
  }
  // Some pass of n fires with chance 1 - (1 - a)^n, written so that a tiny a
  // keeps its digits; the pass that fires splits it as one pass does.
  const double logMissAll = static_cast<double>(draw.passes) * std::log1p(-firesInAPass);
  const double leaves = -std::expm1(logMissAll);
  for (std::size_t to = 0; to < kStateCount; ++to) {
    if (to != self) outcome[to] = perPass[to] / firesInAPass * leaves;
  }
  outcome[self] = std::exp(logMissAll);
  return outcome;
}

StateChances longRunShares(const DrawRates& draw, int start) {
  return settle(drawLeaving(draw), start);
}

StateChances continuousTimeShares(const DrawRates& draw, int start) {
  // The elimination works on rates as well as on chances: it only ever
  // splits what a state leaves by in proportion.
  Leaving leaving{};
  for (int from = 0; from < kStateCount; ++from) {
    for (const Attempt& attempt : outgoingAttempts(from)) {
      leaving[static_cast<std::size_t>(from)][static_cast<std::size_t>(attempt.target)] =
          intensity(draw.rates[static_cast<std::size_t>(attempt.rateBox)]);
    }
  }
  return settle(leaving, start);
}

bool longRunDependsOnStart(const DrawRates& draw, std::span<const int> starts) {
  const Reach reach = reachability(drawLeaving(draw));
  const Members recurrent = recurrentStates(reach);
  // Closed groups are named by their first state; count those any start reaches.
  Members reached{};
  for (const int start : starts) {
    for (std::size_t j = 0; j < kStateCount; ++j) {
      if (recurrent[j] && reach[static_cast<std::size_t>(start)][j])
        reached[groupLeader(reach, j)] = true;
    }
  }
  return std::count(reached.begin(), reached.end(), true) > 1;
}

}  // namespace tessel
