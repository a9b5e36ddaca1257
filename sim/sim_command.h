#pragma once

// The whole of tessel-sim as a function, so that tests can run it with
// string streams and read its exit status.

#include <cstdint>
#include <functional>
#include <ostream>
#include <span>
#include <string_view>

namespace tessel {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitRunFailed = 1;
inline constexpr int kExitUsage = 2;

struct CommandContext {
  // The seed to use when none is given; called only then.
  std::function<std::uint64_t()> clockSeed;
  // Whether `err` is a terminal that may show a progress bar, and its width
  // in columns (asked at every redraw, so that the bar follows a resize).
  bool progressOnTerminal = false;
  std::function<int()> terminalColumns;
};

// Reads the arguments (without the program name), runs, prints the report on
// `out` and errors on `err`; returns the exit status.
int runSimCommand(std::span<const std::string_view> args, std::ostream& out, std::ostream& err,
                  const CommandContext& context);

}  // namespace tessel
