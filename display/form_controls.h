#pragma once

// Every control of the window, by the names the window logic uses, holding
// the properties that change while the program runs. Where each control
// stands and how it looks is in layout.h.

#include <array>
#include <string>

#include "chain/transitions.h"
#include "toolkit/controls.h"

namespace tessel {

// A long-run mark over a bar: a line across the bar's column at the height
// the bar settles to, with that share in percent beside it. Not one of the
// design's controls: hidden until the user turns the marks on.
struct LongRunMark {
  bool visible = false;
  float top = 0.0F;     // twips, where the bar's Top settles
  std::string caption;  // the share in percent with one decimal: "52.1"
};

struct FormControls {
  ComboBox scenarioList;
  PushButton oneButton;        // "One"
  PushButton startStopButton;  // "Start" / "Stop"
  PushButton pauseButton;      // "Pause" / "Cont"
  std::array<TextBox, kTransitionCount> rateBoxes;
  std::array<Shape, kStateCount> circles;
  std::array<Line, kTransitionCount> arcLines;
  std::array<Line, 2 * kTransitionCount> arrowStrokes;  // two per arc
  std::array<Label, kStateCount> nameLabels;
  std::array<Label, kStateCount> visitCounts;
  Shape token;
  std::array<Shape, kStateCount> bars;
  std::array<Label, kStateCount> shareLabels;  // the bars' percentages
  std::array<Line, 2> chartAxes;               // vertical, horizontal
  std::array<Line, 4> axisArrowStrokes;
  Timer moveTimer;
  std::array<LongRunMark, kStateCount> longRunMarks;  // hidden at design
};

// The controls as the window is designed, before it loads: design captions
// and texts, design positions, every element visible, the timer's interval
// set and the timer not yet enabled.
FormControls makeDesignControls();

}  // namespace tessel
