#include "toolkit/quoted_text.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <optional>

#include "toolkit/utf8.h"

namespace tessel {
namespace {

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
    const std::optional<Utf8Character> character = firstCharacter(text);
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
