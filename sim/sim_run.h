#pragma once

// Runs the demonstration's window logic without a display: the real MainForm,
// driven by the same events the view sends.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "sim/sim_options.h"
#include "sim/sim_report.h"

namespace tessel {

struct SimJob {
  std::string scenario{kScenarioListOrder[0]};  // the list's text; the chain's title with a chain
  std::uint64_t ticks = kDefaultRunTicks;
  std::uint64_t seed = 0;
  std::vector<RateSetting> rates;
  std::uint64_t traceEvery = 0;  // 0: no trace
  std::optional<Chain> chain;    // opened and run instead of the scenario
};

// The window raised an error: where (before the ticks, or at which tick,
// counted from 1) and the window's own message.
struct SimFailure {
  std::string where;       // "while selecting the scenario", "at tick 12 of 100", ...
  std::uint64_t tick = 0;  // 0 when the error came before the first tick
  std::string message;
};

using SimOutcome = std::variant<SimReport, SimFailure>;

// Called with the number of ticks delivered so far, every kProgressStride
// ticks, so that a progress display can look at the clock now and then
// without slowing the run.
using ProgressCallback = std::function<void(std::uint64_t ticksDone)>;
inline constexpr std::uint64_t kProgressStride = 65536;

// Where a trace goes: `begin` once the rates are typed, with the report as
// it stands then (shown states, long-run shares), and `row` every
// job.traceEvery ticks and after the last, with the tick and the report so far.
struct TraceSink {
  std::function<void(const SimReport& start)> begin;
  std::function<void(std::uint64_t tick, const SimReport& soFar)> row;
};

// Loads the window with a random source seeded with job.seed, selects the
// scenario, types the rates, clicks Start and delivers job.ticks timer ticks;
// stops at the first error the window raises.
SimOutcome runSimulation(const SimJob& job, const ProgressCallback& progress = {},
                         const TraceSink& trace = {});

}  // namespace tessel
