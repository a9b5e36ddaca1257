#pragma once

// The one UTF-8 reader of the program: messages quote what the user typed
// with it, and chain files and the window check names with it, so that both
// agree on what a character is and on which characters could disguise a text.

#include <cstddef>
#include <optional>
#include <string_view>

namespace tessel {

struct Utf8Character {
  char32_t codePoint = 0;
  std::size_t length = 0;  // in bytes
};

// The character a non-empty UTF-8 text starts with; none when its first
// bytes are not a valid encoding (a stray continuation byte, a truncated or
// overlong sequence, a surrogate or a code point beyond U+10FFFF).
std::optional<Utf8Character> firstCharacter(std::string_view text);

// The characters quotedForDisplay shows as escapes, because they could start
// a new line, drive a terminal or reorder the text around them: the C0 and
// C1 controls and DEL, the line and paragraph separators U+2028/U+2029, and
// the bidirectional controls U+061C, U+200E/F, U+202A..U+202E and
// U+2066..U+2069.
bool mustBeEscaped(char32_t codePoint);

// How many characters the text holds, each byte that is not part of valid
// UTF-8 counted as one, as quotedForDisplay counts them.
std::size_t characterCount(std::string_view text);

// Whether the text is valid UTF-8 without a character that must be
// escaped: it reads the same wherever it is shown.
bool isPlainText(std::string_view text);

}  // namespace tessel
