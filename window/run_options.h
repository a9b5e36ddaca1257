#pragma once

// The options that set up a run, once for every front-end: tessel-demo's
// command line (--seed 5), tessel-sim's, and the page's address (?seed=5).
// Each option has one grammar, its limits from the program's own constants,
// and one wording for every refusal, whichever front-end reads it.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace tessel {

// The most ticks a window can be asked to count, and a headless run to run:
// ten billion ticks already take hours.
inline constexpr long long kMostCountedTicks = 1'000'000'000;
inline constexpr std::uint64_t kMostRunTicks = 10'000'000'000;
inline constexpr std::uint64_t kDefaultRunTicks = 100'000;
// The longest a screenshot's run may count, in seconds, and its largest side.
inline constexpr std::uint64_t kLongestCountSeconds = 3600;
inline constexpr std::uint64_t kLargestWindowSide = 10000;

enum class RunOptionId {
  Help,
  Version,
  Screenshot,
  Scenario,
  Chain,
  Ticks,
  CountSeconds,
  CountTicks,
  Speed,
  Seed,
  Rate,
  Format,
  TraceEvery,
  LongRun,
  Size,
  Language,
  View,
};

enum class OptionGrammar {
  Flag,         // present or not; 0 or 1 in an address
  WholeNumber,  // the digits 0 to 9 only, from `least` to `most`
  Decimal,      // digits with at most one point, from `least` to `most`
  Choice,       // one of a list, exactly
  Size,         // WxH, each a whole number from `least` to `most`
  Text,         // anything; a file name, a chain document, a rate setting
};

// Who reads an option.
enum RunOptionReaders : unsigned { kDemoReads = 1U, kSimReads = 2U, kPageReads = 4U };

struct RunOption {
  RunOptionId id;
  std::string_view name;  // --name on a command line, name=... in an address
  OptionGrammar grammar;
  std::uint64_t least;
  std::uint64_t most;
  const char* valueName;  // how a command line's help names the value: N, NAME
  unsigned readers;
};

const std::array<RunOption, 17>& runOptionTable();
const RunOption& runOption(RunOptionId id);
// The option called `name`; none when there is none.
const RunOption* runOptionNamed(std::string_view name);

// A Choice option's choices, in order, in English.
std::vector<std::string> runOptionChoices(RunOptionId id);
// The choices as a message names them: the scenarios in the language
// spoken, quoted and joined by commas ("One Phone", "Receptionist", ...);
// speeds and formats bare: 1, 2, ..., max.
std::string choicesText(RunOptionId id);

// What an option's text reads as; which member counts follows its grammar.
struct OptionValue {
  std::uint64_t whole = 0;  // WholeNumber; Flag in an address (0 or 1)
  double number = 0.0;      // Decimal
  std::size_t choice = 0;   // Choice: by place in runOptionChoices
  int width = 0;            // Size
  int height = 0;
  std::string text;  // Text
};

// A whole number written with the digits 0 to 9 only (no sign, blank or
// exponent), from `least` to `most`; none for anything else.
std::optional<std::uint64_t> readWholeNumber(std::string_view text, std::uint64_t least,
                                             std::uint64_t most);

// Reads `text` as the value of option `id`, spelled `spelled` ("--seed" on
// a command line, "seed" in an address); or the refusal in a sentence:
// "--seed needs a whole number from 0 to 2^64-1, not "x"".
std::variant<OptionValue, std::string> readRunOption(RunOptionId id, std::string_view text,
                                                     std::string_view spelled);

// The refusals every reader of options words alike.
std::string unknownOption(std::string_view typed);
std::string unexpectedArgument(std::string_view typed);
std::string optionNeedsValue(std::string_view spelled);
std::string optionGivenTwice(std::string_view spelled);
std::string optionsExclude(std::string_view spelled, std::string_view other);
std::string optionOnlyWith(std::string_view spelled, std::string_view needed);
// What tessel-demo writes under a usage error.
std::string demoTryHelp();

// What the page's address asks for: each option where it is given and
// readable, and each refusal, in the order the page reads them.
struct RunSetup {
  std::optional<std::uint64_t> seed;
  std::optional<std::size_t> scenario;  // by place in the scenario list
  std::optional<std::size_t> speed;     // by place in kRunSpeeds
  std::optional<bool> longRun;
  std::optional<std::size_t> view;  // by place in kViews
  std::optional<long long> countTicks;
  std::optional<std::string> chain;        // a chain document, in the address
  std::optional<std::string> linkedChain;  // one a share link's fragment carries
  std::optional<std::string> language;     // a language tag the address asks for
  std::vector<std::string> problems;
};
// The parameters as the address gives them, names and values decoded; a
// name given twice counts once, as given first.
RunSetup readAddress(std::span<const std::pair<std::string, std::string>> parameters);
// The strip's sentence for the first problem of an address.
// A limit as a message gives it: 2^64-1 for the largest seed, which no one
// reads in its twenty digits.
std::string limitText(std::uint64_t limit);

std::string addressNotUnderstood(std::string_view problem);

// The language a page speaks: the one its address asks for where the
// program speaks it, else the one its user picked before (`picked`, "" for
// none), else the first of the browser's languages it speaks; English
// where none is. `asked` tells whether the address or the user chose it,
// and `refused` holds a language the address asked for in vain.
struct PageLanguage {
  std::string code;
  bool asked = false;
  std::optional<std::string> refused;
};
PageLanguage pageLanguage(const RunSetup& address, std::string_view picked,
                          std::span<const std::string> browser);

}  // namespace tessel
