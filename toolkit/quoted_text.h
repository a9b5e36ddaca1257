#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tessel {

// Messages quote at most this many characters of what the user typed.
inline constexpr std::size_t kLongestQuotedText = 40;

// Text the user typed, ready to stand inside a message: in double quotes,
// cut after `longest` characters (never inside one) with "..." added, and
// with everything that could disguise the message shown as a visible
// escape, so that the message reads the same wherever it is shown: the
// characters mustBeEscaped names (toolkit/utf8.h: controls, line and
// paragraph separators, bidirectional controls) and every byte that is not
// part of valid UTF-8.
// Characters below U+0080 and invalid bytes read \xHH ("\x1B"), the others
// \uHHHH ("\u202E"); a backslash reads "\\" and a double quote "\"", so that
// nothing typed can close the quotes or pass for an escape.
std::string quotedForDisplay(std::string_view text, std::size_t longest = kLongestQuotedText);

}  // namespace tessel
