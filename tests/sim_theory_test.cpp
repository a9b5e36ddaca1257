// tessel-sim's theory: the long-run columns, the convergence trace and the
// rates named by their transitions.

#include <gtest/gtest.h>

#include <charconv>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "chain/long_run.h"
#include "chain/scenarios.h"
#include "sim/sim_command.h"
#include "sim/sim_options.h"
#include "tests/sim_command_result.h"
#include "window/main_form.h"

namespace tessel {
namespace {

std::vector<std::string> split(std::string_view text, char separator) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find(separator, start)) != std::string_view::npos;
       start = end + 1) {
    parts.emplace_back(text.substr(start, end - start));
  }
  parts.emplace_back(text.substr(start));
  return parts;
}

double number(const std::string& text) {
  double value = 0.0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  EXPECT_TRUE(error == std::errc{} && end == text.data() + text.size()) << '"' << text << '"';
  return value;
}

// The chain's long run for the scenario's own rates, from Blue.
StateChances scenarioLongRun(const std::string& scenario) {
  auto random = ClockSeededRandom::withFixedSeed(0);
  MainForm form(random, NumberFormat{});
  form.handle(FormEvent::Load);
  form.typeScenario(scenario);
  const auto draw =
      readDrawRates(form.controls().rateBoxes, form.controls().moveTimer.interval, NumberFormat{});
  EXPECT_TRUE(draw.has_value());
  return longRunShares(draw.value_or(DrawRates{}), kBlue);
}

TEST(SimTheory, EveryFormatGivesTheLongRunAndTheContinuousTimeShares) {
  const std::vector<std::string_view> queue{
      "--scenario", "Four Element Queue", "--ticks", "0", "--seed", "1"};
  std::vector<std::string_view> args = queue;
  args.insert(args.end(), {"--format", "json"});
  const CommandResult json = runCommand(args);
  ASSERT_EQ(json.status, kExitSuccess) << json.err;
  const auto states = nlohmann::json::parse(json.out).at("states");
  ASSERT_EQ(states.size(), 4U);

  // Up at 2 and down at 3 everywhere: the textbook chain's shares go as
  // 1, 2/3, 4/9, 8/27.
  const double continuous[] = {27.0 / 65, 18.0 / 65, 12.0 / 65, 8.0 / 65};
  const StateChances longRun = scenarioLongRun("Four Element Queue");
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_NEAR(states[i].at("continuous_time_share").get<double>(), continuous[i], 1e-12) << i;
    EXPECT_EQ(states[i].at("long_run_share").get<double>(), longRun[i]) << i;
  }
  // The difference the README explains: the empty queue, left slowest, gets
  // 1.6 points less than the textbook says.
  EXPECT_NEAR(continuous[0] - longRun[0], 0.016, 0.0005);

  args = queue;
  args.insert(args.end(), {"--format", "csv"});
  const std::vector<std::string> csv = split(runCommand(args).out, '\n');
  const std::vector<std::string> heading = split(csv[0], ',');
  ASSERT_EQ(heading.size(), 12U);
  EXPECT_EQ(heading[10], "long_run_share");
  EXPECT_EQ(heading[11], "continuous_time_share");
  for (std::size_t i = 0; i < 4; ++i) {
    const std::vector<std::string> row = split(csv[i + 1], ',');
    EXPECT_EQ(number(row[10]), states[i].at("long_run_share").get<double>());
    EXPECT_EQ(number(row[11]), states[i].at("continuous_time_share").get<double>());
  }

  const std::string text = runCommand(queue).out;
  EXPECT_NE(text.find("Share  Long run  Chart %"), std::string::npos) << text;
  EXPECT_NE(text.find("0.0000    0.3996"), std::string::npos) << text;
}

TEST(SimTheory, RatesThatCannotBeReadGiveNoLongRun) {
  const std::vector<std::string_view> bad{"--rate", "3=abc", "--ticks", "0", "--seed", "1"};
  std::vector<std::string_view> args = bad;
  args.insert(args.end(), {"--format", "json"});
  const auto states = nlohmann::json::parse(runCommand(args).out).at("states");
  EXPECT_TRUE(states[0].at("long_run_share").is_null());
  EXPECT_TRUE(states[0].at("continuous_time_share").is_null());
  args = bad;
  args.insert(args.end(), {"--format", "csv"});
  EXPECT_EQ(split(runCommand(args).out, '\n')[1], "One Phone,1,0,0,Blue,Off Phone,0,0,0,100,,");
  EXPECT_NE(runCommand(bad).out.find("0.0000         -      100"), std::string::npos);
}

// "Mutual Silence" leaves only for "Double Talk", at 1e-15 next to rates of
// 1: a chance of 4e-18 an attempt, far below one step of the random numbers,
// so it fires as often as one step, 2^-24. Then "Talking B" and "Double
// Talk" swap at equal rates for ever. The theory that took the chance itself
// said the chain never leaves "Mutual Silence"; the draw leaves it after
// about 420,000 ticks on average, so in 3,000,000 ticks it stays with chance
// e^-7.2 (0.08 %). Once out, tens of thousands of swaps split the ticks
// evenly: the split's standard error is under 0.5 %, so 2 % is a wide margin.
TEST(SimTheory, SimulationLeavesAStateThatOnlyTheRandomGridLetsGo) {
  std::vector<std::string_view> args{"--scenario", "Conversation", "--ticks", "3000000", "--seed",
                                     "1",          "--format",     "json"};
  for (const std::string_view rate : {"0=-1", "2=-1", "3=-1", "4=-1", "5=-1", "7=-1", "9=-1",
                                      "10=-1", "11=-1", "8=1e-15", "6=1", "1=1"}) {
    args.insert(args.end(), {"--rate", rate});
  }
  const auto states = nlohmann::json::parse(runCommand(args).out).at("states");
  ASSERT_EQ(states.size(), 4U);
  const std::vector<double> theory{0.0, 0.0, 0.5, 0.5};
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(states[i].at("long_run_share").get<double>(), theory[i]) << i;
  }
  const double talkingB = states[2].at("share").get<double>();
  const double doubleTalk = states[3].at("share").get<double>();
  ASSERT_GT(talkingB + doubleTalk, 0.0) << "the chain never left Mutual Silence";
  EXPECT_NEAR(talkingB / (talkingB + doubleTalk), 0.5, 0.02);
}

TEST(SimTrace, WritesEachStatesShareEveryNTicksAndAtTheEnd) {
  const std::vector<std::string_view> office{"--scenario", "Office", "--ticks",
                                             "2500",       "--seed", "3"};
  std::vector<std::string_view> args = office;
  args.insert(args.end(), {"--format", "json"});
  const auto report = nlohmann::json::parse(runCommand(args).out).at("states");
  args = office;
  args.insert(args.end(), {"--trace-every", "1000"});
  const CommandResult trace = runCommand(args);
  ASSERT_EQ(trace.status, kExitSuccess) << trace.err;

  std::vector<std::string> lines = split(trace.out, '\n');
  ASSERT_EQ(lines.back(), "");
  lines.pop_back();
  ASSERT_EQ(lines.size(), 4U) << trace.out;
  EXPECT_EQ(
      lines[0],
      "tick,share_blue,share_purple,share_green,long_run_blue,long_run_purple,long_run_green");
  const char* ticks[] = {"1000", "2000", "2500"};
  for (std::size_t r = 1; r < lines.size(); ++r) {
    const std::vector<std::string> row = split(lines[r], ',');
    ASSERT_EQ(row.size(), 7U);
    EXPECT_EQ(row[0], ticks[r - 1]);
    EXPECT_NEAR(number(row[1]) + number(row[2]) + number(row[3]), 1.0, 1e-12);
    for (std::size_t i = 0; i < 3; ++i) {
      EXPECT_EQ(number(row[4 + i]), report[i].at("long_run_share").get<double>());
      // The last row is where the run ends: the report's own shares.
      if (r + 1 == lines.size()) {
        EXPECT_EQ(number(row[1 + i]), report[i].at("share").get<double>());
      }
    }
  }
  EXPECT_EQ(runCommand({"--ticks", "0", "--trace-every", "5", "--format", "csv"}).out,
            "tick,share_blue,share_purple,long_run_blue,long_run_purple\n");
}

TEST(SimTrace, NeedsAPositiveStepAndCsv) {
  const std::vector<std::string_view> bad[] = {
      {"--trace-every", "0"}, {"--trace-every", "x"}, {"--trace-every", "5", "--format", "json"}};
  for (const auto& args : bad) {
    const CommandResult result = runCommand(args);
    EXPECT_EQ(result.status, kExitUsage) << args.back();
    EXPECT_NE(result.err.find("--trace-every"), std::string::npos) << result.err;
  }
}

TEST(SimNamedRates, NameTheTransitionByItsStatesInAnyCase) {
  const Scenario& receptionist = scenarioNamed("Receptionist");
  const std::pair<std::string_view, int> named[] = {
      {"Bored->On Phone", 7}, {" bored -> ON PHONE ", 7}, {"Blue->Green", 7},
      {"On Phone->Bored", 2}, {"With Visitor->blue", 4},  {"Purple->Green", 10},
  };
  for (const auto& [transition, box] : named) {
    const auto found = rateBoxOfTransition(transition, receptionist);
    ASSERT_TRUE(std::holds_alternative<int>(found)) << std::get<std::string>(found);
    EXPECT_EQ(std::get<int>(found), box) << transition;
  }
}

TEST(SimNamedRates, AWrongNameListsTheTransitionsTheScenarioShows) {
  const std::string shows =
      "; the transitions it shows are Bored->With Visitor (Blue->Purple), With Visitor->Bored "
      "(Purple->Blue), Bored->On Phone (Blue->Green), On Phone->Bored (Green->Blue)";
  const std::pair<std::string_view, std::string> wrong[] = {
      {"Bored->Sleeping", "no state is called \"Sleeping\" in \"Receptionist\""},
      {"Bored->bored", "\"Bored->bored\" joins a state to itself"},
      {"Bored", "\"Bored\" is not FROM->TO"},
  };
  for (const auto& [transition, problem] : wrong) {
    const auto found = rateBoxOfTransition(transition, scenarioNamed("Receptionist"));
    ASSERT_TRUE(std::holds_alternative<std::string>(found)) << transition;
    EXPECT_EQ(std::get<std::string>(found), problem + shows);
  }
  // A scenario that gave Blue the name "Green" would make "Green" ambiguous.
  const Scenario mixed{"Mixed", {2}, {"Green", "Blue", "", ""}, {}, {0, 1}};
  const auto found = rateBoxOfTransition("Green->Purple", mixed);
  ASSERT_TRUE(std::holds_alternative<std::string>(found));
  EXPECT_EQ(
      std::get<std::string>(found).rfind("\"Green\" names more than one state in \"Mixed\"", 0),
      0U);
}

TEST(SimNamedRates, ReachTheWindowAndItsMessages) {
  const CommandResult unknown =
      runCommand({"--rate", "Bored->Sleeping=2", "--scenario", "Receptionist"});
  EXPECT_EQ(unknown.status, kExitUsage);
  EXPECT_EQ(unknown.err.rfind("tessel-sim: --rate \"Bored->Sleeping=2\": no state is called", 0),
            0U)
      << unknown.err;

  // The scenario comes after the rate; the empty text reaches the box of
  // Bored -> On Phone, and the window's message names that transition.
  const CommandResult empty =
      runCommand({"--rate", "Bored->On Phone=", "--scenario", "Receptionist", "--seed", "1"});
  EXPECT_EQ(empty.status, kExitRunFailed);
  EXPECT_NE(
      empty.err.find(": The rate from \"Bored\" to \"On Phone\" is empty; it needs a number.\n"),
      std::string::npos)
      << empty.err;
}

}  // namespace
}  // namespace tessel

namespace tessel {
namespace {

// A chain file in the test's scratch folder.
std::string chainFile(const std::string& name, const std::string& document) {
  const std::filesystem::path path = std::filesystem::temp_directory_path() / name;
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << document;
  return path.string();
}

TEST(SimChain, RunsAsThePresetWithTheSameRatesWhereTheStatesMatch) {
  const std::string office =
      chainFile("sim-office.tessel",
                R"({"format": "tessel-chain", "version": 1, "title": "My Office",
          "states": ["Working at Desk", "On Phone", "Out"],
          "rates": {"Working at Desk->On Phone": 1, "On Phone->Working at Desk": 8,
                    "Out->Working at Desk": 2, "Working at Desk->Out": 0.25}})");
  const CommandResult chain = runCommand(
      {"--chain", office, "--ticks", "50000", "--seed", "4", "--rate", "out->on phone=2"});
  const CommandResult preset = runCommand({"--scenario", "Office", "--ticks", "50000", "--seed",
                                           "4", "--rate", "7=0.25", "--rate", "Green->Purple=2"});
  ASSERT_EQ(chain.status, kExitSuccess) << chain.err;
  ASSERT_EQ(preset.status, kExitSuccess) << preset.err;
  const auto body = [](const std::string& out) { return out.substr(out.find('\n')); };
  EXPECT_EQ(body(chain.out), body(preset.out));
  EXPECT_NE(chain.out.find("Scenario: My Office"), std::string::npos) << chain.out;
}

TEST(SimChain, ABadFileIsAUsageErrorWithTheWindowsMessage) {
  // However deep the file lies, the message names the file itself.
  const std::string bad = chainFile("home/teacher/Documents/Lessons/Week 3/weather.tessel",
                                    R"({"format": "tessel-chain", "version": 3})");
  const CommandResult result = runCommand({"--chain", bad});
  EXPECT_EQ(result.status, kExitUsage);
  EXPECT_NE(result.err.find("tessel-sim: Cannot open \"weather.tessel\": it is version 3 of the "
                            "chain format; this program reads version 1."),
            std::string::npos)
      << result.err;
  EXPECT_EQ(runCommand({"--chain", bad + ".missing"}).status, kExitUsage);
  const std::string good = chainFile(
      "sim-good.tessel",
      R"({"format": "tessel-chain", "version": 1, "title": "T", "states": ["A", "B"], "rates": {}})");
  EXPECT_NE(runCommand({"--chain", good, "--scenario", "Office"}).err.find("cannot go together"),
            std::string::npos);
  EXPECT_NE(runCommand({"--chain", good, "--rate", "A->C=1"}).err.find("no state is called \"C\""),
            std::string::npos);
}

}  // namespace
}  // namespace tessel
