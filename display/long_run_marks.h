#pragma once

// The long-run marks on the occupancy chart: for each visible bar, the height
// it settles to after counting for long enough, from the rates on the window.
// Drawn in the chart's own coordinates (twips), over the bars.

#include <string_view>

#include "display/form_controls.h"
#include "display/layout.h"
#include "toolkit/numbers.h"

namespace tessel {

// The line spans exactly its bar's width, so that the gap between two bars
// stays free for the share.
inline constexpr int kMarkLineWidth = 2;  // pixels at the design's size
// Dark enough to read on every state colour and on the window's ground.
inline constexpr Colour kMarkColour = rgb(24, 24, 64);
// The share stands right of the bar, in the gap between two columns, where
// the percentage labels (centred on their bars) never draw.
inline constexpr FontSpec kMarkFont{kFontFace, 8.25F, kRegular, false};
inline constexpr int kMarkCaptionGap = 45;      // from the bar's right edge
inline constexpr int kMarkCaptionWidth = 300;   // up to the next bar
inline constexpr int kMarkCaptionHeight = 180;  // centred on the line

// What the marks stand for, for the strip below the diagram.
enum class LongRunStart {
  None,         // no marks: the rates cannot be read, or the chain rests nowhere
  Irrelevant,   // every visible state leads to the same long run
  FromCurrent,  // the long run depends on the start: the marks start where the token rests
};

// Places a mark on every visible bar at the bar's height for its long-run
// share, for a chain that starts in `currentState`, and hides the others.
// Hides them all where the rates cannot be read (a draw would raise an
// error) or `currentState` is no state.
LongRunStart placeLongRunMarks(FormControls& controls, std::string_view currentState,
                               const NumberFormat& format);

void hideLongRunMarks(FormControls& controls);

}  // namespace tessel
