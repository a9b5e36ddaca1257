#include "sim/sim_command.h"

#include <optional>
#include <variant>

#include "sim/progress_bar.h"
#include "sim/sim_options.h"
#include "sim/sim_report.h"
#include "sim/sim_run.h"
#include "toolkit/quoted_text.h"
#include "toolkit/text.h"
#include "toolkit/version.h"
#include "window/commands.h"
#include "window/help_texts.h"

namespace tessel {

int runSimCommand(std::span<const std::string_view> args, std::ostream& out, std::ostream& err,
                  const CommandContext& context) {
  const ParsedOptions parsed = parseSimOptions(args);
  if (parsed.usageError) {
    err << "tessel-sim: " << *parsed.usageError << "\n\n" << simUsage();
    return kExitUsage;
  }
  const SimOptions& options = parsed.options;
  if (options.help || options.version) {
    if (options.help) {
      out << simUsage();
    } else {
      out << "tessel-sim " << kVersion << '\n';
    }
    if (out.flush()) return kExitSuccess;
    err << "tessel-sim: "
        << uiText(options.help ? UiText::HelpNotWritten : UiText::VersionNotWritten) << '\n';
    return kExitRunFailed;
  }

  const std::uint64_t seed =
      options.seed ? *options.seed : (context.clockSeed ? context.clockSeed() : 0);
  const SimJob job{options.chain ? options.chain->title : options.scenario,
                   options.ticks,
                   seed,
                   options.rates,
                   options.traceEvery.value_or(0),
                   options.chain};

  std::optional<ProgressBar> bar;
  ProgressCallback progress;
  if (context.progressOnTerminal) {
    bar.emplace(err, job.ticks, context.terminalColumns);
    progress = [&bar](std::uint64_t done) { bar->update(done); };
  }
  // A trace goes out row by row as the run goes (on a terminal line by
  // line); it takes the report's place.
  TraceSink trace;
  if (options.traceEvery) {
    trace.begin = [&out](const SimReport& start) { out << traceHeading(start); };
    trace.row = [&out](std::uint64_t tick, const SimReport& soFar) {
      out << traceRow(tick, soFar);
    };
  }
  const SimOutcome outcome = runSimulation(job, progress, trace);
  if (bar) bar->clear();

  if (const auto* failure = std::get_if<SimFailure>(&outcome)) {
    err << "tessel-sim: "
        << fill(_("the window raised an error {where} (scenario {scenario}, seed {seed}): "
                  "{message}"),
                {{"where", failure->where},
                 {"scenario", quotedForDisplay(job.chain ? job.scenario : _(job.scenario))},
                 {"seed", std::to_string(job.seed)},
                 {"message", failure->message}})
        << '\n';
    return kExitRunFailed;
  }
  if (!options.traceEvery) out << formatReport(std::get<SimReport>(outcome), options.format);
  if (options.chances) out << formatChances(std::get<SimReport>(outcome));
  if (!out.flush()) {
    err << "tessel-sim: " << _("could not write the report") << '\n';
    return kExitRunFailed;
  }
  return kExitSuccess;
}

}  // namespace tessel
