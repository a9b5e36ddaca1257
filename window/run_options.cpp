#include "window/run_options.h"

#include <algorithm>
#include <charconv>
#include <limits>

#include "chain/scenarios.h"
#include "toolkit/numbers.h"
#include "toolkit/quoted_text.h"
#include "toolkit/text.h"
#include "window/run_speed.h"

namespace tessel {
namespace {

constexpr std::uint64_t kLargestSeed = std::numeric_limits<std::uint64_t>::max();

constexpr std::array<RunOption, 17> kRunOptions{{
    {RunOptionId::Help, "help", OptionGrammar::Flag, 0, 0, nullptr, kDemoReads | kSimReads},
    {RunOptionId::Version, "version", OptionGrammar::Flag, 0, 0, nullptr, kDemoReads | kSimReads},
    {RunOptionId::Screenshot, "screenshot", OptionGrammar::Text, 0, 0, "FILE", kDemoReads},
    {RunOptionId::Scenario, "scenario", OptionGrammar::Choice, 0, 0, "NAME",
     kDemoReads | kSimReads | kPageReads},
    {RunOptionId::Chain, "chain", OptionGrammar::Text, 0, 0, "FILE", kSimReads | kPageReads},
    {RunOptionId::Ticks, "ticks", OptionGrammar::WholeNumber, 0, kMostRunTicks, "N", kSimReads},
    {RunOptionId::CountSeconds, "count-seconds", OptionGrammar::Decimal, 0, kLongestCountSeconds,
     "S", kDemoReads},
    {RunOptionId::CountTicks, "count-ticks", OptionGrammar::WholeNumber, 1,
     static_cast<std::uint64_t>(kMostCountedTicks), "N", kDemoReads | kPageReads},
    {RunOptionId::Speed, "speed", OptionGrammar::Choice, 0, 0, "S", kDemoReads | kPageReads},
    {RunOptionId::Seed, "seed", OptionGrammar::WholeNumber, 0, kLargestSeed, "N",
     kDemoReads | kSimReads | kPageReads},
    {RunOptionId::Rate, "rate", OptionGrammar::Text, 0, 0, "I=TEXT", kSimReads},
    {RunOptionId::Format, "format", OptionGrammar::Choice, 0, 0, "F", kSimReads},
    {RunOptionId::TraceEvery, "trace-every", OptionGrammar::WholeNumber, 1, kMostRunTicks, "N",
     kSimReads},
    {RunOptionId::LongRun, "long-run", OptionGrammar::Flag, 0, 1, nullptr, kDemoReads | kPageReads},
    {RunOptionId::View, "view", OptionGrammar::Choice, 0, 0, "VIEW", kDemoReads | kPageReads},
    {RunOptionId::Size, "size", OptionGrammar::Size, 1, kLargestWindowSide, "WxH", kDemoReads},
    {RunOptionId::Language, "lang", OptionGrammar::Text, 0, 0, "LANGUAGE", kPageReads},
}};

}  // namespace

std::string limitText(std::uint64_t limit) {
  return limit == kLargestSeed ? std::string("2^64-1") : std::to_string(limit);
}

std::optional<std::uint64_t> readWholeNumber(std::string_view text, std::uint64_t least,
                                             std::uint64_t most) {
  if (text.empty() ||
      !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return std::nullopt;
  }
  std::uint64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{} || end != text.data() + text.size() || value < least || value > most) {
    return std::nullopt;
  }
  return value;
}

namespace {

// Digits with at most one point among or after them: no sign, blank or
// exponent.
std::optional<double> plainDecimal(std::string_view text, double most) {
  const std::size_t point = text.find('.');
  const std::string_view whole = text.substr(0, point);
  const std::string_view fraction =
      point == std::string_view::npos ? std::string_view{} : text.substr(point + 1);
  const auto digits = [](std::string_view part) {
    return std::all_of(part.begin(), part.end(), [](char c) { return c >= '0' && c <= '9'; });
  };
  if (whole.empty() || !digits(whole) || !digits(fraction)) return std::nullopt;
  const StrictReading reading = readStrictNumber(text, NumberFormat{});
  if (reading.status != StrictStatus::Number || reading.value > most) return std::nullopt;
  return reading.value;
}

std::string refusal(const RunOption& option, std::string_view text, std::string_view spelled) {
  // By grammar, in OptionGrammar's order.
  constexpr std::array<const char*, 6> kRefusals{
      N_("{option} needs 0 or 1, not {value}"),
      N_("{option} needs a whole number from {least} to {most}, not {value}"),
      N_("{option} needs a number from {least} to {most}, not {value}"),
      N_("{option} needs one of {choices}, not {value}"),
      N_("{option} needs WxH, each from {least} to {most}, not {value}"),
      N_("{option} needs a file name"),
  };
  return fill(_(kRefusals.at(static_cast<std::size_t>(option.grammar))),
              {{"option", std::string(spelled)},
               {"least", limitText(option.least)},
               {"most", limitText(option.most)},
               {"choices", choicesText(option.id)},
               {"value", quotedForDisplay(text)}});
}

}  // namespace

const std::array<RunOption, 17>& runOptionTable() {
  return kRunOptions;
}

const RunOption& runOption(RunOptionId id) {
  for (const RunOption& option : kRunOptions) {
    if (option.id == id) return option;
  }
  return kRunOptions.front();
}

const RunOption* runOptionNamed(std::string_view name) {
  for (const RunOption& option : kRunOptions) {
    if (option.name == name) return &option;
  }
  return nullptr;
}

std::vector<std::string> runOptionChoices(RunOptionId id) {
  std::vector<std::string> choices;
  if (id == RunOptionId::Scenario) {
    for (const std::string_view name : kScenarioListOrder) choices.emplace_back(name);
  } else if (id == RunOptionId::Speed) {
    for (const RunSpeed& speed : kRunSpeeds) choices.emplace_back(speed.name);
  } else if (id == RunOptionId::Format) {
    choices = {"text", "csv", "json"};
  } else if (id == RunOptionId::View) {
    choices = {"chart", "history", "chances"};
  }
  return choices;
}

std::string choicesText(RunOptionId id) {
  std::string text;
  for (const std::string& choice : runOptionChoices(id)) {
    if (!text.empty()) text += ", ";
    text += id == RunOptionId::Scenario ? '"' + _(choice) + '"' : choice;
  }
  return text;
}

std::variant<OptionValue, std::string> readRunOption(RunOptionId id, std::string_view text,
                                                     std::string_view spelled) {
  const RunOption& option = runOption(id);
  OptionValue value;
  switch (option.grammar) {
    case OptionGrammar::Flag:
      if (text != "0" && text != "1") return refusal(option, text, spelled);
      value.whole = text == "1" ? 1 : 0;
      return value;
    case OptionGrammar::WholeNumber:
      if (const auto whole = readWholeNumber(text, option.least, option.most)) {
        value.whole = *whole;
        return value;
      }
      return refusal(option, text, spelled);
    case OptionGrammar::Decimal:
      if (const auto number = plainDecimal(text, static_cast<double>(option.most))) {
        value.number = *number;
        return value;
      }
      return refusal(option, text, spelled);
    case OptionGrammar::Choice: {
      // A scenario is named in English or in the language spoken.
      const std::vector<std::string> choices = runOptionChoices(id);
      for (std::size_t i = 0; i < choices.size(); ++i) {
        if (choices[i] == text || (id == RunOptionId::Scenario && _(choices[i]) == text)) {
          value.choice = i;
          return value;
        }
      }
      return refusal(option, text, spelled);
    }
    case OptionGrammar::Size: {
      const std::size_t x = text.find('x');
      const auto width = readWholeNumber(text.substr(0, x), option.least, option.most);
      const auto height = x == std::string_view::npos
                              ? std::nullopt
                              : readWholeNumber(text.substr(x + 1), option.least, option.most);
      if (!width || !height) return refusal(option, text, spelled);
      value.width = static_cast<int>(*width);
      value.height = static_cast<int>(*height);
      return value;
    }
    case OptionGrammar::Text:
      if (text.empty() && id == RunOptionId::Screenshot) return refusal(option, text, spelled);
      value.text = text;
      return value;
  }
  return refusal(option, text, spelled);
}

std::string unknownOption(std::string_view typed) {
  return fill(_("unknown option {option}"), {{"option", quotedForDisplay(typed)}});
}

std::string unexpectedArgument(std::string_view typed) {
  return fill(_("unexpected argument {argument}"), {{"argument", quotedForDisplay(typed)}});
}

std::string optionNeedsValue(std::string_view spelled) {
  return fill(_("{option} needs a value"), {{"option", std::string(spelled)}});
}

std::string optionGivenTwice(std::string_view spelled) {
  return fill(_("{option} is given more than once"), {{"option", std::string(spelled)}});
}

std::string optionsExclude(std::string_view spelled, std::string_view other) {
  return fill(_("{option} and {other} cannot go together"),
              {{"option", std::string(spelled)}, {"other", std::string(other)}});
}

std::string optionOnlyWith(std::string_view spelled, std::string_view needed) {
  return fill(_("{option} works only with {needed}"),
              {{"option", std::string(spelled)}, {"needed", std::string(needed)}});
}

std::string demoTryHelp() {
  return _("Try \"tessel-demo --help\" for the options.");
}

RunSetup readAddress(std::span<const std::pair<std::string, std::string>> parameters) {
  RunSetup setup;
  const auto given = [&](RunOptionId id) -> const std::string* {
    for (const auto& [name, value] : parameters) {
      if (name == runOption(id).name) return &value;
    }
    return nullptr;
  };
  // Each option read with the grammar of the table, a refusal kept in turn.
  const auto read = [&](RunOptionId id) -> std::optional<OptionValue> {
    const std::string* text = given(id);
    if (text == nullptr) return std::nullopt;
    auto value = readRunOption(id, *text, runOption(id).name);
    if (auto* problem = std::get_if<std::string>(&value)) {
      setup.problems.push_back(std::move(*problem));
      return std::nullopt;
    }
    return std::get<OptionValue>(std::move(value));
  };

  if (const auto seed = read(RunOptionId::Seed)) setup.seed = seed->whole;
  // The address's names in the order its help has always listed them.
  constexpr std::array<RunOptionId, 8> kAddressOrder{
      RunOptionId::Scenario,   RunOptionId::Seed,  RunOptionId::Speed,    RunOptionId::LongRun,
      RunOptionId::CountTicks, RunOptionId::Chain, RunOptionId::Language, RunOptionId::View};
  std::string names;
  for (const RunOptionId id : kAddressOrder) {
    if (!names.empty()) names += ", ";
    names += runOption(id).name;
  }
  for (const auto& [name, value] : parameters) {
    const RunOption* option = runOptionNamed(name);
    if (option == nullptr || (option->readers & kPageReads) == 0) {
      setup.problems.push_back(fill(_("{name} is not one of {names}"),
                                    {{"name", quotedForDisplay(name)}, {"names", names}}));
    }
  }
  if (const auto longRun = read(RunOptionId::LongRun)) setup.longRun = longRun->whole == 1;
  if (const auto scenario = read(RunOptionId::Scenario)) setup.scenario = scenario->choice;
  if (const auto chain = read(RunOptionId::Chain)) setup.chain = chain->text;
  if (const auto language = read(RunOptionId::Language)) setup.language = language->text;
  if (const auto speed = read(RunOptionId::Speed)) setup.speed = speed->choice;
  if (const auto view = read(RunOptionId::View)) setup.view = view->choice;
  if (const auto ticks = read(RunOptionId::CountTicks)) {
    setup.countTicks = static_cast<long long>(ticks->whole);
  }
  return setup;
}

PageLanguage pageLanguage(const RunSetup& address, std::string_view picked,
                          std::span<const std::string> browser) {
  PageLanguage chosen;
  const auto speaks = [](std::string_view tag) {
    const std::vector<std::string> one{std::string(tag)};
    const std::string match = matchLanguage(one);
    // "en" answers both English and a language not spoken.
    return match != "en" || tag.substr(0, 2) == "en" ? std::optional(match) : std::nullopt;
  };
  for (const std::optional<std::string>& tag :
       {address.language, std::optional<std::string>(picked)}) {
    if (!tag || tag->empty()) continue;
    if (const auto match = speaks(*tag)) {
      chosen.code = *match;
      chosen.asked = true;
      return chosen;
    }
    if (tag == address.language && !chosen.refused) chosen.refused = *tag;
  }
  chosen.code = matchLanguage(browser);
  return chosen;
}

std::string addressNotUnderstood(std::string_view problem) {
  return fill(_("The page's address is not understood: {problem}."),
              {{"problem", std::string(problem)}});
}

}  // namespace tessel
