// The one command table: which key asks for what on each front-end, where
// the focus is, and the letters Alt takes.

#include "window/commands.h"

#include <gtest/gtest.h>

#include <array>
#include <cctype>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "display/form_controls.h"
#include "toolkit/text.h"

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

// In every language, whichever captions the buttons show, each control's
// underlined letter is a plain letter that Alt takes to that control alone,
// and a tooltip that names an Alt letter names one its control shows.
TEST(Commands, InEveryLanguageAltTakesEachControlsOwnLetter) {
  const auto shownLetter = [](const char* caption, char letter) {
    const std::string shown = _(caption);
    const std::size_t at = mnemonicOffset(shown, letter);
    return at == std::string::npos ? '?' : static_cast<char>(std::toupper(shown[at]));
  };
  for (const Language& language : languages()) {
    ASSERT_TRUE(setLanguage(language.code));
    for (const char* start : {"Start", "Stop"}) {
      for (const char* pause : {"Pause", "Cont"}) {
        FormControls controls = makeDesignControls();
        controls.startStopButton.caption = start;
        controls.pauseButton.caption = pause;
        const std::array<std::pair<Command, const char*>, 5> shown{{
            {Command::One, "One"},
            {Command::StartStop, start},
            {Command::PauseContinue, pause},
            {Command::LongRun, commandInfo({Command::LongRun}).caption},
            {Command::ChooseSpeed, commandInfo({Command::ChooseSpeed}).caption},
        }};
        for (const auto& [command, caption] : shown) {
          const char letter = shownLetter(caption, commandInfo({command}).altLetter);
          EXPECT_TRUE(letter >= 'A' && letter <= 'Z') << language.code << " " << _(caption);
          EXPECT_EQ(actionForKey(std::string("Alt+") + letter, FrontEnd::Page, false, controls),
                    Action{command})
              << language.code << " " << _(caption);
        }
      }
    }
    const std::array<std::pair<Command, std::vector<const char*>>, 5> captions{{
        {Command::One, {"One"}},
        {Command::StartStop, {"Start", "Stop"}},
        {Command::PauseContinue, {"Pause", "Cont"}},
        {Command::LongRun, {commandInfo({Command::LongRun}).caption}},
        {Command::ChooseSpeed, {commandInfo({Command::ChooseSpeed}).caption}},
    }};
    for (const auto& [command, shownCaptions] : captions) {
      const std::string tip = _(commandInfo({command}).toolTip);
      const std::size_t alt = tip.find("Alt+");
      if (alt == std::string::npos || alt + 4 >= tip.size()) continue;
      bool named = false;
      for (const char* caption : shownCaptions) {
        named = named || shownLetter(caption, commandInfo({command}).altLetter) == tip[alt + 4];
      }
      EXPECT_TRUE(named) << language.code << ": " << tip;
    }
  }
  setLanguage("en");
}

TEST(Commands, CaptionsMarkTheLetterAltTakes) {
  EXPECT_EQ(withAmpersandMnemonic("Pause", 'P'), "&Pause");
  EXPECT_EQ(withAmpersandMnemonic("Cont", 'P'), "&Cont") << "the first letter without a P";
  EXPECT_EQ(withAmpersandMnemonic("Speed", 'D'), "Spee&d");
  EXPECT_EQ(withAmpersandMnemonic("R&D", 'D'), "R&&&D");
  EXPECT_EQ(withAmpersandMnemonic("", 'O'), "");
  EXPECT_EQ(withAmpersandMnemonic("\u00c0 long terme", 'X'), "\u00c0 &long terme")
      << "the first letter from A to Z";
  EXPECT_EQ(mnemonicOffset("\u00d6\u00f1\u00e9", 'O'), std::string::npos);
}

}  // namespace
}  // namespace tessel
