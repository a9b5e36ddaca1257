// The one command table: which key asks for what on each front-end, where
// the focus is, and the letters Alt takes.

#include "window/commands.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "display/form_controls.h"

namespace tessel {
namespace {

TEST(Commands, EachKeyAsksForOneActionWhereverItActs) {
  const FormControls controls = makeDesignControls();
  struct Case {
    const char* key;
    FrontEnd frontEnd;
    bool inRateBox;
    std::optional<Action> expected;
  };
  const Case cases[] = {
      {"O", FrontEnd::Desktop, false, Action{Command::One}},
      {"O", FrontEnd::Page, true, std::nullopt},  // typed into the box
      {"S", FrontEnd::Page, false, Action{Command::StartStop}},
      {"4", FrontEnd::Page, false, Action{Command::PickEntry, 3}},
      {"Num+4", FrontEnd::Page, false, std::nullopt},
      {"=", FrontEnd::Page, false, Action{Command::Faster}},
      {"Num++", FrontEnd::Desktop, false, Action{Command::Faster}},
      {"Num+-", FrontEnd::Page, true, std::nullopt},
      {"Ctrl+S", FrontEnd::Page, true, Action{Command::Save}},  // acts from a rate box too
      {"F11", FrontEnd::Page, true, Action{Command::FullScreen}},
      {"Esc", FrontEnd::Desktop, false, Action{Command::LeaveFullScreen}},
      {"Esc", FrontEnd::Page, false, std::nullopt},  // the browser's own
      {"Alt+D", FrontEnd::Page, true, Action{Command::ChooseSpeed}},
      {"Alt+L", FrontEnd::Page, true, Action{Command::LongRun}},
      {"Alt+P", FrontEnd::Page, false, Action{Command::PauseContinue}},
      {"Alt+C", FrontEnd::Page, false, std::nullopt},  // until the button reads "Cont"
      {"Ctrl+L", FrontEnd::Page, false, std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(actionForKey(c.key, c.frontEnd, c.inRateBox, controls), c.expected) << c.key;
  }
  FormControls paused = controls;
  paused.pauseButton.caption = "Cont";
  EXPECT_EQ(actionForKey("Alt+C", FrontEnd::Page, false, paused), Action{Command::PauseContinue});
  EXPECT_EQ(actionForKey("Alt+P", FrontEnd::Page, false, paused), std::nullopt);

  // No key names two actions on one front-end.
  for (const FrontEnd frontEnd : {FrontEnd::Desktop, FrontEnd::Page}) {
    std::map<std::string_view, int> uses;
    for (const CommandInfo& command : commandTable()) {
      if (!existsOn(command, frontEnd)) continue;
      for (const std::string_view key : command.keys) {
        if (key.empty()) continue;
        EXPECT_EQ(++uses[key], 1) << key;
      }
    }
  }
}

TEST(Commands, CaptionsMarkTheLetterAltTakes) {
  EXPECT_EQ(withAmpersandMnemonic("Pause", 'P'), "&Pause");
  EXPECT_EQ(withAmpersandMnemonic("Cont", 'P'), "&Cont") << "the first letter without a P";
  EXPECT_EQ(withAmpersandMnemonic("Speed", 'D'), "Spee&d");
  EXPECT_EQ(withAmpersandMnemonic("R&D", 'D'), "R&&&D");
  EXPECT_EQ(withAmpersandMnemonic("", 'O'), "");
}

}  // namespace
}  // namespace tessel
