#pragma once

#include <array>

#include "chain/transitions.h"
#include "display/form_controls.h"

namespace tessel {

// Where a percentage label stands, in twips; the bars' base line and full
// height are in layout.h.
inline constexpr double kLabelBase = 6480;    // a label's top at a share of 0
inline constexpr double kLabelTravel = 4320;  // how far a label rises from share 0 to 1

// Redraws the four bars and percentage labels from the counted ticks of each
// state: each label shows its share in whole percent (halves up, so the four
// need not add up to 100) and each bar's height is its share of the full
// height, standing on the base line. Expects a positive total; raises
// RunError on any floating-point fault, leaving the columns already drawn as
// they are. Never shows or hides a column.
void updateOccupancyChart(const std::array<double, kStateCount>& occupancy, FormControls& controls);

}  // namespace tessel
