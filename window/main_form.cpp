#include "window/main_form.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "chain/choose_next_state.h"
#include "chain/long_run.h"
#include "display/occupancy_chart.h"
#include "display/show_layer.h"
#include "toolkit/quoted_text.h"

namespace tessel {
namespace {

// "One" repeats the draw until it jumps. When a jump is possible but very
// unlikely it gives up after this many draws (about 2,000,000 passes, a
// fraction of a second) rather than freeze the window.
constexpr int kMostDrawsForOne = 50000;

const std::string kStart = "Start";
const std::string kStop = "Stop";
const std::string kPause = "Pause";
const std::string kCont = "Cont";

[[noreturn]] void raiseTokenFault(FloatFault fault) {
  throw RunError(errorKindOf(fault),
                 "The token's position on its arc cannot be computed. Pick the scenario again "
                 "to restart.");
}

double checked(double result) {
  if (const FloatFault fault = resultFault(result); fault != FloatFault::None) {
    raiseTokenFault(fault);
  }
  return result;
}

// The token's Left or Top at a frame: the fraction frame/30 of the way from
// the start to the end, in double precision, handed over as single precision.
float framePosition(double from, double to, std::int16_t frame) {
  const double travelled = checked(checked(to - from) * static_cast<double>(frame));
  const double part = travelled / 30.0;
  const double position = checked(checked(part) + from);
  if (const FloatFault fault = narrowingFault(position); fault != FloatFault::None) {
    raiseTokenFault(fault);
  }
  return static_cast<float>(position);
}

// The circle the token stands on, by the corner split: left of 3000 and
// above 3480 is Blue's, and so on; a position exactly on a line counts as
// right of it or below it.
int arrivalCircle(float left, float top) {
  const bool right = left >= static_cast<float>(kCornerSplitLeft);
  const bool lower = top >= static_cast<float>(kCornerSplitTop);
  return (lower ? kGreen : kBlue) + (right ? 1 : 0);
}

std::int16_t addFrames(std::int16_t frame) {
  if (frame > std::numeric_limits<std::int16_t>::max() - kFrameStep) {
    throw RunError(ErrorKind::Overflow, "The token's frame counter overflowed.");
  }
  return static_cast<std::int16_t>(frame + kFrameStep);
}

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
        onScenarioTextChanged();
        break;
      case FormEvent::ScenarioClick:
        onScenarioPicked();
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
  lastError_ = RunError(ErrorKind::InvalidOperation,
                        std::string("Something unexpected went wrong: ") + error.what());
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
    return;
  }
  longRunStart_ = placeLongRunMarks(controls_, vars_.currentState, numberFormat_);
}

std::string MainForm::longRunNote() const {
  if (longRunStart_ != LongRunStart::FromCurrent) return {};
  std::string note = "The long run depends on the start: the marks are for a start in ";
  note += quotedForDisplay(stateCaption());
  note += ", where the token rests.";
  return note;
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
  vars_.occupancy.fill(0.0);
}

void MainForm::onScenarioTextChanged() {
  resetDiagram();
  loadScenario();
  vars_.moveFrame = kScenarioApplied;
  controls_.token.visible = false;
  vars_.occupancy.fill(0.0);
}

void MainForm::onScenarioPicked() {
  onScenarioTextChanged();
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
    vars_.occupancy.fill(0.0);
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
  Shape& token = controls_.token;
  if (vars_.moveFrame < kLastFrame) {
    token.visible = true;
    token.left = framePosition(vars_.moveFromX, vars_.moveToX, vars_.moveFrame);
    token.top = framePosition(vars_.moveFromY, vars_.moveToY, vars_.moveFrame);
    vars_.moveFrame = addFrames(vars_.moveFrame);
  } else if (vars_.moveFrame == kLastFrame) {
    vars_.moveFrame = kArrived;
    token.visible = false;
    vars_.currentState = vars_.nextState;
    // The token still stands where the last frame put it, nine tenths of the
    // way along its arc, inside the destination's corner.
    const int circle = arrivalCircle(token.left, token.top);
    controls_.circles[static_cast<std::size_t>(circle)].borderColor = kRed;
    if (vars_.counting == kTrue) {
      if (const auto state = stateIndex(vars_.nextState)) {
        double& visits = vars_.visits[static_cast<std::size_t>(*state)];
        const double counted = visits + 1.0;
        if (const FloatFault fault = resultFault(counted); fault != FloatFault::None) {
          throw RunError(errorKindOf(fault), "A visit count grew beyond what can be shown.");
        }
        visits = counted;
        visitsStale_[static_cast<std::size_t>(*state)] = true;
      }
    }
  }

  if (vars_.moveFrame <= kLastFrame) return;
  if (vars_.counting != kTrue) return;
  if (const auto state = stateIndex(vars_.currentState)) {
    double& ticks = vars_.occupancy[static_cast<std::size_t>(*state)];
    const double counted = ticks + 1.0;
    if (const FloatFault fault = resultFault(counted); fault != FloatFault::None) {
      throw RunError(errorKindOf(fault), "The count of resting ticks grew beyond range.");
    }
    ticks = counted;
  }
  // The chart is drawn once the frame's ticks are done.
  chartStale_ = true;
  chooseNextState();
  tickDrew_ = true;
  if (vars_.nextState != vars_.currentState) beginMove();
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
  for (TextBox& box : controls_.rateBoxes) box.setText("0.0");
  for (Line& stroke : controls_.arrowStrokes) stroke.visible = false;
  for (std::size_t i = 0; i < kTransitionCount; ++i) {
    controls_.rateBoxes[i].visible = false;
    controls_.arcLines[i].visible = false;
  }
  for (std::size_t i = 0; i < kStateCount; ++i) {
    controls_.circles[i].visible = false;
    controls_.bars[i].visible = false;
    controls_.shareLabels[i].visible = false;
    controls_.visitCounts[i].visible = false;
  }
  zeroVisitCounts();
  for (Label& name : controls_.nameLabels) name.caption.clear();

  if (const Chain* chain = pickedChain()) {
    applyChain(*chain);
    return;
  }
  // Every scenario is the base with its own additions on top; the list's
  // text is read afresh for each test and compared exactly.
  applyScenarioAdditions(kBaseScenario, true);
  for (std::size_t i = 1; i < kScenarios.size(); ++i) {
    if (controls_.scenarioList.text == kScenarios[i].name)
      applyScenarioAdditions(kScenarios[i], false);
  }
}

void MainForm::applyScenarioAdditions(const Scenario& scenario, bool isBase) {
  // The base shows layer 2 and columns 0 and 1; the others add what they
  // need beyond that.
  const std::size_t firstLayer = isBase ? 0 : 1;
  for (std::size_t i = firstLayer; i < scenario.layers.size(); ++i) showLayer(scenario.layers[i]);
  for (int state = 0; state < kStateCount; ++state) {
    const std::string_view name = scenario.stateNames[static_cast<std::size_t>(state)];
    if (!name.empty())
      controls_.nameLabels[static_cast<std::size_t>(state)].caption = std::string(name);
  }
  for (const DefaultRate& rate : scenario.rates) {
    controls_.rateBoxes[static_cast<std::size_t>(rate.rateBox)].setText(numberText(rate.rate));
  }
  showColumns(scenario, isBase ? 0 : 2);
}

const Chain* MainForm::pickedChain() const {
  const std::vector<std::string>& entries = controls_.scenarioList.entries;
  for (std::size_t i = 0; i < chains_.size(); ++i) {
    const std::size_t entry = kScenarioListOrder.size() + i;
    if (entry < entries.size() && entries[entry] == controls_.scenarioList.text) return &chains_[i];
  }
  return nullptr;
}

void MainForm::applyChain(const Chain& chain) {
  // The design's layers for two, three or four states, and every other
  // transition between the shown states with them: the diagonals too.
  const int shown = static_cast<int>(chain.states.size());
  showLayer(2);
  if (shown >= 3) showLayer(3);
  if (shown == 4) showLayer(4);
  for (int transition = 0; transition < kTransitionCount; ++transition) {
    const Transition& t = kTransitions[static_cast<std::size_t>(transition)];
    if (t.from < shown && t.to < shown) showTransition(controls_, transition);
  }
  for (std::size_t state = 0; state < chain.states.size(); ++state) {
    controls_.nameLabels[state].caption = chain.states[state];
  }
  // Written as a preset writes its defaults: a rate the chain leaves out
  // keeps the "0.0" every box starts from.
  for (std::size_t transition = 0; transition < kTransitionCount; ++transition) {
    if (const std::optional<double>& rate = chain.rates[transition]) {
      controls_.rateBoxes[static_cast<std::size_t>(kTransitions[transition].rateBox)].setText(
          numberText(*rate));
    }
  }
  for (std::size_t state = 0; state < chain.states.size(); ++state) {
    controls_.bars[state].visible = true;
    controls_.shareLabels[state].visible = true;
    controls_.visitCounts[state].visible = true;
  }
}

void MainForm::openChain(Chain chain) {
  if (!loaded_) return;
  std::vector<std::string>& entries = controls_.scenarioList.entries;
  std::optional<std::size_t> entry;
  for (std::size_t i = 0; i < chains_.size(); ++i) {
    if (chains_[i] == chain) entry = kScenarioListOrder.size() + i;
  }
  if (!entry) {
    std::string title = chain.title;
    for (int copy = 2; std::find(entries.begin(), entries.end(), title) != entries.end(); ++copy) {
      title = chain.title + " (" + std::to_string(copy) + ")";
    }
    controls_.scenarioList.addItem(std::move(title));
    chains_.push_back(std::move(chain));
    entry = entries.size() - 1;
  }
  controls_.scenarioList.text = entries[*entry];
  handle(FormEvent::ScenarioClick);
}

std::variant<Chain, std::string> MainForm::chainOnWindow() const {
  Chain chain;
  if (const Chain* picked = pickedChain()) {
    chain.title = picked->title;
    chain.note = picked->note;
  } else {
    // A preset, or a text typed into the list, which gives the base.
    chain.title = std::string(scenarioNamed(controls_.scenarioList.text).name);
  }
  for (std::size_t state = 0; state < kStateCount && controls_.circles[state].visible; ++state) {
    chain.states.emplace_back(
        shownStateName(static_cast<int>(state), controls_.nameLabels[state].caption));
  }
  const int shown = static_cast<int>(chain.states.size());
  for (int transition = 0; transition < kTransitionCount; ++transition) {
    const Transition& t = kTransitions[static_cast<std::size_t>(transition)];
    if (t.from >= shown || t.to >= shown) continue;
    const TextBox& box = controls_.rateBoxes[static_cast<std::size_t>(t.rateBox)];
    const std::string name =
        "The rate from " + quotedForDisplay(chain.states[static_cast<std::size_t>(t.from)]) +
        " to " + quotedForDisplay(chain.states[static_cast<std::size_t>(t.to)]);
    const StrictReading reading = box.strictNumber(numberFormat_);
    if (reading.status != StrictStatus::Number) {
      const bool empty = box.text().find_first_not_of(" \t") == std::string::npos;
      return name +
             (empty ? " is empty"
                    : " holds " + quotedForDisplay(box.text()) + ", which is not a number") +
             "; the chain is not saved until it holds one.";
    }
    if (std::fabs(reading.value) > kLargestChainRate) {
      return name + " is above 1e305, too large to save.";
    }
    if (reading.value != 0.0) chain.rates[static_cast<std::size_t>(transition)] = reading.value;
  }
  return chain;
}

std::optional<std::string> MainForm::renameState(int state, std::string name) {
  const auto index = static_cast<std::size_t>(state);
  if (state < 0 || state >= kStateCount || !controls_.circles[index].visible) {
    return "That state is not on the window.";
  }
  std::vector<std::string> others;
  for (std::size_t other = 0; other < kStateCount; ++other) {
    if (other != index && controls_.circles[other].visible) {
      others.emplace_back(
          shownStateName(static_cast<int>(other), controls_.nameLabels[other].caption));
    }
  }
  if (std::optional<std::string> problem = stateNameProblem(name, others)) {
    char& first = (*problem)[0];
    if (first >= 'a' && first <= 'z') first = static_cast<char>(first - 'a' + 'A');
    return problem;
  }
  notice_.reset();
  controls_.nameLabels[index].caption = std::move(name);
  return std::nullopt;
}

std::string MainForm::entryNote(std::size_t index) const {
  const std::size_t presets = kScenarioListOrder.size();
  return index >= presets && index - presets < chains_.size() ? chains_[index - presets].note
                                                              : std::string();
}

void MainForm::setNotice(Notice notice) {
  notice_ = std::move(notice);
}

void MainForm::showColumns(const Scenario& scenario, std::size_t first) {
  if (first == 0) {
    // The base shows both bars, then both percentage labels, then both counts.
    for (std::size_t i = 0; i < scenario.columns.size(); ++i) {
      controls_.bars[static_cast<std::size_t>(scenario.columns[i])].visible = true;
    }
    for (std::size_t i = 0; i < scenario.columns.size(); ++i) {
      controls_.shareLabels[static_cast<std::size_t>(scenario.columns[i])].visible = true;
    }
    for (std::size_t i = 0; i < scenario.columns.size(); ++i) {
      controls_.visitCounts[static_cast<std::size_t>(scenario.columns[i])].visible = true;
    }
    return;
  }
  for (std::size_t i = first; i < scenario.columns.size(); ++i) {
    const auto column = static_cast<std::size_t>(scenario.columns[i]);
    controls_.bars[column].visible = true;
    controls_.shareLabels[column].visible = true;
    controls_.visitCounts[column].visible = true;
  }
}

void MainForm::showLayer(std::int16_t layer) {
  tessel::showLayer(controls_, layer);
}

void MainForm::chooseNextState() {
  DrawInputs inputs{controls_.rateBoxes, controls_.moveTimer.interval, vars_.currentState,
                    numberFormat_};
  for (std::size_t i = 0; i < kStateCount; ++i)
    inputs.stateNames[i] = controls_.nameLabels[i].caption;
  tessel::chooseNextState(inputs, random_, vars_.nextState);
}

void MainForm::beginMove() {
  const std::optional<int> from = stateIndex(vars_.currentState);
  const std::optional<int> to = stateIndex(vars_.nextState);
  const std::optional<int> record = from && to ? transitionIndex(*from, *to) : std::nullopt;
  if (record) {
    const ArcCoords& path = vars_.tokenPaths[static_cast<std::size_t>(*record)];
    vars_.moveFromX = path[kStartLeft];
    vars_.moveToX = path[kEndLeft];
    vars_.moveFromY = path[kStartTop];
    vars_.moveToY = path[kEndTop];
    controls_.circles[static_cast<std::size_t>(*from)].borderColor = kGrey;
  }
  if (vars_.nextState != vars_.currentState) {
    vars_.currentState = vars_.nextState;
    vars_.moveFrame = 0;
    ++jumps_;
  } else {
    vars_.moveFrame = kNoMove;
  }
}

void MainForm::updateOccupancyChart() {
  tessel::updateOccupancyChart(vars_.occupancy, controls_);
}

void MainForm::drawUntilJump() {
  for (int draws = 0; vars_.nextState == vars_.currentState; ++draws) {
    if (draws == kMostDrawsForOne) {
      throw RunError(ErrorKind::InvalidOperation,
                     "No jump out of \"" + stateCaption() + "\" came up in " +
                         std::to_string(kMostDrawsForOne) +
                         " draws: its rates are too small next to the largest rate on the "
                         "window. Click \"One\" to keep trying, or raise its rates.");
    }
    chooseNextState();
    // Once the rates have read without error, find out whether any draw
    // could ever leave this state; if none can, say so instead of looping.
    if (draws == 0 && vars_.nextState == vars_.currentState) raiseIfNoWayOut();
  }
}

std::string MainForm::stateCaption() const {
  if (const auto state = stateIndex(vars_.currentState)) {
    const std::string& caption = controls_.nameLabels[static_cast<std::size_t>(*state)].caption;
    if (!caption.empty()) return caption;
  }
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
                       "The rates out of \"" + stateCaption() +
                           "\" are too small next to the largest rate on the window to ever "
                           "fire.");
      }
    }
  }
  throw RunError(ErrorKind::InvalidOperation,
                 "No transition out of \"" + stateCaption() + "\" has a positive rate.");
}

}  // namespace tessel
