#include "sim/sim_options.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <fstream>

#include "chain/transitions.h"
#include "display/show_layer.h"
#include "toolkit/ascii.h"
#include "toolkit/quoted_text.h"
#include "toolkit/text.h"
#include "window/chain_documents.h"

namespace tessel {
namespace {

constexpr std::string_view kArrow = "->";

std::string_view trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool sameIgnoringCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](char x, char y) { return lowerAscii(x) == lowerAscii(y); });
}

// What a run shows once its scenario or chain is applied: the list's text,
// the states' names ("" where a state has none) and the transitions whose
// rate boxes show.
// A preset's title and names are the program's own, said in the language
// spoken; a chain's are the user's.
struct ShownStates {
  std::string_view title;
  std::array<std::string_view, kStateCount> names{};
  ShownTransitions transitions{};
  bool preset = false;

  std::string said(std::string_view text) const { return preset ? _(text) : std::string(text); }
};

ShownStates shownStates(const Scenario& scenario) {
  return {scenario.name, scenario.stateNames, shownTransitions(scenario), true};
}

ShownStates shownStates(const Chain& chain) {
  ShownStates shown{chain.title, {}, shownTransitions(chain.states.size())};
  for (std::size_t state = 0; state < chain.states.size(); ++state) {
    shown.names[state] = chain.states[state];
  }
  return shown;
}

std::string transitionList(const ShownStates& shown) {
  std::string list;
  for (std::size_t index = 0; index < kTransitionCount; ++index) {
    if (!shown.transitions[index]) continue;
    const Transition& transition = kTransitions[index];
    const auto name = [&](int state) {
      return shown.said(shownStateName(state, shown.names[static_cast<std::size_t>(state)]));
    };
    const auto colour = [](int state) { return _(kStateNames[static_cast<std::size_t>(state)]); };
    if (!list.empty()) list += ", ";
    list += name(transition.from) + std::string(kArrow) + name(transition.to) + " (" +
            colour(transition.from) + std::string(kArrow) + colour(transition.to) + ")";
  }
  return list;
}

// The state a name stands for: its colour or the run's name for it, in
// English or in the language spoken.
std::variant<int, std::string> stateNamed(std::string_view name, const ShownStates& shown) {
  std::vector<int> matches;
  for (int state = 0; state < kStateCount; ++state) {
    const std::string_view colour = kStateNames[static_cast<std::size_t>(state)];
    const std::string_view ownName = shown.names[static_cast<std::size_t>(state)];
    if (sameIgnoringCase(name, colour) || sameIgnoringCase(name, _(colour)) ||
        (!ownName.empty() &&
         (sameIgnoringCase(name, ownName) || sameIgnoringCase(name, shown.said(ownName))))) {
      matches.push_back(state);
    }
  }
  if (matches.size() == 1) return matches.front();
  const std::string title = quotedForDisplay(shown.said(shown.title));
  if (matches.empty()) {
    return fill(_("no state is called {name} in {title}"),
                {{"name", quotedForDisplay(name)}, {"title", title}});
  }
  return fill(_("{name} names more than one state in {title}"),
              {{"name", quotedForDisplay(name)}, {"title", title}});
}

std::variant<int, std::string> rateBoxIn(std::string_view transition, const ShownStates& shown) {
  const auto withList = [&](const std::string& problem) {
    return fill(_("{problem}; the transitions it shows are {transitions}"),
                {{"problem", problem}, {"transitions", transitionList(shown)}});
  };
  const std::size_t arrow = transition.find(kArrow);
  if (arrow == std::string_view::npos) {
    return withList(
        fill(_("{transition} is not FROM->TO"), {{"transition", quotedForDisplay(transition)}}));
  }
  const auto from = stateNamed(trimmed(transition.substr(0, arrow)), shown);
  if (const auto* problem = std::get_if<std::string>(&from)) return withList(*problem);
  const auto to = stateNamed(trimmed(transition.substr(arrow + kArrow.size())), shown);
  if (const auto* problem = std::get_if<std::string>(&to)) return withList(*problem);
  const std::optional<int> index = transitionIndex(std::get<int>(from), std::get<int>(to));
  if (!index) {
    return withList(fill(_("{transition} joins a state to itself"),
                         {{"transition", quotedForDisplay(transition)}}));
  }
  return kTransitions[static_cast<std::size_t>(*index)].rateBox;
}

// A chain file's bytes, or why they could not be read, for the one loader.
Document readDocument(const std::string& path) {
  Document document{path, {}, std::nullopt};
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    document.unreadable = std::strerror(errno);
    return document;
  }
  char buffer[65536];
  while (file.read(buffer, sizeof buffer) || file.gcount() > 0) {
    document.bytes.append(buffer, static_cast<std::size_t>(file.gcount()));
    if (document.bytes.size() > kMostChainFileBytes) break;
  }
  if (file.bad()) document.unreadable = "";
  return document;
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
    if (!parsed.usageError && parsed.options.traceEvery && given("--format") &&
        parsed.options.format != ReportFormat::Csv) {
      parsed.usageError = _("--trace-every writes CSV, so --format can only be csv with it");
    }
    if (!parsed.usageError && parsed.options.chances &&
        (parsed.options.traceEvery || parsed.options.format != ReportFormat::Text)) {
      parsed.usageError = optionOnlyWith("--chances", "--format text");
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
    if (arg == "--chances") {
      options.chances = true;
      seen_.push_back(arg);
      return std::nullopt;
    }
    if (!arg.starts_with("--")) return unexpectedArgument(arg);

    const std::size_t equals = arg.find('=');
    const std::string_view name = arg.substr(0, equals);
    const RunOption* option = runOptionNamed(name.substr(2));
    if (option == nullptr || (option->readers & kSimReads) == 0 ||
        option->grammar == OptionGrammar::Flag) {
      return unknownOption(name);
    }
    // Options other than --rate may be given only once, so that a second
    // one cannot silently override the first.
    if (option->id != RunOptionId::Rate) {
      if (given(name)) return optionGivenTwice(name);
      seen_.push_back(name);
    }
    std::string_view text;
    if (equals != std::string_view::npos) {
      text = arg.substr(equals + 1);
    } else if (next_ < args_.size()) {
      text = args_[next_++];
    } else {
      return optionNeedsValue(name);
    }
    if (option->id == RunOptionId::Rate) return addRate(options, text);
    if (option->id == RunOptionId::Chain) return setChain(options, text);
    auto value = readRunOption(option->id, text, name);
    if (auto* problem = std::get_if<std::string>(&value)) return std::move(*problem);
    const OptionValue& read = std::get<OptionValue>(value);
    switch (option->id) {
      case RunOptionId::Scenario:  // named in English or in the language spoken
        options.scenario = runOptionChoices(RunOptionId::Scenario)[read.choice];
        break;
      case RunOptionId::Ticks:
        options.ticks = read.whole;
        break;
      case RunOptionId::Seed:
        options.seed = read.whole;
        break;
      case RunOptionId::TraceEvery:
        options.traceEvery = read.whole;
        break;
      case RunOptionId::Format:
        options.format = static_cast<ReportFormat>(read.choice);
        break;
      default:
        break;
    }
    return std::nullopt;
  }

  bool given(std::string_view name) const {
    return std::find(seen_.begin(), seen_.end(), name) != seen_.end();
  }

  static std::optional<std::string> setChain(SimOptions& options, std::string_view value) {
    auto chain = loadChain(readDocument(std::string(value)));
    if (auto* problem = std::get_if<std::string>(&chain)) return *problem;
    options.chain = std::get<Chain>(std::move(chain));
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
    const std::optional<std::uint64_t> box =
        readWholeNumber(target, 0, static_cast<std::uint64_t>(kTransitionCount - 1));
    if (equals == std::string_view::npos || !box) {
      return fill(
          _("--rate needs I=TEXT with I a rate box from 0 to {most}, or FROM->TO=TEXT, "
            "not {value}"),
          {{"most", std::to_string(kTransitionCount - 1)}, {"value", quotedForDisplay(value)}});
    }
    options.rates.push_back({static_cast<int>(*box), std::string(value.substr(equals + 1)), {}});
    return std::nullopt;
  }

  std::optional<std::string> resolveTransitions(SimOptions& options) const {
    if (options.chain && given("--scenario")) return optionsExclude("--chain", "--scenario");
    const ShownStates shown =
        options.chain ? shownStates(*options.chain) : shownStates(scenarioNamed(options.scenario));
    for (RateSetting& rate : options.rates) {
      if (rate.transition.empty()) continue;
      const auto box = rateBoxIn(rate.transition, shown);
      if (const auto* problem = std::get_if<std::string>(&box)) {
        return fill(_("--rate {setting}: {problem}"),
                    {{"setting", quotedForDisplay(rate.transition + "=" + rate.text)},
                     {"problem", *problem}});
      }
      rate.box = std::get<int>(box);
    }
    return std::nullopt;
  }

  std::span<const std::string_view> args_;
  std::size_t next_ = 0;
  std::vector<std::string_view> seen_;
};

}  // namespace

ParsedOptions parseSimOptions(std::span<const std::string_view> args) {
  return OptionReader(args).read();
}

std::variant<int, std::string> rateBoxOfTransition(std::string_view transition,
                                                   const Scenario& scenario) {
  return rateBoxIn(transition, shownStates(scenario));
}

}  // namespace tessel
