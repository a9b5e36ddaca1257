#pragma once

#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "sim/sim_command.h"

namespace tessel {

// What tessel-sim printed and returned for one command line.
struct CommandResult {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs tessel-sim's command in-process, with the clock's seed fixed at 777
// and no terminal, so that the output depends on the arguments alone.
inline CommandResult runCommand(const std::vector<std::string_view>& args) {
  std::ostringstream out;
  std::ostringstream err;
  CommandContext context;
  context.clockSeed = [] { return std::uint64_t{777}; };
  const int status = runSimCommand(args, out, err, context);
  return {status, out.str(), err.str()};
}

}  // namespace tessel
