// tessel-sim: runs the demonstration's window logic without a display and
// prints what the counters and the chart show. See usageText() for the options.

#include <sys/ioctl.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <string_view>
#include <vector>

#include "sim/progress_bar.h"
#include "sim/sim_command.h"
#include "toolkit/text.h"

namespace {

int terminalColumns() {
  winsize size{};
  if (ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) return size.ws_col;
  if (const char* columns = std::getenv("COLUMNS")) {
    const int value = std::atoi(columns);
    if (value > 0) return value;
  }
  return 80;
}

// Ctrl-C or a termination request during a run with a progress bar: the bar's
// line is blanked, so that the shell's prompt does not land in the middle of
// it, and the signal then ends the program as it would have.
extern "C" void clearProgressLineAndStop(int signal) {
  constexpr std::string_view clear = tessel::ProgressBar::kClearLine;
  [[maybe_unused]] const ssize_t written = write(STDERR_FILENO, clear.data(), clear.size());
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

}  // namespace

int main(int argc, char** argv) {
  // The system's language, as gettext would pick it; English where it is
  // none the program speaks. CSV and JSON stay in English whatever it is.
  tessel::setLanguage(tessel::matchLanguage(tessel::systemLanguages()));
  const std::vector<std::string_view> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  tessel::CommandContext context;
  context.clockSeed = [] {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    return static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::nanoseconds>(now).count());
  };
  context.progressOnTerminal = isatty(STDERR_FILENO) == 1;
  if (context.progressOnTerminal) {
    context.terminalColumns = terminalColumns;
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
      std::signal(signal, clearProgressLineAndStop);
    }
  }
  return tessel::runSimCommand(args, std::cout, std::cerr, context);
}
