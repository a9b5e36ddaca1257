#include "chain/choose_next_state.h"

#include <array>
#include <limits>

#include "toolkit/quoted_text.h"
#include "toolkit/run_error.h"

namespace tessel {
namespace {

constexpr double kScaleFactor = 250.0;

// The transition of a rate box, named by its states as the window shows
// them: from "Bored" to "On Phone".
std::string transitionName(int box, const DrawInputs& inputs) {
  const Transition& transition =
      kTransitions[static_cast<std::size_t>(transitionOfRateBox(box).value_or(0))];
  const auto name = [&](int state) {
    return quotedForDisplay(
        shownStateName(state, inputs.stateNames[static_cast<std::size_t>(state)]));
  };
  return "from " + name(transition.from) + " to " + name(transition.to);
}

std::string rateName(int box, const DrawInputs& inputs) {
  return "The rate " + transitionName(box, inputs);
}

[[noreturn]] void raiseUnreadableRate(int box, std::string_view text, StrictStatus status,
                                      const DrawInputs& inputs) {
  if (status == StrictStatus::OutOfRange) {
    throw RunError(
        ErrorKind::Overflow,
        rateName(box, inputs) + " holds " + quotedForDisplay(text) + ", a number too large to use.",
        box);
  }
  if (text.find_first_not_of(" \t") == std::string_view::npos) {
    throw RunError(ErrorKind::TypeMismatch, rateName(box, inputs) + " is empty; it needs a number.",
                   box);
  }
  throw RunError(
      ErrorKind::TypeMismatch,
      rateName(box, inputs) + " holds " + quotedForDisplay(text) + ", which is not a number.", box);
}

// One draw's arithmetic: every operation is checked where it is computed, and
// a fault is reported against the rate box of the attempt that computed it.
class Chances {
 public:
  Chances(const DrawInputs& inputs, double scale) : inputs_(inputs), scale_(scale) {}

  // The rates the attempts use come from the lenient leading-number reading,
  // so "1,5" counts as 1 here.
  double rate(int box) const {
    return inputs_.rateBoxes[static_cast<std::size_t>(box)].leadingNumber();
  }

  double divide(double numerator, double denominator, int box) const {
    const double quotient = numerator / denominator;
    check(quotientFault(numerator, denominator, quotient), box);
    return quotient;
  }

  // 1 - q / s: the chance that an earlier attempt of the pass did not fire.
  double complement(double rate, int box) const {
    const double difference = 1.0 - divide(rate, scale_, box);
    check(resultFault(difference), box);
    return difference;
  }

  double share(double rate, int box) const { return divide(rate, scale_, box); }

  float narrow(double chance, int box) const {
    check(narrowingFault(chance), box);
    return static_cast<float>(chance);
  }

  // The chance of attempt 0, 1 or 2 of a pass, narrowed to single precision.
  // The second is conditional on the first not firing; the third divides by
  // the two complements one after the other, that is by (1 - q1/s)(1 - q2/s),
  // not by (1 - q1/s - q2/s): the rounding of the two divisions is part of
  // the chance it draws with.
  float attemptChance(const std::array<Attempt, 3>& attempts, std::size_t attempt) const {
    const int box1 = attempts[0].rateBox;
    const int box2 = attempts[1].rateBox;
    const int box3 = attempts[2].rateBox;
    if (attempt == 0) return narrow(share(rate(box1), box1), box1);
    if (attempt == 1) {
      const double q2 = rate(box2);
      const double q1 = rate(box1);
      return narrow(divide(share(q2, box2), complement(q1, box1), box2), box2);
    }
    const double q3 = rate(box3);
    const double q1 = rate(box1);
    const double q2 = rate(box2);
    const double given1 = divide(share(q3, box3), complement(q1, box1), box3);
    return narrow(divide(given1, complement(q2, box2), box3), box3);
  }

 private:
  void check(FloatFault fault, int box) const {
    if (fault == FloatFault::None) return;
    if (scale_ == 0.0) {
      throw RunError(errorKindOf(fault),
                     "No rate on the window is positive, so no transition can be drawn. "
                     "Enter a positive rate.");
    }
    throw RunError(errorKindOf(fault),
                   "The chance of the transition " + transitionName(box, inputs_) +
                       " cannot be computed from the rates on the window.",
                   box);
  }

  const DrawInputs& inputs_;
  double scale_;
};

}  // namespace

void chooseNextState(const DrawInputs& inputs, RandomSource& random, std::string& nextState) {
  // The largest rate, by the strict reading. A rate equal to the largest so
  // far does not replace it; zero and negative rates leave it at 0.0.
  double largest = 0.0;
  int largestBox = 0;
  for (int box = 0; box < kTransitionCount; ++box) {
    const TextBox& rateBox = inputs.rateBoxes[static_cast<std::size_t>(box)];
    const StrictReading reading = rateBox.strictNumber(inputs.numberFormat);
    if (reading.status != StrictStatus::Number) {
      raiseUnreadableRate(box, rateBox.text(), reading.status, inputs);
    }
    if (reading.value > largest) {
      largest = reading.value;
      largestBox = box;
    }
  }

  const double scale = largest * kScaleFactor;
  if (const FloatFault fault = resultFault(scale); fault != FloatFault::None) {
    const std::string& text = inputs.rateBoxes[static_cast<std::size_t>(largestBox)].text();
    throw RunError(errorKindOf(fault),
                   rateName(largestBox, inputs) + " holds " + quotedForDisplay(text) +
                       ", too large a rate to draw with; keep every rate below 1e305.",
                   largestBox);
  }

  // The timer's interval doubles as the number of passes, as a 16-bit count.
  if (inputs.interval < std::numeric_limits<std::int16_t>::min() ||
      inputs.interval > std::numeric_limits<std::int16_t>::max()) {
    throw RunError(ErrorKind::Overflow, "The timer interval of " + std::to_string(inputs.interval) +
                                            " ms is too large to count draw passes with.");
  }
  auto passesLeft = static_cast<std::int16_t>(inputs.interval);

  nextState = inputs.currentState;
  // Not a state: no attempt is made, and the budget runs out without a jump.
  const std::optional<int> from = stateIndex(inputs.currentState);
  if (!from) return;
  const std::array<Attempt, 3> attempts = outgoingAttempts(*from);
  const Chances chances(inputs, scale);

  // Each attempt draws its random number, then uses its chance; so a pass
  // draws one, two or three numbers. A chance depends only on the rates,
  // which cannot change during the draw, so it is computed at its first use
  // (where a fault in it is raised) and reused by the later passes.
  std::array<float, 3> chance{};
  std::array<bool, 3> known{};
  while (passesLeft > 0) {
    --passesLeft;
    for (std::size_t attempt = 0; attempt < attempts.size(); ++attempt) {
      const float r = random.next();
      if (!known[attempt]) {
        chance[attempt] = chances.attemptChance(attempts, attempt);
        known[attempt] = true;
      }
      if (chance[attempt] > r) {
        nextState = kStateNames[static_cast<std::size_t>(attempts[attempt].target)];
        return;
      }
    }
  }
}

}  // namespace tessel
