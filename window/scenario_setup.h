#pragma once

// Applying a scenario to the controls: a preset by the list's text, or a
// chain of the user's own.

#include "chain/chain_file.h"
#include "display/form_controls.h"

namespace tessel {

// Hides the whole diagram and chart, writes "0.0" into every rate box and
// clears the states' names, then shows and fills in what the scenario gives:
// `chain` where one is picked, otherwise the preset named by the list's text
// (compared exactly; any other text gives the first). A preset is the base
// with its own additions on top: its layers, names, default rates and chart
// columns, in the design's order. A chain shows its states with every
// transition between them, its names and the rates it gives (a rate it
// leaves out keeps "0.0"). The visit counts' captions are the caller's.
void applyScenario(FormControls& controls, const Chain* chain);

}  // namespace tessel
