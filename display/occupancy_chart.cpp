#include "display/occupancy_chart.h"

#include <cmath>

#include "display/layout.h"
#include "toolkit/numbers.h"
#include "toolkit/run_error.h"
#include "toolkit/text.h"

namespace tessel {
namespace {

void check(FloatFault fault) {
  if (fault == FloatFault::None) return;
  throw RunError(errorKindOf(fault),
                 _("The occupancy chart cannot be drawn from the counted ticks: the shares are "
                   "not numbers. Click \"Start\" to count afresh."));
}

double add(double a, double b) {
  const double sum = a + b;
  check(resultFault(sum));
  return sum;
}

double subtract(double a, double b) {
  const double difference = a - b;
  check(resultFault(difference));
  return difference;
}

double multiply(double a, double b) {
  const double product = a * b;
  check(resultFault(product));
  return product;
}

double divide(double numerator, double denominator) {
  const double quotient = numerator / denominator;
  check(quotientFault(numerator, denominator, quotient));
  return quotient;
}

// Coordinates go to the controls as single-precision twips, not made whole.
float twips(double value) {
  check(narrowingFault(value));
  return static_cast<float>(value);
}

}  // namespace

void updateOccupancyChart(const std::array<double, kStateCount>& occupancy,
                          FormControls& controls) {
  constexpr double kBarBaseLine = kBarBottom;
  constexpr double kFullBarHeight = kBarFullHeight;
  const double total = add(add(add(occupancy[0], occupancy[1]), occupancy[2]), occupancy[3]);
  for (std::size_t i = 0; i < kStateCount; ++i) {
    const double ticks = occupancy[i];
    // Divide first, then scale to percent: the order decides the rounding.
    const double percent = std::floor(add(multiply(divide(ticks, total), 100.0), 0.5));
    controls.shareLabels[i].caption = numberText(percent);
    // Products before the division, as for the percentage.
    controls.bars[i].top =
        twips(subtract(kBarBaseLine, divide(multiply(ticks, kFullBarHeight), total)));
    controls.bars[i].height = twips(divide(multiply(ticks, kFullBarHeight), total));
    controls.shareLabels[i].top =
        twips(subtract(kLabelBase, divide(multiply(ticks, kLabelTravel), total)));
  }
}

}  // namespace tessel
