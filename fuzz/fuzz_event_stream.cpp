// The window without a display, driven by a stream of events the input
// chooses: scenario changes (the five names and arbitrary texts), list
// clicks, the three buttons, rate-box texts of every kind, timer ticks alone
// and in bursts and in frames as a fast window runs them, the timer switched
// off and on, the long-run marks switched on and off, chains opened, states
// renamed. After every event the
// window's invariants are checked, and no exception may escape handle().
//
// The input is read with FuzzedDataProvider, and it also supplies the random
// numbers the draws use, so the fuzzer chooses which transition fires and
// when: its first byte gives the length of a run of bytes that the random
// source repeats in turn, each byte b as the number b / 256 (no bytes: every
// number is 0, with which any positive chance fires); the rest of the input
// is the events. The count of random numbers an input may use is enforced
// inside the draw, at the number that exceeds it, so that a "One" that would
// make its 50,000 draws costs no more than a short input.

#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "chain/chain_file.h"
#include "chain/long_run.h"
#include "chain/scenarios.h"
#include "chain/transitions.h"
#include "display/layout.h"
#include "display/recording_canvas.h"
#include "fuzz/fuzz_support.h"
#include "tests/main_form_probe.h"
#include "toolkit/numbers.h"
#include "toolkit/random_source.h"
#include "window/main_form.h"
#include "window/view_pictures.h"

namespace tessel::fuzz {
namespace {

constexpr int kMostEvents = 400;
constexpr int kLongestBurst = 50;
constexpr std::size_t kLongestScenarioText = 24;
// Longer than the 40 characters an error message quotes of a rate box.
constexpr std::size_t kLongestRateText = 48;
// About 170 draws that do not fire; enough for every event kind to show its
// work, small enough that no input runs long.
constexpr std::size_t kMostRandomNumbers = 20'000;

// Thrown by the random source when an input has used up its numbers. It is
// deliberately not a std::exception, so that the window's own handling of
// unexpected errors cannot catch it: it ends the input, not the event.
struct RandomBudgetSpent {};

// The random source the window draws from: the input's run of bytes, in turn
// and over again.
class InputRandom final : public RandomSource {
 public:
  explicit InputRandom(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}

  void seedFromClock() override {}
  float next() override {
    if (++draws_ > kMostRandomNumbers) throw RandomBudgetSpent{};
    if (bytes_.empty()) return 0.0F;
    const std::uint8_t byte = bytes_[next_];
    next_ = next_ + 1 == bytes_.size() ? 0 : next_ + 1;
    return static_cast<float>(byte) / 256.0F;
  }

 private:
  std::vector<std::uint8_t> bytes_;
  std::size_t next_ = 0;
  std::size_t draws_ = 0;
};

std::string someText(FuzzedDataProvider& in, std::size_t longest) {
  return in.ConsumeBytesAsString(in.ConsumeIntegralInRange<std::size_t>(0, longest));
}

// Rate-box texts of every kind: empty, not numbers, the comma, negative,
// too large to read or to draw with, tiny, zero, ordinary.
constexpr std::array<std::string_view, 22> kRateTexts{
    "",     "abc", "1,5", "-1", "1e308", "1e-300", "0",    "1",     "2.5",   " 3 ",  "0.001",
    "1e-6", "1e5", "0.0", "-0", "1e306", "1e400",  "&H10", "\t7\t", "0.143", "1e-9", "1.5e1"};

std::string rateText(FuzzedDataProvider& in) {
  const std::size_t kind = in.ConsumeIntegralInRange<std::size_t>(0, kRateTexts.size() + 1);
  if (kind < kRateTexts.size()) return std::string(kRateTexts[kind]);
  if (kind == kRateTexts.size()) {
    return numberText(static_cast<double>(in.ConsumeIntegral<std::uint8_t>()) / 8.0);
  }
  return someText(in, kLongestRateText);
}

bool isStateName(const std::string& name) {
  return stateIndex(name).has_value();
}

// A caption that shows a whole number from 0 to `highest` as the program
// writes one: an optional blank in the place of the sign, then 1 to 15
// decimal digits without leading zeros.
bool isWholeUpTo(std::string_view caption, std::uint64_t highest) {
  if (caption.starts_with(' ')) caption.remove_prefix(1);
  if (caption.empty() || caption.size() > 15) return false;
  if (caption.size() > 1 && caption.front() == '0') return false;
  std::uint64_t value = 0;
  for (const char c : caption) {
    if (!isDecimalDigit(c)) return false;
    value = value * 10 + static_cast<std::uint64_t>(c - '0');
  }
  return value <= highest;
}

class Session {
 public:
  explicit Session(std::vector<std::uint8_t> randomBytes)
      : random_(std::move(randomBytes)), form_(random_, NumberFormat{}) {}

  void send(FormEvent event, const char* what) {
    deliver(event, what, [&] { return form_.handle(event); });
  }

  void typeScenario(std::string text) {
    deliver(FormEvent::ScenarioChange, "scenario typed",
            [&] { return form_.typeScenario(std::move(text)); });
  }

  void clickEntry(std::size_t choice) {
    const auto& entries = form_.controls().scenarioList.entries;
    if (entries.empty()) {
      send(FormEvent::ScenarioClick, "list entry clicked");
      return;
    }
    deliver(FormEvent::ScenarioClick, "list entry clicked",
            [&] { return form_.pickEntry(choice % entries.size()); });
  }

  void setRate(int box, std::string text) {
    form_.setRateText(box, std::move(text));
    ++events_;
    check("rate typed");
  }

  void setEveryRate(const std::string& text) {
    for (int box = 0; box < kTransitionCount; ++box) form_.setRateText(box, text);
    ++events_;
    check("every rate typed");
  }

  void setTimer(bool enabled) {
    MainFormProbe::controls(form_).moveTimer.enabled = enabled;
    ++events_;
    check(enabled ? "timer enabled" : "timer disabled");
  }

  // A frame of ticks, as a fast window runs them.
  void frame(int ticks) {
    ++events_;
    int ran = 0;
    try {
      ran = form_.runFrame(ticks);
    } catch (const RandomBudgetSpent&) {
      throw;
    } catch (...) {
      failAt("an exception escaped a frame of ticks");
    }
    if (ran < 0 || ran > ticks)
      failAt("a frame of " + std::to_string(ticks) + " ran " + std::to_string(ran));
    if (form_.lastFrameFailed() && !form_.lastError()) failAt("a frame failed without an error");
    check("frame of ticks");
  }

  // A chain of two to four states with names and rates from the input.
  void openChain(FuzzedDataProvider& in) {
    Chain chain;
    chain.title = someText(in, kLongestScenarioText);
    const int states = in.ConsumeIntegralInRange(2, kStateCount);
    for (int state = 0; state < states; ++state)
      chain.states.push_back("S" + std::to_string(state));
    for (auto& rate : chain.rates) {
      if (in.ConsumeBool()) rate = static_cast<double>(in.ConsumeIntegral<std::int8_t>()) / 4.0;
    }
    ++events_;
    form_.openChain(chain);
    chainStates_[form_.controls().scenarioList.text] = states;
    followScenario();
    check("chain opened");
  }

  void renameState(FuzzedDataProvider& in) {
    const int state = in.ConsumeIntegralInRange(0, kStateCount - 1);
    std::string name = someText(in, kLongestScenarioText);
    ++events_;
    const auto problem = form_.renameState(state, name);
    const std::string& caption =
        form_.controls().nameLabels[static_cast<std::size_t>(state)].caption;
    if (!problem && caption != name) failAt("a rename was accepted but not shown");
    if (problem && problem->empty()) failAt("a rename was refused without a reason");
    check("state renamed");
  }

  void toggleLongRunMarks() {
    form_.setLongRunMarksShown(!form_.longRunMarksShown());
    ++events_;
    check(form_.longRunMarksShown() ? "long-run marks on" : "long-run marks off");
  }

  // Both views drawn from what the events left: once an input, as drawing
  // them after every event would cost more than the events.
  void drawViews() const {
    RecordingCanvas canvas;
    drawHistory(canvas, historyPicture(form_));
    drawChances(canvas, chancesPicture(form_));
  }

 private:
  // Runs one event through `handleIt` (handle() or typeScenario()), then
  // checks the outcome and the window.
  template <typename HandleIt>
  void deliver(FormEvent event, const char* what, HandleIt handleIt) {
    ++events_;
    bool handled = false;
    try {
      handled = handleIt();
    } catch (const RandomBudgetSpent&) {
      throw;
    } catch (const std::exception& error) {
      failAt(std::string(what) + ": an exception escaped handle(): " + error.what());
    } catch (...) {
      failAt(std::string(what) + ": an exception escaped handle()");
    }
    if (!handled && !form_.lastError()) failAt(std::string(what) + " failed without an error");
    if (const auto& error = form_.lastError()) {
      if (std::string_view(error->what()).starts_with("Something unexpected")) {
        failAt(std::string(what) + " raised an unexpected exception: " + error->what());
      }
    }
    if (event == FormEvent::ScenarioChange || event == FormEvent::ScenarioClick ||
        event == FormEvent::Load) {
      if (loaded()) followScenario();
    }
    check(what);
  }

  // The columns the list's text shows: an opened chain's states, or a
  // preset's.
  void followScenario() {
    const std::string& text = form_.controls().scenarioList.text;
    const auto& entries = form_.controls().scenarioList.entries;
    columns_.clear();
    for (std::size_t i = kScenarioListOrder.size(); i < entries.size(); ++i) {
      if (entries[i] != text) continue;
      for (int state = 0; state < chainStates_.at(entries[i]); ++state) columns_.push_back(state);
      return;
    }
    for (const int column : scenarioNamed(text).columns) columns_.push_back(column);
  }

  bool loaded() const { return !form_.controls().scenarioList.entries.empty(); }

  [[noreturn]] void failAt(const std::string& what) const {
    fail("event " + std::to_string(events_) + ": " + what);
  }

  void check(const char* what) const {
    if (!loaded()) return;
    const FormControls& controls = form_.controls();
    const FormVariables& vars = form_.variables();
    // Built only for a failure: the checks run after every event.
    const auto after = [what] { return std::string("after ") + what + ": "; };

    const std::int16_t frame = vars.moveFrame;
    const bool framed = (frame >= 0 && frame <= kLastFrame && frame % kFrameStep == 0) ||
                        frame == kArrived || frame == kNoMove || frame == kLoaded ||
                        frame == kScenarioApplied;
    if (!framed) failAt(after() + "moveFrame is " + std::to_string(frame));

    // Whatever the window has to say for the strip, it says in words.
    if ((form_.lastError() && std::string_view(form_.lastError()->what()).empty()) ||
        (form_.notice() && form_.notice()->text.empty())) {
      failAt(after() + "the strip would say nothing");
    }

    if (!isStateName(vars.currentState))
      failAt(after() + "currentState " + shown(vars.currentState));
    if (!isStateName(vars.nextState)) failAt(after() + "nextState " + shown(vars.nextState));

    // The chart's columns are exactly the circles the scenario or chain shows.
    for (int state = 0; state < kStateCount; ++state) {
      bool shownByScenario = false;
      for (const int column : columns_) shownByScenario = shownByScenario || column == state;
      if (controls.circles[static_cast<std::size_t>(state)].visible != shownByScenario) {
        failAt(after() + "circle " + std::to_string(state) + " visibility is wrong for " +
               shown(controls.scenarioList.text));
      }
    }

    if (frame > kLastFrame) {
      int red = 0;
      int redState = -1;
      for (int state = 0; state < kStateCount; ++state) {
        if (controls.circles[static_cast<std::size_t>(state)].borderColor == kRed) {
          ++red;
          redState = state;
        }
      }
      if (red > 1) failAt(after() + std::to_string(red) + " circles are red at rest");
      if (red == 1 && stateIndex(vars.currentState) != redState) {
        failAt(after() + "circle " + std::to_string(redState) + " is red but the chain is in " +
               vars.currentState);
      }
    }

    if (controls.token.visible && frame > kLastFrame) {
      failAt(after() + "the token is visible at rest (moveFrame " + std::to_string(frame) + ")");
    }

    for (const Label& count : controls.visitCounts) {
      if (!isWholeUpTo(count.caption, 999'999'999'999'999)) {
        failAt(after() + "visit count " + shown(count.caption));
      }
    }
    for (const Label& percentage : controls.shareLabels) {
      if (!isWholeUpTo(percentage.caption, 100)) {
        failAt(after() + "percentage " + shown(percentage.caption));
      }
    }

    // The theory behind the marks, wherever the chain rests: shares that
    // add up to 1, whatever the boxes hold.
    if (const auto draw = readDrawRates(controls.rateBoxes, controls.moveTimer.interval, {})) {
      if (const auto start = stateIndex(vars.currentState)) {
        double sum = 0.0;
        for (const double share : longRunShares(*draw, *start)) {
          if (!(share >= 0.0 && share <= 1.0))
            failAt(after() + "a long-run share of " + shown(numberText(share)));
          sum += share;
        }
        if (!(sum > 1.0 - 1e-12 && sum < 1.0 + 1e-12))
          failAt(after() + "long-run shares add up to " + numberText(sum));
      }
    }

    // A mark stands only on a visible bar, within the bar's reach, and
    // shows a percentage; the marks of all four bars add up to 100 within
    // their rounding to one decimal.
    double markedPercent = 0.0;
    int marks = 0;
    for (std::size_t i = 0; i < kStateCount; ++i) {
      const LongRunMark& mark = controls.longRunMarks[i];
      if (!mark.visible) continue;
      if (!form_.longRunMarksShown() || !controls.bars[i].visible) {
        failAt(after() + "a long-run mark shows on column " + std::to_string(i));
      }
      const double share = (kBarBottom - mark.top) / kBarFullHeight;
      const StrictReading percent = readStrictNumber(mark.caption, NumberFormat{"."});
      if (!(share > -1e-6 && share < 1.0 + 1e-6) || percent.status != StrictStatus::Number ||
          !(percent.value >= 0.0 && percent.value <= 100.0)) {
        failAt(after() + "long-run mark at " + std::to_string(mark.top) + " reading " +
               shown(mark.caption));
      }
      markedPercent += percent.value;
      ++marks;
    }
    if (markedPercent > 100.0 + 0.05 * marks ||
        (marks == kStateCount && markedPercent < 100.0 - 0.05 * marks)) {
      failAt(after() + "the long-run marks add up to " + numberText(markedPercent) + " %");
    }
    checkViews(after);
  }

  // One tick's law, whose rows add up to 1 and which leaves the long-run
  // row as it is; and a history of the counts that only grows.
  template <typename After>
  void checkViews(const After& after) const {
    // The law is worked out afresh only for rates it has not been checked
    // for: the long-run row holds for whatever state the chain starts in.
    bool same = true;
    for (std::size_t i = 0; i < kTransitionCount; ++i) {
      const std::string& text = form_.controls().rateBoxes[i].text();
      if (text != lawRates_[i]) {
        lawRates_[i] = text;
        same = false;
      }
    }
    for (std::size_t i = 0; i < kStateCount; ++i) {
      if (form_.controls().circles[i].visible != lawStates_[i]) {
        lawStates_[i] = form_.controls().circles[i].visible;
        same = false;
      }
    }
    if (same) return checkHistory(after);
    if (const auto chances = stepChances(form_)) {
      const std::size_t shown = chances->states.size();
      // A draw leaves for a hidden state only where a hidden box holds a
      // rate; otherwise every row adds up to 1, and the long-run row stays.
      bool whole = true;
      for (const std::vector<double>& row : chances->matrix) {
        double sum = 0.0;
        for (const double chance : row) sum += chance;
        if (sum > 1.0 + 1e-12)
          failAt(after() + "a row of one tick's chances adds up to " + numberText(sum));
        whole = whole && sum > 1.0 - 1e-12;
      }
      for (std::size_t to = 0; whole && !chances->longRun.empty() && to < shown; ++to) {
        double stepped = 0.0;
        for (std::size_t from = 0; from < shown; ++from) {
          stepped += chances->longRun[from] * chances->matrix[from][to];
        }
        if (!(std::abs(stepped - chances->longRun[to]) < 1e-12)) {
          failAt(after() + "one tick moves the long-run share of state " + std::to_string(to));
        }
      }
    }
    checkHistory(after);
  }

  template <typename After>
  void checkHistory(const After& after) const {
    double counted = 0.0;
    for (const double ticks : form_.variables().occupancy) counted += ticks;
    if (counted != static_cast<double>(form_.countedTicks())) {
      failAt(after() + "the history counts " + std::to_string(form_.countedTicks()) + " ticks");
    }
    // Only the points kept since the last check: the history only grows,
    // or starts again.
    const std::vector<ShareHistory::Point>& points = form_.shareHistory().points();
    if (historyChecked_ > points.size()) historyChecked_ = 0;
    for (; historyChecked_ < points.size(); ++historyChecked_) {
      const std::uint64_t ticks = points[historyChecked_].ticks;
      const std::uint64_t before = historyChecked_ == 0 ? 0 : points[historyChecked_ - 1].ticks;
      if (ticks <= before || ticks > form_.countedTicks()) {
        failAt(after() + "the history keeps tick " + std::to_string(ticks));
      }
    }
  }

  InputRandom random_;
  MainForm form_;
  std::vector<int> columns_{0, 1};
  std::map<std::string, int> chainStates_;  // an opened chain's entry: its count of states
  mutable std::size_t historyChecked_ = 0;  // the history's points checked so far
  // The rates and shown states one tick's law was last checked for.
  mutable std::array<std::string, kTransitionCount> lawRates_;
  mutable std::array<bool, kStateCount> lawStates_{};
  int events_ = 0;
};

void play(FuzzedDataProvider& in, Session& session) {
  session.send(FormEvent::Load, "load");
  for (int event = 0; event < kMostEvents && in.remaining_bytes() > 0; ++event) {
    switch (in.ConsumeIntegralInRange(0, 18)) {
      case 0:
        session.typeScenario(std::string(in.PickValueInArray(kScenarioListOrder)));
        break;
      case 1:
        session.typeScenario(someText(in, kLongestScenarioText));
        break;
      case 2:
        session.clickEntry(in.ConsumeIntegral<std::uint8_t>());
        break;
      case 3:
        session.send(FormEvent::ScenarioClick, "list clicked");
        break;
      case 4:
        session.send(FormEvent::OneClick, "One");
        break;
      case 5:
        session.send(FormEvent::StartStopClick, "Start/Stop");
        break;
      case 6:
        session.send(FormEvent::PauseContinueClick, "Pause/Cont");
        break;
      case 7:
      case 8: {
        const int box = in.ConsumeIntegralInRange(0, kTransitionCount - 1);
        session.setRate(box, rateText(in));
        break;
      }
      case 9:
        session.setEveryRate(rateText(in));
        break;
      case 10:
        session.send(FormEvent::TimerTick, "tick");
        break;
      case 11: {
        const int ticks = in.ConsumeIntegralInRange(1, kLongestBurst);
        for (int i = 0; i < ticks; ++i) session.send(FormEvent::TimerTick, "tick of a burst");
        break;
      }
      case 12:
        session.setTimer(false);
        break;
      case 13:
        session.setTimer(true);
        break;
      case 14:
        session.send(FormEvent::Load, "second load");
        break;
      case 15:
        session.toggleLongRunMarks();
        break;
      case 16:
        session.frame(in.ConsumeIntegralInRange(1, 2000));
        break;
      case 17:
        session.openChain(in);
        break;
      case 18:
        session.renameState(in);
        break;
    }
  }
}

void run(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  Session session(in.ConsumeBytes<std::uint8_t>(in.ConsumeIntegral<std::uint8_t>()));
  try {
    play(in, session);
  } catch (const RandomBudgetSpent&) {
    // The input has used its numbers; what it did so far has been checked.
  }
  session.drawViews();
}

}  // namespace
}  // namespace tessel::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tessel::fuzz::run(data, size);
  return 0;
}
