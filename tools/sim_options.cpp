#include "tools/sim_options.h"

#include <charconv>
#include <limits>

#include "chain/scenarios.h"
#include "chain/transitions.h"
#include "toolkit/quoted_text.h"

namespace tessel {
namespace {

std::string scenarioChoices() {
  std::string list;
  for (const std::string_view name : kScenarioListOrder) {
    if (!list.empty()) list += ", ";
    list += '"';
    list += name;
    list += '"';
  }
  return list;
}

// A whole number written with decimal digits only: no sign, no blanks, no
// exponent, at most `largest`.
std::optional<std::uint64_t> readWholeNumber(std::string_view text, std::uint64_t largest) {
  if (text.empty()) return std::nullopt;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
  }
  std::uint64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{} || end != text.data() + text.size() || value > largest) {
    return std::nullopt;
  }
  return value;
}

class OptionReader {
 public:
  explicit OptionReader(std::span<const std::string_view> args) : args_(args) {}

  ParsedOptions read() {
    ParsedOptions parsed;
    while (next_ < args_.size() && !parsed.usageError) {
      parsed.usageError = readOne(parsed.options);
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
    if (name == "--ticks")
      return withValue(name, inlineValue, [&](std::string_view v) { return setTicks(options, v); });
    if (name == "--seed")
      return withValue(name, inlineValue, [&](std::string_view v) { return setSeed(options, v); });
    if (name == "--rate")
      return withValue(name, inlineValue, [&](std::string_view v) { return addRate(options, v); });
    if (name == "--format")
      return withValue(name, inlineValue,
                       [&](std::string_view v) { return setFormat(options, v); });
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

  // I=TEXT: the box index in decimal, then the text, which may be anything
  // (even empty or holding "=") since the window itself judges it.
  static std::optional<std::string> addRate(SimOptions& options, std::string_view value) {
    const std::size_t equals = value.find('=');
    const std::optional<std::uint64_t> box =
        equals == std::string_view::npos
            ? std::nullopt
            : readWholeNumber(value.substr(0, equals), kTransitionCount - 1);
    if (!box) {
      return "--rate needs I=TEXT with I a rate box from 0 to " +
             std::to_string(kTransitionCount - 1) + ", not " + quotedForDisplay(value);
    }
    options.rates.push_back({static_cast<int>(*box), std::string(value.substr(equals + 1))});
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
};

}  // namespace

ParsedOptions parseSimOptions(std::span<const std::string_view> args) {
  return OptionReader(args).read();
}

std::string usageText() {
  return "Usage: tessel-sim [OPTION]...\n"
         "Runs the demonstration's window logic without a display: selects the scenario,\n"
         "types the rates, clicks Start and delivers N timer ticks, then prints the visit\n"
         "counts, resting ticks and chart shares of the states the scenario shows.\n"
         "\n"
         "Options:\n"
         "  --scenario NAME  the scenario to run (default \"" +
         std::string(kDefaultScenario) + "\"), one of\n                   " + scenarioChoices() +
         "\n"
         "  --ticks N        timer ticks to deliver, 0 to " +
         std::to_string(kMaxTicks) + " (default " + std::to_string(kDefaultTicks) +
         ")\n"
         "  --seed N         random seed, 0 to 2^64-1 (default: from the clock; always printed)\n"
         "  --rate I=TEXT    type TEXT into rate box I (0 to 11) after the scenario sets its\n"
         "                   rates; may be repeated\n"
         "  --format F       text (default), csv or json\n"
         "  --help           show this text\n"
         "  --version        show the program's version\n"
         "Exit status: 0 on success, 1 when the window raised an error, 2 on a usage error.\n";
}

}  // namespace tessel
