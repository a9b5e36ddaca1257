// tessel-sim: runs the demonstration's window logic without a display and
// prints what the counters and the chart show. See usageText() for the options.

#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <iostream>
#include <string_view>
#include <vector>

#include "tools/sim_command.h"

int main(int argc, char** argv) {
  const std::vector<std::string_view> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  tessel::CommandContext context;
  context.clockSeed = [] {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    return static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::nanoseconds>(now).count());
  };
  context.progressOnTerminal = isatty(STDERR_FILENO) == 1;
  return tessel::runSimCommand(args, std::cout, std::cerr, context);
}
