#pragma once

// The tests' way into a window's handlers and controls, which front-ends
// never change themselves: a test sets up a corner of the window's state
// directly and calls the procedure it checks.

#include "window/main_form.h"

namespace tessel {

struct MainFormProbe {
  static FormControls& controls(MainForm& form) { return form.controls_; }
  static FormVariables& variables(MainForm& form) { return form.vars_; }
  static void beginMove(MainForm& form) { form.beginMove(); }
};

}  // namespace tessel
