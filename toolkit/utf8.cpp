#include "toolkit/utf8.h"

namespace tessel {

std::optional<Utf8Character> firstCharacter(std::string_view text) {
  const auto lead = static_cast<unsigned char>(text.front());
  if (lead < 0x80) return Utf8Character{lead, 1};
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
  return Utf8Character{codePoint, length};
}

bool mustBeEscaped(char32_t c) {
  return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x2028 || c == 0x2029 || c == 0x061C ||
         c == 0x200E || c == 0x200F || (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

std::size_t characterCount(std::string_view text) {
  std::size_t count = 0;
  while (!text.empty()) {
    const std::optional<Utf8Character> character = firstCharacter(text);
    text.remove_prefix(character ? character->length : 1);
    ++count;
  }
  return count;
}

bool isPlainText(std::string_view text) {
  while (!text.empty()) {
    const std::optional<Utf8Character> character = firstCharacter(text);
    if (!character || mustBeEscaped(character->codePoint)) return false;
    text.remove_prefix(character->length);
  }
  return true;
}

}  // namespace tessel
