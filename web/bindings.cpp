// The window's logic for the browser: MainForm and what every front-end
// shares, bound with embind for the page's thin view (view.js). The page
// sends the user's input here and reads back, as JSON, everything it shows:
// the layout once, then after every event the controls' state and the
// drawing as a list of canvas operations.

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "chain/chain_file.h"
#include "chain/scenarios.h"
#include "chain/transitions.h"
#include "display/form_canvas.h"
#include "display/form_drawing.h"
#include "display/layout.h"
#include "toolkit/quoted_text.h"
#include "toolkit/random_source.h"
#include "window/front_end.h"
#include "window/main_form.h"
#include "window/run_speed.h"

namespace tessel {
namespace {

using emscripten::val;

// The design names of the states, by state: the accessible table's first
// column.
constexpr std::array<std::string_view, kStateCount> kStateColourNames{"Blue", "Purple", "Green",
                                                                      "Cyan"};

val textValue(std::string_view text) {
  return val(std::string(text));
}

val array(std::initializer_list<val> items) {
  val made = val::array();
  for (const val& item : items) made.call<void>("push", item);
  return made;
}

val boxValue(const PixelRect& rect) {
  return array({val(rect.left), val(rect.top), val(rect.width), val(rect.height)});
}

val boxValue(const BoxLayout& box) {
  return boxValue(pixelBox(box));
}

val fontValue(const FontSpec& font) {
  val made = val::object();
  made.set("pixels", font.points * 96.0 / 72.0);
  made.set("weight", font.weight);
  made.set("italic", font.italic);
  return made;
}

// A canvas that writes its operations down for the page to replay:
// ["ellipse", left, top, width, height, fill, border, borderWidth],
// ["line", x1, y1, x2, y2, colour, width, cap, antialiased],
// ["rect", left, top, width, height, colour] and
// ["text", left, top, width, height, text, font, colour, wrapped].
// Colours are 0xBBGGRR as in the layout; caps 0 flat, 1 square, 2 round.
class RecordingCanvas final : public FormCanvas {
 public:
  struct Operation {
    enum class Kind { kEllipse, kLine, kRect, kText } kind = Kind::kRect;
    std::array<double, 4> place{};  // box or line ends
    Colour colour = 0;              // fill, line or text colour
    Colour border = 0;
    int width = 0;  // border or line width
    int cap = 0;
    bool flag = false;  // antialiased line; wrapped text
    std::string text;
    FontSpec font{};

    bool operator==(const Operation&) const = default;
  };

  void ellipse(const PixelRect& box, Colour fill, Colour border, int borderWidth) override {
    Operation& op =
        add(Operation::Kind::kEllipse, {box.left, box.top, box.width, box.height}, fill);
    op.border = border;
    op.width = borderWidth;
  }
  void line(const PixelLine& line, Colour colour, int width, LineCap cap,
            bool antialiased) override {
    Operation& op = add(Operation::Kind::kLine, {line.x1, line.y1, line.x2, line.y2}, colour);
    op.width = width;
    op.cap = static_cast<int>(cap);
    op.flag = antialiased;
  }
  void fillRect(const PixelRect& rect, Colour colour) override {
    add(Operation::Kind::kRect, {rect.left, rect.top, rect.width, rect.height}, colour);
  }
  void text(const PixelRect& box, std::string_view text, const FontSpec& font, Colour colour,
            TextAlign align) override {
    Operation& op = add(Operation::Kind::kText, {box.left, box.top, box.width, box.height}, colour);
    op.flag = align == TextAlign::kCentreTopWrapped;
    op.text = text;
    op.font = font;
  }

  const std::vector<Operation>& operations() const { return operations_; }

  static val toValue(const std::vector<Operation>& operations) {
    static constexpr std::array<std::string_view, 4> kKinds{"ellipse", "line", "rect", "text"};
    val list = val::array();
    for (const Operation& op : operations) {
      val item = array({textValue(kKinds[static_cast<std::size_t>(op.kind)]), val(op.place[0]),
                        val(op.place[1]), val(op.place[2]), val(op.place[3])});
      const auto add = [&item](const val& value) { item.call<void>("push", value); };
      switch (op.kind) {
        case Operation::Kind::kEllipse:
          add(val(op.colour));
          add(val(op.border));
          add(val(op.width));
          break;
        case Operation::Kind::kLine:
          add(val(op.colour));
          add(val(op.width));
          add(val(op.cap));
          add(val(op.flag));
          break;
        case Operation::Kind::kRect:
          add(val(op.colour));
          break;
        case Operation::Kind::kText:
          add(val(op.text));
          add(fontValue(op.font));
          add(val(op.colour));
          add(val(op.flag));
          break;
      }
      list.call<void>("push", item);
    }
    return list;
  }

 private:
  Operation& add(Operation::Kind kind, std::array<double, 4> place, Colour colour) {
    Operation& op = operations_.emplace_back();
    op.kind = kind;
    op.place = place;
    op.colour = colour;
    return op;
  }

  std::vector<Operation> operations_;
};

// One message for several files that could not be opened: the first, and
// how many more.
std::string openingProblems(const std::vector<std::string>& problems) {
  std::string text = problems.front();
  if (problems.size() > 1) {
    text += " (" + std::to_string(problems.size() - 1) + " more files could not be opened either.)";
  }
  return text;
}

}  // namespace

// The window of one page.
class WebWindow {
 public:
  // `seed`: the digits of a seed (the page's address gives one, or the
  // browser's crypto.getRandomValues makes one); `decimalSeparator` the
  // browser language's.
  WebWindow(const std::string& seed, const std::string& decimalSeparator)
      : random_(ClockSeededRandom::withFixedSeed(readSeed(seed).value_or(0))),
        form_(random_, NumberFormat{decimalSeparator.empty() ? "." : decimalSeparator}) {}

  void load() { form_.handle(FormEvent::Load); }

  // 0 "One", 1 "Start"/"Stop", 2 "Pause"/"Cont".
  void click(int button) {
    static constexpr std::array<FormEvent, 3> kClicks{
        FormEvent::OneClick, FormEvent::StartStopClick, FormEvent::PauseContinueClick};
    if (button < 0 || button >= static_cast<int>(kClicks.size())) return;
    form_.handle(kClicks[static_cast<std::size_t>(button)]);
  }

  void pickScenario(int index) {
    const auto& entries = form_.controls().scenarioList.entries;
    if (index < 0 || index >= static_cast<int>(entries.size())) return;
    form_.controls().scenarioList.text = entries[static_cast<std::size_t>(index)];
    form_.handle(FormEvent::ScenarioClick);
  }

  void setRateText(int box, const std::string& text) {
    if (box < 0 || box >= kTransitionCount) return;
    form_.setRateText(box, text);
  }

  void setLongRun(bool shown) { form_.setLongRunMarksShown(shown); }
  void setSpeed(int speed) {
    if (speed >= 0) frames_.setSpeed(static_cast<std::size_t>(speed));
  }
  bool stepSpeed(int by) { return frames_.stepSpeed(by); }
  int speed() const { return static_cast<int>(frames_.speed()); }

  // Counts exactly `ticks` more ticks, then pauses the chain.
  void countTicks(double ticks) { frames_.countTicks(static_cast<long long>(ticks)); }

  // One frame of the timer; returns the ticks run.
  int runFrame() {
    const FrameRunner::Frame frame = frames_.run(form_);
    ticksRun_ += static_cast<double>(frame.ticks);
    if (frame.countReached) {
      // The count is done: the chain pauses where it ended, and "Cont" then
      // runs on at the same speed without a count.
      FrameRunner unlimited;
      unlimited.setSpeed(frames_.speed());
      frames_ = unlimited;
      form_.handle(FormEvent::PauseContinueClick);
      countReached_ = true;
    }
    return frame.ticks;
  }
  // Whether a count asked for has been reached; true once.
  bool takeCountReached() { return std::exchange(countReached_, false); }

  // Opens chain documents read from files, each picked as it is added; the
  // strip says why a file could not be opened. Returns how many opened.
  int openChains(const std::vector<std::string>& names, const std::vector<std::string>& documents) {
    std::vector<std::string> problems;
    int opened = 0;
    for (std::size_t i = 0; i < documents.size() && i < names.size(); ++i) {
      auto chain = readChain(documents[i]);
      if (const auto* problem = std::get_if<std::string>(&chain)) {
        problems.push_back("Cannot open " + quotedForDisplay(names[i]) + ": " + *problem);
        continue;
      }
      form_.openChain(std::get<Chain>(std::move(chain)));
      ++opened;
    }
    if (!problems.empty()) form_.setNotice({openingProblems(problems), true});
    return opened;
  }

  // Opens the chain a link carries; `where` names the link's part for the
  // message ("link", "address").
  bool openLinkedChain(const std::string& document, const std::string& where) {
    auto chain = readChain(document);
    if (const auto* problem = std::get_if<std::string>(&chain)) {
      form_.setNotice({"Cannot open the chain in the " + where + ": " + *problem, true});
      return false;
    }
    form_.openChain(std::get<Chain>(std::move(chain)));
    return true;
  }

  // The chain on the window as a chain document; empty, with the strip
  // saying why, when a rate box between shown states holds no number.
  std::string chainDocument() {
    const auto chain = form_.chainOnWindow();
    if (const auto* problem = std::get_if<std::string>(&chain)) {
      form_.setNotice({*problem, true});
      return {};
    }
    return writeChain(std::get<Chain>(chain));
  }
  std::string chainTitle() const {
    const auto chain = form_.chainOnWindow();
    const auto* found = std::get_if<Chain>(&chain);
    return found ? found->title : std::string("chain");
  }

  // Renames a shown state; the strip says what is wrong with a name refused.
  bool renameState(int state, const std::string& name) {
    if (state < 0 || state >= kStateCount) return false;
    if (const auto problem = form_.renameState(state, name)) {
      form_.setNotice({*problem, true});
      return false;
    }
    return true;
  }

  void setNotice(const std::string& text, bool problem) { form_.setNotice({text, problem}); }

  // Everything the page's controls and hidden table show.
  val state(const std::string& hint) const {
    const FormControls& controls = form_.controls();
    val entries = val::array();
    val notes = val::array();
    for (std::size_t i = 0; i < controls.scenarioList.entries.size(); ++i) {
      entries.call<void>("push", controls.scenarioList.entries[i]);
      notes.call<void>("push", form_.entryNote(i));
    }
    std::array<std::string, kStateCount> names;
    val table = val::array();
    val shownStates = val::array();
    val captions = val::array();
    for (int state = 0; state < kStateCount; ++state) {
      const auto i = static_cast<std::size_t>(state);
      names[i] = std::string(shownStateName(state, controls.nameLabels[i].caption));
      shownStates.call<void>("push", controls.circles[i].visible);
      captions.call<void>("push", controls.nameLabels[i].caption);
      if (!controls.circles[i].visible) continue;
      const LongRunMark& mark = controls.longRunMarks[i];
      val row = val::object();
      row.set("state", textValue(kStateColourNames[i]));
      row.set("name", controls.nameLabels[i].caption);
      row.set("visits", controls.visitCounts[i].caption);
      row.set("share", controls.shareLabels[i].caption);
      row.set("longRun", mark.visible ? mark.caption : std::string());
      table.call<void>("push", row);
    }
    std::vector<val> rates(kTransitionCount, val::null());
    for (const Transition& transition : kTransitions) {
      const auto box = static_cast<std::size_t>(transition.rateBox);
      val rate = val::object();
      rate.set("text", controls.rateBoxes[box].text());
      rate.set("visible", controls.rateBoxes[box].visible);
      rate.set("name", "Rate from " + names[static_cast<std::size_t>(transition.from)] + " to " +
                           names[static_cast<std::size_t>(transition.to)]);
      rates[box] = rate;
    }
    val rateList = val::array();
    for (const val& rate : rates) rateList.call<void>("push", rate);
    const StripMessage message = stripMessage(form_, hint);
    val strip = val::object();
    strip.set("text", message.text);
    strip.set("problem", message.problem);
    strip.set("hint", message.isHint);
    val timer = val::object();
    timer.set("enabled", controls.moveTimer.enabled);
    timer.set("interval", controls.moveTimer.interval);

    val made = val::object();
    made.set("entries", entries);
    made.set("notes", notes);
    made.set("listText", controls.scenarioList.text);
    made.set("buttons",
             array({val(controls.oneButton.caption), val(controls.startStopButton.caption),
                    val(controls.pauseButton.caption)}));
    made.set("rates", rateList);
    made.set("marked", form_.markedRateBox().value_or(-1));
    made.set("strip", strip);
    made.set("timer", timer);
    made.set("table", table);
    made.set("shown", shownStates);
    made.set("names", captions);
    made.set("longRun", form_.longRunMarksShown());
    made.set("speed", static_cast<int>(frames_.speed()));
    made.set("ticksRun", ticksRun_);
    made.set("jumps", static_cast<double>(form_.jumps()));
    return made;
  }

  // The drawn elements as canvas operations (see RecordingCanvas), with the
  // name of the state being renamed left out: its editor stands there. Null
  // when they are the same as last asked.
  val drawing(int renamedState) {
    RecordingCanvas canvas;
    if (renamedState >= 0 && renamedState < kStateCount) {
      FormControls shown = form_.controls();
      shown.nameLabels[static_cast<std::size_t>(renamedState)].caption.clear();
      drawForm(canvas, shown);
    } else {
      drawForm(canvas, form_.controls());
    }
    if (canvas.operations() == drawn_) return val::null();
    drawn_ = canvas.operations();
    return RecordingCanvas::toValue(drawn_);
  }
  // The next drawing() is given in full even if nothing changed.
  void forgetDrawing() { drawn_.clear(); }

 private:
  ClockSeededRandom random_;
  MainForm form_;
  FrameRunner frames_;
  double ticksRun_ = 0.0;
  bool countReached_ = false;
  std::vector<RecordingCanvas::Operation> drawn_;
};

// Where everything stands, in design pixels, and what the controls say at
// design; read once by the page.
val layoutValue() {
  val rateBoxes = val::array();
  for (const RateBoxLayout& box : kRateBoxes) rateBoxes.call<void>("push", boxValue(box.box));
  val buttons = val::array();
  for (const ButtonLayout& button : kButtons) buttons.call<void>("push", boxValue(button.box));
  val circles = val::array();
  val nameLabels = val::array();
  for (std::size_t i = 0; i < kStateCount; ++i) {
    circles.call<void>("push", boxValue(kStateCircles[i].box));
    nameLabels.call<void>("push", boxValue(kNameLabels[i].box));
  }
  val speeds = val::array();
  for (const RunSpeed& speed : kRunSpeeds) {
    speeds.call<void>("push", array({textValue(speed.label), textValue(speed.name)}));
  }
  val fonts = val::object();
  fonts.set("scenarioList", fontValue(kScenarioListFont));
  fonts.set("button", fontValue(kButtonFont));
  fonts.set("rateBox", fontValue(kRateBoxFont));
  fonts.set("strip", fontValue(kStatusStripFont));
  fonts.set("nameLabel", fontValue(kNameLabelFont));
  fonts.set("countLabel", fontValue(kCountLabelFont));

  val made = val::object();
  made.set("caption", textValue(kMainForm.caption));
  made.set("form", boxValue(BoxLayout{0, 0, kFormWidth, kFormHeight}));
  made.set("scenarioList", boxValue(kScenarioListBox));
  made.set("buttons", buttons);
  made.set("rateBoxes", rateBoxes);
  made.set("circles", circles);
  made.set("nameLabels", nameLabels);
  made.set("statusLine", boxValue(kStatusLineBox));
  made.set("statusMargin", kStatusStripMargin * kPixelsPerTwip);
  made.set("speedLabel", boxValue(kSpeedLabelBox));
  made.set("speedList", boxValue(kSpeedBox));
  made.set("longRun", boxValue(kLongRunBox));
  made.set("speeds", speeds);
  made.set("fonts", fonts);
  made.set("mostChainFileBytes", static_cast<double>(kMostChainFileBytes));
  made.set("chainExtension", textValue(kChainFileExtension));
  return made;
}

// The run options of the page's address, by the command line's rules.
bool seedIsValid(const std::string& text) {
  return readSeed(text).has_value();
}
double tickCountOf(const std::string& text) {
  return static_cast<double>(readTickCount(text).value_or(0));
}
int speedNamed(const std::string& text) {
  const auto speed = runSpeedNamed(text);
  return speed ? static_cast<int>(*speed) : -1;
}
bool isPresetName(const std::string& text) {
  return isScenarioName(text);
}
std::string quoted(const std::string& text) {
  return quotedForDisplay(text);
}

}  // namespace tessel

EMSCRIPTEN_BINDINGS(tessel) {
  using namespace emscripten;
  register_vector<std::string>("StringList");
  class_<tessel::WebWindow>("WebWindow")
      .constructor<const std::string&, const std::string&>()
      .function("load", &tessel::WebWindow::load)
      .function("click", &tessel::WebWindow::click)
      .function("pickScenario", &tessel::WebWindow::pickScenario)
      .function("setRateText", &tessel::WebWindow::setRateText)
      .function("setLongRun", &tessel::WebWindow::setLongRun)
      .function("setSpeed", &tessel::WebWindow::setSpeed)
      .function("stepSpeed", &tessel::WebWindow::stepSpeed)
      .function("speed", &tessel::WebWindow::speed)
      .function("countTicks", &tessel::WebWindow::countTicks)
      .function("runFrame", &tessel::WebWindow::runFrame)
      .function("takeCountReached", &tessel::WebWindow::takeCountReached)
      .function("openChains", &tessel::WebWindow::openChains)
      .function("openLinkedChain", &tessel::WebWindow::openLinkedChain)
      .function("chainDocument", &tessel::WebWindow::chainDocument)
      .function("chainTitle", &tessel::WebWindow::chainTitle)
      .function("renameState", &tessel::WebWindow::renameState)
      .function("setNotice", &tessel::WebWindow::setNotice)
      .function("state", &tessel::WebWindow::state)
      .function("drawing", &tessel::WebWindow::drawing)
      .function("forgetDrawing", &tessel::WebWindow::forgetDrawing);
  function("layout", &tessel::layoutValue);
  function("seedIsValid", &tessel::seedIsValid);
  function("tickCountOf", &tessel::tickCountOf);
  function("speedNamed", &tessel::speedNamed);
  function("isScenarioName", &tessel::isPresetName);
  function("scenarioChoices", &tessel::scenarioChoices);
  function("speedChoices", &tessel::speedChoices);
  function("quoted", &tessel::quoted);
}
