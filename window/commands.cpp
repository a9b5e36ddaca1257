#include "window/commands.h"

#include "toolkit/text.h"
#include "window/run_speed.h"

namespace tessel {
namespace {

constexpr std::array<CommandInfo, 18> kCommands{{
    {{Command::One},
     {"O"},
     'O',
     nullptr,
     N_("One jump of the chain (O, or Alt+O)"),
     nullptr,
     nullptr,
     false,
     true,
     kEverywhere},
    {{Command::StartStop},
     {"S"},
     'S',
     nullptr,
     N_("Start or stop running and counting (S, or Alt+S)"),
     nullptr,
     nullptr,
     false,
     true,
     kEverywhere},
    {{Command::PauseContinue},
     {"P"},
     'P',
     nullptr,
     N_("Pause or continue the animation (P, or Alt with the underlined letter)"),
     nullptr,
     nullptr,
     false,
     true,
     kEverywhere},
    // The digits pick the scenarios in the list's order; the keypad's do not.
    {{Command::PickEntry, 0},
     {"1"},
     0,
     nullptr,
     nullptr,
     nullptr,
     nullptr,
     false,
     true,
     kEverywhere},
    {{Command::PickEntry, 1},
     {"2"},
     0,
     nullptr,
     nullptr,
     nullptr,
     nullptr,
     false,
     true,
     kEverywhere},
    {{Command::PickEntry, 2},
     {"3"},
     0,
     nullptr,
     nullptr,
     nullptr,
     nullptr,
     false,
     true,
     kEverywhere},
    {{Command::PickEntry, 3},
     {"4"},
     0,
     nullptr,
     nullptr,
     nullptr,
     nullptr,
     false,
     true,
     kEverywhere},
    {{Command::PickEntry, 4},
     {"5"},
     0,
     nullptr,
     nullptr,
     nullptr,
     nullptr,
     false,
     true,
     kEverywhere},
    {{Command::Open},
     {"Ctrl+O"},
     0,
     N_("Open\u2026"),
     N_("Open chain files (Ctrl+O), or drop them on the page"),
     N_("Open Chains\u2026"),
     nullptr,
     false,
     false,
     kEverywhere},
    {{Command::Save},
     {"Ctrl+S"},
     0,
     N_("Save\u2026"),
     N_("Save the chain on the window as a file (Ctrl+S)"),
     N_("Save Chain As\u2026"),
     nullptr,
     false,
     false,
     kEverywhere},
    {{Command::ShareLink},
     {},
     0,
     N_("Share link"),
     N_("Copy a link that opens the chain on the window"),
     nullptr,
     nullptr,
     false,
     false,
     kOnPage},
    {{Command::Rename},
     {},
     0,
     nullptr,
     nullptr,
     N_("Rename State"),
     N_("double-click"),
     false,
     false,
     kEverywhere},
    // + shares its key with =, which is taken too; some keyboards give
    // Shift with the +.
    {{Command::Faster},
     {"+", "=", "Num++", "Shift++"},
     0,
     nullptr,
     nullptr,
     N_("Faster"),
     nullptr,
     true,
     true,
     kEverywhere},
    {{Command::Slower},
     {"-", "Num+-"},
     0,
     nullptr,
     nullptr,
     N_("Slower"),
     nullptr,
     false,
     true,
     kEverywhere},
    {{Command::LongRun},
     {"L"},
     'L',
     N_("Long run"),
     N_("Mark on each bar the share it settles to in the long run (L, or Alt+L)"),
     N_("Long Run"),
     nullptr,
     false,
     true,
     kEverywhere},
    {{Command::FullScreen},
     {"F11"},
     0,
     N_("Full screen"),
     N_("Full screen (F11; Esc leaves it)"),
     N_("Full Screen"),
     nullptr,
     false,
     false,
     kEverywhere},
    // A browser leaves full screen on Esc by itself.
    {{Command::LeaveFullScreen},
     {"Esc"},
     0,
     nullptr,
     nullptr,
     nullptr,
     nullptr,
     false,
     false,
     kOnDesktop},
    {{Command::ChooseSpeed},
     {},
     'D',
     N_("Speed"),
     N_("Ticks run for each of the timer's events: \u00d71 is the demonstration's own pace, "
        "\"Max\" as many as fit in half of it. The chain is the same at every speed. "
        "(+ or = faster, - slower; Alt+D)"),
     nullptr,
     nullptr,
     false,
     false,
     kEverywhere},
}};

char upper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// The letter the control of a command shows underlined now.
char shownAltLetter(const CommandInfo& command, const FormControls& controls) {
  const PushButton* button = nullptr;
  if (command.action.command == Command::One) button = &controls.oneButton;
  if (command.action.command == Command::StartStop) button = &controls.startStopButton;
  if (command.action.command == Command::PauseContinue) button = &controls.pauseButton;
  if (button == nullptr) return command.altLetter;
  const std::string caption = _(button->caption);
  if (caption.empty()) return 0;
  return upper(caption[mnemonicOffset(caption, command.altLetter)]);
}

}  // namespace

const std::array<CommandInfo, 18>& commandTable() {
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
    const char letter = upper(key.back());
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
    if (upper(caption[i]) == upper(letter)) return i;
  }
  return 0;
}

std::string withAmpersandMnemonic(std::string_view caption, char letter) {
  if (caption.empty()) return {};
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
  switch (text) {
    case UiText::ScenarioList:
      return _("Scenario");
    case UiText::ScenarioListTip:
      return _("Scenario (keys 1 to 5 pick them in list order)");
    case UiText::LongRunName:
      return _("Long-run marks");
    case UiText::NameEditor:
      return _("Name of the state");
    case UiText::RenameByDoubleClick:
      return _("Rename a State: double-click it");
    case UiText::FullScreenKeys:
      return _("F11: full screen (Esc leaves it)");
    case UiText::OpenTitle:
      return _("Open Chains");
    case UiText::SaveTitle:
      return _("Save Chain");
    case UiText::ChainFiles:
      return _("Tessel chains (*.tessel)");
    case UiText::AllFiles:
      return _("All files (*)");
    case UiText::CountsCaption:
      return _("Counts");
    case UiText::StateHeading:
      return _("State");
    case UiText::NameHeading:
      return _("Name");
    case UiText::VisitsHeading:
      return _("Visits");
    case UiText::ShareHeading:
      return _("Share");
    case UiText::LongRunHeading:
      return _("Long run");
    case UiText::ToolsName:
      return _("Chains and display");
    case UiText::PageDescription:
      return _("A chain that hops at random between up to four states, shown as it runs.");
    case UiText::NoScript:
      return _("Tessel Demo runs in JavaScript and WebAssembly; please turn JavaScript on.");
    case UiText::CannotStart:
      return _("The demonstration cannot start in this browser: {reason}");
    case UiText::HelpNotWritten:
      return _("could not write the help text");
    case UiText::VersionNotWritten:
      return _("could not write the version");
    case UiText::PictureNotWritten:
      return _("could not write the picture to {file}");
  }
  return {};
}

std::string speedLabel(std::size_t speed) {
  return speed < kRunSpeeds.size() ? _(kRunSpeeds[speed].label) : std::string();
}

std::string hint(FrontEnd frontEnd) {
  const std::string pick = fill(
      _("Pick a scenario, then click \"{one}\" for a single jump or \"{start}\" to run and count."),
      {{"one", _("One")}, {"start", _("Start")}});
  const std::string more = frontEnd == FrontEnd::Desktop
                               ? _("Right-click to open or save a chain, and more.")
                               : _("Double-click a state to rename it.");
  return pick + " " + more;
}

}  // namespace tessel
