#pragma once

// Every control of the window, by the names the window logic uses, holding
// the properties that change while the program runs. Where each control
// stands and how it looks is in layout.h.

#include <array>

#include "chain/transitions.h"
#include "toolkit/controls.h"

namespace tessel {

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
};

// The controls as the window is designed, before it loads: design captions
// and texts, design positions, every element visible, the timer's interval
// set and the timer not yet enabled.
FormControls makeDesignControls();

}  // namespace tessel
