#pragma once

// The command line of tessel-sim: what to run, for how long, with which seed
// and rates, and how to print the result.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "chain/chain_file.h"
#include "chain/scenarios.h"
#include "window/run_options.h"

namespace tessel {

enum class ReportFormat { Text, Csv, Json };

// One --rate I=TEXT or FROM->TO=TEXT: the text typed into a rate box before
// the run starts.
struct RateSetting {
  int box = 0;
  std::string text;
  std::string transition;  // FROM->TO as given, resolved to `box`; empty for I=TEXT
};

struct SimOptions {
  std::string scenario{kScenarioListOrder[0]};
  std::optional<Chain> chain;  // --chain FILE, read as the option is; runs instead of the scenario
  std::uint64_t ticks = kDefaultRunTicks;
  std::optional<std::uint64_t> seed;  // none: taken from the clock
  std::vector<RateSetting> rates;     // in the order given
  ReportFormat format = ReportFormat::Text;
  std::optional<std::uint64_t> traceEvery;  // write a convergence trace instead of the report
  bool chances = false;                     // print one tick's chances under the text report
  bool help = false;
  bool version = false;
};

// The outcome of reading the command line: the options, or what is wrong
// with it in a sentence meant for the user.
struct ParsedOptions {
  SimOptions options;
  std::optional<std::string> usageError;
};

// Reads the arguments after the program name. Every option takes its value
// as the next argument or after "=" ("--ticks 500", "--ticks=500").
ParsedOptions parseSimOptions(std::span<const std::string_view> args);

// The rate box of the transition FROM->TO in the scenario: FROM and TO are
// states by their colours or by the scenario's names for them, in any letter
// case, blanks around them ignored. Or, for a name that matches no state or
// more than one, or a state paired with itself, what is wrong, with the list
// of the transitions the scenario shows.
std::variant<int, std::string> rateBoxOfTransition(std::string_view transition,
                                                   const Scenario& scenario);

}  // namespace tessel
