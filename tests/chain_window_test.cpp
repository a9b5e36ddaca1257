// Chains of the user's own on the window: opened as a list entry, applied as
// a preset is, saved as they stand, renamed in place.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chain/chain_file.h"
#include "chain/scenarios.h"
#include "tests/double_bits.h"
#include "toolkit/random_source.h"
#include "window/main_form.h"

namespace tessel {
namespace {

// A loaded window with a fixed seed, and what a run of it shows.
class SeededWindow {
 public:
  explicit SeededWindow(std::uint64_t seed = 11)
      : random_(ClockSeededRandom::withFixedSeed(seed)), form_(random_, NumberFormat{}) {
    form_.handle(FormEvent::Load);
  }

  MainForm& form() { return form_; }

  std::vector<std::string> names() const {
    std::vector<std::string> names;
    for (std::size_t i = 0; i < kStateCount; ++i) {
      if (form_.controls().circles[i].visible)
        names.push_back(form_.controls().nameLabels[i].caption);
    }
    return names;
  }

  // Every box's number, bit for bit.
  std::vector<std::uint64_t> rateBits() const {
    std::vector<std::uint64_t> bits;
    for (const TextBox& box : form_.controls().rateBoxes) {
      bits.push_back(bitsOf(box.strictNumber(NumberFormat{}).value));
    }
    return bits;
  }

  // The counts and chart after counting `ticks` ticks.
  std::vector<std::string> run(int ticks) {
    form_.handle(FormEvent::StartStopClick);
    form_.runFrame(ticks);
    std::vector<std::string> shown;
    for (const Label& label : form_.controls().visitCounts) shown.push_back(label.caption);
    for (const Label& label : form_.controls().shareLabels) shown.push_back(label.caption);
    shown.push_back(form_.variables().currentState);
    return shown;
  }

  Chain saved() const {
    auto chain = form_.chainOnWindow();
    if (const auto* problem = std::get_if<std::string>(&chain)) ADD_FAILURE() << *problem;
    return std::get_if<Chain>(&chain) ? std::get<Chain>(chain) : Chain{};
  }

 private:
  ClockSeededRandom random_;
  MainForm form_;
};

// Through the file's text, as a save and an open do.
Chain throughFile(const Chain& chain) {
  return std::get<Chain>(readChain(writeChain(chain)));
}

TEST(ChainWindow, SaveThenOpenGivesTheSameNamesRatesAndRun) {
  SeededWindow saving;
  saving.form().typeScenario("Conversation");
  for (const auto& [box, text] : std::vector<std::pair<int, std::string>>{
           {3, "0.1"}, {4, "0.30000000000000004"}, {2, "1e-300"}, {7, "6.02e23"}, {1, "-2"}}) {
    saving.form().setRateText(box, text);
  }
  ASSERT_FALSE(saving.form().renameState(kCyan, "Both \u00e0 la fois").has_value());

  SeededWindow opening;
  opening.form().openChain(throughFile(saving.saved()));
  EXPECT_EQ(opening.form().controls().scenarioList.text, "Conversation (2)")
      << "a title the list has already gets a number";
  EXPECT_EQ(opening.names(), saving.names());
  EXPECT_EQ(opening.rateBits(), saving.rateBits());
  EXPECT_EQ(opening.run(20000), saving.run(20000));
}

TEST(ChainWindow, APresetsNamesAndRatesRunExactlyAsThePreset) {
  for (const std::string_view preset : kScenarioListOrder) {
    SeededWindow asPreset;
    asPreset.form().typeScenario(std::string(preset));
    SeededWindow asChain;
    asChain.form().openChain(throughFile(asPreset.saved()));
    EXPECT_EQ(asChain.names(), asPreset.names()) << preset;
    EXPECT_EQ(asChain.run(20000), asPreset.run(20000)) << preset;
  }
}

TEST(ChainWindow, ShowsEveryTransitionBetweenItsStatesAndPickingAgainRestoresIt) {
  SeededWindow window;
  Chain weather;
  weather.title = "Weather";
  weather.states = {"Sunny", "Cloudy", "Rainy"};
  weather.rates[static_cast<std::size_t>(transitionIndex(kPurple, kGreen).value())] = 1.5;
  window.form().openChain(weather);
  const FormControls& controls = window.form().controls();
  for (const Transition& t : kTransitions) {
    const bool among = t.from < 3 && t.to < 3;
    EXPECT_EQ(controls.rateBoxes[static_cast<std::size_t>(t.rateBox)].visible, among) << t.rateBox;
    EXPECT_EQ(controls.arcLines[static_cast<std::size_t>(t.arcLine)].visible, among) << t.arcLine;
  }
  EXPECT_EQ(controls.rateBoxes[10].text(), " 1.5");
  EXPECT_EQ(controls.rateBoxes[11].text(), "0.0") << "a rate left out reads as a preset's zero";
  EXPECT_FALSE(controls.bars[kCyan].visible);

  ASSERT_FALSE(window.form().renameState(kBlue, "Hot").has_value());
  window.form().setRateText(10, "9");
  window.form().openChain(weather);  // the same chain again: its entry, picked afresh
  EXPECT_EQ(controls.scenarioList.entries.size(), 6U);
  EXPECT_EQ(window.names(), weather.states);
  EXPECT_EQ(controls.rateBoxes[10].text(), " 1.5");
}

TEST(ChainWindow, SavingRefusesARateBoxWithoutANumberAndNamesIt) {
  SeededWindow window;
  window.form().typeScenario("Office");
  window.form().setRateText(2, "fast");
  const auto chain = window.form().chainOnWindow();
  ASSERT_TRUE(std::holds_alternative<std::string>(chain));
  EXPECT_EQ(std::get<std::string>(chain),
            "The rate from \"Out\" to \"Working at Desk\" holds \"fast\", which is not a number; "
            "the chain is not saved until it holds one.");
}

TEST(ChainWindow, ARenameThatNoFileCouldHoldIsRefusedAndChangesNothing) {
  SeededWindow window;
  for (const std::string& bad :
       {std::string(""), std::string("on phone"), std::string(30, 'x'), std::string("a->b")}) {
    EXPECT_TRUE(window.form().renameState(kBlue, bad).has_value()) << bad;
  }
  EXPECT_TRUE(window.form().renameState(kGreen, "Out").has_value()) << "not on the window";
  EXPECT_EQ(window.names(), (std::vector<std::string>{"Off Phone", "On Phone"}));
}

}  // namespace
}  // namespace tessel
