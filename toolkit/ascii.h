#pragma once

// Case in ASCII only, as chain files, option values and language tags
// compare names: other letters keep their case.

#include <string>
#include <string_view>

namespace tessel {

constexpr char lowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

constexpr char upperAscii(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

inline std::string lowerAscii(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = lowerAscii(c);
  return lower;
}

}  // namespace tessel
