#include "chain/long_run.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "chain/attempt_chance.h"
#include "chain/wide_number.h"
#include "toolkit/random_source.h"

namespace tessel {
namespace {

// The rates or chances of leaving each state for each other one; the
// diagonal is never read. Staying is whatever is not leaving, and the
// solver never computes it: 1 minus a small chance is where accuracy goes.
// WideNumber holds every product and quotient of the rates, however far
// beyond a double's range.
using Leaving = std::array<std::array<WideNumber, kStateCount>, kStateCount>;
using Members = std::array<bool, kStateCount>;
using WideChances = std::array<WideNumber, kStateCount>;
using Reach = std::array<Members, kStateCount>;

Reach reachability(const Leaving& leaving) {
  Reach reach{};
  for (std::size_t i = 0; i < kStateCount; ++i) {
    for (std::size_t j = 0; j < kStateCount; ++j) reach[i][j] = i == j || !leaving[i][j].isZero();
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
WideNumber eliminate(Leaving& leaving, Members& alive, std::size_t k) {
  alive[k] = false;
  WideNumber out;
  for (std::size_t j = 0; j < kStateCount; ++j) {
    if (alive[j]) out += leaving[k][j];
  }
  for (std::size_t i = 0; i < kStateCount; ++i) {
    if (!alive[i] || leaving[i][k].isZero()) continue;
    for (std::size_t j = 0; j < kStateCount; ++j) {
      if (alive[j] && j != i) leaving[i][j] += leaving[i][k] * (leaving[k][j] / out);
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
  std::array<WideNumber, kStateCount> out{};
  for (std::size_t k = count; k-- > 1;) out[k] = eliminate(leaving, alive, members[k]);
  // Back from the one state left: each state's share relative to the first
  // is what flows into it from those before it, over what it leaves by.
  std::array<WideNumber, kStateCount> relative{};
  relative[0] = WideNumber(1.0);
  WideNumber total(1.0);
  for (std::size_t k = 1; k < count; ++k) {
    WideNumber inflow;
    for (std::size_t i = 0; i < k; ++i) inflow += relative[i] * leaving[members[i]][members[k]];
    relative[k] = inflow / out[k];
    total += relative[k];
  }
  StateChances shares{};
  for (std::size_t k = 0; k < count; ++k) {
    shares[members[k]] = (relative[k] / total).toDouble();
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

  std::array<WideNumber, kStateCount> weight{};  // by group leader
  if (recurrent[origin]) {
    weight[groupLeader(reach, origin)] = WideNumber(1.0);
  } else {
    Leaving complement = leaving;
    Members alive{};
    alive.fill(true);
    for (std::size_t k = 0; k < kStateCount; ++k) {
      if (!recurrent[k] && k != origin) eliminate(complement, alive, k);
    }
    WideNumber out;
    for (std::size_t j = 0; j < kStateCount; ++j) {
      if (alive[j] && j != origin) out += complement[origin][j];
    }
    for (std::size_t j = 0; j < kStateCount; ++j) {
      if (alive[j] && j != origin) weight[groupLeader(reach, j)] += complement[origin][j] / out;
    }
  }

  StateChances shares{};
  for (std::size_t leader = 0; leader < kStateCount; ++leader) {
    if (weight[leader].isZero()) continue;
    Members group{};
    for (std::size_t j = 0; j < kStateCount; ++j) group[j] = reach[leader][j];
    const StateChances within = groupShares(leaving, group);
    for (std::size_t j = 0; j < kStateCount; ++j) {
      shares[j] += (weight[leader] * WideNumber(within[j])).toDouble();
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

// drawOutcome before its rounding to doubles, which the long run leaves
// out: the shares, rounded once, come out as the double nearest the exact
// ones all but always.
WideChances wideDrawOutcome(const DrawRates& draw, int from) {
  WideChances outcome{};
  const auto self = static_cast<std::size_t>(from);
  const std::array<float, 3> chances = attemptChances(draw, from);
  const std::array<Attempt, 3> attempts = outgoingAttempts(from);
  // One pass: attempt k fires when the ones before it missed. Every firing
  // chance is a multiple of 2^-24, so these products of up to three of them
  // are exact.
  WideNumber missesAPass(1.0);
  WideNumber firesInAPass;
  std::array<WideNumber, kStateCount> perPass{};
  for (std::size_t k = 0; k < 3; ++k) {
    const double fires = firingChance(chances[k]);
    const WideNumber firesHere = missesAPass * WideNumber(fires);
    perPass[static_cast<std::size_t>(attempts[k].target)] = firesHere;
    firesInAPass += firesHere;
    missesAPass = missesAPass * WideNumber(1.0 - fires);
  }
  if (draw.passes <= 0 || firesInAPass.isZero()) {
    outcome[self] = WideNumber(1.0);
    return outcome;
  }
  // Some pass of n fires with chance 1 - (1 - a)^n. By binary powering on
  // the bits of n, keeping both m_k = (1 - a)^k and l_k = 1 - m_k as sums
  // and products of non-negative numbers only, so that a tiny a keeps its
  // digits: l_2k = l_k (1 + m_k) and l_k+1 = l_k + a m_k. Plain arithmetic,
  // unlike log1p and expm1, gives every build the same bits.
  WideNumber staysAll(1.0);
  WideNumber leaves;
  const auto passes = static_cast<unsigned>(draw.passes);
  for (unsigned bit = 1U << 15U; bit != 0; bit >>= 1U) {
    leaves = leaves * (WideNumber(1.0) + staysAll);
    staysAll = staysAll * staysAll;
    if ((passes & bit) != 0) {
      leaves += firesInAPass * staysAll;
      staysAll = staysAll * missesAPass;
    }
  }
  // The pass that fires splits the leaving as one pass does.
  for (std::size_t to = 0; to < kStateCount; ++to) {
    if (to != self) outcome[to] = perPass[to] * leaves / firesInAPass;
  }
  outcome[self] = staysAll;
  return outcome;
}

// One draw's chances of leaving each state for each other one.
Leaving drawLeaving(const DrawRates& draw) {
  Leaving leaving{};
  for (int from = 0; from < kStateCount; ++from) {
    const WideChances outcome = wideDrawOutcome(draw, from);
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
WideNumber intensity(double rate) {
  if (!(rate > 0.0)) return {};
  return WideNumber(std::min(rate, std::numeric_limits<double>::max()));
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
  const WideChances outcome = wideDrawOutcome(draw, from);
  StateChances chances{};
  for (std::size_t to = 0; to < kStateCount; ++to) chances[to] = outcome[to].toDouble();
  return chances;
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
