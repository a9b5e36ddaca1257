#include "chain/long_run.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tessel {
namespace {

using Matrix = std::array<StateChances, kStateCount>;

// Solves a * x = b for the first n unknowns by Gaussian elimination with
// partial pivoting; the systems here are at most 4 x 4 and well posed.
StateChances solve(Matrix a, StateChances b, int n) {
  const auto size = static_cast<std::size_t>(n);
  for (std::size_t col = 0; col < size; ++col) {
    std::size_t pivot = col;
    for (std::size_t row = col + 1; row < size; ++row) {
      if (std::fabs(a[row][col]) > std::fabs(a[pivot][col])) pivot = row;
    }
    std::swap(a[col], a[pivot]);
    std::swap(b[col], b[pivot]);
    for (std::size_t row = col + 1; row < size; ++row) {
      const double factor = a[row][col] / a[col][col];
      for (std::size_t k = col; k < size; ++k) a[row][k] -= factor * a[col][k];
      b[row] -= factor * b[col];
    }
  }
  StateChances x{};
  for (std::size_t row = size; row-- > 0;) {
    double sum = b[row];
    for (std::size_t k = row + 1; k < size; ++k) sum -= a[row][k] * x[k];
    x[row] = sum / a[row][row];
  }
  return x;
}

using Reach = std::array<std::array<bool, kStateCount>, kStateCount>;

Reach reachability(const Matrix& step) {
  Reach reach{};
  for (std::size_t i = 0; i < kStateCount; ++i) {
    for (std::size_t j = 0; j < kStateCount; ++j) reach[i][j] = i == j || step[i][j] > 0.0;
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

// The stationary shares within one closed group of states.
StateChances groupShares(const Matrix& step, const std::array<bool, kStateCount>& inGroup) {
  std::array<std::size_t, kStateCount> members{};
  int count = 0;
  for (std::size_t i = 0; i < kStateCount; ++i) {
    if (inGroup[i]) members[static_cast<std::size_t>(count++)] = i;
  }
  // pi (P - I) = 0 for the members, with the last equation replaced by
  // sum(pi) = 1.
  Matrix a{};
  StateChances b{};
  const auto n = static_cast<std::size_t>(count);
  for (std::size_t row = 0; row < n; ++row) {
    for (std::size_t col = 0; col < n; ++col) {
      const std::size_t to = members[row];
      const std::size_t from = members[col];
      a[row][col] = step[from][to] - (from == to ? 1.0 : 0.0);
    }
  }
  for (std::size_t col = 0; col < n; ++col) a[n - 1][col] = 1.0;
  b[n - 1] = 1.0;
  const StateChances local = solve(a, b, count);
  StateChances shares{};
  for (std::size_t k = 0; k < n; ++k) shares[members[k]] = local[k];
  return shares;
}

// Single precision, saturating where the draw would raise an overflow.
float narrow(double chance) {
  if (std::isnan(chance)) return 0.0F;
  constexpr double kLargest = std::numeric_limits<float>::max();
  return static_cast<float>(std::clamp(chance, -kLargest, kLargest));
}

// One draw's outcome from every state, as a step matrix by rows.
Matrix drawSteps(const DrawRates& draw) {
  Matrix step{};
  for (int from = 0; from < kStateCount; ++from) {
    step[static_cast<std::size_t>(from)] = drawOutcome(draw, from);
  }
  return step;
}

// A rate as a transition intensity: a negative rate never fires.
double positiveRate(const DrawRates& draw, int rateBox) {
  return std::max(draw.rates[static_cast<std::size_t>(rateBox)], 0.0);
}

// A state is recurrent when every state it reaches reaches it back.
std::array<bool, kStateCount> recurrentStates(const Reach& reach) {
  std::array<bool, kStateCount> recurrent{};
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

// The long-run share of steps in each state of a chain with this step
// matrix that starts in `start`. Where it can end up in different closed
// groups, each group's shares are weighted by the chance of ending there.
StateChances stationaryShares(const Matrix& step, int start) {
  const Reach reach = reachability(step);
  const auto origin = static_cast<std::size_t>(start);
  const std::array<bool, kStateCount> recurrent = recurrentStates(reach);

  StateChances shares{};
  std::array<bool, kStateCount> done{};
  for (std::size_t leader = 0; leader < kStateCount; ++leader) {
    if (!recurrent[leader] || done[leader] || !reach[origin][leader]) continue;
    std::array<bool, kStateCount> group{};
    for (std::size_t j = 0; j < kStateCount; ++j) {
      group[j] = reach[leader][j];
      done[j] = done[j] || group[j];
    }
    // The chance of ending in this group from each state: h = 1 on the
    // group, 0 on groups that cannot reach it, h = P h elsewhere.
    Matrix a{};
    StateChances b{};
    for (std::size_t i = 0; i < kStateCount; ++i) {
      a[i][i] = 1.0;
      if (group[i]) {
        b[i] = 1.0;
      } else if (!recurrent[i] && reach[i][leader]) {
        for (std::size_t j = 0; j < kStateCount; ++j) a[i][j] -= step[i][j];
      }
    }
    const double weight = solve(a, b, kStateCount)[origin];
    const StateChances within = groupShares(step, group);
    for (std::size_t j = 0; j < kStateCount; ++j) shares[j] += weight * within[j];
  }
  return shares;
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
  draw.scale = largest * 250.0;
  if (draw.scale == 0.0 || !std::isfinite(draw.scale)) return std::nullopt;
  if (interval < std::numeric_limits<std::int16_t>::min() ||
      interval > std::numeric_limits<std::int16_t>::max()) {
    return std::nullopt;
  }
  draw.passes = static_cast<std::int16_t>(interval);
  return draw;
}

std::array<float, 3> attemptChances(const DrawRates& draw, int from) {
  // The same expressions, in the same order and precision, as the draw.
  const std::array<Attempt, 3> attempts = outgoingAttempts(from);
  const double s = draw.scale;
  const double q1 = draw.rates[static_cast<std::size_t>(attempts[0].rateBox)];
  const double q2 = draw.rates[static_cast<std::size_t>(attempts[1].rateBox)];
  const double q3 = draw.rates[static_cast<std::size_t>(attempts[2].rateBox)];
  return {narrow(q1 / s), narrow((q2 / s) / (1.0 - q1 / s)),
          narrow(((q3 / s) / (1.0 - q1 / s)) / (1.0 - q2 / s))};
}

StateChances drawOutcome(const DrawRates& draw, int from) {
  StateChances outcome{};
  const auto self = static_cast<std::size_t>(from);
  if (draw.passes <= 0) {
    outcome[self] = 1.0;
    return outcome;
  }
  // An attempt fires when its chance is strictly greater than a uniform
  // number from [0, 1): with the chance itself, cut to [0, 1].
  const std::array<float, 3> chances = attemptChances(draw, from);
  const std::array<Attempt, 3> attempts = outgoingAttempts(from);
  double missAll = 1.0;  // no attempt of one pass fires
  StateChances perPass{};
  for (std::size_t k = 0; k < 3; ++k) {
    const double fires = std::clamp(static_cast<double>(chances[k]), 0.0, 1.0);
    perPass[static_cast<std::size_t>(attempts[k].target)] = missAll * fires;
    missAll *= 1.0 - fires;
  }
  const double stay = std::pow(missAll, draw.passes);
  // Sum over the pass that fires: perPass * (1 + m + ... + m^(n-1)).
  const double passesBeforeFiring = missAll < 1.0 ? (1.0 - stay) / (1.0 - missAll) : 0.0;
  for (std::size_t to = 0; to < kStateCount; ++to) outcome[to] = perPass[to] * passesBeforeFiring;
  outcome[self] = stay;
  return outcome;
}

StateChances longRunShares(const DrawRates& draw, int start) {
  return stationaryShares(drawSteps(draw), start);
}

StateChances continuousTimeShares(const DrawRates& draw, int start) {
  // The continuous-time chain seen at the events of a Poisson clock as fast
  // as the fastest state: a step leaves state i for j with chance q_ij / L,
  // and stays otherwise. Its stationary shares and its chances of ending in
  // each closed group are those of the continuous-time chain.
  Matrix step{};
  double fastest = 0.0;
  for (int from = 0; from < kStateCount; ++from) {
    double leaving = 0.0;
    for (const Attempt& attempt : outgoingAttempts(from)) {
      leaving += positiveRate(draw, attempt.rateBox);
    }
    fastest = std::max(fastest, leaving);
  }
  for (int from = 0; from < kStateCount; ++from) {
    auto& row = step[static_cast<std::size_t>(from)];
    double stay = 1.0;
    for (const Attempt& attempt : outgoingAttempts(from)) {
      const double chance = fastest > 0.0 ? positiveRate(draw, attempt.rateBox) / fastest : 0.0;
      row[static_cast<std::size_t>(attempt.target)] = chance;
      stay -= chance;
    }
    row[static_cast<std::size_t>(from)] = std::max(stay, 0.0);
  }
  return stationaryShares(step, start);
}

bool longRunDependsOnStart(const DrawRates& draw, std::span<const int> starts) {
  const Matrix step = drawSteps(draw);
  const Reach reach = reachability(step);
  const std::array<bool, kStateCount> recurrent = recurrentStates(reach);
  // Closed groups are named by their first state; count those any start reaches.
  std::array<bool, kStateCount> reached{};
  for (const int start : starts) {
    for (std::size_t j = 0; j < kStateCount; ++j) {
      if (recurrent[j] && reach[static_cast<std::size_t>(start)][j])
        reached[groupLeader(reach, j)] = true;
    }
  }
  return std::count(reached.begin(), reached.end(), true) > 1;
}

}  // namespace tessel
