#pragma once

// What a headless run found, and the three ways of printing it.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sim/sim_options.h"

namespace tessel {

// One state the scenario shows, as the window shows it after the run.
struct StateRow {
  std::string state;         // "Blue", "Purple", "Green" or "Cyan"
  std::string name;          // the scenario's name for it, from its name label
  std::uint64_t visits = 0;  // the count label read as a whole number
  std::uint64_t restingTicks = 0;
  double share = 0.0;        // restingTicks over all resting ticks; 0 when there are none
  std::string percentLabel;  // the chart's percentage label exactly as shown
  // The share the chart settles to (see longRunShares), and the share the
  // textbook continuous-time chain with these rates would give; none when
  // the rates cannot be read.
  std::optional<double> longRunShare;
  std::optional<double> continuousTimeShare;
  std::string shownName;  // the name as the window shows it, in the language spoken
};

struct SimReport {
  std::string scenario;
  std::uint64_t seed = 0;
  std::uint64_t ticks = 0;
  std::uint64_t jumps = 0;
  std::vector<StateRow> states;  // in state order
  std::string shownScenario;     // as the window's list shows it, in the language spoken
  // One resting tick's step among the shown states, [from][to] in state
  // order; none when the rates cannot be read.
  std::optional<std::vector<std::vector<double>>> stepChances;
};

std::string formatReport(const SimReport& report, ReportFormat format);

// The step chances as a table under the text report, in percent as the
// window's Chances view writes them; a sentence where there are none.
std::string formatChances(const SimReport& report);

// The convergence trace, CSV: a heading, then a row per traced tick with
// each shown state's share so far and its long-run share.
std::string traceHeading(const SimReport& report);
std::string traceRow(std::uint64_t tick, const SimReport& report);

// The text inside the quotes of a JSON string: quotes, backslashes and
// control characters escaped; everything else, UTF-8 included, kept as is.
std::string jsonEscaped(std::string_view text);

// A CSV field, quoted (with quotes doubled) when it holds a comma, a quote or
// a line break.
std::string csvField(std::string_view text);

}  // namespace tessel
