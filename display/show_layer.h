#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "chain/scenarios.h"
#include "display/form_controls.h"

namespace tessel {

// Makes one layer of the state diagram visible: its circles, and for each of
// its transitions the arrow-head strokes, the arc and the rate box. It never
// hides anything, so a caller first hides the whole diagram and then adds
// layers: 2 is Blue and Purple, 3 adds Green, 4 adds Cyan with the ring's
// arcs, and 5 adds Green and Cyan with the queue's diagonal. Any other value
// changes nothing. No layer shows the Blue-Cyan diagonal.
void showLayer(FormControls& controls, std::int16_t layer);

// Makes one transition of the diagram visible, its arrow-head strokes, arc
// and rate box, as a layer shows its own; the diagonals too.
void showTransition(FormControls& controls, int transition);

// The one place that decides which transitions a run shows, by transition:
// a preset those its layers show; a chain of `stateCount` states every
// transition between them, the diagonals too.
using ShownTransitions = std::array<bool, kTransitionCount>;
ShownTransitions shownTransitions(const Scenario& scenario);
ShownTransitions shownTransitions(std::size_t stateCount);

}  // namespace tessel
