#pragma once

// The two programs' own help: tessel-demo's --help and tessel-sim's usage,
// from the table of run options. Only the native programs show them: the
// page's core leaves their translations out (cmake/translations.cmake).

#include <string>
#include <utility>
#include <vector>

#include "window/run_options.h"

namespace tessel {

// tessel-demo's --help: what it is, its options in the table's order with
// their help, and its arguments.
struct CommandLineHelp {
  std::string description;
  std::vector<std::pair<RunOptionId, std::string>> options;  // the demo's, with their help
  std::string filesName;                                     // the files' place: FILE
  std::string filesHelp;
  std::string filesSyntax;  // [FILE...]
};
CommandLineHelp demoHelp();

// tessel-sim's usage text, printed with --help and after a usage error.
std::string simUsage();

}  // namespace tessel
