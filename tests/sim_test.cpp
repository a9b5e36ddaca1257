#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "chain/scenarios.h"
#include "display/views.h"
#include "sim/progress_bar.h"
#include "sim/sim_command.h"
#include "sim/sim_options.h"
#include "sim/sim_report.h"
#include "sim/sim_run.h"
#include "tests/sim_command_result.h"
#include "toolkit/text.h"
#include "toolkit/version.h"
#include "window/session.h"

namespace tessel {
namespace {

ParsedOptions parse(const std::vector<std::string_view>& args) {
  return parseSimOptions(args);
}

SimReport reportOf(const SimJob& job) {
  SimOutcome outcome = runSimulation(job);
  if (const auto* failure = std::get_if<SimFailure>(&outcome)) {
    ADD_FAILURE() << failure->where << ": " << failure->message;
    return {};
  }
  return std::get<SimReport>(outcome);
}

// --- Options

TEST(SimOptions, DefaultsAndEveryOption) {
  const ParsedOptions defaults = parse({});
  ASSERT_FALSE(defaults.usageError) << *defaults.usageError;
  EXPECT_EQ(defaults.options.scenario, "One Phone");
  EXPECT_EQ(defaults.options.ticks, 100000U);
  EXPECT_FALSE(defaults.options.seed);
  EXPECT_TRUE(defaults.options.rates.empty());
  EXPECT_EQ(defaults.options.format, ReportFormat::Text);
  EXPECT_FALSE(defaults.options.help);

  const ParsedOptions all =
      parse({"--scenario", "Four Element Queue", "--ticks=0", "--seed", "18446744073709551615",
             "--rate", "11=2,5", "--rate=0=a=b", "--rate", "03=", "--format", "json"});
  ASSERT_FALSE(all.usageError) << *all.usageError;
  EXPECT_EQ(all.options.scenario, "Four Element Queue");
  EXPECT_EQ(all.options.ticks, 0U);
  EXPECT_EQ(all.options.seed, UINT64_MAX);
  std::vector<std::pair<int, std::string>> rates;
  for (const RateSetting& rate : all.options.rates) rates.emplace_back(rate.box, rate.text);
  EXPECT_EQ(rates, (std::vector<std::pair<int, std::string>>{{11, "2,5"}, {0, "a=b"}, {3, ""}}));
  EXPECT_EQ(all.options.format, ReportFormat::Json);

  for (const std::string_view name : kScenarioListOrder) {
    EXPECT_EQ(parse({"--scenario", name}).options.scenario, name);
  }
  EXPECT_EQ(parse({"--ticks", "10000000000"}).options.ticks, kMostRunTicks);
  EXPECT_EQ(parse({"--format", "csv"}).options.format, ReportFormat::Csv);
  EXPECT_EQ(parse({"--format=text"}).options.format, ReportFormat::Text);
  EXPECT_TRUE(parse({"--help"}).options.help);
  EXPECT_TRUE(parse({"-h"}).options.help);
}

TEST(SimOptions, RejectsBadArguments) {
  struct BadValues {
    std::string_view option;
    std::vector<std::string_view> values;
    std::string_view mentions;  // part of the message
  };
  // clang-format off
  const BadValues badValues[] = {
      {"--scenario", {"Two Phones", "one phone", "One Phone ", ""}, "--scenario needs one of \"One Phone\""},
      {"--rate", {"3", "=1", "-1=1", "+1=1", "x=1", " 1=1", "12=1", "99999999999999999999=1"},
       "--rate needs I=TEXT with I a rate box from 0 to 11"},
      {"--ticks", {"-1", "", "abc", "1e5", "+5", " 5", "5 ", "1.0", "10000000001",
                   "99999999999999999999999"}, "--ticks needs a whole number from 0 to 10000000000"},
      {"--seed", {"-1", "18446744073709551616", "0x10", ""}, "--seed needs a whole number"},
      {"--format", {"xml", "JSON", ""}, "--format needs one of text, csv, json"},
  };
  // clang-format on
  for (const BadValues& bad : badValues) {
    for (const std::string_view value : bad.values) {
      // Both spellings: "--ticks 5" and "--ticks=5".
      const std::string joined = std::string(bad.option) + "=" + std::string(value);
      for (const auto& args :
           {std::vector{bad.option, value}, std::vector<std::string_view>{joined}}) {
        const ParsedOptions parsed = parse(args);
        ASSERT_TRUE(parsed.usageError) << args.front() << " \"" << value << '"';
        EXPECT_NE(parsed.usageError->find(bad.mentions), std::string::npos) << *parsed.usageError;
        EXPECT_NE(parsed.usageError->find('"' + std::string(value) + '"'), std::string::npos)
            << *parsed.usageError;
      }
    }
  }
  const std::pair<std::vector<std::string_view>, std::string_view> badLines[] = {
      {{"--bogus"}, "unknown option \"--bogus\""},
      {{"--bogus\x1B[2J\xE2\x80\xAE"}, R"(unknown option "--bogus\x1B[2J\u202E")"},
      {{"-t", "5"}, "unexpected argument \"-t\""},
      {{"Office"}, "unexpected argument \"Office\""},
      {{"--scenario"}, "--scenario needs a value"},
      {{"--ticks", "5", "--ticks", "6"}, "--ticks is given more than once"},
      {{"--format=csv", "--format", "csv"}, "--format is given more than once"},
      {{"--chances", "--format", "json"}, "--chances works only with --format text"},
      {{"--trace-every", "5", "--chances"}, "--chances works only with --format text"},
  };
  for (const auto& [args, message] : badLines) {
    EXPECT_EQ(parse(args).usageError.value_or("(accepted)"), message);
  }
}

TEST(SimCommand, UsageErrorsExitWithStatusTwoAndListTheScenarios) {
  const CommandResult result = runCommand({"--scenario", "Two Phones", "--ticks", "10"});
  EXPECT_EQ(result.status, kExitUsage);
  EXPECT_TRUE(result.out.empty());
  EXPECT_NE(result.err.find("Usage: tessel-sim"), std::string::npos);
  for (const std::string_view name : kScenarioListOrder) {
    EXPECT_NE(result.err.find('"' + std::string(name) + '"'), std::string::npos) << name;
  }
  EXPECT_EQ(runCommand({"--format", "yaml"}).status, kExitUsage);
  EXPECT_EQ(runCommand({"--rate", "12=1"}).status, kExitUsage);

  const CommandResult help = runCommand({"--help"});
  EXPECT_EQ(help.status, kExitSuccess);
  EXPECT_NE(help.out.find("Usage: tessel-sim"), std::string::npos);
  EXPECT_TRUE(help.err.empty());

  const CommandResult version = runCommand({"--version"});
  EXPECT_EQ(version.status, kExitSuccess);
  EXPECT_EQ(version.out, "tessel-sim " + std::string(kVersion) + "\n");
}

// --- Runs

TEST(SimRun, SameSeedGivesTheSameReport) {
  for (const char* format : {"text", "csv", "json"}) {
    const std::vector<std::string_view> args{"--scenario", "Conversation", "--ticks",  "5000",
                                             "--seed",     "42",           "--format", format};
    const CommandResult first = runCommand(args);
    const CommandResult second = runCommand(args);
    ASSERT_EQ(first.status, kExitSuccess) << first.err;
    EXPECT_EQ(first.out, second.out) << format;
  }
  // A different seed gives a different run.
  const SimReport a = reportOf({"Conversation", 5000, 42, {}, 0, {}});
  SimReport b = reportOf({"Conversation", 5000, 43, {}, 0, {}});
  b.seed = a.seed;
  EXPECT_NE(formatReport(a, ReportFormat::Json), formatReport(b, ReportFormat::Json));
}

TEST(SimRun, SeedFromTheClockIsPrinted) {
  const CommandResult result = runCommand({"--ticks", "100"});
  ASSERT_EQ(result.status, kExitSuccess) << result.err;
  EXPECT_NE(result.out.find("seed: 777"), std::string::npos) << result.out;
  EXPECT_EQ(result.out, runCommand({"--ticks", "100", "--seed", "777"}).out);
}

// Every tick is either a resting tick (counted in one state) or one of the
// ten ticks that draw a move along its arc. Moves that arrived are the visits;
// only the last move can still be on its way, with 0 to 10 of its frames drawn.
TEST(SimRun, TicksVisitsAndJumpsAddUpInEveryScenario) {
  for (const std::string_view scenario : kScenarioListOrder) {
    for (const std::uint64_t ticks : {0ULL, 1ULL, 11ULL, 12345ULL}) {
      SCOPED_TRACE(std::string(scenario) + ", " + std::to_string(ticks) + " ticks");
      const SimReport report = reportOf({std::string(scenario), ticks, 9, {}, 0, {}});
      std::uint64_t resting = 0;
      std::uint64_t visits = 0;
      double shares = 0.0;
      for (const StateRow& row : report.states) {
        resting += row.restingTicks;
        visits += row.visits;
        shares += row.share;
      }
      ASSERT_LE(resting, ticks);
      const std::uint64_t frames = ticks - resting;
      EXPECT_TRUE(report.jumps == visits || report.jumps == visits + 1) << report.jumps;
      if (report.jumps == visits) {
        EXPECT_EQ(frames, 10 * visits);
      } else {
        EXPECT_GE(frames, 10 * visits);
        EXPECT_LE(frames, 10 * visits + 10);
      }
      if (ticks > 0) {
        EXPECT_GT(resting, 0U);
        EXPECT_NEAR(shares, 1.0, 1e-12);
      } else {
        EXPECT_EQ(report.jumps, 0U);
        EXPECT_EQ(shares, 0.0);
      }
      if (ticks >= 12345) {
        EXPECT_GT(report.jumps, 0U);
      }
    }
  }
}

TEST(SimRun, ShowsTheScenariosStatesInOrderWithTheirNames) {
  for (const Scenario& scenario : kScenarios) {
    SCOPED_TRACE(std::string(scenario.name));
    const SimReport report = reportOf({std::string(scenario.name), 5000, 3, {}, 0, {}});
    EXPECT_EQ(report.scenario, scenario.name);
    std::vector<std::string> states;
    std::vector<std::string> names;
    for (const StateRow& row : report.states) {
      states.push_back(row.state);
      names.push_back(row.name);
    }
    std::vector<std::string> expectedStates;
    std::vector<std::string> expectedNames;
    for (std::size_t i = 0; i < kStateCount; ++i) {
      if (scenario.stateNames[i].empty()) continue;
      expectedStates.emplace_back(kStateNames[i]);
      expectedNames.emplace_back(scenario.stateNames[i]);
    }
    EXPECT_EQ(states, expectedStates);
    EXPECT_EQ(names, expectedNames);
    // Each row's percentage label is its own share, rounded half up.
    for (const StateRow& row : report.states) {
      EXPECT_EQ(row.percentLabel,
                " " + std::to_string(static_cast<int>(std::floor(row.share * 100.0 + 0.5))))
          << row.state;
    }
  }
  const CommandResult onePhone = runCommand({"--ticks", "500", "--seed", "1", "--format", "csv"});
  ASSERT_EQ(onePhone.status, kExitSuccess) << onePhone.err;
  EXPECT_EQ(std::count(onePhone.out.begin(), onePhone.out.end(), '\n'), 3);
  EXPECT_NE(onePhone.out.find(",Blue,Off Phone,"), std::string::npos);
  EXPECT_NE(onePhone.out.find(",Purple,On Phone,"), std::string::npos);
  EXPECT_EQ(onePhone.out.find("Green"), std::string::npos);
  EXPECT_EQ(onePhone.out.find("Cyan"), std::string::npos);
}

TEST(SimRun, RatesTakeEffect) {
  // One Phone with no way back from Purple: after the first jump it stays.
  const SimReport stuck = reportOf({"One Phone", 5000, 5, {{4, "0", {}}}, 0, {}});
  ASSERT_EQ(stuck.states.size(), 2U);
  EXPECT_EQ(stuck.jumps, 1U);
  EXPECT_EQ(stuck.states[1].visits, 1U);
  EXPECT_GT(stuck.states[1].restingTicks, stuck.states[0].restingTicks);
}

TEST(SimRun, AnUnreadableRateFailsWithTheBoxAndTheTick) {
  struct Case {
    std::vector<std::string_view> args;
    std::string_view box;
  };
  const Case cases[] = {
      {{"--rate", "3=abc", "--seed", "1"}, "The rate from \"Off Phone\" to \"On Phone\""},
      {{"--scenario", "Office", "--rate", "9=", "--seed", "1"},
       "The rate from \"Cyan\" to \"Working at Desk\""},
      {{"--rate", "3=1", "--rate", "11=1.2.3", "--seed", "1"},
       "The rate from \"Green\" to \"On Phone\""},
  };
  for (const Case& c : cases) {
    const CommandResult result = runCommand(c.args);
    EXPECT_EQ(result.status, kExitRunFailed);
    EXPECT_TRUE(result.out.empty()) << result.out;
    EXPECT_NE(result.err.find(c.box), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("at tick 1 of 100000"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("seed 1"), std::string::npos) << result.err;
  }
  // A later rate setting for the same box replaces the bad text.
  EXPECT_EQ(runCommand({"--rate", "3=abc", "--rate", "3=2", "--ticks", "100"}).status,
            kExitSuccess);
  const SimOutcome outcome = runSimulation({"One Phone", 10, 1, {{2, "x", {}}}, 0, {}});
  ASSERT_TRUE(std::holds_alternative<SimFailure>(outcome));
  EXPECT_EQ(std::get<SimFailure>(outcome).tick, 1U);
}

// --- Output

TEST(SimReportFormat, JsonIsOneObjectWithTheReportsFields) {
  const CommandResult result = runCommand({"--scenario", "Four Element Queue", "--ticks", "5000",
                                           "--seed", "18446744073709551615", "--format", "json"});
  ASSERT_EQ(result.status, kExitSuccess) << result.err;
  const nlohmann::json json = nlohmann::json::parse(result.out);
  const SimReport report = reportOf({"Four Element Queue", 5000, UINT64_MAX, {}, 0, {}});
  ASSERT_EQ(report.states.size(), 4U);
  nlohmann::json expected{{"scenario", "Four Element Queue"},
                          {"seed", UINT64_MAX},
                          {"ticks", 5000},
                          {"jumps", report.jumps},
                          {"states", nlohmann::json::array()}};
  for (const StateRow& row : report.states) {
    EXPECT_EQ(row.percentLabel.front(), ' ');  // the caption as shown, its blank included
    // Numbers are written so that they read back to the very same double.
    expected["states"].push_back(
        {{"state", row.state},
         {"name", row.name},
         {"visits", row.visits},
         {"resting_ticks", row.restingTicks},
         {"share", row.share},
         {"percent_label", row.percentLabel},
         {"long_run_share", row.longRunShare.value_or(-1.0)},
         {"continuous_time_share", row.continuousTimeShare.value_or(-1.0)}});
  }
  ASSERT_TRUE(report.stepChances);
  expected["step_chances"] = *report.stepChances;
  EXPECT_EQ(json, expected);
}

TEST(SimReportFormat, EscapesStringsAndFields) {
  const std::pair<std::string_view, std::string_view> json[] = {
      {"plain", "plain"},
      {"say \"hi\"", "say \\\"hi\\\""},
      {"a\\b", "a\\\\b"},
      {"1\n2\t3\r", "1\\n2\\t3\\r"},
      {std::string_view("\x01\x1f\x7f", 3), "\\u0001\\u001f\\u007f"},
      {"Gr\xc3\xbcn", "Gr\xc3\xbcn"}};
  for (const auto& [text, escaped] : json) EXPECT_EQ(jsonEscaped(text), escaped);

  const std::pair<std::string_view, std::string_view> csv[] = {{"Queue Empty", "Queue Empty"},
                                                               {"a,b", "\"a,b\""},
                                                               {"say \"hi\"", "\"say \"\"hi\"\"\""},
                                                               {"two\nlines", "\"two\nlines\""},
                                                               {"", ""}};
  for (const auto& [text, field] : csv) EXPECT_EQ(csvField(text), field);

  // Awkward names survive a round trip through the JSON output.
  SimReport report{"A \"quoted\", odd\\name", 1, 2, 0, {}, "", {}};
  report.states.push_back(
      {"Blue", "line\nbreak\t\x02", 0, 0, 0.0, " 0", std::nullopt, std::nullopt, ""});
  report.states.push_back({"Purple", "\xE2\x80\x9CSch\xC3\xB6n\xE2\x80\x9D \xF0\x9F\x93\x9E", 0, 0,
                           0.0, " 0", std::nullopt, std::nullopt, ""});
  const auto parsed = nlohmann::json::parse(formatReport(report, ReportFormat::Json));
  EXPECT_EQ(parsed.at("scenario"), report.scenario);
  EXPECT_EQ(parsed.at("states").at(0).at("name"), report.states[0].name);
  EXPECT_EQ(parsed.at("states").at(1).at("name"), report.states[1].name);
  EXPECT_TRUE(parsed.at("states").at(0).at("long_run_share").is_null()) << "no theory, no number";
  const std::string csvText = formatReport(report, ReportFormat::Csv);
  EXPECT_NE(csvText.find("\"A \"\"quoted\"\", odd\\name\",1,2,0,Blue,"), std::string::npos)
      << csvText;
}

TEST(SimRun, TheTraceWritesTheSharesTheWindowsHistoryKeeps) {
  // The trace's row at every tick, by the ticks counted then.
  std::map<std::uint64_t, std::vector<double>> traced;
  TraceSink sink;
  sink.row = [&traced](std::uint64_t, const SimReport& soFar) {
    std::uint64_t counted = 0;
    std::vector<double> shares;
    for (const StateRow& row : soFar.states) {
      counted += row.restingTicks;
      shares.push_back(row.share);
    }
    traced.emplace(counted, shares);
  };
  const SimOutcome outcome = runSimulation({"Office", 30000, 4, {}, 1, {}}, {}, sink);
  ASSERT_TRUE(std::holds_alternative<SimReport>(outcome));

  Session session({4, NumberFormat::fromEnvironment()});
  session.load();
  session.pickEntry(2);  // Office
  session.perform({Command::StartStop});
  session.runTicks(30000);
  const std::vector<ShareHistory::Point>& kept = session.form().shareHistory().points();
  ASSERT_GT(kept.size(), 200U);
  for (const ShareHistory::Point& point : kept) {
    const auto row = traced.find(point.ticks);
    ASSERT_NE(row, traced.end()) << point.ticks;
    for (std::size_t i = 0; i < row->second.size(); ++i) {
      EXPECT_EQ(point.shares[i], row->second[i]) << "state " << i << " at " << point.ticks;
    }
  }
}

TEST(SimReportFormat, ChancesFollowTheReportAsATable) {
  const CommandResult result =
      runCommand({"--scenario", "Receptionist", "--ticks", "10", "--seed", "8", "--chances"});
  ASSERT_EQ(result.status, kExitSuccess) << result.err;
  const SimReport report = reportOf({"Receptionist", 10, 8, {}, 0, {}});
  ASSERT_TRUE(report.stepChances);
  const std::string table = result.out.substr(result.out.find("One resting tick's chances"));
  std::istringstream lines(table);
  std::string line;
  std::getline(lines, line);  // the sentence
  std::getline(lines, line);  // the heads
  for (const std::vector<double>& row : *report.stepChances) {
    ASSERT_TRUE(std::getline(lines, line));
    for (const double chance : row)
      EXPECT_NE(line.find(chanceText(chance)), std::string::npos) << line;
  }
  EXPECT_FALSE(std::getline(lines, line)) << "nothing after the table";
}

TEST(SimReportFormat, TextTableIsAligned) {
  const CommandResult result =
      runCommand({"--scenario", "Receptionist", "--ticks", "3000", "--seed", "8"});
  ASSERT_EQ(result.status, kExitSuccess) << result.err;
  std::istringstream lines(result.out);
  std::string header;
  std::getline(lines, header);
  EXPECT_EQ(header.rfind("Scenario: Receptionist   seed: 8   ticks: 3000   jumps: ", 0), 0U);
  std::vector<std::string> table;
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty()) table.push_back(line);
  }
  ASSERT_EQ(table.size(), 4U);  // headings and three states
  // Right-aligned columns end where their headings end.
  for (const std::string& line : table) EXPECT_EQ(line.size(), table[0].size()) << line;
  EXPECT_EQ(table[1].rfind("Blue    Bored", 0), 0U) << table[1];
}

// The numbers a text holds, in order.
std::vector<std::string> numbersIn(const std::string& text) {
  std::vector<std::string> numbers;
  std::string number;
  for (const char c : text + " ") {
    if ((c >= '0' && c <= '9') || (c == '.' && !number.empty())) {
      number += c;
    } else if (!number.empty()) {
      numbers.push_back(number);
      number.clear();
    }
  }
  return numbers;
}

// In every language the runner takes the scenario's and the states' names
// in that language and counts what it counts in English: its CSV and JSON,
// which scripts read, stay byte for byte the same, while its text report
// and its refusals are in the language's words.
TEST(SimLanguages, EveryLanguageCountsAsEnglishInItsOwnWords) {
  const auto run = [](const std::string& scenario, const std::string& rate, const char* format) {
    return runCommand({"--scenario", scenario, "--rate", rate, "--seed", "9", "--ticks", "50000",
                       "--format", format});
  };
  const std::array<const char*, 3> formats{"text", "csv", "json"};
  std::vector<CommandResult> english;
  for (const char* format : formats) {
    english.push_back(run("Conversation", "Mutual Silence->Talking A=2.5", format));
  }
  const CommandResult refusedInEnglish = run("Nowhere", "0=1", "csv");
  for (const Language& language : languages()) {
    if (language.code == "en") continue;
    ASSERT_TRUE(setLanguage(language.code));
    const std::string rate = _("Mutual Silence") + "->" + _("Talking A") + "=2.5";
    for (std::size_t i = 0; i < formats.size(); ++i) {
      const CommandResult result = run(_("Conversation"), rate, formats[i]);
      ASSERT_EQ(result.status, kExitSuccess) << language.code << ": " << result.err;
      if (i > 0) {
        EXPECT_EQ(result.out, english[i].out) << language.code << " " << formats[i];
        continue;
      }
      EXPECT_EQ(numbersIn(result.out), numbersIn(english[0].out)) << result.out;
      for (const char* word : {"Visits", "Mutual Silence", "Conversation"}) {
        EXPECT_NE(result.out.find(_(word)), std::string::npos) << language.code << " " << word;
      }
    }
    const CommandResult refused = run("Nowhere", "0=1", "csv");
    EXPECT_EQ(refused.status, refusedInEnglish.status);
    EXPECT_NE(refused.err, refusedInEnglish.err) << language.code;
  }
  setLanguage("en");
}

TEST(ProgressBarTest, StaysQuietForASecondThenDrawsAndClears) {
  using std::chrono::milliseconds;
  std::chrono::steady_clock::time_point now{};
  std::ostringstream terminal;
  ProgressBar bar(
      terminal, 1000, [] { return 80; }, [&now] { return now; });

  now += milliseconds(900);
  bar.update(100);
  bar.clear();
  EXPECT_EQ(terminal.str(), "");  // a short run leaves no trace

  now += milliseconds(200);
  bar.update(500);
  EXPECT_NE(terminal.str().find("50%"), std::string::npos) << terminal.str();
  const std::size_t drawn = terminal.str().size();
  now += milliseconds(100);
  bar.update(600);  // too soon to redraw
  EXPECT_EQ(terminal.str().size(), drawn);
  now += milliseconds(300);
  bar.update(2000);  // beyond the total counts as done
  EXPECT_NE(terminal.str().find("100%  1000 / 1000 ticks"), std::string::npos) << terminal.str();
  bar.clear();
  EXPECT_TRUE(terminal.str().ends_with("\r\033[K"));
}

// Every drawing stays within one column less than the terminal's width, so
// the terminal never wraps it; the bar keeps at most 40 marks.
TEST(ProgressBarTest, FitsTheTerminalsWidth) {
  for (const int columns : {120, 80, 60, 40, 30, 20, 8, 1}) {
    std::chrono::steady_clock::time_point now{};
    std::ostringstream terminal;
    ProgressBar bar(
        terminal, 10'000'000'000, [columns] { return columns; }, [&now] { return now; });
    now += std::chrono::seconds(2);
    bar.update(5'000'000'000);
    std::string line = terminal.str();
    ASSERT_TRUE(line.starts_with("\r") && line.ends_with("\033[K")) << line;
    line = line.substr(1, line.size() - 4);
    EXPECT_LT(line.size(), static_cast<std::size_t>(std::max(columns, 1))) << columns;
    if (const std::size_t end = line.find(']'); end != std::string::npos) {
      EXPECT_LE(end, 41U) << line;
    }
    if (columns >= 20) {
      EXPECT_NE(line.find("] 50%"), std::string::npos) << line;
    }
  }
}

}  // namespace
}  // namespace tessel
