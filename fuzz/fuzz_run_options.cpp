// The readers of run options fed whatever a command line or an address can
// hold: tessel-sim's arguments and the page's address parameters, names
// and values alike. Every refusal must be a sentence that shows no control
// character or invisible mark, whatever was typed, and everything taken
// must lie within the option's limits.

#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "sim/sim_options.h"
#include "window/run_options.h"
#include "window/run_speed.h"

namespace {

using namespace tessel;

constexpr std::array<std::string_view, 14> kNames{
    "scenario", "seed",   "speed",       "long-run", "count-ticks", "chain",         "ticks",
    "rate",     "format", "trace-every", "size",     "help",        "count-seconds", "version"};
constexpr std::array<std::string_view, 10> kValues{
    "1",   "0",   "max",      "Office", "18446744073709551615", "1000000000", "Blue->Purple=2",
    "3=x", "csv", "1920x1080"};

std::string someText(FuzzedDataProvider& in, std::string_view known, std::size_t longest) {
  return in.ConsumeBool()
             ? std::string(known)
             : in.ConsumeBytesAsString(in.ConsumeIntegralInRange<std::size_t>(0, longest));
}

// A refusal a person reads: not empty, and nothing typed shows raw.
void checkSentence(const std::string& sentence, const char* who) {
  if (sentence.empty()) fuzz::fail(std::string(who) + ": an empty refusal");
  for (const char c : sentence) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F)
      fuzz::fail(std::string(who) + ": a raw control character in " + fuzz::shown(sentence));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  std::vector<std::pair<std::string, std::string>> parameters;
  std::vector<std::string> arguments;
  const auto count = in.ConsumeIntegralInRange<int>(0, 8);
  for (int i = 0; i < count; ++i) {
    std::string name = someText(in, in.PickValueInArray(kNames), 12);
    std::string value = someText(in, in.PickValueInArray(kValues), 24);
    arguments.push_back("--" + name);
    if (in.ConsumeBool()) arguments.push_back(value);
    parameters.emplace_back(std::move(name), std::move(value));
  }

  const RunSetup setup = readAddress(parameters);
  for (const std::string& problem : setup.problems) checkSentence(problem, "the address");
  if (setup.scenario && *setup.scenario >= runOptionChoices(RunOptionId::Scenario).size()) {
    fuzz::fail("a scenario beyond the list");
  }
  if (setup.speed && *setup.speed >= kRunSpeeds.size()) fuzz::fail("a speed beyond the list");
  if (setup.countTicks && (*setup.countTicks < 1 || *setup.countTicks > kMostCountedTicks)) {
    fuzz::fail("a count of ticks beyond its limits");
  }

  // The chain option opens files: tessel-sim's reader must not be handed one.
  std::vector<std::string_view> args;
  for (const std::string& argument : arguments) {
    if (argument.rfind("--chain", 0) != 0) args.emplace_back(argument);
  }
  const ParsedOptions parsed = parseSimOptions(args);
  if (parsed.usageError) {
    checkSentence(*parsed.usageError, "tessel-sim");
    return 0;
  }
  const SimOptions& options = parsed.options;
  if (options.ticks > kMostRunTicks) fuzz::fail("more ticks than a run may take");
  if (options.traceEvery && (*options.traceEvery < 1 || *options.traceEvery > kMostRunTicks)) {
    fuzz::fail("a trace step beyond its limits");
  }
  for (const RateSetting& rate : options.rates) {
    if (rate.box < 0 || rate.box >= kTransitionCount) fuzz::fail("a rate box that is not one");
  }
  return 0;
}
