#include "chain/chain_file.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "tests/double_bits.h"

namespace tessel {
namespace {

const char* const kWeather = R"({
  "format": "tessel-chain",
  "version": 1,
  "title": "Weather",
  "states": ["Sunny", "Cloudy", "Rainy"],
  "rates": {"Sunny->Cloudy": 2, "Cloudy->Rainy": 1.5, "Rainy->Sunny": 1, "Cloudy->Sunny": 0.5},
  "note": "Three kinds of day."
})";

Chain readOrFail(std::string_view document) {
  auto read = readChain(document);
  if (const auto* problem = std::get_if<std::string>(&read)) {
    ADD_FAILURE() << *problem;
    return {};
  }
  return std::get<Chain>(read);
}

double rateOf(const Chain& chain, int from, int to) {
  return chain.rates[static_cast<std::size_t>(transitionIndex(from, to).value())].value_or(0.0);
}

TEST(ChainFile, ReadsNamesInColourOrderAndRatesByTransition) {
  const Chain chain = readOrFail(kWeather);
  EXPECT_EQ(chain.title, "Weather");
  EXPECT_EQ(chain.states, (std::vector<std::string>{"Sunny", "Cloudy", "Rainy"}));
  EXPECT_EQ(rateOf(chain, kBlue, kPurple), 2.0);
  EXPECT_EQ(rateOf(chain, kPurple, kGreen), 1.5);
  EXPECT_EQ(rateOf(chain, kGreen, kBlue), 1.0);
  EXPECT_EQ(rateOf(chain, kPurple, kBlue), 0.5);
  EXPECT_FALSE(chain.rates[static_cast<std::size_t>(transitionIndex(kBlue, kGreen).value())])
      << "an absent rate";
  EXPECT_EQ(chain.note, "Three kinds of day.");
}

TEST(ChainFile, WritesWhatReadsBackBitForBit) {
  Chain chain = readOrFail(kWeather);
  const std::vector<double> awkward{
      0.1,          1.0 / 3.0, 5e-324, 2.2250738585072014e-308, -0.0, -7.5, 9.999999999999999e304,
      123456789.125};
  // The transitions among Blue, Purple and Green.
  const std::array<std::size_t, 6> among{0, 1, 2, 3, 10, 11};
  for (std::size_t i = 0; i < awkward.size(); ++i) {
    const std::size_t transition = among[i % among.size()];
    chain.rates[transition] = awkward[i];
    const std::string written = writeChain(chain);
    const Chain back = readOrFail(written);
    EXPECT_EQ(bitsOf(back.rates[transition].value_or(1.0)), bitsOf(awkward[i])) << written;
    EXPECT_EQ(back, chain);
    EXPECT_EQ(writeChain(back), written);
  }
  EXPECT_TRUE(writeChain(readOrFail(kWeather))
                  .starts_with("{\n  \"format\": \"tessel-chain\",\n  \"version\": 1,\n"))
      << "the fields in the documented order";
}

// One document per message: each is refused, and the message says why.
TEST(ChainFile, RefusesEachKindOfBadDocumentWithItsOwnMessage) {
  const std::string head = R"("format": "tessel-chain", "version": 1, "title": "T", )";
  const auto doc = [&](const std::string& rest) { return "{" + head + rest + "}"; };
  struct Bad {
    std::string document;
    std::string message;
  };
  const std::vector<Bad> cases{
      {"{\n  \"format\": \"tessel-chain\",\n  oops\n}", "not JSON: at line 3, column 3"},
      {"[1, 2]", "holds no JSON object"},
      {R"({"version": 1})", "no \"format\" field"},
      {R"({"format": 7})", "\"format\" must be a text"},
      {R"({"format": "other-thing", "version": 1})", "not a Tessel chain"},
      {R"({"format": "tessel-chain"})", "no \"version\" field"},
      {R"({"format": "tessel-chain", "version": "1"})", "\"version\" must be a whole number"},
      {R"({"format": "tessel-chain", "version": 2})", "version 2 of the chain format"},
      {R"({"format": "tessel-chain", "version": 1, "states": ["A", "B"], "rates": {}})",
       "no \"title\" field"},
      {R"({"format": "tessel-chain", "version": 1, "title": " ", "states": ["A", "B"]})",
       "\"title\" is empty"},
      {doc(R"("rates": {})"), "no \"states\" field"},
      {doc(R"("states": "A, B", "rates": {})"), "\"states\" must be a list of names"},
      {doc(R"("states": ["A"], "rates": {})"), "it has 1 states"},
      {doc(R"("states": ["A", "B", "C", "D", "E"], "rates": {})"), "it has 5 states"},
      {doc(R"("states": ["A", 2], "rates": {})"), "\"states\" must be a list of names"},
      {doc(R"("states": ["A", ""], "rates": {})"), "a state's name is empty"},
      {doc(R"("states": ["Sunny", "sunny"], "rates": {})"), "two states are named"},
      {doc(R"("states": ["A", "abcdefghijklmnopq"], "rates": {})"), "longer than 16"},
      {doc(R"("states": ["A", "B->C"], "rates": {})"), "holds \"->\""},
      {doc(R"("states": ["A", "B\u0007"], "rates": {})"), "control character"},
      {doc(R"("states": ["A", "B"])"), "no \"rates\" field"},
      {doc(R"("states": ["A", "B"], "rates": [1])"), "\"rates\" must map"},
      {doc(R"("states": ["A", "B"], "rates": {"A->C": 1})"), "does not name two of its states"},
      {doc(R"("states": ["A", "B"], "rates": {"A->A": 1})"), "does not name two of its states"},
      {doc(R"("states": ["A", "B"], "rates": {"A->B": "fast"})"), "is not a number"},
      {doc(R"("states": ["A", "B"], "rates": {"A->B": true})"), "is not a number"},
      {doc(R"("states": ["A", "B"], "rates": {"A->B": 1e306})"), "too large"},
      {doc(R"("states": ["A", "B"], "rates": {"A->B": 1e400})"), "not JSON"},
      {doc(R"("states": ["A", "B"], "rates": {}, "note": 3)"), "\"note\" must be a text"},
      {std::string(kMostChainFileBytes + 1, ' '), "larger than 1 MiB"},
  };
  for (const Bad& bad : cases) {
    const auto read = readChain(bad.document);
    const auto* problem = std::get_if<std::string>(&read);
    ASSERT_NE(problem, nullptr) << bad.document;
    EXPECT_NE(problem->find(bad.message), std::string::npos)
        << bad.document << "\n  said: " << *problem << "\n  expected: " << bad.message;
  }
}

TEST(ChainFile, IgnoresFieldsItDoesNotKnow) {
  const Chain chain = readOrFail(
      R"({"format": "tessel-chain", "version": 1, "title": "T", "states": ["A", "B"],
          "rates": {"B->A": 3}, "colour": "red"})");
  EXPECT_EQ(rateOf(chain, kPurple, kBlue), 3.0);
}

}  // namespace
}  // namespace tessel
