#pragma once

// Every control of the window, by the names the window logic uses, holding
// the properties that change while the program runs. Where each control
// stands and how it looks is in layout.h.

#include <array>

#include "chain/transitions.h"
#include "display/toolkit/controls.h"

namespace tessel {

struct FormControls {
  ComboBox cmbSims;                               // the scenario list
  PushButton Command1;                            // "One"
  PushButton Command2;                            // "Start" / "Stop"
  PushButton Command3;                            // "Pause" / "Cont"
  std::array<TextBox, kTransitionCount> Text1;    // rate boxes
  std::array<Shape, kStateCount> Shape1;          // state circles
  std::array<Line, kTransitionCount> Line4;       // arcs
  std::array<Line, 2 * kTransitionCount> Line13;  // arrow-head strokes of the arcs
  Label lblBlue;                                  // state names
  Label lblPurple;
  Label lblGreen;
  Label lblCyan;
  std::array<Label, kStateCount> lblCount;  // visit counts
  Shape Shape3;                             // the token
  std::array<Shape, kStateCount> Shape2;    // occupancy bars
  std::array<Label, kStateCount> Label1;    // occupancy percentages
  Line Line7;                               // chart axes and their arrow heads
  Line Line8;
  Line Line9;
  Line Line10;
  Line Line11;
  Line Line12;
  Timer MoveTimer;

  // The state-name label of a state index: lblBlue, lblPurple, lblGreen, lblCyan.
  Label& nameLabel(int state);
  const Label& nameLabel(int state) const;
};

// The controls as the window is designed, before it loads: design captions
// and texts, design positions, every element visible, the timer's interval
// set and the timer not yet enabled.
FormControls makeDesignControls();

}  // namespace tessel
