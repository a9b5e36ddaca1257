#include "display/long_run_marks.h"

#include <fmt/format.h>

#include <vector>

#include "chain/long_run.h"

namespace tessel {
namespace {

// One decimal, always with a point, as every number the window writes;
// 100 without its decimal, so that it fits the gap between two bars.
std::string percentCaption(double share) {
  // Rounded from the double's exact value, as printf's "%.1f" rounds, but
  // in the same characters whatever the locale.
  const std::string text = fmt::format("{:.1f}", share * 100.0);
  return text == "100.0" ? "100" : text;
}

}  // namespace

void hideLongRunMarks(FormControls& controls) {
  for (LongRunMark& mark : controls.longRunMarks) mark.visible = false;
}

LongRunStart placeLongRunMarks(FormControls& controls, std::string_view currentState,
                               const NumberFormat& format) {
  const std::optional<int> start = stateIndex(currentState);
  const std::optional<DrawRates> draw =
      readDrawRates(controls.rateBoxes, controls.moveTimer.interval, format);
  if (!start || !draw) {
    hideLongRunMarks(controls);
    return LongRunStart::None;
  }
  const StateChances shares = longRunShares(*draw, *start);
  std::vector<int> shown;
  for (int state = 0; state < kStateCount; ++state) {
    const auto i = static_cast<std::size_t>(state);
    LongRunMark& mark = controls.longRunMarks[i];
    mark.visible = controls.bars[i].visible;
    if (!mark.visible) continue;
    shown.push_back(state);
    mark.top = static_cast<float>(kBarBottom - shares[i] * kBarFullHeight);
    mark.caption = percentCaption(shares[i]);
  }
  return longRunDependsOnStart(*draw, shown) ? LongRunStart::FromCurrent : LongRunStart::Irrelevant;
}

}  // namespace tessel
