#pragma once

// What the History and the Chances views show of a window, worked out from
// its MainForm, for the drawing (display/views.h), the page's tables and
// tessel-sim's report.

#include <optional>
#include <string>
#include <vector>

#include "display/views.h"
#include "window/main_form.h"

namespace tessel {

// The law of one resting tick's step among the shown states, as the draw
// that runs has it: matrix[from][to], by place among the shown states; and
// the long-run row for a chain that starts where the token rests (none when
// it rests nowhere).
struct StepChances {
  std::vector<int> states;
  std::vector<std::vector<double>> matrix;
  std::vector<double> longRun;
};
// None while the rates cannot be read as a draw reads them.
std::optional<StepChances> stepChances(const MainForm& form);

HistoryPicture historyPicture(const MainForm& form);
ChancesPicture chancesPicture(const MainForm& form);

// The History in a sentence, for a screen reader: "After 1200 counted
// ticks: Blue 20.1 %, ..."; empty before any tick is counted.
std::string historySummary(const MainForm& form);

// A view's name as the view list shows it.
std::string viewLabel(View view);

}  // namespace tessel
