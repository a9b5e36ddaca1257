#include "chain/attempt_chance.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tessel {
namespace {

// Carries the first fault of a chain of operations; later operations go on
// with whatever the faulty one left, as IEEE arithmetic does.
class FaultLog {
 public:
  FaultLog(double scale, const std::array<int, 3>& rateBoxes)
      : scale_(scale), rateBoxes_(rateBoxes) {}

  double share(double rate, std::size_t attempt) { return divide(rate, scale_, attempt); }

  // Every fault leaves a value that is not finite, so a finite one needs no
  // further look; that keeps the calls out of the draw's usual path.
  double divide(double numerator, double denominator, std::size_t attempt) {
    const double quotient = numerator / denominator;
    if (!std::isfinite(quotient)) note(quotientFault(numerator, denominator, quotient), attempt);
    return quotient;
  }

  // 1 - q / s: the chance that an earlier attempt of the pass did not fire.
  double complement(double rate, std::size_t attempt) {
    const double difference = 1.0 - share(rate, attempt);
    if (!std::isfinite(difference)) note(resultFault(difference), attempt);
    return difference;
  }

  float narrow(double chance, std::size_t attempt) {
    constexpr double kLargest = std::numeric_limits<float>::max();
    if (std::fabs(chance) <= kLargest) return static_cast<float>(chance);
    note(narrowingFault(chance), attempt);
    if (std::isnan(chance)) return 0.0F;
    return static_cast<float>(std::clamp(chance, -kLargest, kLargest));
  }

  void report(ChanceFault* fault) const {
    if (fault != nullptr) *fault = fault_;
  }

 private:
  void note(FloatFault fault, std::size_t attempt) {
    if (fault == FloatFault::None || fault_.fault != FloatFault::None) return;
    fault_ = {fault, rateBoxes_[attempt]};
  }

  double scale_;
  const std::array<int, 3>& rateBoxes_;
  ChanceFault fault_;
};

}  // namespace

std::optional<std::int16_t> passBudget(std::int32_t interval) {
  if (interval < std::numeric_limits<std::int16_t>::min() ||
      interval > std::numeric_limits<std::int16_t>::max()) {
    return std::nullopt;
  }
  return static_cast<std::int16_t>(interval);
}

float attemptChance(const std::array<double, 3>& rates, double scale,
                    const std::array<int, 3>& rateBoxes, std::size_t attempt, ChanceFault* fault) {
  FaultLog log(scale, rateBoxes);
  const double own = log.share(rates[attempt], attempt);
  double chance = own;
  if (attempt >= 1) chance = log.divide(chance, log.complement(rates[0], 0), attempt);
  if (attempt == 2) chance = log.divide(chance, log.complement(rates[1], 1), attempt);
  const float narrowed = log.narrow(chance, attempt);
  log.report(fault);
  return narrowed;
}

}  // namespace tessel
