#pragma once

// Everything the user can ask of the window, once for every front-end: each
// command's keys, the letter that Alt takes with it, its caption, tooltip and
// menu text, whether a rate box takes its keys as text, and on which kind of
// front-end it exists. The desktop builds its shortcuts and right-click menu
// from this table, the page its keys and tools, and the strip its hints.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "display/form_controls.h"

namespace tessel {

enum class Command {
  One,            // "One"
  StartStop,      // "Start" / "Stop"
  PauseContinue,  // "Pause" / "Cont"
  PickEntry,      // an entry of the scenario list, by its place
  Open,           // chain files
  Save,           // the chain on the window, as a file
  ShareLink,      // a link that carries the chain
  Rename,         // a state's name
  Faster,         // one speed up
  Slower,         // one speed down
  LongRun,        // the long-run marks on or off
  FullScreen,     // full screen on or off
  LeaveFullScreen,
  ChooseSpeed,     // the focus to the speed list
  ChooseLanguage,  // the language the window speaks
  NextView,        // the next view in the chart's place
  ChooseView,      // the focus to the view list
};

struct Action {
  Command command = Command::One;
  int entry = 0;  // PickEntry's place in the list

  bool operator==(const Action&) const = default;
};

// The front-ends, where they differ because their platforms do.
enum class FrontEnd { Desktop, Page };

// Where a command exists: the page has no right-click menu, and a browser
// has its own key for leaving full screen.
enum Platforms : unsigned { kOnDesktop = 1U, kOnPage = 2U, kEverywhere = 3U };

struct CommandInfo {
  Action action;
  // Key names as Qt's portable text writes them ("O", "Ctrl+O", "F11",
  // "Num++" for the keypad's +), at most four, the first shown in menus.
  std::array<std::string_view, 4> keys{};
  // The letter that Alt takes with the command's control; the control's
  // caption underlines it where it holds it, else its first letter from A
  // to Z, which Alt then takes instead.
  char altLetter = 0;
  const char* caption = nullptr;   // the control's or the page tool's caption
  const char* toolTip = nullptr;   // for the command's control or tool
  const char* menuText = nullptr;  // in the desktop's right-click menu; none: not there
  const char* gesture = nullptr;   // a mouse gesture the menu names instead of keys
  bool startsMenuGroup = false;    // the menu draws a separator before it
  // A rate box takes the command's keys as text, so they act only where
  // the focus is elsewhere; the others act wherever it is.
  bool typedInRateBox = false;
  unsigned platforms = kEverywhere;
};

const std::array<CommandInfo, 21>& commandTable();

// The row of a command (of an entry's pick, the row with its place).
const CommandInfo& commandInfo(Action action);

bool existsOn(const CommandInfo& command, FrontEnd frontEnd);

// The action that a key, named as in the table, asks for on `frontEnd`;
// none where it asks for nothing, or where the focus is in a rate box that
// takes the key as text. "Alt+X" asks for the control whose caption
// underlines X: a button by its caption now ("Cont" takes Alt+C), the speed
// list and the long-run box by theirs.
std::optional<Action> actionForKey(std::string_view key, FrontEnd frontEnd, bool inRateBox,
                                   const FormControls& controls);

// Where a caption underlines the letter that Alt takes with it: the byte
// offset of that letter where the caption holds it (either case), else of
// its first letter from A to Z; npos where it holds none.
std::size_t mnemonicOffset(std::string_view caption, char letter);

// The button's caption with its mnemonic marked as Qt marks it: "&One",
// "&Cont"; an ampersand of the caption doubled.
std::string withAmpersandMnemonic(std::string_view caption, char letter);

// The strip's hint when the window has nothing else to say.
// The strip's hint; under a finger (`touch`, on the page) it speaks of taps.
std::string hint(FrontEnd frontEnd, bool touch = false);

// The texts of the controls, dialogs and page parts that no command owns.
enum class UiText {
  ScenarioList,         // the scenario list's accessible name
  ScenarioListTip,      // its tooltip
  LongRunName,          // the long-run checkbox's accessible name
  NameEditor,           // the state name editor's accessible name
  RenameByDoubleClick,  // the menu's rename entry away from any oval
  FullScreenKeys,       // the strip's tooltip
  OpenTitle,            // the file dialogs' titles and filters
  SaveTitle,
  ChainFiles,
  AllFiles,
  CountsCaption,  // the counts table, for screen readers
  StateHeading,
  NameHeading,
  VisitsHeading,
  ShareHeading,
  LongRunHeading,
  ToolsName,        // the page's tools, for screen readers
  PageDescription,  // the page's description for search engines and links
  NoScript,         // the page without JavaScript
  CannotStart,      // the page whose core cannot start: {reason}
  HelpNotWritten,   // a program's --help or --version that could not be written
  VersionNotWritten,
  PictureNotWritten,  // tessel-demo's --screenshot: {file}
  SystemLanguage,     // the language choice that follows the system
  BrowserLanguage,    // the page's language choice that follows the browser
  UnknownLanguage,    // the page's address asks for a language it does not speak: {language}
};
std::string uiText(UiText text);

// A speed's name as the speed list shows it.
std::string speedLabel(std::size_t speed);

}  // namespace tessel
