#include "toolkit/quoted_text.h"

#include <gtest/gtest.h>

#include <string>

namespace tessel {
namespace {

TEST(QuotedForDisplay, ShowsWhatCouldDisguiseAMessageAsVisibleEscapes) {
  struct Case {
    std::string text;
    std::string shown;
  };
  const Case cases[] = {
      {"fast", R"("fast")"},
      {"", R"("")"},
      {"Gr\xC3\xB6\xC3\x9F"
       "e \xF0\x9F\x93\x9E",
       "\"Gr\xC3\xB6\xC3\x9F"
       "e \xF0\x9F\x93\x9E\""},
      // Right-to-left override and the other bidirectional controls.
      {"1\xE2\x80\xAE"
       "2",
       R"("1\u202E2")"},
      {"\xE2\x80\xAA\xE2\x80\xAB\xE2\x80\xAC\xE2\x80\xAD", R"("\u202A\u202B\u202C\u202D")"},
      {"\xE2\x81\xA6\xE2\x81\xA7\xE2\x81\xA8\xE2\x81\xA9", R"("\u2066\u2067\u2068\u2069")"},
      {"\xE2\x80\x8E\xE2\x80\x8F\xD8\x9C", R"("\u200E\u200F\u061C")"},
      // Control characters, a terminal's escape sequence, line breaks.
      {"\x1B[2J\x1B]0;x\x07", R"("\x1B[2J\x1B]0;x\x07")"},
      {"a\nb\rc\td\x7F", R"("a\x0Ab\x0Dc\x09d\x7F")"},
      {std::string("a\0b", 3), R"("a\x00b")"},
      {"\xC2\x85\xE2\x80\xA8\xE2\x80\xA9", R"("\u0085\u2028\u2029")"},
      // Bytes that are not UTF-8: stray, truncated, overlong, surrogate, too large.
      {"\xFF\x80", R"("\xFF\x80")"},
      {"1\xE2\x80", R"("1\xE2\x80")"},
      {"\xC0\xAF\xE0\x80\xAF", R"("\xC0\xAF\xE0\x80\xAF")"},
      {"\xED\xA0\x80", R"("\xED\xA0\x80")"},
      {"\xF4\x90\x80\x80", R"("\xF4\x90\x80\x80")"},
      // Nothing typed can close the quotes or pass for an escape.
      {R"(1", which is fine)", R"("1\", which is fine")"},
      {R"(\u202E)", R"("\\u202E")"},
  };
  for (const Case& c : cases) EXPECT_EQ(quotedForDisplay(c.text), c.shown) << c.shown;
}

TEST(QuotedForDisplay, CutsAfterFortyCharactersNeverInsideOne) {
  EXPECT_EQ(quotedForDisplay(std::string(40, '7')), '"' + std::string(40, '7') + '"');
  EXPECT_EQ(quotedForDisplay(std::string(41, '7')), '"' + std::string(40, '7') + "...\"");
  // 39 letters and then a two-byte letter: byte 40 is the middle of it.
  std::string text = std::string(39, 'a') + "\xC3\xA9" + "zz";
  EXPECT_EQ(quotedForDisplay(text), '"' + std::string(39, 'a') + "\xC3\xA9...\"");
  // An escape counts as the one character it stands for.
  text = std::string(39, 'a') + "\xE2\x80\xAE" + "z";
  EXPECT_EQ(quotedForDisplay(text), '"' + std::string(39, 'a') + "\\u202E...\"");
}

}  // namespace
}  // namespace tessel
