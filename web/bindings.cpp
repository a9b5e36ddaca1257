// The window's session for the browser, bound with embind for the page's
// thin view (view.js). The page hands over what the user does and reads
// back, as JSON, what it shows after every event: the controls' state and
// the drawing as canvas operations.

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "display/arrangement.h"
#include "display/recording_canvas.h"
#include "web/page_data.h"
#include "window/session.h"

namespace tessel {
namespace {

using emscripten::val;
// As chain files are written, so that both share one serializer.
using Json = nlohmann::ordered_json;

// The commands that only the page can carry out, by the names view.js gives
// them.
constexpr std::array<std::pair<Command, const char*>, 5> kPageCommands{
    {{Command::Open, "open"},
     {Command::Save, "save"},
     {Command::FullScreen, "fullScreen"},
     {Command::ChooseSpeed, "chooseSpeed"},
     {Command::ChooseView, "chooseView"}}};

// ["ellipse", left, top, width, height, fill, border, borderWidth],
// ["line", x1, y1, x2, y2, colour, width, cap, antialiased],
// ["rect", left, top, width, height, colour] and
// ["text", left, top, width, height, text, font, colour, wrapped].
// Colours are 0xBBGGRR as in the layout; caps 0 flat, 1 square, 2 round.
Json operation(const RecordingCanvas::Operation& op) {
  using Kind = RecordingCanvas::Operation::Kind;
  static constexpr std::array<const char*, 4> kKinds{"ellipse", "line", "rect", "text"};
  Json item{kKinds[static_cast<std::size_t>(op.kind)], op.place[0], op.place[1], op.place[2],
            op.place[3]};
  if (op.kind == Kind::kText) item.insert(item.end(), {op.text, fontJson(op.font)});
  item.push_back(op.colour);
  if (op.kind == Kind::kEllipse) item.insert(item.end(), {op.border, op.width});
  if (op.kind == Kind::kLine) item.insert(item.end(), {op.width, static_cast<int>(op.cap)});
  if (op.kind == Kind::kLine || op.kind == Kind::kText) item.push_back(op.flag);
  return item;
}

// The Chances for the page's table: its head row, its rows (the long-run
// row last, where there is one), or the problem that leaves it empty.
Json chancesJson(const ChancesPicture& chances) {
  Json head = Json::array();
  Json rows = Json::array();
  if (chances.problem.empty()) {
    head.push_back(chances.cornerText);
    for (const std::string& name : chances.names) head.push_back(name);
    for (std::size_t row = 0; row < chances.cells.size(); ++row) {
      rows.push_back(Json::array({chances.names[row]}));
      for (const std::string& cell : chances.cells[row]) rows.back().push_back(cell);
    }
    if (!chances.longRun.empty()) {
      rows.push_back(Json::array({chances.longRunHead}));
      for (const std::string& share : chances.longRun) rows.back().push_back(share);
    }
  }
  return {{"head", head}, {"rows", rows}, {"problem", chances.problem}};
}

Session::Setup pageSetup(const RunSetup& address, const std::string& freshSeed) {
  Session::Setup setup;
  setup.seed = address.seed ? address.seed : readWholeNumber(freshSeed, 0, UINT64_MAX);
  setup.frontEnd = FrontEnd::Page;
  return setup;
}

// Read as chain documents are, from a string_view, sharing their parser.
std::vector<std::string> readTags(const std::string& tags) {
  std::vector<std::string> read;
  for (const nlohmann::json& tag : nlohmann::json::parse(std::string_view(tags))) {
    read.push_back(tag);
  }
  return read;
}

RunSetup readParameters(const std::string& parameters) {
  std::vector<std::pair<std::string, std::string>> pairs;
  for (const nlohmann::json& pair : nlohmann::json::parse(std::string_view(parameters))) {
    pairs.emplace_back(pair[0], pair[1]);
  }
  return readAddress(pairs);
}

}  // namespace

// The window of one page.
class WebWindow {
 public:
  // `parameters`: the address's query as JSON pairs [[name, value], ...];
  // `linkedChain` the chain a share link's fragment carries, or "";
  // `freshSeed` the digits of a seed for an address without one;
  // `longRun` the choice the page remembers; `browser` the browser's
  // languages as a JSON list, `picked` the one its user picked before.
  WebWindow(const std::string& parameters, const std::string& linkedChain,
            const std::string& freshSeed, bool longRun, const std::string& browser,
            const std::string& picked)
      : address_(readParameters(parameters)),
        browser_(readTags(browser)),
        language_(pageLanguage(address_, picked, browser_)),
        session_(pageSetup(address_, freshSeed)) {
    session_.setLanguage(language_.code);
    session_.load();
    if (!address_.longRun) address_.longRun = longRun;
    if (!linkedChain.empty()) address_.linkedChain = linkedChain;
    session_.apply(address_, AtCount::Pause);
    if (language_.refused && address_.problems.empty()) session_.refuseLanguage(*language_.refused);
  }

  // Speaks `code` from now on, as its user picks it ("" follows the browser).
  void setLanguage(const std::string& code) {
    language_ = {code.empty() ? matchLanguage(browser_) : code, !code.empty(), std::nullopt};
    session_.setLanguage(language_.code);
  }
  void setDecimalSeparator(const std::string& separator) {
    session_.setDecimalSeparator(separator);
  }
  void setTouch(bool touch) { session_.setTouch(touch); }

  // What a key asks for, named as the command table names keys: "" for
  // nothing, "done" where the window did it, else the page's own command.
  std::string key(const std::string& name, bool inRateBox) {
    const std::optional<Action> action =
        actionForKey(name, FrontEnd::Page, inRateBox, session_.controls());
    if (!action) return {};
    if (session_.perform(*action)) return "done";
    for (const auto& [command, pageName] : kPageCommands) {
      if (command == action->command) return pageName;
    }
    return {};
  }

  void click(int button) {
    static constexpr std::array<Command, 3> kClicks{Command::One, Command::StartStop,
                                                    Command::PauseContinue};
    if (button >= 0 && button < 3) session_.perform({kClicks[static_cast<std::size_t>(button)]});
  }
  void pickScenario(int index) {
    if (index >= 0) session_.pickEntry(static_cast<std::size_t>(index));
  }
  void setRateText(int box, const std::string& text) { session_.typeRate(box, text); }
  void setLongRun(bool shown) { session_.setLongRun(shown); }
  void setSpeed(int speed) {
    if (speed >= 0) session_.setSpeed(static_cast<std::size_t>(speed));
  }
  void setView(int view) {
    if (view >= 0 && static_cast<std::size_t>(view) < kViews.size()) {
      session_.setView(kViews[static_cast<std::size_t>(view)]);
    }
  }

  // One frame of the timer; whether it ended a count asked for.
  bool runFrame() { return session_.runFrame().countReached; }

  // Chain files as read: names, their bytes, and why a file could not be
  // read ("" where it was).
  void openFiles(const val& names, const val& contents, const val& problems) {
    std::vector<Document> documents;
    const auto count = names["length"].as<unsigned>();
    for (unsigned i = 0; i < count; ++i) {
      Document& document = documents.emplace_back();
      document.name = names[i].as<std::string>();
      const std::string problem = problems[i].as<std::string>();
      if (!problem.empty()) {
        document.unreadable = problem;
        continue;
      }
      const std::vector<std::uint8_t> bytes =
          emscripten::convertJSArrayToNumberVector<std::uint8_t>(contents[i]);
      document.bytes.assign(bytes.begin(), bytes.end());
    }
    session_.openDocuments(documents);
  }
  void openLinkedChain(const std::string& document) {
    session_.openLinkedChain(document, LinkPlace::Link);
  }

  // The chain to save: {"document", "fileName"}, or null with the strip
  // saying why not.
  std::string save() {
    const std::optional<Session::ChainToSave> chain = session_.chainToSave();
    if (!chain) return "null";
    return Json{{"document", chain->document}, {"fileName", chain->fileName}}.dump();
  }
  void saved(const std::string& name) { session_.chainSaved(name); }
  void linkCopied(bool copied, const std::string& link) { session_.linkCopied(copied, link); }

  // The state whose oval holds the design point, or -1; a rename begun on it.
  int stateAt(double x, double y) const { return session_.stateAt(x, y).value_or(-1); }
  bool beginRename(int state) { return session_.beginRename(state); }
  void finishRename(bool keep, const std::string& name) {
    session_.finishRename(keep ? std::optional(name) : std::nullopt);
  }

  // Everything the page's controls and hidden table show.
  std::string state() const {
    const FormControls& controls = session_.controls();
    Json entries = Json::array();
    for (std::size_t i = 0; i < controls.scenarioList.entries.size(); ++i) {
      entries.push_back({session_.entryLabel(i), session_.form().entryNote(i)});
    }
    Json buttons = Json::array();
    Json mnemonics = Json::array();
    for (int button = 0; button < 3; ++button) {
      const Json caption =
          captionWithMnemonic(session_.buttonCaption(button), session_.buttonLetter(button));
      buttons.push_back(caption["text"]);
      mnemonics.push_back(caption["at"]);
    }
    Json rates = Json::array();
    for (int i = 0; i < kTransitionCount; ++i) {
      const TextBox& rate = controls.rateBoxes[static_cast<std::size_t>(i)];
      rates.push_back(
          {{"text", rate.text()}, {"visible", rate.visible}, {"name", session_.rateBoxName(i)}});
    }
    Json table = Json::array();
    for (const CountsRow& row : session_.counts()) {
      table.push_back({row.colour, row.name, row.visits, row.share, row.longRun});
    }
    Json names = Json::array();
    for (const Label& label : controls.nameLabels) names.push_back(label.caption);
    const StripMessage strip = session_.strip();
    return Json{
        {"entries", entries},
        {"listText", controls.scenarioList.text},
        {"picked", session_.pickedEntry() ? static_cast<int>(*session_.pickedEntry()) : -1},
        {"buttons", buttons},
        {"mnemonics", mnemonics},
        {"rates", rates},
        {"marked", session_.form().markedRateBox().value_or(-1)},
        {"strip", {{"text", strip.text}, {"problem", strip.problem}, {"hint", strip.isHint}}},
        {"timer", controls.moveTimer.enabled ? controls.moveTimer.interval : 0},
        {"table", table},
        {"names", names},
        {"longRun", session_.longRunShown()},
        {"speed", session_.speed()},
        {"view", static_cast<int>(session_.view())},
        {"history", session_.historySummary()},
        {"chances", chancesJson(session_.chances())},
        {"ticksRun", session_.ticksRun()},
        {"jumps", session_.form().jumps()},
        {"language", language_.code},
        {"languageAsked", language_.asked}}
        .dump();
  }

  // The drawing as canvas operations in an arrangement (0 the design's,
  // 1 the stacked one), with the boxes that changed since the last call;
  // null when nothing did. `whole` asks for all of it.
  std::string drawing(bool whole, int stacked) {
    const std::vector<PixelRect> changed = session_.takeRepaint(whole);
    if (changed.empty()) return "null";
    const Arrangement& arrangement = stacked ? kStackedArrangement : kDesignArrangement;
    RecordingCanvas canvas;
    ArrangedCanvas arranged(canvas, arrangement);
    session_.draw(arranged);
    Json operations = Json::array();
    for (const RecordingCanvas::Operation& op : canvas.operations()) {
      operations.push_back(operation(op));
    }
    Json region = Json::array();
    for (const PixelRect& rect : changed) {
      for (const PixelRect& piece : arrangedPieces(arrangement, rect))
        region.push_back(boxJson(piece));
    }
    return Json{{"operations", operations}, {"region", region}}.dump();
  }

 private:
  RunSetup address_;
  std::vector<std::string> browser_;
  PageLanguage language_;
  Session session_;
};

}  // namespace tessel

EMSCRIPTEN_BINDINGS(tessel) {
  using namespace emscripten;
  function("texts", &tessel::pageTexts);
  function("stripBoxes", &tessel::pageStripBoxes);
  class_<tessel::WebWindow>("WebWindow")
      .constructor<const std::string&, const std::string&, const std::string&, bool,
                   const std::string&, const std::string&>()
      .function("setLanguage", &tessel::WebWindow::setLanguage)
      .function("setDecimalSeparator", &tessel::WebWindow::setDecimalSeparator)
      .function("setTouch", &tessel::WebWindow::setTouch)
      .function("key", &tessel::WebWindow::key)
      .function("click", &tessel::WebWindow::click)
      .function("pickScenario", &tessel::WebWindow::pickScenario)
      .function("setRateText", &tessel::WebWindow::setRateText)
      .function("setLongRun", &tessel::WebWindow::setLongRun)
      .function("setSpeed", &tessel::WebWindow::setSpeed)
      .function("setView", &tessel::WebWindow::setView)
      .function("runFrame", &tessel::WebWindow::runFrame)
      .function("openFiles", &tessel::WebWindow::openFiles)
      .function("openLinkedChain", &tessel::WebWindow::openLinkedChain)
      .function("save", &tessel::WebWindow::save)
      .function("saved", &tessel::WebWindow::saved)
      .function("linkCopied", &tessel::WebWindow::linkCopied)
      .function("stateAt", &tessel::WebWindow::stateAt)
      .function("beginRename", &tessel::WebWindow::beginRename)
      .function("finishRename", &tessel::WebWindow::finishRename)
      .function("state", &tessel::WebWindow::state)
      .function("drawing", &tessel::WebWindow::drawing);
}
