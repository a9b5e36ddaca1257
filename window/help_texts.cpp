#include "window/help_texts.h"

#include "chain/scenarios.h"
#include "toolkit/text.h"
#include "window/run_speed.h"

namespace tessel {

CommandLineHelp demoHelp() {
  CommandLineHelp help;
  help.description =
      _("Tessel Demo: an interactive classroom demonstration of a chain that hops at random\n"
        "between up to four states. Without options it opens its window.");
  const auto least = [](RunOptionId id) { return limitText(runOption(id).least); };
  const auto most = [](RunOptionId id) { return limitText(runOption(id).most); };
  help.options = {
      {RunOptionId::Help, _("Show this text and exit.")},
      {RunOptionId::Version, _("Show the program's version and exit.")},
      {RunOptionId::Screenshot,
       _("Save a PNG picture of the window to FILE and exit, instead of waiting for the user.")},
      {RunOptionId::Scenario,
       fill(_("With --screenshot: pick the scenario NAME from the list first, one of {choices}."),
            {{"choices", choicesText(RunOptionId::Scenario)}})},
      {RunOptionId::CountSeconds,
       fill(_("With --screenshot: click \"Start\" and let the chain run for S seconds ({least} to "
              "{most}) before the picture is taken."),
            {{"least", least(RunOptionId::CountSeconds)},
             {"most", most(RunOptionId::CountSeconds)}})},
      {RunOptionId::CountTicks,
       fill(_("With --screenshot: click \"Start\" and count exactly N timer ticks ({least} to "
              "{most}) before the picture is taken; the counts then equal tessel-sim's for the "
              "same scenario, seed and ticks. Not with --count-seconds."),
            {{"least", least(RunOptionId::CountTicks)}, {"most", most(RunOptionId::CountTicks)}})},
      {RunOptionId::Speed,
       fill(_("With --screenshot: run at speed S, one of {choices}: the ticks each timer event "
              "runs (the chain is the same at every speed)."),
            {{"choices", choicesText(RunOptionId::Speed)}})},
      {RunOptionId::Seed,
       fill(_("With --screenshot: seed the random numbers with N ({least} to {most}) instead of "
              "the clock, so that the picture repeats."),
            {{"least", least(RunOptionId::Seed)}, {"most", most(RunOptionId::Seed)}})},
      {RunOptionId::LongRun,
       _("With --screenshot: show the long-run marks on the chart, whatever the window last "
         "remembered.")},
      {RunOptionId::View,
       fill(_("With --screenshot: show VIEW in the chart's place, one of {choices}."),
            {{"choices", choicesText(RunOptionId::View)}})},
      {RunOptionId::Size,
       fill(_("With --screenshot: make the window W by H pixels (each {least} to {most}), the "
              "form scaled to fit, for example 1920x1080."),
            {{"least", least(RunOptionId::Size)}, {"most", most(RunOptionId::Size)}})},
  };
  help.filesName = "FILE";
  help.filesHelp =
      _("Chain files (.tessel) to open into the scenario list; the last one is picked.");
  help.filesSyntax = "[FILE...]";
  return help;
}

std::string simUsage() {
  return fill(
      _("Usage: tessel-sim [OPTION]...\n"
        "Runs the demonstration's window logic without a display: selects the scenario,\n"
        "types the rates, clicks Start and delivers N timer ticks, then prints the visit\n"
        "counts, resting ticks and chart shares of the states the scenario shows, with\n"
        "the long-run shares the chart settles to.\n"
        "\n"
        "Options:\n"
        "  --scenario NAME  the scenario to run (default \"{default_scenario}\"), one of\n"
        "                   {scenarios}\n"
        "  --chain FILE     open the chain in FILE (a .tessel document) and run it instead,\n"
        "                   exactly as the window runs it\n"
        "  --ticks N        timer ticks to deliver, 0 to {most_ticks} (default {default_ticks})\n"
        "  --seed N         random seed, 0 to 2^64-1 (default: from the clock; always printed)\n"
        "  --rate I=TEXT    type TEXT into rate box I (0 to 11) after the scenario sets its\n"
        "                   rates; may be repeated\n"
        "  --rate FROM->TO=TEXT\n"
        "                   the same for the rate from state FROM to state TO, by colour\n"
        "                   or by the scenario's or chain's name: --rate \"Bored->On Phone=2\"\n"
        "  --format F       text (default), csv or json\n"
        "  --trace-every N  instead of the report, write CSV: every N ticks each state's\n"
        "                   share so far, beside its long-run share\n"
        "  --chances        under the text report, the chances of one resting tick's step\n"
        "                   from each shown state to each (json always has them)\n"
        "  --help           show this text\n"
        "  --version        show the program's version\n"
        "Exit status: 0 on success, 1 when the window raised an error, 2 on a usage error.\n"),
      {{"default_scenario", _(kScenarioListOrder[0])},
       {"scenarios", choicesText(RunOptionId::Scenario)},
       {"most_ticks", std::to_string(kMostRunTicks)},
       {"default_ticks", std::to_string(kDefaultRunTicks)}});
}

}  // namespace tessel
