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
// escape, so that the message reads the same wherever it is shown:
// - control characters (U+0000..U+001F, U+007F..U+009F) and the line and
//   paragraph separators U+2028/U+2029, which could start a new line or
//   drive a terminal;
// - the bidirectional controls U+061C, U+200E/F, U+202A..U+202E and
//   U+2066..U+2069, which could reorder the rest of the message;
// - every byte that is not part of valid UTF-8.
// Characters below U+0080 and invalid bytes read \xHH ("\x1B"), the others
// \uHHHH ("\u202E"); a backslash reads "\\" and a double quote "\"", so that
// nothing typed can close the quotes or pass for an escape.
std::string quotedForDisplay(std::string_view text, std::size_t longest = kLongestQuotedText);

}  // namespace tessel
