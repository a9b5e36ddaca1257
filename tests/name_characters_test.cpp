// What a message's quoting escapes and what a state's name may hold are one
// list (toolkit/utf8.h): whatever could disguise a message could disguise a
// name drawn in an oval.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chain/chain_file.h"
#include "toolkit/quoted_text.h"

namespace tessel {
namespace {

TEST(NameCharacters, WhatTheQuotingEscapesNoNameHolds) {
  struct Case {
    const char* what;
    std::string text;
    std::string escape;
  };
  const std::vector<Case> cases{
      {"NUL", std::string(1, '\0'), "\\x00"},
      {"a tab", "\t", "\\x09"},
      {"a line feed", "\n", "\\x0A"},
      {"ESC", "\x1B", "\\x1B"},
      {"the last C0 control", "\x1F", "\\x1F"},
      {"DEL", "\x7F", "\\x7F"},
      {"the first C1 control", "\xC2\x80", "\\u0080"},
      {"the last C1 control", "\xC2\x9F", "\\u009F"},
      {"the line separator", "\xE2\x80\xA8", "\\u2028"},
      {"the paragraph separator", "\xE2\x80\xA9", "\\u2029"},
      {"the Arabic letter mark", "\xD8\x9C", "\\u061C"},
      {"the left-to-right mark", "\xE2\x80\x8E", "\\u200E"},
      {"the right-to-left mark", "\xE2\x80\x8F", "\\u200F"},
      {"the first embedding control", "\xE2\x80\xAA", "\\u202A"},
      {"the right-to-left override", "\xE2\x80\xAE", "\\u202E"},
      {"the first isolate", "\xE2\x81\xA6", "\\u2066"},
      {"the pop directional isolate", "\xE2\x81\xA9", "\\u2069"},
      {"a stray continuation byte", "\x80", "\\x80"},
      {"a truncated sequence", "\xE2\x80", "\\xE2\\x80"},
      {"an overlong slash", "\xC0\xAF", "\\xC0\\xAF"},
      {"a surrogate", "\xED\xA0\x80", "\\xED\\xA0\\x80"},
      {"beyond U+10FFFF", "\xF4\x90\x80\x80", "\\xF4\\x90\\x80\\x80"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(quotedForDisplay("A" + c.text + "B"), "\"A" + c.escape + "B\"") << c.what;
    EXPECT_EQ(stateNameProblem("A" + c.text + "B", {}),
              std::optional<std::string>("a state's name holds a control character."))
        << c.what;
  }
}

TEST(NameCharacters, LettersOfAnyScriptAreKept) {
  const std::vector<std::string> names{"Caf\xC3\xA9", "Gro\xC3\x9F",
                                       "\xCE\x9A\xCE\xB1\xCE\xBB\xCF\x8C",
                                       "\xE6\x99\xB4\xE3\x82\x8C", "Sun \xF0\x9F\x8C\x9E"};
  for (const std::string& name : names) {
    EXPECT_EQ(stateNameProblem(name, {}), std::nullopt) << name;
    EXPECT_EQ(quotedForDisplay(name), "\"" + name + "\"");
  }
  // A chain file keeps them, in its title too.
  const Chain chain{"Wetter \xE2\x98\x80", {names[0], names[4]}, {}, ""};
  const auto read = readChain(writeChain(chain));
  ASSERT_TRUE(std::holds_alternative<Chain>(read)) << std::get<std::string>(read);
  EXPECT_EQ(std::get<Chain>(read), chain);
}

}  // namespace
}  // namespace tessel
