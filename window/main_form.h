#pragma once

// MainForm: the demonstration's one window, as plain C++ over the control
// model. It holds the window's variables and answers the window's events;
// front-ends reach it through a Session (window/session.h), which reads it
// and sends it events, and never change its controls themselves.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <variant>

#include "chain/chain_file.h"
#include "display/form_controls.h"
#include "display/long_run_marks.h"
#include "toolkit/numbers.h"
#include "toolkit/random_source.h"
#include "toolkit/run_error.h"
#include "window/form_variables.h"
#include "window/share_history.h"
#include "window/user_chains.h"

namespace tessel {

enum class FormEvent {
  Load,                // the window loads; arrives once, before any other
  ScenarioChange,      // the scenario list's text changed
  ScenarioClick,       // an entry of the scenario list was picked
  OneClick,            // "One"
  StartStopClick,      // "Start" / "Stop"
  PauseContinueClick,  // "Pause" / "Cont"
  TimerTick,           // the move timer fired
};

class MainForm {
 public:
  explicit MainForm(RandomSource& random,
                    NumberFormat numberFormat = NumberFormat::fromEnvironment());

  // Runs one event's handler to completion. An error raised inside the
  // handler ends it at that point (what it set before stays set), is kept as
  // lastError() and is reported by returning false; the window goes on.
  // An event that completes clears the last error, except a timer tick that
  // made no draw, so that an idle tick does not wipe a message the user has
  // not read yet. Events before Load, a second Load and ticks while the
  // timer is disabled are ignored.
  bool handle(FormEvent event);
  const std::optional<RunError>& lastError() const { return lastError_; }

  // Runs up to `ticks` timer ticks as one frame, for a window that shows
  // them faster than one a timer event. The chain, its random numbers, the
  // visit counts and the counted ticks advance tick by tick exactly as with
  // one TimerTick event each, so a run is the same however its ticks are
  // split into frames; what only the screen shows (the count captions, the
  // chart, the long-run marks) is brought up to date once, after the last.
  // Stops early at a tick that raises an error (kept as lastError(), the
  // tick counted as run), and, where `timeUp` is given, when it returns
  // true; it is asked every kTicksBetweenClockReads ticks. Runs nothing
  // before Load or while the timer is disabled. Returns the ticks run.
  static constexpr int kTicksBetweenClockReads = 256;
  int runFrame(int ticks, const std::function<bool()>& timeUp = {});
  // Whether the last frame (or TimerTick) ended at a tick that raised an error.
  bool lastFrameFailed() const { return tickFailed_; }

  // Jumps drawn since Load: moves begun by a tick or by "One".
  std::uint64_t jumps() const { return jumps_; }

  // The rate box an error last named, until its text reads as a number again
  // (typed, or written by a scenario); the view marks it. It outlives the
  // error message, which other events may clear first.
  std::optional<int> markedRateBox() const { return markedRateBox_; }

  // What the user types: a rate box's text (the next draw reads it), or the
  // scenario list's text followed by its change event. Fixing the rate box
  // that the last error named clears that error.
  void setRateText(int box, std::string text);
  bool typeScenario(std::string text);
  // Picks the list's entry at `index` as a click on it does; an index the
  // list does not have changes nothing. Returns whether the event completed.
  bool pickEntry(std::size_t index);

  // Chains of the user's own. openChain adds one to the scenario list after
  // the five (see UserChains::add) and picks it as a click on its entry
  // does. Picking it again applies its names and rates afresh, as a preset's.
  void openChain(Chain chain);
  // The chain on the window as it stands: the scenario's title, the names
  // of the shown states and the numbers in the rate boxes between them
  // (zeros left out). A sentence naming the transition instead while a rate
  // box between shown states holds no number.
  std::variant<Chain, std::string> chainOnWindow() const;
  // Names a shown state anew, until a scenario is applied again. Returns
  // what is wrong with the name instead, changing nothing.
  std::optional<std::string> renameState(int state, std::string name);
  // The note of the list entry at `index`, for its tooltip; empty for the
  // presets.
  std::string entryNote(std::size_t index) const { return chains_.note(index); }
  // The list entry at `index` as the list shows it: a preset's title in the
  // language spoken now, a chain's as its file gives it.
  std::string entryLabel(std::size_t index) const;
  // A state's name as the window shows it: a preset's own names in the
  // language spoken now, a chain's and the user's as they are, and the
  // state's colour where it has none.
  std::string stateName(int state) const;

  // A message from outside the chain, such as a file that cannot be read,
  // shown until the user's next action; `problem` shows it as an error.
  struct Notice {
    std::string text;
    bool problem = true;
  };
  void setNotice(Notice notice) { notice_ = std::move(notice); }
  void clearNotice() { notice_.reset(); }
  const std::optional<Notice>& notice() const { return notice_; }

  // The long-run marks on the chart, off at start. While they are on they
  // follow every event and every typed rate: a new scenario, an edited rate,
  // the state the token rests in.
  void setLongRunMarksShown(bool shown);
  bool longRunMarksShown() const { return longRunMarksShown_; }
  // While the marks are on and the long run depends on where the chain
  // starts, the sentence that says so; empty otherwise.
  std::string longRunNote() const;

  const FormControls& controls() const { return controls_; }
  // Each state's share of the counted ticks as the count grew, since the
  // counts last started afresh; and the count now.
  const ShareHistory& shareHistory() const { return history_; }
  std::uint64_t countedTicks() const { return countedTicks_; }
  const FormVariables& variables() const { return vars_; }
  const NumberFormat& numberFormat() const { return numberFormat_; }
  // How the user writes numbers from now on, as when the page's language
  // changes: the next reading of every rate box follows it.
  void setNumberFormat(NumberFormat format);

 private:
  // The tests reach the handlers and the controls through it.
  friend struct MainFormProbe;

  // The event handlers. Each raises RunError as described above; handle()
  // is the entry point that catches it.
  void onLoad();
  void onScenarioTextChanged();
  void onOneClicked();
  void onStartStopClicked();
  void onPauseClicked();
  void onTimerTick();

  // The procedures the handlers call, on the window's variables and controls.
  void resetDiagram();
  void loadScenario();
  void chooseNextState();
  void beginMove();
  void updateOccupancyChart();
  // Brings what only the screen shows in line with the variables: the count
  // captions, the chart where a counted tick changed it, the long-run marks
  // and the rate box marked for an error.
  void refreshShownValues();

  void countArrival();
  void drawUntilJump();
  void raiseIfNoWayOut() const;
  void unmarkFixedRateBox();
  std::string stateCaption() const;
  const std::array<std::string, kStateCount>& shownNames() const;
  void refreshLongRunMarks();
  bool tickOnce();
  void zeroVisitCounts();
  void zeroOccupancy();
  void keepError(const RunError& error);
  void keepUnexpectedError(const std::exception& error);

  RandomSource& random_;
  NumberFormat numberFormat_;
  FormControls controls_;
  FormVariables vars_;
  std::optional<RunError> lastError_;
  std::optional<int> markedRateBox_;
  std::optional<Notice> notice_;
  UserChains chains_;
  // The states the user has named since the scenario was applied; their
  // names are shown as typed, in every language.
  std::array<bool, kStateCount> userNamed_{};
  // The states' names as shown, kept for the draw's messages until the
  // names or the language change.
  mutable std::array<std::string, kStateCount> shownNames_;
  mutable std::string shownNamesLanguage_;
  mutable bool shownNamesStale_ = true;
  bool loaded_ = false;
  bool tickDrew_ = false;
  bool tickFailed_ = false;  // the last frame ended at a tick that raised an error
  bool chartStale_ = false;  // a counted tick changed the shares since the chart was drawn
  std::array<bool, kStateCount> visitsStale_{};
  std::uint64_t jumps_ = 0;
  std::uint64_t countedTicks_ = 0;  // the occupancy's sum, exactly
  ShareHistory history_;
  bool longRunMarksShown_ = false;
  LongRunStart longRunStart_ = LongRunStart::None;
  // What the long-run marks were last placed from: the rates' texts, the
  // state the chain rests in, the bars shown and the timer's interval.
  struct LongRunInputs {
    std::array<std::string, kTransitionCount> rates;
    std::string state;
    std::array<bool, kStateCount> bars{};
    std::int32_t interval = 0;
    bool operator==(const LongRunInputs&) const = default;
  };
  std::optional<LongRunInputs> marksPlacedFrom_;
};

}  // namespace tessel
