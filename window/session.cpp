#include "window/session.h"

#include <algorithm>
#include <utility>

#include "display/form_drawing.h"
#include "toolkit/quoted_text.h"
#include "toolkit/text.h"
#include "window/view_pictures.h"

namespace tessel {
namespace {

constexpr std::array<FormEvent, 3> kButtonEvents{FormEvent::OneClick, FormEvent::StartStopClick,
                                                 FormEvent::PauseContinueClick};
constexpr std::array<Command, 3> kButtonCommands{Command::One, Command::StartStop,
                                                 Command::PauseContinue};

std::string trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

std::string percent(std::string_view caption) {
  const std::string number = trimmed(caption);
  return number.empty() ? number : fill(_("{percent}%"), {{"percent", number}});
}

}  // namespace

Session::Session(Setup setup)
    : ownRandom_(setup.seed ? ClockSeededRandom::withFixedSeed(*setup.seed) : ClockSeededRandom()),
      form_(*ownRandom_, std::move(setup.numberFormat)),
      frontEnd_(setup.frontEnd) {}

Session::Session(Setup setup, RandomSource& random)
    : form_(random, std::move(setup.numberFormat)), frontEnd_(setup.frontEnd) {}

bool Session::load() {
  return form_.handle(FormEvent::Load);
}

bool Session::perform(Action action) {
  for (std::size_t button = 0; button < kButtonCommands.size(); ++button) {
    if (action.command == kButtonCommands[button]) {
      form_.handle(kButtonEvents[button]);
      return true;
    }
  }
  switch (action.command) {
    case Command::PickEntry:
      if (action.entry >= 0) pickEntry(static_cast<std::size_t>(action.entry));
      return true;
    case Command::Faster:
    case Command::Slower:
      frames_.stepSpeed(action.command == Command::Faster ? 1 : -1);
      return true;
    case Command::LongRun:
      setLongRun(!form_.longRunMarksShown());
      return true;
    case Command::NextView:
      view_ = kViews[(static_cast<std::size_t>(view_) + 1) % kViews.size()];
      return true;
    default:
      return false;
  }
}

bool Session::pickEntry(std::size_t index) {
  return form_.pickEntry(index);
}

void Session::typeRate(int box, std::string text) {
  if (box >= 0 && box < kTransitionCount) form_.setRateText(box, std::move(text));
}

void Session::setSpeed(std::size_t speed) {
  frames_.setSpeed(speed);
}

void Session::setLongRun(bool shown) {
  form_.setLongRunMarksShown(shown);
}

std::vector<bool> Session::openDocuments(std::span<const Document> documents) {
  std::vector<std::string> problems;
  std::vector<bool> opened;
  for (const Document& document : documents) {
    auto chain = loadChain(document);
    opened.push_back(std::holds_alternative<Chain>(chain));
    if (auto* problem = std::get_if<std::string>(&chain)) {
      problems.push_back(std::move(*problem));
      continue;
    }
    form_.openChain(std::get<Chain>(std::move(chain)));
  }
  if (!problems.empty()) notice(openingProblems(problems), true);
  return opened;
}

void Session::openChain(Chain chain) {
  form_.openChain(std::move(chain));
}

bool Session::openLinkedChain(std::string_view document, LinkPlace place) {
  auto chain = readChain(document);
  if (const auto* problem = std::get_if<std::string>(&chain)) {
    notice(fill(place == LinkPlace::Link ? _("Cannot open the chain in the link: {problem}")
                                         : _("Cannot open the chain in the address: {problem}"),
                {{"problem", *problem}}),
           true);
    return false;
  }
  form_.openChain(std::get<Chain>(std::move(chain)));
  return true;
}

std::optional<Session::ChainToSave> Session::chainToSave() {
  const auto chain = form_.chainOnWindow();
  if (const auto* problem = std::get_if<std::string>(&chain)) {
    notice(*problem, true);
    return std::nullopt;
  }
  const Chain& saved = std::get<Chain>(chain);
  return ChainToSave{writeChain(saved), saved.title + std::string(kChainFileExtension)};
}

std::string Session::saveName() const {
  const auto chain = form_.chainOnWindow();
  const Chain* saved = std::get_if<Chain>(&chain);
  return (saved != nullptr ? saved->title : std::string("chain")) +
         std::string(kChainFileExtension);
}

void Session::chainSaved(std::string_view path) {
  notice(savedMessage(path), false);
}

void Session::chainNotSaved(std::string_view path, std::string_view reason) {
  notice(cannotSaveMessage(path, reason), true);
}

void Session::linkCopied(bool copied, std::string_view link) {
  notice(copied ? _("Copied a link to this chain; it opens the page with the chain picked.")
                : fill(_("Could not copy the link; here it is: {link}"),
                       {{"link", std::string(link)}}),
         false);
}

bool Session::beginRename(int state) {
  if (state < 0 || state >= kStateCount ||
      !controls().circles[static_cast<std::size_t>(state)].visible) {
    return false;
  }
  renamed_ = state;
  return true;
}

bool Session::finishRename(std::optional<std::string> name) {
  if (!renamed_) return false;
  const int state = *renamed_;
  renamed_.reset();
  if (!name) return true;
  if (auto problem = form_.renameState(state, std::move(*name))) {
    notice(std::move(*problem), true);
    return false;
  }
  return true;
}

void Session::countTicks(long long ticks, AtCount atCount) {
  frames_.countTicks(ticks);
  atCount_ = atCount;
}

void Session::apply(const RunSetup& setup, AtCount atCount) {
  if (setup.longRun) setLongRun(*setup.longRun);
  if (setup.scenario) pickEntry(*setup.scenario);
  if (setup.chain) openLinkedChain(*setup.chain, LinkPlace::Address);
  if (setup.linkedChain) openLinkedChain(*setup.linkedChain, LinkPlace::Link);
  if (setup.speed) setSpeed(*setup.speed);
  if (setup.view && *setup.view < kViews.size()) setView(kViews[*setup.view]);
  if (setup.countTicks) {
    countTicks(*setup.countTicks, atCount);
    perform({Command::StartStop});
  }
  if (!setup.problems.empty()) notice(addressNotUnderstood(setup.problems.front()), true);
}

FrameRunner::Frame Session::runFrame(int mostTicks) {
  const FrameRunner::Frame frame = frames_.run(form_, mostTicks);
  ticksRun_ += static_cast<std::uint64_t>(frame.ticks);
  if (frame.countReached && atCount_ == AtCount::Pause) {
    // The chain pauses where the count ended, and "Cont" then runs on at
    // the same speed without a count.
    frames_.countTicks(std::nullopt);
    form_.handle(FormEvent::PauseContinueClick);
  }
  return frame;
}

int Session::runTicks(int ticks) {
  const int ran = form_.runFrame(ticks);
  ticksRun_ += static_cast<std::uint64_t>(ran);
  return ran;
}

StripMessage Session::strip() const {
  if (const auto& error = form_.lastError()) return {error->what(), true, false};
  if (const auto& shown = form_.notice()) return {shown->text, shown->problem, false};
  std::string note = form_.longRunNote();
  if (!note.empty()) return {std::move(note), false, false};
  return {hint(frontEnd_, touch_), false, true};
}

std::vector<CountsRow> Session::counts() const {
  const FormControls& shown = controls();
  std::vector<CountsRow> rows;
  for (int state = 0; state < kStateCount; ++state) {
    const auto i = static_cast<std::size_t>(state);
    if (!shown.circles[i].visible) continue;
    const LongRunMark& mark = shown.longRunMarks[i];
    rows.push_back({state, _(kStateNames[i]), form_.stateName(state),
                    trimmed(shown.visitCounts[i].caption), percent(shown.shareLabels[i].caption),
                    mark.visible ? percent(mark.caption) : std::string()});
  }
  return rows;
}

std::string Session::rateBoxName(int box) const {
  const std::optional<int> transition = transitionOfRateBox(box);
  if (!transition) return {};
  const Transition& t = kTransitions[static_cast<std::size_t>(*transition)];
  return fill(_("Rate from {from} to {to}"),
              {{"from", form_.stateName(t.from)}, {"to", form_.stateName(t.to)}});
}

std::string Session::entryLabel(std::size_t entry) const {
  return form_.entryLabel(entry);
}

std::optional<std::size_t> Session::pickedEntry() const {
  const std::vector<std::string>& entries = controls().scenarioList.entries;
  const auto found = std::find(entries.begin(), entries.end(), controls().scenarioList.text);
  if (found == entries.end()) return std::nullopt;
  return static_cast<std::size_t>(found - entries.begin());
}

void Session::refuseLanguage(std::string_view language) {
  notice(fill(uiText(UiText::UnknownLanguage), {{"language", quotedForDisplay(language)}}), false);
}

void Session::setDecimalSeparator(std::string separator) {
  form_.setNumberFormat(NumberFormat{separator.empty() ? "." : std::move(separator)});
}

bool Session::setLanguage(std::string_view code) {
  if (!tessel::setLanguage(code)) return false;
  // A notice was said in the language before; what the window says next
  // is in the new one.
  form_.clearNotice();
  return true;
}

std::string Session::buttonCaption(int button) const {
  const std::array<const PushButton*, 3> buttons{&controls().oneButton, &controls().startStopButton,
                                                 &controls().pauseButton};
  if (button < 0 || button >= static_cast<int>(buttons.size())) return {};
  return _(buttons[static_cast<std::size_t>(button)]->caption);
}

char Session::buttonLetter(int button) const {
  if (button < 0 || button >= static_cast<int>(kButtonCommands.size())) return 0;
  return commandInfo({kButtonCommands[static_cast<std::size_t>(button)]}).altLetter;
}

std::optional<int> Session::stateAt(double x, double y) const {
  return tessel::stateAt(controls(), x, y);
}

bool Session::drawnAsModelled() const {
  if (renamed_ || view_ != View::Chart) return false;
  for (int state = 0; state < kStateCount; ++state) {
    const Label& name = controls().nameLabels[static_cast<std::size_t>(state)];
    if (!name.caption.empty() && name.caption != form_.stateName(state)) return false;
  }
  return true;
}

FormControls Session::shownControls() const {
  FormControls shown = controls();
  // The names in the language spoken; the name editor stands in for the
  // name it edits.
  for (int state = 0; state < kStateCount; ++state) {
    Label& name = shown.nameLabels[static_cast<std::size_t>(state)];
    if (!name.caption.empty()) name.caption = form_.stateName(state);
  }
  if (renamed_) shown.nameLabels[static_cast<std::size_t>(*renamed_)].caption.clear();
  // Another view stands in the chart's place.
  if (view_ != View::Chart) {
    for (std::size_t i = 0; i < kStateCount; ++i) {
      shown.bars[i].visible = false;
      shown.shareLabels[i].visible = false;
      shown.longRunMarks[i].visible = false;
    }
    for (Line& line : shown.chartAxes) line.visible = false;
    for (Line& line : shown.axisArrowStrokes) line.visible = false;
  }
  return shown;
}

void Session::draw(FormCanvas& canvas) const {
  if (drawnAsModelled()) {
    drawForm(canvas, controls());
    return;
  }
  drawForm(canvas, shownControls());
  if (view_ == View::History) drawHistory(canvas, historyPicture(form_));
  if (view_ == View::Chances) drawChances(canvas, chancesPicture(form_));
}

void Session::setView(View view) {
  view_ = view;
}

std::string Session::historySummary() const {
  return tessel::historySummary(form_);
}

ChancesPicture Session::chances() const {
  return chancesPicture(form_);
}

std::vector<PixelRect> Session::takeRepaint(bool whole) {
  // Copied only where names are shown otherwise than held, and kept only
  // where something changed.
  const std::optional<FormControls> edited =
      drawnAsModelled() ? std::nullopt : std::optional(shownControls());
  const FormControls& shown = edited ? *edited : controls();
  std::vector<PixelRect> region;
  if (painted_ && !whole) {
    region = changedRegion(*painted_, shown);
  } else {
    region.push_back(pixelBox(BoxLayout{0, 0, kFormWidth, kFormHeight}));
  }
  if (!region.empty()) painted_ = shown;
  // The view in the chart's place is repainted whole where its picture
  // changed, or where another view took its place.
  std::optional<HistoryPicture> history;
  std::optional<ChancesPicture> chances;
  if (view_ == View::History) history = historyPicture(form_);
  if (view_ == View::Chances) chances = chancesPicture(form_);
  if (view_ != paintedView_ || history != paintedHistory_ || chances != paintedChances_) {
    if (!whole) region.push_back(pixelBox(kViewBox));
    paintedView_ = view_;
    paintedHistory_ = std::move(history);
    paintedChances_ = std::move(chances);
  }
  return region;
}

void Session::notice(std::string text, bool problem) {
  form_.setNotice({std::move(text), problem});
}

}  // namespace tessel
