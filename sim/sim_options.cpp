#include "sim/sim_options.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <fstream>
#include <limits>

#include "chain/chain_file.h"
#include "chain/choose_next_state.h"
#include "chain/scenarios.h"
#include "chain/transitions.h"
#include "display/show_layer.h"
#include "toolkit/quoted_text.h"
#include "window/front_end.h"

namespace tessel {
namespace {

constexpr std::string_view kArrow = "->";

std::string_view trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool sameIgnoringCase(std::string_view a, std::string_view b) {
  const auto lower = [](char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  };
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [&](char x, char y) { return lower(x) == lower(y); });
}

// What a run shows once its scenario or chain is applied: the list's text,
// the states' names ("" where a state has none) and the transitions whose
// rate boxes show, in the table's order.
struct ShownStates {
  std::string_view title;
  std::array<std::string_view, kStateCount> names{};
  std::vector<int> transitions;
};

ShownStates shownStates(const Scenario& scenario) {
  ShownStates shown{scenario.name, scenario.stateNames, {}};
  FormControls controls = makeDesignControls();
  for (TextBox& box : controls.rateBoxes) box.visible = false;
  for (const std::int16_t layer : scenario.layers) showLayer(controls, layer);
  for (int i = 0; i < kTransitionCount; ++i) {
    const Transition& transition = kTransitions[static_cast<std::size_t>(i)];
    if (controls.rateBoxes[static_cast<std::size_t>(transition.rateBox)].visible)
      shown.transitions.push_back(i);
  }
  return shown;
}

// A chain shows every transition between its states.
ShownStates shownStates(const Chain& chain) {
  ShownStates shown{chain.title, {}, {}};
  for (std::size_t state = 0; state < chain.states.size(); ++state) {
    shown.names[state] = chain.states[state];
  }
  const auto count = static_cast<int>(chain.states.size());
  for (int i = 0; i < kTransitionCount; ++i) {
    const Transition& transition = kTransitions[static_cast<std::size_t>(i)];
    if (transition.from < count && transition.to < count) shown.transitions.push_back(i);
  }
  return shown;
}

std::string transitionList(const ShownStates& shown) {
  std::string list;
  for (const int index : shown.transitions) {
    const Transition& transition = kTransitions[static_cast<std::size_t>(index)];
    const auto name = [&](int state) {
      return std::string(shownStateName(state, shown.names[static_cast<std::size_t>(state)]));
    };
    if (!list.empty()) list += ", ";
    list += name(transition.from) + std::string(kArrow) + name(transition.to) + " (" +
            std::string(kStateNames[static_cast<std::size_t>(transition.from)]) +
            std::string(kArrow) +
            std::string(kStateNames[static_cast<std::size_t>(transition.to)]) + ")";
  }
  return list;
}

// The state a name stands for: its colour or the run's name for it.
std::variant<int, std::string> stateNamed(std::string_view name, const ShownStates& shown) {
  std::vector<int> matches;
  for (int state = 0; state < kStateCount; ++state) {
    const std::string_view ownName = shown.names[static_cast<std::size_t>(state)];
    if (sameIgnoringCase(name, kStateNames[static_cast<std::size_t>(state)]) ||
        (!ownName.empty() && sameIgnoringCase(name, ownName))) {
      matches.push_back(state);
    }
  }
  if (matches.size() == 1) return matches.front();
  const std::string where = " in " + quotedForDisplay(shown.title);
  if (matches.empty()) return "no state is called " + quotedForDisplay(name) + where;
  return quotedForDisplay(name) + " names more than one state" + where;
}

std::variant<int, std::string> rateBoxIn(std::string_view transition, const ShownStates& shown) {
  const std::string shows = "; the transitions it shows are " + transitionList(shown);
  const std::size_t arrow = transition.find(kArrow);
  if (arrow == std::string_view::npos) {
    return quotedForDisplay(transition) + " is not FROM->TO" + shows;
  }
  const auto from = stateNamed(trimmed(transition.substr(0, arrow)), shown);
  if (const auto* problem = std::get_if<std::string>(&from)) return *problem + shows;
  const auto to = stateNamed(trimmed(transition.substr(arrow + kArrow.size())), shown);
  if (const auto* problem = std::get_if<std::string>(&to)) return *problem + shows;
  const std::optional<int> index = transitionIndex(std::get<int>(from), std::get<int>(to));
  if (!index) return quotedForDisplay(transition) + " joins a state to itself" + shows;
  return kTransitions[static_cast<std::size_t>(*index)].rateBox;
}

// The chain in a file, or what is wrong with it, as the window says it.
std::variant<Chain, std::string> readChainFile(const std::string& path) {
  const std::string cannot = "cannot open " + quotedForDisplay(path) + ": ";
  std::ifstream file(path, std::ios::binary);
  if (!file) return cannot + "it cannot be read (" + std::strerror(errno) + ").";
  std::string bytes;
  char buffer[65536];
  while (file.read(buffer, sizeof buffer) || file.gcount() > 0) {
    bytes.append(buffer, static_cast<std::size_t>(file.gcount()));
    if (bytes.size() > kMostChainFileBytes) break;
  }
  if (file.bad()) return cannot + "it cannot be read.";
  auto chain = readChain(bytes);
  if (auto* problem = std::get_if<std::string>(&chain)) return cannot + *problem;
  return chain;
}

class OptionReader {
 public:
  explicit OptionReader(std::span<const std::string_view> args) : args_(args) {}

  ParsedOptions read() {
    ParsedOptions parsed;
    while (next_ < args_.size() && !parsed.usageError) {
      parsed.usageError = readOne(parsed.options);
    }
    if (!parsed.usageError) parsed.usageError = resolveTransitions(parsed.options);
    if (!parsed.usageError && parsed.options.traceEvery && formatGiven_ &&
        parsed.options.format != ReportFormat::Csv) {
      parsed.usageError = "--trace-every writes CSV, so --format can only be csv with it";
    }
    return parsed;
  }

 private:
  std::optional<std::string> readOne(SimOptions& options) {
    const std::string_view arg = args_[next_++];
    if (arg == "--help" || arg == "-h") {
      options.help = true;
      return std::nullopt;
    }
    if (arg == "--version") {
      options.version = true;
      return std::nullopt;
    }
    if (!arg.starts_with("--")) return "unexpected argument " + quotedForDisplay(arg);

    const std::size_t equals = arg.find('=');
    const std::string_view name = arg.substr(0, equals);
    std::optional<std::string_view> inlineValue;
    if (equals != std::string_view::npos) inlineValue = arg.substr(equals + 1);

    if (name == "--scenario")
      return withValue(name, inlineValue,
                       [&](std::string_view v) { return setScenario(options, v); });
    if (name == "--chain")
      return withValue(name, inlineValue, [&](std::string_view v) { return setChain(options, v); });
    if (name == "--ticks")
      return withValue(name, inlineValue, [&](std::string_view v) { return setTicks(options, v); });
    if (name == "--seed")
      return withValue(name, inlineValue, [&](std::string_view v) { return setSeed(options, v); });
    if (name == "--rate")
      return withValue(name, inlineValue, [&](std::string_view v) { return addRate(options, v); });
    if (name == "--format") {
      formatGiven_ = true;
      return withValue(name, inlineValue,
                       [&](std::string_view v) { return setFormat(options, v); });
    }
    if (name == "--trace-every")
      return withValue(name, inlineValue,
                       [&](std::string_view v) { return setTraceEvery(options, v); });
    return "unknown option " + quotedForDisplay(name);
  }

  // Finds the option's value, inline or as the next argument, and hands it
  // on. Options other than --rate may be given only once, so that a second
  // one cannot silently override the first.
  template <typename Apply>
  std::optional<std::string> withValue(std::string_view name,
                                       std::optional<std::string_view> inlineValue, Apply apply) {
    if (name != "--rate") {
      for (const std::string_view seen : seen_) {
        if (seen == name) return std::string(name) + " is given more than once";
      }
      seen_.push_back(name);
    }
    if (inlineValue) return apply(*inlineValue);
    if (next_ >= args_.size()) return std::string(name) + " needs a value";
    return apply(args_[next_++]);
  }

  static std::optional<std::string> setScenario(SimOptions& options, std::string_view value) {
    for (const std::string_view name : kScenarioListOrder) {
      if (name == value) {
        options.scenario = std::string(value);
        return std::nullopt;
      }
    }
    return "unknown scenario " + quotedForDisplay(value) + "; the scenarios are " +
           scenarioChoices();
  }

  static std::optional<std::string> setChain(SimOptions& options, std::string_view value) {
    auto chain = readChainFile(std::string(value));
    if (auto* problem = std::get_if<std::string>(&chain)) return *problem;
    options.chain = std::get<Chain>(std::move(chain));
    return std::nullopt;
  }

  static std::optional<std::string> setTicks(SimOptions& options, std::string_view value) {
    const std::optional<std::uint64_t> ticks = readWholeNumber(value, kMaxTicks);
    if (!ticks) {
      return "--ticks needs a whole number from 0 to " + std::to_string(kMaxTicks) + ", not " +
             quotedForDisplay(value);
    }
    options.ticks = *ticks;
    return std::nullopt;
  }

  static std::optional<std::string> setSeed(SimOptions& options, std::string_view value) {
    const std::optional<std::uint64_t> seed =
        readWholeNumber(value, std::numeric_limits<std::uint64_t>::max());
    if (!seed) {
      return "--seed needs a whole number from 0 to " +
             std::to_string(std::numeric_limits<std::uint64_t>::max()) + ", not " +
             quotedForDisplay(value);
    }
    options.seed = *seed;
    return std::nullopt;
  }

  // I=TEXT (the box index in decimal) or FROM->TO=TEXT, then the text, which
  // may be anything (even empty or holding "=") since the window itself
  // judges it. FROM->TO is resolved once the scenario is known.
  static std::optional<std::string> addRate(SimOptions& options, std::string_view value) {
    const std::size_t equals = value.find('=');
    const std::string_view target = value.substr(0, equals);
    if (equals != std::string_view::npos && target.find(kArrow) != std::string_view::npos) {
      options.rates.push_back({0, std::string(value.substr(equals + 1)), std::string(target)});
      return std::nullopt;
    }
    const std::optional<std::uint64_t> box = equals == std::string_view::npos
                                                 ? std::nullopt
                                                 : readWholeNumber(target, kTransitionCount - 1);
    if (!box) {
      return "--rate needs I=TEXT with I a rate box from 0 to " +
             std::to_string(kTransitionCount - 1) + ", or FROM->TO=TEXT, not " +
             quotedForDisplay(value);
    }
    options.rates.push_back({static_cast<int>(*box), std::string(value.substr(equals + 1)), {}});
    return std::nullopt;
  }

  std::optional<std::string> resolveTransitions(SimOptions& options) const {
    if (options.chain) {
      for (const std::string_view seen : seen_) {
        if (seen == "--scenario") return std::string("--chain and --scenario cannot go together");
      }
    }
    const ShownStates shown =
        options.chain ? shownStates(*options.chain) : shownStates(scenarioNamed(options.scenario));
    for (RateSetting& rate : options.rates) {
      if (rate.transition.empty()) continue;
      const auto box = rateBoxIn(rate.transition, shown);
      if (const auto* problem = std::get_if<std::string>(&box)) {
        return "--rate " + quotedForDisplay(rate.transition + "=" + rate.text) + ": " + *problem;
      }
      rate.box = std::get<int>(box);
    }
    return std::nullopt;
  }

  static std::optional<std::string> setTraceEvery(SimOptions& options, std::string_view value) {
    const std::optional<std::uint64_t> every = readWholeNumber(value, kMaxTicks);
    if (!every || *every == 0) {
      return "--trace-every needs a whole number of ticks from 1 to " + std::to_string(kMaxTicks) +
             ", not " + quotedForDisplay(value);
    }
    options.traceEvery = *every;
    return std::nullopt;
  }

  static std::optional<std::string> setFormat(SimOptions& options, std::string_view value) {
    if (value == "text") {
      options.format = ReportFormat::Text;
    } else if (value == "csv") {
      options.format = ReportFormat::Csv;
    } else if (value == "json") {
      options.format = ReportFormat::Json;
    } else {
      return "--format needs text, csv or json, not " + quotedForDisplay(value);
    }
    return std::nullopt;
  }

  std::span<const std::string_view> args_;
  std::size_t next_ = 0;
  std::vector<std::string_view> seen_;
  bool formatGiven_ = false;
};

}  // namespace

ParsedOptions parseSimOptions(std::span<const std::string_view> args) {
  return OptionReader(args).read();
}

std::variant<int, std::string> rateBoxOfTransition(std::string_view transition,
                                                   const Scenario& scenario) {
  return rateBoxIn(transition, shownStates(scenario));
}

std::string usageText() {
  return "Usage: tessel-sim [OPTION]...\n"
         "Runs the demonstration's window logic without a display: selects the scenario,\n"
         "types the rates, clicks Start and delivers N timer ticks, then prints the visit\n"
         "counts, resting ticks and chart shares of the states the scenario shows, with\n"
         "the long-run shares the chart settles to.\n"
         "\n"
         "Options:\n"
         "  --scenario NAME  the scenario to run (default \"" +
         std::string(kDefaultScenario) + "\"), one of\n                   " + scenarioChoices() +
         "\n"
         "  --chain FILE     open the chain in FILE (a .tessel document) and run it instead,\n"
         "                   exactly as the window runs it\n"
         "  --ticks N        timer ticks to deliver, 0 to " +
         std::to_string(kMaxTicks) + " (default " + std::to_string(kDefaultTicks) +
         ")\n"
         "  --seed N         random seed, 0 to 2^64-1 (default: from the clock; always printed)\n"
         "  --rate I=TEXT    type TEXT into rate box I (0 to 11) after the scenario sets its\n"
         "                   rates; may be repeated\n"
         "  --rate FROM->TO=TEXT\n"
         "                   the same for the rate from state FROM to state TO, by colour\n"
         "                   or by the scenario's or chain's name: --rate \"Bored->On Phone=2\"\n"
         "  --format F       text (default), csv or json\n"
         "  --trace-every N  instead of the report, write CSV: every N ticks each state's\n"
         "                   share so far, beside its long-run share\n"
         "  --help           show this text\n"
         "  --version        show the program's version\n"
         "Exit status: 0 on success, 1 when the window raised an error, 2 on a usage error.\n";
}

}  // namespace tessel
