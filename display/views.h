#pragma once

// The views that can stand in the chart's place: the chart itself, the
// History of each state's share against the ticks counted, and the Chances
// of one resting tick's step. Each is drawn from a picture of plain data
// (worked out in window/) on whatever canvas a front-end gives.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "display/form_canvas.h"
#include "display/layout.h"

namespace tessel {

enum class View { Chart, History, Chances };
inline constexpr std::array<View, 3> kViews{View::Chart, View::History, View::Chances};

// Where the History and the Chances are drawn: the chart's place, from under
// the buttons to the client area's bottom edge.
inline constexpr BoxLayout kViewBox{6600, 1740, 4260, 5760};
inline constexpr Colour kViewGround = rgb(255, 255, 255);
inline constexpr Colour kViewRuleColour = rgb(208, 208, 208);
inline constexpr FontSpec kViewFont{kFontFace, 8.25F, kRegular, false};
inline constexpr FontSpec kViewHeadFont{kFontFace, 8.25F, kBold, false};
inline constexpr FontSpec kViewCellFont{kFontFace, 9.75F, kRegular, false};

// ---- History

// The ticks axis starts at 10 and runs to the ticks counted, to 100 at least.
inline constexpr double kHistoryFirstTicks = 10.0;
inline constexpr double kHistoryLeastEnd = 100.0;

struct HistoryPoint {
  double ticks = 0.0;  // counted ticks so far
  double share = 0.0;  // the state's share of them, 0 to 1

  bool operator==(const HistoryPoint&) const = default;
};

struct HistoryLine {
  int state = 0;
  std::vector<HistoryPoint> points;  // by ticks, rising
  std::optional<double> longRun;     // the long-run share, while the marks are on

  bool operator==(const HistoryLine&) const = default;
};

struct HistoryPicture {
  std::vector<HistoryLine> lines;  // one per shown state
  double ticks = 0.0;              // counted so far: where the axis ends

  bool operator==(const HistoryPicture&) const = default;
};

// The ticks axis' label at a power of ten: 10, 100, 1k, 10k, ..., 1M, 1G.
std::string ticksLabel(int powerOfTen);

void drawHistory(FormCanvas& canvas, const HistoryPicture& picture);

// ---- Chances

// A chance in percent as a cell shows it: three significant digits, "< 0.001
// %" below that, and "0" only for a chance of exactly 0.
std::string chanceText(double chance);

struct ChancesPicture {
  std::vector<int> states;         // the shown states, heads of the rows and columns
  std::vector<std::string> names;  // their names, by place in `states`
  std::string cornerText;          // over the row heads: "from \ to"
  // cells[row][column], the step from states[row] to states[column]; none
  // where the rates cannot be read, `problem` saying why.
  std::vector<std::vector<std::string>> cells;
  std::string longRunHead;           // the long-run row's head
  std::vector<std::string> longRun;  // empty while the long run cannot be worked out
  std::string note;                  // under the table
  std::string problem;               // instead of the table

  bool operator==(const ChancesPicture&) const = default;
};

void drawChances(FormCanvas& canvas, const ChancesPicture& picture);

}  // namespace tessel
