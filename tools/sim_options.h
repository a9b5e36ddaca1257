#pragma once

// The command line of tessel-sim: what to run, for how long, with which seed
// and rates, and how to print the result.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tessel {

// Runs longer than this are refused: ten billion ticks already take hours.
inline constexpr std::uint64_t kMaxTicks = 10'000'000'000;
inline constexpr std::uint64_t kDefaultTicks = 100'000;
inline constexpr std::string_view kDefaultScenario = "One Phone";

enum class ReportFormat { Text, Csv, Json };

// One --rate I=TEXT: the text typed into rate box I before the run starts.
struct RateSetting {
  int box = 0;
  std::string text;
};

struct SimOptions {
  std::string scenario{kDefaultScenario};
  std::uint64_t ticks = kDefaultTicks;
  std::optional<std::uint64_t> seed;  // none: taken from the clock
  std::vector<RateSetting> rates;     // in the order given
  ReportFormat format = ReportFormat::Text;
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

// The short usage text printed with --help and after a usage error.
std::string usageText();

}  // namespace tessel
