#include "sim/sim_run.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "chain/long_run.h"
#include "chain/transitions.h"
#include "toolkit/numbers.h"
#include "toolkit/text.h"
#include "window/session.h"
#include "window/view_pictures.h"

namespace tessel {
namespace {

std::string errorMessage(const MainForm& form) {
  const auto& error = form.lastError();
  return error ? error->what() : _("the window reported an error without a message");
}

// A count the window keeps as a double, as a whole number. Counts here stay
// far below 2^53, where doubles are exact; anything that is not a
// non-negative finite number reads as 0 rather than overflow the conversion.
std::uint64_t wholeCount(double value) {
  if (!std::isfinite(value) || value < 0.0) return 0;
  constexpr double kBeyond = 18446744073709551616.0;  // 2^64
  if (value >= kBeyond) return std::numeric_limits<std::uint64_t>::max();
  return static_cast<std::uint64_t>(value);
}

// The theory for the rates as typed, for the state the chain starts in.
struct Theory {
  StateChances longRun{};
  StateChances continuousTime{};
  std::vector<std::vector<double>> stepChances;
};

std::optional<Theory> theoryOf(const MainForm& form, const NumberFormat& format) {
  const FormControls& controls = form.controls();
  const std::optional<DrawRates> draw =
      readDrawRates(controls.rateBoxes, controls.moveTimer.interval, format);
  const std::optional<int> start = stateIndex(form.variables().currentState);
  const std::optional<StepChances> step = tessel::stepChances(form);
  if (!draw || !start || !step) return std::nullopt;
  return Theory{longRunShares(*draw, *start), continuousTimeShares(*draw, *start), step->matrix};
}

SimReport readReport(const SimJob& job, const MainForm& form, std::uint64_t jumps,
                     const std::optional<Theory>& theory) {
  const FormControls& controls = form.controls();
  const FormVariables& vars = form.variables();
  double total = 0.0;
  for (const double ticks : vars.occupancy) total += ticks;

  SimReport report{
      job.scenario, job.seed, job.ticks, jumps, {}, job.chain ? job.scenario : _(job.scenario), {}};
  for (int state = 0; state < kStateCount; ++state) {
    const auto i = static_cast<std::size_t>(state);
    if (!controls.circles[i].visible) continue;
    const double resting = vars.occupancy[i];
    report.states.push_back(
        {std::string(kStateNames[i]), controls.nameLabels[i].caption,
         wholeCount(readLeadingNumber(controls.visitCounts[i].caption)), wholeCount(resting),
         total > 0.0 ? resting / total : 0.0, controls.shareLabels[i].caption,
         theory ? std::optional(theory->longRun[i]) : std::nullopt,
         theory ? std::optional(theory->continuousTime[i]) : std::nullopt, form.stateName(state)});
  }
  if (theory) report.stepChances = theory->stepChances;
  return report;
}

}  // namespace

SimOutcome runSimulation(const SimJob& job, const ProgressCallback& progress,
                         const TraceSink& trace) {
  const NumberFormat format = NumberFormat::fromEnvironment();
  Session session({job.seed, format});
  const MainForm& form = session.form();

  if (!session.load()) return SimFailure{_("while loading the window"), 0, errorMessage(form)};
  if (job.chain) {
    session.openChain(*job.chain);
    if (form.lastError()) return SimFailure{_("while opening the chain"), 0, errorMessage(form)};
  } else {
    const std::vector<std::string> scenarios = runOptionChoices(RunOptionId::Scenario);
    const auto found = std::find(scenarios.begin(), scenarios.end(), job.scenario);
    if (!session.pickEntry(static_cast<std::size_t>(found - scenarios.begin()))) {
      return SimFailure{_("while selecting the scenario"), 0, errorMessage(form)};
    }
  }
  for (const RateSetting& rate : job.rates) session.typeRate(rate.box, rate.text);
  // The rates stay as typed for the whole run, and so does the theory.
  const std::optional<Theory> theory = theoryOf(form, format);
  session.perform({Command::StartStop});
  if (form.lastError()) return SimFailure{_("when clicking Start"), 0, errorMessage(form)};
  const bool tracing = job.traceEvery > 0 && trace.row;
  if (tracing && trace.begin) trace.begin(readReport(job, form, 0, theory));

  // The ticks go in frames as a fast window runs them: the chain advances
  // tick by tick, and the captions and the chart are written once a frame.
  // A frame ends where a progress report or a trace row is due.
  constexpr std::uint64_t kNever = std::numeric_limits<std::uint64_t>::max();
  constexpr std::uint64_t kLongestFrame = 4096;
  std::uint64_t done = 0;
  std::uint64_t nextProgress = kProgressStride;
  std::uint64_t nextTrace = tracing ? job.traceEvery : kNever;
  const std::uint64_t jumpsBefore = form.jumps();
  while (done < job.ticks) {
    const std::uint64_t frameEnd =
        std::min({job.ticks, nextProgress, nextTrace, done + kLongestFrame});
    const int frame = static_cast<int>(frameEnd - done);
    const int ran = session.runTicks(frame);
    done += static_cast<std::uint64_t>(ran);
    if (form.lastFrameFailed()) {
      // A frame stops at the tick that failed, and counts it as run.
      return SimFailure{
          fill(_("at tick {tick} of {ticks}"),
               {{"tick", std::to_string(done)}, {"ticks", std::to_string(job.ticks)}}),
          done, errorMessage(form)};
    }
    const std::uint64_t jumps = form.jumps() - jumpsBefore;
    if (tracing && (done == nextTrace || done == job.ticks)) {
      trace.row(done, readReport(job, form, jumps, theory));
    }
    if (done == nextTrace)
      nextTrace = nextTrace > kNever - job.traceEvery ? kNever : nextTrace + job.traceEvery;
    if (done == nextProgress || done == job.ticks) {
      if (progress) progress(done);
      nextProgress += kProgressStride;
    }
  }
  return readReport(job, form, form.jumps() - jumpsBefore, theory);
}

}  // namespace tessel
