#include "window/main_form.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "chain/choose_next_state.h"
#include "chain/long_run.h"
#include "chain/scenarios.h"
#include "display/occupancy_chart.h"
#include "toolkit/quoted_text.h"
#include "toolkit/text.h"
#include "window/scenario_setup.h"
#include "window/token_move.h"

namespace tessel {
namespace {

// "One" repeats the draw until it jumps. When a jump is possible but very
// unlikely it gives up after this many draws (about 2,000,000 passes, a
// fraction of a second) rather than freeze the window.
constexpr int kMostDrawsForOne = 50000;

// The buttons carry their mode in their captions, compared exactly.
constexpr const char* kStart = N_("Start");
constexpr const char* kStop = N_("Stop");
constexpr const char* kPause = N_("Pause");
constexpr const char* kCont = N_("Cont");

}  // namespace

MainForm::MainForm(RandomSource& random, NumberFormat numberFormat)
    : random_(random), numberFormat_(std::move(numberFormat)), controls_(makeDesignControls()) {}

bool MainForm::handle(FormEvent event) {
  if (event == FormEvent::TimerTick) {
    runFrame(1);
    return !tickFailed_;
  }
  if (event == FormEvent::Load) {
    if (loaded_) return true;
    loaded_ = true;
  } else if (!loaded_) {
    return true;
  }
  notice_.reset();
  bool completed = false;
  try {
    switch (event) {
      case FormEvent::Load:
        onLoad();
        break;
      case FormEvent::ScenarioChange:
      case FormEvent::ScenarioClick:
        onScenarioTextChanged();
        break;
      case FormEvent::OneClick:
        onOneClicked();
        break;
      case FormEvent::StartStopClick:
        onStartStopClicked();
        break;
      case FormEvent::PauseContinueClick:
        onPauseClicked();
        break;
      case FormEvent::TimerTick:
        break;
    }
    lastError_.reset();
    completed = true;
  } catch (const RunError& error) {
    keepError(error);
  } catch (const std::exception& error) {
    keepUnexpectedError(error);
  }
  refreshShownValues();
  return completed;
}

void MainForm::keepError(const RunError& error) {
  lastError_ = error;
  if (error.rateBox()) markedRateBox_ = error.rateBox();
}

void MainForm::keepUnexpectedError(const std::exception& error) {
  // Nothing else is raised on purpose; should anything be, the window
  // still goes on and says what happened.
  lastError_ =
      RunError(ErrorKind::InvalidOperation,
               fill(_("Something unexpected went wrong: {what}"), {{"what", error.what()}}));
}

bool MainForm::tickOnce() {
  tickDrew_ = false;
  try {
    onTimerTick();
  } catch (const RunError& error) {
    keepError(error);
    return false;
  } catch (const std::exception& error) {
    keepUnexpectedError(error);
    return false;
  }
  // A tick that made no draw leaves the last message, which the user may
  // not have read yet.
  if (tickDrew_) lastError_.reset();
  return true;
}

int MainForm::runFrame(int ticks, const std::function<bool()>& timeUp) {
  tickFailed_ = false;
  if (!loaded_ || !controls_.moveTimer.enabled) return 0;
  int ran = 0;
  while (ran < ticks) {
    ++ran;
    if (!tickOnce()) {
      tickFailed_ = true;
      break;
    }
    if (timeUp && ran % kTicksBetweenClockReads == 0 && timeUp()) break;
  }
  refreshShownValues();
  return ran;
}

void MainForm::refreshShownValues() {
  // Only the counts that went up are written: the others keep the "0" that
  // "Start" wrote.
  for (std::size_t i = 0; i < kStateCount; ++i) {
    if (!visitsStale_[i]) continue;
    controls_.visitCounts[i].caption = numberText(vars_.visits[i]);
    visitsStale_[i] = false;
  }
  if (chartStale_) {
    chartStale_ = false;
    try {
      updateOccupancyChart();
    } catch (const RunError& error) {
      keepError(error);
    }
  }
  unmarkFixedRateBox();
  refreshLongRunMarks();
}

void MainForm::setLongRunMarksShown(bool shown) {
  longRunMarksShown_ = shown;
  refreshLongRunMarks();
}

void MainForm::refreshLongRunMarks() {
  if (!longRunMarksShown_ || !loaded_) {
    hideLongRunMarks(controls_);
    longRunStart_ = LongRunStart::None;
    marksPlacedFrom_.reset();
    return;
  }
  // The theory is worked out afresh only when what it reads has changed,
  // not at every frame.
  LongRunInputs inputs{{}, vars_.currentState, {}, controls_.moveTimer.interval};
  for (std::size_t i = 0; i < kTransitionCount; ++i)
    inputs.rates[i] = controls_.rateBoxes[i].text();
  for (std::size_t i = 0; i < kStateCount; ++i) inputs.bars[i] = controls_.bars[i].visible;
  if (marksPlacedFrom_ == inputs) return;
  longRunStart_ = placeLongRunMarks(controls_, vars_.currentState, numberFormat_);
  marksPlacedFrom_ = std::move(inputs);
}

std::string MainForm::longRunNote() const {
  if (longRunStart_ != LongRunStart::FromCurrent) return {};
  return fill(_("The long run depends on the start: the marks are for a start in {state}, where "
                "the token rests."),
              {{"state", quotedForDisplay(stateCaption())}});
}

void MainForm::unmarkFixedRateBox() {
  if (!markedRateBox_) return;
  const TextBox& box = controls_.rateBoxes[static_cast<std::size_t>(*markedRateBox_)];
  if (box.strictNumber(numberFormat_).status == StrictStatus::Number) {
    markedRateBox_.reset();
  }
}

void MainForm::setRateText(int box, std::string text) {
  notice_.reset();
  TextBox& rateBox = controls_.rateBoxes.at(static_cast<std::size_t>(box));
  rateBox.setText(std::move(text));
  refreshLongRunMarks();
  if (markedRateBox_ != box) return;
  unmarkFixedRateBox();
  if (!markedRateBox_ && lastError_ && lastError_->rateBox() == box) lastError_.reset();
}

bool MainForm::typeScenario(std::string text) {
  controls_.scenarioList.text = std::move(text);
  return handle(FormEvent::ScenarioChange);
}

bool MainForm::pickEntry(std::size_t index) {
  if (index >= controls_.scenarioList.entries.size()) return true;
  controls_.scenarioList.text = controls_.scenarioList.entries[index];
  return handle(FormEvent::ScenarioClick);
}

void MainForm::onLoad() {
  random_.seedFromClock();
  vars_.moveFrame = kLoaded;
  controls_.token.visible = false;
  controls_.moveTimer.enabled = true;
  vars_.counting = kFalse;
  resetDiagram();
  for (const std::string_view name : kScenarioListOrder)
    controls_.scenarioList.addItem(std::string(name));
  controls_.scenarioList.text = std::string(kScenarioListOrder[0]);
  loadScenario();
  zeroOccupancy();
}

void MainForm::onScenarioTextChanged() {
  resetDiagram();
  loadScenario();
  vars_.moveFrame = kScenarioApplied;
  controls_.token.visible = false;
  zeroOccupancy();
}

void MainForm::onOneClicked() {
  vars_.counting = kFalse;
  vars_.nextState = vars_.currentState;
  drawUntilJump();
  beginMove();
}

void MainForm::onStartStopClicked() {
  if (controls_.startStopButton.caption == kStart) {
    controls_.startStopButton.caption = kStop;
    zeroOccupancy();
    vars_.counting = kTrue;
    zeroVisitCounts();
  } else {
    controls_.startStopButton.caption = kStart;
    vars_.counting = kFalse;
  }
}

void MainForm::onPauseClicked() {
  if (controls_.pauseButton.caption == kPause) {
    controls_.moveTimer.enabled = false;
    controls_.pauseButton.caption = kCont;
  } else {
    controls_.moveTimer.enabled = true;
    controls_.pauseButton.caption = kPause;
  }
}

void MainForm::onTimerTick() {
  if (advanceToken(vars_, controls_) == TokenStep::kEnded) countArrival();
  if (vars_.moveFrame <= kLastFrame) return;
  if (vars_.counting != kTrue) return;
  if (const auto state = stateIndex(vars_.currentState)) {
    double& ticks = vars_.occupancy[static_cast<std::size_t>(*state)];
    const double counted = ticks + 1.0;
    if (const FloatFault fault = resultFault(counted); fault != FloatFault::None) {
      throw RunError(errorKindOf(fault), _("The count of resting ticks grew beyond range."));
    }
    ticks = counted;
    ++countedTicks_;
    history_.counted(countedTicks_, vars_.occupancy);
  }
  // The chart is drawn once the frame's ticks are done.
  chartStale_ = true;
  chooseNextState();
  tickDrew_ = true;
  if (vars_.nextState != vars_.currentState) beginMove();
}

void MainForm::countArrival() {
  if (vars_.counting != kTrue) return;
  const std::optional<int> state = stateIndex(vars_.nextState);
  if (!state) return;
  double& visits = vars_.visits[static_cast<std::size_t>(*state)];
  const double counted = visits + 1.0;
  if (const FloatFault fault = resultFault(counted); fault != FloatFault::None) {
    throw RunError(errorKindOf(fault), _("A visit count grew beyond what can be shown."));
  }
  visits = counted;
  visitsStale_[static_cast<std::size_t>(*state)] = true;
}

void MainForm::zeroOccupancy() {
  vars_.occupancy.fill(0.0);
  countedTicks_ = 0;
  history_.clear();
}

void MainForm::zeroVisitCounts() {
  vars_.visits.fill(0.0);
  for (Label& count : controls_.visitCounts) count.caption = "0";
  visitsStale_.fill(false);
}

void MainForm::resetDiagram() {
  tessel::resetDiagram(vars_, controls_.circles);
}

void MainForm::loadScenario() {
  applyScenario(controls_, chains_.picked(controls_.scenarioList));
  zeroVisitCounts();
  userNamed_.fill(false);
  shownNamesStale_ = true;
}

std::string MainForm::entryLabel(std::size_t index) const {
  const std::vector<std::string>& entries = controls_.scenarioList.entries;
  if (index >= entries.size()) return {};
  return index < kScenarioListOrder.size() ? _(entries[index]) : entries[index];
}

std::string MainForm::stateName(int state) const {
  if (state < 0 || state >= kStateCount) return {};
  const auto i = static_cast<std::size_t>(state);
  const std::string& caption = controls_.nameLabels[i].caption;
  if (caption.empty()) return _(kStateNames[i]);
  const bool preset = chains_.picked(controls_.scenarioList) == nullptr;
  return preset && !userNamed_[i] ? _(caption) : caption;
}

const std::array<std::string, kStateCount>& MainForm::shownNames() const {
  if (shownNamesStale_ || shownNamesLanguage_ != language()) {
    for (int state = 0; state < kStateCount; ++state) {
      shownNames_[static_cast<std::size_t>(state)] = stateName(state);
    }
    shownNamesLanguage_ = language();
    shownNamesStale_ = false;
  }
  return shownNames_;
}

void MainForm::setNumberFormat(NumberFormat format) {
  numberFormat_ = std::move(format);
  marksPlacedFrom_.reset();
  refreshLongRunMarks();
}

void MainForm::openChain(Chain chain) {
  if (!loaded_) return;
  chains_.add(std::move(chain), controls_.scenarioList);
  handle(FormEvent::ScenarioClick);
}

std::variant<Chain, std::string> MainForm::chainOnWindow() const {
  Chain chain;
  if (const Chain* picked = chains_.picked(controls_.scenarioList)) {
    chain.title = picked->title;
    chain.note = picked->note;
  } else {
    // A preset, or a text typed into the list, which gives the base.
    chain.title = _(scenarioNamed(controls_.scenarioList.text).name);
  }
  for (std::size_t state = 0; state < kStateCount && controls_.circles[state].visible; ++state) {
    chain.states.push_back(stateName(static_cast<int>(state)));
  }
  const int shown = static_cast<int>(chain.states.size());
  for (int transition = 0; transition < kTransitionCount; ++transition) {
    const Transition& t = kTransitions[static_cast<std::size_t>(transition)];
    if (t.from >= shown || t.to >= shown) continue;
    const TextBox& box = controls_.rateBoxes[static_cast<std::size_t>(t.rateBox)];
    const std::string from = quotedForDisplay(chain.states[static_cast<std::size_t>(t.from)]);
    const std::string to = quotedForDisplay(chain.states[static_cast<std::size_t>(t.to)]);
    const StrictReading reading = box.strictNumber(numberFormat_);
    if (reading.status != StrictStatus::Number) {
      if (box.text().find_first_not_of(" \t") == std::string::npos) {
        return fill(_("The rate from {from} to {to} is empty; the chain is not saved until it "
                      "holds one."),
                    {{"from", from}, {"to", to}});
      }
      return fill(_("The rate from {from} to {to} holds {text}, which is not a number; the chain "
                    "is not saved until it holds one."),
                  {{"from", from}, {"to", to}, {"text", quotedForDisplay(box.text())}});
    }
    if (std::fabs(reading.value) > kLargestChainRate) {
      return fill(_("The rate from {from} to {to} is above 1e305, too large to save."),
                  {{"from", from}, {"to", to}});
    }
    if (reading.value != 0.0) chain.rates[static_cast<std::size_t>(transition)] = reading.value;
  }
  return chain;
}

std::optional<std::string> MainForm::renameState(int state, std::string name) {
  const auto index = static_cast<std::size_t>(state);
  if (state < 0 || state >= kStateCount || !controls_.circles[index].visible) {
    return _("That state is not on the window.");
  }
  std::vector<std::string> others;
  for (std::size_t other = 0; other < kStateCount; ++other) {
    if (other != index && controls_.circles[other].visible) {
      others.push_back(stateName(static_cast<int>(other)));
    }
  }
  if (std::optional<std::string> problem = stateNameProblem(name, others)) {
    char& first = (*problem)[0];
    if (first >= 'a' && first <= 'z') first = static_cast<char>(first - 'a' + 'A');
    return problem;
  }
  notice_.reset();
  controls_.nameLabels[index].caption = std::move(name);
  userNamed_[index] = true;
  shownNamesStale_ = true;
  return std::nullopt;
}

void MainForm::chooseNextState() {
  DrawInputs inputs{controls_.rateBoxes, controls_.moveTimer.interval, vars_.currentState,
                    numberFormat_};
  const std::array<std::string, kStateCount>& names = shownNames();
  for (std::size_t i = 0; i < kStateCount; ++i) inputs.stateNames[i] = names[i];
  tessel::chooseNextState(inputs, random_, vars_.nextState);
}

void MainForm::beginMove() {
  if (tessel::beginMove(vars_, controls_)) ++jumps_;
}

void MainForm::updateOccupancyChart() {
  tessel::updateOccupancyChart(vars_.occupancy, controls_);
}

void MainForm::drawUntilJump() {
  for (int draws = 0; vars_.nextState == vars_.currentState; ++draws) {
    if (draws == kMostDrawsForOne) {
      throw RunError(
          ErrorKind::InvalidOperation,
          fill(_("No jump out of \"{state}\" came up in {draws} draws: its rates are too "
                 "small next to the largest rate on the window. Click \"One\" to keep "
                 "trying, or raise its rates."),
               {{"state", stateCaption()}, {"draws", std::to_string(kMostDrawsForOne)}}));
    }
    chooseNextState();
    // Once the rates have read without error, find out whether any draw
    // could ever leave this state; if none can, say so instead of looping.
    if (draws == 0 && vars_.nextState == vars_.currentState) raiseIfNoWayOut();
  }
}

std::string MainForm::stateCaption() const {
  if (const auto state = stateIndex(vars_.currentState)) return stateName(*state);
  return vars_.currentState;
}

void MainForm::raiseIfNoWayOut() const {
  const std::optional<int> from = stateIndex(vars_.currentState);
  const std::optional<DrawRates> rates =
      readDrawRates(controls_.rateBoxes, controls_.moveTimer.interval, numberFormat_);
  if (from && rates && rates->passes > 0) {
    for (const float chance : attemptChances(*rates, *from)) {
      if (chance > 0.0F) return;
    }
    // A positive rate whose chance rounds to nothing next to the largest
    // rate can never fire either, but it deserves a message of its own.
    for (const Attempt& attempt : outgoingAttempts(*from)) {
      if (rates->rates[static_cast<std::size_t>(attempt.rateBox)] > 0.0) {
        throw RunError(ErrorKind::InvalidOperation,
                       fill(_("The rates out of \"{state}\" are too small next to the largest rate "
                              "on the window to ever fire."),
                            {{"state", stateCaption()}}));
      }
    }
  }
  throw RunError(ErrorKind::InvalidOperation,
                 fill(_("No transition out of \"{state}\" has a positive rate."),
                      {{"state", stateCaption()}}));
}

}  // namespace tessel
