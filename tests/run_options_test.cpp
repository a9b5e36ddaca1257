// The one table of run options: each grammar with its limits, and one
// wording for every refusal, however the option is spelled.

#include "window/run_options.h"

#include <gtest/gtest.h>

#include <string>

namespace tessel {
namespace {

// The value read, as text, or the refusal.
std::string read(RunOptionId id, std::string_view text, std::string_view spelled) {
  const auto value = readRunOption(id, text, spelled);
  if (const auto* problem = std::get_if<std::string>(&value)) return *problem;
  const OptionValue& read = std::get<OptionValue>(value);
  switch (runOption(id).grammar) {
    case OptionGrammar::WholeNumber:
    case OptionGrammar::Flag:
      return std::to_string(read.whole);
    case OptionGrammar::Decimal:
      return std::to_string(read.number);
    case OptionGrammar::Choice:
      return runOptionChoices(id).at(read.choice);
    case OptionGrammar::Size:
      return std::to_string(read.width) + "," + std::to_string(read.height);
    case OptionGrammar::Text:
      return read.text;
  }
  return {};
}

TEST(RunOptions, ReadEachGrammarWithinItsLimitsAndRefuseInOneWording) {
  struct Case {
    RunOptionId id;
    const char* text;
    const char* spelled;
    const char* expected;
  };
  const Case cases[] = {
      {RunOptionId::Seed, "18446744073709551615", "seed", "18446744073709551615"},
      {RunOptionId::Seed, "18446744073709551616", "--seed",
       "--seed needs a whole number from 0 to 2^64-1, not \"18446744073709551616\""},
      {RunOptionId::Seed, " 5", "seed", "seed needs a whole number from 0 to 2^64-1, not \" 5\""},
      {RunOptionId::CountTicks, "1000000000", "count-ticks", "1000000000"},
      {RunOptionId::CountTicks, "0", "--count-ticks",
       "--count-ticks needs a whole number from 1 to 1000000000, not \"0\""},
      {RunOptionId::Ticks, "+5", "--ticks",
       "--ticks needs a whole number from 0 to 10000000000, not \"+5\""},
      {RunOptionId::TraceEvery, "1e3", "--trace-every",
       "--trace-every needs a whole number from 1 to 10000000000, not \"1e3\""},
      {RunOptionId::CountSeconds, "2.5", "--count-seconds", "2.500000"},
      {RunOptionId::CountSeconds, "3600.5", "--count-seconds",
       "--count-seconds needs a number from 0 to 3600, not \"3600.5\""},
      {RunOptionId::CountSeconds, ".5", "--count-seconds",
       "--count-seconds needs a number from 0 to 3600, not \".5\""},
      {RunOptionId::Scenario, "Office", "--scenario", "Office"},
      {RunOptionId::Scenario, "office", "scenario",
       "scenario needs one of \"One Phone\", \"Receptionist\", \"Office\", \"Conversation\", "
       "\"Four Element Queue\", not \"office\""},
      {RunOptionId::Speed, "max", "speed", "max"},
      {RunOptionId::Format, "xml", "--format",
       "--format needs one of text, csv, json, not \"xml\""},
      {RunOptionId::LongRun, "1", "long-run", "1"},
      {RunOptionId::LongRun, "yes", "long-run", "long-run needs 0 or 1, not \"yes\""},
      {RunOptionId::Size, "1920x1080", "--size", "1920,1080"},
      {RunOptionId::Size, "800x600x2", "--size",
       "--size needs WxH, each from 1 to 10000, not \"800x600x2\""},
      {RunOptionId::Screenshot, "", "--screenshot", "--screenshot needs a file name"},
  };
  for (const Case& c : cases) EXPECT_EQ(read(c.id, c.text, c.spelled), c.expected) << c.text;
}

}  // namespace
}  // namespace tessel
