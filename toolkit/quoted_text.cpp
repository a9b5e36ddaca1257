#include "toolkit/quoted_text.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <optional>

namespace tessel {
namespace {

struct Character {
  char32_t codePoint = 0;
  std::size_t length = 0;  // in bytes
};

// The character the UTF-8 text starts with; none when its first bytes are not
// a valid encoding (a stray continuation byte, a truncated or overlong
// sequence, a surrogate or a code point beyond U+10FFFF).
std::optional<Character> firstCharacter(std::string_view text) {
  const auto lead = static_cast<unsigned char>(text.front());
  if (lead < 0x80) return Character{lead, 1};
  std::size_t length = 0;
  char32_t codePoint = 0;
  char32_t smallest = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    codePoint = lead & 0x1FU;
    smallest = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    codePoint = lead & 0x0FU;
    smallest = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    codePoint = lead & 0x07U;
    smallest = 0x10000;
  } else {
    return std::nullopt;
  }
  if (text.size() < length) return std::nullopt;
  for (std::size_t i = 1; i < length; ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if ((byte & 0xC0U) != 0x80U) return std::nullopt;
    codePoint = (codePoint << 6U) | (byte & 0x3FU);
  }
  if (codePoint < smallest || codePoint > 0x10FFFF ||
      (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
    return std::nullopt;
  }
  return Character{codePoint, length};
}

bool mustBeEscaped(char32_t c) {
  return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x2028 || c == 0x2029 || c == 0x061C ||
         c == 0x200E || c == 0x200F || (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

void appendEscape(std::string& out, const char* format, unsigned value) {
  std::array<char, 12> escape{};
  std::snprintf(escape.data(), escape.size(), format, value);
  out += escape.data();
}

}  // namespace

std::string quotedForDisplay(std::string_view text, std::size_t longest) {
  std::string out = "\"";
  std::size_t shown = 0;
  while (!text.empty()) {
    if (shown == longest) {
      out += "...";
      break;
    }
    const std::optional<Character> character = firstCharacter(text);
    if (!character) {
      appendEscape(out, "\\x%02X", static_cast<unsigned char>(text.front()));
      text.remove_prefix(1);
    } else {
      const char32_t c = character->codePoint;
      if (c == '\\' || c == '"') {
        out += '\\';
        out += static_cast<char>(c);
      } else if (!mustBeEscaped(c)) {
        out += text.substr(0, character->length);
      } else if (c < 0x80) {
        appendEscape(out, "\\x%02X", static_cast<unsigned>(c));
      } else {
        appendEscape(out, "\\u%04X", static_cast<unsigned>(c));
      }
      text.remove_prefix(character->length);
    }
    ++shown;
  }
  return out + "\"";
}

}  // namespace tessel
