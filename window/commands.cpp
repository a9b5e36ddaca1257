#include "window/commands.h"

#include "toolkit/ascii.h"
#include "toolkit/text.h"
#include "window/run_speed.h"

namespace tessel {
namespace {

constexpr std::array<CommandInfo, 21> kCommands{{
    {.action = {Command::One},
     .keys = {"O"},
     .altLetter = 'O',
     .toolTip = N_("One jump of the chain (O, or Alt+O)"),
     .typedInRateBox = true},
    {.action = {Command::StartStop},
     .keys = {"S"},
     .altLetter = 'S',
     .toolTip = N_("Start or stop running and counting (S, or Alt+S)"),
     .typedInRateBox = true},
    {.action = {Command::PauseContinue},
     .keys = {"P"},
     .altLetter = 'P',
     .toolTip = N_("Pause or continue the animation (P, or Alt with the underlined letter)"),
     .typedInRateBox = true},
    // The digits pick the scenarios in the list's order; the keypad's do not.
    {.action = {Command::PickEntry, 0}, .keys = {"1"}, .typedInRateBox = true},
    {.action = {Command::PickEntry, 1}, .keys = {"2"}, .typedInRateBox = true},
    {.action = {Command::PickEntry, 2}, .keys = {"3"}, .typedInRateBox = true},
    {.action = {Command::PickEntry, 3}, .keys = {"4"}, .typedInRateBox = true},
    {.action = {Command::PickEntry, 4}, .keys = {"5"}, .typedInRateBox = true},
    {.action = {Command::Open},
     .keys = {"Ctrl+O"},
     .caption = N_("Open\u2026"),
     .toolTip = N_("Open chain files (Ctrl+O), or drop them on the page"),
     .menuText = N_("Open Chains\u2026")},
    {.action = {Command::Save},
     .keys = {"Ctrl+S"},
     .caption = N_("Save\u2026"),
     .toolTip = N_("Save the chain on the window as a file (Ctrl+S)"),
     .menuText = N_("Save Chain As\u2026")},
    {.action = {Command::ShareLink},
     .caption = N_("Share link"),
     .toolTip = N_("Copy a link that opens the chain on the window"),
     .platforms = kOnPage},
    {.action = {Command::Rename}, .menuText = N_("Rename State"), .gesture = N_("double-click")},
    // + shares its key with =, which is taken too; some keyboards give
    // Shift with the +.
    {.action = {Command::Faster},
     .keys = {"+", "=", "Num++", "Shift++"},
     .menuText = N_("Faster"),
     .startsMenuGroup = true,
     .typedInRateBox = true},
    {.action = {Command::Slower},
     .keys = {"-", "Num+-"},
     .menuText = N_("Slower"),
     .typedInRateBox = true},
    {.action = {Command::LongRun},
     .keys = {"L"},
     .altLetter = 'L',
     .caption = N_("Long run"),
     .toolTip = N_("Mark on each bar the share it settles to in the long run (L, or Alt+L)"),
     .menuText = N_("Long Run"),
     .typedInRateBox = true},
    {.action = {Command::FullScreen},
     .keys = {"F11"},
     .caption = N_("Full screen"),
     .toolTip = N_("Full screen (F11; Esc leaves it)"),
     .menuText = N_("Full Screen")},
    // A browser leaves full screen on Esc by itself.
    {.action = {Command::LeaveFullScreen}, .keys = {"Esc"}, .platforms = kOnDesktop},
    {.action = {Command::ChooseSpeed},
     .altLetter = 'D',
     .caption = N_("Speed"),
     .toolTip = N_("Ticks run for each of the timer's events: \u00d71 is the demonstration's own "
                   "pace, \"Max\" as many as fit in half of it. The chain is the same at every "
                   "speed. (+ or = faster, - slower; Alt+D)")},
    {.action = {Command::NextView}, .keys = {"V"}, .typedInRateBox = true},
    // The desktop's menu lists the views, as the strip's list does.
    {.action = {Command::ChooseView},
     .altLetter = 'V',
     .caption = N_("View"),
     .toolTip = N_("What stands in the chart's place: the bars, each state's share over time, or "
                   "the chances of one tick. The chain is the same in each. (V, or Alt+V)"),
     .menuText = N_("View")},
    // The desktop's menu lists the languages; the page's tools hold their list.
    {.action = {Command::ChooseLanguage},
     .caption = N_("Language"),
     .toolTip = N_("The language the demonstration speaks"),
     .menuText = N_("Language"),
     .startsMenuGroup = true},
}};

// The letter the control of a command shows underlined now.
char shownAltLetter(const CommandInfo& command, const FormControls& controls) {
  const PushButton* button = nullptr;
  if (command.action.command == Command::One) button = &controls.oneButton;
  if (command.action.command == Command::StartStop) button = &controls.startStopButton;
  if (command.action.command == Command::PauseContinue) button = &controls.pauseButton;
  if (button == nullptr && command.caption == nullptr) return command.altLetter;
  const std::string caption = _(button != nullptr ? button->caption : command.caption);
  const std::size_t at = mnemonicOffset(caption, command.altLetter);
  return at != std::string_view::npos ? upperAscii(caption[at]) : command.altLetter;
}

}  // namespace

const std::array<CommandInfo, 21>& commandTable() {
  return kCommands;
}

const CommandInfo& commandInfo(Action action) {
  for (const CommandInfo& command : kCommands) {
    if (command.action == action) return command;
  }
  return kCommands.front();
}

bool existsOn(const CommandInfo& command, FrontEnd frontEnd) {
  return (command.platforms & (frontEnd == FrontEnd::Desktop ? kOnDesktop : kOnPage)) != 0;
}

std::optional<Action> actionForKey(std::string_view key, FrontEnd frontEnd, bool inRateBox,
                                   const FormControls& controls) {
  constexpr std::string_view kAlt = "Alt+";
  if (key.starts_with(kAlt) && key.size() == kAlt.size() + 1) {
    const char letter = upperAscii(key.back());
    for (const CommandInfo& command : kCommands) {
      if (command.altLetter != 0 && existsOn(command, frontEnd) &&
          shownAltLetter(command, controls) == letter) {
        return command.action;
      }
    }
    return std::nullopt;
  }
  for (const CommandInfo& command : kCommands) {
    if (!existsOn(command, frontEnd) || (inRateBox && command.typedInRateBox)) continue;
    for (const std::string_view name : command.keys) {
      if (!name.empty() && name == key) return command.action;
    }
  }
  return std::nullopt;
}

std::size_t mnemonicOffset(std::string_view caption, char letter) {
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (upperAscii(caption[i]) == upperAscii(letter)) return i;
  }
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (upperAscii(caption[i]) >= 'A' && upperAscii(caption[i]) <= 'Z') return i;
  }
  return std::string_view::npos;
}

std::string withAmpersandMnemonic(std::string_view caption, char letter) {
  const std::size_t at = mnemonicOffset(caption, letter);
  std::string marked;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (i == at) marked += '&';
    if (caption[i] == '&') marked += '&';
    marked += caption[i];
  }
  return marked;
}

std::string uiText(UiText text) {
  constexpr std::array<const char*, 26> kUiTexts{
      N_("Scenario"),
      N_("Scenario (keys 1 to 5 pick them in list order)"),
      N_("Long-run marks"),
      N_("Name of the state"),
      N_("Rename a State: double-click it"),
      N_("F11: full screen (Esc leaves it)"),
      N_("Open Chains"),
      N_("Save Chain"),
      N_("Tessel chains (*.tessel)"),
      N_("All files (*)"),
      N_("Counts"),
      N_("State"),
      N_("Name"),
      N_("Visits"),
      N_("Share"),
      N_("Long run"),
      N_("Chains and display"),
      N_("A chain that hops at random between up to four states, shown as it runs."),
      N_("Tessel Demo runs in JavaScript and WebAssembly; please turn JavaScript on."),
      N_("The demonstration cannot start in this browser: {reason}"),
      N_("could not write the help text"),
      N_("could not write the version"),
      N_("could not write the picture to {file}"),
      N_("The system's language"),
      N_("The browser's language"),
      N_("The page does not speak the language {language} that its address asks for; it speaks "
         "the browser's language instead."),
  };
  static_assert(kUiTexts.size() == static_cast<std::size_t>(UiText::UnknownLanguage) + 1,
                "a text for every UiText, in its order");
  return _(kUiTexts.at(static_cast<std::size_t>(text)));
}

std::string speedLabel(std::size_t speed) {
  return speed < kRunSpeeds.size() ? _(kRunSpeeds[speed].label) : std::string();
}

std::string hint(FrontEnd frontEnd, bool touch) {
  touch = touch && frontEnd == FrontEnd::Page;
  const std::string pick = fill(
      touch ? _("Pick a scenario, then tap \"{one}\" for a single jump or \"{start}\" to run and "
                "count.")
            : _("Pick a scenario, then click \"{one}\" for a single jump or \"{start}\" to run "
                "and count."),
      {{"one", _("One")}, {"start", _("Start")}});
  const std::string more = frontEnd == FrontEnd::Desktop
                               ? _("Right-click to open or save a chain, and more.")
                           : touch ? _("Tap a state twice to rename it.")
                                   : _("Double-click a state to rename it.");
  return pick + " " + more;
}

}  // namespace tessel
