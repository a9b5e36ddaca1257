#pragma once

// Session: what lies between the window's logic and a screen, written once
// for every front-end: the Qt window, the page and tessel-sim. It owns the
// random source, the window (MainForm) and the pace its frames run at. A
// front-end hands it what the user does and shows what it describes: the
// controls' state, the strip's message, the table's rows and the drawing.
// Only a front-end's own platform stays with the front-end: its widgets,
// files, dialogs, clipboard and full screen.

#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "display/form_canvas.h"
#include "display/form_controls.h"
#include "display/views.h"
#include "toolkit/numbers.h"
#include "toolkit/random_source.h"
#include "window/chain_documents.h"
#include "window/commands.h"
#include "window/frame_runner.h"
#include "window/main_form.h"
#include "window/run_options.h"

namespace tessel {

// The status strip's one message: an error first; then a notice (a file
// that could not be opened, a chain saved); then what the long-run marks
// stand for where that depends on the start; otherwise the front-end's hint.
struct StripMessage {
  std::string text;
  bool problem = false;  // shown as an error
  bool isHint = false;   // the hint, nothing the window said
};

// One shown state as the counts table lists it, in the words a screen shows.
struct CountsRow {
  int state = 0;
  std::string colour;   // "Blue"
  std::string name;     // the state's name on the window
  std::string visits;   // "12"
  std::string share;    // "25%"; empty before any tick is counted
  std::string longRun;  // "24.9%"; empty while the marks are off or hidden
};

// Where the chain a link carries came from, for the strip's message.
enum class LinkPlace { Link, Address };

// What happens when a count of ticks ends: the chain pauses there, so that
// "Cont" runs on; or it holds, for a picture taken right away.
enum class AtCount { Pause, Hold };

class Session {
 public:
  struct Setup {
    std::optional<std::uint64_t> seed;  // none: seeded from the clock
    NumberFormat numberFormat = NumberFormat::fromEnvironment();
    FrontEnd frontEnd = FrontEnd::Desktop;
  };

  explicit Session(Setup setup);
  // A session whose draws take their numbers from `random` instead, such as
  // a test's; the seed is then unused.
  Session(Setup setup, RandomSource& random);
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // Loads the window: the first thing a front-end does once it can show it.
  // Returns whether loading completed without an error.
  bool load();

  // ---- What the user does

  // Carries out a command that the window answers itself: the buttons, a
  // scenario's key, the speed's steps, the long-run marks. Returns false,
  // changing nothing, for one that only a front-end can carry out (its
  // dialogs, full screen, the name editor); and for a button whose event
  // ended in an error (the strip says which).
  bool perform(Action action);
  // Picks the list's entry at `index` as a click on it does; returns
  // whether the event completed.
  bool pickEntry(std::size_t index);
  void typeRate(int box, std::string text);
  void setSpeed(std::size_t speed);
  void setLongRun(bool shown);
  // What stands in the chart's place; the chain runs on the same in each.
  void setView(View view);
  // Speaks `code` from now on (see tessel::setLanguage), keeping the run;
  // false, changing nothing, for a language the program does not speak.
  bool setLanguage(std::string_view code);
  // Says once that the page's address asked for a language not spoken.
  void refuseLanguage(std::string_view language);
  // The decimal separator the user writes rates with, from now on.
  void setDecimalSeparator(std::string separator);
  // Whether the user points with a finger: the hint then speaks of taps.
  void setTouch(bool touch) { touch_ = touch; }

  // Opens each readable chain into the scenario list, each picked as it is
  // added; a document that cannot be opened changes nothing, and the strip
  // names it (and how many more failed). Returns which opened.
  std::vector<bool> openDocuments(std::span<const Document> documents);
  // Opens a chain already read, as a document would.
  void openChain(Chain chain);
  // Opens the chain document a link or the page's address carries.
  bool openLinkedChain(std::string_view document, LinkPlace place);

  // The chain on the window as a document to save, and the file name to
  // offer for it (the title with the extension); none, with the strip
  // saying why, while a rate box between shown states holds no number.
  struct ChainToSave {
    std::string document;
    std::string fileName;
  };
  std::optional<ChainToSave> chainToSave();
  // The name to offer before asking where to save: the title, or "chain".
  std::string saveName() const;
  // What became of the writing, for the strip, by the file's own name.
  void chainSaved(std::string_view path);
  void chainNotSaved(std::string_view path, std::string_view reason);
  // A share link copied, or shown in the strip where it could not be.
  void linkCopied(bool copied, std::string_view link);

  // Renaming a shown state: while its name is edited the drawing leaves it
  // out; finishing keeps the new name, or with none drops it. Returns false
  // for a state not on the window, or a name refused (the strip says why).
  bool beginRename(int state);
  bool finishRename(std::optional<std::string> name);
  std::optional<int> renamedState() const { return renamed_; }

  // From now on frames count exactly `ticks` ticks more, then `atCount`.
  void countTicks(long long ticks, AtCount atCount);
  // Applies what a page's address or a screenshot's command line asks for:
  // the long-run marks, a scenario, a chain document, the speed, then a
  // count of ticks started with "Start". The first problem goes to the
  // strip.
  void apply(const RunSetup& setup, AtCount atCount);

  // One frame of the timer at the current speed, never more than
  // `mostTicks`. Where it ends a count it says so, and the chain pauses or
  // holds there as asked.
  FrameRunner::Frame runFrame(int mostTicks = std::numeric_limits<int>::max());
  // Runs exactly `ticks` ticks as one frame whatever the speed, for a runner
  // that shows no frames; stops early at a tick that raises an error.
  // Returns the ticks run.
  int runTicks(int ticks);

  // ---- What a front-end shows

  const MainForm& form() const { return form_; }
  const FormControls& controls() const { return form_.controls(); }
  FrontEnd frontEnd() const { return frontEnd_; }
  std::size_t speed() const { return frames_.speed(); }
  bool longRunShown() const { return form_.longRunMarksShown(); }
  View view() const { return view_; }
  std::uint64_t ticksRun() const { return ticksRun_; }

  StripMessage strip() const;
  std::vector<CountsRow> counts() const;
  // The History in a sentence and the Chances' table, in the words a
  // screen shows, for a front-end's text alternatives.
  std::string historySummary() const;
  ChancesPicture chances() const;
  // A rate box's name, for its tooltip and a screen reader: "Rate from
  // Bored to On Phone", by the names the window shows.
  std::string rateBoxName(int box) const;
  // The list's entry as the list shows it, and the entry its text picks
  // (none for a text that is no entry).
  std::string entryLabel(std::size_t entry) const;
  std::optional<std::size_t> pickedEntry() const;
  // A button's caption (0 "One", 1 "Start"/"Stop", 2 "Pause"/"Cont") and
  // the letter that Alt takes with it.
  std::string buttonCaption(int button) const;
  char buttonLetter(int button) const;
  // The shown state whose oval holds the design point; none elsewhere.
  std::optional<int> stateAt(double x, double y) const;

  // Draws the window's drawn elements, leaving out the name being edited.
  void draw(FormCanvas& canvas) const;
  // What changed on the drawing since the last call, in design pixels; the
  // whole form at the first call, and where `whole` says a front-end's
  // surface was cleared.
  std::vector<PixelRect> takeRepaint(bool whole = false);

 private:
  bool drawnAsModelled() const;
  FormControls shownControls() const;
  void notice(std::string text, bool problem);

  std::optional<ClockSeededRandom> ownRandom_;
  MainForm form_;
  FrameRunner frames_;
  FrontEnd frontEnd_;
  bool touch_ = false;
  std::optional<int> renamed_;
  AtCount atCount_ = AtCount::Hold;
  std::uint64_t ticksRun_ = 0;
  std::optional<FormControls> painted_;  // as last drawn
  View view_ = View::Chart;
  View paintedView_ = View::Chart;
  std::optional<HistoryPicture> paintedHistory_;
  std::optional<ChancesPicture> paintedChances_;
};

}  // namespace tessel
