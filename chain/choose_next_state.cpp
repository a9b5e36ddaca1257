#include "chain/choose_next_state.h"

#include <array>

#include "chain/attempt_chance.h"
#include "toolkit/quoted_text.h"
#include "toolkit/run_error.h"
#include "toolkit/text.h"

namespace tessel {
namespace {

// A message about a rate box's transition, which it names by its states as
// the window shows them, {from} and {to}: from "Bored" to "On Phone".
std::string aboutRate(int box, const DrawInputs& inputs, std::string_view text,
                      std::string typed = {}) {
  const Transition& transition =
      kTransitions[static_cast<std::size_t>(transitionOfRateBox(box).value_or(0))];
  const auto name = [&](int state) {
    return quotedForDisplay(
        shownStateName(state, inputs.stateNames[static_cast<std::size_t>(state)]));
  };
  return fill(text,
              {{"from", name(transition.from)}, {"to", name(transition.to)}, {"text", typed}});
}

[[noreturn]] void raiseUnreadableRate(int box, std::string_view text, StrictStatus status,
                                      const DrawInputs& inputs) {
  if (status == StrictStatus::OutOfRange) {
    throw RunError(ErrorKind::Overflow,
                   aboutRate(box, inputs,
                             _("The rate from {from} to {to} holds {text}, a number too large to "
                               "use."),
                             quotedForDisplay(text)),
                   box);
  }
  if (text.find_first_not_of(" \t") == std::string_view::npos) {
    throw RunError(
        ErrorKind::TypeMismatch,
        aboutRate(box, inputs, _("The rate from {from} to {to} is empty; it needs a number.")),
        box);
  }
  throw RunError(
      ErrorKind::TypeMismatch,
      aboutRate(box, inputs, _("The rate from {from} to {to} holds {text}, which is not a number."),
                quotedForDisplay(text)),
      box);
}

// The chance of one attempt, or the error its arithmetic raises. Kept out of
// the draw's loop, which calls it at most three times per draw.
[[gnu::noinline]] float checkedChance(const DrawInputs& inputs, const std::array<int, 3>& rateBoxes,
                                      double scale, std::size_t attempt) {
  // The rates the attempts use come from the lenient leading-number
  // reading, so "1,5" counts as 1 here.
  std::array<double, 3> rates{};
  for (std::size_t k = 0; k < rates.size(); ++k) {
    rates[k] = inputs.rateBoxes[static_cast<std::size_t>(rateBoxes[k])].leadingNumber();
  }
  ChanceFault fault;
  const float chance = attemptChance(rates, scale, rateBoxes, attempt, &fault);
  if (fault.fault == FloatFault::None) return chance;
  if (scale == 0.0) {
    throw RunError(errorKindOf(fault.fault),
                   _("No rate on the window is positive, so no transition can be drawn. "
                     "Enter a positive rate."));
  }
  throw RunError(errorKindOf(fault.fault),
                 aboutRate(fault.rateBox, inputs,
                           _("The chance of the transition from {from} to {to} cannot be computed "
                             "from the rates on the window.")),
                 fault.rateBox);
}

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

  const double scale = drawScale(largest);
  if (const FloatFault fault = resultFault(scale); fault != FloatFault::None) {
    const std::string& text = inputs.rateBoxes[static_cast<std::size_t>(largestBox)].text();
    throw RunError(
        errorKindOf(fault),
        aboutRate(largestBox, inputs,
                  _("The rate from {from} to {to} holds {text}, too large a rate to draw "
                    "with; keep every rate below 1e305."),
                  quotedForDisplay(text)),
        largestBox);
  }

  const std::optional<std::int16_t> budget = passBudget(inputs.interval);
  if (!budget) {
    throw RunError(ErrorKind::Overflow,
                   fill(_("The timer interval of {interval} ms is too large to count draw passes "
                          "with."),
                        {{"interval", std::to_string(inputs.interval)}}));
  }
  std::int16_t passesLeft = *budget;

  nextState = inputs.currentState;
  // Not a state: no attempt is made, and the budget runs out without a jump.
  const std::optional<int> from = stateIndex(inputs.currentState);
  if (!from) return;
  const std::array<Attempt, 3> attempts = outgoingAttempts(*from);
  const std::array<int, 3> rateBoxes{attempts[0].rateBox, attempts[1].rateBox, attempts[2].rateBox};

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
        chance[attempt] = checkedChance(inputs, rateBoxes, scale, attempt);
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
